#!/bin/sh
# Builds each probe (a file of a layer including a header of a layer above it) and passes when every
# one fails to compile because the header is not on its layer's include path.
# usage: upward_includes.sh BUILD_DIR TARGET:HEADER...
build=$1
shift
targets=""
for probe in "$@"; do targets="$targets ${probe%%:*}"; done
# shellcheck disable=SC2086
output=$(cmake --build "$build" --target $targets -- -k 0 2>&1)
status=0
for probe in "$@"; do
  header=${probe#*:}
  if printf '%s\n' "$output" | grep -q "fatal error: $header: No such file or directory"; then
    echo "${probe%%:*}: $header is out of reach"
  else
    echo "${probe%%:*}: $header did not fail as an unknown header"
    status=1
  fi
done
[ $status -eq 0 ] || printf '%s\n' "$output"
exit $status
