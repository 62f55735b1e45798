#!/usr/bin/env bash
# Sets up a fresh Debian machine as needed, builds, and runs every test:
# first the whole program, then the core and the command-line tool built
# without any Qt Widgets, which proves the core free of them. Warnings
# are errors here.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash tools/setup.sh -DVELLORAN_WERROR=ON
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --parallel "$(nproc)"

cmake -S . -B build-core -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLORAN_GUI=OFF -DVELLORAN_WERROR=ON \
  > build-configure.log 2>&1 || { cat build-configure.log; exit 1; }
cmake --build build-core --parallel "$(nproc)"
ctest --test-dir build-core --output-on-failure --parallel "$(nproc)"
