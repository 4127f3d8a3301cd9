// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/results_log.h"

namespace runnelex::bench {

// A results log that keeps nothing: the benchmarks never record.
class NullResultsLog final : public ResultsLog {
public:
    void AddResult(const std::string&) override {}
    void showResultsWindow() override {}
    void setCloseHandler(std::function<void()>) override {}
};

} // namespace runnelex::bench
