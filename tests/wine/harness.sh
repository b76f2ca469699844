# shellcheck shell=bash
# Library for walking a Win32 program under Wine on a headless X server.
# Source it from a case script; see tests/wine/README section in the docs.
#
#   harness_init BUILD_DIR      check/install tools, start Xvfb, set the trap
#   case_begin NAME WINVER LOC  fresh win32 prefix; WINVER win2k|winxp|win2003|win7,
#                               LOC en_US|zh_CN|zh_TW
#   start_program EXE [ARG...]  copy EXE to C:\Setup\setup.exe and start it with ARGs
#   start_another NAME [ARG...] start that copy once more while the first runs (PROGRAM_PID is then
#                               the new one; its output in NAME.stdout.txt)
#   hold_utility                rundll32.exe in system32 replaced by a stand-in that waits, so a
#                               program starting the printer setup utility stays in its wait
#   utility_held TIMEOUT        until the stand-in has been started
#   release_utility             the stand-in goes on and runs the utility's entry point
#   restore_utility             Wine's own rundll32.exe again
#   start_program_at WINPATH [ARG...]  start a program of the prefix, from C:\
#   program_stdout              what the program printed so far
#   wait_for_output TEXT TIMEOUT  until its stdout contains TEXT
#   window_tree                 print (and keep) the window tree of the program
#   wait_for_window TIMEOUT     until the program shows a visible top-level window
#   no_window_until_exit SECS   the program ends by itself without ever showing a window
#   wait_for_window_text TEXT TIMEOUT
#   click_control ID            click the centre of visible enabled control ID
#   select_list_entry ID INDEX  click entry INDEX of list box ID
#   press KEY                   Tab, Shift+Tab, Space, Enter, Escape, arrows ... or
#                               any xdotool key name
#   screenshot FILE             the whole X screen as PNG
#   message_box_text            texts of the open message box (one line each); with several
#                               instances of the program, BOX_PID=PID picks one's box
#   box_says LINE               a message box opens with LINE as one of its lines
#   answer_message_box [ID]     close it with button ID (default: Enter)
#   wait_for_exit TIMEOUT       until the program ends; sets PROGRAM_RC
#   flush_registry              write the prefix's registry files (ends the program)
#   reg_value HIVE KEY NAME     type, size and bytes of a stored value
#   fail MESSAGE                report (screenshot, tree, output) and exit 1
#   case_end                    end the case's processes, remove its prefix
#   one_case NAME COMMAND...    run a case (COMMAND, which begins NAME) in a subshell, counted in
#                               CASES_PASSED or CASES_FAILED, and say how long it took
#
# Every wait has a time-out in seconds. Every process started here is ended by
# its id on exit, on failure too.

HARNESS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
HARNESS_SCREEN=${HARNESS_SCREEN:-1024x768x24}
HARNESS_POLL=0.2              # seconds between looks at the window tree
HARNESS_WINE_TIMEOUT=60       # seconds any one wine helper call may take
HARNESS_BOOT_TIMEOUT=600      # seconds the one wineboot -i of a run may take
PROGRAM_EXE=setup.exe         # image name of the program inside the prefix

HARNESS_RUN_DIR=
XVFB_PID=
WINESERVER_PID=
PROGRAM_PID=
PROGRAM_RC=
CASE_NAME=
CASE_DIR=
LAST_TREE=

_log() { echo "[harness] $*" >&2; }

# Commands and locales the harness needs; prints what is missing.
_missing_deps() {
    local c
    for c in wineserver Xvfb xdotool import "$MINGW-gcc" "$MINGW-g++" "$MINGW-windres"; do
        command -v "$c" >/dev/null 2>&1 || echo "$c"
    done
    [ -e /usr/share/wine/fonts/tahoma.ttf ] || echo fonts-wine
    fc-list 2>/dev/null | grep -qi 'wenquanyi\|wqy' || echo fonts-wqy-zenhei
    local l
    for l in en_US.utf8 zh_CN.utf8 zh_TW.utf8; do
        locale -a 2>/dev/null | grep -qix "$l" || echo "locale $l"
    done
}

