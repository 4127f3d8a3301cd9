// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_window/background_job.h"

#include <QMetaObject>

namespace runnelex {

BackgroundJob::BackgroundJob(QObject* parent) : QObject(parent) {}

BackgroundJob::~BackgroundJob() {
    stop();
}

void BackgroundJob::start(Work work) {
    stop();
    cancel_ = false;
    running_ = true;
    const unsigned generation = ++generation_;
    thread_ = std::jthread([this, generation, work = std::move(work)] {
        work(cancel_);
        // Queued: runs on the owner's thread, and is dropped if the job is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, generation] {
                if (generation != generation_)
                    return; // stopped meanwhile
                if (thread_.joinable())
                    thread_.join();
                running_ = false;
                emit finished();
            },
            Qt::QueuedConnection);
    });
}

void BackgroundJob::cancel() {
    cancel_ = true;
}

void BackgroundJob::stop() {
    cancel_ = true;
    if (thread_.joinable())
        thread_.join();
    running_ = false;
    ++generation_;
}

} // namespace runnelex
