#!/usr/bin/env python3
"""Reads an Ontylog XML input and the OWL file converted from it with Python's
own XML parser and checks that every text of the input reads back exactly
from the output: labels, codes, property values, association targets,
qualifiers in axioms, definition names and pick lists, the header values.
A text that already is one complete CDATA section is written as it is and
so reads back as the section's inside.

usage: readback.py INPUT.xml OUTPUT.owl NAMESPACE VERSION
Prints one line per mismatch and exits 1 when there is any."""
import collections
import sys
import xml.etree.ElementTree as ET

OWL = "{http://www.w3.org/2002/07/owl#}"
RDF = "{http://www.w3.org/1999/02/22-rdf-syntax-ns#}"
RDFS = "{http://www.w3.org/2000/01/rdf-schema#}"

inp, out, ns, version = sys.argv[1:5]
D = "{" + ns + "}"
problems = []


def check(what, got, want):
    if got != want:
        problems.append("%s: got %r, want %r" % (what, got, want))


def text(element, tag):
    child = element.find(tag)
    return None if child is None else (child.text or "")


def content(value):
    """What element content written from the value reads back as."""
    if value is not None and value.startswith("<![CDATA[") and len(value) >= 12 \
            and value.find("]]>") == len(value) - 3 and "\r" not in value:
        return value[9:-3]
    return value


src = ET.parse(inp).getroot()
dst = ET.parse(out).getroot()

check("xml:base", dst.get("{http://www.w3.org/XML/1998/namespace}base"), ns)
check("versionInfo", dst.find(OWL + "Ontology/" + OWL + "versionInfo").text or "", version)

# Definitions.
role_codes = {}
for role in src.iter("roleDef"):
    role_codes[text(role, "name")] = text(role, "code")
obj_props = {p.get(RDF + "ID"): p for p in dst.findall(OWL + "ObjectProperty")}
for name, code in role_codes.items():
    p = obj_props.get(code)
    if p is None:
        problems.append("no object property for role %r" % name)
        continue
    check("role label", text(p, RDFS + "label"), content(name))
    check("role code", text(p, D + "code"), content(code))
ann_props = {p.get(RDF + "ID"): p for p in dst.findall(OWL + "AnnotationProperty")}
for kind in ("propertyDef", "qualifierDef"):
    for d in src.iter(kind):
        name = text(d, "name")
        p = ann_props.get(name)
        if p is None:
            problems.append("no annotation property for %r" % name)
            continue
        check("definition label", text(p, RDFS + "label"), content(name))
        check("definition code", text(p, D + "code"), content(text(d, "code")))
        items = [content(i.text or "") for i in d.iter("pickListItem")]
        got = [f.text or "" for f in p.iter(RDF + "first")]
        check("pick list of %r" % name, got, items)

# Concepts.
classes = {}
for c in dst.findall(OWL + "Class"):
    if c.find(RDFS + "label") is not None:
        classes[c.get(RDF + "about")] = c
concepts = list(src.iter("conceptDef")) + list(src.iter("conceptInf"))
rxk_of = {}
for c in concepts:
    for p in c.iter("property"):
        if text(p, "name") == "RXK":
            rxk_of[text(c, "name")] = text(p, "value")
axioms = collections.Counter()
for a in dst.findall(OWL + "Axiom"):
    quals = tuple((q.tag, q.text or "") for q in a if q.tag.startswith(D))
    axioms[(a.find(OWL + "annotatedSource").get(RDF + "resource"),
            a.find(OWL + "annotatedProperty").get(RDF + "resource"),
            text(a, OWL + "annotatedTarget"), quals)] += 1
want_axioms = collections.Counter()
for c in concepts:
    name = text(c, "name")
    about = "#" + rxk_of.get(name, "")
    cls = classes.get(about)
    if cls is None:
        problems.append("no class for concept %r" % name)
        continue
    props = [(text(p, "name"), text(p, "value"), p) for p in c.iter("property")]
    pref = [v for n, v, _ in props if n == "Preferred_Name"]
    check("label of %r" % name, text(cls, RDFS + "label"), content(pref[0] if pref else name))
    check("code of %r" % name, text(cls, D + "code"), content(text(c, "code")))
    got = collections.Counter((e.tag, e.text or "") for e in cls if e.tag.startswith(D) and e.tag != D + "code" and len(e.attrib) == 0)
    want = collections.Counter((D + n, content(v)) for n, v, _ in props)
    check("properties of %r" % name, got, want)
    for n, v, p in props:
        quals = tuple((D + text(q, "name"), content(text(q, "value"))) for q in p.iter("qualifier"))
        if quals:
            want_axioms[(about, "#" + n, content(v), quals)] += 1
    for a in c.iter("association"):
        target = rxk_of.get(text(a, "value"), "")
        refs = [e.get(RDF + "resource") for e in cls if e.tag == D + text(a, "name")]
        if "#" + target not in refs:
            problems.append("association %r of %r not found" % (text(a, "name"), name))
        quals = tuple((D + text(q, "name"), content(text(q, "value"))) for q in a.iter("qualifier"))
        if quals:
            want_axioms[(about, "#" + text(a, "name"), content(ns + target), quals)] += 1
check("axioms", axioms, want_axioms)

for p in problems:
    print(p)
sys.exit(1 if problems else 0)