# Polls COMMAND until it succeeds or TIMEOUT seconds pass.
_wait_until() {
    local timeout=$1; shift
    local deadline=$(( $(date +%s%N) + timeout * 1000000000 ))
    while ! "$@"; do
        [ "$(date +%s%N)" -lt "$deadline" ] || return 1
        sleep "$HARNESS_POLL"
    done
}

_alive() { [ -n "$1" ] && kill -0 "$1" 2>/dev/null; }

# Ends process PID: TERM, then KILL after two seconds.
_end_pid() {
    local pid=$1
    _alive "$pid" || return 0
    kill -TERM "$pid" 2>/dev/null
    _wait_until 2 _not_alive "$pid" || kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}
_not_alive() { ! _alive "$1"; }

_cleanup() {
    local rc=$?
    case_end
    _end_pid "$XVFB_PID"
    XVFB_PID=
    [ -n "${HARNESS_RUN_DIR:-}" ] && [ -z "${HARNESS_KEEP:-}" ] && rm -rf "$HARNESS_RUN_DIR/prefixes"
    exit "$rc"
}

harness_init() {
    local build_dir=${1:?harness_init BUILD_DIR}
    local missing
    WINE_BITS=$(bash "$HARNESS_DIR/flavour.sh")
    case "$WINE_BITS" in
        32) WINE=/usr/lib/wine/wine WINEARCH=win32 MINGW=i686-w64-mingw32 ;;
        64) WINE=/usr/lib/wine/wine64 WINEARCH=win64 MINGW=x86_64-w64-mingw32 ;;
        *) _skip_or_fail "no Wine can run here (scripts/install-deps.sh wine installs it)" ;;
    esac
    export WINEARCH WINELOADER=$WINE
    missing=$(_missing_deps)
    [ -z "$missing" ] || _skip_or_fail "the Wine harness needs ${missing//$'\n'/, } (scripts/install-deps.sh wine)"
    [ "$WINE_BITS" = 32 ] || _log "this kernel cannot run i386 code: 64-bit Wine judges the x86_64 build"

    MINGW=$MINGW bash "$HARNESS_DIR/build.sh" "$build_dir" || { echo "FAIL: building wintree failed" >&2; exit 1; }
    WINTREE_EXE=$build_dir/wintree.exe
    PLANTED_EXE=$build_dir/planted.exe
    HELD_EXE=$build_dir/held.exe

    HARNESS_RUN_DIR=$(mktemp -d /tmp/k7x-wine.XXXXXX)
    mkdir -p "$HARNESS_RUN_DIR/prefixes"
    trap _cleanup EXIT
    trap 'exit 130' INT TERM

    # Xvfb picks a free display itself and writes its number to fd 3.
    local dfile=$HARNESS_RUN_DIR/display
    Xvfb -displayfd 3 -screen 0 "$HARNESS_SCREEN" -nolisten tcp \
        3>"$dfile" >"$HARNESS_RUN_DIR/xvfb.log" 2>&1 &
    XVFB_PID=$!
    _wait_until 10 grep -q '[0-9]' "$dfile" || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
    DISPLAY=:$(tr -dc 0-9 <"$dfile")
    export DISPLAY
    _log "Xvfb pid $XVFB_PID on $DISPLAY, run dir $HARNESS_RUN_DIR"

    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# wine with a time-out, for helper calls that must end by themselves.
_wine() { timeout "$HARNESS_WINE_TIMEOUT" "$WINE" "$@"; }

# Outside CI a missing piece skips the cases with one line; under CI it fails them.
_skip_or_fail() {
    if [ "${CI:-}" = true ]; then
        echo "FAIL: $*" >&2
        exit 1
    fi
    echo "SKIP: $*"
    exit 0
}

# The wineserver socket of the current prefix exists (Debian keeps it in
# /tmp/wine-XXXXXX/server-DEV-INODE, upstream in /tmp/.wine-UID/server-DEV-INODE).
_server_up() {
    local id s
    id=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
    for s in "${TMPDIR:-/tmp}"/wine-*/"$id"/socket "/tmp/.wine-$(id -u)/$id/socket"; do
        [ -S "$s" ] && return 0
    done
    return 1
}

# Our own persistent wineserver for the prefix, so it can be ended by its id.
_start_wineserver() {
    wineserver -f -p >>"$CASE_DIR/wineserver.log" 2>&1 &
    WINESERVER_PID=$!
    _wait_until 10 _server_up || fail "wineserver did not start"
}

