#!/usr/bin/env python3
"""Writes the sample profile files beside this script.

Each file is a pulse (one or two Gaussian components) on a noisy baseline,
in the fixed-column layout the analyzer reads: 26 header lines whose keys fill
columns 1-19, "=" in column 20 and the value from column 23, the "# T_peri"
line last, one separator line, then one line per bin (the number right-aligned
in four columns, two blanks, the value). "# Profile Avg" and "# Profile
StdDev" are the mean and sample standard deviation of the bin values as
written. The seed is fixed, so running the script again gives the same files.
"""

import math
import os
import random
import statistics

HERE = os.path.dirname(os.path.abspath(__file__))


def header_line(key, value):
    return key.ljust(19) + "=  " + value


def profile(bins, baseline, noise, components, rng):
    values = []
    for i in range(bins):
        v = baseline + rng.gauss(0.0, noise)
        for centre, width, amplitude in components:
            # Wrap around the period so a pulse near an edge stays whole.
            d = min(abs(i - centre), bins - abs(i - centre))
            v += amplitude * math.exp(-0.5 * (d / width) ** 2)
        values.append(v)
    return values


def write_example(name, psr, dm, bins, first_number, baseline, noise, components,
                  period, freq, mjd, telescope, rng):
    texts = ["%.4f" % v for v in profile(bins, baseline, noise, components, rng)]
    written = [float(t) for t in texts]
    avg = statistics.fmean(written)
    sd = statistics.stdev(written)
    lines = [
        header_line("# Source", psr),
        header_line("# Input file", "%s_DM%s.dat" % (psr, dm)),
        header_line("# Telescope", telescope),
        header_line("# Backend", "ZELMAR-DSP"),
        header_line("# Centre freq (MHz)", "%.3f" % freq),
        header_line("# Bandwidth (MHz)", "128.000"),
        header_line("# Channels", "256"),
        header_line("# Sample time (us)", "%.3f" % (period * 1e6 / bins)),
        header_line("# Obs length (s)", "3600.0"),
        header_line("# DM (pc/cm3)", dm),
        header_line("# Period (s)", "%.12f" % period),
        header_line("# Obs date (MJD)", "%.6f" % mjd),
        header_line("# Sub-integrations", "60"),
        header_line("# Polarisation", "I"),
        header_line("# Folding", "ephemeris"),
        header_line("# Dedispersion", "incoherent"),
        header_line("# RFI excision", "median filter"),
        header_line("# Profile Bins", str(bins)),
        header_line("# Profile Avg", "%.6f" % avg),
        header_line("# Profile StdDev", "%.6f" % sd),
        header_line("# Profile Min", "%.4f" % min(written)),
        header_line("# Profile Max", "%.4f" % max(written)),
        header_line("# Software", "ZELMAR 3.2.1"),
        header_line("# Observer", "survey"),
        header_line("# Comment", "sample profile"),
        header_line("# T_peri", "%.9f" % (mjd + 0.000123456)),
    ]
    assert len(lines) == 26
    lines.append("#" + "-" * 39)
    for i, text in enumerate(texts):
        lines.append("%4d  %s" % (i + first_number, text))
    with open(os.path.join(HERE, name), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    rng = random.Random(20190307)
    write_example("J0437-4715.torvane", "J0437-4715", "2.64", 256, 0, 1520.0, 12.0,
                  [(100, 4.0, 900.0), (112, 2.5, 350.0)], 0.005757451924, 1382.0,
                  58544.372, "Parkes", rng)
    write_example("J1713+0747.torvane", "J1713+0747", "15.99", 64, 0, 820.0, 9.0,
                  [(30, 1.5, 310.0)], 0.004570136526, 1400.0, 58612.118, "Effelsberg", rng)
    write_example("B0531+21.torvane", "B0531+21", "56.77", 1000, 0, 2410.0, 30.0,
                  [(300, 6.0, 1800.0), (700, 8.0, 700.0)], 0.033720715, 610.0, 58701.904,
                  "Jodrell Bank", rng)
    write_example("J0835-4510.torvane", "J0835-4510", "67.99", 128, 1, 310.0, 4.0,
                  [(64, 3.0, 520.0)], 0.089328385, 1369.0, 58830.551, "Parkes", rng)
    write_example("B1937+21.torvane", "B1937+21", "71.02", 32, 0, 95.0, 2.0,
                  [(11, 1.2, 60.0)], 0.001557806468, 1410.0, 58910.260, "Effelsberg", rng)


if __name__ == "__main__":
    main()
