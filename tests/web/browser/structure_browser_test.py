#!/usr/bin/python3
# The structure panel in Chromium (arguments as harness.py says): SMILES
# typed, atoms renumbered on the page's drawing with the pointer and the
# keyboard, a molecule drawn with the pointer in the editor, refusals said
# on the page, links opened; every run's saved output compared byte for
# byte with the examples' expected files. What answers a structure gives
# is tested under node (tests/web/chemistry/structure.test.mjs).
import base64
import time
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

from harness import EXAMPLES, EXPECTED, SCREENSHOTS, LoadsNothingFromElsewhere, PageSession, main

EXPECTED = EXPECTED / "examples"


class StructureTest(LoadsNothingFromElsewhere, PageSession, unittest.TestCase):
    def open_panel(self):
        self.open_page()
        self.driver.find_element(By.CSS_SELECTOR, "#structure summary").click()
        self.until(lambda: self.js("return !!document.querySelector('#structure-editor > div')"))
        self.choose("structure-table", "streitwieser")

    def read(self, smiles, name=""):
        for field, text in (("structure-name", name), ("smiles", smiles)):
            self.element(field).clear()
            self.element(field).send_keys(text)
        self.element("smiles").send_keys(Keys.ENTER)
        self.until(lambda: self.answers() or self.element("structure-refusal").is_displayed())

    def answers(self):
        return self.element("structure-answers").get_attribute("value")

    def renumber(self, order, keyboard=False):
        self.element("renumber").click()
        for atom in order:
            target = self.driver.find_element(By.CSS_SELECTOR, f'#structure-drawing .pi-atom[data-atom="{atom}"]')
            if keyboard:
                self.js("arguments[0].focus()", target)
                self.press(Keys.ENTER)
            else:
                target.click()

    def run_answers(self):
        self.element("structure-run").click()
        self.wait_for_state("finished")

    def test_examples_from_their_smiles(self):
        self.open_panel()
        # Example, SMILES, and the numbering that gives the example's bonds
        # (the SMILES's atoms, counted from 0, in the example's order),
        # chosen with the keyboard.
        for name, smiles, order in [("benzene", "c1ccccc1", None), ("butadiene", "C=CC=C", None),
                                    ("naphthalene", "c1ccc2ccccc2c1", [9, 0, 1, 2, 4, 5, 6, 7, 3, 8]),
                                    ("pyridine", "n1ccccc1", None), ("pyrrole", "[nH]1cccc1", None)]:
            with self.subTest(example=name):
                self.read(smiles, name=name)
                if order:
                    self.renumber(order, keyboard=True)
                self.run_answers()
                self.check_finished_run(EXPECTED / name, name)
        # Named by its SMILES, the output differs in the name line only.
        self.read("n1ccccc1")
        self.run_answers()
        self.assertEqual(self.download("save-output")[1].replace(b"n1ccccc1", b"pyridine"),
                         (EXPECTED / "pyridine" / "stdout").read_bytes())
        self.driver.find_element(By.ID, "structure").screenshot(str(SCREENSHOTS / "structure-pyridine.png"))
        # The other table gives the other parameters.
        self.choose("structure-table", "van-catledge")
        self.read("O=CC=C")
        self.assertIn("\n1 2 1.06\n", self.answers())
        # On a phone the panel fits the width; the page does not scroll sideways.
        with self.phone():
            self.assertLessEqual(self.page_overflow(), 0)
            self.driver.save_screenshot(str(SCREENSHOTS / "structure-phone.png"))

    def test_refusals_say_why_and_run_nothing(self):
        self.open_panel()
        screen = self.screen()
        for smiles, table, words in [("s1cccc1", "streitwieser", ["Streitwieser", "π atom 1", "thiophene"]),
                                     ("[CH2]" + "C=C" * 15, "streitwieser", ["31 atoms", "at most 30"]),
                                     ("[Xe]", "streitwieser", ["no π system"]),
                                     ("c1cc(", "streitwieser", ["cannot be read", "character"]),
                                     ("[O-][N+](=O)c1ccccc1", "van-catledge", ["nitro group"])]:
            with self.subTest(smiles=smiles):
                self.choose("structure-table", table)
                self.read(smiles)
                for word in words:
                    self.assertIn(word, self.element("structure-refusal").text)
                self.assertEqual(self.answers(), "")
                self.assertFalse(self.element("structure-run").is_enabled())
        # The nitro nitrogen the sentence names is ringed on the drawing, with its number.
        self.assertEqual(self.js("return document.querySelector('#structure-drawing .marked-number').textContent"), "2")
        self.assertEqual(self.screen(), screen)
        self.assertEqual(self.js("return document.body.dataset.state"), "waiting")
        # The sentence follows the language switch.
        self.choose("language", "ja")
        self.assertIn("ニトロ基", self.element("structure-refusal").text)
        self.choose("language", "en")

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
        self.until(lambda: self.element("smiles").get_attribute("value") == "[CH2]C=C" and self.answers())
        self.renumber([2, 0, 1])
        self.element("structure-name").clear()
        self.element("structure-name").send_keys("allyl", Keys.TAB)
        self.run_answers()
        self.check_finished_run(EXPECTED / "allyl", "allyl")
        # The orbital is drawn on the molecule as drawn: the radical's end
        # (number 1) on the left, where the pointer put it.
        self.wait_for_pictures()
        xs = self.js("return [...document.querySelectorAll('#orbital-drawing circle.atom')].map((c) => Number(c.getAttribute('cx')))")
        self.assertEqual(xs, sorted(xs))
        self.driver.find_element(By.ID, "structure").screenshot(str(SCREENSHOTS / "structure-drawn.png"))
        self.element("orbital-drawing").screenshot(str(SCREENSHOTS / "structure-drawn-orbital.png"))

    def open_link(self, fragment):
        self.driver.get("about:blank")
        self.driver.get(f"{self.server.origin}/index.html#{fragment}")

    def test_links_open_and_run(self):
        self.open_link("answers=" + base64.urlsafe_b64encode((EXAMPLES / "benzene.txt").read_bytes()).decode().rstrip("="))
        self.wait_for_state("finished")
        self.check_finished_run(EXPECTED / "benzene", "orbcalc")
        # A fragment changed on the open page runs at once too.
        self.js("location.hash = arguments[0]", "smiles=%5BnH%5D1cccc1&table=streitwieser&name=pyrrole")
        self.until(lambda: "pyrrole" in self.status() or "pyrrole" in self.element("screen").text)
        self.wait_for_state("finished")
        self.check_finished_run(EXPECTED / "pyrrole", "pyrrole")
        # The link the page makes for it opens the same run.
        self.element("copy-link").click()
        self.assertIn("#smiles=%5BnH%5D1cccc1&table=streitwieser&name=pyrrole", self.element("link").get_attribute("value"))
        for fragment, words in [("answers=@@@", "broken"), ("answers=" + "A" * 9000, "too long"),
                                ("smiles=C&table=nonesuch", "does not have")]:
            with self.subTest(fragment=fragment[:20]):
                self.open_link(fragment)
                self.until(lambda: self.element("structure-refusal").is_displayed())
                self.assertIn(words, self.element("structure-refusal").text)
                time.sleep(0.3)
                self.assertEqual(self.js("return document.body.dataset.state"), "waiting")


if __name__ == "__main__":
    main()
