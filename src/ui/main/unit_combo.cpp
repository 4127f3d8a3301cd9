// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/unit_combo.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

namespace runnelex {

UnitCombo::UnitCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    lineEdit()->setReadOnly(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Outside the Tab cycle: reached by the mouse and by the frame's access key.
    setFocusPolicy(Qt::ClickFocus);
    lineEdit()->setFocusPolicy(Qt::ClickFocus);
}

void UnitCombo::keyPressEvent(QKeyEvent* e) {
    // Enter in the edit field would re-select the shown item; it changes nothing here.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    QComboBox::keyPressEvent(e);
}

void UnitCombo::wheelEvent(QWheelEvent* e) {
    // Scrolling over the window must not change a unit by accident.
    if (!hasFocus()) {
        e->ignore();
        return;
    }
    QComboBox::wheelEvent(e);
}

} // namespace runnelex
