#!/usr/bin/python3
# The page checked by axe-core in headless Chromium (arguments as harness.py
# says), in each of its states and in both languages, and every control
# reached with the keyboard alone. axe-core comes from the repository's
# node_modules (npm ci): it is put into the page under test through the
# driver and is never part of the page.
import json
import sys
import unittest

from selenium.webdriver.common.keys import Keys

from harness import EXAMPLES, EXPECTED, SOURCE, PageSession, main

AXE = SOURCE / "node_modules" / "axe-core" / "axe.min.js"
if not AXE.exists():
    sys.exit(f"{AXE} is missing: run npm ci in {SOURCE}")
BUTADIENE, NAPHTHALENE = EXAMPLES / "butadiene.txt", EXAMPLES / "naphthalene.txt"
BAD_ANSWER = EXPECTED / "cases" / "failure_bad_bond_value" / "stdin"

# The page's states, each from a fresh load: a name and the steps that
# bring the page there.
STATES = [
    ("at rest", lambda t: None),
    ("during a dialogue", lambda t: [t.type_answer(a) for a in ("butadiene", "4", "3")]),
    ("after a finished run", lambda t: t.open_answer_file(BUTADIENE)),
    ("with a diagnostic", lambda t: t.open_answer_file(BAD_ANSWER)),
    ("with the pictures shown", lambda t: t.show_pictures(NAPHTHALENE)),
    ("with the structure panel open", lambda t: t.open_all_details()),
    ("in the dark scheme", lambda t: (t.color_scheme("dark"), t.show_pictures(NAPHTHALENE))),
]

# A control by its id, or by its markup where it has none.
NAMED = "const named = (e) => e.id || e.outerHTML.slice(0, 80);"

# What axe leaves for a person to review ("incomplete") and violations of
# moderate or minor impact, by rule and axe's reason: each has been looked
# at, and why it stays is said here. Serious and critical violations always
# fail.
EXPLAINED = {
    # The console's answers are spans of one or a few characters (4, 1 2),
    # too short for axe to tell text from an icon, so it leaves their
    # contrast to a person. They take the console's own colours, bold and
    # underlined, which axe does measure on the rest of the console.
    ("color-contrast", "shortTextContent"),
    # The words and numbers of the pictures are SVG text inside a drawing
    # (role img, or a group of choices), which axe leaves to a person; and
    # those set on a shape of the drawing (an atom number on a lobe, a bond
    # order across a bond) have a background it cannot tell. All are drawn
    # in CanvasText on the page's Canvas, the pair the page's own text has,
    # with a rim of Canvas round each glyph where it crosses a shape;
    # looked at in both schemes.
    ("color-contrast", "imgNode"),
    ("color-contrast", "bgOverlap"),
}


class Accessibility(PageSession):
    def color_scheme(self, scheme):
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {
            "features": [{"name": "prefers-color-scheme", "value": scheme}]})

    def open_all_details(self):
        self.js("for (const d of document.querySelectorAll('details')) d.open = true;")

    def show_pictures(self, answers):
        # A finished run with its pictures drawn, all orbitals too.
        self.open_answer_file(answers)
        self.wait_for_pictures()
        self.open_all_details()

    def axe(self):
        if not self.js("return typeof axe !== 'undefined'"):
            self.js(AXE.read_text())
        return self.driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            // One finding per rule and reason, with the elements it names.
            const reason = (n) => [...n.any, ...n.all, ...n.none]
              .map((c) => c.data?.messageKey ?? c.id)[0] ?? null;
            const found = (kind, results) => results.flatMap((v) => {
              const byReason = new Map();
              for (const n of v.nodes) {
                const key = reason(n);
                byReason.set(key, [...(byReason.get(key) ?? []), n.target.join(' ')]);
              }
              return Array.from(byReason, ([why, where]) => ({
                kind, rule: v.id, reason: why, impact: v.impact, help: v.help, where }));
            });
            axe.run(document, { resultTypes: ['violations', 'incomplete'] }).then(
              (r) => done([...found('violation', r.violations), ...found('review', r.incomplete)]),
              (error) => done([{ kind: 'violation', rule: 'axe failed', impact: 'critical',
                                 help: String(error) }]));
        """)

    def test_no_serious_or_critical_violations(self):
        for state, steps in STATES:
            with self.subTest(state=state):
                self.color_scheme("light")
                self.open_page()
                self.assertEqual(self.js("return document.documentElement.lang"), self.language.split("-")[0])
                steps(self)
                found = self.axe()
                unexplained = [v for v in found if (v["rule"], v["reason"]) not in EXPLAINED or
                               v["kind"] == "violation" and v["impact"] in ("serious", "critical")]
                self.assertEqual(unexplained, [], json.dumps(unexplained, indent=1, ensure_ascii=False))
        self.color_scheme("light")

    def test_every_control_is_reached_with_the_keyboard(self):
        # After a finished run, with its pictures and every folded part
        # open, Tab from the top of the page visits each control that can be
        # seen.
        self.open_page()
        self.show_pictures(BUTADIENE)
        controls = set(self.js(NAMED + """
            return Array.from(document.querySelectorAll('button, select, input, textarea, summary, a[href], [tabindex]'))
              .filter((e) => !e.disabled && e.checkVisibility() && e.tabIndex >= 0)
              .map(named);
        """))
        self.assertGreater(len(controls), 5)
        self.js("document.activeElement.blur(); window.scrollTo(0, 0);")
        visited = set()
        for _ in range(3 * len(controls)):
            self.press(Keys.TAB)
            visited.add(self.js(NAMED + "return named(document.activeElement);"))
        self.assertEqual(controls - visited, set())


class InEnglish(Accessibility, unittest.TestCase):
    language = "en-US"


class InJapanese(Accessibility, unittest.TestCase):
    language = "ja"


if __name__ == "__main__":
    main()
