#!/usr/bin/env bash
# Builds the Qt-free layers and their tests for two more machines and runs
# them there: 64-bit Arm under qemu-user (build/arm64/) and WebAssembly under
# Node.js (build/wasm/), where the browser edition is built and tested too.
# The tests assert the numbers, so passing means the same results as this
# machine. The WebAssembly module's reports are held against
# build/bin/qntcalc-cli, which the test command builds first.
# Usage: scripts/platforms.sh [arm64] [wasm]        (both without arguments)
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
targets=(text_tests engine_tests fileio_tests checks_tests window_tests project_tests whatif_tests)
tests="^($(IFS='|'; echo "${targets[*]}"))\$"

# The libraries built as they ship, without debug information.
common=(-G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
        -DQNTCALC_WERROR=ON -DQNTCALC_GUI=OFF -DQNTCALC_BENCH=OFF -DQNTCALC_PROGRAMS=OFF)

arm64() {
    cmake -S . -B build/arm64 "${common[@]}" \
        -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/aarch64-linux-gnu.cmake
    cmake --build build/arm64 -j "$jobs" --target "${targets[@]}"
    ctest --test-dir build/arm64 --output-on-failure -j "$jobs" -R "$tests"
}

wasm() {
    scripts/web.sh configure
    export NODE_PATH=/usr/share/nodejs
    cmake --build build/wasm -j "$jobs" --target "${targets[@]}" qntcalc_web
    ctest --test-dir build/wasm --output-on-failure -j "$jobs" -R "$tests|^web_"
    # The browser edition from the same build, in Chromium.
    scripts/web.sh page test
}

platforms=("$@")
[ ${#platforms[@]} -gt 0 ] || platforms=(arm64 wasm)
for platform in "${platforms[@]}"; do
    case $platform in
        arm64 | wasm) "$platform" ;;
        *) echo "usage: scripts/platforms.sh [arm64] [wasm]" >&2; exit 2 ;;
    esac
done
