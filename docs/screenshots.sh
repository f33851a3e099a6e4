#!/usr/bin/env bash
# Retakes the README's screenshots: the window with real results from knotd on loopback, and
# the about box, under Xvfb with openbox as window manager, in a private network namespace.
# Usage: docs/screenshots.sh BUILD_DIR   (needs xvfb, openbox, knot)
set -euo pipefail
build="$(cd "$1" && pwd)"
docs="$(cd "$(dirname "$0")" && pwd)"
unshare -n -- bash -c '
    ip link set lo up
    xvfb-run -a -s "-screen 0 640x560x24" bash -c "
        openbox >/dev/null 2>&1 &
        sleep 1
        \"$0/bench/qt/window_snapshot\" \"$1/quillet-window.png\" \"$1/quillet-about.png\"
    "' "$build" "$docs"