# Ends every process of the prefix, then the wineserver.
_stop_wineserver() {
    if _alive "$WINESERVER_PID"; then
        timeout 10 wineserver -k 2>/dev/null
        _end_pid "$WINESERVER_PID"
    fi
    WINESERVER_PID=
}

case_begin() {
    CASE_NAME=${1:?case_begin NAME WINVER LOCALE}
    local winver=${2:?} loc=${3:?}
    case "$loc" in
        en_US|zh_CN|zh_TW) ;;
        *) echo "FAIL: unknown locale $loc" >&2; exit 1 ;;
    esac
    export LANG=$loc.UTF-8 LC_ALL=$loc.UTF-8
    CASE_DIR=$HARNESS_RUN_DIR/$CASE_NAME
    mkdir -p "$CASE_DIR"
    PROGRAM_PID='' PROGRAM_RC='' LAST_TREE=''

    # One prefix is booted per run (the slow part); each case starts from a copy of it.
    # HARNESS_TEMPLATE names another one (a win64 prefix for WINEARCH=win64).
    export WINEPREFIX=$HARNESS_RUN_DIR/prefixes/${HARNESS_TEMPLATE:-template}
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        _start_wineserver
        timeout "$HARNESS_BOOT_TIMEOUT" "$WINE" wineboot -i >"$CASE_DIR/wineboot.log" 2>&1 \
            || fail "wineboot -i failed"
        _stop_wineserver
    fi
    cp -a "$WINEPREFIX" "$HARNESS_RUN_DIR/prefixes/$CASE_NAME"
    export WINEPREFIX=$HARNESS_RUN_DIR/prefixes/$CASE_NAME

    _start_wineserver
    # The Windows version, as winecfg -v sets it (64-bit winecfg offers no version before 2003).
    # The first call in a prefix copied under another locale may fail while Wine updates the
    # prefix; it is tried once more.
    local attempt rc=0
    for attempt in 1 2; do
        _wine reg add 'HKCU\Software\Wine' /v Version /d "$winver" /f >>"$CASE_DIR/wineboot.log" 2>&1 && rc=0 && break
        rc=$?
        echo "[harness] reg add, attempt $attempt: exit code $rc" >>"$CASE_DIR/wineboot.log"
    done
    [ "$rc" -eq 0 ] || fail "setting the Windows version $winver failed (exit code $rc)"
    # Wine's own Tahoma and Marlett, which Debian keeps outside the prefix.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    # A virtual desktop: Wine draws captions and close boxes as Windows does.
    cat >"$CASE_DIR/desktop.reg" <<EOF
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="${HARNESS_SCREEN%x*}"
EOF
    local regfile="Z:${CASE_DIR//\//\\}\\desktop.reg"
    _wine regedit /S "$regfile" || fail "regedit failed"
    # The desktop mode applies from the next start of explorer.exe.
    _stop_wineserver
    _start_wineserver
    mkdir -p "$WINEPREFIX/drive_c/harness"
    cp "$WINTREE_EXE" "$WINEPREFIX/drive_c/harness/wintree.exe"
    _log "case $CASE_NAME: $winver $LANG in $WINEPREFIX"
}

case_end() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    _end_pid "$PROGRAM_PID"
    PROGRAM_PID=
    _stop_wineserver
    [ -n "${HARNESS_KEEP:-}" ] || rm -rf "$WINEPREFIX"
    unset WINEPREFIX
}

# install_printui BUILD_WIN_DIR: the project's printui.dll in the prefix's system32, loaded by
# rundll32 instead of Wine's own.
install_printui() {
    cp "${1:?install_printui BUILD_WIN_DIR}/printui.dll" "$WINEPREFIX/drive_c/windows/system32/printui.dll" \
        || fail "printui.dll not built"
    _wine reg add 'HKCU\Software\Wine\DllOverrides' /v printui /d native /f >>"$CASE_DIR/wineboot.log" 2>&1 \
        || fail "DLL override failed"
}

