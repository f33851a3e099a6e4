#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root and checks it from outside: what
# it depends on, that the files the program looks for are where it looks, that the unpacked
# program starts and maps its window, its manual page and changelog, and (with --lintian, for
# the tree that is packaged) that it has a stack protector and lintian, pedantic, has nothing
# to say about it.
# Usage: package_test.sh BUILD_DIR [--lintian]
set -euo pipefail
build="$1"
run_lintian="${2:-}"
work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
wait_until() {  # seconds, command...: polls the command until it succeeds or time runs out
    local end=$((SECONDS + $1)); shift
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.2
    done
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >/dev/null
deb="$(ls "$work"/pkg/*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
# The libraries with the versions dpkg-shlibdeps read off the binary; by name, what it uses
# without linking.
for needed in 'libc6 (>= ' 'libstdc++6 (>= ' 'libqt6core6 (>= ' 'libqt6widgets6 (>= ' \
              'libqt6network6 (>= ' qt6-qpa-plugins qt6-translations-l10n fonts-noto-cjk \
              iputils-ping xdg-utils hicolor-icon-theme; do
    grep -qF "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
# A file the program needs from another package: it is there, and that package is depended on.
provided_by_a_dependency() {
    [ -f "$1" ] || fail "no $1"
    local owner
    owner="$(dpkg -S "$1" | cut -d: -f1)"
    grep -qw -- "$owner" <<<"$depends" || fail "$1 comes from $owner, which is not in Depends"
}

dpkg -x "$deb" "$work/root"
share="$work/root/usr/share"
[ -x "$work/root/usr/bin/quillet" ] || fail "no usr/bin/quillet"
for size in 16 32 48 256; do
    [ -f "$share/icons/hicolor/${size}x${size}/apps/quillet.png" ] || fail "no ${size}px icon"
done
# The theme that the program names when the desktop names none.
provided_by_a_dependency /usr/share/icons/hicolor/index.theme
# The program loads Qt's translation from Qt's own translations folder.
provided_by_a_dependency "$(qtpaths6 --query QT_INSTALL_TRANSLATIONS)/qtbase_zh_CN.qm"
desktop-file-validate "$share/applications/quillet.desktop" || fail "desktop entry"
appstreamcli validate --pedantic --no-net "$share"/metainfo/*.metainfo.xml >/dev/null ||
    fail "metainfo"

# Both compressed without a name or time stamp: gzip header bytes 3 to 7 are zero.
page="$share/man/man1/quillet.1.gz"
changelog="$share/doc/quillet/changelog.gz"
for gz in "$page" "$changelog"; do
    [ "$(od -An -tx1 -j3 -N5 "$gz" | tr -d ' \n')" = 0000000000 ] || fail "gzip header of $gz"
done
[ "$(zcat "$changelog" | dpkg-parsechangelog -l - -S Version)" = "$(dpkg-deb -f "$deb" Version)" ] ||
    fail "the changelog's latest version is not the package's"
manual="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>"$work/man.err")" ||
    fail "man -l"
[ ! -s "$work/man.err" ] || fail "man -l warns: $(cat "$work/man.err")"
grep -q "quillet - look up the DNS records of a domain" <<<"$manual" || fail "manual: $manual"

# The unpacked program on a private X server of its own: it must start and map its window.
# Qt's own options reach Qt: without -display it finds no X server, and a -session it did not
# take would be refused.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_until 20 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
env -u WAYLAND_DISPLAY -u DISPLAY -u QT_QPA_PLATFORM ASAN_OPTIONS=detect_leaks=0 \
    XDG_DATA_DIRS="$share:/usr/share" "$work/root/usr/bin/quillet" -platform xcb \
    -display "$DISPLAY" -session quillet-test >"$work/quillet.log" 2>&1 &
app=$!
pids+=("$app")
window_viewable() {
    kill -0 "$app" 2>/dev/null || fail "the program exited: $(cat "$work/quillet.log")"
    local id
    for id in $(xwininfo -root -tree | awk '/\("quillet" "Quillet"\)/ { print $1 }'); do
        xwininfo -id "$id" | grep -q "Map State: IsViewable" && return 0
    done
    return 1
}
wait_until 60 window_viewable || fail "no window mapped: $(cat "$work/quillet.log")"
kill "$app"

if [ "$run_lintian" = --lintian ]; then
    # lintian names a missing PIE, RELRO, BIND_NOW or fortified call, not a missing stack guard.
    nm -D "$work/root/usr/bin/quillet" | grep -qw __stack_chk_fail ||
        fail "usr/bin/quillet is built without a stack protector"
    # Not a tag, down to the pedantic ones (its complaints about running as root go to stderr).
    lint="$(lintian --pedantic --display-info --fail-on error,warning,info,pedantic "$deb")" ||
        fail "lintian: $lint"
    [ -z "$lint" ] || fail "lintian: $lint"
fi
echo "package ok: $(basename "$deb")"
