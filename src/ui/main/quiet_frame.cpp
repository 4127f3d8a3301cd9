// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/quiet_frame.h"

#include <QGroupBox>

namespace runnelex {

namespace {

constexpr const char* kQuietFrame = "runnelexQuietFrame";
constexpr const char* kDecoration = "runnelexDecoration";

// Asked first for every object Qt makes accessible; answers only for marked frames.
QAccessibleInterface* quietFrames(const QString& className, QObject* object) {
    if (className == QLatin1String("QGroupBox") && object->property(kQuietFrame).toBool())
        return new QuietFrame(static_cast<QGroupBox*>(object));
    return nullptr;
}

} // namespace

QGroupBox* QuietFrame::create(QWidget* parent, const QString& title) {
    QAccessible::installFactory(&quietFrames); // once: a second install is ignored
    auto* frame = new QGroupBox(parent);
    frame->setProperty(kQuietFrame, true);
    frame->setTitle(title);
    return frame;
}

void QuietFrame::hideDecoration(QWidget* child) {
    child->setProperty(kDecoration, true);
}

QuietFrame::QuietFrame(QGroupBox* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

QString QuietFrame::text(QAccessible::Text t) const {
    QString text = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && text.isEmpty())
        text = static_cast<QGroupBox*>(widget())->title().remove(u'&');
    return text;
}

QList<QWidget*> QuietFrame::heardChildren() const {
    QList<QWidget*> heard;
    for (QObject* o : widget()->children())
        if (auto* w = qobject_cast<QWidget*>(o);
            w != nullptr && !w->isWindow() && !w->property(kDecoration).toBool())
            heard << w;
    return heard;
}

int QuietFrame::childCount() const {
    return static_cast<int>(heardChildren().size());
}

QAccessibleInterface* QuietFrame::child(int index) const {
    const QList<QWidget*> heard = heardChildren();
    return index >= 0 && index < heard.size() ? QAccessible::queryAccessibleInterface(heard[index])
                                              : nullptr;
}

int QuietFrame::indexOfChild(const QAccessibleInterface* child) const {
    return static_cast<int>(heardChildren().indexOf(qobject_cast<QWidget*>(child->object())));
}

} // namespace runnelex
