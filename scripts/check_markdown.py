#!/usr/bin/env python3
"""Checks the Markdown files of the repository against the tree.

- Every relative link and image resolves: the file or folder exists, and a
  fragment (#name) names a heading of the Markdown file it points into.
- Every `--preset NAME` names a preset of CMakePresets.json of its kind:
  `cmake --preset` a configure preset, `cmake --build --preset` a build
  preset, `ctest --preset` a test preset, `cpack --preset` a package preset,
  `cmake --workflow --preset` a workflow preset.
- CONTRIBUTING.md names every preset there is with `--preset NAME`.
- A translation NAME.LANGUAGE.md (README.ja.md) is linked from the first
  lines of NAME.md and shows the same commands (its indented code blocks)
  and the same session (its fenced blocks, less the annotations in
  parentheses that NAME.md sets beside the lines for its readers).

Usage: scripts/check_markdown.py [ROOT]   (ROOT defaults to the folder above
this script). The files are those git tracks or would track, or every *.md
outside build folders when ROOT is not a git checkout. Exit status 0 when
all is well, 1 otherwise, after a line for each fault.
"""
import json
import os
import re
import subprocess
import sys

LINK = re.compile(r"!?\[(?:[^\]\\]|\\.)*\]\(\s*<?([^)\s>]+)>?(?:\s+\"[^\"]*\")?\s*\)")
REFERENCE = re.compile(r"^ {0,3}\[[^\]]+\]:\s+<?(\S+?)>?(?:\s|$)", re.M)
FENCE = re.compile(r"^ {0,3}(```|~~~).*?^ {0,3}\1[^\n]*$", re.M | re.S)
CODE_SPAN = re.compile(r"(`+)(?:(?!\1).)+?\1", re.S)
HEADING = re.compile(r"^ {0,3}#{1,6}\s+(.*?)\s*#*\s*$", re.M)
INDENTED = re.compile(r"(?:^ {4}\S.*\n)+", re.M)
ANNOTATION = re.compile(r"\s{2,}\([a-z ]+\)$")
TRANSLATION = re.compile(r"(.+)\.[a-z]{2}\.md")
KINDS = {"configure": "configurePresets", "build": "buildPresets", "test": "testPresets",
         "package": "packagePresets", "workflow": "workflowPresets"}


def markdown_files(root):
    try:
        out = subprocess.run(["git", "-C", root, "ls-files", "-z", "--cached", "--others", "--exclude-standard", "--", "*.md"], capture_output=True,
                             text=True, check=True).stdout
        return sorted(f for f in out.split("\0") if f)
    except (OSError, subprocess.CalledProcessError):
        found = []
        for folder, dirs, names in os.walk(root):
            dirs[:] = [d for d in dirs if not d.startswith(("build", ".", "node_modules"))]
            found += [os.path.relpath(os.path.join(folder, n), root) for n in names if n.endswith(".md")]
        return sorted(found)


def slug(heading):
    """The anchor a repository website gives a heading: lower case, inline
    markup and punctuation dropped, blanks turned into hyphens."""
    text = re.sub(r"!?\[([^\]]*)\]\([^)]*\)", r"\1", heading)
    text = re.sub(r"[`*]", "", text).lower()
    text = re.sub(r"[^\w\- ]", "", text)
    return text.replace(" ", "-")


def anchors(path):
    text = FENCE.sub("", open(path, encoding="utf-8").read())
    seen, names = {}, set()
    for heading in HEADING.findall(text):
        name = slug(heading)
        count = seen.get(name, 0)
        seen[name] = count + 1
        names.add(name if count == 0 else "%s-%d" % (name, count))
    return names


def check_links(root, rel, text, faults):
    prose = CODE_SPAN.sub("", FENCE.sub("", text))
    for target in LINK.findall(prose) + REFERENCE.findall(prose):
        if re.match(r"^[a-zA-Z][a-zA-Z0-9+.-]*:", target):
            continue  # an address with a scheme: not checked here
        path, _, fragment = target.partition("#")
        where = os.path.normpath(os.path.join(os.path.dirname(rel), path)) if path else rel
        full = os.path.join(root, where)
        if not os.path.exists(full):
            faults.append("%s: link to %s: no such file" % (rel, target))
        elif fragment and where.endswith(".md") and fragment not in anchors(full):
            faults.append("%s: link to %s: no such heading in %s" % (rel, target, where))


def blocks(text):
    """The indented code blocks and the fenced blocks of a Markdown text, in
    order; a fenced block as its lines."""
    fenced = [m.group(0).split("\n")[1:-1] for m in FENCE.finditer(text)]
    return INDENTED.findall(FENCE.sub("", text)), fenced


def check_translation(root, rel, text, faults):
    match = TRANSLATION.fullmatch(rel)
    original = match and match.group(1) + ".md"
    if not original or not os.path.exists(os.path.join(root, original)):
        return
    original_text = open(os.path.join(root, original), encoding="utf-8").read()
    if "](%s)" % os.path.basename(rel) not in "\n".join(original_text.splitlines()[:5]):
        faults.append("%s: no link to %s in its first lines" % (original, rel))
    commands, sessions = blocks(original_text)
    sessions = [[ANNOTATION.sub("", line) for line in block] for block in sessions]
    translated_commands, translated_sessions = blocks(text)
    if translated_commands != commands:
        faults.append("%s: the commands differ from those of %s" % (rel, original))
    if translated_sessions != sessions:
        faults.append("%s: the fenced blocks differ from those of %s" % (rel, original))


def preset_uses(text):
    """(kind or None, name) for every --preset in the text, the kind read from
    the command the option belongs to."""
    for line in text.splitlines():
        words = re.findall(r"[^\s`|]+", line)
        for i, word in enumerate(words):
            name = None
            if word == "--preset" and i + 1 < len(words):
                name = words[i + 1]
            elif word.startswith("--preset="):
                name = word[len("--preset="):]
            if not name or re.fullmatch(r"[A-Z_]+", name):
                continue  # none, or a placeholder such as NAME
            kind = None
            for j in range(i - 1, -1, -1):
                if words[j] in ("ctest", "cpack", "cmake"):
                    between = words[j + 1:i]
                    kind = {"ctest": "test", "cpack": "package"}.get(words[j])
                    if words[j] == "cmake":
                        kind = "build" if "--build" in between else "workflow" if "--workflow" in between else "configure"
                    break
            yield kind, name.rstrip(".,;:)")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    presets_json = json.load(open(os.path.join(root, "CMakePresets.json"), encoding="utf-8"))
    presets = {kind: {p["name"] for p in presets_json.get(key, [])} for kind, key in KINDS.items()}
    every = set().union(*presets.values())
    faults, files = [], markdown_files(root)
    named_in_contributing = set()
    for rel in files:
        text = open(os.path.join(root, rel), encoding="utf-8").read()
        check_links(root, rel, text, faults)
        check_translation(root, rel, text, faults)
        for kind, name in preset_uses(text):
            if name not in (presets[kind] if kind else every):
                faults.append("%s: --preset %s: no %s preset of that name" % (rel, name, kind or "such"))
            if rel == "CONTRIBUTING.md":
                named_in_contributing.add(name)
    for name in sorted(every - named_in_contributing):
        faults.append("CONTRIBUTING.md: the preset %s is never named with --preset" % name)
    for fault in faults:
        print(fault)
    if faults:
        sys.exit(1)
    print("%d Markdown files: every relative link resolves, every preset exists" % len(files))


if __name__ == "__main__":
    main()
