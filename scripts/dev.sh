#!/usr/bin/env bash
# Quillet's developer entry point.
#   scripts/dev.sh run    install what is missing, build, start Quillet
#   scripts/dev.sh test   install what is missing, build, run every test
#                         (normal build, ASan+UBSan build, and the fuzz smoke runs)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc)"

BUILD_PACKAGES=(cmake ninja-build g++ pkgconf qt6-base-dev libgtest-dev libbenchmark-dev
                clang libclang-rt-14-dev dpkg-dev)
RUN_PACKAGES=(qt6-translations-l10n fonts-noto-cjk hicolor-icon-theme iputils-ping xdg-utils
              xvfb xauth qt6-wayland)
TEST_PACKAGES=(knot iproute2 util-linux desktop-file-utils appstream dpkg weston lintian man-db
               x11-utils qt6-base-dev-tools clang-format)

log() { printf '== %s\n' "$*" >&2; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$pkg")
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        log "installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}

configure_and_build() {  # dir, cmake args...
    local dir="$1"; shift
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$JOBS"
}

# Runs a command in a private network namespace with only loopback, so nothing a test does
# can leave this machine; where that is not allowed, runs it as it is.
isolated() {
    if [ "$(id -u)" -eq 0 ] && unshare -n ip link set lo up 2>/dev/null; then
        unshare -n -- "$BASH" -c 'ip link set lo up && exec "$@"' isolated "$@"
    else
        log "no private network namespace here; running as is"
        "$@"
    fi
}

run_ctest() {  # dir, extra environment...
    local dir="$1"; shift
    log "ctest in ${dir#"$ROOT"/}"
    isolated env QT_QPA_PLATFORM=offscreen "$@" \
        ctest --test-dir "$dir" --output-on-failure -j "$JOBS" --timeout 300
}

cmd_run() {
    install_missing "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
    configure_and_build "$ROOT/build"
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        log "no display: starting under Xvfb"
        exec xvfb-run -a -s "-screen 0 1280x800x24" "$ROOT/build/quillet"
    fi
    exec "$ROOT/build/quillet"
}

cmd_test() {
    install_missing "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

    log "normal build"
    configure_and_build "$ROOT/build"
    run_ctest "$ROOT/build"

    log "sanitizer build (ASan + UBSan)"
    configure_and_build "$ROOT/build-asan" -DQUILLET_SANITIZE=ON
    # Qt and fontconfig keep caches alive until exit; leak checking is for the codec, which
    # runs with it on below.
    run_ctest "$ROOT/build-asan" ASAN_OPTIONS=detect_leaks=0 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    log "codec tests with LeakSanitizer"
    isolated env ASAN_OPTIONS=detect_leaks=1 "$ROOT/build-asan/tests/dns/dns_tests" --gtest_brief=1

    log "fuzzing the decoder and the query builder (clang, libFuzzer, short runs)"
    CXX=clang++ cmake -S "$ROOT" -B "$ROOT/build-fuzz" -G Ninja \
        -DQUILLET_GUI=OFF -DQUILLET_FUZZ=ON -DQUILLET_TESTS=ON >/dev/null
    cmake --build "$ROOT/build-fuzz" -j "$JOBS" --target decoder_fuzz query_fuzz
    # The codec tests already ran twice above; here only the fuzz run.
    isolated ctest --test-dir "$ROOT/build-fuzz" --output-on-failure -L fuzz
}

case "${1:-}" in
    run) cmd_run ;;
    test) cmd_test ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac
