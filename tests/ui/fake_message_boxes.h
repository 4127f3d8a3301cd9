#pragma once

#include <functional>

#include <QStringList>

#include "platform/message_boxes.h"

namespace runnelex::test {

// Records every prompt instead of opening a modal box; `onShow` can play what a real box does
// to the focus.
class FakeMessageBoxes final : public MessageBoxes {
public:
    void show(QWidget*, const QString& prompt) override {
        prompts << prompt;
        if (onShow)
            onShow();
    }
    QStringList prompts;
    std::function<void()> onShow;
};

} // namespace runnelex::test
