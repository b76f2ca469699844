#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan/UBSan) into build-fuzz/ and runs each one for a bounded
# time from its seed corpus; any finding fails the run and leaves the input in build-fuzz/findings/.
#   tests/fuzz/run.sh [SECONDS_PER_TARGET]   (default 20; the longer local run passes e.g. 600)
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-20}
clang=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$clang" ]; then
    [ "${CI:-}" = true ] && { echo "fuzz: clang is missing" >&2; exit 1; }
    echo "fuzz: skipped (no clang++)"
    exit 0
fi
cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER="$clang" -DCMAKE_C_COMPILER="${clang/++/}" >/dev/null
cmake --build build-fuzz -j2 >/dev/null
findings=build-fuzz/findings
rm -rf "$findings" build-fuzz/work
mkdir -p "$findings"
failed=0
for seeds in tests/fuzz/corpus/*/; do
    name=$(basename "$seeds")
    work=build-fuzz/work/$name
    mkdir -p "$work"
    if build-fuzz/fuzz_"$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
        -artifact_prefix="$findings/$name-" "$work" "$seeds" >"build-fuzz/$name.log" 2>&1; then
        echo "fuzz: $name clean ($(ls "$work" | wc -l) inputs in its corpus)"
    else
        echo "fuzz: $name FAILED; see build-fuzz/$name.log and $findings/" >&2
        failed=1
    fi
done
exit $failed
