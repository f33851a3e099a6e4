#!/usr/bin/env bash
# The program on a terminal with no display at all: --help and --version answer and exit 0;
# an argument that neither Quillet nor Qt takes is refused with the usage line.
# Usage: terminal_options_test.sh QUILLET_BINARY
set -uo pipefail
quillet="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ASAN_OPTIONS=detect_leaks=0 "$@"; }

out="$(bare "$quillet" --version)" || fail "--version exits $?"
grep -q '^quillet [0-9]' <<<"$out" || fail "--version says: $out"
out="$(bare "$quillet" -session s1 -style Fusion --help)" || fail "--help exits $?"
grep -q '^ *--version ' <<<"$out" || fail "--help says: $out"
bare "$quillet" --version >/dev/full 2>/dev/null && fail "--version into a full disk exits 0"
# Refused only once Qt has taken its own options, which needs a platform plugin.
out="$(bare QT_QPA_PLATFORM=offscreen "$quillet" -platform offscreen -style Fusion --bogus 2>&1)"
status=$?
[ "$status" = 2 ] || fail "--bogus exits $status: $out"
grep -q '^Usage: quillet ' <<<"$out" || fail "--bogus says: $out"
echo "terminal options ok"
