#!/usr/bin/env bash
# Builds QntCalc and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target QntCalc qntcalc-cli
exec build/bin/QntCalc
