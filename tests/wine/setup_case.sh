#!/bin/bash
# Walks the real setup.exe under Wine by clicks and keys on four kinds of
# machine (and runs it once with /quiet, which must show no window), checks what
# it leaves, and compares that with the same run of the Linux build on a winemu
# machine of the same kind.
# usage: tests/wine/setup_case.sh BUILD_WIN_DIR BUILD_LINUX_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/harness.sh"
. "$here/k7x_state.sh"

win_dir=$(cd "${1:?usage: setup_case.sh BUILD_WIN_DIR BUILD_LINUX_DIR}" && pwd)
linux_dir=$(cd "${2:?usage: setup_case.sh BUILD_WIN_DIR BUILD_LINUX_DIR}" && pwd)
PROGRAM_EXE=setup.exe
harness_init "$win_dir"

# The printer name N of the case (setting.dll's PrinterName) and what follows it.
printer=K7X
uninstall_values="DisplayName UninstallString DisplayIcon Publisher"
start_line="PortTalk: The PortTalk driver has been successfully started."
setting_bytes=$'[Setting]\r\nLanguage=English\r\nPrinterName=K7X'

# effects DRIVE_C OUT: the visible effects compared between the machines.
# C:\Setup without setup.exe itself (copied there by the harness on Wine, the
# program's own image on winemu); only the driver directory's own files (Wine
# keeps its own subdirectories there). The uninstaller is the payload 255 of
# the build that ran (the Windows program in the Windows build, a placeholder of
# the same size in the Linux one): its hash is shown as that when it matches.
effects() {
    local c=$1 out=$2 own
    own=$(sha256sum "$3/payload/uninstallK7X.exe" | cut -d' ' -f1)
    {
        echo "[C:\\Setup]"
        bash "$here/listing.sh" "$(_ci_path "$c" Setup)" | grep -v '^setup\.exe '
        echo "[C:\\TEMP]"
        bash "$here/listing.sh" "$(_ci_path "$c" TEMP)"
        echo "[driver directory]"
        bash "$here/listing.sh" "$(_ci_path "$c" windows/system32/spool/drivers/w32x86)" 1
    } | sed "s/^\(.*uninstall${printer,,}\.exe [0-9]*\) $own\$/\1 (payload 255 of its build)/" >"$out"
}

# winemu_value MACHINE NAME: the same from winemu, which stores the ANSI bytes
# ("winemu reg" shows them as UTF-8, the terminator as \0); their count is
# checked against the text in the machine's code page.
winemu_value() {
    local bytes text
    read -r bytes text < <("$linux_dir/winemu" reg "$1" "HKLM\\$(ansi "$uninstall_key")" \
        | awk -v n="\"$2\"" '$1 == "value" && $2 == n { t = $0; c = $4; sub(/^[^"]*"[^"]*" REG_SZ [0-9]+ "/, "", t); sub(/"$/, "", t)
                                if (!sub(/\\0$/, "", t)) { print "-1 no terminator:", t; next }; print c - 1, t }')
    [ "$bytes" = "$(ansi "$text" | wc -c)" ] || { echo "$bytes bytes for $text"; return; }
    echo "${#text} $text"
}

# ansi TEXT: TEXT in the ANSI code page of the case's locale, as the program writes it.
ansi() {
    case ${LANG%%.*} in
        zh_CN) printf '%s' "$1" | iconv -t CP936 ;;
        zh_TW) printf '%s' "$1" | iconv -t CP950 ;;
        *) printf '%s' "$1" | iconv -t CP1252 ;;
    esac
}

# walk_script LANG_CLICK END: the walk as a winemu script; END "box" answers the
# result message, "cancel" leaves the progress page with Cancel.
walk_script() {
    echo "click 12324"
    [ -z "$1" ] || echo "click $1"
    echo "click 12324"
    echo "select 1006 0"
    echo "click 12324"
    echo "wait 200000"
    if [ "$2" = box ]; then echo "answer"; else echo "click 12325"; fi
}

# plant_rundll32 DRIVE_C: a rundll32.exe that marks C:\planted-ran.txt when run, beside the
# program and in C:\TEMP, the places Windows searches before the system directory.
plant_rundll32() {
    mkdir -p "$1/Setup" "$1/TEMP"
    cp "$PLANTED_EXE" "$1/Setup/rundll32.exe" && cp "$PLANTED_EXE" "$1/TEMP/rundll32.exe" || fail "planting failed"
}

# put_setting DRIVE_C: the case's setting.dll in C:\Setup.
put_setting() {
    mkdir -p "$1/Setup"
    printf '%s' "$setting_bytes" >"$1/Setup/setting.dll"
}

# winemu_printers MACHINE: the same from winemu (no line for no printer).
winemu_printers() {
    "$linux_dir/winemu" printers "$1" | grep -vx '(no printers)' \
        | sed -E 's/^(\*| ) (.*)  driver="([^"]*)" port=(.*)$/\1 \2 driver=\3 port=\4/' | sort -k2
}

# The result message box of the Wine run: caption and text as UTF-8 lines, with
# the backslashes the window tree escapes written plain, as winemu's trace has
# them (a Big5 text holds 0x5C as the second byte of some characters).
wine_box() {
    _tree
    local box
    box=$(_message_box)
    {
        awk -F'\t' -v b="$box" '$1=="win" && $2==b { print "caption=" $15 }' "$LAST_TREE"
        awk -F'\t' -v b="$box" '$1=="win" && $3==b && $7==65535 { print "text=" $15 }' "$LAST_TREE"
    } | perl -pe 's/\\(\\|[tnr])/$1 eq "\\" ? "\\" : "\\$1"/ge'
}

# winemu_box MACHINE: the same from the trace of the last winemu run, its quoted texts read back
# (a Big5 or GBK trail byte 0x5C stands there as \\).
winemu_box() {
    grep ' msgbox ' "$1/trace.log" | tail -1 | sed -E 's/.* caption="(.*)" text="(.*)"$/caption=\1\ntext=\2/' |
        perl -pe 's/\\([\\"])/$1/g'
}

# wine_walk EXE LANG_CLICK: one walk of the wizard to its progress page.
wine_walk() {
    start_program "$1"
    wait_for_window 30
    click_control 12324
    [ -z "$2" ] || click_control "$2"
    click_control 12324
    select_list_entry 1006 0
    click_control 12324
    wait_for_output "$start_line" 90
}

# wine_result_box: the result message is shown, answered, and the program ends
# by itself (the quit request ends the wizard's modal loop).
wine_result_box() {
    _wait_until 120 _message_box_open || fail "no result message box"
    wine_box >"$CASE_DIR/wine.box"
    answer_message_box
    wait_for_exit 30
    [ "$PROGRAM_RC" = 0 ] || fail "exit code $PROGRAM_RC"
}

# quiet_run EXE: setup.exe /quiet as a deployment tool starts it: no window may appear at any
# moment of the run (the window tree is looked at until the program has ended), and it ends by
# itself with exit code 0, its log ending with that code.
quiet_run() {
    start_program "$1" /quiet '/log=C:\k7x-quiet.log'
    no_window_until_exit 150
    [ "$PROGRAM_RC" = 0 ] || fail "exit code $PROGRAM_RC"
    # The default-printer command is started and not waited for, as the wizard does it.
    _wait_until 30 _default_is_k7x || fail "K7X did not become the default printer"
    tr -d '\r' <"$WINEPREFIX/drive_c/k7x-quiet.log" | tail -1 | grep -q ' Exit code 0$' \
        || fail "the log does not end with exit code 0: $(tail -3 "$WINEPREFIX/drive_c/k7x-quiet.log")"
}

_default_is_k7x() {
    _wine reg query 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows' /v Device 2>/dev/null | grep -q 'K7X,'
}

# bogus_switch EXE: an unknown switch is named in a message box, and the exit code is 87.
bogus_switch() {
    start_program "$1" /bogus
    _wait_until 30 _message_box_open || fail "no message box for /bogus"
    message_box_text | grep -qF 'Unknown switch "/bogus".' || fail "message box '$(message_box_text)' for /bogus"
    answer_message_box
    wait_for_exit 20
    [ "$PROGRAM_RC" = 87 ] || fail "/bogus: exit code $PROGRAM_RC"
}

# uninstall_clean: the uninstall entry's command, confirmed, removes the printer, the driver, N's
# files (its own goes at the next start) and the entry, naming N in the language of the system.
uninstall_clean() {
    local command done_text
    command=$(wine_value UninstallString)
    command=${command#* }
    case $LANG in
        zh_CN*) done_text="$printer 打印机驱动程序已删除。" ;;
        *) done_text="The $printer printer driver has been removed." ;;
    esac
    PROGRAM_EXE=${command##*\\}
    start_program_at "$command"
    _wait_until 30 _message_box_open || fail "the uninstaller asks nothing"
    answer_message_box 6
    _wait_until 60 _message_box_open || fail "the uninstaller tells nothing"
    message_box_text | grep -qxF -- "$done_text" || fail "uninstaller: '$(message_box_text)', expected '$done_text'"
    answer_message_box
    wait_for_exit 30
    [ "$PROGRAM_RC" = 0 ] || fail "the uninstaller's exit code $PROGRAM_RC"
    flush_registry
    [ -z "$(wine_printers | grep ' K7X ')" ] || fail "the printer K7X is left: $(wine_printers)"
    [ "$(wine_value DisplayName)" = absent ] || fail "the uninstall entry is left"
    ! grep -qiE '^\[System\\\\(CurrentControlSet|ControlSet001)\\\\Control\\\\Print\\\\Environments\\\\Windows NT x86\\\\Drivers\\\\Version-3\\\\K7X\]' \
        "$WINEPREFIX/system.reg" || fail "the driver K7X is left"
    local d left
    d=$(_ci_path "$WINEPREFIX/drive_c" windows/system32/spool/drivers/w32x86)
    left=$(find "$d" -maxdepth 2 -type f -iname "$printer*" -o -maxdepth 2 -type f -path "$d/3/*" -iname "uninstall*")
    [ -z "$left" ] || fail "left in the driver directory: $left"
    [ -n "$(find "$d" -maxdepth 1 -iname "uninstall$printer.exe")" ] || fail "the uninstaller's file went while it ran"
}

# check_common DRIVE_C LANG_FILE: what both machines must show.
check_common() {
    local c=$1 lang=$2 f name size
    f=$(_ci_path "$c" Setup/setting.dll)
    [ "$(cat "$f" 2>/dev/null; echo x)" = "${setting_bytes}x" ] || fail "setting.dll: '$(od -c "$f" 2>&1 | head -5)'"
    for f in "Multi_eng.dll 9326" "$lang"; do
        read -r name size <<<"$f"
        [ "$(stat -c %s "$(_ci_path "$c" "Setup/Language/$name")" 2>/dev/null)" = "$size" ] \
            || fail "Language/$name missing or not $size bytes"
    done
    # The staged set: the model files and both variant folders, named after N.
    local n=$printer
    for f in $n.INF $n.GPD $n.INI temp.txt I386/${n}D.dll x86/${n}D.dll UNIDRV.DLL uninstall$n.exe; do
        [ -f "$(_ci_path "$c" "TEMP/$f")" ] || fail "C:\\TEMP\\$f missing"
    done
    for f in $n.GPD ${n}D.dll ${n}RES.DLL UNIDRV.DLL uninstall$n.exe; do
        [ -f "$(_ci_path "$c" "windows/system32/spool/drivers/w32x86/$f")" ] || fail "driver directory: $f missing"
    done
}

