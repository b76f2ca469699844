#!/usr/bin/env bash
# The closing lines of the demo, from the machine the wizard ran on: the outcome of the last run
# (its result message, or that it was cancelled), the printers with the default one, and where the
# driver files went (the files this run copied into the driver directory). Lines fit 80 columns.
#   scripts/demo_summary.sh MACHINE
set -euo pipefail
cd "$(dirname "$0")/.."
machine=$1
trace=$machine/trace.log
outcome=$(build/winemu trace "$machine" --outcome)
case $outcome in
  'ended with the message "'*) outcome=${outcome#ended with the message \"}; outcome=${outcome%\"} ;;
  'was cancelled') outcome="cancelled: this run installed nothing" ;;
  *) outcome="no result message (the program $outcome)" ;;
esac
printers=$(build/winemu printers "$machine")
default=$(sed -n 's/^\* \(.*\)  driver=.*/\1/p' <<<"$printers")
mapfile -t copied < <(sed -n 's/^[0-9]* file\.copy [^ ]* \(.*\\W32X86\\3\\\)\([^ \\]*\) -> ok$/\1 \2/p' "$trace")
installed=$(sed 's/^[* ] //; s/  driver=/, driver /; s/ port=/, port /' <<<"$printers" | paste -sd ';' | sed 's/;/; /g')
((${#copied[@]})) || [ -z "$installed" ] || installed="$installed (there before this run)"
echo "── Summary"
echo "Outcome:          $outcome"
fold -s -w 62 <<<"${installed:-none}" | sed 's/ *$//; 1s/^/Printers:         /; 2,$s/^/                  /'
echo "Default printer:  ${default:-none}"
if ((${#copied[@]})); then
  echo "Driver files:     ${#copied[@]} files in ${copied[0]%% *}"
  printf '%s\n' "${copied[@]#* }" | paste -sd ' ' | fold -s -w 62 | sed 's/ *$//; s/^/                  /'
else
  echo "Driver files:     none copied by this run"
fi