start_program() {
    local exe=${1:?start_program EXE [ARGUMENT...]}
    shift
    mkdir -p "$WINEPREFIX/drive_c/Setup"
    # A copy of the same bytes is left alone: another instance may be running from it.
    cmp -s "$exe" "$WINEPREFIX/drive_c/Setup/$PROGRAM_EXE" || cp "$exe" "$WINEPREFIX/drive_c/Setup/$PROGRAM_EXE"
    _run_program stdout "$@"
}

start_another() {
    _run_program "${1:?start_another NAME [ARGUMENT...]}.stdout" "${@:2}"
}

_run_program() {
    local out=$1
    shift
    # Started from its own folder, as a double click in Explorer (or a deployment tool) would.
    ( cd "$WINEPREFIX/drive_c/Setup" && exec "$WINE" "C:\\Setup\\$PROGRAM_EXE" "$@" ) \
        >"$CASE_DIR/$out.txt" 2>"$CASE_DIR/${out%stdout}stderr.txt" &
    PROGRAM_PID=$!
    _log "started $PROGRAM_EXE $*, pid $PROGRAM_PID"
}

hold_utility() {
    local system=$WINEPREFIX/drive_c/windows/system32
    [ -f "$CASE_DIR/rundll32.exe" ] || cp "$system/rundll32.exe" "$CASE_DIR/rundll32.exe" || fail "no rundll32.exe"
    rm -f "$WINEPREFIX/drive_c/harness/held.txt" "$WINEPREFIX/drive_c/harness/release.txt" \
        "$WINEPREFIX/drive_c/harness/released.txt"
    cp "$HELD_EXE" "$system/rundll32.exe" || fail "held.exe not built"
    # Wine prefers its builtin program to a file in system32 unless told otherwise.
    _wine reg add 'HKCU\Software\Wine\DllOverrides' /v rundll32.exe /d native /f >>"$CASE_DIR/wineboot.log" 2>&1 \
        || fail "DLL override failed"
}
_held() { [ -f "$WINEPREFIX/drive_c/harness/held.txt" ]; }
utility_held() {
    _wait_until "${1:?utility_held TIMEOUT}" _held || fail "the printer setup utility was not started in ${1}s"
}
release_utility() { : >"$WINEPREFIX/drive_c/harness/release.txt"; }
restore_utility() {
    cp "$CASE_DIR/rundll32.exe" "$WINEPREFIX/drive_c/windows/system32/rundll32.exe" || fail "rundll32.exe not restored"
    _wine reg delete 'HKCU\Software\Wine\DllOverrides' /v rundll32.exe /f >>"$CASE_DIR/wineboot.log" 2>&1 \
        || fail "DLL override not removed"
}

# start_program_at 'C:\path\prog.exe' [ARGUMENT...]: a program already in the prefix, started
# from C:\ as the system's list of installed software starts an uninstall command.
start_program_at() {
    ( cd "$WINEPREFIX/drive_c" && exec "$WINE" "$@" ) >"$CASE_DIR/stdout.txt" 2>"$CASE_DIR/stderr.txt" &
    PROGRAM_PID=$!
    _log "started $*, pid $PROGRAM_PID"
}

program_stdout() { cat "$CASE_DIR/stdout.txt"; }

_has_output() { grep -qF -- "$1" "$CASE_DIR/stdout.txt"; }
wait_for_output() {
    local text=${1:?} timeout=${2:?wait_for_output TEXT TIMEOUT}
    _wait_until "$timeout" _has_output "$text" || fail "'$text' did not appear on stdout in ${timeout}s"
}

# Window tree of the program (format in tools/wintree/wintree.c).
_tree() {
    LAST_TREE=$CASE_DIR/tree.txt
    _wine 'C:\harness\wintree.exe' --exe "$PROGRAM_EXE" >"$LAST_TREE.new" 2>/dev/null
    mv "$LAST_TREE.new" "$LAST_TREE"
}
window_tree() { _tree; cat "$LAST_TREE"; }

# Lines of the tree under visible, enabled top-level windows only.
_usable() {
    awk -F'\t' '$1=="win" && $4==0 { top = ($9 ~ /^VE/) } top' "$LAST_TREE"
}

