#!/bin/bash
# Cross-compiles the Wine harness helpers: wintree.exe, planted.exe (a rundll32.exe stand-in
# that leaves a mark when run) and held.exe (a rundll32.exe stand-in that waits to be released).
# usage: tests/wine/build.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${1:?usage: build.sh BUILD_DIR}
mkdir -p "$out"
mingw=${MINGW:-i686-w64-mingw32}   # x86_64-w64-mingw32 for 64-bit Wine
flags=(-Wall -Wextra -Werror -O2 -static -s)
"$mingw-gcc" -std=c11 "${flags[@]}" -o "$out/wintree.exe" "$root/tools/wintree/wintree.c"
"$mingw-gcc" -std=c11 "${flags[@]}" -o "$out/planted.exe" "$here/planted.c"
"$mingw-gcc" -std=c11 "${flags[@]}" -o "$out/held.exe" "$here/held.c"
