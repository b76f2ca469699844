#!/bin/bash
# The real setup.exe under Wine where a run must not go ahead or must not claim success:
# - x64: in a 64-bit (WoW64) prefix the wizard says the driver is for 32-bit Windows and /quiet
#   ends with 1633, and neither changes the Spooler's state, the spooler's or the uninstall keys,
#   the driver directories or C:\TEMP;
# - two_setups: while a first setup waits for the printer setup utility, a second one says an
#   installation is running (and /quiet ends with 1618) without touching the spooler; the first
#   then completes with the success message;
# - small_temp: with C:\TEMP the root of a 512 KiB volume the run does not report success: Wine 8
#   gives setup a mounted folder it cannot take over, so it refuses naming C:\TEMP before staging
#   (observed; the staging's disk-full path is tested on winemu at every byte boundary), and no
#   uninstall entry names a file that is not there.
# usage: tests/wine/guard_case.sh BUILD_WIN_DIR [CASE...]   (all three by default)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/harness.sh"
. "$here/k7x_state.sh"

win_dir=$(cd "${1:?usage: guard_case.sh BUILD_WIN_DIR}" && pwd)
PROGRAM_EXE=setup.exe
harness_init "$win_dir"

refused_64="This printer driver is for 32-bit Windows only; setup cannot install it on this 64-bit Windows."
busy="An installation or removal of the printer driver is already running. Wait until it has ended, then try again."
small_temp=

# one_box LINE: the open message box has LINE as one of its lines; it is answered.
one_box() {
    box_says "$1"
    answer_message_box 1
}

# exit_code_is CODE: the program's exit code as Linux keeps it (its low 8 bits).
exit_code_is() {
    [ "$PROGRAM_RC" = $(($1 & 255)) ] || fail "exit code $PROGRAM_RC, not $1 & 255"
}

# log_tells TEXT: the default log of a run with arguments has TEXT, and ends with the exit code.
log_tells() {
    local log
    log=$(tr -d '\r' <"$(_ci_path "$WINEPREFIX/drive_c" windows/K7Xsetup.log)")
    grep -qF -- "$1" <<<"$log" && tail -1 <<<"$log" | grep -q " Exit code $2\$" || fail "the log: $log"
}

# machine_state: what a refused run must leave as it was: the Spooler's state, the spooler's and
# the uninstall keys (both registry views), the files of the driver directories and of C:\TEMP.
machine_state() {
    local c=$WINEPREFIX/drive_c d
    echo "[Spooler] $(spooler_state)"
    flush_registry
    reg_sections "$print_keys|CurrentVersion/Uninstall"
    for d in windows/system32/spool windows/syswow64/spool TEMP; do
        echo "[$d]"
        bash "$here/listing.sh" "$(_ci_path "$c" "$d")"
    done
}

case_x64() {
    [ "$WINE_BITS" = 32 ] || { echo "SKIP: x64: 64-bit Wine runs the x86_64 build, which no WoW64 runs"; return 0; }
    # A 64-bit prefix of its own (Windows 7 x64), which runs the i686 setup.exe under WoW64. Wine's
    # Spooler is stopped until something asks for it (Windows starts it with the system): the state
    # compared is that one.
    export WINEARCH=win64 HARNESS_TEMPLATE=template64
    case_begin x64 win7 en_US
    grep -q '^#arch=win64' "$WINEPREFIX/system.reg" || fail "the prefix is not a 64-bit one"
    machine_state >"$CASE_DIR/before.txt"
    start_program "$win_dir/setup.exe"
    one_box "$refused_64"
    wait_for_exit 30
    start_program "$win_dir/setup.exe" /quiet
    no_window_until_exit 60
    exit_code_is 1633
    log_tells "$refused_64" 1633
    machine_state >"$CASE_DIR/after.txt"
    diff -u "$CASE_DIR/before.txt" "$CASE_DIR/after.txt" >&2 || fail "the refused runs changed the machine"
    echo "PASS: x64"
    case_end
}

