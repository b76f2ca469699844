#!/bin/bash
# Installs what the Wine walk of setup.exe needs on Debian 12: 32-bit Wine,
# Xvfb, xdotool, ImageMagick, the mingw-w64 i686 toolchain, a Chinese font and
# the en_US / zh_CN / zh_TW locales. Idempotent; run as root.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

PACKAGES=(wine wine32:i386 fonts-wine libxrender1:i386 libxrandr2:i386
          libxcursor1:i386 libxi6:i386 libxinerama1:i386 libxcomposite1:i386
          xvfb xauth xdotool x11-utils imagemagick locales fonts-wqy-zenhei
          gcc-mingw-w64-i686 g++-mingw-w64-i686 binutils-mingw-w64-i686)
LOCALES=("en_US.UTF-8 UTF-8" "zh_CN.UTF-8 UTF-8" "zh_CN.GBK GBK"
         "zh_TW.UTF-8 UTF-8" "zh_TW.BIG5 BIG5")

if [ "$(id -u)" != 0 ]; then
    echo "install-deps.sh: must run as root" >&2
    exit 1
fi

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Generate the locales Wine derives its language id and code page from.
regen=0
for l in "${LOCALES[@]}"; do
    if ! grep -qx "$l" /etc/locale.gen; then
        sed -i "\|^# *$l\$|d" /etc/locale.gen
        echo "$l" >> /etc/locale.gen
        regen=1
    fi
done
if [ $regen = 1 ] || ! locale -a | grep -qi '^zh_TW.big5$'; then
    locale-gen
fi
