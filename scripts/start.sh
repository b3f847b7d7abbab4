#!/usr/bin/env bash
# Builds QntCalc and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

if [ -x build/bin/QntCalc ]; then
    exec build/bin/QntCalc "$@"
fi
echo "The calculation engine is built; the QntCalc window is not part of this version yet."
echo "Run the tests with: bash scripts/test.sh"
