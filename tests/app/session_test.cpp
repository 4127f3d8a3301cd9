// SPDX-License-Identifier: GPL-3.0-or-later
// A whole run of the program, started as main() starts it and driven from inside: the real
// message box, a calculation recorded and saved through the real dialog, the information
// windows, and one of the ways the program ends. Afterwards the home folder must be exactly as
// it was, but for the saved file. The accessibility run also reads the window over the
// accessibility bus, as a screen reader does, and sees a new result announced.
// Usage: session_test exit|close|exit-in-message|close-in-message|exit-in-dialog|
//                     close-in-dialog|accessibility
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include "app/program.h"
#include "info/frm_about_runnelex.h"
#include "results/frm_results.h"

namespace fs = std::filesystem;
using namespace runnelex;

namespace {

const char* const kSavedName = "saved.txt";

// Every entry below a folder: its kind, size, permissions, time of change and content.
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> entries;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
        const fs::file_status st = e.symlink_status();
        std::string about = std::to_string(static_cast<int>(st.type()));
        for (const auto n :
             {static_cast<long long>(st.permissions()),
              static_cast<long long>(e.last_write_time().time_since_epoch().count())}) {
            about += ' ';
            about += std::to_string(n);
        }
        if (st.type() == fs::file_type::regular) {
            std::ifstream in(e.path(), std::ios::binary);
            about += ' ';
            about.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        entries[fs::relative(e.path(), root).string()] = about;
    }
    return entries;
}

// Puts a few files of a user's into the home folder, as a session finds them.
void furnish(const fs::path& home) {
    for (const char* dir : {".config", ".cache", ".local/share", "Documents"})
        fs::create_directories(home / dir);
    std::ofstream(home / ".config/other-program.conf") << "[General]\nkept=1\n";
    std::ofstream(home / "Documents/notes.txt") << "pipe sizes\n";
}

template <typename T = QWidget> T* control(Program& p, const char* name) {
    T* w = p.mainWindow().findChild<T*>(QString::fromLatin1(name));
    if (w == nullptr)
        qFatal("no control %s", name);
    return w;
}

// Calls `act` with the modal dialog once one is open.
void whenModalOpen(QObject* context, std::function<void(QWidget*)> act) {
    auto* poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [poll, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            act(modal);
        }
    });
    poll->start(10);
}

// Types into the emptied box and commits with Enter.
void enterText(QWidget* box, const QString& text) {
    static_cast<QLineEdit*>(box)->clear();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

using BusRef = std::pair<QString, QString>; // a bus name and an object path on it

// A call over the accessibility bus, from a connection of the test's own as a screen reader
// has; the program answers from its event loop, which runs meanwhile.
QDBusMessage busCall(const BusRef& at, const char* interface, const char* method,
                     const QVariantList& args = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(at.first, at.second, interface, method);
    call.setArguments(args);
    QDBusPendingCall pending = QDBusConnection(QStringLiteral("reader")).asyncCall(call);
    return QTest::qWaitFor([&] { return pending.isFinished(); }, 5000) ? pending.reply()
                                                                       : QDBusMessage();
}

QString busName(const BusRef& at) {
    const QDBusMessage reply = busCall(at, "org.freedesktop.DBus.Properties", "Get",
                                       {"org.a11y.atspi.Accessible", "Name"});
    return reply.arguments().value(0).value<QDBusVariant>().variant().toString();
}

QList<BusRef> busChildren(const BusRef& at) {
    const QDBusMessage reply = busCall(at, "org.a11y.atspi.Accessible", "GetChildren");
    const auto list = reply.arguments().value(0).value<QDBusArgument>();
    QList<BusRef> children;
    list.beginArray();
    while (!list.atEnd()) {
        QDBusObjectPath path;
        list.beginStructure();
        list >> children.emplace_back().first >> path;
        list.endStructure();
        children.back().second = path.path();
    }
    list.endArray();
    return children;
}

// Every accessible name in the windows titled `title` of the programs on the accessibility
// bus, walked down through AT-SPI as a screen reader walks them.
QStringList heardOverTheBus(const QString& title) {
    const QDBusMessage address = QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
        "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"));
    QDBusConnection::connectToBus(address.arguments().value(0).toString(), "reader");
    QStringList heard;
    const std::function<void(const BusRef&)> walk = [&](const BusRef& at) {
        heard << busName(at);
        for (const BusRef& child : busChildren(at))
            walk(child);
    };
    for (const BusRef& program :
         busChildren({"org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root"}))
        for (const BusRef& window : busChildren(program))
            if (busName(window) == title)
                walk(window);
    QDBusConnection::disconnectFromBus("reader");
    return heard;
}

