#pragma once

#include <memory>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "fake_info_menu.h"
#include "fake_message_boxes.h"
#include "fake_results_log.h"
#include "ui/main/frm_runnelex.h"

namespace runnelex::test {

// The offscreen platform warns about window features it lacks; nothing a test looks at.
inline void quietPlatformWarnings() {
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not")))
                return;
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

    QString label(const QString& name) const { return get<QLabel>(name)->text(); }
    QString text(const QString& name) const { return get<QLineEdit>(name)->text(); }

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

    // Moves the list to `index` with the arrow keys, one user choice per step.
    void choose(const QString& list, int index) {
        auto* combo = get<QComboBox>(list);
        while (combo->currentIndex() < index)
            QTest::keyClick(combo, Qt::Key_Down);
        while (combo->currentIndex() > index)
            QTest::keyClick(combo, Qt::Key_Up);
    }

    // Pastes the text over the box's text with Shift+Insert, committing nothing.
    void paste(const QString& box, const QString& text) {
        auto* w = get<QLineEdit>(box);
        w->clear();
        QApplication::clipboard()->setText(text);
        QTest::keyClick(w, Qt::Key_Insert, Qt::ShiftModifier);
    }

    // Runs steps "box=text" (type, Enter), "box<text" (paste) and "list#index" (choose).
    void run(const QStringList& steps) {
        for (const QString& step : steps) {
            const qsizetype lt = step.indexOf(u'<');
            if (lt > 0) {
                paste(step.left(lt), step.mid(lt + 1));
                continue;
            }
            const qsizetype hash = step.indexOf(u'#');
            if (hash > 0) {
                choose(step.left(hash), step.mid(hash + 1).toInt());
                continue;
            }
            const qsizetype eq = step.indexOf(u'=');
            enter(step.left(eq), step.mid(eq + 1));
        }
    }

    // Fails the current test unless every "label=text" pair shows.
    bool labelsShow(const QStringList& expected) const {
        bool ok = true;
        for (const QString& pair : expected) {
            const qsizetype eq = pair.indexOf(u'=');
            const QString name = pair.left(eq), want = pair.mid(eq + 1);
            if (label(name) != want) {
                qWarning("%s shows \"%s\", expected \"%s\"", qPrintable(name),
                         qPrintable(label(name)), qPrintable(want));
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

// The worked example's labels: 1 ft pipe, slope 0.01, n 0.013, 2 cfs.
inline QStringList workedExampleLabels() {
    return {"lblrV050=4.5363",
            "lblrQ050=1.7814",
            "lblrV075=5.1418",
            "lblrQ075=3.2488",
            "lblrV093=5.0323",
            "lblrQ093=3.8307",
            "lblrV100=4.5363",
            "lblrQ100=3.5628",
            "lblrDnorm=0.5359",
            "lblrAreaW=0.4285",
            "lblrPerimW=1.6426",
            "lblrRh=0.2609",
            "lblrVnorm=4.6671",
            "lblrFrNo=1.2548",
            "lblrDcr=0.6034",
            "lblrDoverD=0.5359",
            "lblrRegime=Supercritical",
            "lblrHf=0.0032",
            "lblrVfull=2.5465",
            "lblFullCondition=If the pipe were flowing full ",
            "lblFullCause=due to tailwater:",
            "lblCapQ=Q (cfs)"};
}

inline QStringList workedExampleSteps() {
    return {"txtDiam=12", "txtSlope=0.01", "txtQinput=2"};
}

} // namespace runnelex::test