_has_window() {
    _tree
    awk -F'\t' '$1=="win" && $4==0 && $9 ~ /^V/ { f = 1 } END { exit !f }' "$LAST_TREE"
}
wait_for_window() {
    _wait_until "${1:?wait_for_window TIMEOUT}" _has_window || fail "no window of $PROGRAM_EXE appeared"
}

_has_text() { _tree; grep -qF -- "$1" "$LAST_TREE"; }
wait_for_window_text() {
    local text=${1:?} timeout=${2:?wait_for_window_text TEXT TIMEOUT}
    _wait_until "$timeout" _has_text "$text" || fail "text '$text' did not appear in ${timeout}s"
}

# Prints "HWND LEFT TOP RIGHT BOTTOM" of the visible enabled control ID,
# preferring one in the active top-level window.
_find_control() {
    _usable | awk -F'\t' -v id="$1" '
        $1=="win" && $4==0 { active = ($9 ~ /A/) }
        $1=="win" && $4>0 && $7==id && $9 ~ /^VE/ {
            line = $2 " " $10 " " $11 " " $12 " " $13
            if (active) { print line; found = 1; exit }
            if (!first) first = line
        }
        END { if (!found && first) print first }'
}

_click_at() {
    xdotool mousemove --sync "$1" "$2" click 1 || fail "xdotool click at $1,$2 failed"
}

click_control() {
    local id=${1:?click_control ID}
    _tree
    local hwnd l t r b
    read -r hwnd l t r b <<<"$(_find_control "$id")"
    [ -n "$hwnd" ] || fail "no visible enabled control $id"
    _click_at $(( (l + r) / 2 )) $(( (t + b) / 2 ))
}

select_list_entry() {
    local id=${1:?} index=${2:?select_list_entry ID INDEX}
    _tree
    local hwnd l t r b
    read -r hwnd l t r b <<<"$(_find_control "$id")"
    [ -n "$hwnd" ] || fail "no visible enabled list box $id"
    local item
    item=$(awk -F'\t' -v h="$hwnd" -v i="$index" '$1=="item" && $2==h && $3==i { print $4, $5, $6, $7 }' "$LAST_TREE")
    [ -n "$item" ] || fail "list box $id has no entry $index"
    local il it ir ib
    read -r il it ir ib <<<"$item"
    [ "$it" -ge "$t" ] && [ "$ib" -le "$b" ] || fail "entry $index of list box $id is scrolled out of view"
    _click_at $(( (il + ir) / 2 )) $(( (it + ib) / 2 ))
}

press() {
    local key=${1:?press KEY}
    case "$key" in
        Enter) key=Return ;;
        Space) key=space ;;
        Shift+Tab) key=shift+Tab ;;
    esac
    xdotool key --clearmodifiers "$key" || fail "xdotool key $key failed"
}

screenshot() {
    local file=${1:?screenshot FILE}
    timeout 20 import -window root "$file" || { _log "screenshot $file failed"; return 1; }
    _log "screenshot $file"
}

# The open message box: a visible enabled #32770 top-level with a caption
# (the wizard's own caption is empty), of the process BOX_PID if set. Prints its hwnd.
_message_box() {
    awk -F'\t' -v pid="${BOX_PID:-}" '$1=="win" && $4==0 && $8=="#32770" && $9 ~ /^VE/ && $15 != "" &&
                                       (pid == "" || $5 == pid) { print $2; exit }' "$LAST_TREE"
}

message_box_text() {
    _tree
    local box
    box=$(_message_box)
    [ -n "$box" ] || fail "no message box open"
    awk -F'\t' -v b="$box" '$1=="win" && $3==b && $7==65535 { print $15 }' "$LAST_TREE"
}

# box_says LINE: a message box opens (of the process BOX_PID, if set) with LINE as one of its lines.
box_says() {
    _wait_until 120 _message_box_open || fail "no message box; expected '$1'"
    local text
    text=$(message_box_text)
    # The window tree writes a line break as \n.
    sed 's/\\n/\n/g' <<<"$text" | grep -qxF -- "$1" || fail "message box says '$text'; expected '$1'"
}

_box_gone() { _tree; ! awk -F'\t' -v b="$1" '$1=="win" && $2==b { f = 1 } END { exit !f }' "$LAST_TREE"; }

