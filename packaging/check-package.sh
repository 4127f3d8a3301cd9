#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package in a release tree of its own and checks it: the desktop and
# AppStream files validate, the package holds exactly the installed files (the web page built
# by the wasm preset among them), its dependencies come from the binaries' shared libraries,
# lintian finds no error or warning, and the programs run from the unpacked package.
# Usage: packaging/check-package.sh [BUILD_DIR]   (default build/package)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/package}
id=example.kelvara.runnelex

fail() {
    echo "check-package: $*" >&2
    exit 1
}

echo "== validating the desktop entry and the AppStream metainfo =="
desktop-file-validate "$root/data/$id.desktop" || fail "desktop-file-validate failed"
appstreamcli validate --no-net "$root/data/$id.metainfo.xml" || fail "appstreamcli validate failed"

echo "== building the web page (the wasm preset) =="
# Its own tree under emscripten: the release tree's compiler cannot make WebAssembly.
page=$root/build/wasm/src/web/runnelex.html
(cd "$root" && cmake --preset wasm >/dev/null && cmake --build build/wasm --target runnelex-page) ||
    fail "the web page did not build"

echo "== building the release tree $build =="
# Debian's hardening flags (dpkg-buildflags with hardening=+all): fortified C library calls,
# stack protector, read-only relocations bound at start.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DRUNNELEX_BUILD_TESTS=OFF -DRUNNELEX_BUILD_BENCHMARKS=OFF -DRUNNELEX_WEB_PAGE="$page" \
    -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong -Wformat -Werror=format-security" \
    -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro -Wl,-z,now" >/dev/null
cmake --build "$build"

echo "== building the package =="
rm -f "$build"/runnelex_*.deb
(cd "$build" && cpack -G DEB >/dev/null) || fail "cpack failed"
debs=("$build"/runnelex_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one runnelex_*.deb in $build"
deb=${debs[0]}
echo "$deb"

version=$(sed -n 's/^project(Runnelex VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = runnelex ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', expected $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "wrong Architecture"
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 libqt6svg6; do
    tr ',' '\n' <<<"$depends" | awk '{ print $1 }' | grep -Fxq "$lib" ||
        fail "Depends lacks $lib: $depends"
done
echo "Depends: $depends"

echo "== checking the package contents =="
expected=$(
    {
        echo ./usr/bin/runnelex
        echo ./usr/bin/runnelex-cli
        echo ./usr/libexec/runnelex/runnelex-picture
        echo ./usr/share/applications/$id.desktop
        echo ./usr/share/metainfo/$id.metainfo.xml
        echo ./usr/share/icons/hicolor/scalable/apps/$id.svg
        for size in 16 22 24 32 48 64 128 256; do
            echo ./usr/share/icons/hicolor/${size}x${size}/apps/$id.png
        done
        echo ./usr/share/runnelex/help/index.html
        echo ./usr/share/runnelex/web/runnelex.html
        echo ./usr/share/doc/runnelex/copyright
        echo ./usr/share/doc/runnelex/changelog.gz
        echo ./usr/share/man/man1/runnelex.1.gz
        echo ./usr/share/man/man1/runnelex-cli.1.gz
        echo ./usr/share/bash-completion/completions/runnelex-cli
        echo ./usr/share/lintian/overrides/runnelex
    } | sort
)
actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
if [ "$actual" != "$expected" ]; then
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    fail "the package does not hold exactly the expected files (- missing, + unexpected)"
fi
dpkg-deb -c "$deb" | awk '$1 ~ /^-/ && $6 ~ /^\.\/usr\/bin\// && $1 !~ /x/ { bad = 1 } END { exit bad }' ||
    fail "a program in /usr/bin is not executable"

echo "== lintian =="
# Every tag lintian shows, informational ones too; an error or a warning fails the check.
lintian --fail-on error,warning --display-info "$deb" || fail "lintian reports errors or warnings"
echo "lintian: no error, no warning"

echo "== running the unpacked programs =="
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/$id.desktop" || fail "installed desktop entry"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "installed metainfo"
for program in usr/bin/runnelex usr/bin/runnelex-cli usr/libexec/runnelex/runnelex-picture; do
    if ldd "$unpacked/$program" | grep -q 'not found'; then
        fail "$program misses shared libraries"
    fi
done
# Only the picture helper loads Qt; every other command starts like a plain program.
if readelf -d "$unpacked/usr/bin/runnelex-cli" | grep NEEDED | grep -qi qt; then
    fail "runnelex-cli needs a Qt library: $(readelf -d "$unpacked/usr/bin/runnelex-cli" | grep NEEDED)"
fi
got=$("$unpacked/usr/bin/runnelex-cli" calc --diam 12 --slope 0.01 --flow 2 --labels | head -1)
[ "$got" = "$(printf 'lblrDnorm\t0.5359')" ] || fail "runnelex-cli gave '$got'"
# The picture is drawn without a display, whatever platform the environment names, by the
# helper found beside the unpacked runnelex-cli (the build tree's copy is out of the way).
build_helper="$build/src/cli/runnelex-picture"
mv "$build_helper" "$build_helper.away"
trap 'mv "$build_helper.away" "$build_helper" 2>/dev/null || true; rm -rf "$unpacked"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb HOME="$unpacked" \
    "$unpacked/usr/bin/runnelex-cli" picture --diam 12 --slope 0.01 --flow 2 \
    --out "$unpacked/picture.png" --size 560x320 || fail "runnelex-cli picture failed"
[ "$(head -c 8 "$unpacked/picture.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
    fail "runnelex-cli picture wrote no PNG"
mv "$build_helper.away" "$build_helper"
# The window program keeps running until it is closed: still running after two seconds
# (timeout's status 124) means it started.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen HOME="$unpacked" \
    XDG_CONFIG_HOME="$unpacked/.config" timeout 2 "$unpacked/usr/bin/runnelex" >/dev/null 2>&1 ||
    status=$?
[ "$status" -eq 124 ] || fail "runnelex ended with status $status instead of running"

cmp -s "$page" "$unpacked/usr/share/runnelex/web/runnelex.html" || fail "the installed web page differs"

echo "check-package: $(basename "$deb") is sound"
