#!/usr/bin/env bash
# Context switches a second of the running program (all its threads), shown and idle, then
# minimised through its own caption button, then restored; under Xvfb with openbox, in a
# private network namespace. Usage: bench/qt/wakeups_bench.sh PROGRAM [seconds per phase]
# (needs xvfb, openbox, xdotool, x11-utils; run as root for unshare -n)
set -euo pipefail
program="$(realpath "$1")"
seconds="${2:-10}"

if [ "${QUILLET_BENCH_STAGE:-}" = "" ]; then
    QUILLET_BENCH_STAGE=ns exec unshare -n "$0" "$program" "$seconds"
fi
if [ "$QUILLET_BENCH_STAGE" = ns ]; then
    ip link set lo up
    QUILLET_BENCH_STAGE=x exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$program" "$seconds"
fi

openbox >/dev/null 2>&1 &
box=$!
# A window mapped while the window manager is still starting may stay unmapped.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
"$program" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" "$box" 2>/dev/null || true' EXIT

window=
for _ in $(seq 150); do
    window="$(xdotool search --limit 1 --onlyvisible --pid "$pid" --name '^Quillet$' 2>/dev/null)" &&
        [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "no window appeared" >&2; exit 1; }
xdotool windowactivate "$window" 2>/dev/null || true  # focused, as a window in use is
sleep 2  # start-up work done

switches() {  # voluntary + involuntary over every thread of the program
    cat /proc/"$pid"/task/*/status | awk '/ctxt_switches/ {n += $2} END {print n}'
}

rate() {  # label
    local before after
    before="$(switches)"
    sleep "$seconds"
    after="$(switches)"
    awk -v l="$1" -v d="$((after - before))" -v s="$seconds" \
        'BEGIN {printf "%-10s %8.1f context switches/s\n", l, d / s}'
}

minimised() {
    xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN
}

rate shown

# The minimise button is 27 x 17 pixels, its left edge 103 pixels from the window's right edge.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH - 103 + 13)) $((Y + 8)) click 1
for _ in $(seq 50); do minimised && break; sleep 0.1; done
minimised || { echo "the window did not minimise" >&2; exit 1; }
sleep 1
rate minimised

xdotool windowmap "$window" windowactivate "$window" 2>/dev/null || true
for _ in $(seq 50); do minimised || break; sleep 0.1; done
minimised && { echo "the window did not come back" >&2; exit 1; }
sleep 1
rate restored
