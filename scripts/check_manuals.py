#!/usr/bin/env python3
"""Checks that every translated manual page keeps in step with its English
page: man/LANGUAGE/NAME.1.in against man/NAME.1.in.

The prose is free; what is compared is the structure and the texts a
translation quotes as they are:
- every English page has its translation and every translation its
  English page;
- the title, the section number and the version of .TH;
- the sections (.SH) and subsections (.SS), in order, through the table of
  their translated names below;
- in each section, the tags of the tagged paragraphs (.TP, .TQ), in order:
  the prompts, the exit statuses, the environment variables, the files;
- in each section, the texts set in bold (commands, options, the program's
  messages and diagnostics, the values one types) and the example blocks
  (.EX to .EE), as a set: a translation may order its sentences otherwise.
A Japanese page must also load Japanese line breaking (.mso ja.tmac) and
adjust left (.ad l) before anything is set, and a text line of it that ends
a sentence or a clause (。 or 、) and is followed by more text must end with
\c: roff would set the line end as a blank between the two.

Usage: scripts/check_manuals.py [ROOT]   (ROOT defaults to the folder above
this script). Exit status 0 when every page is in step, 1 otherwise, after
a line for each difference.
"""
import glob
import os
import re
import sys

# The section names of each translation, by the English name.
HEADINGS = {
    "ja": {
        "NAME": "名前",
        "SYNOPSIS": "書式",
        "DESCRIPTION": "説明",
        "OPTIONS": "オプション",
        "INPUT": "入力",
        "Molecule names": "分子の名前",
        "QUANTITIES": "計算する量",
        "OUTPUT": "出力",
        "DIALOGUE": "対話",
        "ANSWERS": "回答",
        "Limits": "上限",
        "REPORT": "計算結果",
        "ENVIRONMENT": "環境変数",
        "EXIT STATUS": "終了ステータス",
        "DIAGNOSTICS": "診断メッセージ",
        "NOTES": "備考",
        "EXAMPLES": "例",
        "FILES": "ファイル",
        "SEE ALSO": "関連項目",
    },
}
# What a translation must request before its first text line.
PREAMBLE = {"ja": [".mso ja.tmac", ".ad l"]}

ESCAPES = [(r"\-", "-"), (r"\(aq", "'"), (r"\(lq", "\u201c"), (r"\(rq", "\u201d"), (r"\ ", " "), (r"\&", ""),
           (r"\%", ""), (r"\e", "\\")]
FONT = re.compile(r"\\f(\[[^\]]*\]|\(..|.)")


def arguments(text):
    """The arguments of a macro line, as roff splits them: by blanks, a
    double-quoted argument kept whole ("" inside it is one quote)."""
    args, i = [], 0
    while i < len(text):
        if text[i] == " ":
            i += 1
        elif text[i] == '"':
            j, arg = i + 1, ""
            while j < len(text):
                if text.startswith('""', j):
                    arg, j = arg + '"', j + 2
                elif text[j] == '"':
                    break
                else:
                    arg, j = arg + text[j], j + 1
            args.append(arg)
            i = j + 1
        else:
            j = text.find(" ", i)
            j = len(text) if j < 0 else j
            args.append(text[i:j])
            i = j
    return args


def plain(text):
    for escape, char in ESCAPES:
        text = text.replace(escape, char)
    return text


def runs(line):
    """The line as (font, text) runs, font "B", "I" or "R"."""
    if line.startswith("."):
        macro, _, rest = line[1:].partition(" ")
        args = arguments(rest)
        if macro in ("B", "I"):
            return [(macro, plain(" ".join(args)))]
        if len(macro) == 2 and set(macro) <= set("BIR"):
            return [(macro[k % 2], plain(arg)) for k, arg in enumerate(args)]
        return []
    found, font, start = [], "R", 0
    for match in FONT.finditer(line):
        found.append((font, plain(line[start:match.start()])))
        name = match.group(1).strip("[(]")
        font = name if name in ("B", "I") else "R"
        start = match.end()
    found.append((font, plain(line[start:])))
    return [(f, t) for f, t in found if t]


