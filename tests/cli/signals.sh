#!/usr/bin/env bash
# An interrupted run leaves nothing behind: a real SIGINT, SIGTERM or SIGHUP
# sent to the real program while it reads its input or writes its output
# ends it with status 128 + the signal's number, removes its temporary file
# and leaves the earlier output as it was; the console lines printed before
# the signal are all there. A signal ignored at the start (nohup) stays
# ignored. The temporary of a run killed by SIGKILL stays; the next run of
# either program that writes the same file names it and leaves it.
# usage: signals.sh BUILD_DIR TEST_DATA_DIR
set -u
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$build" "$work" <<'EOF'
import os, signal, subprocess, sys, time

build, work = sys.argv[1], sys.argv[2]
failures = []

# A terminology that takes a while to read and to write. Its second concept
# repeats the name of the first, which the reader reports on standard
# output right away.
def terminology(path, concepts):
    with open(path, "w") as f:
        f.write("<terminology>\n<namespaceDef><name>Ns</name><code>N1</code><id>1</id></namespaceDef>\n"
                "<kindDef reference=\"false\"><name>Kind</name><code>K1</code><id>2</id></kindDef>\n"
                "<propertyDef><name>RXK</name><code>P1</code><id>3</id></propertyDef>\n"
                "<propertyDef><name>Note</name><code>P2</code><id>4</id></propertyDef>\n")
        note = "<property><name>Note</name><value>" + "words of a long note " * 20 + "</value></property>"
        f.write("<conceptDef><name>Concept 0</name><code>C0b</code></conceptDef>\n")
        for i in range(concepts):
            f.write("<conceptDef><name>Concept %d</name><code>C%d</code><id>%d</id>"
                    "<namespace>Ns</namespace><kind>Kind</kind>"
                    "<definingConcepts><concept>Concept %d</concept></definingConcepts>"
                    "<property><name>RXK</name><value>X%d</value></property>%s%s</conceptDef>\n"
                    % (i, i, i, i // 2, i, note, note))
        f.write("</terminology>\n")

def temporaries(directory):
    return [n for n in os.listdir(directory) if ".tmp." in n]

def writing(process, directory):
    return bool(temporaries(directory))

def reading(process, directory):
    """Whether the process is past the first 16 MB of big.xml, and so past
    the first batches of the reader (it runs at most a few batches ahead)."""
    try:
        for fd in os.listdir("/proc/%d/fd" % process.pid):
            if os.readlink("/proc/%d/fd/%s" % (process.pid, fd)).endswith("/big.xml"):
                with open("/proc/%d/fdinfo/%s" % (process.pid, fd)) as f:
                    return int(f.readline().split()[1]) > 16 << 20
    except OSError:
        pass
    return False

def interrupted(args, directory, target, sig, ready):
    """Runs the program, sends sig once it is ready; returns the exit status
    and standard output, or None when the run got past that point (or
    ended) before the signal could be sent."""
    with open(target, "w") as f:
        f.write("earlier output")
    with open(os.path.join(work, "stdout"), "w+") as out:
        process = subprocess.Popen(args, cwd=directory, stdout=out, stderr=subprocess.DEVNULL)
        while process.poll() is None:
            if ready(process, directory):
                if ready is reading and temporaries(directory):
                    process.kill()
                    process.wait()
                    return None
                process.send_signal(sig)
                status = process.wait()
                out.seek(0)
                return status, out.read()
    return None

def check(name, args, directory, target, sig, lines, ready=writing):
    for attempt in range(3):
        ended = interrupted(args, directory, target, sig, ready)
        if ended is not None:
            break
    else:
        failures.append("%s: the run always ended before the signal" % name)
        return
    status, out = ended
    if out != lines:
        failures.append("%s: standard output %r, not %r" % (name, out, lines))
    if status != 128 + sig:
        failures.append("%s: status %s, not %d" % (name, status, 128 + sig))
    if temporaries(directory):
        failures.append("%s: temporary left: %s" % (name, temporaries(directory)))
    with open(target) as f:
        if f.read() != "earlier output":
            failures.append("%s: the earlier output changed" % name)

terminology(os.path.join(work, "big.xml"), 60000)
stamp = time.strftime("%y%m%d")
owl = os.path.join(work, "big.xml-ByRXK-%s.owl" % stamp)
converter = [os.path.join(build, "queltToOWL2"), "big.xml"]
repeated = "ERROR::addConcept:DupConceptName\tConcept 0\n"
check("converter SIGINT", converter, work, owl, signal.SIGINT, repeated)
check("converter SIGTERM", converter, work, owl, signal.SIGTERM, repeated)
check("converter SIGTERM while reading", converter, work, owl, signal.SIGTERM, repeated, reading)
copy = os.path.join(work, "copy.xml")
check("queltKbTool SIGHUP", [os.path.join(build, "queltKbTool"), "roundtrip", "big.xml", "copy.xml"],
      work, copy, signal.SIGHUP, "")

# Under nohup the hang-up stays ignored and the run completes.
with open(owl, "w") as f:
    f.write("earlier output")
process = subprocess.Popen(converter, cwd=work, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL,
                           preexec_fn=lambda: signal.signal(signal.SIGHUP, signal.SIG_IGN))
while process.poll() is None and not temporaries(work):
    pass
process.send_signal(signal.SIGHUP)
if process.wait() != 0:
    failures.append("ignored SIGHUP: status %d, not 0" % process.returncode)
with open(owl) as f:
    if f.read(100) == "earlier output":
        failures.append("ignored SIGHUP: the output was not written")

# SIGKILL cannot be caught, so its temporary stays; the next run that
# writes the same file names it on standard error and leaves it there.
kbtool = os.path.join(build, "queltKbTool")
terminology(os.path.join(work, "small.xml"), 3)
process = subprocess.Popen([kbtool, "roundtrip", "big.xml", "killed.xml"], cwd=work,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
while process.poll() is None and not temporaries(work):
    pass
process.kill()
process.wait()
left = temporaries(work)
if len(left) != 1:
    failures.append("SIGKILL: temporaries %s, not one" % left)
else:
    time.sleep(1.1)
    run = subprocess.run([kbtool, "roundtrip", "small.xml", "killed.xml"], cwd=work,
                         capture_output=True, text=True)
    warning = ("WARNING: '%s' was left by an earlier run that did not finish; remove it unless "
               "another run is still writing it\n" % left[0])
    if run.returncode != 0 or not run.stderr.endswith(warning):
        failures.append("after SIGKILL: status %d, standard error %r" % (run.returncode, run.stderr))
    if temporaries(work) != left:
        failures.append("after SIGKILL: temporaries %s, not %s" % (temporaries(work), left))
    # The converter too, for a leftover of its own output.
    planted = "small.xml-ByRXK-%s.owl.tmp.AbC123" % stamp
    with open(os.path.join(work, planted), "w") as f:
        f.write("partial")
    os.utime(os.path.join(work, planted), (946684800, 946684800))
    run = subprocess.run([converter[0], "small.xml"], cwd=work, capture_output=True, text=True)
    if run.returncode != 0 or warning.replace(left[0], planted) not in run.stderr:
        failures.append("converter leftover: status %d, standard error %r" % (run.returncode, run.stderr))

for failure in failures:
    print("FAIL:", failure)
print("%d failed" % len(failures))
sys.exit(1 if failures else 0)
EOF
