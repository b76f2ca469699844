#!/bin/bash
# Installs with the real setup.exe under Wine, then runs the real uninstaller as the system's list
# of installed software starts it (the uninstall entry's UninstallString), confirms with Yes, and
# checks what is left: no printer, driver, driver file named after N, OEM INF copy or uninstall
# entry of K7X; the Unidrv core files, a "Generic / Text Only" printer with its driver and TTY.GPD,
# and another OEM INF stay; the uninstaller's own file is scheduled for deletion at the next start.
#
# Wine's own printer setup utility installs nothing, so after setup the case lays out what the
# utility leaves on Windows: the driver's files in D\3, the driver and the printer in the spooler's
# registry keys (which Wine's spooler reads), and the INF's copy as oem7.inf with its .pnf.
# A second case does the same unattended: setup.exe /quiet, then the entry's QuietUninstallString,
# during which no window may appear.
# usage: tests/wine/uninstall_case.sh BUILD_WIN_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/harness.sh"

win_dir=$(cd "${1:?usage: uninstall_case.sh BUILD_WIN_DIR}" && pwd)
PROGRAM_EXE=setup.exe
harness_init "$win_dir"

# reg.exe names the root HKLM, a .reg file HKEY_LOCAL_MACHINE.
print_key='SYSTEM\CurrentControlSet\Control\Print'
drivers_key="$print_key\\Environments\\Windows NT x86\\Drivers\\Version-3"
entry_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\K7X printer'
own_files="K7X.GPD K7X.INI K7XRES.dll K7XD.dll K7XF.dll ZIKU.UFM"
core_files="UNIDRV.DLL UNIDRVUI.DLL UNIRES.DLL UNIDRV.HLP STDNAMES.GPD"

# multi_sz WORD...: the words as a REG_MULTI_SZ in a version 5 .reg file (UTF-16LE bytes).
multi_sz() {
    printf '%s\0' "$@" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v | tr -s ' \n' ' ' \
        | sed 's/^ //; s/ $/,00,00/; s/ /,/g'
}

# driver_reg NAME DATA_FILE DEPENDENT...: a driver's key as the spooler keeps it.
driver_reg() {
    local name=$1 data=$2; shift 2
    printf '[HKEY_LOCAL_MACHINE\\%s\\%s]\r\n' "$drivers_key" "$name"
    printf '"Version"=dword:00000003\r\n"Driver"="UNIDRV.DLL"\r\n"Data File"="%s"\r\n' "$data"
    printf '"Configuration File"="UNIDRVUI.DLL"\r\n"Help File"="UNIDRV.HLP"\r\n'
    printf '"Dependent Files"=hex(7):%s\r\n\r\n' "$(multi_sz "$@")"
}

# printer_reg NAME DRIVER: a local printer on LPT1:.
printer_reg() {
    printf '[HKEY_LOCAL_MACHINE\\%s\\Printers\\%s]\r\n"Name"="%s"\r\n"Port"="LPT1:"\r\n"Printer Driver"="%s"\r\n' \
        "$print_key" "$1" "$1" "$2"
    printf '"Print Processor"="WinPrint"\r\n"Datatype"="RAW"\r\n"Attributes"=dword:00000040\r\n\r\n'
}

# ci DIR NAME: the file NAME in DIR, found without case, or nothing.
ci() { find "$1" -maxdepth 1 -type f -iname "$2" -print -quit 2>/dev/null; }

# lay_out_installation: what the printer setup utility leaves on Windows.
lay_out_installation() {
    local c=$WINEPREFIX/drive_c d f
    d=$(find "$c/windows/system32/spool/drivers" -maxdepth 1 -iname w32x86 -print -quit)
    [ -n "$d" ] || fail "no driver directory"
    mkdir -p "$d/3"
    for f in $own_files $core_files; do
        [ -n "$(ci "$d" "$f")" ] || fail "setup left no $f in the driver directory"
        cp "$(ci "$d" "$f")" "$d/3/"
    done
    echo "generic text" >"$d/3/TTY.GPD"
    cp "$(ci "$c/TEMP" K7X.INF)" "$c/windows/inf/oem7.inf" || fail "no staged K7X.INF"
    echo PNF >"$c/windows/inf/oem7.pnf"
    printf '[Version]\r\nClass=Printer\r\n[Manufacturer]\r\n"Other"=Other\r\n' >"$c/windows/inf/oem8.inf"
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        # shellcheck disable=SC2086
        driver_reg K7X K7X.GPD $own_files STDNAMES.GPD UNIRES.DLL
        driver_reg "Generic / Text Only" TTY.GPD STDNAMES.GPD UNIRES.DLL
        printer_reg K7X K7X
        printer_reg Text "Generic / Text Only"
    } | iconv -f UTF-8 -t UTF-16 >"$CASE_DIR/installed.reg"
    _wine regedit /S "Z:${CASE_DIR//\//\\}\\installed.reg" || fail "regedit failed"
    key_exists "$print_key\\Printers\\K7X" && key_exists "$drivers_key\\K7X" \
        || fail "the laid-out printer and driver are not in the registry"
}

# entry_value NAME: a value of the uninstall entry, as reg.exe shows it.
entry_value() {
    _wine reg query "$entry_key" /v "$1" 2>/dev/null | tr -d '\r' \
        | awk -v n="$1" '$1 == n { sub(/^[ \t]*[A-Za-z]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); print }'
}


