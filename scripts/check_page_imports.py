#!/usr/bin/env python3
"""Checks that the page's imports follow its parts.

The page's modules live in folders of web/: program/ (running the program)
and chemistry/ (plain data in and out) import neither views/ nor i18n/;
nothing imports batch/; no folder depends on another in a cycle, and no
module on another; and every name a module exports is imported somewhere,
by a module of the page, a build tool of web/tools or a test of tests/web.
Each fault is printed with the import that makes it.

Usage: scripts/check_page_imports.py [ROOT]   (ROOT defaults to the project
folder above this script's). Exit status 0 when all is well, 1 otherwise.
"""
import os
import re
import sys

IMPORT = re.compile(r"\bimport\s*(?:\(\s*|([\w\s{},*$]*?)\s*from\s*)['\"](\.{1,2}/[^'\"]+)['\"]")
EXPORT = re.compile(r"^export\s+(?:async\s+)?(?:function\*?|class|const|let)\s+([\w$]+)", re.M)
NAMED = re.compile(r"\{([^}]*)\}")
# What a folder's modules may not import.
FORBIDDEN = {"program": {"views", "i18n", "batch"}, "chemistry": {"views", "i18n", "batch"},
             "i18n": {"views", "batch"}, "views": {"batch"}, ".": {"batch"}}


def modules(root, folder):
    for base, dirs, names in os.walk(os.path.join(root, folder)):
        dirs[:] = [d for d in dirs if d not in ("vendor", "node_modules", "tools")]
        for name in sorted(names):
            if name.endswith((".js", ".mjs")):
                yield os.path.relpath(os.path.join(base, name), root)


def imports(root, path):
    """(target relative to root, the names imported or None for all) of each
    relative import in the file at path."""
    text = open(os.path.join(root, path), encoding="utf-8").read()
    for clause, target in IMPORT.findall(text):
        resolved = os.path.normpath(os.path.join(os.path.dirname(path), target))
        named = NAMED.search(clause or "")
        if named and "* as" not in clause:
            names = {part.split(" as ")[0].strip() for part in named.group(1).split(",") if part.strip()}
        else:
            names = None
        yield resolved, names


def part(path):
    """The folder of web/ a module belongs to ('.' for web/ itself)."""
    inner = os.path.relpath(path, "web")
    return inner.split(os.sep)[0] if os.sep in inner else "."


def cycle(edges):
    """A list of nodes closing a cycle in the graph {node: {node: why}}, or None."""
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for next_node in edges.get(node, {}):
            if state.get(next_node) == "open":
                return trail[trail.index(next_node):] + [next_node] if next_node in trail else [node, next_node]
            if next_node not in state:
                found = visit(next_node, trail + [next_node])
                if found:
                    return found
        state[node] = "done"
        return None

    for node in sorted(edges):
        if node not in state:
            found = visit(node, [node])
            if found:
                return found
    return None


def check(root):
    faults = []
    page = list(modules(root, "web"))
    others = list(modules(root, os.path.join("tests", "web"))) + list(modules(root, os.path.join("web", "tools")))
    module_edges, folder_edges, imported = {}, {}, {}
    for path in page + others:
        for target, names in imports(root, path):
            if names is None:
                imported[target] = None
            elif imported.get(target, set()) is not None:
                imported.setdefault(target, set()).update(names)
            if path not in page or not target.startswith("web" + os.sep):
                continue
            why = f"{path} imports {target}"
            module_edges.setdefault(path, {})[target] = why
            source, goal = part(path), part(target)
            if goal in FORBIDDEN.get(source, set()):
                faults.append(f"{source}/ may not import {goal}/: {why}")
            if source != goal:
                folder_edges.setdefault(source, {})[goal] = why
    for edges, what in ((folder_edges, "folders"), (module_edges, "modules")):
        found = cycle(edges)
        if found:
            faults.append(f"{what} import in a cycle: " +
                          "; ".join(edges[a][b] for a, b in zip(found, found[1:])))
    for path in page:
        text = open(os.path.join(root, path), encoding="utf-8").read()
        used = imported.get(path, set())
        for name in EXPORT.findall(text):
            if used is not None and name not in used and not (name == "default"):
                faults.append(f"{path}: {name} is exported and imported nowhere")
    return faults


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    faults = check(root)
    for fault in faults:
        print(fault)
    print("page imports: " + ("ok" if not faults else f"{len(faults)} faults"))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
