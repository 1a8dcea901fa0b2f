#!/usr/bin/env python3
"""Mutation check: how many plausible faults the test suite catches.

Each fault of the list (tools/mutations.txt) is a text substitution in one
source file. The tracked files are copied to a scratch directory and built
there once (a normal build, no sanitizers); then, one fault at a time, the
substitution is applied, the build brought up to date, the tests run (all
but the source checks "format", "layers" and "size", so that a change of layout
never counts) and the file restored. Each fault ends as

  killed           a test failed (or ran out of time)
  survived         every test passed
  does not build   the build failed: the fault needs rewording
  not applied      its text is not in the file exactly once

Run by hand, like the benchmarks; it takes about a minute per fault.

usage: tools/mutation_check.py [--scratch DIR] [--list FILE] [--only N,M-K]
                               [--revision COMMIT] [--jobs N] [--timeout SECONDS]
                               [--first-failure]
"""
import argparse
import os
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE_CHECKS = "^(format|layers|size)$"


class Fault:
    def __init__(self, number, path, what, old, new):
        self.number, self.path, self.what, self.old, self.new = number, path, what, old, new


def read_faults(list_file):
    """Parses the list: a fault is a line "@ FILE | WHAT", the old text (its
    lines exactly as in the file), a line "=>", then the new text up to the
    next fault; blank lines that end the new text are not part of it.
    Everything before the first fault is commentary."""
    faults = []
    current = None
    with open(list_file, encoding="utf-8") as f:
        for raw in f.read().split("\n"):
            if raw.startswith("@ "):
                if current:
                    faults.append(current)
                path, _, what = raw[2:].partition(" | ")
                current = {"path": path.strip(), "what": what.strip(), "old": [], "new": None}
            elif current is None:
                continue
            elif raw == "=>" and current["new"] is None:
                current["new"] = []
            elif current["new"] is None:
                current["old"].append(raw)
            else:
                current["new"].append(raw)
    if current:
        faults.append(current)
    result = []
    for n, fault in enumerate(faults, 1):
        if fault["new"] is None:
            sys.exit("fault %d (%s): no \"=>\" line" % (n, fault["what"]))
        new = fault["new"]
        while new and new[-1].strip() == "":
            new.pop()
        result.append(Fault(n, fault["path"], fault["what"], "\n".join(fault["old"]), "\n".join(new)))
    return result


def selected(only, count):
    """The fault numbers that --only names ("1,4-9"), or all of them."""
    if not only:
        return set(range(1, count + 1))
    numbers = set()
    for part in only.split(","):
        first, _, last = part.partition("-")
        numbers.update(range(int(first), int(last or first) + 1))
    return numbers


def run(command, cwd, log, timeout=None):
    """Runs the command with its output appended to the log; returns the
    exit status, or None when it ran out of time."""
    with open(log, "a") as out:
        out.write("\n$ %s\n" % " ".join(command))
        out.flush()
        try:
            return subprocess.run(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                                  timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            return None


def tracked_files(revision):
    """Name and content of each tracked file: as committed in the revision,
    or as it stands in the working tree."""
    if revision:
        names = subprocess.run(["git", "ls-tree", "-r", "-z", "--name-only", revision], cwd=ROOT,
                               check=True, stdout=subprocess.PIPE).stdout.decode().split("\0")
        for name in filter(None, names):
            yield name, subprocess.run(["git", "show", "%s:%s" % (revision, name)], cwd=ROOT,
                                       check=True, stdout=subprocess.PIPE).stdout
        return
    names = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, check=True,
                           stdout=subprocess.PIPE).stdout.decode().split("\0")
    for name in filter(None, names):
        if os.path.isfile(os.path.join(ROOT, name)):
            with open(os.path.join(ROOT, name), "rb") as f:
                yield name, f.read()


