// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "platform/message_boxes.h"
#include "results/results_log.h"
#include "results/save_dialog.h"

namespace runnelex::soak {

// The real recorded text and results window, with a copy of every record handed over since the
// last "Clear": what a saved file must hold.
class KeepingLog final : public ResultsLog {
public:
    explicit KeepingLog(ResultsLog& real) : real_(real) {}
    void AddResult(const std::string& record) override {
        real_.AddResult(record);
        held.push_back(record);
        ++made;
        if (recorded)
            recorded();
    }
    void showResultsWindow() override { real_.showResultsWindow(); }
    void setCloseHandler(std::function<void()> onClose) override {
        real_.setCloseHandler(std::move(onClose));
    }
    std::vector<std::string> held;
    long long made = 0;
    std::function<void()> recorded; // after each record is in the results window

private:
    ResultsLog& real_;
};

// Answers every message at once, as a user clicking OK; a message the soak cannot explain
// ends it.
class AnsweringBoxes final : public MessageBoxes {
public:
    void show(QWidget*, const QString& prompt) override {
        const std::string p = prompt.toStdString();
        if (p.find("must be a positive real number.") == std::string::npos) {
            std::fprintf(stderr, "soak: unexpected message \"%s\"\n", p.c_str());
            std::exit(1);
        }
        ++answered[p];
    }
    std::map<std::string, long long> answered;
};

// The save dialog answered with one file name.
class FixedDialog final : public SaveDialog {
public:
    QString name;
    std::optional<QString> chooseSaveFile(QWidget*, const SaveDialogRequest&) override {
        return name;
    }
};

} // namespace runnelex::soak
