#!/usr/bin/env bash
# Start-up time (process start to first paint) and peak memory of the main window, next to a
# bare QWidget of the same size, under Xvfb. Usage: bench/qt/startup_bench.sh BUILD_DIR [runs]
set -euo pipefail
build="$(cd "$1" && pwd)"
runs="${2:-20}"
probe="$build/bench/qt/startup_probe"

if [ "${QUILLET_UNDER_XVFB:-}" != 1 ]; then
    QUILLET_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$build" "$runs"
fi

measure() {  # probe args; one "ms maxrss_kib" line per run, runs interleaved with the other
    QUILLET_SPAWN_NS="$(python3 -c 'import time; print(time.monotonic_ns())')" "$probe" "$@"
}

: > /tmp/quillet-bare.txt
: > /tmp/quillet-ascii.txt
: > /tmp/quillet-text.txt
: > /tmp/quillet-main.txt
measure --bare --text >/dev/null  # warm the file and font caches
measure >/dev/null
for _ in $(seq "$runs"); do
    measure --bare >> /tmp/quillet-bare.txt
    measure --bare --ascii >> /tmp/quillet-ascii.txt
    measure --bare --text >> /tmp/quillet-text.txt
    measure >> /tmp/quillet-main.txt
done

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
bare_ms=$(cut -d' ' -f1 /tmp/quillet-bare.txt | median)
ascii_ms=$(cut -d' ' -f1 /tmp/quillet-ascii.txt | median)
text_ms=$(cut -d' ' -f1 /tmp/quillet-text.txt | median)
main_ms=$(cut -d' ' -f1 /tmp/quillet-main.txt | median)
bare_kb=$(cut -d' ' -f2 /tmp/quillet-bare.txt | sort -n | tail -1)
main_kb=$(cut -d' ' -f2 /tmp/quillet-main.txt | sort -n | tail -1)
echo "runs: $runs (python's start-up before each spawn is not counted)"
echo "bare QWidget: median ${bare_ms} ms to first paint, peak ${bare_kb} KiB"
ratio() { awk -v a="$1" -v b="${2:-$bare_ms}" 'BEGIN {printf "%.2f", a / b}'; }
echo "bare + 1 line of ASCII:   median ${ascii_ms} ms ($(ratio "$ascii_ms")x: Qt's font machinery)"
echo "bare + 1 line of Chinese: median ${text_ms} ms ($(ratio "$text_ms")x: plus the CJK face)"
echo "Quillet:      median ${main_ms} ms to first paint, peak ${main_kb} KiB"
echo "ratio: $(ratio "$main_ms") to the bare window"
# What the window costs beyond showing Chinese text at all, which any such window pays.
echo "ratio: $(ratio "$main_ms" "$text_ms") to the bare window with Chinese (target: at most 1.15)"
