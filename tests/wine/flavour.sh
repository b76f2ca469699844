#!/bin/bash
# Prints which Wine can run here: "32" (32-bit Wine, the product's own i686 build), "64" (only
# 64-bit Wine: the kernel cannot run i386 code, so Wine judges the x86_64 build of the same
# sources), or "none".
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo 32
elif [ -x /usr/lib/wine/wine64 ] && /usr/lib/wine/wine64 --version >/dev/null 2>&1; then
    echo 64
else
    echo none
fi