# run_case NAME WINVER LOCALE VERSION LANGID LANG_FILE LANG_CLICK MODE
# MODE: "" one walk; "first" a run that ends on the welcome page before the
# walk; "again" two whole walks (the second over the installed K7X); "missing"
# Wine's own printer setup utility, which installs nothing; "planted" one walk with
# a rundll32.exe planted in C:\Setup and C:\TEMP, which must never run; "quiet" setup.exe
# /quiet instead of the walk, then setup.exe /bogus; "name=N" one walk with PrinterName=N (in the
# locale's ANSI code page) in a setting.dll put beside the program: printer K7X, N's files in the
# driver directory and its 3, the entry "N printer"; then the entry's command removes them.
run_case() {
    local name=$1 winver=$2 loc=$3 version=$4 langid=$5 lang=$6 click=$7 mode=$8
    case_begin "$name" "$winver" "$loc"
    case $mode in name=*)
        printer=${mode#name=}
        uninstall_key="SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$printer printer"
        setting_bytes=$'[Setting]\r\nLanguage=English\r\nPrinterName='"$(ansi "$printer")"$'\r\n' ;;
    esac
    local exe=$win_dir/setup.exe
    [ "$mode" = missing ] || install_printui "$win_dir"
    if [ "$mode" = planted ]; then plant_rundll32 "$WINEPREFIX/drive_c"; fi
    if [ "$printer" != K7X ]; then put_setting "$WINEPREFIX/drive_c"; fi
    if [ "$mode" = first ]; then
        start_program "$exe"
        wait_for_window 30
        click_control 1061
        wait_for_exit 20
    fi
    if [ "$mode" = again ]; then
        wine_walk "$exe" "$click"
        wine_result_box
    fi
    if [ "$mode" = quiet ]; then
        quiet_run "$exe"
    else
        wine_walk "$exe" "$click"
    fi
    if [ "$mode" = quiet ]; then
        :
    elif [ "$mode" = missing ]; then
        # Wine's utility installs nothing and Wine lists no printer: the run ends
        # without a message box and the wizard stays on the progress page.
        if _wait_until 15 _message_box_open; then
            fail "message box '$(message_box_text)' although Wine lists no printer"
        fi
        _has_window || fail "the wizard ended; it must stay on the progress page"
        click_control 12325
        wait_for_exit 20
        [ "$PROGRAM_RC" = 0 ] || fail "exit code $PROGRAM_RC"
    else
        wine_result_box
    fi
    flush_registry
    local wc=$WINEPREFIX/drive_c
    [ ! -e "$wc/planted-ran.txt" ] || fail "a planted rundll32.exe ran: $(tr -d '\r' <"$wc/planted-ran.txt" | tr '\n' ' ')"
    check_common "$wc" "$lang"

    # The same walk on winemu.
    local m=$CASE_DIR/winemu end=box
    # Wine starts its Spooler on demand: a fresh prefix has it stopped, which setup starts first.
    local -a faults=(--fault spooler_stopped)
    [ "$mode" = missing ] && faults+=(--fault printui_noop) && end=cancel
    "$linux_dir/winemu" create "$m" --version "$version" --lang "$langid" "${faults[@]}" >/dev/null \
        || fail "winemu create"
    if [ "$mode" = planted ]; then plant_rundll32 "$m/drive_c"; fi
    if [ "$printer" != K7X ]; then put_setting "$m/drive_c"; fi
    if [ "$mode" = first ]; then
        echo "click 1061" | "$linux_dir/winemu" run "$m" "$linux_dir/k7x-setup" --script - >/dev/null \
            || fail "winemu first run"
    fi
    if [ "$mode" = again ]; then
        walk_script "$click" box | "$linux_dir/winemu" run "$m" "$linux_dir/k7x-setup" --script - >/dev/null \
            || fail "winemu first walk failed"
    fi
    if [ "$mode" = quiet ]; then
        "$linux_dir/winemu" run "$m" "$linux_dir/k7x-setup" /quiet '/log=C:\k7x-quiet.log' >"$CASE_DIR/winemu.stdout" \
            || fail "winemu quiet run failed"
    else
        walk_script "$click" "$end" | "$linux_dir/winemu" run "$m" "$linux_dir/k7x-setup" --script - >"$CASE_DIR/winemu.stdout" \
            || fail "winemu walk failed"
    fi
    check_common "$m/drive_c" "$lang"

    effects "$wc" "$CASE_DIR/wine.effects" "$win_dir"
    effects "$m/drive_c" "$CASE_DIR/winemu.effects" "$linux_dir"
    diff -u "$CASE_DIR/winemu.effects" "$CASE_DIR/wine.effects" >&2 || fail "files differ (winemu -, wine +)"
    local v a b
    for v in $uninstall_values; do
        a=$(winemu_value "$m" "$v"); b=$(wine_value "$v")
        # The paths come from the spooler's driver directory, spelled after the
        # Windows directory's name: C:\WINDOWS\System32\spool\DRIVERS\W32X86 on
        # winemu (as on NT), C:\windows\system32\spool\drivers\w32x86 on Wine.
        [ "${a,,}" = "${b,,}" ] || fail "uninstall $v: winemu '$a', wine '$b'"
    done
    diff -u <(grep '^PortTalk:' "$CASE_DIR/winemu.stdout") <(grep '^PortTalk:' "$CASE_DIR/stdout.txt" | tr -d '\r') >&2 \
        || fail "PortTalk lines differ (winemu -, wine +)"

    wine_printers >"$CASE_DIR/wine.printers"
    winemu_printers "$m" >"$CASE_DIR/winemu.printers"
    diff -u "$CASE_DIR/winemu.printers" "$CASE_DIR/wine.printers" >&2 || fail "printers differ (winemu -, wine +)"
    if [ "$mode" != missing ]; then
        grep -qx '\* K7X driver=K7X port=LPT1:' "$CASE_DIR/wine.printers" || fail "K7X is not the default printer"
        [ "$printer" = K7X ] || [ -f "$(_ci_path "$wc" "windows/system32/spool/drivers/w32x86/3/$printer.GPD")" ] \
            || fail "$printer.GPD is not in the driver directory's 3"
    fi
    if [ "$mode" != missing ] && [ "$mode" != quiet ]; then
        winemu_box "$m" >"$CASE_DIR/winemu.box"
        diff -u "$CASE_DIR/winemu.box" "$CASE_DIR/wine.box" >&2 || fail "result message differs (winemu -, wine +)"
    fi
    [ "$mode" != quiet ] || bogus_switch "$exe"
    [ "$printer" = K7X ] || uninstall_clean
    echo "PASS: $name"
    case_end
}