# Two departures of Wine 8 from Windows shape this case. Wine runs every process in one session, so
# the mutex's Global\ name is not put to the test of another session (fast user switching, a
# terminal server). And Wine does not finish activating a new window while the previously active
# thread reads no messages: the second setup's box is made at once but shows only when the first,
# blocked in its wait for the utility, reads messages again (Windows shows it at once).
# So the second's refusal is seen in the window tree while the first is held, and its box is
# answered once the utility is released.
case_two_setups() {
    case_begin two_setups winxp en_US
    install_printui "$win_dir"
    hold_utility
    start_program "$win_dir/setup.exe"
    local first=$PROGRAM_PID second first_pid second_pid
    walk_to_progress
    utility_held 90
    # Windows process ids, as the window tree shows them.
    first_pid=$(awk -F'\t' '$1 == "win" { print $5; exit }' "$LAST_TREE")
    start_another second
    second=$PROGRAM_PID
    wait_for_window_text "$busy" 30
    second_pid=$(awk -F'\t' -v t="$busy" '$1 == "win" && index($15, t) { print $5; exit }' "$LAST_TREE")
    start_another quiet /quiet
    wait_for_exit 60
    exit_code_is 1618
    log_tells "$busy" 1618
    _alive "$first" && [ ! -e "$WINEPREFIX/drive_c/harness/released.txt" ] || fail "the first setup left its wait"
    release_utility
    # The first's result box and the second's box, both open, one over the other.
    BOX_PID=$first_pid box_says "$success"
    BOX_PID=$second_pid box_says "$busy"
    # Neither is active; the window tree lists the upper one first, which takes the click.
    answer_message_box 1
    answer_message_box 1
    PROGRAM_PID=$first
    wait_for_exit 30
    exit_code_is 0
    PROGRAM_PID=$second
    wait_for_exit 30
    exit_code_is 0
    ! grep -q PortTalk "$CASE_DIR/second.stdout.txt" "$CASE_DIR/quiet.stdout.txt" \
        || fail "a second setup stopped or started the spooler"
    flush_registry
    wine_printers | grep -qx '\* K7X driver=K7X port=LPT1:' || fail "printers: $(wine_printers)"
    echo "PASS: two_setups"
    case_end
}

# entry_names_file VALUE: the uninstall entry's VALUE, if any, names a file that is there.
entry_names_file() {
    local chars text path
    read -r chars text <<<"$(wine_value "$1")"
    [ "$chars" != absent ] || return 0
    path=${text#\"}
    path=${path%%[\",]*}
    [[ "${path,,}" == c:\\* ]] || fail "uninstall $1 '$text' names no path on C:"
    path=${path:3}
    [ -f "$(_ci_path "$WINEPREFIX/drive_c" "${path//\\//}")" ] || fail "uninstall $1 '$text' names a missing file"
}

case_small_temp() {
    case_begin small_temp winxp en_US
    install_printui "$win_dir"
    small_temp=$WINEPREFIX/drive_c/TEMP
    mkdir -p "$small_temp"
    if ! mount -t tmpfs -o size=512k k7x-temp "$small_temp" 2>"$CASE_DIR/mount.txt"; then
        echo "SKIP: small_temp: a 512 KiB volume cannot be mounted at C:\\TEMP here ($(cat "$CASE_DIR/mount.txt"))"
        case_end
        return 0
    fi
    # Lazily: a process of the prefix may still have it as its current directory.
    trap '[ -z "$small_temp" ] || umount -l "$small_temp"' EXIT
    start_program "$win_dir/setup.exe"
    walk_to_progress
    one_box "Setup cannot secure the folder C:\\\\TEMP: it cannot be made a folder that only administrators may change. The printer driver has not been installed."
    wait_for_exit 60
    exit_code_is 0
    flush_registry
    local v
    for v in UninstallString QuietUninstallString DisplayIcon; do entry_names_file "$v"; done
    echo "PASS: small_temp (C:\\TEMP: $(df -k --output=used "$small_temp" | tail -1 | tr -d ' ') KiB of 512 used;" \
        "UninstallString: $(wine_value UninstallString))"
    umount -l "$small_temp" && small_temp=
    case_end
}

cases=("${@:2}")
((${#cases[@]})) || cases=(x64 two_setups small_temp)
for c in "${cases[@]}"; do one_case "$c" "case_$c"; done
echo "guard cases: $CASES_PASSED passed, $CASES_FAILED failed"
[ "$CASES_FAILED" = 0 ]
