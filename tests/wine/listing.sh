#!/bin/bash
# listing.sh DIR [MAXDEPTH]: one line per file under DIR, "path size sha256",
# path relative to DIR and lower-cased (Windows paths ignore case), sorted.
# Prints nothing for a missing DIR.
set -euo pipefail
dir=${1:?listing.sh DIR [MAXDEPTH]}
[ -d "$dir" ] || exit 0
cd "$dir"
find . -maxdepth "${2:-20}" -type f -printf '%P\n' | while IFS= read -r f; do
    printf '%s %s %s\n' "${f,,}" "$(stat -c %s "$f")" "$(sha256sum <"$f" | cut -d' ' -f1)"
done | LC_ALL=C sort
