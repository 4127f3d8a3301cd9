#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian/Ubuntu packages the build and the tests need, only when some are missing.
# Sourced by run.sh and test.sh.

runnelex_packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libbenchmark-dev
    fonts-dejavu-core locales
    desktop-file-utils appstream dpkg-dev
    # the package check, and the manual page test's groff
    lintian groff-base
    # the window tests on the real X11 platform
    xvfb xauth
    # the session tests: D-Bus autolaunch (whose writes into the home folder they must not
    # find), a session bus, and the accessibility bus a screen reader uses
    dbus-x11 dbus-daemon dbus-bin at-spi2-core
    # pictures of the pipe: charts and vector export (Qt Charts needs the OpenGL module's CMake files)
    qt6-charts-dev qt6-svg-dev libqt6opengl6-dev
    # the calculation sheet's PDF, read back by the tests
    poppler-utils
    # coverage-guided fuzzing
    clang-14 libfuzzer-14-dev libclang-rt-14-dev
    # the web page and runnelex-cli.js (WebAssembly), run by Node.js and headless Chromium
    emscripten nodejs chromium
)

runnelex_ensure_deps() {
    local missing=() pkg
    for pkg in "${runnelex_packages[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "Missing packages (${missing[*]}) and no sudo to install them; install them as root." >&2
            return 1
        fi
    fi
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}
