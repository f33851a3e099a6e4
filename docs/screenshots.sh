#!/usr/bin/env bash
# Retakes the README's screenshots, in a private network namespace, with real results from
# knotd on loopback:
#   quillet-window.png, quillet-about.png  Xvfb with openbox as window manager
#   quillet-scale-1.5.png                  the same at QT_SCALE_FACTOR=1.5
#   quillet-wayland.png                    a headless Weston, Qt's native Wayland plugin
# Usage: docs/screenshots.sh BUILD_DIR   (needs xvfb, openbox, knot, weston, qt6-wayland)
set -euo pipefail
build="$(cd "$1" && pwd)"
docs="$(cd "$(dirname "$0")" && pwd)"
snapshot="$build/bench/qt/window_snapshot"

under_openbox() {  # scale, snapshot arguments...
    local scale="$1"; shift
    QT_SCALE_FACTOR="$scale" timeout 120 xvfb-run -a -s "-screen 0 960x840x24" bash -c '
        openbox >/dev/null 2>&1 &
        sleep 1
        "$@"' snapshot "$snapshot" "$@"
}

under_weston() {  # snapshot arguments...
    local runtime
    runtime="$(mktemp -d)"
    chmod 700 "$runtime"
    printf '[core]\nidle-time=0\n[shell]\nbackground-color=0xff3a4750\npanel-position=none\n' \
        >"$runtime/weston.ini"
    # --use-pixman: without it the headless backend can spin looking for a renderer.
    XDG_RUNTIME_DIR="$runtime" timeout 120 weston --backend=headless-backend.so --use-pixman \
        --socket=quillet-docs --debug --config="$runtime/weston.ini" --width=640 --height=560 \
        >"$runtime/weston.log" 2>&1 &
    local weston=$!
    for _ in $(seq 100); do [ -S "$runtime/quillet-docs" ] && break; sleep 0.1; done
    XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=quillet-docs QT_QPA_PLATFORM=wayland \
        timeout 60 "$snapshot" "$@"
    kill "$weston"
    wait "$weston" || true
    rm -rf "$runtime"
}

export -f under_openbox under_weston
export snapshot
unshare -n -- bash -c '
    ip link set lo up
    under_openbox 1 "$1/quillet-window.png" "$1/quillet-about.png"
    under_openbox 1.5 "$1/quillet-scale-1.5.png"
    under_weston "$1/quillet-wayland.png"
' shots "$docs"
