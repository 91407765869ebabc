#!/usr/bin/python3
"""The structure panel in a real browser, as browser_test.py runs the page
(same arguments): SMILES typed, atoms renumbered on the page's drawing, a
molecule drawn with the pointer in the editor, links opened; every run's
saved output compared byte for byte with the examples' expected files."""
import base64
import sys
import time
import unittest

import browser_test as page
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

EXAMPLES = page.SOURCE / "examples"
EXPECTED = page.EXPECTED / "examples"

# Example, SMILES, and the numbering that gives the example's bonds
# (the SMILES's atoms, counted from 0, in the example's order).
FROM_SMILES = [
    ("benzene", "c1ccccc1", None),
    ("butadiene", "C=CC=C", None),
    ("naphthalene", "c1ccc2ccccc2c1", [9, 0, 1, 2, 4, 5, 6, 7, 3, 8]),
    ("pyridine", "n1ccccc1", None),
    ("pyrrole", "[nH]1cccc1", None),
]


def parse(text):
    """Counts, bonds as unordered pairs and triples of an answer file."""
    lines = [line for line in text.splitlines() if line]
    atoms, bonds, electrons, hetero = (int(v) for v in lines[1:5])
    pair = lambda a, b: tuple(sorted((int(a), int(b))))
    bond_set = {pair(*line.split()) for line in lines[5:5 + bonds]}
    triples = {pair(*line.split()[:2]): float(line.split()[2]) for line in lines[5 + bonds:5 + bonds + hetero]}
    return atoms, bonds, electrons, bond_set, triples


