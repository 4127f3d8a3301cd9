#pragma once

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "results/save_dialog.h"

namespace runnelex::test {

// Answers each dialog with the next scripted name (nothing: cancelled) and keeps the requests.
class FakeSaveDialog final : public SaveDialog {
public:
    std::optional<QString> chooseSaveFile(QWidget*, const SaveDialogRequest& request) override {
        requests.push_back(request);
        if (failure)
            throw std::runtime_error(*failure);
        if (answers.empty())
            return std::nullopt;
        const Answer answer = answers.front();
        answers.pop_front();
        if (answer.cancelled)
            return std::nullopt;
        return answer.name;
    }
    struct Answer {
        QString name;
        bool cancelled = false;
    };
    static Answer cancel() { return {QString(), true}; }
    std::deque<Answer> answers;
    std::optional<std::string> failure; // thrown instead of answering
    std::vector<SaveDialogRequest> requests;
};

} // namespace runnelex::test