key_exists() { _wine reg query "HKLM\\$1" >/dev/null 2>&1; }

# The box's text lines include TEXT.
expect_box() {
    _wait_until 30 _message_box_open || fail "no message box: expected '$1'"
    message_box_text | grep -qF -- "$1" || fail "message box '$(message_box_text)', expected '$1'"
}

# run_case NAME MODE: MODE "" walks setup and confirms the uninstaller's question; "quiet" runs
# both with /quiet.
run_case() {
    case_begin "$1" winxp en_US
    if [ "$2" = quiet ]; then
        # Wine's own utility installs nothing and Wine then lists no printer at all: the quiet run
        # ends there with 1603 (67 to Linux, which keeps 8 bits), the log telling why.
        start_program "$win_dir/setup.exe" /quiet
        no_window_until_exit 150
        [ "$PROGRAM_RC" = 67 ] || fail "setup's exit code $PROGRAM_RC, not 1603 & 0xFF"
        grep -q 'The spooler lists no printers at all' "$WINEPREFIX/drive_c/windows/K7Xsetup.log" \
            || fail "the log does not tell why: $(tail -3 "$WINEPREFIX/drive_c/windows/K7Xsetup.log")"
    else
        start_program "$win_dir/setup.exe"
        wait_for_window 30
        click_control 12324
        click_control 12324
        select_list_entry 1006 0
        click_control 12324
        wait_for_output "PortTalk: The PortTalk driver has been successfully started." 90
        _wait_until 15 _message_box_open && answer_message_box
        click_control 12325
        wait_for_exit 20
        [ "$PROGRAM_RC" = 0 ] || fail "setup's exit code $PROGRAM_RC"
    fi
    lay_out_installation

    local command uninstaller='c:\windows\system32\spool\drivers\w32x86\uninstallk7x.exe'
    PROGRAM_EXE=uninstallK7X.exe
    if [ "$2" = quiet ]; then
        command=$(entry_value QuietUninstallString)
        [[ "${command,,}" == "\"$uninstaller\" /quiet" ]] || fail "QuietUninstallString '$command'"
        # As cmd.exe reads the command: the quoted program, then its argument.
        ( cd "$WINEPREFIX/drive_c" && exec "$WINE" "${command:1:${#uninstaller}}" /quiet ) \
            >"$CASE_DIR/stdout.txt" 2>"$CASE_DIR/stderr.txt" &
        PROGRAM_PID=$!
        no_window_until_exit 60
    else
        command=$(entry_value UninstallString)
        [[ "${command,,}" == "$uninstaller" ]] || fail "UninstallString '$command'"
        ( cd "$WINEPREFIX/drive_c" && exec "$WINE" "$command" ) >"$CASE_DIR/stdout.txt" 2>"$CASE_DIR/stderr.txt" &
        PROGRAM_PID=$!
        expect_box "Remove the K7X printer driver, the printers that use it and its files from this computer?"
        answer_message_box 6
        expect_box "The K7X printer driver has been removed."
        answer_message_box
        wait_for_exit 30
    fi
    [ "$PROGRAM_RC" = 0 ] || fail "the uninstaller's exit code $PROGRAM_RC"

    key_exists "$print_key\\Printers\\K7X" && fail "the printer K7X is left"
    key_exists "$drivers_key\\K7X" && fail "the driver K7X is left"
    key_exists "${entry_key#HKLM\\}" && fail "the uninstall entry is left"
    key_exists "$print_key\\Printers\\Text" || fail "the printer Text is gone"
    key_exists "$drivers_key\\Generic / Text Only" || fail "the driver Generic / Text Only is gone"
    local c=$WINEPREFIX/drive_c d f
    d=$(find "$c/windows/system32/spool/drivers" -maxdepth 1 -iname w32x86 -print -quit)
    for f in $own_files; do
        [ -z "$(ci "$d" "$f")" ] || fail "$f is left in the driver directory"
        [ -z "$(ci "$d/3" "$f")" ] || fail "$f is left in its 3 subdirectory"
    done
    for f in $core_files; do
        [ -n "$(ci "$d" "$f")" ] && [ -n "$(ci "$d/3" "$f")" ] || fail "the core file $f is gone"
    done
    [ "$(cat "$d/3/TTY.GPD")" = "generic text" ] || fail "TTY.GPD changed"
    [ ! -e "$c/windows/inf/oem7.inf" ] && [ ! -e "$c/windows/inf/oem7.pnf" ] || fail "the OEM INF copy is left"
    [ -e "$c/windows/inf/oem8.inf" ] || fail "another printer's OEM INF is gone"
    # The running program's file goes at the next start.
    [ -n "$(ci "$d" uninstallK7X.exe)" ] || fail "the uninstaller's file went while it ran"
    _wine reg query 'HKLM\SYSTEM\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations 2>/dev/null \
        | tr -d '\r' | grep -qi 'uninstallK7X\.exe' || fail "the uninstaller's deletion is not scheduled"
    echo "PASS: $1"
    case_end
}

passed=0 failed=0
for c in "uninstall_xp_en " "uninstall_quiet_xp_en quiet"; do
    read -r name mode <<<"$c"
    if ( PROGRAM_EXE=setup.exe; run_case "$name" "$mode" ); then passed=$((passed + 1)); else
        failed=$((failed + 1))
        WINEPREFIX=$HARNESS_RUN_DIR/prefixes/$name timeout 10 wineserver -k 2>/dev/null
    fi
done
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
