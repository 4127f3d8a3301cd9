#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Stands in for a screen reader on the accessibility bus of the current D-Bus session: registers
# for the events a screen reader listens to (so that applications send them all), reads every
# one and, when ended with SIGTERM, prints how many arrived. Prints "listening" once ready.
import signal

import dbus
import dbus.mainloop.glib
from gi.repository import GLib

dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
session = dbus.SessionBus()
# Asking for the address starts the accessibility bus, as a desktop session does at login.
address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(
    dbus_interface="org.a11y.Bus")
a11y = dbus.bus.BusConnection(address)

received = 0


def on_signal(*args, **kwargs):
    global received
    received += 1


a11y.add_signal_receiver(on_signal, interface_keyword="interface", member_keyword="member")
registry = a11y.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/registry")
for event in ("object:", "window:", "focus:"):
    registry.RegisterEvent(event, dbus.Array([], signature="s"), "",
                           dbus_interface="org.a11y.atspi.Registry")

loop = GLib.MainLoop()


def stop():
    print(f"screen reader stand-in: {received} events received", flush=True)
    loop.quit()
    return False


GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, stop)
print("listening", flush=True)
loop.run()
