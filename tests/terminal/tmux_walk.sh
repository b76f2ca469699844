#!/bin/sh
# Walks the wizard by keys alone in a real terminal: the Linux program under `winemu run
# --terminal` in a tmux pane of 100x40, the About box opened with Alt+Space, every page reached
# with the & mnemonics and the dialog keys, the result message answered with Enter. Each step
# waits for the text it expects on the pane, polling a bounded number of times.
# Usage: tmux_walk.sh WINEMU PROGRAM. Exits 77 (skipped) without tmux.
set -eu
winemu=$1
program=$2
if ! command -v tmux >/dev/null 2>&1; then
  echo "tmux is not installed: the terminal walk is skipped"
  exit 77
fi
dir=$(mktemp -d)
tmux="tmux -S $dir/tmux.socket -f /dev/null"
trap '$tmux kill-server 2>/dev/null || true; rm -rf "$dir"' EXIT
"$winemu" create "$dir/machine" >/dev/null

# The run, then its exit status; `cat` keeps the pane open for the last capture.
$tmux new-session -d -x 100 -y 40 \
  "'$winemu' run '$dir/machine' '$program' --terminal; echo \"run exit status \$?\"; cat"

screen() { $tmux capture-pane -p; }

# Waits until the pane shows TEXT (fixed string), or with "gone" no longer shows it; at most 200
# polls of 50 ms.
wait_for() {
  n=0
  while { screen | grep -qF -- "$2"; [ $? -ne "$1" ]; }; do
    n=$((n + 1))
    if [ "$n" -ge 200 ]; then
      echo "FAIL: waited for the terminal to $3 \"$2\"; it shows:"
      screen
      exit 1
    fi
    sleep 0.05
  done
}
expect() { wait_for 0 "$1" show; }
gone() { wait_for 1 "$1" "stop showing"; }

keys() { $tmux send-keys "$@"; }

expect "Alt+Space: system menu"
expect "Welcome"
keys M-Space
expect "Esc: close the menu"
keys Down Down
keys Enter
expect "1.0"
keys Enter
gone "1.0"
keys M-n
expect "( ) Windows 2000"
keys M-n
expect "Default Printer"
keys Tab Tab
expect "▸│  80mm series"
keys Down
expect "» 80mm series"
keys M-n
expect "installed successfully"
keys Enter
expect "run exit status 0"
echo "the wizard was walked to its end by keys and the About box opened with Alt+Space"
