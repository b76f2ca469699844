#!/usr/bin/env bash
# The main job: builds the Linux program and walks the wizard on the default emulated machine
# (machines/default, made on first use) with scripts/demo.script, printing each page, then shows
# what the installation left.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build
cmake --preset linux-test >/dev/null
cmake --build build --target k7x-setup winemu_cli
machine=machines/default
[ -f "$machine/machine.ini" ] || build/winemu create "$machine"
build/winemu run "$machine" build/k7x-setup --script scripts/demo.script
echo "--- printers"
build/winemu printers "$machine"
echo "--- uninstall entry"
build/winemu reg "$machine" 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\K7X printer'
echo "--- staged files (C:\\TEMP)"
(cd "$machine/drive_c" && find TEMP -type f -printf '%8s  %p\n' | sort -k2)
echo "--- driver directory"
(cd "$machine/drive_c" && find WINDOWS/system32/spool/drivers/w32x86 -type f -printf '%8s  %p\n' | sort -k2)
