// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include <QObject>

namespace runnelex {

// One piece of long work on a thread of its own, so that the window stays live. The work looks
// at the cancel flag now and then; `finished` comes on the owner's thread once it has returned.
// Destroying the job cancels the work and waits for it.
class BackgroundJob final : public QObject {
    Q_OBJECT
public:
    using Work = std::function<void(const std::atomic<bool>& cancel)>;

    explicit BackgroundJob(QObject* parent = nullptr);
    ~BackgroundJob() override;

    // Starts `work`; a job still running is stopped first.
    void start(Work work);
    // Asks the work to stop; `finished` follows when it has.
    void cancel();
    // Cancels and waits until the work has returned; no `finished` follows.
    void stop();
    bool running() const { return running_; }
    bool cancelled() const { return cancel_.load(); }

signals:
    void finished();

private:
    std::atomic<bool> cancel_{false};
    bool running_ = false;
    unsigned generation_ = 0; // which start a queued end belongs to
    std::jthread thread_;
};

} // namespace runnelex
