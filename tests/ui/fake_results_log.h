#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/main/results_log.h"

namespace runnelex::test {

// Keeps the records handed over and the close handler; can be told to fail.
class FakeResultsLog final : public ResultsLog {
public:
    void AddResult(const std::string& record) override {
        if (!failWith.empty())
            throw std::runtime_error(failWith);
        records.push_back(record);
    }
    void showResultsWindow() override {
        ++shows;
        if (onShow)
            onShow();
    }
    void setCloseHandler(std::function<void()> onClose) override {
        closeHandler = std::move(onClose);
    }

    std::vector<std::string> records;
    int shows = 0;
    std::function<void()> onShow;
    std::function<void()> closeHandler;
    std::string failWith;
};

} // namespace runnelex::test
