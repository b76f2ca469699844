#!/usr/bin/env bash
# The main job: builds the Linux program and runs it on the default emulated machine
# (machines/default, made on first use), then shows what the run did.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build --target k7x-setup winemu_cli
machine=machines/default
[ -f "$machine/machine.ini" ] || build/winemu create "$machine"
build/winemu run "$machine" build/k7x-setup
echo "--- trace of the run"
build/winemu trace "$machine"
