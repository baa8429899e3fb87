#!/usr/bin/env python3
"""Recomputes torvane-report's profile measures with numpy.

Writes a few hundred generated profiles (pulses of several shapes, some
across the end of the period, some on negative baselines, plus the cases
where measures are absent), runs torvane-report --measures over them and
recomputes each measure here: the analysis's pulse window and its off-pulse
mean and deviation in 32-bit steps as the analysis takes them, then the
measures in double precision with numpy. Every measure must agree to 1e-6
relative, and be absent exactly where it is absent here.

    check_measures.py path/to/torvane-report
"""

import json
import math
import random
import subprocess
import sys
import tempfile
from pathlib import Path

import numpy as np

KEYS = ["flux", "peak", "w_eq", "snr_eq", "snr_on", "w50", "w10", "duty50"]
TOLERANCE = 1e-6
HALF_WIDTH = 20  # bins either side of the maximum that bound the pulse window
RISE_STEPS = 3


def header_line(key, value):
    return key.ljust(19) + "=  " + value + "\n"


def profile_text(name, values, avg):
    keys = ["# Source", "# Input file", "# Telescope", "# Backend", "# Centre freq (MHz)",
            "# Bandwidth (MHz)", "# Channels", "# Sample time (us)", "# Obs length (s)",
            "# DM (pc/cm3)", "# Period (s)", "# Obs date (MJD)", "# Sub-integrations",
            "# Polarisation", "# Folding", "# Dedispersion", "# RFI excision"]
    text = "".join(header_line(k, name + "_DM1.0.dat" if k == "# Input file" else "check")
                   for k in keys)
    text += header_line("# Profile Bins", str(len(values)))
    text += header_line("# Profile Avg", "%.9g" % avg)
    text += header_line("# Profile StdDev", "1")
    text += header_line("# Profile Min", "0") + header_line("# Profile Max", "0")
    text += header_line("# Software", "check") + header_line("# Observer", "check")
    text += header_line("# Comment", "check") + header_line("# T_peri", "58000.5")
    text += "#" + "-" * 39 + "\n"
    # Nine significant digits give every 32-bit value back exactly.
    text += "".join("%4d  %.9g\n" % (i, v) for i, v in enumerate(values))
    return text


def generated_profiles(count):
    """(values as float32, header average) for count profiles, the same on every run."""
    rng = random.Random(18)
    profiles = []
    for n in range(count):
        bins = rng.choice([16, 64, 100, 256, 512, 1000]) if n % 10 else rng.randrange(2, 40)
        base = rng.choice([0.0, 100.0, -50.0, 1500.0])
        noise = rng.choice([0.0, 0.5, 3.0]) if n % 7 == 0 else rng.choice([0.5, 3.0])
        i = np.arange(bins, dtype=np.float64)
        centre = rng.uniform(0, bins)
        width = rng.uniform(0.5, max(1.0, bins / 8))
        height = rng.choice([0.0, 5.0, 40.0, 400.0]) if n % 5 == 0 else rng.choice([5.0, 40.0, 400.0])
        shape = n % 4
        # Distance to the centre round the period, so that pulses wrap.
        d = np.abs(((i - centre + bins / 2) % bins) - bins / 2)
        if shape == 0:
            pulse = height * np.exp(-0.5 * (d / width) ** 2)
        elif shape == 1:
            pulse = np.where(d <= width, height, 0.0)
        elif shape == 2:
            second = np.abs(((i - centre - 3 * width + bins / 2) % bins) - bins / 2)
            pulse = height * (np.exp(-0.5 * (d / width) ** 2) + 0.6 * np.exp(-0.5 * (second / width) ** 2))
        else:
            pulse = height * np.maximum(0.0, 1 - d / (2 * width))
        values = base + pulse + np.array([rng.gauss(0, noise) for _ in range(bins)])
        # The header's average decides the window: mostly near the baseline,
        # sometimes far below every value or above the peak.
        avg = rng.choice([base + noise, base + noise, base - 1e4, base + 1e4, float(np.mean(values))])
        profiles.append((values.astype(np.float32), np.float32(avg)))
    # Measures absent: a flat profile, a single bin, a profile with no value
    # below half its peak.
    profiles.append((np.full(32, 5.0, dtype=np.float32), np.float32(4)))
    profiles.append((np.array([7.0], dtype=np.float32), np.float32(0)))
    profiles.append((np.array([10, 9, 8, 9, 10, 9], dtype=np.float32), np.float32(100)))
    return profiles


def pulse_window(v, avg, max_bin):
    """The analysis's pulse window: start and end, both may lie outside the profile."""
    n = len(v)
    lo, hi = max_bin - HALF_WIDTH, max_bin + HALF_WIDTH
    start = lo
    k = max(lo, 0)
    while k + RISE_STEPS <= n - 1:
        if v[k] > avg and v[k + 1] > v[k] and v[k + 2] > v[k + 1] and v[k + 3] > v[k + 2]:
            start = k
            break
        k += 1
    end = hi
    l = max(start, 0)
    while l <= hi and l <= n - 1:
        if v[l] <= avg:
            end = l
            break
        l += 1
    return start, end


