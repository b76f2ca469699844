#!/bin/bash
# The real setup.exe under Wine cut short with kill -9 at a few points of its run, then run again:
# the second run ends with the success message and leaves what one uninterrupted run leaves (the
# Spooler's state, the printers with driver, port and default, the spooler's keys and the uninstall
# entry, the driver directory's files with hashes, C:\TEMP, the OEM INF copies). winemu cuts the run
# after every one of its effects; this is a sample on the real thing. The points:
# - removal: the removal has started the spooler again (its line on stdout); setup alone is killed;
# - staging: the first staged file (the uninstaller) has appeared in C:\TEMP; every process of the
#   prefix is killed (a power loss);
# - utility: setup waits for the printer setup utility (held); every process is killed;
# - utility_alone: setup waits for the utility; setup alone is killed, the utility then completes.
# A power loss is played by killing every process of the prefix and starting its wineserver again;
# unlike Windows, whose Spooler starts with the system, Wine's starts when first asked for, so the
# next run finds it stopped. The registry keeps what the killed run wrote (Wine's server writes it
# out when it ends), as NT's hives keep what was flushed.
# usage: tests/wine/interrupted_case.sh BUILD_WIN_DIR [POINT...]   (all four by default)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/harness.sh"
. "$here/k7x_state.sh"

win_dir=$(cd "${1:?usage: interrupted_case.sh BUILD_WIN_DIR [POINT...]}" && pwd)
PROGRAM_EXE=setup.exe
harness_init "$win_dir"

start_line="PortTalk: The PortTalk driver has been successfully started."
reference=$HARNESS_RUN_DIR/uninterrupted.state

# walk: setup.exe started and walked to its progress page, where its run begins.
walk() {
    start_program "$win_dir/setup.exe"
    walk_to_progress
}

# whole_run: a walk that ends with the success message, answered, and exit code 0.
whole_run() {
    walk
    box_says "$success"
    answer_message_box
    wait_for_exit 60
    [ "$PROGRAM_RC" = 0 ] || fail "exit code $PROGRAM_RC"
}

# kill_setup: kill -9 of the Wine process that runs setup.exe.
kill_setup() {
    kill -KILL "$PROGRAM_PID" || fail "setup had already ended"
    wait "$PROGRAM_PID" 2>/dev/null
    PROGRAM_PID=
}

# power_loss: every process of the prefix killed at once, the wineserver started again.
power_loss() {
    kill_setup
    _stop_wineserver
    _start_wineserver
}

# staging_begun TIMEOUT: until the uninstaller, staged first, appears in C:\TEMP. Looked for
# without a pause, so that the kill lands while the rest is still being written.
staging_begun() {
    local deadline=$((SECONDS + ${1:?staging_begun TIMEOUT})) first=$WINEPREFIX/drive_c/TEMP/uninstallK7X.exe
    until [ -e "$first" ]; do
        ((SECONDS < deadline)) || fail "nothing was staged in ${1}s"
    done
}
_utility_done() { [ -e "$WINEPREFIX/drive_c/harness/released.txt" ]; }

# cut POINT: one run cut short at POINT.
cut() {
    case $1 in
        removal)
            walk
            wait_for_output "$start_line" 90
            kill_setup ;;
        staging)
            walk
            staging_begun 90
            power_loss ;;
        utility)
            hold_utility
            walk
            utility_held 90
            power_loss
            restore_utility ;;
        utility_alone)
            hold_utility
            walk
            utility_held 90
            kill_setup
            release_utility
            _wait_until 60 _utility_done || fail "the utility did not complete"
            restore_utility ;;
        *) fail "no point $1" ;;
    esac
    echo "cut at $1: $(bash "$here/listing.sh" "$(_ci_path "$WINEPREFIX/drive_c" TEMP)" | wc -l) files in C:\\TEMP," \
        "Spooler $(spooler_state)"
}

case_uninterrupted() {
    case_begin uninterrupted winxp en_US
    install_printui "$win_dir"
    whole_run
    installation_state >"$reference"
    # What the comparisons stand on.
    grep -qx '\[Spooler\] RUNNING' "$reference" || fail "the Spooler is not running after a whole run"
    grep -qx '\* K7X driver=K7X port=LPT1:' "$reference" || fail "K7X is not the default printer on LPT1:"
    grep -qi '^\[.*Uninstall\\\\K7X printer\]' "$reference" || fail "no uninstall entry"
    echo "PASS: uninterrupted"
    case_end
}

case_point() {
    case_begin "$1" winxp en_US
    install_printui "$win_dir"
    cut "$1"
    whole_run
    installation_state >"$CASE_DIR/state"
    diff -u "$reference" "$CASE_DIR/state" >&2 || fail "the run after the cut differs from an uninterrupted one"
    echo "PASS: $1"
    case_end
}

one_case uninterrupted case_uninterrupted
[ "$CASES_FAILED" = 0 ] || { echo "interrupted cases: no uninterrupted run to compare with"; exit 1; }
points=("${@:2}")
((${#points[@]})) || points=(removal staging utility utility_alone)
for p in "${points[@]}"; do one_case "$p" case_point "$p"; done
echo "interrupted cases: $CASES_PASSED passed, $CASES_FAILED failed"
[ "$CASES_FAILED" = 0 ]
