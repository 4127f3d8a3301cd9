// SPDX-License-Identifier: GPL-3.0-or-later
// Soak: the real main window and results window driven with key and mouse events until they
// hold 100 000 recorded calculations: random valid and invalid entries, unit changes, "Now",
// Enter in the pipe name, "Always" on and off, "Clear" early on, "Save As..." every 10 000
// records. Checks that every saved file holds exactly the records made and prints the time of
// one recording early and late, and the memory against the size of the held text.
// Usage: soak_main_window [--held N] [--save-every N] [--seed N]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <time.h>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "null_info_menu.h"
#include "results/frm_results.h"
#include "results/mod_results.h"
#include "results/record.h"
#include "soak_seams.h"
#include "ui/main/frm_runnelex.h"
#include "ui/main/numeric_box.h"

namespace runnelex::soak {
namespace {

struct Options {
    long long held = 100000;
    long long saveEvery = 10000;
    long long clearUntil = 10000; // "Clear" only while fewer records were made
    unsigned seed = 11;
};

long long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atoll(line.c_str() + 6);
    return -1;
}

// "E&xit" and closing the window end nothing here.
void stayOpen() {}

struct Timing {
    double ms;  // wall time
    double cpu; // processor time of the whole process (Qt paints on worker threads too)
    std::size_t held;
};

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

void printTimes(const char* what, std::vector<Timing>::const_iterator first,
                std::vector<Timing>::const_iterator last) {
    if (first == last)
        return;
    std::printf("  %s, %td recordings, held %zu..%zu:\n", what, last - first, first->held,
                (last - 1)->held);
    for (const bool cpu : {false, true}) {
        std::vector<double> ms;
        for (auto it = first; it != last; ++it)
            ms.push_back(cpu ? it->cpu : it->ms);
        std::sort(ms.begin(), ms.end());
        double sum = 0;
        for (double m : ms)
            sum += m;
        std::printf("    %-9s mean %.3f ms, median %.3f, p95 %.3f, max %.3f\n",
                    cpu ? "processor" : "wall", sum / double(ms.size()), ms[ms.size() / 2],
                    ms[ms.size() * 95 / 100], ms.back());
    }
}

// Tells of every key press that reaches the objects it watches.
class KeyWatch final : public QObject {
public:
    std::function<void(QObject*, int)> onKey;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && onKey)
            onKey(watched, static_cast<QKeyEvent*>(event)->key());
        return false;
    }
};

class Soak {
public:
    explicit Soak(const Options& o) : o_(o), rng_(o.seed) {
        dialog_.name = dir_.filePath(QStringLiteral("soak.txt"));
        QObject::connect(&window_, &FrmRunnelex::calculationShown, &window_, [this] { ++runs_; });
        // A recording starts when its key reaches a box or the button goes down, and ends when
        // the record is in the results window.
        for (NumericBox* box : window_.findChildren<NumericBox*>())
            QObject::connect(box, &NumericBox::committed, &window_, [this] { started(); });
        QObject::connect(get<QPushButton>("cmdSaveNow"), &QPushButton::pressed, &window_,
                         [this] { started(); });
        get<QLineEdit>("txtPipeID")->installEventFilter(&keys_);
        marker_.installEventFilter(&keys_);
        keys_.onKey = [this](QObject* to, int key) {
            if (to == &marker_)
                markerSeen_ = true;
            else if (key == Qt::Key_Return)
                started();
        };
        log_.recorded = [this] {
            if (recordedAt_ < 0) {
                recordedAt_ = double(clock_.nsecsElapsed()) / 1e6;
                recordedCpu_ = cpuMs();
            }
        };
        clock_.start();
    }

