#!/usr/bin/env bash
# The test command: builds everything (Windows and Linux) and runs all tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build --output-on-failure -j2
bash tests/conformance/run.sh build   # the Win32 conformance suite on winemu and on Wine
# The real setup.exe under Wine; skips with one line where the packages are
# missing, except under CI=true, where the harness installs them.
bash tests/wine/setup_case.sh build-win build
