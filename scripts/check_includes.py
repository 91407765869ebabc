#!/usr/bin/env python3
"""Checks that every include in src/ points one way, down.

A module is a .cpp with its .hpp (the same path without the extension); a
folder of src/ is a subsystem. A module depends on another when one of its
files includes the other's header, and a folder on another when one of its
files includes a header of the other. The check fails when modules depend on
each other, directly or through others, and when folders do: each such cycle
is printed with the includes that close it.

Usage: scripts/check_includes.py [SRC]   (SRC defaults to the src/ beside
this script's folder). Exit status 0 when there is no cycle, 1 otherwise.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
SOURCE = (".cpp", ".hpp", ".h", ".cc")


def includes(src):
    """(including file, included file), both relative to src, for every quoted
    include that names a file of src."""
    edges = []
    for folder, _, names in os.walk(src):
        for name in sorted(names):
            if not name.endswith(SOURCE):
                continue
            path = os.path.join(folder, name)
            text = open(path, encoding="utf-8", errors="replace").read()
            for target in INCLUDE.findall(text):
                # Quoted includes are looked up beside the file first, then
                # from the root of src.
                for base in (folder, src):
                    found = os.path.normpath(os.path.join(base, target))
                    if os.path.isfile(found):
                        edges.append((os.path.relpath(path, src), os.path.relpath(found, src)))
                        break
    return edges


def cycles(graph):
    """The strongly connected components of more than one node (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for succ in sorted(graph.get(node, ())):
            if succ not in index:
                visit(succ)
                low[node] = min(low[node], low[succ])
            elif succ in on_stack:
                low[node] = min(low[node], index[succ])
        if low[node] == index[node]:
            part = []
            while True:
                top = stack.pop()
                on_stack.discard(top)
                part.append(top)
                if top == node:
                    break
            if len(part) > 1:
                found.append(sorted(part))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def check(edges, unit, what):
    """Prints the cycles among the units (modules or folders) of the files."""
    graph, why = {}, {}
    for source, target in edges:
        a, b = unit(source), unit(target)
        if a != b:
            graph.setdefault(a, set()).add(b)
            why.setdefault((a, b), []).append("%s includes %s" % (source, target))
    bad = cycles(graph)
    for part in bad:
        print("%s that include each other: %s" % (what, ", ".join(part)))
        for a in part:
            for b in part:
                for line in why.get((a, b), []):
                    print("  " + line)
    return not bad


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    edges = includes(src)
    if not edges:
        sys.exit("check_includes: no includes found under %s" % src)
    modules = check(edges, lambda f: os.path.splitext(f)[0], "modules")
    folders = check(edges, os.path.dirname, "folders")
    if not (modules and folders):
        sys.exit(1)
    print("%d includes under %s: no module and no folder includes one that includes it" % (len(edges), src))


if __name__ == "__main__":
    main()
