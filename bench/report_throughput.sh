#!/usr/bin/env bash
# Files per second of torvane-report over generated profiles of 256 bins, for
# each output format and number of jobs, beside `wc -l` over the same files
# (reading every byte once) as the reference. Each figure is the median of
# RUNS timed runs after one untimed run; the wall time of a whole process,
# with its CPU time (user + system) beside it. Then what two processors give
# on this machine at all, for the two-job figures: a loop that shares nothing
# run twice at once against twice in turn, and the report as two shards at
# once against one job; pairs taken in turn, medians of their ratios.
#   bench/report_throughput.sh [path/to/torvane-report] [files]
# Environment: FORMATS (default "tsv jsonl"), JOBS (default "1 2"), RUNS (5),
# PAIRS (for the two processors, default 21; 0 leaves them out).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=${1:-$root/build/tools/torvane-report}
count=${2:-10000}
formats=${FORMATS:-tsv jsonl}
jobs=${JOBS:-1 2}
runs=${RUNS:-5}
pairs=${PAIRS:-21}
exe=$(realpath -e "$exe" 2>/dev/null) || { echo "no torvane-report there" >&2; exit 1; }
[[ -x $exe ]] || { echo "no torvane-report at $exe" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work" "$count" <<'PY'
import math, random, sys
work, count = sys.argv[1], int(sys.argv[2])
def line(key, value):
    return key.ljust(19) + "=  " + value + "\n"
keys = ["# Source", "# Input file", "# Telescope", "# Backend", "# Centre freq (MHz)",
        "# Bandwidth (MHz)", "# Channels", "# Sample time (us)", "# Obs length (s)",
        "# DM (pc/cm3)", "# Period (s)", "# Obs date (MJD)", "# Sub-integrations",
        "# Polarisation", "# Folding", "# Dedispersion", "# RFI excision"]
rng = random.Random(1)
for n in range(count):
    text = "".join(line(k, "J%04d+0000_DM10.0.dat" % n if k == "# Input file" else "bench")
                   for k in keys)
    text += line("# Profile Bins", "256") + line("# Profile Avg", "100.5")
    text += line("# Profile StdDev", "3.2") + line("# Profile Min", "90")
    text += line("# Profile Max", "400") + line("# Software", "bench")
    text += line("# Observer", "bench") + line("# Comment", "bench")
    text += line("# T_peri", "58000.5") + "#" + "-" * 39 + "\n"
    centre = rng.randrange(60, 200)
    for i in range(256):
        v = 100 + rng.random() * 8 + 300 * math.exp(-((i - centre) / 6.0) ** 2)
        text += "%4d  %.4f\n" % (i, v)
    with open("%s/p%05d.torvane" % (work, n), "w") as f:
        f.write(text)
PY

cd "$work"
# Prints "wall cpu", the medians of the runs of the command in $1.
measure() {
    bash -c "$1" # untimed: the files come into the page cache
    for _ in $(seq "$runs"); do
        /usr/bin/time -f '%e %U %S' -o "$work/time" bash -c "$1"
        cat "$work/time"
    done | python3 -c '
import statistics, sys
rows = [list(map(float, l.split())) for l in sys.stdin if l.strip()]
print(statistics.median(r[0] for r in rows), statistics.median(r[1] + r[2] for r in rows))'
}
# time(1) counts hundredths of a second: a shorter run counts as half of one.
report() { # label, wall, cpu
    python3 -c 'import sys; label, wall, cpu, n = sys.argv[1], float(sys.argv[2]), float(sys.argv[3]), int(sys.argv[4]); rate = lambda s: n / max(s, 0.005); print("%-22s %7.3f s wall %7.0f files/s   %7.3f s cpu %7.0f files/s" % (label, wall, rate(wall), cpu, rate(cpu)))' "$@" "$count"
}
read -r wall cpu < <(measure "wc -l p*.torvane >/dev/null")
report "wc -l" "$wall" "$cpu"
for format in $formats; do
    for j in $jobs; do
        read -r wall cpu < <(measure "$exe --format $format --locale en_US --jobs $j p*.torvane >/dev/null")
        report "$format --jobs $j" "$wall" "$cpu"
    done
done

(( pairs > 0 )) || exit 0
echo
python3 - "$exe" "$pairs" <<'PY'
import statistics, subprocess, sys, time
exe, pairs = sys.argv[1], int(sys.argv[2])
# About as long as one job over the files; registers and the first cache only.
loop = "awk 'BEGIN { for (i = 0; i < 7e6; i++) x += i * i; exit (x < 0) }'"
report = exe + " --format %s --locale en_US --jobs %s p*.torvane >/dev/null"
runs = {
    "loop, twice in turn": loop + "; " + loop,
    "loop, twice at once": loop + " & " + loop + "; wait",
    "tsv --jobs 1": report % ("tsv", "1"),
    "tsv --jobs 2": report % ("tsv", "2"),
    "jsonl --jobs 1": report % ("jsonl", "1"),
    "jsonl --jobs 2": report % ("jsonl", "2"),
    "tsv, two shards at once": (report % ("tsv", "1 --shard 1/2")) + " & " +
                               (report % ("tsv", "1 --shard 2/2")) + "; wait",
}
ratios = {  # label: (numerator, denominator)
    "the loop, in turn / at once": ("loop, twice in turn", "loop, twice at once"),
    "tsv, --jobs 1 / --jobs 2": ("tsv --jobs 1", "tsv --jobs 2"),
    "jsonl, --jobs 1 / --jobs 2": ("jsonl --jobs 1", "jsonl --jobs 2"),
    "tsv, --jobs 1 / two shards at once": ("tsv --jobs 1", "tsv, two shards at once"),
}
def wall(command):
    start = time.perf_counter()
    subprocess.run(["bash", "-c", command], check=True)
    return time.perf_counter() - start
for command in runs.values():
    wall(command) # untimed
found = {label: [] for label in ratios}
for n in range(pairs):
    # Each round in its own order of the commands, so that none is always first.
    names = list(runs) if n % 2 == 0 else list(reversed(runs))
    t = {name: wall(runs[name]) for name in names}
    for label, (a, b) in ratios.items():
        found[label].append(t[a] / t[b])
print("two processors, %d rounds: median [min - max] of the ratio of wall times" % pairs)
for label, values in found.items():
    print("%-36s %5.2f  [%4.2f - %4.2f]" % (label, statistics.median(values), min(values),
                                           max(values)))
PY
