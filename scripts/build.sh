#!/usr/bin/env bash
# Builds the Windows program (build-win/setup.exe) and the Linux workbench (build/: k7x-setup,
# winemu, the tests).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DK7X_WINDOWS_EXE="$PWD/build-win/setup.exe" >/dev/null
cmake --build build