def copy_tracked_files(destination, revision):
    """Makes destination hold the tracked files. Only files that differ are
    written, so that a build there from an earlier run is brought up to
    date, not redone."""
    tracked = set()
    for name, content in tracked_files(revision):
        tracked.add(os.path.normpath(name))
        target = os.path.join(destination, name)
        if os.path.isfile(target):
            with open(target, "rb") as f:
                if f.read() == content:
                    continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(content)
    for directory, _, files in os.walk(destination):
        for name in files:
            path = os.path.join(directory, name)
            if os.path.relpath(path, destination) not in tracked:
                os.remove(path)


def failed_log(build):
    return os.path.join(build, "Testing", "Temporary", "LastTestsFailed.log")


def failed_tests(build):
    path = failed_log(build)
    if not os.path.exists(path):
        return []
    with open(path) as f:
        return [line.strip().split(":", 1)[-1] for line in f if line.strip()]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--scratch", help="scratch directory (default: a new temporary one)")
    parser.add_argument("--list", default=os.path.join(ROOT, "tools", "mutations.txt"))
    parser.add_argument("--only", help="fault numbers to try, e.g. 1,4-9")
    parser.add_argument("--revision", help="test the sources of this commit instead of the "
                        "working tree (the list is always the working tree's)")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=int, default=600, help="limit of one test run")
    parser.add_argument("--first-failure", action="store_true",
                        help="stop the tests at the first failure (faster; names one killer)")
    options = parser.parse_args()

    faults = read_faults(options.list)
    wanted = selected(options.only, len(faults))
    scratch = options.scratch or tempfile.mkdtemp(prefix="quelt-mutants-")
    source = os.path.join(scratch, "src")
    build = os.path.join(scratch, "build")
    log = os.path.join(scratch, "log.txt")
    os.makedirs(source, exist_ok=True)
    copy_tracked_files(source, options.revision)
    print("scratch %s (build log: %s)" % (scratch, log), flush=True)

    if run(["cmake", "-S", source, "-B", build], scratch, log) != 0 \
            or run(["cmake", "--build", build, "-j%d" % options.jobs], scratch, log) != 0:
        sys.exit("the unchanged sources do not build; see " + log)
    ctest = ["ctest", "--test-dir", build, "-E", SOURCE_CHECKS, "--timeout", str(options.timeout)]
    if options.first_failure:
        ctest.append("--stop-on-failure")
    if run(ctest, scratch, log) != 0:
        sys.exit("the tests fail on the unchanged sources; see " + log)

    totals = {"killed": 0, "survived": 0, "does not build": 0, "not applied": 0}
    started = time.time()
    for fault in faults:
        if fault.number not in wanted:
            continue
        path = os.path.join(source, fault.path)
        original = open(path, encoding="utf-8").read() if os.path.exists(path) else ""
        found = original.count(fault.old) if fault.old else 0
        detail = ""
        if found != 1:
            verdict = "not applied"
            detail = "text found %d times" % found
        else:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original.replace(fault.old, fault.new))
            try:
                if run(["cmake", "--build", build, "-j%d" % options.jobs], scratch, log) != 0:
                    verdict = "does not build"
                else:
                    if os.path.exists(failed_log(build)):
                        os.remove(failed_log(build))
                    status = run(ctest, scratch, log, timeout=options.timeout * 4)
                    if status == 0:
                        verdict = "survived"
                    else:
                        verdict = "killed"
                        detail = "by " + (", ".join(failed_tests(build)) or "a time-out")
            finally:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(original)
        totals[verdict] += 1
        print("%3d  %-14s %-32s %s%s" % (fault.number, verdict, fault.path, fault.what,
                                          "  [" + detail + "]" if detail else ""), flush=True)

    applied = totals["killed"] + totals["survived"] + totals["does not build"]
    print("\nkilled %d of %d applied; survived %d, does not build %d, not applied %d (%.0f min)"
          % (totals["killed"], applied, totals["survived"], totals["does not build"],
             totals["not applied"], (time.time() - started) / 60))
    # Bring the build back to the unchanged sources for a later run.
    run(["cmake", "--build", build, "-j%d" % options.jobs], scratch, log)
    return 0


if __name__ == "__main__":
    sys.exit(main())
