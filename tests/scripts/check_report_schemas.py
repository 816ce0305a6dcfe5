#!/usr/bin/env python3
"""Runs `quenta check` with --format json and --format sarif on a script
holding one finding of each kind, and on a PO file whose translations
differ from their sources, and validates each report against its schema."""
import json
import os
import subprocess
import sys
import tempfile

import jsonschema

tool, fixtures = sys.argv[1], sys.argv[2]
script = ("a<C255, 0, 0>b\n\n<r>x</S>\n\n<S300>y<B>\n\n"
          "a < b\n\n\U0001F600\n\nThis line is much too long for the window\n\n"
          "\uFF1CR\uFF1E\tsay \"hi\"\n")
pairs = ('msgid ""\nmsgstr "Content-Type: text/plain; charset=UTF-8\\n"\n\n'
         'msgid "<G1>\u898b\u3066"\nmsgstr "look <G2>"\n\n'
         'msgid "<C255,0,0>\u8d64</C>"\nmsgstr "red"\n\n'
         'msgid "\u3042"\nmsgstr "\u3042"\n')
with tempfile.TemporaryDirectory() as folder:
    path = os.path.join(folder, "script.txt")
    with open(path, "w", encoding="utf-8") as f:
        f.write(script)
    pairs_path = os.path.join(folder, "pairs.po")
    with open(pairs_path, "w", encoding="utf-8") as f:
        f.write(pairs)
    for form, schema_name in (("json", "findings.schema.json"), ("sarif", "sarif-2.1.0-subset.schema.json")):
        run = subprocess.run([tool, "check", "--window", "200x100", "--format", form, path, pairs_path],
                             capture_output=True, text=True)
        if run.returncode != 1:
            sys.exit(f"{form}: exit status {run.returncode}, expected 1: {run.stderr}")
        report = json.loads(run.stdout)
        with open(os.path.join(fixtures, schema_name), encoding="utf-8") as f:
            schema = json.load(f)
        jsonschema.validate(report, schema)
        results = report if form == "json" else report["runs"][0]["results"]
        if len(results) < 15:
            sys.exit(f"{form}: {len(results)} findings, expected at least 15")
        related = [r for r in results if ("related" if form == "json" else "relatedLocations") in r]
        if len(related) < 4:
            sys.exit(f"{form}: {len(related)} findings name their source's place, expected at least 4")
        print(f"{form}: {len(results)} findings valid against {schema_name}")
    # Against a baseline of part of the findings, with one accepted in the
    # script: every baselineState and a suppression, and fingerprints on all.
    baseline = os.path.join(folder, "baseline.json")
    first = os.path.join(folder, "first.txt")
    with open(first, "w", encoding="utf-8") as f:
        f.write("a<C255, 0, 0>b\n\n<r>x</S>\n")
    subprocess.run([tool, "check", "--no-config", "--write-baseline", baseline, first], check=True, capture_output=True)
    with open(first, "w", encoding="utf-8") as f:
        f.write("a<C255, 0, 0>b\n\n<S300>y\n")
    csv = os.path.join(folder, "flags.csv")
    with open(csv, "w", encoding="utf-8") as f:
        f.write("text,flags\n<r>,quenta-ignore-unknown-tag\n")
    run = subprocess.run([tool, "check", "--no-config", "--format", "sarif", "--baseline", baseline, "--show-accepted",
                          "--column", "text", "--flags-column", "flags", first, csv], capture_output=True, text=True)
    if run.returncode != 1:
        sys.exit(f"sarif with a baseline: exit status {run.returncode}, expected 1: {run.stderr}")
    report = json.loads(run.stdout)
    with open(os.path.join(fixtures, "sarif-2.1.0-subset.schema.json"), encoding="utf-8") as f:
        jsonschema.validate(report, json.load(f))
    results = report["runs"][0]["results"]
    states = {r.get("baselineState") for r in results}
    if states != {"new", "unchanged", "absent"}:
        sys.exit(f"sarif with a baseline: states {states}, expected new, unchanged and absent")
    if not all(r.get("partialFingerprints") for r in results):
        sys.exit("sarif with a baseline: a result without partialFingerprints")
    if sum(1 for r in results if r.get("suppressions") == [{"kind": "inSource"}]) != 1:
        sys.exit("sarif with a baseline: the accepted finding is not marked inSource")
    print(f"sarif with a baseline: {len(results)} results valid, states {sorted(states)}")
print("3 passed, 0 failed")
