#!/usr/bin/env bash
# Builds the named build variants (CMakePresets.json), by default the Windows program
# (build-win/setup.exe) and the Linux test build (build/: k7x-setup, winemu, the tests).
#   scripts/build.sh [PRESET...]     windows, windows-x64, linux-test, linux-release
# K7X_BUILD_TARGETS="a b" builds only those targets of each preset.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build
presets=("$@")
((${#presets[@]})) || presets=(windows linux-test)
for preset in "${presets[@]}"; do
  log=$(mktemp)
  if ! { cmake --preset "$preset" && cmake --build --preset "$preset" ${K7X_BUILD_TARGETS:+--target $K7X_BUILD_TARGETS}; } >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "build: preset $preset failed" >&2
    exit 1
  fi
  rm -f "$log"
  echo "build: $preset ok"
done
