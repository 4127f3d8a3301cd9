#include "info/info_dialog.h"

#include <QLabel>

namespace runnelex {

InfoDialog::InfoDialog(const QString& name, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(name);
    setModal(false);
    setSizeGripEnabled(false);
}

QLabel* InfoDialog::addText(const QString& name, const QString& text, int width) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFixedWidth(width);
    return label;
}

} // namespace runnelex