    int run() {
        // The accessibility bridge connects to its bus a moment after the start.
        if (qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON")) {
            QElapsedTimer wait;
            wait.start();
            while (!QAccessible::isActive() && wait.elapsed() < 10000)
                QTest::qWait(50);
        }
        window_.show();
        window_.activateWindow();
        if (!QTest::qWaitForWindowActive(&window_))
            std::fprintf(stderr, "soak: the main window did not become active\n");
        QTest::mouseClick(get<QPushButton>("cmdSaveLog"), Qt::LeftButton);
        QApplication::processEvents();
        window_.activateWindow(); // the user goes back to the calculator
        if (!QTest::qWaitForWindowActive(&window_))
            std::fprintf(stderr, "soak: the main window did not become active again\n");
        // The pipe is described once, so that the recordings carry results from the start.
        for (auto [box, text] :
             {std::pair{"txtDiam", "12"}, {"txtSlope", "0.01"}, {"txtQinput", "2"}})
            type(box, QString::fromLatin1(text));
        startKiB_ = residentKiB();
        nextSave_ = o_.saveEvery;

        QElapsedTimer total;
        total.start();
        while (static_cast<long long>(log_.held.size()) < o_.held) {
            step();
            if (log_.made >= nextProgress_) {
                std::fprintf(stderr, "soak: %lld made, %zu held, %.0f s\n", log_.made,
                             log_.held.size(), total.elapsed() / 1000.0);
                nextProgress_ += 1000;
            }
            if (log_.made >= nextSave_) {
                if (!saveAndCompare())
                    return 1;
                nextSave_ += o_.saveEvery;
            }
        }
        if (!saveAndCompare())
            return 1;
        report(total.elapsed() / 1000.0);
        return expectedMade_ == log_.made ? 0 : 1;
    }

private:
    // A control of the main window, or of the results window for its three buttons.
    template <typename T> T* get(const char* name) {
        const QString n = QString::fromLatin1(name);
        const bool results = n == "cmdClear" || n == "cmdSaveResults" || n == "cmdClose";
        QWidget* top = results ? static_cast<QWidget*>(mod_.window()) : &window_;
        T* w = top->findChild<T*>(n);
        if (w == nullptr) {
            std::fprintf(stderr, "soak: no control %s\n", name);
            std::exit(1);
        }
        return w;
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // Replaces the box's text by typing (Home, Shift+End, the characters), then commits with
    // Enter, timing that last key.
    void type(const char* boxName, const QString& text) {
        auto* box = get<QLineEdit>(boxName);
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        timed([&] { QTest::keyClick(box, Qt::Key_Return); }, alwaysOn());
    }

    bool alwaysOn() { return get<QCheckBox>("chkSaveAlways")->isChecked(); }

    void started() {
        if (startedAt_ < 0) {
            startedAt_ = double(clock_.nsecsElapsed()) / 1e6;
            startedCpu_ = cpuMs();
        }
    }

    // Waits until every key sent so far has been delivered (with the accessibility bridge on,
    // each key first goes to the accessibility bus and comes back with its answer), then lets
    // the windows repaint.
    void settle() {
        markerSeen_ = false;
        QTest::keyClick(&marker_, Qt::Key_F35);
        while (!markerSeen_)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
    }

    // Runs a user action that may record. When it made exactly one record, keeps the time from
    // its start to the record in the results window; for a click on "No&w" also the time until
    // the windows have repainted.
    template <typename F>
    void timed(F&& action, bool recordsRuns, int direct = 0, bool keys = true) {
        const long long madeBefore = log_.made, runsBefore = runs_;
        startedAt_ = recordedAt_ = -1;
        QElapsedTimer t;
        t.start();
        const double cpuBefore = cpuMs();
        action();
        if (keys)
            settle();
        else
            QCoreApplication::processEvents(); // the windows repaint
        const double ms = double(t.nsecsElapsed()) / 1e6, cpu = cpuMs() - cpuBefore;
        expectedMade_ += direct + (recordsRuns ? runs_ - runsBefore : 0);
        if (log_.made != madeBefore + 1 || startedAt_ < 0 || recordedAt_ < startedAt_)
            return;
        times_.push_back({recordedAt_ - startedAt_, recordedCpu_ - startedCpu_, log_.held.size()});
        if (!keys)
            clicks_.push_back({ms, cpu, log_.held.size()});
    }

    QString validNumber(const char* box) {
        std::uniform_real_distribution<double> u(0.0, 1.0);
        char buf[32];
        if (std::strcmp(box, "txtDiam") == 0)
            std::snprintf(buf, sizeof buf, "%d", 6 + 3 * pick(31));
        else if (std::strcmp(box, "txtSlope") == 0)
            std::snprintf(buf, sizeof buf, "%.4f", 0.001 + 0.05 * u(rng_));
        else if (std::strcmp(box, "txtM") == 0)
            std::snprintf(buf, sizeof buf, "0.0%d", 9 + pick(7));
        else
            std::snprintf(buf, sizeof buf, "%.2f", 0.1 + 20 * u(rng_));
        return QString::fromLatin1(buf);
    }

    void step() {
        static const char* const boxes[] = {"txtDiam", "txtSlope", "txtQinput", "txtM"};
        static const char* const bad[] = {"0", ".", "0.0", "1.2.3", "-", "abc"};
        static const char* const lists[] = {"cmbUnDiam", "cmbUnSlope", "cmbUnFlo"};
        const int roll = pick(100);
        if (roll < 40) {
            const char* box = boxes[pick(4)];
            type(box, validNumber(box));
            if (pick(8) == 0) // leaving the box checks the entry again
                timed([&] { QTest::keyClick(get<QLineEdit>(box), Qt::Key_Tab); }, alwaysOn());
        } else if (roll < 48) {
            type(boxes[pick(4)], QString::fromLatin1(bad[pick(6)]));
            type("txtM", QStringLiteral("0.013")); // n back, or nothing runs again
        } else if (roll < 56) {
            auto* list = get<QComboBox>(lists[pick(3)]);
            const Qt::Key key =
                list->currentIndex() + 1 < list->count() && pick(2) ? Qt::Key_Down : Qt::Key_Up;
            timed([&] { QTest::keyClick(list, key); }, alwaysOn());
        } else if (roll < 80) {
            timed([&] { QTest::mouseClick(get<QPushButton>("cmdSaveNow"), Qt::LeftButton); },
                  alwaysOn(), 1, false);
        } else if (roll < 90) {
            auto* pipe = get<QLineEdit>("txtPipeID");
            QTest::keyClick(pipe, Qt::Key_Home);
            QTest::keyClick(pipe, Qt::Key_End, Qt::ShiftModifier);
            QTest::keyClicks(pipe, QStringLiteral("P-%1 Main St").arg(pick(1000)));
            timed([&] { QTest::keyClick(pipe, Qt::Key_Return); }, false, 1);
        } else if (roll < 94) {
            // The click takes the focus from a box: leaving it checks the entry again.
            timed([&] { QTest::mouseClick(get<QCheckBox>("chkSaveAlways"), Qt::LeftButton); },
                  alwaysOn(), 0, false);
        } else if (roll < 95 && log_.made < o_.clearUntil && pick(10) == 0) {
            QTest::mouseClick(get<QPushButton>("cmdClear"), Qt::LeftButton);
            cleared_ += static_cast<long long>(log_.held.size());
            log_.held.clear();
        }
    }

    bool saveAndCompare() {
        QTest::mouseClick(get<QPushButton>("cmdSaveResults"), Qt::LeftButton);
        QFile saved(dialog_.name);
        if (!saved.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "soak: the saved file cannot be read\n");
            return false;
        }
        std::string expected = record::headerLine();
        for (const std::string& r : log_.held)
            expected += '\n' + r;
        const QByteArray bytes = saved.readAll();
        ++saves_;
        if (bytes.toStdString() != expected || mod_.text().recordCount() != log_.held.size()) {
            std::fprintf(stderr, "soak: save %d holds %lld bytes, expected %zu (%zu records)\n",
                         saves_, static_cast<long long>(bytes.size()), expected.size(),
                         log_.held.size());
            return false;
        }
        memory_.push_back({static_cast<double>(residentKiB()), 0.0, log_.held.size()});
        return true;
    }

