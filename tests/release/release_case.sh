#!/usr/bin/env bash
# scripts/release.sh end to end with a throw-away certificate authority and code-signing
# certificate made here (no key is kept): the placeholder payload is refused without --test,
# naming its files; a vendor folder with a faulty model GPD fails the build naming the line; with
# --test and the key, osslsigncode accepts the signatures of dist/setup.exe,
# dist/printui.dll and of payload 255 read out of dist/setup.exe, and rejects a changed copy;
# payload 255 keeps its size; dist/SHA256SUMS checks out.
#   tests/release/release_case.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
work=$(mktemp -d /tmp/k7x-release.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "release_case: $*" >&2; exit 1; }
export K7X_RELEASE_BUILD_DIR=$work/build K7X_DIST_DIR=$work/dist

# Without --test: refused on one line that names the placeholder files, nothing in dist/.
if scripts/release.sh 2>"$work/refusal"; then fail "a placeholder payload was not refused"; fi
[ "$(wc -l <"$work/refusal")" = 1 ] || fail "the refusal is not one line: $(cat "$work/refusal")"
grep -q 'placeholder.*UNIDRV_en_2600\.DLL.*K7XF_en_gen\.DLL' "$work/refusal" || fail "the refusal names no files: $(cat "$work/refusal")"
[ ! -e "$work/dist" ] || fail "a refused release wrote dist/"

# A vendor folder whose model GPD holds *ModelName: twice fails the build on the line naming it.
vendor=$work/vendor
mkdir "$vendor"
image=tests/fuzz/corpus/share_resources/two_equal_resources.exe
while read -r file size kind; do
  if [ "$kind" = authored ]; then cp "src/payload/files/$file" "$vendor/"
  elif [[ "$file" =~ \.(DLL|exe)$ ]]; then cp "$image" "$vendor/$file"   # a PE32 i386 image
  else head -c "$size" /dev/zero >"$vendor/$file"; fi
done < <(awk '$1 ~ /^[0-9]+$/ && !seen[$4]++ { print $4, $3, $5 }' src/payload/manifest.txt)
gpd_lines=$(wc -l <"$vendor/K7X.GPD")
printf '*ModelName: "K7X2"\r\n' >>"$vendor/K7X.GPD"
if K7X_RELEASE_BUILD_DIR=$work/vendor-build scripts/release.sh --payload "$vendor" --test 2>"$work/vendor.log"; then
  fail "a GPD with two *ModelName: lines was built"
fi
grep -q "K7X.GPD:$((gpd_lines + 1)): a second line holding \*ModelName: (the first is line [0-9]*)$" "$work/vendor.log" ||
  { cat "$work/vendor.log" >&2; fail "the build did not name the second *ModelName: line"; }
rm -rf "$work/vendor-build"

# A certificate authority and a code-signing certificate it issued.
ca=$work/ca
mkdir "$ca"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=K7X throw-away test CA" \
  -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign \
  -keyout "$ca/ca.key" -out "$ca/ca.pem" 2>/dev/null
openssl req -newkey rsa:2048 -nodes -subj "/CN=K7X throw-away code signing" \
  -keyout "$ca/sign.key" -out "$ca/sign.csr" 2>/dev/null
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >"$ca/ext"
openssl x509 -req -in "$ca/sign.csr" -CA "$ca/ca.pem" -CAkey "$ca/ca.key" -CAcreateserial -days 2 \
  -extfile "$ca/ext" -out "$ca/sign.pem" 2>/dev/null
echo "throw-away password" >"$ca/password"
openssl pkcs12 -export -inkey "$ca/sign.key" -in "$ca/sign.pem" -certfile "$ca/ca.pem" \
  -passout file:"$ca/password" -out "$ca/sign.p12"

scripts/release.sh --pkcs12 "$ca/sign.p12" --password-file "$ca/password" --test >/dev/null
dist=$work/dist
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not check out"
"$work/build/host-tools/k7x-resource-bytes" "$dist/setup.exe" OWNER_DATA 255 "$work/payload255.exe"
[ "$(stat -c %s "$work/payload255.exe")" = 225280 ] || fail "payload 255 is not 225280 bytes"
cmp -s "$work/payload255.exe" "$dist/uninstallK7X.exe" || fail "dist/uninstallK7X.exe is not payload 255"
for f in "$dist/setup.exe" "$dist/printui.dll" "$work/payload255.exe"; do
  osslsigncode verify -CAfile "$ca/ca.pem" -in "$f" >"$work/verify.log" 2>&1 ||
    { cat "$work/verify.log" >&2; fail "$(basename "$f"): the signature does not verify"; }
done
cp "$dist/printui.dll" "$work/changed.dll"
printf 'X' | dd of="$work/changed.dll" bs=1 seek=1024 conv=notrunc 2>/dev/null
if osslsigncode verify -CAfile "$ca/ca.pem" -in "$work/changed.dll" >/dev/null 2>&1; then
  fail "a changed printui.dll still verifies"
fi
grep -q '^payload placeholders: ' "$dist/BUILD-INFO.txt" || fail "BUILD-INFO.txt does not tell the placeholder payload"
echo "release_case: signed release verified"
