#!/bin/bash
# The real setup.exe started from a folder its user cannot write (a CD, a read-only share), on an
# English and a simplified Chinese system: the first page speaks the system's language (never the
# template's Chinese drawn as question marks), the language files are in the user's temporary
# folder, and nothing is written beside the program. A picture of each first page is kept in
# OUT_DIR.
#
# Root writes anywhere, so the case runs as a user without rights: started as root it creates the
# user k7xwine, copies what the case needs to a folder of that user and runs itself as that user
# (Wine takes only a prefix its user owns).
# usage: tests/wine/readonly_case.sh BUILD_WIN_DIR OUT_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
win_dir=$(cd "${1:?usage: readonly_case.sh BUILD_WIN_DIR OUT_DIR}" && pwd)
out=${2:?usage: readonly_case.sh BUILD_WIN_DIR OUT_DIR}
mkdir -p "$out"
out=$(cd "$out" && pwd)

if [ "$(id -u)" = 0 ]; then
    user=k7xwine
    id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user" || { echo "FAIL: useradd $user" >&2; exit 1; }
    stage=$(mktemp -d /tmp/k7x-readonly.XXXXXX)
    mkdir -p "$stage/tests/wine" "$stage/tools/wintree" "$stage/build-win" "$stage/out"
    cp "$here"/*.sh "$here"/*.awk "$here"/*.c "$stage/tests/wine/" &&
        cp "$here/../../tools/wintree/wintree.c" "$stage/tools/wintree/" &&
        cp "$win_dir/setup.exe" "$stage/build-win/" || { echo "FAIL: staging the case" >&2; exit 1; }
    chown -R "$user:" "$stage"
    home=$(getent passwd "$user" | cut -d: -f6)
    runuser -u "$user" -- env -i PATH="$PATH" HOME="$home" USER="$user" CI="${CI:-}" \
        bash "$stage/tests/wine/readonly_case.sh" "$stage/build-win" "$stage/out"
    rc=$?
    cp "$stage"/out/*.png "$out/" 2>/dev/null
    rm -rf "$stage"
    exit $rc
fi

. "$here/harness.sh"
PROGRAM_EXE=setup.exe
harness_init "$win_dir"

# run_case NAME LOCALE WELCOME NEXT: the first page, from C:\Setup made read-only.
run_case() {
    local name=$1 loc=$2 welcome=$3 next=$4
    case_begin "$name" winxp "$loc"
    local c=$WINEPREFIX/drive_c
    mkdir -p "$c/Setup" && cp "$win_dir/setup.exe" "$c/Setup/setup.exe" && chmod -R a-w "$c/Setup" ||
        fail "C:\\Setup not laid out"
    ! touch "$c/Setup/probe" 2>/dev/null || fail "C:\\Setup can be written: is this user root?"
    start_program "$win_dir/setup.exe"
    wait_for_window 30
    wait_for_window_text "$welcome" 30
    screenshot "$out/$name-welcome.png" || fail "no picture of the first page"
    local texts
    # The pictures (id 65535) carry their bitmap's resource reference as text, which no one reads.
    texts=$(awk -F'\t' '$1 == "win" && $7 != 65535 { print $7 "=" $15 }' "$LAST_TREE")
    grep -qxF "1042=$welcome" <<<"$texts" || fail "the welcome text: $(grep '^1042=' <<<"$texts")"
    grep -qxF "12324=$next" <<<"$texts" || fail "the Next button: $(grep '^12324=' <<<"$texts")"
    ! grep -qF '?' <<<"$texts" || fail "question marks on the first page: $(grep -F '?' <<<"$texts")"
    click_control 1061
    wait_for_exit 20
    [ "$PROGRAM_RC" = 0 ] || fail "exit code $PROGRAM_RC"
    [ "$(ls -A "$c/Setup")" = setup.exe ] || fail "written beside the program: $(ls -A "$c/Setup")"
    local f
    for f in Multi_eng.dll Multi_ch.dll; do
        [ -n "$(find "$c/users" -ipath "*/K7X setup/Language/$f" -print -quit)" ] ||
            fail "no $f in the user's temporary folder"
    done
    chmod u+w "$c/Setup"   # so that the prefix can be removed
    echo "PASS: $name"
    case_end
}

one_case readonly_en run_case readonly_en en_US "Welcome to the Printer Driver Setup Wizard" "&Next"
one_case readonly_zh run_case readonly_zh zh_CN "欢迎使用打印机驱动安装程序向导" "下一步"
# A failed case leaves its prefix with C:\Setup read-only: writable again, the harness removes it.
chmod -R u+w "$HARNESS_RUN_DIR/prefixes" 2>/dev/null
echo "read-only cases: $CASES_PASSED passed, $CASES_FAILED failed"
[ "$CASES_FAILED" = 0 ]
