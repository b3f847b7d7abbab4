#!/usr/bin/env bash
# The browser edition: build/web/QntCalc.html, one file with the window
# model in WebAssembly (Emscripten, build/wasm/) and the page (TypeScript
# with Vite, web/page/). `test` drives the page in Debian's Chromium with
# Playwright and holds it against build/bin/qntcalc-cli, which the test
# command builds first.
# Usage: scripts/web.sh [configure] [page] [test]        (configure page without arguments)
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
# Debian's Emscripten finds its JavaScript helpers only there.
export NODE_PATH=/usr/share/nodejs

configure() {
    # This Emscripten loads the .wasm file with fetch() wherever there is
    # one, and Node.js's cannot read a path.
    emcmake cmake -S . -B build/wasm -G Ninja -DCMAKE_BUILD_TYPE=Release \
        "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DQNTCALC_WERROR=ON -DQNTCALC_GUI=OFF \
        -DQNTCALC_BENCH=OFF -DQNTCALC_PROGRAMS=OFF \
        "-DCMAKE_CROSSCOMPILING_EMULATOR=$(command -v node);--no-experimental-fetch" \
        -DQNTCALC_HOST_CLI="$PWD/build/bin/qntcalc-cli"
}

# The page's npm packages as package-lock.json pins them, installed again
# only when the lock file changed.
packages() {
    if ! command -v npm >/dev/null; then
        echo "npm is missing: install Node.js with npm (Debian's package npm)." >&2
        exit 1
    fi
    if [ ! web/page/node_modules/.package-lock.json -nt web/page/package-lock.json ]; then
        (cd web/page && npm ci --no-audit --no-fund)
    fi
}

page() {
    [ -f build/wasm/CMakeCache.txt ] || configure
    cmake --build build/wasm -j "$jobs" --target qntcalc_page
    packages
    (cd web/page && npx tsc --noEmit && npx vite build --logLevel warn)
    echo "Built build/web/QntCalc.html"
}

test() {
    packages
    node tests/web/PageTest.mjs build/web/QntCalc.html build/bin/qntcalc-cli examples web/page
}

steps=("$@")
[ ${#steps[@]} -gt 0 ] || steps=(configure page)
for step in "${steps[@]}"; do
    case $step in
        configure | page | test) "$step" ;;
        *) echo "usage: scripts/web.sh [configure] [page] [test]" >&2; exit 2 ;;
    esac
done
