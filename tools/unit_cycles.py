#!/usr/bin/env python3
"""Largest circle of units in src/: a unit is a header with its source; a unit depends on another
when it includes that one's header or calls a function defined in its object file (nm).
A source without a header of its own joins the unit of the class whose members it defines.
usage: unit_cycles.py SRC_DIR BUILD_DIR [--verbose]"""
import os, re, subprocess, sys
from collections import defaultdict

src, build = sys.argv[1], sys.argv[2]
verbose = '--verbose' in sys.argv
files = []
for root, _, names in os.walk(src):
    for n in names:
        if n.endswith(('.cpp', '.h')):
            files.append(os.path.relpath(os.path.join(root, n), src))
stem = lambda f: os.path.splitext(f)[0]
headers = {f for f in files if f.endswith('.h')}
class_home = {}
for h in headers:
    for m in re.finditer(r'^(?:class|struct)\s+(\w+)[^;]*$', open(os.path.join(src, h)).read(), re.M):
        class_home.setdefault(m.group(1), stem(h))
unit_of = {}
for f in files:
    s = stem(f)
    if f.endswith('.h') or s + '.h' in headers:
        unit_of[f] = s
        continue
    text = open(os.path.join(src, f)).read()
    owners = defaultdict(int)
    for m in re.finditer(r'^[\w:<>,&\*\s]*?\b(\w+)::~?\w+\(', text, re.M):
        if m.group(1) in class_home:
            owners[class_home[m.group(1)]] += 1
    unit_of[f] = max(owners, key=owners.get) if owners else s
deps = defaultdict(set)
for f in files:
    for m in re.finditer(r'^#include\s+"([^"]+)"', open(os.path.join(src, f)).read(), re.M):
        inc = m.group(1)
        if inc in unit_of:
            deps[unit_of[f]].add(unit_of[inc])
# calls, from the object files
objects = {}
for root, _, names in os.walk(build):
    for n in names:
        if n.endswith('.cpp.o') and '/src/' in os.path.join(root, n):
            rel = os.path.join(root, n).split('/src/', 1)[1][:-2]
            objects[rel] = os.path.join(root, n)
defined, undefined = defaultdict(set), {}
for f, obj in objects.items():
    if f not in unit_of:
        continue
    out = subprocess.run(['nm', obj], capture_output=True, text=True).stdout
    und = set()
    for line in out.splitlines():
        parts = line.split()
        if len(parts) == 2 and parts[0] == 'U':
            und.add(parts[1])
        elif len(parts) == 3 and parts[1] in 'TtWV' and not parts[2].startswith(('_ZTV', '_ZTI', '_ZTS')):
            # weak symbols are inline functions in headers: those count through the include
            if parts[1] in 'Tt':
                defined[parts[2]].add(unit_of[f])
    undefined[f] = und
for f, und in undefined.items():
    for sym in und:
        for u in defined.get(sym, ()):
            deps[unit_of[f]].add(u)
units = sorted(set(unit_of.values()))
for u in units:
    deps[u].discard(u)
# Tarjan
index, low, stack, on, sccs, counter = {}, {}, [], set(), [], [0]
sys.setrecursionlimit(10000)
def visit(v):
    index[v] = low[v] = counter[0]; counter[0] += 1; stack.append(v); on.add(v)
    for w in deps[v]:
        if w not in index:
            visit(w); low[v] = min(low[v], low[w])
        elif w in on:
            low[v] = min(low[v], index[w])
    if low[v] == index[v]:
        comp = []
        while True:
            w = stack.pop(); on.discard(w); comp.append(w)
            if w == v: break
        sccs.append(comp)
for u in units:
    if u not in index:
        visit(u)
sccs.sort(key=len, reverse=True)
print(f'units: {len(units)}, objects read: {len(objects)}, largest circle: {len(sccs[0])}')
for c in sccs:
    if len(c) > 1:
        print(f'  circle of {len(c)}: ' + ' '.join(sorted(c)))
if verbose:
    for u in units:
        print(u, '->', ' '.join(sorted(deps[u])))
