#!/usr/bin/env bash
# The closing lines of the demo, from the machine the wizard ran on: the outcome (the text of the
# last run's result message, from its trace), the printers with the default one, and where the
# driver files went (the files copied into the driver directory).
#   scripts/demo_summary.sh MACHINE
set -euo pipefail
cd "$(dirname "$0")/.."
machine=$1
trace=$machine/trace.log
outcome=$(sed -n 's/^[0-9]* msgbox .* text="\(.*\)"$/\1/p' "$trace" | tail -n 1 | sed 's/\\n/ /g')
printers=$(build/winemu printers "$machine")
default=$(sed -n 's/^\* \(.*\)  driver=.*/\1/p' <<<"$printers")
mapfile -t copied < <(sed -n 's/^[0-9]* file\.copy [^ ]* \(.*\\W32X86\\3\\\)\([^ \\]*\) -> ok$/\1 \2/p' "$trace")
echo "── Summary"
echo "Outcome:          ${outcome:-no result message}"
echo "Printers:         $(sed 's/^[* ] //; s/  driver=/, driver /; s/ port=/, port /' <<<"$printers" | paste -sd ';' | sed 's/;/; /g')"
echo "Default printer:  ${default:-none}"
if ((${#copied[@]})); then
  echo "Driver files:     ${#copied[@]} files in ${copied[0]%% *}"
  printf '%s\n' "${copied[@]#* }" | paste -sd ' ' | fold -s -w 82 | sed 's/ *$//; s/^/                  /'
else
  echo "Driver files:     none copied into the driver directory"
fi
