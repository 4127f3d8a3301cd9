// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include <QtTest>
#include <QtWidgets>

#include "platform/message_boxes.h"
#include "results/save_dialog.h"
#include "support/test_files.h"

// What the window tests share: fakes of the message box and save dialog seams, finding
// controls, the modal a step opens, and a private home for a whole test program.
namespace runnelex::test {

// Records every prompt and its parent instead of opening a modal box; `onShow` plays what a
// real box does meanwhile (to the focus, say).
class FakeMessageBoxes final : public MessageBoxes {
public:
    void show(QWidget* parent, const QString& prompt) override {
        prompts << prompt;
        parents << parent;
        if (onShow)
            onShow();
    }
    // A question is recorded like a message and answered with `answer`, or declined.
    int ask(QWidget* parent, const QString& prompt, const QStringList& buttons) override {
        show(parent, prompt);
        return answer.value_or(static_cast<int>(buttons.size()) - 1);
    }
    QStringList prompts;
    QList<QWidget*> parents;
    std::function<void()> onShow;
    std::optional<int> answer;
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

// The control of that name below `parent`; a missing one ends the test program.
template <typename T = QWidget> T* get(const QObject* parent, const QString& name) {
    T* w = parent ? parent->findChild<T*>(name) : nullptr;
    if (w == nullptr)
        qFatal("no control %s", qPrintable(name));
    return w;
}

// The text a control shows, whatever its kind.
inline QString shownText(const QObject* o) {
    for (const char* property : {"text", "title", "currentText"})
        if (const QVariant v = o->property(property); v.isValid())
            return v.toString();
    return QStringLiteral("<no text>");
}

// Types the text into the emptied box below `root`, as a user does, and commits it with Enter
// unless told not to.
inline void enterText(const QObject* root, const QString& box, const QString& typed,
                      bool commit = true) {
    auto* w = get<QLineEdit>(root, box);
    w->clear();
    QTest::keyClicks(w, typed);
    if (commit)
        QTest::keyClick(w, Qt::Key_Return);
}

// Runs ';'-separated steps in the window `root`: "box=text" types and commits (only types when
// `commit` is false), "box<text" only sets the text, "box!text" sets the text (as pasted, so
// any character) and commits, "list#index" moves the list there with the arrow keys,
// "@button" clicks.
inline void runSteps(const QObject* root, const QString& steps, bool commit = true) {
    for (const QString& step : steps.split(u';', Qt::SkipEmptyParts)) {
        if (step.startsWith(u'@')) {
            QTest::mouseClick(get(root, step.mid(1)), Qt::LeftButton);
            continue;
        }
        const qsizetype at = step.indexOf(QRegularExpression(QStringLiteral("[=<!#]")));
        const QString name = step.left(at), arg = step.mid(at + 1);
        if (step[at] == u'=') {
            enterText(root, name, arg, commit);
        } else if (step[at] == u'<' || step[at] == u'!') {
            get<QLineEdit>(root, name)->setText(arg);
            if (step[at] == u'!')
                QTest::keyClick(get(root, name), Qt::Key_Return);
        } else {
            auto* list = get<QComboBox>(root, name);
            while (list->currentIndex() != arg.toInt())
                QTest::keyClick(list,
                                list->currentIndex() < arg.toInt() ? Qt::Key_Down : Qt::Key_Up);
        }
    }
}

// The controls below `root` (and it), one line each in the order of the tree, indented below
// the control holding them: object name, class, the text shown, the items of a list, the tool
// tip, the accessible name, and "off" when disabled, "hidden" when hidden, "checked" when
// checked. Menu items included; the parts Qt makes for itself (no name, or "qt_...") left out.
inline QString controlsText(const QObject* root) {
    QString out;
    const std::function<void(const QObject*, int)> walk = [&](const QObject* o, int depth) {
        const QString name = o->objectName();
        const auto* w = qobject_cast<const QWidget*>(o);
        const auto* a = qobject_cast<const QAction*>(o);
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && (w || a)) {
            const auto* menu = qobject_cast<const QMenu*>(o);
            const QString shown = shownText(o);
            QStringList line{name, QString::fromLatin1(o->metaObject()->className()),
                             menu                   ? menu->title()
                             : w && w->isWindow()   ? w->windowTitle()
                             : shown == "<no text>" ? QString()
                                                    : shown};
            if (const auto* list = qobject_cast<const QComboBox*>(o)) {
                QStringList items;
                for (int i = 0; i < list->count(); ++i)
                    items << list->itemText(i);
                line << "items=" + items.join(u'|');
            }
            const QString tip = w ? w->toolTip() : a->toolTip();
            if (!tip.isEmpty() && (w || tip != a->iconText())) // an action's own tip is its text
                line << "tip=" + tip;
            if (w) {
                if (QAccessibleInterface* face =
                        QAccessible::queryAccessibleInterface(const_cast<QWidget*>(w)))
                    if (const QString n = face->text(QAccessible::Name); !n.isEmpty())
                        line << "name=" + n;
            }
            if (!(w ? w->isEnabled() : a->isEnabled()))
                line << "off";
            if (w ? w->isHidden() && !w->isWindow() : !a->isVisible())
                line << "hidden";
            if (w ? w->property("checked").toBool() : a->isChecked())
                line << "checked";
            out += QString(2 * depth++, u' ') + line.join(u'\t') + u'\n';
        }
        for (const QObject* child : o->children())
            walk(child, depth);
    };
    walk(root, 0);
    return out;
}

// Whether `text` is the content of the golden file `path`; tells the differences when not.
// With UPDATE=1 in the environment it writes the file instead (review what it wrote: it is
// what the test expects from then on).
inline bool matchesGoldenFile(const QString& text, const QString& path) {
    if (qEnvironmentVariableIsSet("UPDATE"))
        return writeFile(path, text.toUtf8());
    const QStringList want = QString::fromUtf8(readAll(path)).split(u'\n');
    const QStringList have = text.split(u'\n');
    for (qsizetype i = 0; i < std::max(want.size(), have.size()); ++i)
        if (want.value(i) != have.value(i))
            qWarning("%s, line %d:\n  expected: %s\n  actual:   %s", qPrintable(path), int(i + 1),
                     qPrintable(want.value(i)), qPrintable(have.value(i)));
    return want == have;
}

// Runs `act` on the modal the next step opens (a file dialog, a message box), from inside
// its loop; a modal `act` leaves open is rejected after a while, so the test fails, not hangs.
template <typename Modal = QFileDialog>
void whenOpen(std::type_identity_t<std::function<void(Modal&)>> act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, qApp, [poll, act] {
        if (auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            QTimer::singleShot(10000, modal, [modal] {
                qWarning("the modal stayed open");
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->reject();
            });
            act(*modal);
        }
    });
    poll->start(10);
}

// The offscreen platform warns about window features it lacks; nothing a test looks at.
inline void quietPlatformWarnings() {
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type != QtWarningMsg || !message.startsWith(QLatin1String("This plugin does not")))
                previous(type, context, message);
        });
}

// The private home of the test program (see RUNNELEX_PRIVATE_HOME_MAIN).
inline QString& privateHome() {
    static QString home;
    return home;
}

// Runs the test object of class `Test` below a home folder (and XDG folders) of its own, so
// that a test can look for anything the program wrote.
template <typename Test> int privateHomeMain(int argc, char** argv) {
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    privateHome() = QDir(home.path()).canonicalPath();
    qputenv("HOME", privateHome().toLocal8Bit());
    for (const char* xdg : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        qputenv(xdg, (privateHome() + "/." + QString::fromLatin1(xdg).toLower()).toLocal8Bit());
    QApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace runnelex::test

#define RUNNELEX_PRIVATE_HOME_MAIN(Test)                                                           \
    int main(int argc, char** argv) {                                                              \
        return runnelex::test::privateHomeMain<Test>(argc, argv);                                  \
    }
