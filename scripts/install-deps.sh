#!/usr/bin/env bash
# Installs what building and testing need, on Debian, when it is missing (apt-get, as root).
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev googletest g++-mingw-w64-i686 binutils-mingw-w64-i686 file)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
