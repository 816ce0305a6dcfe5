#!/usr/bin/env python3
"""quenta check against Translate Toolkit's pofilter on the translated scene
in examples/scripts/ (translation.po, and translation.xlf made from it by
po2xliff, checked with --placeholders printf as XLIFF keeps no c-format flag): which planted mistakes each tool reports, and how many findings
each makes on the clean messages. Prints Markdown tables.

Usage: bench/pofilter_compare.py QUENTA   (pofilter from Debian's
translate-toolkit on the PATH)
"""
import json
import re
import subprocess
import sys
import tempfile
from collections import Counter
from pathlib import Path

SCRIPTS = Path(__file__).resolve().parent.parent / "examples" / "scripts"
WINDOW = "800x120"
# The planted mistakes, by message number.
PLANTED = {
    3: "dropped colour pair",
    4: "dropped bold pair",
    5: "picture number changed (<G1> to <G2>)",
    6: "full-width tag brackets",
    7: "stray closing tag",
    8: "character code page 932 lacks (ü)",
    9: "overflow",
    10: "ignored size (<S300>)",
    11: "left untranslated",
    12: "colour left open (the source closes it)",
    13: "malformed tag (a blank in <C255, 0,0>)",
    14: "ASCII double quotes",
    32: "placeholder dropped (%d)",
    34: "placeholder of another type (%d to %s)",
}


def quenta(tool, path, *options):
    run = subprocess.run([tool, "check", "--window", WINDOW, "--format", "json", *options, str(path)],
                         capture_output=True, text=True)
    if run.returncode not in (0, 1):
        sys.exit(f"quenta check {path}: {run.stderr}")
    found = {}
    for f in json.loads(run.stdout):
        found.setdefault(f["message"], []).append(f["check"])
    return found


def msgids(path):
    """The msgids of the PO file in order, the header left out."""
    ids, current, key = [], None, None
    for line in path.read_text(encoding="utf-8").splitlines():
        if line.startswith("msgid "):
            key, current = "id", [line[6:]]
        elif line.startswith("msgstr"):
            if key == "id":
                ids.append(eval("".join(current)))
            key = None
        elif line.startswith('"') and key == "id":
            current.append(line)
    return [i for i in ids if i]


def pofilter(path):
    with tempfile.TemporaryDirectory() as folder:
        out = Path(folder) / "failing.po"
        subprocess.run(["pofilter", "--progress=none", str(path), str(out)], check=True,
                       capture_output=True)
        numbers = {m: n for n, m in enumerate(msgids(path), 1)}
        found, tests = {}, []
        for line in out.read_text(encoding="utf-8").splitlines():
            test = re.match(r"# \(pofilter\) ([a-z]+):", line)
            if test:
                tests.append(test.group(1))
            elif line.startswith("msgid ") and line != 'msgid ""':
                found[numbers[eval(line[6:])]] = tests
                tests = []
        return found


def main():
    tool = sys.argv[1]
    po, xlf = SCRIPTS / "translation.po", SCRIPTS / "translation.xlf"
    # XLIFF keeps no c-format flag: the whole file is taken as C format strings.
    q_po, q_xlf, pf = quenta(tool, po), quenta(tool, xlf, "--placeholders", "printf"), pofilter(po)
    count = len(msgids(po))
    clean = [n for n in range(1, count + 1) if n not in PLANTED]
    # A pofilter test that fires on clean messages too tells nothing; such
    # tests are shown in italics.
    noisy = {t for n in clean for t in pf.get(n, [])}
    print("| planted mistake | message | quenta check (PO and XLIFF) | pofilter |")
    print("| --- | ---: | --- | --- |")
    for n, mistake in PLANTED.items():
        same = sorted(q_po.get(n, [])) == sorted(q_xlf.get(n, []))
        q = ", ".join(sorted(set(q_po.get(n, [])))) or "**missed**"
        if not same:
            q += " (XLIFF: " + ", ".join(sorted(set(q_xlf.get(n, [])))) + ")"
        p = ", ".join(f"*{t}*" if t in noisy else t for t in sorted(set(pf.get(n, [])))) or "**missed**"
        print(f"| {mistake} | {n} | {q} | {p} |")
    caught_q = sum(1 for n in PLANTED if q_po.get(n))
    caught_p = sum(1 for n in PLANTED if pf.get(n))
    telling_p = sum(1 for n in PLANTED if set(pf.get(n, [])) - noisy)
    print(f"\nCaught: quenta check {caught_q} of {len(PLANTED)}; pofilter {caught_p} of {len(PLANTED)} by any "
          f"test, {telling_p} by a test that is quiet on every clean message.\n")
    for name, found in (("quenta check (PO)", q_po), ("quenta check (XLIFF)", q_xlf), ("pofilter", pf)):
        checks = Counter(c for n in clean for c in found.get(n, []))
        messages = sum(1 for n in clean if found.get(n))
        detail = ", ".join(f"{c} {k}" for k, c in checks.most_common()) or "none"
        print(f"- {name}: {sum(checks.values())} findings on {messages} of the {len(clean)} clean messages ({detail})")


if __name__ == "__main__":
    main()