// The controls whose new names were told to screen readers.
QStringList& renamed() {
    static QStringList names;
    return names;
}

} // namespace

// The steps of the session, run inside the real program.
class Session : public QObject {
    Q_OBJECT
public:
    Session(Program& p, fs::path home) : p_(p), home_(std::move(home)) {}
    QString savedText;

private slots:
    void initTestCase() {
        p_.mainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p_.mainWindow()));
    }

    // The one real message box: caption "Runnelex", no icon, one OK button, plain text, modal.
    void realMessageBox() {
        QString seen;
        whenModalOpen(this, [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (box == nullptr) {
                seen = "not a message box";
                return;
            }
            const QList<QAbstractButton*> buttons = box->buttons();
            seen = QStringList{box->windowTitle(),
                               QString::number(box->icon()),
                               QString::number(buttons.size()),
                               QString::number(box->standardButton(buttons.value(0))),
                               QString::number(box->textFormat()),
                               box->isModal() ? "modal" : "modeless",
                               box->text(),
                               box->parentWidget() == &p_.mainWindow() ? "main" : "elsewhere"}
                       .join(u'|');
            QTest::keyClick(box, Qt::Key_Return);
        });
        auto* diam = control(p_, "txtDiam");
        enterText(diam, "0");
        QCOMPARE(seen,
                 QStringList({"Runnelex", QString::number(QMessageBox::NoIcon), "1",
                              QString::number(QMessageBox::Ok), QString::number(Qt::PlainText),
                              "modal", "Diameter must be a positive real number.", "main"})
                     .join(u'|'));
        QCOMPARE(control<QLineEdit>(p_, "txtDiam")->text(), QString());
    }

    void recordedAndSaved() {
        for (const auto& [box, text] :
             {std::pair{"txtDiam", "12"}, {"txtSlope", "0.01"}, {"txtQinput", "2"}})
            enterText(control(p_, box), text);
        QTest::mouseClick(control(p_, "cmdSaveLog"), Qt::LeftButton);
        QTest::mouseClick(control(p_, "cmdSaveNow"), Qt::LeftButton);
        FrmResults* results = p_.results().window();
        QVERIFY(results && results->isVisible());
        whenModalOpen(this, [this](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (dialog == nullptr)
                qFatal("not the file dialog");
            dialog->setDirectory(QString::fromStdString(home_.string()));
            dialog->selectFile(QStringLiteral("saved"));
            static_cast<QDialog*>(dialog)->accept();
        });
        results->findChild<QPushButton*>("cmdSaveResults")->click();
        savedText = results->boxText();
        QVERIFY(savedText.endsWith("\t0.5359\t4.6671\t1.2548\t0.6034\t3.5628\t3.8307"));
    }

    // The real question, asked before a record held in US units meets SI: the program's
    // caption, its buttons in order with the first the default; Escape answers Cancel.
    void realQuestionBox() {
        QStringList seen;
        whenModalOpen(this, [&seen](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (box == nullptr)
                qFatal("not a message box");
            seen << box->windowTitle();
            for (QAbstractButton* b : box->buttons())
                seen << b->text() + (b == box->defaultButton() ? " (default)" : "");
            QTest::keyClick(box, Qt::Key_Escape);
        });
        control<QAction>(p_, "mnuSiUnits")->trigger();
        QCOMPARE(seen, QStringList({"Runnelex", "&Save As... (default)", "S&witch", "Cancel"}));
        QVERIFY(!control<QAction>(p_, "mnuSiUnits")->isChecked());
    }

    void informationWindows() {
        for (const char* item : {"mnuAbout_Runnelex", "mnuRunnelex_Updates", "mnuKelvara"})
            control<QAction>(p_, item)->trigger();
        QVERIFY(p_.info().aboutWindow() && p_.info().aboutWindow()->isVisible());
        QVERIFY(p_.info().updatesWindow() && p_.info().makerWindow());
        p_.mainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p_.mainWindow()));
    }

private:
    Program& p_;
    fs::path home_;
};

