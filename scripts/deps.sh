#!/usr/bin/env bash
# Installs the Debian packages a build needs, and only those still missing.
# Usage: scripts/deps.sh        (build and test)
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev clang libclang-rt-14-dev
          qt6-base-dev qt6-qpa-plugins fonts-dejavu-core dpkg-dev file poppler-utils
          libxcb1-dev lintian
          # The tests that numbers read the same under a German locale.
          locales
          # The What-if chart; Qt Charts' CMake files need Qt OpenGL's.
          qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
          # The tests on 64-bit Arm and in WebAssembly, with GoogleTest's
          # sources to build for them.
          g++-aarch64-linux-gnu qemu-user emscripten nodejs googletest
          # The browser edition's page, driven in Chromium by its tests.
          chromium)

missing=()
for pkg in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$pkg")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages ${missing[*]}: run as root or install them with apt-get." >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Numbers must not follow the locale; the tests check that under this one.
german=de_DE.UTF-8
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "The locale $german is missing; the tests that need it are skipped. As root:" \
             "localedef -i de_DE -f UTF-8 $german" >&2
    else
        echo "Generating the locale $german"
        localedef -i de_DE -f UTF-8 "$german"
    fi
fi
