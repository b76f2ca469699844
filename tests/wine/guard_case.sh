#!/bin/bash
# The real setup.exe under Wine where a run must not go ahead or must not claim success: in a
# 64-bit prefix it refuses and changes nothing; a second setup.exe started while the first runs
# says an installation is running and ends, and the first completes; with C:\TEMP on a 512 KiB
# volume (a tmpfs mounted there) it never ends with the success message.
# usage: tests/wine/guard_case.sh BUILD_WIN_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/harness.sh"

win_dir=$(cd "${1:?usage: guard_case.sh BUILD_WIN_DIR}" && pwd)
PROGRAM_EXE=setup.exe
harness_init "$win_dir"

success="The Printer Driver has been installed successfully!"
start_line="PortTalk: The PortTalk driver has been successfully started."
uninstall_key='SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\K7X printer'
small_temp=

# A tmpfs left mounted in a prefix would outlive the run.
trap '[ -z "$small_temp" ] || umount "$small_temp" 2>/dev/null; _cleanup' EXIT

# walk_to_progress: the started program walked to its progress page, its run begun.
walk_to_progress() {
    wait_for_window 30
    click_control 12324
    click_control 12324
    select_list_entry 1006 0
    click_control 12324
}

# one_box TEXT_PATTERN: the one message box open shows a text matching the pattern; answered.
one_box() {
    _wait_until 120 _message_box_open || fail "no message box"
    local text
    text=$(message_box_text)
    grep -q -- "$1" <<<"$text" || fail "message box says '$text'"
    answer_message_box
}

# nothing_installed: no trace of an installation in the prefix.
nothing_installed() {
    flush_registry
    [ -z "$(reg_value HKLM "$uninstall_key" DisplayName)" ] || fail "an uninstall entry was written"
    [ ! -e "$WINEPREFIX/drive_c/TEMP" ] || fail "C:\\TEMP was made"
    ! find "$WINEPREFIX/drive_c/windows/system32/spool/drivers" -iname 'k7x*' | grep -q . || fail "driver files copied"
    ! grep -q PortTalk "$CASE_DIR/stdout.txt" || fail "the spooler was stopped or started"
}

case_x64() {
    [ "$WINE_BITS" = 32 ] || { echo "SKIP: x64: the product's 32-bit build cannot run on this kernel"; return 0; }
    # A 64-bit prefix of its own; 32-bit setup.exe runs in it under WoW64.
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 HARNESS_TEMPLATE=template64
    case_begin x64 win7 en_US
    start_program "$win_dir/setup.exe"
    one_box "for 32-bit Windows only"
    wait_for_exit 30
    nothing_installed
    echo "PASS: x64"
    case_end
}

case_two_setups() {
    case_begin two_setups winxp en_US
    install_printui "$win_dir"
    start_program "$win_dir/setup.exe"
    wait_for_window 30
    local first=$PROGRAM_PID
    ( cd "$WINEPREFIX/drive_c/Setup" && exec "$WINE" 'C:\Setup\setup.exe' ) \
        >"$CASE_DIR/second.stdout" 2>"$CASE_DIR/second.stderr" &
    PROGRAM_PID=$!
    one_box "already running"
    wait_for_exit 30
    ! grep -q PortTalk "$CASE_DIR/second.stdout" || fail "the second setup touched the spooler"
    PROGRAM_PID=$first
    walk_to_progress
    wait_for_output "$start_line" 90
    one_box "$success"
    wait_for_exit 60
    echo "PASS: two_setups"
    case_end
}

case_small_temp() {
    case_begin small_temp winxp en_US
    install_printui "$win_dir"
    small_temp=$WINEPREFIX/drive_c/TEMP
    trap '[ -z "$small_temp" ] || umount "$small_temp" 2>/dev/null' EXIT
    mkdir -p "$small_temp"
    if ! mount -t tmpfs -o size=512k k7x-temp "$small_temp" 2>"$CASE_DIR/mount.txt"; then
        small_temp=
        _skip_or_fail "small_temp: a 512 KiB volume cannot be mounted here ($(cat "$CASE_DIR/mount.txt"))"
    fi
    start_program "$win_dir/setup.exe"
    walk_to_progress
    _wait_until 120 _message_box_open || fail "no result message"
    local text
    text=$(message_box_text)
    [ "$text" != "$success" ] || fail "the success message although C:\\TEMP was full"
    answer_message_box
    wait_for_exit 60
    umount "$small_temp" && small_temp=
    echo "PASS: small_temp ($text)"
    case_end
}

passed=0 failed=0
one() {
    if ( "$@" ); then passed=$((passed + 1)); else
        failed=$((failed + 1))
        # fail() left the case's wineserver running.
        for p in "$HARNESS_RUN_DIR"/prefixes/*; do
            [ "${p##*/}" = template ] || [ "${p##*/}" = template64 ] || WINEPREFIX=$p timeout 10 wineserver -k 2>/dev/null
        done
    fi
}
one case_x64
one case_two_setups
one case_small_temp
echo "guard cases: $passed passed, $failed failed"
[ "$failed" = 0 ]
