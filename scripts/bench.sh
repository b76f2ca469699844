#!/usr/bin/env bash
# The workbench's speed: a whole scripted installation on a fresh machine against copying the same
# bytes onto a fresh machine, run alternately ROUNDS times (default 7) in one process tree. Each
# side makes its machine with "winemu create"; the installation then walks scripts/demo.script
# with "winemu run", the copy puts the files and registry the installation left (taken from a
# first, untimed run) onto its machine with cp. A side's cost is the processor time (user and
# system) of all its processes, which a busy machine does not inflate as it does the wall clock;
# the wall clock is shown beside it. Prints the median of the rounds' ratios as
# "install/copy: RATIO". Release build without sanitizers, in build-release/.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-7}
cmake --preset linux-release >/dev/null
cmake --build build-release --target k7x-setup winemu_cli >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work" "$rounds" <<'PY'
import os, resource, statistics, subprocess, sys, time

work, rounds = sys.argv[1], int(sys.argv[2])
winemu, program = "build-release/winemu", "build-release/k7x-setup"

def install(m):
    subprocess.run([winemu, "create", m], check=True)
    with open(os.devnull, "w") as out:
        subprocess.run([winemu, "run", m, program, "--script", "scripts/demo.script"], check=True, stdout=out)

def copy(m):
    subprocess.run([winemu, "create", m], check=True)
    subprocess.run(["cp", "-r", f"{work}/reference/drive_c", f"{work}/reference/registry", m + "/"], check=True)

def measure(side, m):
    before, start = resource.getrusage(resource.RUSAGE_CHILDREN), time.perf_counter()
    side(m)
    after, wall = resource.getrusage(resource.RUSAGE_CHILDREN), time.perf_counter() - start
    return after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime, wall

install(f"{work}/reference")
ratios = []
for i in range(rounds):
    (ci, wi), (cc, wc) = measure(install, f"{work}/install{i}"), measure(copy, f"{work}/copy{i}")
    ratios.append(ci / cc)
    print(f"round {i + 1}: install {ci * 1000:.1f} ms cpu ({wi * 1000:.0f} ms wall), "
          f"copy {cc * 1000:.1f} ms cpu ({wc * 1000:.0f} ms wall)", file=sys.stderr)
print(f"install/copy: {statistics.median(ratios):.2f}")
PY
