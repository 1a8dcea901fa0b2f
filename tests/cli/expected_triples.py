#!/usr/bin/env python3
"""Counts, from an Ontylog XML input alone, how many RDF triples the OWL file
converted from it must parse into (as a streaming RDF/XML parser reports
them, repeated triples included). An independent model of the mapping:
definitions become properties, each concept a class whose definition is a
set of restrictions, role groups nested intersections, qualified
statements annotation axioms.

usage: expected_triples.py INPUT.xml"""
import sys
import xml.etree.ElementTree as ET


def text(element, tag):
    child = element.find(tag)
    return None if child is None else (child.text or "")


src = ET.parse(sys.argv[1]).getroot()
n = 4  # the ontology: type, imports, comment, versionInfo

for role in src.iter("roleDef"):
    n += 3 + (1 if text(role, "parentRole") else 2)  # type, code, label; parent or domain+range
for kind in ("propertyDef", "qualifierDef"):
    for d in src.iter(kind):
        items = len(list(d.iter("pickListItem")))
        # type, code, label, range; a datatype type or a data range of a list
        n += 4 + (1 if items == 0 else 2 + 3 * items)
for d in src.iter("associationDef"):
    n += 3

concepts = [c for c in src if c.tag in ("conceptDef", "conceptInf")]
roots = [c for c in concepts if not list(c.iter("concept"))]
n += len(roots) * len(roots)  # each root: type + a disjointness line for every other root

restriction = 3  # type, onProperty, values
for c in concepts:
    n += 3  # type, label, code
    parents = len(set(p.text or "" for p in c.iter("concept")))
    ungrouped = [r for r in c if r.tag == "role"]
    ungrouped += [r for w in c.findall("definingRoles") for r in w if r.tag == "role"]
    groups = [len(g.findall("role")) for w in [c] + c.findall("definingRoles") for g in w.findall("roleGroup")]
    groups = [k for k in groups if k > 0]
    u = len(ungrouped)
    if c.find("primitive") is not None:
        n += parents + u * (1 + restriction)
        if groups:
            n += 2  # subClassOf, class
            if len(groups) > 1:
                n += 1 + sum(2 + 2 + 5 * k for k in groups)  # union; per group: list, class type, intersection
            else:
                n += 1 + 5 * groups[0]
    else:
        n += 3  # equivalentClass, class type, intersectionOf
        n += parents * 3 + u * 5
        if len(groups) > 1:
            n += 2 + 2 + sum(2 + 2 + 5 * k for k in groups)
        elif groups:
            n += 2 + 2 + 5 * groups[0]
    for p in c.iter("property"):
        n += 1
        q = len(list(p.iter("qualifier")))
        if q:
            n += 4 + q
    for a in c.iter("association"):
        n += 1
        q = len(list(a.iter("qualifier")))
        if q:
            n += 4 + q
print(n)
