#!/usr/bin/env python3
"""The check against the converter, both ways, on generated terminologies
with faults put in (gen_ontylog --faults):

- every fault the generator put in is a finding of its kind, about its
  subject (counted per kind: found and missed);
- when the check reports no error, the conversion succeeds and its output
  holds no reference to "#";
- when the conversion refuses a definition or a concept, the check reports
  that one, with an explanation that starts with the converter's reason;
- an error the conversion does not refuse shows in its output (a reference
  to "#", or two classes of one name), and a warning lets the check end
  with status 0.

usage: consistency.py BUILD_DIR WORK_DIR
"""

import collections
import glob
import json
import os
import re
import subprocess
import sys

build, work = sys.argv[1], sys.argv[2]
generator = os.path.join(build, "gen_ontylog")
tool = os.path.join(build, "queltKbTool")
converter = os.path.join(build, "queltToOWL2")

CONCEPT_KINDS = [
    "missing-rxk", "shared-rxk", "unknown-parent", "unknown-role-target",
    "unknown-association-target", "undefined-role", "undefined-property",
    "undefined-association", "undefined-qualifier", "bad-element-name",
    "uncarried-character", "invalid-owl-name", "kind-with-several-roots",
    "parent-cycle", "duplicate-concept-name", "pick-list-value",
]
DEFINITION_KINDS = [
    "kind-without-root", "rootless-role-kind", "undefined-parent-role",
    "missing-role-code", "duplicate-definition-name",
]
WARNINGS = {"invalid-owl-name", "kind-with-several-roots", "parent-cycle",
            "duplicate-concept-name", "pick-list-value", "kind-without-root",
            "duplicate-definition-name"}
# Errors the converter refuses the terminology for; the others show in
# its output.
REFUSED = {"undefined-property", "undefined-association", "undefined-qualifier",
           "bad-element-name", "uncarried-character"}

failures = []


def fail(text):
    failures.append(text)
    print("FAIL: " + text)


def shown(text):
    """A text as the console messages show it: C0 controls and DEL as \\xNN."""
    return "".join("\\x%02X" % ord(c) if ord(c) < 0x20 or ord(c) == 0x7F else c for c in text)


def run(label, concepts, seed, rate, kinds):
    """Generates, checks and converts one terminology; returns the faults put
    in and the findings."""
    folder = os.path.join(work, label)
    os.makedirs(folder)
    xml = os.path.join(folder, "terms.xml")
    log = os.path.join(folder, "faults.tsv")
    command = [generator, "--concepts", str(concepts), "--seed", str(seed),
               "--faults", str(rate), "--fault-log", log, "--out", xml]
    if kinds:
        command += ["--fault-kinds", ",".join(kinds)]
    subprocess.run(command, check=True)
    faults = [tuple(line.rstrip("\n").split("\t")) for line in open(log, encoding="utf-8")]

    checked = subprocess.run([tool, "check", xml, "--format", "json"],
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    findings = [json.loads(line) for line in checked.stdout.decode("utf-8").splitlines()]
    errors = [f for f in findings if f["severity"] == "error"]
    if checked.returncode != (1 if errors else 0):
        fail(f"{label}: check ended with {checked.returncode} after {len(errors)} errors")

    keys = {(f["kind"], f["subject"], f["name"]) for f in findings}
    missed = [fault for fault in faults if fault not in keys]
    for fault in missed[:5]:
        fail(f"{label}: fault not reported: {fault}")

    converted = subprocess.run([converter, xml], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    messages = converted.stderr.decode("utf-8", "replace").splitlines()
    outputs = glob.glob(xml + "-ByRXK-*.owl")
    owl = open(outputs[0], encoding="utf-8").read() if outputs else None
    refusal = re.match(r"ERROR: cannot write (.+?) '(.*)': (.+)$", messages[-1]) \
        if messages else None
    if converted.returncode == 0:
        if owl is None:
            fail(f"{label}: the conversion succeeded without an output")
    elif converted.returncode != 1 or refusal is None:
        fail(f"{label}: the conversion failed otherwise: {converted.returncode} {messages[-1:]}")
    elif owl is not None:
        fail(f"{label}: a refused conversion left an output")

    empty = owl is not None and ('rdf:about="#"' in owl or 'rdf:resource="#"' in owl)
    if not errors:
        if converted.returncode != 0:
            fail(f"{label}: no error found, yet the conversion failed: {messages[-1]}")
        if empty:
            fail(f"{label}: no error found, yet the output refers to \"#\"")
    if refusal:
        unit, name, reason = refusal.groups()
        if not any(f["subject"] == unit and shown(f["name"]) == name
                   and f["explanation"].startswith(reason) for f in errors):
            fail(f"{label}: the conversion refused {unit} '{name}' ({reason}); "
                 "the check does not say so")
    return faults, missed, converted.returncode, owl


def damaged(owl):
    """Whether the output shows an error the converter let through."""
    if 'rdf:about="#"' in owl or 'rdf:resource="#"' in owl:
        return True
    classes = collections.Counter(re.findall(r'^<owl:Class rdf:about="([^"]*)">$', owl, re.M))
    return any(count > 1 for count in classes.values())


def count(faults, missed, table):
    for fault in faults:
        table[fault[0]][0] += 1
    for fault in missed:
        table[fault[0]][1] += 1


# Every kind at once: how many faults of each kind were found and missed.
together = collections.defaultdict(lambda: [0, 0])
faults, missed, status, _ = run("all", 4000, 11, 0.004, None)
count(faults, missed, together)
print("%-28s %8s %6s %6s" % ("kind", "injected", "found", "missed"))
for kind in sorted(together):
    injected, lost = together[kind]
    print("%-28s %8d %6d %6d" % (kind, injected, injected - lost, lost))
if status != 1:
    fail("all: the converter did not refuse the terminology")

# Each kind alone.
for number, kind in enumerate(CONCEPT_KINDS + DEFINITION_KINDS):
    faults, missed, status, owl = run(kind, 1500, 100 + number, 0.01, [kind])
    if not any(fault[0] == kind for fault in faults):
        fail(f"{kind}: the generator put in no fault")
    if kind in REFUSED and status != 1:
        fail(f"{kind}: the converter did not refuse the terminology")
    if kind not in REFUSED and kind not in WARNINGS and (status != 0 or not damaged(owl)):
        fail(f"{kind}: the error does not show in the conversion's output")

# The warnings together: the check ends with 0, the conversion is sound.
run("warnings", 2000, 5, 0.01, sorted(WARNINGS))

print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
