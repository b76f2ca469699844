#!/usr/bin/env bash
# Installs what the project needs on Debian, only what is missing, then checks the result.
#
#   scripts/install-deps.sh [GROUP...]      GROUP: build (default), wine, fuzz, release, all
#
#   build  CMake, Ninja, g++, GoogleTest, tmux (the terminal walk test), Python's YAML reader (the
#          check of deploy/), mingw-w64 for i686 (the product) and x86_64 (the build that 64-bit
#          Wine judges where the kernel cannot run i386 code)
#   wine   Wine (32- and 64-bit), Xvfb, xdotool, ImageMagick, a Chinese font, and the
#          en_US/zh_CN/zh_TW locales the Wine cases run in
#   fuzz   clang 14 with its libFuzzer runtime
#   release  osslsigncode and openssl (signing in scripts/release.sh and its test)
#
# A package index that cannot be read (a mirror in sync, say) does not stop it: `apt-get update`
# is tried a few times, then it goes on with the indexes that were read and names the suites that
# failed. If the install then cannot be resolved, it is tried once more with those suites pinned
# away for that one command (a temporary preferences file; the machine's sources stay as they
# are). It fails, naming what could not be had, only when a package truly cannot be installed.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

UPDATE_ATTEMPTS=3
UPDATE_PAUSE=3

declare -A GROUP_PACKAGES=(
  [build]="cmake ninja-build g++ libgtest-dev googletest file tmux python3-yaml
           gcc-mingw-w64-i686 g++-mingw-w64-i686 binutils-mingw-w64-i686
           gcc-mingw-w64-x86-64 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64"
  [wine]="wine wine32:i386 wine64 fonts-wine libxrender1:i386 libxrandr2:i386 libxcursor1:i386
          libxi6:i386 libxinerama1:i386 libxcomposite1:i386 xvfb xauth xdotool x11-utils
          imagemagick locales fonts-wqy-zenhei"
  [fuzz]="clang-14 libclang-rt-14-dev"
  [release]="osslsigncode openssl"
)
GROUP_COMMANDS_build="cmake ninja g++ i686-w64-mingw32-g++ i686-w64-mingw32-windres x86_64-w64-mingw32-g++ x86_64-w64-mingw32-windres file tmux"
GROUP_COMMANDS_wine="wine wineserver Xvfb xdotool import fc-list locale-gen"
GROUP_COMMANDS_fuzz="clang-14 clang++-14"
GROUP_COMMANDS_release="osslsigncode openssl"
WINE_LOCALES=("en_US.UTF-8 UTF-8" "zh_CN.UTF-8 UTF-8" "zh_CN.GBK GBK" "zh_TW.UTF-8 UTF-8" "zh_TW.BIG5 BIG5")

say() { echo "install-deps: $*" >&2; }
die() { say "$*"; exit 1; }

SUDO=()
[ "$(id -u)" -eq 0 ] || SUDO=(sudo)

