#!/usr/bin/env python3
"""Writes files/foldtable.inc: the letter-case fold of the file system.

Names compare as the file system compares them: each UTF-16 unit is
upper-cased on its own, by the simple (one unit to one unit) upper-case
mapping, with no regard to any locale. So the Greek final sigma and sigma
both fold to capital sigma, the dz digraphs fold to the capital digraph, the
dotless i folds to I while the dotted capital I stays itself, and the German
sharp s stays itself. Only characters that Unicode 3.2 already had take
part: the file system's table was made then and does not know the case
pairs added later.

The table is written as runs: (first, last, delta, step). Every unit from
first to last in steps of `step` maps to itself plus delta. Run
`python3 tools/make_foldtable.py` and commit the script and the table
together; the build does not run it.
"""
import os
import unicodedata

old = unicodedata.ucd_3_2_0


def assigned(c):
    return old.category(c) != "Cn"


def upper(cp):
    c = chr(cp)
    if not assigned(c):
        return cp
    u = c.upper()
    if len(u) != 1:
        # No one-unit upper case (the sharp s, the Greek letters with an
        # iota below): the title case, where that is one other unit.
        t = c.title()
        u = t if len(t) == 1 else c
    if ord(u) > 0xFFFF or not assigned(u):
        return cp
    return ord(u)


pairs = [(cp, upper(cp)) for cp in range(0x10000) if not 0xD800 <= cp <= 0xDFFF]
pairs = [(a, b) for a, b in pairs if a != b]

runs = []
for a, b in pairs:
    d = b - a
    if runs:
        first, last, delta, step = runs[-1]
        if delta == d and step in (0, a - last) and a - last in (1, 2):
            runs[-1] = (first, a, delta, a - last)
            continue
    runs.append((a, a, d, 0))

here = os.path.dirname(os.path.abspath(__file__))
out = os.path.join(here, "..", "files", "foldtable.inc")
with open(out, "w", newline="\n") as f:
    f.write("// Made by tools/make_foldtable.py: first, last, delta, step of each run.\n")
    for first, last, delta, step in runs:
        f.write("{0x%04X, 0x%04X, %d, %d},\n" % (first, last, delta, max(step, 1)))
print(len(pairs), "units in", len(runs), "runs")