def structure(path, language):
    """The page's .TH fields, its headings in order, and for each heading
    its tags and its bold texts and examples."""
    lines = open(path, encoding="utf-8").read().splitlines()
    faults = []
    if language in PREAMBLE:
        requests = [l for l in lines if l.startswith(".") and not l.startswith('.\\"')]
        if requests[:len(PREAMBLE[language])] != PREAMBLE[language]:
            faults.append("does not begin with %s" % " and ".join(PREAMBLE[language]))
        for number, (line, following) in enumerate(zip(lines, lines[1:]), 1):
            if line.endswith(("。", "、")) and following and not following.startswith((".", "'")):
                faults.append("line %d ends with %s without \\c before more text" % (number, line[-1]))
    title, sections = None, []
    current = None
    i = 0
    while i < len(lines):
        line = lines[i]
        i += 1
        if line.startswith('.\\"'):
            continue
        macro = line[1:].split(" ", 1)[0] if line.startswith(".") else None
        if macro == "TH":
            args = arguments(line[4:])
            title = (args[0], args[1], args[3] if len(args) > 3 else None)
        elif macro in ("SH", "SS"):
            current = {"heading": (macro, plain(" ".join(arguments(line[4:])))), "tags": [], "quoted": set()}
            sections.append(current)
        elif current is None:
            continue
        elif macro in ("TP", "TQ") and i < len(lines):
            current["tags"].append("".join(text for _, text in runs(lines[i])))
        elif macro == "EX":
            block = []
            while i < len(lines) and lines[i] != ".EE":
                block.append(plain(lines[i]))
                i += 1
            current["quoted"].add("\n".join(block))
        else:
            current["quoted"].update(text.strip() for font, text in runs(line) if font == "B" and text.strip())
    return title, sections, faults


def compare(english_path, translated_path, language):
    names = HEADINGS[language]
    en_title, english, _ = structure(english_path, "en")
    tr_title, translated, faults = structure(translated_path, language)
    if en_title != tr_title:
        faults.append(".TH %s, the English page has %s" % (tr_title, en_title))
    expected = []
    for section in english:
        macro, name = section["heading"]
        if name not in names:
            faults.append("no %s name for the section %s (scripts/check_manuals.py)" % (language, name))
        expected.append((macro, names.get(name, name)))
    found = [section["heading"] for section in translated]
    for heading in expected:
        if heading not in found:
            faults.append("lacks the section %s %s" % heading)
    for heading in found:
        if heading not in expected:
            faults.append("has the section %s %s, which the English page does not" % heading)
    if [h for h in expected if h in found] != [h for h in found if h in expected]:
        faults.append("sections in the order %s, the English page's order is %s" % (found, expected))
    for section in english:
        macro, name = section["heading"]
        matches = [s for s in translated if s["heading"] == (macro, names.get(name, name))]
        if not matches:
            continue
        other = matches[0]
        where = "section %s (%s)" % (other["heading"][1], name)
        if section["tags"] != other["tags"]:
            faults.append("%s: tagged paragraphs %s, the English page has %s" % (where, other["tags"], section["tags"]))
        for text in sorted(section["quoted"] - other["quoted"]):
            faults.append("%s: lacks %r" % (where, text))
        for text in sorted(other["quoted"] - section["quoted"]):
            faults.append("%s: has %r, which the English page does not" % (where, text))
    return faults


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    man = os.path.join(root, "man")
    english = sorted(os.path.basename(p) for p in glob.glob(os.path.join(man, "*.1.in")))
    faults, checked = [], 0
    for language in sorted(HEADINGS):
        translated = sorted(os.path.basename(p) for p in glob.glob(os.path.join(man, language, "*.1.in")))
        for page in sorted(set(english) | set(translated)):
            rel = "man/%s/%s" % (language, page)
            if page not in translated:
                faults.append("%s: missing: man/%s has no translation" % (rel, page))
            elif page not in english:
                faults.append("%s: no English page man/%s" % (rel, page))
            else:
                faults += ["%s: %s" % (rel, fault) for fault in
                           compare(os.path.join(man, page), os.path.join(man, language, page), language)]
                checked += 1
    for fault in faults:
        print(fault)
    if faults:
        sys.exit(1)
    print("%d translated manual pages: the sections, tags, bold texts and examples of their English pages" % checked)


if __name__ == "__main__":
    main()