def baseline(off):
    """Off-pulse mean and sample deviation as the analysis computes them: 32-bit
    sums rounded after every addition; None where it cannot."""
    if len(off) < 2:
        return None
    total = np.float32(0)
    for x in off:
        total = np.float32(total + x)
    mean = np.float32(float(total) / len(off))
    squares = np.float32(0)
    for x in off:
        d = float(np.float32(x - mean))
        squares = np.float32(float(squares) + d * d)
    sigma = np.float32(math.sqrt(float(np.float32(float(squares) / (len(off) - 1.0)))))
    return float(mean), float(sigma)


def crossing(v, peak_bin, level, step):
    """Bins from the peak to the interpolated crossing of level, or None."""
    n = len(v)
    path = (peak_bin + step * np.arange(0, n)) % n
    below = np.nonzero(v[path[1:]] < level)[0]
    if len(below) == 0:
        return None
    k = below[0] + 1
    inner, outer = v[path[k - 1]], v[path[k]]
    return (k - 1) + (inner - level) / (inner - outer)


def expected_measures(values, avg):
    v32 = values
    max_bin = int(np.argmax(v32))
    start, end = pulse_window(v32, avg, max_bin)
    inside = np.zeros(len(v32), dtype=bool)
    inside[max(start, 0):max(end + 1, 0)] = True
    found = baseline(v32[~inside])
    if found is None:
        return {k: None for k in KEYS}
    mu, sigma = found
    v = v32.astype(np.float64) - mu
    m = {k: None for k in KEYS}
    peak = float(v[max_bin])
    m["peak"] = peak
    on = v[max(start, 0):min(end, len(v) - 1) + 1]
    if len(on) > 0:
        flux = float(np.sum(on))
        m["flux"] = flux
        if sigma > 0:
            m["snr_on"] = flux / (sigma * np.sqrt(len(on)))
        if peak > 0:
            m["w_eq"] = flux / peak
            if flux / peak > 0 and sigma > 0:
                m["snr_eq"] = flux / (sigma * np.sqrt(flux / peak))
    if peak > 0:
        for key, fraction in (("w50", 0.5), ("w10", 0.1)):
            right = crossing(v, max_bin, fraction * peak, +1)
            left = crossing(v, max_bin, fraction * peak, -1)
            if right is not None and left is not None:
                m[key] = float(right + left)
        if m["w50"] is not None:
            m["duty50"] = m["w50"] / len(v)
    return m


def agrees(reported, expected):
    if reported is None or expected is None:
        return reported is None and expected is None
    scale = max(abs(reported), abs(expected))
    return abs(reported - expected) <= TOLERANCE * scale


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    report = sys.argv[1]
    profiles = generated_profiles(400)
    with tempfile.TemporaryDirectory() as work:
        names = []
        for n, (values, avg) in enumerate(profiles):
            name = str(Path(work) / ("p%03d.torvane" % n))
            Path(name).write_text(profile_text("J%04d" % n, values, avg))
            names.append(name)
        run = subprocess.run([report, "--measures", "--format", "jsonl", "--locale", "en_US",
                              "--jobs", "2", "--quiet"] + names,
                             capture_output=True, text=True, check=False)
        if run.returncode not in (0, 1):
            sys.exit("torvane-report failed (%d): %s" % (run.returncode, run.stderr))
        objects = [json.loads(line) for line in run.stdout.splitlines()]
    if len(objects) != len(profiles):
        sys.exit("%d objects for %d profiles" % (len(objects), len(profiles)))
    present = {k: 0 for k in KEYS}
    passed = failed = 0
    for n, (obj, (values, avg)) in enumerate(zip(objects, profiles)):
        measures = obj["measures"]
        if list(measures) != KEYS:
            print("p%03d: keys %s" % (n, list(measures)))
            failed += 1
            continue
        expected = expected_measures(values, avg)
        for key in KEYS:
            if measures[key] is not None:
                present[key] += 1
            if agrees(measures[key], expected[key]):
                passed += 1
            else:
                failed += 1
                print("p%03d %s: reported %r, numpy %r (error %r)"
                      % (n, key, measures[key], expected[key], obj["error"]))
    print("present per measure: " + ", ".join("%s %d" % (k, present[k]) for k in KEYS))
    # Every measure must have been compared both present and absent.
    for key in KEYS:
        if present[key] in (0, len(profiles)):
            print("%s: present in %d of %d profiles; the check needs both"
                  % (key, present[key], len(profiles)))
            failed += 1
    print("%d passed, %d failed" % (passed, failed))
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
