// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

namespace runnelex {

// A unit list: a drop-down with an edit field that only shows the chosen item. Nothing typed
// there changes anything; a choice from the list raises `activated`.
class UnitCombo : public QComboBox {
    Q_OBJECT
public:
    explicit UnitCombo(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
};

} // namespace runnelex
