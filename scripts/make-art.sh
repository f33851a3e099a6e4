#!/bin/sh
# Redraws the window's pictures into resources/skin/ (they are committed; run this only when
# the art in tools/make-art changes). Needs CMake, a C++ compiler and Qt 6's Gui module.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLET_ART_BUILD:-${TMPDIR:-/tmp}/quillet-make-art}

generator=
if command -v ninja >/dev/null 2>&1; then
    generator="-G Ninja"
fi
# shellcheck disable=SC2086  # the generator option is two words or none
cmake -S "$root/tools/make-art" -B "$build" $generator >/dev/null
cmake --build "$build" >/dev/null
QT_QPA_PLATFORM=offscreen "$build/make-art" "$root/resources/skin"
ls "$root/resources/skin"
