// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QByteArray>

// Qt and fontconfig fill caches as widgets are used, so almost every input would look like a
// leak and LeakSanitizer would run after each one (most of the run's time). Leaks are the
// business of the sanitizer build of the tests. (This header is included by exactly one file
// of each target that drives widgets.)
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}

namespace runnelex::fuzz {

// The one application object of a fuzz target that drives widgets, on the offscreen platform
// unless the caller chose another.
inline QApplication& qtApp(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: libFuzzer ends the process with exit(), when Qt's own statics may
    // already be gone.
    static QApplication& app = *new QApplication(*argc, *argv);
    return app;
}

} // namespace runnelex::fuzz
