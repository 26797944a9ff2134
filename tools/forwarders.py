#!/usr/bin/env python3
"""Counts functions in src/ whose whole body is one call to another function (a forwarder):
named function definitions (free functions, members defined out of line or in the class) whose
body is a single statement `[return] callee(args);` whose arguments add nothing of their own (no
literal, no arithmetic). Not counted: constructors and destructors, const accessors that return
a member's value, and functions that override a base's (Qt events, D-Bus and MPRIS interfaces),
whose signature is imposed; those are listed apart.
usage: forwarders.py SRC_DIR [--list]"""
import os, re, sys

src = sys.argv[1]
listing = '--list' in sys.argv
# A definition: name(...) [const] [override] [noexcept] { one statement }
definition = re.compile(
    r'(?P<head>^[ \t]*(?:[\w:<>,~&\*]+[ \t]+)*(?P<name>[\w:~]+)\s*\((?P<params>[^;{}()]*(?:\([^()]*\)[^;{}()]*)*)\)'
    r'\s*(?P<quals>(?:const|override|noexcept|final|\s)*)'
    r'(?::[^{;]*)?)\{(?P<body>[^{}]*)\}', re.M)
call = re.compile(r'^\s*(?:return\s+)?(?:\(void\)\s*)?[\w:.\->\*&\[\]<>]+\s*\((?:[^;]*)\)\s*;\s*$', re.S)
keywords = {'if', 'for', 'while', 'switch', 'catch', 'return', 'sizeof', 'emit'}
plain, imposed = [], []
overrides = set()
for root, _, names in os.walk(src):
    for n in names:
        if n.endswith('.h'):
            for m in re.finditer(r'(\w+)\s*\([^;{}]*\)[^;{}]*\boverride\b', open(os.path.join(root, n)).read()):
                overrides.add(m.group(1))
for root, _, names in os.walk(src):
    for n in names:
        if not n.endswith(('.cpp', '.h')):
            continue
        path = os.path.join(root, n)
        text = open(path).read()
        for m in definition.finditer(text):
            name = m.group('name').split('::')[-1]
            if name in keywords or m.group('head').lstrip().startswith(('else', 'return', '}')):
                continue
            if ':' in m.group('head').split(')')[-1] and '::' not in m.group('head').split(')')[-1]:
                continue  # constructor with initialisers
            body = m.group('body').strip()
            if not body or body.count(';') != 1 or not call.match(body):
                continue
            if re.match(r'^\s*(?:return\s+)?emit\b', body) or re.match(r'^\s*return\s+[\w.]+\s*;', body):
                continue
            full = m.group('name')
            parts = full.split('::')
            if len(parts) >= 2 and parts[-1].lstrip('~') == parts[-2]:
                continue  # constructor or destructor
            inner = body[body.index('(') + 1:body.rindex(')')]
            if re.search(r'"|\b\d|[+\-*/%]\s|\?', inner.replace('->', '.')):
                continue  # the call's arguments add something of their own
            if 'const' in m.group('quals') and body.startswith('return') and not re.search(r'\(\s*\w', body[body.index('('):]) :
                continue  # a const accessor
            line = text.count('\n', 0, m.start('name')) + 1
            where = f'{os.path.relpath(path, src)}:{line} {m.group("name")}'
            (imposed if 'override' in m.group('quals') or name in overrides or 'Adaptor' in n else plain).append(where)
print(f'one-call forwarders: {len(plain)} (plus {len(imposed)} overrides, whose signature is imposed)')
if listing:
    for w in sorted(plain):
        print('  ' + w)
    for w in sorted(imposed):
        print('  override ' + w)
