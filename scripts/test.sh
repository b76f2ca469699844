#!/usr/bin/env bash
# The test command: builds everything (Windows and Linux) and runs all tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build --output-on-failure -j2