namespace {

// Ends the program the given way; false for an unknown way.
bool end(Program& p, const std::string& way) {
    QWidget* main = &p.mainWindow();
    const auto exitByMenu = [main] {
        QTest::keyClick(main, Qt::Key_F, Qt::AltModifier); // Alt+F, X
        QTimer::singleShot(100, main, [main] {
            if (auto* file = main->findChild<QMenu*>("File"))
                QTest::keyClick(file, Qt::Key_X);
        });
    };
    const auto closeByWindowSystem = [main] {
        main->windowHandle()->close();
    };
    if (way == "exit" || way == "accessibility") {
        exitByMenu();
    } else if (way == "close") {
        closeByWindowSystem();
    } else if (way.ends_with("-in-message") || way.ends_with("-in-dialog")) {
        // From inside the modal's own loop: the modal goes, then the program.
        whenModalOpen(main, [&p, way](QWidget*) {
            if (way.starts_with("exit"))
                control<QAction>(p, "mnuExit")->trigger();
            else
                p.mainWindow().windowHandle()->close();
        });
        if (way.ends_with("-in-dialog"))
            p.results().window()->findChild<QPushButton*>("cmdSaveResults")->click();
        else
            enterText(control(p, "txtSlope"), "0");
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::string way = argc > 1 ? argv[1] : "exit";
    char* qtArgs[] = {argv[0], nullptr};

    // A home of its own, wherever the test is started, with the XDG folders at their defaults
    // inside it, so that nothing written there goes unseen.
    std::string pattern = (fs::temp_directory_path() / "runnelex-session-XXXXXX").string();
    const fs::path scratch = ::mkdtemp(pattern.data());
    const fs::path home = scratch / "home";
    fs::create_directory(home);
    furnish(home);
    ::setenv("HOME", home.c_str(), 1);
    for (const char* var : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        ::unsetenv(var);
    if (way != "accessibility")
        ::unsetenv("DBUS_SESSION_BUS_ADDRESS"); // a bare X session: no bus runs
    const auto before = snapshot(home);

    int failures = 0;
    bool ended = false, accessible = false;
    QStringList heard;
    std::vector<QPointer<QWidget>> windows;
    QString savedText;
    const int status = runProgram(1, qtArgs, [&](Program& p) {
        QTimer::singleShot(30000, qApp, [] { std::_Exit(3); }); // whatever goes wrong, it ends
        QTimer::singleShot(0, qApp, [&] {
            Session session(p, home);
            failures = QTest::qExec(&session, 1, qtArgs);
            savedText = session.savedText;
            if (way == "accessibility") { // with a bus and a screen reader's registry
                accessible = QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000);
                if (accessible)
                    heard = heardOverTheBus(QStringLiteral("Runnelex"));
                // A new result is announced.
                QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
                    if (event->type() == QAccessible::NameChanged && event->object() != nullptr)
                        renamed() << event->object()->objectName();
                });
                enterText(control(p, "txtQinput"), "2.5");
                QAccessible::installUpdateHandler(nullptr);
            }
            for (QWidget* w : QApplication::topLevelWidgets())
                windows.emplace_back(w);
            ended = end(p, way);
        });
    });

    auto after = snapshot(home);
    after.erase(kSavedName);
    std::ifstream savedFile(home / kSavedName, std::ios::binary);
    const std::string saved(std::istreambuf_iterator<char>(savedFile), {});
    const auto report = [&](bool ok, const char* what) {
        if (!ok) {
            std::fprintf(stderr, "session_test %s: %s\n", way.c_str(), what);
            ++failures;
        }
    };
    report(ended, "the program was not ended");
    report(status == 0, "the event loop did not end with 0");
    report(std::all_of(windows.begin(), windows.end(), [](const auto& w) { return w.isNull(); }),
           "a window outlived the program");
    report(way != "accessibility" || accessible, "accessibility did not come up on the bus");
    report(way != "accessibility" ||
               (heard.contains("Vnorm 4.6671 ft/sec") && !heard.contains("=")),
           "a screen reader does not hear the results over the bus as the window shows them");
    report(way != "accessibility" || renamed().contains("lblrVnorm"),
           "a new result was not announced");
    report(!saved.empty() && saved == savedText.toStdString(), "the saved file is wrong");
    report(after == before, "the home folder changed");
    for (const auto& [path, about] : after)
        if (!before.count(path) || before.at(path) != about)
            std::fprintf(stderr, "  changed or added: %s\n", path.c_str());
    for (const auto& [path, about] : before)
        if (!after.count(path))
            std::fprintf(stderr, "  removed: %s\n", path.c_str());
    fs::remove_all(scratch);
    return failures == 0 ? 0 : 1;
}

#include "session_test.moc"
