#!/bin/sh
# Walks the wizard by keys alone in a real terminal: the Linux program under `winemu run
# --terminal` in a tmux pane, at 80x24 (a terminal's default size) and at 100x40. Tab moves the
# focus to the Next button, which must then be on the screen, and Space or Enter presses it; Down
# selects the printer series; the result message box must be on the screen whole, and Enter
# answers it. When the program has left the terminal, the shell's screen must hold its closing
# line. At 80x24 the About box is opened with Alt+Space first, and a resize below the smallest
# size is answered at once, without a key, by the line saying the size needed. A last run is
# cancelled by Alt+F4, and reg export's text is read at a terminal.
# Each step waits for the text it expects on the pane, polling a bounded number of times.
# Usage: tmux_walk.sh WINEMU PROGRAM. Exits 77 (skipped) without tmux.
set -eu
winemu=$1
program=$2
if ! command -v tmux >/dev/null 2>&1; then
  echo "tmux is not installed: the terminal walk is skipped"
  exit 77
fi
dir=$(mktemp -d)
# One tmux server a walk, each on its own socket.
tmux=true
trap 'for s in "$dir"/*.socket; do tmux -S "$s" kill-server 2>/dev/null || true; done; rm -rf "$dir"' EXIT

screen() { $tmux capture-pane -p -J; }  # lines the terminal wrapped, joined

fail() {
  echo "FAIL at ${size}: $1; the terminal shows:"
  screen
  exit 1
}

# Waits until the pane shows TEXT (fixed string), or with "gone" no longer shows it; at most 200
# polls of 50 ms.
wait_for() {
  n=0
  while { screen | grep -qF -- "$2"; [ $? -ne "$1" ]; }; do
    n=$((n + 1))
    [ "$n" -lt 200 ] || fail "waited for the terminal to $3 \"$2\""
    sleep 0.05
  done
}
expect() { wait_for 0 "$1" show; }
gone() { wait_for 1 "$1" "stop showing"; }

keys() { $tmux send-keys "$@"; }

# Presses Tab until the screen shows TEXT (the focus mark on a control), at most 12 times; each
# Tab waits for the screen to change.
tab_to() {
  tabs=0
  while ! screen | grep -qF -- "$1"; do
    tabs=$((tabs + 1))
    [ "$tabs" -le 12 ] || fail "12 Tabs did not reach \"$1\""
    before=$(screen)
    keys Tab
    n=0
    while [ "$(screen)" = "$before" ]; do
      n=$((n + 1))
      [ "$n" -lt 200 ] || fail "Tab changed nothing"
      sleep 0.05
    done
  done
}

# The result box on the screen whole: its top, its text and its OK button.
box_on_screen() {
  expect "installed successfully"
  screen | grep -q "╔═.*╗" || fail "the result box's top edge is not on the screen"
  screen | grep -qF "[=OK=]" || fail "the result box's OK button is not on the screen"
}

# Starts a run on a new machine in a pane of COLS x ROWS, named NAME.
start() {
  size=$3
  rm -rf "$dir/machine"
  "$winemu" create "$dir/machine" >/dev/null
  tmux="tmux -S $dir/$size.socket -f /dev/null"
  # The run, then its exit status; `cat` keeps the pane open for the last capture.
  $tmux new-session -d -x "$1" -y "$2" \
    "'$winemu' run '$dir/machine' '$program' --terminal; echo \"run exit status \$?\"; cat"
  expect "Click Next to continue"
}

walk() {
  start "$1" "$2" "$1x$2"
  expect "Esc on a button: cancel"
  if [ "$1" = 80 ]; then
    keys M-Space
    expect "Esc: close the menu"
    keys Down Down Enter
    expect "1.0"
    keys Enter
    gone "1.0"
    $tmux resize-window -x 60 -y 20
    expect "The wizard needs at least 80x16; this terminal is 60x20."
    $tmux resize-window -x 80 -y 24
    expect "Click Next to continue"
  fi
  tab_to "▸[=Next=]"
  keys Space
  expect "( ) Windows 7"
  tab_to "▸[=Next=]"
  keys Enter
  expect "Default Printer"
  tab_to "▸│"
  keys Down
  expect "» 80mm series"
  tab_to "▸[=Next=]"
  keys Space
  box_on_screen
  keys Enter
  expect "run exit status 0"
  screen | grep -qF 'winemu: the program ended with the message "The Printer Driver has been installed successfully!" (exit code 0)' ||
    fail "no closing line on the shell's screen"
  screen | grep -qF "PortTalk: The PortTalk driver has been successfully started." ||
    fail "the program's own output is not on the shell's screen"
}

walk 80 24
walk 100 40
# Alt+F4 closes the wizard as its system menu's Close does: the run was cancelled.
start 80 24 alt-f4
keys M-F4
expect "run exit status 0"
screen | grep -qF "winemu: the program was cancelled (exit code 0)" || fail "Alt+F4 did not cancel the wizard"
# At a terminal, reg export writes readable text, not regedit's UTF-16 bytes.
size=reg-export
tmux="tmux -S $dir/$size.socket -f /dev/null"
key='HKLM\SYSTEM\ControlSet001\Control\Print\Printers'
$tmux new-session -d -x 100 -y 40 "'$winemu' reg export '$dir/machine' '$key'; cat"
expect "Windows Registry Editor Version 5.00"
expect "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Control\\Print\\Printers]"
echo "the wizard was walked to its end by Tab, Space, Down and Enter at 80x24 and 100x40, cancelled by Alt+F4, and reg export read at a terminal"
