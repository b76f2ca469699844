#!/usr/bin/env bash
# Checks that the Windows build is reproducible: builds the windows preset again from a copy of
# the work tree in a fresh folder outside it, later and without ccache (so that no object of the
# first build can come back from the cache), and compares setup.exe, uninstall.exe and printui.dll
# byte for byte with those of the first build.
#   scripts/check_reproducible.sh [FIRST_BUILD_DIR]     (default build-win, built when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
first=${1:-build-win}
files=(setup.exe uninstall.exe printui.dll)
if [ ! -e "$first/setup.exe" ]; then
  cmake --preset windows >/dev/null && cmake --build --preset windows >/dev/null
fi
scratch=$(mktemp -d /tmp/k7x-reproduce.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
# The tracked and the new (not ignored) files of the work tree, as they are now.
git ls-files -z --cached --others --exclude-standard | tar -c --null -T - | tar -x -C "$scratch"
log=$scratch/build.log
if ! (cd "$scratch" && CCACHE_DISABLE=1 CMAKE_C_COMPILER_LAUNCHER= CMAKE_CXX_COMPILER_LAUNCHER= \
      cmake --preset windows && CCACHE_DISABLE=1 cmake --build --preset windows) >"$log" 2>&1; then
  cat "$log" >&2
  echo "reproducible: the second build failed" >&2
  exit 1
fi
differ=()
for f in "${files[@]}"; do
  cmp -s "$first/$f" "$scratch/build-win/$f" || differ+=("$f")
done
if ((${#differ[@]})); then
  echo "reproducible: ${differ[*]} differ between $first and a second build in $scratch" >&2
  exit 1
fi
echo "reproducible: ${files[*]} identical in two builds"
