#!/usr/bin/env python3
"""The floors of the house: which folder of the program may include which.

Every folder of the program is a room; a room includes only rooms below it,
so the rooms stand on each other with no include running back up. app/ is
the top room, which ties the Parts together: nothing includes it but its own
files (and the tests and benchmarks, which stand outside the house). No two
files include each other, a source and its header counting as one.

    floors.py [--draw] [ROOT]

Exits 1 and names every include that breaks a rule; with --draw it prints
the floors from the top down.
"""
import os
import re
import sys
from collections import defaultdict

OUTSIDE = {"tests", "bench", "tools", "build", "docs", "help", "installer", "cmake"}
TOP = "app"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def sources(root):
    for folder, dirs, files in os.walk(root):
        rel = os.path.relpath(folder, root)
        if rel == ".":
            dirs[:] = [d for d in dirs if not d.startswith(".") and d not in OUTSIDE]
            continue
        for name in files:
            if name.endswith((".h", ".cpp", ".rc")):
                yield os.path.join(rel, name).replace(os.sep, "/")


def includes(root, path):
    with open(os.path.join(root, path), encoding="latin-1") as f:
        text = f.read()
    here = os.path.dirname(path)
    for name in INCLUDE.findall(text):
        # Resource scripts name their neighbours by bare name.
        if "/" not in name and os.path.exists(os.path.join(root, here, name)):
            name = f"{here}/{name}" if here else name
        if os.path.exists(os.path.join(root, name)):
            yield name


def room(path):
    return path.split("/", 1)[0]


def unit(path):
    return os.path.splitext(path)[0]


def main(argv):
    draw = "--draw" in argv
    args = [a for a in argv if a != "--draw"]
    root = args[0] if args else os.path.join(os.path.dirname(__file__), "..")
    edges = {}
    for path in sources(root):
        edges[path] = set(includes(root, path))

    faults = []
    units = defaultdict(set)
    for path, targets in sorted(edges.items()):
        for target in sorted(targets):
            if room(target) == TOP and room(path) != TOP:
                faults.append(f"{path} includes {target}: nothing outside {TOP}/ includes it")
            if unit(target) != unit(path):
                units[unit(path)].add(unit(target))
    for u, targets in sorted(units.items()):
        for t in sorted(targets):
            if u < t and u in units.get(t, ()):
                faults.append(f"{u} and {t} include each other")

    rooms = defaultdict(set)
    for path, targets in edges.items():
        for target in targets:
            if room(target) != room(path):
                rooms[room(path)].add(room(target))
    every = set(room(p) for p in edges)

    # Each room's floor: one above the highest room it includes. A room that
    # cannot be given one stands in a ring of includes.
    floor = {}
    while True:
        placed = {r: 1 + max((floor[t] for t in rooms[r]), default=-1)
                  for r in every - floor.keys() if rooms[r] <= floor.keys()}
        if not placed:
            break
        floor.update(placed)
    for r in sorted(every - floor.keys()):
        ring = sorted(t for t in rooms[r] if t not in floor)
        for path, targets in sorted(edges.items()):
            if room(path) == r:
                for target in sorted(targets):
                    if room(target) in ring:
                        faults.append(f"{path} includes {target}: {r}/ and {room(target)}/ "
                                      "stand in a ring of includes")
    if floor.get(TOP) is not None and floor[TOP] != max(floor.values()):
        faults.append(f"{TOP}/ is not the top floor")

    if draw:
        for level in sorted(set(floor.values()), reverse=True):
            print(f"{level}: " + "  ".join(sorted(r for r in floor if floor[r] == level)))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
