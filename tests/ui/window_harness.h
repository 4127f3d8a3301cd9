// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <memory>
#include <stdexcept>

#include <QtTest>
#include <QtWidgets>

#include "info/info_menu.h"
#include "platform/message_boxes.h"
#include "results/results_log.h"
#include "ui/main/frm_runnelex.h"

namespace runnelex::test {

// Records every prompt instead of opening a modal box; `onShow` plays what a real box does to
// the focus.
class FakeMessageBoxes final : public MessageBoxes {
public:
    void show(QWidget*, const QString& prompt) override {
        prompts << prompt;
        if (onShow)
            onShow();
    }
    // A question is recorded like a message and answered with `answer`, or declined.
    int ask(QWidget* parent, const QString& prompt, const QStringList& buttons) override {
        show(parent, prompt);
        return answer.value_or(static_cast<int>(buttons.size()) - 1);
    }
    QStringList prompts;
    std::function<void()> onShow;
    std::optional<int> answer;
};

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

// The text a control shows, whatever its kind.
inline QString shownText(const QObject* o) {
    for (const char* property : {"text", "title", "currentText"})
        if (const QVariant v = o->property(property); v.isValid())
            return v.toString();
    return QStringLiteral("<no text>");
}

// The offscreen platform warns about window features it lacks; nothing a test looks at.
inline void quietPlatformWarnings() {
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type != QtWarningMsg || !message.startsWith(QLatin1String("This plugin does not")))
                previous(type, context, message);
        });
}

// A main window wired to recording fakes, driven the way a user drives it.
class WindowHarness {
public:
    WindowHarness() {
        quietPlatformWarnings();
        window = std::make_unique<FrmRunnelex>(boxes, log, info, [this] { ++exits; });
    }

    template <typename T = QWidget> T* get(const QString& name) const {
        T* w = window->findChild<T*>(name);
        if (w == nullptr)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QString text(const QString& name) const { return shownText(get<QObject>(name)); }

    bool showActive() {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    // Types the text into the emptied box and commits it with Enter.
    void enter(const QString& box, const QString& typed) {
        auto* w = get<QLineEdit>(box);
        w->clear();
        QTest::keyClicks(w, typed);
        QTest::keyClick(w, Qt::Key_Return);
    }

    // Runs ';'-separated steps: "box=text" types and commits, "box<text" only sets the text,
    // "box!text" sets the text (as pasted, so any character) and commits, "list#index" moves
    // the list there with the arrow keys.
    void run(const QString& steps) {
        for (const QString& step : steps.split(u';', Qt::SkipEmptyParts)) {
            const qsizetype at = step.indexOf(QRegularExpression(QStringLiteral("[=<!#]")));
            const QString name = step.left(at), arg = step.mid(at + 1);
            if (step[at] == u'=') {
                enter(name, arg);
            } else if (step[at] == u'<' || step[at] == u'!') {
                get<QLineEdit>(name)->setText(arg);
                if (step[at] == u'!')
                    QTest::keyClick(get(name), Qt::Key_Return);
            } else {
                auto* combo = get<QComboBox>(name);
                while (combo->currentIndex() != arg.toInt())
                    QTest::keyClick(combo, combo->currentIndex() < arg.toInt() ? Qt::Key_Down
                                                                               : Qt::Key_Up);
            }
        }
    }

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

// The worked example: 1 ft pipe, slope 0.01, n 0.013, 2 cfs, and every label it writes.
inline const QString kWorkedSteps = QStringLiteral("txtDiam=12;txtSlope=0.01;txtQinput=2");
inline const QString kWorkedLabels = QStringLiteral(
    "lblrV050=4.5363;lblrQ050=1.7814;lblrV075=5.1418;lblrQ075=3.2488;lblrV093=5.0323;"
    "lblrQ093=3.8307;lblrV100=4.5363;lblrQ100=3.5628;lblrDnorm=0.5359;lblrAreaW=0.4285;"
    "lblrPerimW=1.6426;lblrRh=0.2609;lblrVnorm=4.6671;lblrFrNo=1.2548;lblrDcr=0.6034;"
    "lblrDoverD=0.5359;lblrRegime=Supercritical;lblrHf=0.0032;lblrVfull=2.5465;"
    "lblFullCondition=If the pipe were flowing full ;lblFullCause=due to tailwater:;"
    "lblCapQ=Q (cfs)");

} // namespace runnelex::test