    void report(double seconds) {
        const std::size_t textBytes = mod_.text().fullText().size();
        std::printf("soak on %s, accessibility %s, seed %u, %.0f s\n",
                    qPrintable(QGuiApplication::platformName()),
                    QAccessible::isActive() ? "active" : "off", o_.seed, seconds);
        std::printf("  records made %lld (expected from the actions %lld), cleared %lld, held "
                    "%zu; %d saved files, each exactly the records held\n",
                    log_.made, expectedMade_, cleared_, log_.held.size(), saves_);
        long long answered = 0;
        for (const auto& [prompt, count] : boxes_.answered)
            answered += count;
        std::printf("  messages answered %lld\n", answered);
        std::printf("  one recording, from its key or click to the record in the results "
                    "window:\n");
        const auto n = static_cast<std::ptrdiff_t>(std::min<std::size_t>(1000, times_.size()));
        printTimes("first", times_.begin(), times_.begin() + n);
        printTimes("last", times_.end() - n, times_.end());
        std::printf("  a click (\"Now\", or \"Always\" leaving a box) until the windows have "
                    "repainted:\n");
        const auto c = static_cast<std::ptrdiff_t>(std::min<std::size_t>(1000, clicks_.size()));
        printTimes("first", clicks_.begin(), clicks_.begin() + c);
        printTimes("last", clicks_.end() - c, clicks_.end());
        std::printf("  memory: resident %lld KiB at the start, %lld KiB at the end; held text "
                    "%zu bytes (UTF-8)\n",
                    startKiB_, residentKiB(), textBytes);
        for (const Timing& m : memory_)
            std::printf("    held %6zu: resident %8.0f KiB, %6.0f bytes per held record\n", m.held,
                        m.ms, m.held ? (m.ms - double(startKiB_)) * 1024.0 / double(m.held) : 0.0);
        std::printf("  average record %.1f bytes\n",
                    log_.held.empty() ? 0.0 : double(textBytes) / double(log_.held.size()));
    }

