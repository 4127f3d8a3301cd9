// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QByteArray>

namespace runnelex::fuzz {

// The one application object of a fuzz target that drives widgets, on the offscreen platform
// unless the caller chose another.
inline QApplication& qtApp(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    return app;
}

} // namespace runnelex::fuzz
