#!/usr/bin/env bash
# The test command: installs what is missing, builds every variant (the Windows program, the
# Linux test build with ASan/UBSan, the Linux release build) and runs all tests: the unit and
# end-to-end tests on winemu, then the real program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh all
wine_bits=$(bash tests/wine/flavour.sh)
presets=(windows linux-test linux-release)
# Where the kernel cannot run i386 code, 64-bit Wine judges the x86_64 build of the same sources.
[ "$wine_bits" = 64 ] && presets+=(windows-x64)
scripts/build.sh "${presets[@]}"
scripts/check_reproducible.sh build-win   # a second Windows build elsewhere gives the same bytes
bash tests/release/release_case.sh        # scripts/release.sh signing with a throw-away authority
ctest --preset linux-test
bash tests/conformance/run.sh build   # the Win32 conformance suite on winemu and on Wine
win_build=build-win
[ "$wine_bits" = 64 ] && win_build=build-win64
bash tests/wine/setup_case.sh "$win_build" build
bash tests/wine/readonly_case.sh "$win_build" "$win_build/readonly-screens"   # a read-only program folder, no rights
bash tests/wine/uninstall_case.sh "$win_build"   # setup, then the uninstall entry's command, confirmed
bash tests/wine/guard_case.sh "$win_build"       # a 64-bit prefix, two setups at once, a small C:\TEMP
bash tests/wine/interrupted_case.sh "$win_build" # kill -9 at a few points, then a whole run
tests/fuzz/run.sh 20
