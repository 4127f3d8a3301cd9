// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/message_boxes.h"
#include "results/save_dialog.h"

namespace runnelex::test {

// Keeps every message instead of showing a modal box.
struct RecordingMessageBoxes final : MessageBoxes {
    void show(QWidget* parent, const QString& prompt) override {
        shown.push_back({parent, prompt});
    }
    std::vector<std::pair<QWidget*, QString>> shown;
};

// Answers each dialog with the next scripted name (none left: cancelled), or throws `failure`;
// the filter chosen with it is the next of `filters`, or the one the dialog opened with.
struct FakeSaveDialog final : SaveDialog {
    std::optional<QString> chooseSaveFile(QWidget*, const SaveDialogRequest& request) override {
        requests.push_back(request);
        if (!failure.empty())
            throw std::runtime_error(failure);
        if (answers.empty())
            return std::nullopt;
        const QString name = answers.front();
        answers.pop_front();
        return name;
    }
    std::optional<SaveDialogChoice>
    chooseSaveFileAndFilter(QWidget* parent, const SaveDialogRequest& request) override {
        const std::optional<QString> name = chooseSaveFile(parent, request);
        if (!name)
            return std::nullopt;
        QString filter = request.selectedNameFilter;
        if (!filters.empty()) {
            filter = filters.front();
            filters.pop_front();
        }
        return SaveDialogChoice{*name, filter};
    }
    std::deque<QString> answers, filters;
    std::string failure;
    std::vector<SaveDialogRequest> requests;
};

} // namespace runnelex::test
