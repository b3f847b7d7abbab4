#!/usr/bin/env bash
# Builds everything and runs every test: first the whole suite, then the
# Qt-free layers again under AddressSanitizer and UndefinedBehaviorSanitizer,
# short fuzz runs, and the Qt-free layers' tests on 64-bit Arm and in
# WebAssembly.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQNTCALC_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQNTCALC_WERROR=ON \
    -DQNTCALC_SANITIZE=ON -DQNTCALC_BENCH=OFF -DQNTCALC_GUI=OFF
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

# Short fuzz runs of the INI reader and of reading any bytes as a project:
# clang with libFuzzer, on scratch copies of the seed corpora so that a run
# never changes the checked-in files.
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQNTCALC_FUZZ=ON -DQNTCALC_TESTS=OFF -DQNTCALC_BENCH=OFF -DQNTCALC_GUI=OFF
cmake --build build/fuzz -j "$jobs" --target qntcalc_fuzzers
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in ini project; do
    mkdir -p "$scratch/$target"
    cp fuzz/corpus/$target/* "$scratch/$target"/
    build/fuzz/bin/${target}_fuzz -max_total_time=20 -artifact_prefix=build/fuzz/ "$scratch/$target"
done

# The same numbers on 64-bit Arm and in WebAssembly.
scripts/platforms.sh