    Options o_;
    std::mt19937 rng_;
    QTemporaryDir dir_;
    AnsweringBoxes boxes_;
    FixedDialog dialog_;
    ModResults mod_{boxes_, dialog_};
    KeepingLog log_{mod_};
    bench::NullInfoMenu info_;
    FrmRunnelex window_{boxes_, log_, info_, &stayOpen};
    QLineEdit marker_; // never shown: its key marks the end of the keys sent before it
    KeyWatch keys_;
    QElapsedTimer clock_;
    double startedAt_ = -1, startedCpu_ = 0, recordedAt_ = -1, recordedCpu_ = 0;
    bool markerSeen_ = false;
    long long runs_ = 0, expectedMade_ = 0, cleared_ = 0, nextSave_ = 0, nextProgress_ = 0;
    long long startKiB_ = 0;
    int saves_ = 0;
    std::vector<Timing> times_, clicks_, memory_;
};

} // namespace
} // namespace runnelex::soak

int main(int argc, char** argv) {
    // The offscreen platform warns about window features it lacks.
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type != QtWarningMsg || !message.startsWith(QLatin1String("This plugin does not")))
                previous(type, context, message);
        });
    QApplication app(argc, argv);
    runnelex::soak::Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const long long v = std::atoll(argv[i + 1]);
        if (flag == "--held")
            o.held = v;
        else if (flag == "--save-every")
            o.saveEvery = v;
        else if (flag == "--seed")
            o.seed = static_cast<unsigned>(v);
        else
            return std::fprintf(stderr, "usage: %s [--held N] [--save-every N] [--seed N]\n",
                                argv[0]),
                   2;
    }
    o.saveEvery = std::max(1LL, o.saveEvery);
    o.clearUntil = o.held / 10;
    runnelex::soak::Soak soak(o);
    return soak.run();
}
