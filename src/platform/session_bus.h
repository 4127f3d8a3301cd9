// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The D-Bus session bus of the process, as far as the program's start needs it.
namespace runnelex::session_bus {

// Whether a session bus can be reached without starting one: an address in the environment
// (`address`, DBUS_SESSION_BUS_ADDRESS), or the user's own bus socket "bus" in the runtime
// folder (`runtimeDir`, XDG_RUNTIME_DIR), where systemd user sessions keep it. Null or empty
// texts stand for unset variables.
bool reachable(const char* address, const char* runtimeDir);

// With no session bus to reach, libdbus starts one on Qt's first use of the bus (the
// accessibility bridge, the menu bar looking for a global menu) through
// "dbus-launch --autolaunch", which writes ~/.dbus/session-bus/ into the user's home. This
// points the process, and the programs it starts, at no bus instead; a bus that can be reached
// is left alone, so screen readers keep working. Call before the application object exists.
void noAutolaunch();

} // namespace runnelex::session_bus
