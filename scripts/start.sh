#!/usr/bin/env bash
# Builds QntCalc and its browser edition (build/web/QntCalc.html), and
# starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target QntCalc qntcalc-cli
scripts/web.sh
exec build/bin/QntCalc