answer_message_box() {
    local button=${1:-}
    _wait_until 10 _message_box_open || fail "no message box open"
    local box
    box=$(_message_box)
    if [ -n "$button" ]; then
        local hwnd l t r b
        read -r hwnd l t r b <<<"$(awk -F'\t' -v bx="$box" -v id="$button" \
            '$1=="win" && $3==bx && $7==id && $9 ~ /^VE/ { print $2, $10, $11, $12, $13; exit }' "$LAST_TREE")"
        [ -n "$hwnd" ] || fail "message box has no button $button"
        _click_at $(( (l + r) / 2 )) $(( (t + b) / 2 ))
    else
        press Enter
    fi
    _wait_until 10 _box_gone "$box" || fail "message box did not close"
}
_message_box_open() { _tree; [ -n "$(_message_box)" ]; }

_program_ended() { _not_alive "$PROGRAM_PID"; }
wait_for_exit() {
    local timeout=${1:?wait_for_exit TIMEOUT}
    _wait_until "$timeout" _program_ended || fail "$PROGRAM_EXE did not end in ${timeout}s"
    wait "$PROGRAM_PID"
    PROGRAM_RC=$?
    PROGRAM_PID=
}

# no_window_until_exit SECONDS: the program shows no window at any moment (the window tree is
# looked at again and again) until it has ended by itself; then PROGRAM_RC is its exit code.
no_window_until_exit() {
    local deadline=$((SECONDS + ${1:?no_window_until_exit SECONDS}))
    while ! _program_ended; do
        _tree
        ! grep -q '^win' "$LAST_TREE" || fail "a window of $PROGRAM_EXE appeared"
        ((SECONDS < deadline)) || fail "$PROGRAM_EXE did not end in $1s"
    done
    wait_for_exit 1
}

# Saves the registry to system.reg/user.reg: the wineserver writes it on exit.
# Ends the program and every process of the prefix.
flush_registry() {
    _end_pid "$PROGRAM_PID"
    PROGRAM_PID=
    _stop_wineserver
    _start_wineserver
}

# reg_value HKLM|HKCU 'Key\Path' NAME: prints "TYPE SIZE BYTES" of a value as
# stored (strings as UTF-16LE, as NT stores them), e.g. "1 6 61 00 62 00 63 00"
# for a REG_SZ "abc" written without its terminating NUL. Nothing if absent.
# Reads the files written by flush_registry.
reg_value() {
    local hive=${1:?} key=${2:?} name=${3?reg_value HIVE KEY NAME} file
    case "$hive" in
        HKLM) file=$WINEPREFIX/system.reg ;;
        HKCU) file=$WINEPREFIX/user.reg ;;
        *) fail "reg_value: unknown hive $hive" ;;
    esac
    REG_KEY=$key REG_NAME=$name LC_ALL=C awk -f "$HARNESS_DIR/regvalue.awk" "$file"
}

fail() {
    echo "FAIL: ${CASE_NAME:+$CASE_NAME: }$*" >&2
    if [ -n "$CASE_DIR" ] && [ -n "${DISPLAY:-}" ]; then
        local shot=$CASE_DIR/failure.png
        screenshot "$shot" && echo "  screenshot: $shot" >&2
        if [ -n "${WINEPREFIX:-}" ] && _alive "$WINESERVER_PID"; then _tree; fi
        if [ -n "$LAST_TREE" ] && [ -f "$LAST_TREE" ]; then
            echo "  last window tree ($LAST_TREE):" >&2
            sed 's/^/    /' "$LAST_TREE" >&2
        fi
        echo "  program stdout:" >&2
        sed 's/^/    /' "$CASE_DIR/stdout.txt" >&2 2>/dev/null
    fi
    exit 1
}

CASES_PASSED=0
CASES_FAILED=0
one_case() {
    local name=${1:?one_case NAME COMMAND...} started=$SECONDS
    shift
    if ( "$@" ); then CASES_PASSED=$((CASES_PASSED + 1)); else
        CASES_FAILED=$((CASES_FAILED + 1))
        # fail() left the case's wineserver running.
        WINEPREFIX=$HARNESS_RUN_DIR/prefixes/$name timeout 10 wineserver -k 2>/dev/null
    fi
    echo "$name: $((SECONDS - started)) s"
}
