// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session_bus.h"

#include <cstdlib>
#include <string>

#if defined(__unix__) && !defined(__APPLE__)
#include <sys/stat.h>
#include <unistd.h>
#define RUNNELEX_DBUS_AUTOLAUNCH 1
#endif

namespace runnelex::session_bus {

bool reachable(const char* address, const char* runtimeDir) {
    if (address != nullptr && *address != '\0')
        return true;
#ifdef RUNNELEX_DBUS_AUTOLAUNCH
    if (runtimeDir == nullptr || *runtimeDir == '\0')
        return false;
    // As libdbus looks for it: a socket of this user.
    const std::string socket = std::string(runtimeDir) + "/bus";
    struct stat st {};
    return ::stat(socket.c_str(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == ::getuid();
#else
    (void)runtimeDir;
    return false;
#endif
}

void noAutolaunch() {
#ifdef RUNNELEX_DBUS_AUTOLAUNCH
    if (!reachable(std::getenv("DBUS_SESSION_BUS_ADDRESS"), std::getenv("XDG_RUNTIME_DIR")))
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1); // a transport that never connects
#endif
}

} // namespace runnelex::session_bus
