#!/bin/bash
# Walks the stand-in program under Wine: Windows XP English and Windows 2000
# Simplified Chinese. Screenshots go to $SHOT_DIR (default /tmp/k7x-wine-shots).
# usage: tests/wine/standin_case.sh [BUILD_DIR]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/harness.sh"

build_dir=${1:-$here/../../build-wine}
SHOT_DIR=${SHOT_DIR:-/tmp/k7x-wine-shots}
mkdir -p "$SHOT_DIR"
harness_init "$build_dir"

# walk NAME WINVER LOCALE SYSTEM_LINE WELCOME_TEXT [OK_BY_CLICK]
walk() {
    local name=$1 winver=$2 loc=$3 system=$4 welcome=$5 by_click=${6:-}
    case_begin "$name" "$winver" "$loc"
    start_program "$build_dir/standin.exe"
    wait_for_window 30
    wait_for_window_text "$welcome" 10
    wait_for_output "system " 10
    grep -qF -- "$system" "$CASE_DIR/stdout.txt" \
        || fail "system line: want '$system', got '$(head -1 "$CASE_DIR/stdout.txt")'"

    select_list_entry 1006 0
    wait_for_output "selected 0" 10
    screenshot "$SHOT_DIR/$name-1-dialog.png"

    click_control 12324
    _wait_until 10 _message_box_open || fail "no message box after Next"
    local text
    text=$(message_box_text)
    [ "$text" = "Ready to install." ] || fail "message box text: '$text'"
    screenshot "$SHOT_DIR/$name-2-message.png"
    if [ -n "$by_click" ]; then answer_message_box 1; else answer_message_box; fi

    wait_for_exit 20
    [ "$PROGRAM_RC" = 0 ] || fail "exit code $PROGRAM_RC"
    _has_output "next pressed" || fail "no 'next pressed' line on stdout"

    flush_registry
    local v
    v=$(reg_value HKCU 'Software\K7XStandin' DisplayName)
    [ "$v" = "1 24 4b 00 37 00 58 00 20 00 50 00 72 00 69 00 6e 00 74 00 65 00 72 00 00 00" ] \
        || fail "DisplayName stored as '$v'"
    v=$(reg_value HKCU 'Software\K7XStandin' NoNul)
    [ "$v" = "1 6 61 00 62 00 63 00" ] || fail "NoNul stored as '$v'"
    echo "PASS: $name"
    case_end
}

walk xp_en winxp en_US "version=5.1 build=2600 langid=0x0409 userlangid=0x0409 acp=1252" "Next"
walk w2k_zh win2k zh_CN "version=5.0 build=2195 langid=0x0804 userlangid=0x0804 acp=936" "欢迎使用打印机驱动程序安装向导" click
echo "2 passed, 0 failed"
