#!/bin/bash
# Runs the conformance suite on both judges and prints both closing lines:
#  - the Linux build on a fresh winemu machine ("conformance-winemu: N passed, M failed");
#  - the Windows build under Wine in a fresh prefix ("conformance-wine: ..."): 32-bit Wine with the
#    i686 build where it can run, else 64-bit Wine with the x86_64 build; one SKIP line without Wine.
# Both machines hold a local printer "Conformance" on LPT1: with the driver "Generic / Text Only".
# The i686 build (for real Windows) is always compiled. Fails on any unmarked failure.
# usage: tests/conformance/run.sh BUILD_DIR   (the Linux build, with winemu and conformance built)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
work=$(mktemp -d /tmp/k7x-conformance.XXXXXX)
xvfb_pid=
status=0

cleanup() {
    if [ -n "${WINEPREFIX:-}" ] && [ -n "${wineserver:-}" ]; then
        WINEPREFIX=$WINEPREFIX timeout 20 "$wineserver" -k 2>/dev/null
        WINEPREFIX=$WINEPREFIX timeout 20 "$wineserver" -w 2>/dev/null
    fi
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# check_run NAME OUTPUT RC: the run printed its closing line, with 0 failed, and ended with 0.
check_run() {
    local name=$1 output=$2 rc=$3 closing
    closing=$(grep "^conformance-$name: " "$output" | tail -n 1)
    if [ -z "$closing" ]; then
        echo "conformance-$name: FAIL: no closing line (exit code $rc)"
        status=1
    elif [ "$rc" -ne 0 ] || ! grep -q ' 0 failed$' <<<"$closing"; then
        status=1
    fi
}

# winemu
"$build/winemu" create "$work/machine" --printer Conformance >/dev/null || exit 1
"$build/winemu" run "$work/machine" "$build/tests/conformance/conformance" >"$work/winemu.txt" 2>&1
rc=$?
cat "$work/winemu.txt"
check_run winemu "$work/winemu.txt" "$rc"

# The Windows builds: one console program per architecture.
for arch in i686 x86_64; do
    "$arch-w64-mingw32-windres" -I "$here" -O coff -o "$work/conformance-$arch.res.o" "$here/conformance.rc" &&
        "$arch-w64-mingw32-g++" -std=c++20 -Wall -Wextra -Werror -O2 -static -s -mconsole \
            -DCONFORMANCE_HOST='"windows"' -o "$build/tests/conformance/conformance-$arch.exe" \
            "$here"/*.cpp "$work/conformance-$arch.res.o" -lwinspool ||
        { echo "conformance-wine: FAIL: the $arch build failed"; exit 1; }
done

# Wine: 32-bit where i386 programs run here, else 64-bit.
case $(bash "$here/../wine/flavour.sh") in
    32) wine=/usr/lib/wine/wine wineserver=/usr/lib/wine/wineserver32 arch=i686
        export WINEARCH=win32 ;;
    64) wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64 arch=x86_64
        export WINEARCH=win64 ;;
    *) echo "SKIP conformance-wine: no Wine can run here (install wine64 or wine32)"
       exit "$status" ;;
esac
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
if ! command -v Xvfb >/dev/null; then
    echo "SKIP conformance-wine: Wine's windows need Xvfb, which is not installed"
    exit "$status"
fi
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do grep -q '[0-9]' "$work/display" && break; sleep 0.2; done
export DISPLAY=:$(tr -dc 0-9 <"$work/display")
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINETEST_PLATFORM=wine
[ "$(id -u)" = 0 ] && export CONFORMANCE_WINE_AS_ROOT=1
timeout 300 "$wine" wineboot -i >"$work/wineboot.log" 2>&1 || { echo "conformance-wine: FAIL: wineboot -i failed"; exit 1; }
# A virtual desktop, so windows are placed as asked, the suite's printer and its driver.
cat >"$work/setup.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Print\Printers\Conformance]
"Name"="Conformance"
"Port"="LPT1:"
"Printer Driver"="Generic / Text Only"
"Print Processor"="WinPrint"
"Datatype"="RAW"
"Attributes"=dword:00000040

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Print\Environments\Windows NT x86\Drivers\Version-3\Generic / Text Only]
"Version"=dword:00000003
"Driver"="UNIDRV.DLL"
"Data File"="TTY.GPD"
"Configuration File"="UNIDRVUI.DLL"
"Help File"="UNIDRV.HLP"
REG
timeout 60 "$wine" regedit /S "Z:${work//\//\\}\\setup.reg" || { echo "conformance-wine: FAIL: regedit failed"; exit 1; }
timeout 60 "$wineserver" -w
mkdir -p "$WINEPREFIX/drive_c/Setup"
cp "$build/tests/conformance/conformance-$arch.exe" "$WINEPREFIX/drive_c/Setup/conformance.exe"
(cd "$WINEPREFIX/drive_c/Setup" && timeout 300 "$wine" 'C:\Setup\conformance.exe') >"$work/wine.txt" 2>"$work/wine.err"
rc=$?
tr -d '\r' <"$work/wine.txt"
tr -d '\r' <"$work/wine.txt" >"$work/wine.lines"
check_run wine "$work/wine.lines" "$rc"
exit "$status"
