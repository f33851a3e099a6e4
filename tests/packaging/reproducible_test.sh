#!/usr/bin/env bash
# Packs the tree under test, then builds and packs the same sources again from a copy in another
# folder, later, under another umask and with no compiler cache: the two packages must be the
# same bytes (on a difference, diffoscope on the two names it). Both are packed with umask 022,
# as cpack gives the .deb's own three members the packer's umask.
# Usage: reproducible_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }

# The sources as they are now, committed or not, in a folder of another name at another depth.
copy="$work/elsewhere/quillet-copy"
mkdir -p "$copy"
if git -C "$source" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$source" ls-files -z --cached --others --exclude-standard
else
    (cd "$source" && find . -path './build*' -prune -o -type f -print0)
fi | tar -C "$source" --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -C "$copy" -xf -

umask 022
# The README's commands, for the packaged targets only. A compiler cache could hand back the
# objects compiled in the first folder, so none is used.
(
    export CCACHE_DISABLE=1
    umask 077
    env -u CMAKE_CXX_COMPILER_LAUNCHER cmake -S "$copy" -B "$copy/build" \
        -G "$(cached CMAKE_GENERATOR)" -DCMAKE_CXX_COMPILER="$(cached CMAKE_CXX_COMPILER)" \
        -DCMAKE_BUILD_TYPE="$(cached CMAKE_BUILD_TYPE)" -DQUILLET_TESTS=OFF -DQUILLET_BENCH=OFF \
        >"$work/configure.log" || fail "configure: $(cat "$work/configure.log")"
    cmake --build "$copy/build" >"$work/build.log" || fail "build: $(cat "$work/build.log")"
    umask 022
    cpack -G DEB --config "$copy/build/CPackConfig.cmake" -B "$work/second" >/dev/null
)
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/first" >/dev/null
sha256sum "$work"/first/*.deb "$work"/second/*.deb
cmp "$work"/first/*.deb "$work"/second/*.deb ||
    fail "the package from $build differs from one built from a copy of $source"
