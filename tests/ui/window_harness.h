// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/labels.h"
#include "cli/cli_app.h"
#include "cli/output.h"
#include "info/info_menu.h"
#include "results/results_log.h"
#include "support/gui_support.h"
#include "ui/main/frm_runnelex.h"

namespace runnelex::test {

// Keeps the records handed over and the close handler; can be told to fail.
class FakeResultsLog final : public ResultsLog {
public:
    void AddResult(const std::string& record) override {
        if (!failWith.empty())
            throw std::runtime_error(failWith);
        records << QString::fromStdString(record);
    }
    void showResultsWindow() override { onShow(); }
    void setCloseHandler(std::function<void()> onClose) override { closeHandler = onClose; }
    QStringList records;
    std::function<void()> onShow = [] {}, closeHandler;
    std::string failWith;
};

// Notes which Help item was chosen.
class FakeInfoMenu final : public InfoMenu {
public:
    void mnuHelp4Runnelex_Click() override { calls << QStringLiteral("help"); }
    void mnuAbout_Runnelex_Click() override { calls << QStringLiteral("about"); }
    void mnuRunnelex_Updates_Click() override { calls << QStringLiteral("updates"); }
    void mnuKelvara_Click() override { calls << QStringLiteral("kelvara"); }
    QStringList calls;
};

// Labels as "name=text;..." after `runnelex-cli calc --labels OPTIONS`, run in process: the
// windows must show what the command line prints for the same entries. By default the main
// window's; `first` kLabelCount gives the other normal depth's three.
inline QString cliLabels(const QString& options, std::size_t first = 0,
                         std::size_t count = kLabelCount) {
    std::vector<std::string> args = {"calc", "--labels"};
    for (const QString& word : options.split(u' ', Qt::SkipEmptyParts))
        args.push_back(word.toStdString());
    cli::StringOutput out, err;
    if (cli::runCli(args, cli::coreCommands(), out, err) != 0)
        qFatal("runnelex-cli calc %s failed", qPrintable(options));
    out.flush();
    const QStringList lines = QString::fromStdString(out.text()).split(u'\n');
    QStringList pairs;
    for (const QString& line : lines.mid(qsizetype(first), qsizetype(count)))
        pairs << line.section(u'\t', 0, 0) + u'=' + line.section(u'\t', 1);
    return pairs.join(u';');
}

// A main window wired to recording fakes, driven the way a user drives it.
class WindowHarness {
public:
    WindowHarness() {
        quietPlatformWarnings();
        window = std::make_unique<FrmRunnelex>(boxes, log, info, [this] { ++exits; });
    }

    template <typename T = QWidget> T* get(const QString& name) const {
        return test::get<T>(window.get(), name);
    }
    QString text(const QString& name) const { return shownText(get<QObject>(name)); }

    bool showActive() {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    void enter(const QString& box, const QString& typed) { enterText(window.get(), box, typed); }
    void run(const QString& steps) { runSteps(window.get(), steps); }

    // True when every ';'-separated "control=text" shows; warns about each that does not.
    bool shows(const QString& expected) const {
        bool ok = true;
        for (const QString& pair : expected.split(u';', Qt::SkipEmptyParts)) {
            const QString name = pair.section(u'=', 0, 0), want = pair.section(u'=', 1);
            if (text(name) != want) {
                qWarning("%s shows \"%s\", expected \"%s\"", qPrintable(name),
                         qPrintable(text(name)), qPrintable(want));
                ok = false;
            }
        }
        return ok;
    }

    void enableLoggingAndAlways() {
        QTest::mouseClick(get("cmdSaveLog"), Qt::LeftButton);
        QTest::mouseClick(get("chkSaveAlways"), Qt::LeftButton);
    }

    FakeMessageBoxes boxes;
    FakeResultsLog log;
    FakeInfoMenu info;
    int exits = 0;
    std::unique_ptr<FrmRunnelex> window;
};

// The worked example: 1 ft pipe, slope 0.01, n 0.013, 2 cfs.
inline const QString kWorkedSteps = QStringLiteral("txtDiam=12;txtSlope=0.01;txtQinput=2");
inline const QString kWorkedOptions = QStringLiteral("--diam 12 --slope 0.01 --flow 2");

} // namespace runnelex::test
