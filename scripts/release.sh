#!/usr/bin/env bash
# Builds the Windows program for shipping, from a fresh build folder, into dist/:
#   setup.exe, printui.dll, uninstallK7X.exe (payload 255, as setup.exe carries it),
#   BUILD-INFO.txt (commit, version, payload source, each payload file's size and SHA-256) and
#   SHA256SUMS (for `sha256sum -c`).
#
#   scripts/release.sh [--pkcs12 FILE --password-file FILE] [--timestamp URL] [--payload DIR] [--test]
#
# --pkcs12, --password-file  sign with this key and certificate chain (Authenticode, SHA-256, by
#                            osslsigncode): first the uninstaller, padded inside the signed file so
#                            that it stays exactly its payload size, then setup.exe and printui.dll
# --timestamp URL            have the signatures time-stamped by this RFC 3161 server
# --payload DIR              the vendor's payload files (K7X_PAYLOAD_DIR), checked by the build
# --test                     allow a payload of placeholder files (a build that installs no driver)
# Without --test a build whose payload holds placeholder files is refused, naming them.
# K7X_RELEASE_BUILD_DIR (default build-release) and K7X_DIST_DIR (default dist) move the folders.
set -euo pipefail
cd "$(dirname "$0")/.."

die() { echo "release: $*" >&2; exit 1; }
pkcs12= password_file= timestamp= payload= test_build=0
while (($#)); do
  case $1 in
    --pkcs12) pkcs12=${2:?--pkcs12 needs a file}; shift 2 ;;
    --password-file) password_file=${2:?--password-file needs a file}; shift 2 ;;
    --timestamp) timestamp=${2:?--timestamp needs a URL}; shift 2 ;;
    --payload) payload=${2:?--payload needs a folder}; shift 2 ;;
    --test) test_build=1; shift ;;
    *) die "unknown argument '$1' (see the head of scripts/release.sh)" ;;
  esac
done
{ [ -z "$pkcs12" ] && [ -z "$password_file" ]; } || { [ -n "$pkcs12" ] && [ -n "$password_file" ]; } ||
  die "--pkcs12 and --password-file go together"
[ -z "$timestamp" ] || [ -n "$pkcs12" ] || die "--timestamp needs a key to sign with"
[ -z "$pkcs12" ] || [ -r "$pkcs12" ] || die "$pkcs12 cannot be read"
[ -z "$password_file" ] || [ -r "$password_file" ] || die "$password_file cannot be read"
[ -z "$pkcs12" ] || command -v osslsigncode >/dev/null || die "osslsigncode is missing (scripts/install-deps.sh release)"

build=${K7X_RELEASE_BUILD_DIR:-build-release}
dist=${K7X_DIST_DIR:-dist}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
run() { "$@" >"$log" 2>&1 || { cat "$log" >&2; die "failed: $*"; }; }

rm -rf "$build"
configure=(cmake --preset windows -B "$build")
[ -z "$payload" ] || configure+=("-DK7X_PAYLOAD_DIR=$(cd "$payload" && pwd)")
run "${configure[@]}"
run cmake --build "$build" --target k7x_build_info
placeholders=$(sed -n 's/^payload placeholders: //p' "$build/BUILD-INFO.txt")
if [ -n "$placeholders" ] && ((!test_build)); then
  die "the payload holds placeholder files, not for release (--payload DIR, or --test): $placeholders"
fi

uninstaller=uninstallK7X.exe
payload_size=$(awk -v f="$uninstaller" '$4 == f { print $3; exit }' src/payload/manifest.txt)
sign() {  # IN OUT
  local args=(sign -pkcs12 "$pkcs12" -readpass "$password_file" -h sha256 -n "K7X printer driver")
  [ -z "$timestamp" ] || args+=(-ts "$timestamp")
  rm -f "$2"
  run osslsigncode "${args[@]}" -in "$1" -out "$2"
}
if [ -n "$pkcs12" ]; then
  # The signature goes after the image, so the image is padded first (zero bytes the signature
  # covers) by what leaves exactly the payload size once signed; a signature whose length changed
  # (a time stamp of another length) is measured again.
  run cmake --build "$build" --target k7x_uninstall
  signed_dir=$build/signed
  mkdir -p "$signed_dir"
  bare=$build/uninstall.exe
  sign "$bare" "$signed_dir/probe.exe"
  signature=$(( $(stat -c %s "$signed_dir/probe.exe") - ($(stat -c %s "$bare") + 7) / 8 * 8 ))
  for attempt in 1 2 3; do
    padded_size=$((payload_size - signature))
    (( padded_size >= $(stat -c %s "$bare") )) || die "the signed uninstaller does not fit into $payload_size bytes"
    cp "$bare" "$signed_dir/padded.exe"
    truncate -s "$padded_size" "$signed_dir/padded.exe"
    sign "$signed_dir/padded.exe" "$signed_dir/$uninstaller"
    size=$(stat -c %s "$signed_dir/$uninstaller")
    ((size != payload_size)) || break
    signature=$((size - padded_size))
  done
  ((size == payload_size)) || die "the signed uninstaller has $size bytes, not $payload_size"
  rm -f "$signed_dir/probe.exe" "$signed_dir/padded.exe"
  run cmake "-DK7X_SIGNED_PROGRAMS_DIR=$(cd "$signed_dir" && pwd)" "$build"
fi
run cmake --build "$build"

rm -rf "$dist"
mkdir -p "$dist"
cp "$build/payload/$uninstaller" "$build/BUILD-INFO.txt" "$dist/"
if [ -n "$pkcs12" ]; then
  sign "$build/setup.exe" "$dist/setup.exe"
  sign "$build/printui.dll" "$dist/printui.dll"
else
  cp "$build/setup.exe" "$build/printui.dll" "$dist/"
fi
(cd "$dist" && sha256sum setup.exe printui.dll "$uninstaller" BUILD-INFO.txt >SHA256SUMS)
echo "release: $dist/ holds setup.exe, printui.dll, $uninstaller, BUILD-INFO.txt and SHA256SUMS$([ -n "$pkcs12" ] && echo ", signed")"