groups=("$@")
((${#groups[@]})) || groups=(build)
[[ " ${groups[*]} " == *" all "* ]] && groups=(build wine fuzz release)
for g in "${groups[@]}"; do
  [ -n "${GROUP_PACKAGES[$g]:-}" ] || die "unknown group '$g' (build, wine, fuzz, release, all)"
done

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing=()
for g in "${groups[@]}"; do
  for p in ${GROUP_PACKAGES[$g]}; do
    installed "$p" || missing+=("$p")
  done
done

# Suites whose index could not be read in the last `apt-get update`.
FAILED_SUITES=()
apt_update() {
  local attempt log
  log=$(mktemp)
  for ((attempt = 1; attempt <= UPDATE_ATTEMPTS; attempt++)); do
    if "${SUDO[@]}" apt-get update -qq >"$log" 2>&1; then
      FAILED_SUITES=()
      rm -f "$log"
      return 0
    fi
    mapfile -t FAILED_SUITES < <(grep -oE '^(E|W): Failed to fetch [^ ]*/dists/[^/ ]+' "$log" |
                                 sed -E 's#.*/dists/##' | sort -u)
    ((attempt < UPDATE_ATTEMPTS)) && sleep "$UPDATE_PAUSE"
  done
  if ((${#FAILED_SUITES[@]})); then
    say "apt-get update could not read the index of: ${FAILED_SUITES[*]}; going on with the others"
  else
    say "apt-get update failed: $(grep -E '^(E|W):' "$log" | head -n 1)"
  fi
  rm -f "$log"
}

# apt-get install with the failed suites pinned away (priority -1) for this one command.
install_without_failed_suites() {
  local prefs rc=0 s
  prefs=$(mktemp)
  [ -r /etc/apt/preferences ] && cat /etc/apt/preferences >"$prefs"
  for s in "${FAILED_SUITES[@]}"; do
    printf '\nPackage: *\nPin: release n=%s\nPin-Priority: -1\n\nPackage: *\nPin: release a=%s\nPin-Priority: -1\n' \
      "$s" "$s" >>"$prefs"
  done
  chmod 644 "$prefs"
  "${SUDO[@]}" apt-get install -y -qq --no-install-recommends -o Dir::Etc::Preferences="$prefs" "$@" \
    >/dev/null || rc=$?
  rm -f "$prefs"
  return "$rc"
}

# Names the packages of "$@" that apt cannot install on its own.
unresolvable() {
  local p
  for p in "$@"; do
    "${SUDO[@]}" apt-get install -s -qq --no-install-recommends "$p" >/dev/null 2>&1 || echo "$p"
  done
}

if ((${#missing[@]})); then
  say "installing: ${missing[*]}"
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${SUDO[@]}" dpkg --add-architecture i386
  fi
  apt_update
  if ! "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null 2>&1; then
    ((${#FAILED_SUITES[@]})) || die "cannot install: $(unresolvable "${missing[@]}" | tr '\n' ' ')"
    say "install did not resolve with the partly read suites; trying again without ${FAILED_SUITES[*]}"
    install_without_failed_suites "${missing[@]}" ||
      die "cannot install: $(unresolvable "${missing[@]}" | tr '\n' ' ')(also tried without ${FAILED_SUITES[*]})"
  fi
fi

# The Wine cases run in these locales, whatever happened to the packages.
ensure_locales() {
  local l regen=0
  command -v locale-gen >/dev/null || return 0
  for l in "${WINE_LOCALES[@]}"; do
    if ! grep -qx "$l" /etc/locale.gen 2>/dev/null; then
      echo "$l" | "${SUDO[@]}" tee -a /etc/locale.gen >/dev/null
      regen=1
    fi
  done
  for l in en_us.utf8 zh_cn.utf8 zh_cn.gbk zh_tw.utf8 zh_tw.big5; do
    locale -a 2>/dev/null | tr 'A-Z' 'a-z' | grep -qx "$l" || regen=1
  done
  ((regen == 0)) || "${SUDO[@]}" locale-gen >/dev/null
}

# What the tests need, checked by use rather than by exit codes.
verify() {
  local g c problems=()
  for g in "${groups[@]}"; do
    local var="GROUP_COMMANDS_$g"
    for c in ${!var}; do
      command -v "$c" >/dev/null 2>&1 || problems+=("command $c")
    done
  done
  if [[ " ${groups[*]} " == *" build "* ]]; then
    [ -e /usr/include/gtest/gtest.h ] || problems+=("GoogleTest headers")
    python3 -c 'import yaml' 2>/dev/null || problems+=("Python's YAML reader")
  fi
  if [[ " ${groups[*]} " == *" wine "* ]]; then
    [ -e /usr/share/wine/fonts/tahoma.ttf ] || problems+=("Wine's fonts")
    fc-list 2>/dev/null | grep -qi 'wenquanyi\|wqy' || problems+=("a Chinese font")
    [ -x /usr/lib/wine/wine ] || [ -x /usr/lib/wine/wine64 ] || problems+=("a Wine loader")
    for c in en_us.utf8 zh_cn.utf8 zh_cn.gbk zh_tw.utf8 zh_tw.big5; do
      locale -a 2>/dev/null | tr 'A-Z' 'a-z' | grep -qx "$c" || problems+=("locale $c")
    done
  fi
  if [[ " ${groups[*]} " == *" fuzz "* ]]; then
    compgen -G "/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null ||
      problems+=("libFuzzer runtime")
  fi
  ((${#problems[@]} == 0)) || die "still missing: ${problems[*]}"
}

[[ " ${groups[*]} " == *" wine "* ]] && ensure_locales
verify