class StructureTest(page.PageTest):
    def open_panel(self, table="streitwieser"):
        self.open_page()
        self.driver.find_element(By.CSS_SELECTOR, "#structure summary").click()
        WebDriverWait(self.driver, page.TIMEOUT).until(lambda d: d.execute_script(
            "return !!document.querySelector('#structure-editor > div')"))
        Select(self.element("structure-table")).select_by_value(table)

    def read(self, smiles, name=""):
        for field, text in (("structure-name", name), ("smiles", smiles)):
            self.element(field).clear()
            self.element(field).send_keys(text)
        self.element("smiles").send_keys(Keys.ENTER)
        WebDriverWait(self.driver, page.TIMEOUT).until(
            lambda d: self.answers() or self.element("structure-refusal").is_displayed())

    def answers(self):
        return self.element("structure-answers").get_attribute("value")

    def renumber(self, order, keyboard=False):
        self.element("renumber").click()
        for atom in order:
            target = self.driver.find_element(By.CSS_SELECTOR, f'#structure-drawing .pi-atom[data-atom="{atom}"]')
            if keyboard:
                self.driver.execute_script("arguments[0].focus()", target)
                ActionChains(self.driver).send_keys(Keys.ENTER).perform()
            else:
                target.click()

    def run_answers(self):
        self.element("structure-run").click()
        self.wait_for_state("finished")

    def test_examples_from_their_smiles(self):
        self.open_panel()
        for name, smiles, order in FROM_SMILES:
            with self.subTest(example=name):
                self.read(smiles, name=name)
                if order:
                    self.renumber(order, keyboard=name == "naphthalene")
                want = parse((EXAMPLES / f"{name}.txt").read_text("ascii"))
                self.assertEqual(parse(self.answers()), want)
                self.assertEqual(self.answers().splitlines()[0], f"'{name}'")
                self.run_answers()
                self.check_finished_run(EXPECTED / name, name)
        # Named by its SMILES, the output differs in the name line only.
        self.read("n1ccccc1")
        self.run_answers()
        _, saved = self.download("save-output")
        expected = (EXPECTED / "pyridine" / "stdout").read_bytes()
        self.assertEqual(saved.replace(b"n1ccccc1", b"pyridine"), expected)
        self.driver.find_element(By.ID, "structure").screenshot(str(page.SCREENSHOTS / "structure-pyridine.png"))

    def test_ions_radicals_and_both_tables(self):
        cases = [  # SMILES, table, electrons, triples
            ("O=CC=C", "streitwieser", 4, {(1, 1): 1.0}),
            ("O=CC=C", "van-catledge", 4, {(1, 1): 0.97, (1, 2): 1.06}),
            ("[CH2+]C=C", "streitwieser", 2, {}),
            ("[CH2]C=C", "streitwieser", 3, {}),
            ("[cH-]1cccc1", "streitwieser", 6, {}),
            ("Clc1ccccc1", "streitwieser", 8, {(1, 1): 2.0, (1, 2): 0.4}),
            ("Clc1ccccc1", "van-catledge", 8, {(1, 1): 1.48, (1, 2): 0.62}),
        ]
        self.open_panel()
        for smiles, table, electrons, triples in cases:
            with self.subTest(smiles=smiles, table=table):
                Select(self.element("structure-table")).select_by_value(table)
                self.read(smiles)
                _, _, got_electrons, _, got_triples = parse(self.answers())
                self.assertEqual((got_electrons, got_triples), (electrons, triples))
                self.run_answers()
                self.assertIn("exit status 0 ", self.status())
        # On a phone the panel fits the width; the page does not scroll sideways.
        try:
            self.driver.set_window_size(390, 844)
            self.assertLessEqual(self.driver.execute_script(
                "return document.documentElement.scrollWidth - document.documentElement.clientWidth"), 0)
            self.driver.save_screenshot(str(page.SCREENSHOTS / "structure-phone.png"))
        finally:
            self.driver.set_window_size(1000, 1300)

    def test_refusals_say_why_and_run_nothing(self):
        cases = [  # SMILES, table, words the sentence holds
            ("s1cccc1", "streitwieser", ["Streitwieser", "π atom 1", "thiophene"]),
            ("[CH2]" + "C=C" * 15, "streitwieser", ["31 atoms", "at most 30"]),
            ("[Xe]", "streitwieser", ["no π system"]),
            ("c1cc(", "streitwieser", ["cannot be read", "character"]),
            ("[O-][N+](=O)c1ccccc1", "van-catledge", ["nitro group"]),
        ]
        self.open_panel()
        screen = self.element("screen").get_attribute("textContent")
        for smiles, table, words in cases:
            with self.subTest(smiles=smiles):
                Select(self.element("structure-table")).select_by_value(table)
                self.read(smiles)
                sentence = self.element("structure-refusal").text
                for word in words:
                    self.assertIn(word, sentence)
                self.assertEqual(self.answers(), "")
                self.assertFalse(self.element("structure-run").is_enabled())
        # The nitro nitrogen the sentence names is ringed on the drawing, with its number.
        self.assertEqual(self.driver.execute_script(
            "return document.querySelector('#structure-drawing .marked-number').textContent"), "2")
        self.assertEqual(self.element("screen").get_attribute("textContent"), screen)
        self.assertEqual(self.driver.execute_script("return document.body.dataset.state"), "waiting")
        # The sentence follows the language switch.
        Select(self.element("language")).select_by_value("ja")
        self.assertIn("ニトロ基", self.element("structure-refusal").text)
        Select(self.element("language")).select_by_value("en")

    def test_allyl_radical_drawn_with_the_pointer(self):
        self.open_panel()
        root = self.driver.find_element(By.CSS_SELECTOR, "#structure-editor > div").shadow_root
        tools, canvas = root.find_elements(By.CSS_SELECTOR, "canvas")

        def at(element, x, y):
            return int(x - element.rect["width"] / 2), int(y - element.rect["height"] / 2)

        def act(element, x, y):
            return ActionChains(self.driver).move_to_element_with_offset(element, *at(element, x, y))

        # Two bonds from one atom (the editor makes every bond 58 pixels
        # long here), the first made double by a click on it; then the
        # atom dialog (Alt and a click with the "?" tool) makes the other
        # end a radical.
        bond = 58
        for x in (300 + bond, 300 - bond):
            act(canvas, 300, 240).click_and_hold().move_to_element_with_offset(canvas, *at(canvas, x, 240)) \
                .release().perform()
        act(canvas, 300 + bond / 2, 240).click().perform()
        act(tools, 34, 346).click().perform()
        root.find_element(By.CSS_SELECTOR, "dialog button[type=button]").click()
        act(canvas, 300 - bond, 240).key_down(Keys.ALT).click().key_up(Keys.ALT).perform()
        Select(root.find_element(By.CSS_SELECTOR, "dialog select")).select_by_index(1)
        root.find_element(By.CSS_SELECTOR, "dialog button[type=submit]").click()
        WebDriverWait(self.driver, page.TIMEOUT).until(lambda d: parse(self.answers() or "x\n0\n0\n0\n0")[2] == 3)
        self.assertEqual(self.element("smiles").get_attribute("value"), "[CH2]C=C")
        self.renumber([2, 0, 1])
        self.assertEqual(parse(self.answers()), parse((EXAMPLES / "allyl.txt").read_text("ascii")))
        self.element("structure-name").clear()
        self.element("structure-name").send_keys("allyl", Keys.TAB)
        self.run_answers()
        self.check_finished_run(EXPECTED / "allyl", "allyl")
        # The orbital is drawn on the molecule as drawn: the radical's end
        # (number 1) on the left, where the pointer put it.
        WebDriverWait(self.driver, page.TIMEOUT).until(lambda d: d.execute_script(
            "return document.querySelector('#orbital-drawing svg') !== null"))
        xs = self.driver.execute_script("""return [...document.querySelectorAll('#orbital-drawing circle.atom')]
                                           .map((c) => Number(c.getAttribute('cx')))""")
        self.assertEqual(xs, sorted(xs))
        self.driver.find_element(By.ID, "structure").screenshot(str(page.SCREENSHOTS / "structure-drawn.png"))
        self.element("orbital-drawing").screenshot(str(page.SCREENSHOTS / "structure-drawn-orbital.png"))

    def open_link(self, fragment):
        self.driver.get("about:blank")
        self.driver.get(f"{self.server.origin}/index.html#{fragment}")

    def test_links_open_and_run(self):
        benzene = (EXAMPLES / "benzene.txt").read_bytes()
        self.open_link("answers=" + base64.urlsafe_b64encode(benzene).decode().rstrip("="))
        self.wait_for_state("finished")
        self.check_finished_run(EXPECTED / "benzene", "orbcalc")
        # A fragment changed on the open page runs at once too.
        self.driver.execute_script("location.hash = arguments[0]",
                                   "smiles=%5BnH%5D1cccc1&table=streitwieser&name=pyrrole")
        WebDriverWait(self.driver, page.TIMEOUT).until(lambda d: "pyrrole" in self.status() or
                                                       "pyrrole" in self.element("screen").text)
        self.wait_for_state("finished")
        self.check_finished_run(EXPECTED / "pyrrole", "pyrrole")
        # The link the page makes for it opens the same run.
        self.element("copy-link").click()
        link = self.element("link").get_attribute("value")
        self.assertIn("#smiles=%5BnH%5D1cccc1&table=streitwieser&name=pyrrole", link)
        for fragment, words in [("answers=@@@", "broken"), ("answers=" + "A" * 9000, "too long"),
                                ("smiles=C&table=nonesuch", "does not have")]:
            with self.subTest(fragment=fragment[:20]):
                self.open_link(fragment)
                WebDriverWait(self.driver, page.TIMEOUT).until(
                    lambda d: self.element("structure-refusal").is_displayed())
                self.assertIn(words, self.element("structure-refusal").text)
                time.sleep(0.3)
                self.assertEqual(self.driver.execute_script("return document.body.dataset.state"), "waiting")


def load_tests(loader, tests, pattern):
    # This class's own tests, and the check of every request and console
    # error, which runs last.
    names = [name for name in loader.getTestCaseNames(StructureTest) if name in vars(StructureTest)]
    return unittest.TestSuite(StructureTest(name) for name in names + ["test_zz_nothing_loaded_from_elsewhere"])


if __name__ == "__main__":
    page.SCREENSHOTS.mkdir(parents=True, exist_ok=True)
    unittest.main(argv=sys.argv[:1] + sys.argv[5:], verbosity=2)
