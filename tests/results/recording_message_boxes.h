#pragma once

#include <vector>

#include <QString>

#include "platform/message_boxes.h"

namespace runnelex::test {

// Keeps every message instead of showing a modal box.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QWidget* parent;
        QString prompt;
    };
    void show(QWidget* parent, const QString& prompt) override {
        shown.push_back({parent, prompt});
    }
    std::vector<Shown> shown;
};

} // namespace runnelex::test