# plant_link DRIVE_C: a folder of another's files, and a symbolic link to it in C:\TEMP\x86's place.
plant_link() {
    mkdir -p "$1/TEMP" "$1/Victim" && printf victim >"$1/Victim/K7XD.dll" && ln -s ../Victim "$1/TEMP/x86" \
        || fail "planting the link failed"
}

# victim_untouched DRIVE_C: the linked folder holds what it held, and nothing more.
victim_untouched() {
    [ "$(ls "$1/Victim")" = K7XD.dll ] && [ "$(cat "$1/Victim/K7XD.dll")" = victim ] \
        || fail "the linked folder changed: $(ls -l "$1/Victim")"
}

# linked_case NAME: setup.exe /quiet with a user's link in C:\TEMP\x86's place. On both machines
# the folder it points at stays untouched. winemu removes the link as Windows removes a junction and
# installs; Wine 8 shows the link as a reparse point but its RemoveDirectoryA follows it (error 145
# for a folder that holds files), so setup refuses there before any change (exit code 1603).
linked_case() {
    case_begin "$1" winxp en_US
    install_printui "$win_dir"
    plant_link "$WINEPREFIX/drive_c"
    start_program "$win_dir/setup.exe" /quiet '/log=C:\k7x-quiet.log'
    no_window_until_exit 150
    # 1603 reads 67 as a Unix exit status.
    case $PROGRAM_RC in
        0) ;;
        67) tr -d '\r' <"$WINEPREFIX/drive_c/k7x-quiet.log" | grep -qF 'Result: Setup cannot secure the folder C:\TEMP\x86' \
                || fail "refused without naming C:\\TEMP\\x86: $(tail -3 "$WINEPREFIX/drive_c/k7x-quiet.log")" ;;
        *) fail "exit code $PROGRAM_RC" ;;
    esac
    victim_untouched "$WINEPREFIX/drive_c"
    local m=$CASE_DIR/winemu
    "$linux_dir/winemu" create "$m" --version 5.1 --lang 0x0409 --fault spooler_stopped >/dev/null || fail "winemu create"
    plant_link "$m/drive_c"
    "$linux_dir/winemu" run "$m" "$linux_dir/k7x-setup" /quiet '/log=C:\k7x-quiet.log' >/dev/null \
        || fail "winemu quiet run failed"
    victim_untouched "$m/drive_c"
    [ -d "$m/drive_c/TEMP/x86" ] && [ ! -L "$m/drive_c/TEMP/x86" ] || fail "winemu: C:\\TEMP\\x86 is still a link"
    echo "PASS: $1"
    case_end
}

passed=0 failed=0
# one CASE_FUNCTION NAME ARGS...; WINE_CASES="NAME..." runs only the cases named.
one() {
    [ -z "${WINE_CASES:-}" ] || [[ " $WINE_CASES " == *" $2 "* ]] || return 0
    if ( "$@" ); then passed=$((passed + 1)); else
        failed=$((failed + 1))
        # fail() left the case's wineserver running.
        WINEPREFIX=$HARNESS_RUN_DIR/prefixes/$2 timeout 10 wineserver -k 2>/dev/null
    fi
}
one run_case xp_en      winxp   en_US 5.1 0x0409 "Multi_ch.dll 9304"      ""   planted
one run_case w2k_zh     win2k   zh_CN 5.0 0x0804 "Multi_ch.dll 9304"      ""   first
one run_case w2003_tw   win2003 zh_TW 5.2 0x0404 "Multi_ch_BIG5.dll 9305" ""   ""
one run_case w7_en_zh   win7    en_US 6.1 0x0409 "Multi_ch.dll 9304"      1037 ""
one run_case xp_again   winxp   en_US 5.1 0x0409 "Multi_ch.dll 9304"      ""   again
one run_case xp_missing winxp   en_US 5.1 0x0409 "Multi_ch.dll 9304"      ""   missing
one run_case xp_quiet   winxp   en_US 5.1 0x0409 "Multi_ch.dll 9304"      ""   quiet
one run_case xp_k7x80   winxp   en_US 5.1 0x0409 "Multi_ch.dll 9304"      ""   name=K7X80
one run_case xp_zh_gbk  winxp   zh_CN 5.1 0x0804 "Multi_ch.dll 9304"      ""   name=票据K7X
one linked_case xp_linked
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
