#!/usr/bin/env bash
# The program on a terminal with no display at all: --help and --version answer and exit 0;
# an argument that neither Quillet nor Qt takes is refused with the usage line and exit 2;
# every kind of Qt option gets through to Qt.
# Usage: terminal_options_test.sh QUILLET_BINARY
set -uo pipefail
quillet="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE -u QT_QPA_PLATFORM \
    ASAN_OPTIONS=detect_leaks=0 "$@"; }

out="$(bare "$quillet" --version)" || fail "--version exits $?"
grep -q '^quillet [0-9]' <<<"$out" || fail "--version says: $out"
out="$(bare "$quillet" -session s1 -style Fusion --help)" || fail "--help exits $?"
grep -q '^ *--version ' <<<"$out" || fail "--help says: $out"
out="$(bare "$quillet" --version 2>&1 >/dev/full)"
status=$?
[ "$status" = 1 ] && grep -qx 'quillet: write error: No space left on device' <<<"$out" ||
    fail "--version into a full disk exits $status: $out"
# Refused: "ARGUMENTS|what the message shows of the first one". The last row is one that only
# the platform Qt picks can refuse: offscreen takes no -display.
while IFS='|' read -r args shown; do
    eval "set -- $args"
    out="$(bare timeout 10 "$quillet" "$@" 2>&1)"
    status=$?
    [ "$status" = 2 ] && grep -qF "unknown argument: $shown" <<<"$out" &&
        grep -q '^Usage: quillet ' <<<"$out" && ! grep -q $'\e' <<<"$out" ||
        fail "$args exits $status: $out"
done <<'ROWS'
--bogus|'--bogus'
-h|'-h'
--|'--'
''|''
-style Fusion lookup|'lookup'
-session|'-session'
$'\e[31mRED'|'\x1b[31mRED'
-platform offscreen -style Fusion -display :0|'-display'
ROWS
# Taken by Qt, so the window opens (and is still open when timeout ends it), one row for each
# way Qt takes an option and its value.
while read -r args; do
    eval "set -- $args"
    out="$(bare QT_QPA_PLATFORM=offscreen timeout 2 "$quillet" "$@" 2>&1)"
    status=$?
    [ "$status" = 124 ] || fail "$args exits $status: $out"
done <<'ROWS'
-style=Fusion --reverse -widgetcount
--style Fusion -session s1_key
-qwindowtitle Quillet --stylesheet=/dev/null -platform
ROWS
# The xcb plugin's options reach it: it tries the display it was given.
out="$(bare "$quillet" -display :99 -name q --visual 33 -nograb -title t -geometry 9x9 2>&1)"
status=$?
[ "$status" != 2 ] && grep -q ':99' <<<"$out" || fail "xcb's options exit $status: $out"
echo "terminal options ok"
