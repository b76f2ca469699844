#!/bin/bash
# Pictures of every page, the About box and the result message of the real
# setup.exe under Wine (with the project's printer setup utility), in English
# (XP) and simplified Chinese (Windows 2000, second run), cropped to the
# active window.
# usage: tests/wine/screenshots.sh BUILD_WIN_DIR OUT_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/harness.sh"

win_dir=$(cd "${1:?usage: screenshots.sh BUILD_WIN_DIR OUT_DIR}" && pwd)
out=${2:?usage: screenshots.sh BUILD_WIN_DIR OUT_DIR}
mkdir -p "$out"
out=$(cd "$out" && pwd)
PROGRAM_EXE=setup.exe
harness_init "$win_dir"

# shot FILE: the active top-level window of the program, cropped from the screen.
shot() {
    _tree
    local l t r b
    read -r l t r b <<<"$(awk -F'\t' '$1=="win" && $4==0 && $9 ~ /^V.*A/ { print $10, $11, $12, $13; exit }' "$LAST_TREE")"
    [ -n "$l" ] || fail "no active window to picture"
    screenshot "$CASE_DIR/screen.png" || fail "screenshot failed"
    convert "$CASE_DIR/screen.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$out/$1" || fail "crop failed"
}

# pages PREFIX: welcome, system and language, printer setting, progress, result, About.
pages() {
    local p=$1
    start_program "$win_dir/setup.exe"
    wait_for_window 30
    shot "$p-1-welcome.png"
    # The system menu by keyboard; Up from its first item reaches About.
    press alt+space
    press Up
    press Enter
    _wait_until 10 _message_box_open || fail "About box did not open"
    shot "$p-about.png"
    answer_message_box
    click_control 12324
    shot "$p-2-system.png"
    click_control 12324
    select_list_entry 1006 0
    shot "$p-3-setting.png"
    click_control 12324
    wait_for_output "PortTalk: The PortTalk driver has been successfully started." 90
    shot "$p-4-progress.png"
    _wait_until 120 _message_box_open || fail "no result message"
    shot "$p-5-result.png"
    answer_message_box
    wait_for_exit 30
}

case_begin shots_en winxp en_US
install_printui "$win_dir"
pages en
case_end

case_begin shots_zh win2k zh_CN
install_printui "$win_dir"
start_program "$win_dir/setup.exe"
wait_for_window 30
click_control 1061
wait_for_exit 20
pages zh
case_end
ls "$out"
