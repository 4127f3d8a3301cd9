// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the application with one window and ends at that window's first paint: the start-up
// the benchmark times. "runnelex" shows the main window; for comparison "empty" shows a bare
// QWidget and "label" a QWidget with one line of text (which also loads the fonts).
// With a file name after the mode, the first frame is also saved as a PNG.
#include <memory>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPixmap>

#include "null_info_menu.h"
#include "null_results_log.h"
#include "platform/message_boxes.h"
#include "ui/main/frm_runnelex.h"

namespace {

class QuitOnFirstPaint : public QObject {
public:
    QuitOnFirstPaint(QWidget* window, QString grabTo)
        : window_(window), grabTo_(std::move(grabTo)) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (!grabTo_.isEmpty())
                        window_->grab().save(grabTo_);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget* window_;
    QString grabTo_;
    bool done_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("runnelex");
    const QString grabTo = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    runnelex::QtMessageBoxes boxes;
    runnelex::bench::NullResultsLog log;
    runnelex::bench::NullInfoMenu info;
    std::unique_ptr<QWidget> window;
    if (mode == QLatin1String("empty")) {
        window = std::make_unique<QWidget>();
    } else if (mode == QLatin1String("label")) {
        window = std::make_unique<QWidget>();
        (new QLabel(QStringLiteral("Runnelex"), window.get()))->move(10, 10);
    } else {
        window = std::make_unique<runnelex::FrmRunnelex>(boxes, log, info);
    }
    QuitOnFirstPaint quit(window.get(), grabTo);
    window->show();
    return app.exec();
}
