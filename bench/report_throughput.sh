#!/usr/bin/env bash
# Files per second of torvane-report over 10,000 profiles of 256 bins, in
# each output format. Uses hyperfine when installed, else the median of
# five timed runs.
#   bench/report_throughput.sh [path/to/torvane-report] [files]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=${1:-$root/build/tools/torvane-report}
count=${2:-10000}
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
for format in text tsv json; do
    cmd="$exe --format $format --locale en_US p*.torvane >/dev/null"
    if command -v hyperfine >/dev/null; then
        hyperfine --warmup 1 --runs 5 --export-json "$work/$format.json" "$cmd" >/dev/null
        median=$(python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['results'][0]['median'])" "$work/$format.json")
    else
        bash -c "$cmd" # warm-up
        times=()
        for _ in 1 2 3 4 5; do
            start=$(date +%s.%N)
            bash -c "$cmd"
            end=$(date +%s.%N)
            times+=("$(echo "$end - $start" | bc -l)")
        done
        median=$(printf '%s\n' "${times[@]}" | sort -g | sed -n 3p)
    fi
    python3 -c "import sys; m=float(sys.argv[1]); n=int(sys.argv[2]); print('%-5s median %.3f s  %.0f files/s' % (sys.argv[3], m, n / m))" "$median" "$count" "$format"
done
