#!/usr/bin/env bash
# The main command: builds the Linux program (one line), then walks the wizard on the default
# emulated machine (machines/default, made on first use) and ends with a summary of what the run
# left: the result message, the printer and the default printer, where the driver files went.
# At a terminal it offers to let you walk the wizard yourself (winemu run --terminal); otherwise
# scripts/demo.script walks it and each page is printed as drawn in the terminal, 80 columns wide.
set -euo pipefail
cd "$(dirname "$0")/.."
K7X_BUILD_TARGETS="k7x-setup winemu_cli" scripts/build.sh linux-test
machine=machines/default
[ -f "$machine/machine.ini" ] || build/winemu create "$machine" >/dev/null

mode=script
if [ -t 0 ] && [ -t 1 ]; then
  read -r -p "Walk the wizard yourself in the terminal (it needs 80x24 or more)? [y/N] " answer
  [[ $answer == [yY]* ]] && mode=terminal
fi
# The pages are 80 columns wide; the closing line, which can be longer, is broken at blanks.
fit_80_columns() {
  while IFS= read -r line; do
    if [[ $line == "winemu: "* ]]; then fold -s -w 80 <<<"$line" | sed 's/ *$//'; else printf '%s\n' "$line"; fi
  done
}
status=0
if [ "$mode" = terminal ]; then
  build/winemu run "$machine" build/k7x-setup --terminal || status=$?
else
  set +e
  build/winemu run "$machine" build/k7x-setup --script scripts/demo.script --screens | fit_80_columns
  status=${PIPESTATUS[0]}
  set -e
fi
scripts/demo_summary.sh "$machine"
exit "$status"
