#!/usr/bin/python3
"""The reactivity view's wiring in headless Chromium: choosing an index
draws it on the molecule and names the most reactive atoms, and a change of
h on the slider redraws the correlation diagram from a new run. Writes the
times it measures (a finished run to the drawn localisation energies of a
30-atom molecule; one slider step to its redrawn diagram) to
SCREENSHOT_FOLDER/reactivity-measurements.json.

    reactivity_test.py PAGE_FOLDER SOURCE_FOLDER SCREENSHOT_FOLDER CHECKS_MODULE [TEST...]
"""
import json
import pathlib
import sys
import unittest

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

from harness import TIMEOUT, PageSession

SOURCE, SCREENSHOTS = (pathlib.Path(p).resolve() for p in sys.argv[2:4])
EXAMPLES = SOURCE / "examples"


class ReactivityTest(PageSession, unittest.TestCase):
    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def drawn_index(self):
        return self.js("""return {
            marks: document.querySelectorAll('#reactivity-drawing .index-mark').length,
            sites: document.querySelectorAll('#reactivity-drawing .site-mark').length,
            site: document.getElementById('reactivity-site').textContent };""")

    def open_and_wait(self, name):
        """Opens an example and waits for all its indices; returns the seconds
        from its analysed run (the view starts waiting for the localisation
        energies) to the first index drawn on the molecule, and to the
        localisation energies' arrival, measured in the page."""
        self.js("""
            window.reactivityTimes = {};
            const waiting = document.getElementById('reactivity-waiting');
            const drawing = document.getElementById('reactivity-drawing');
            new MutationObserver(() => {
              const times = window.reactivityTimes;
              if (!waiting.hidden) times.started ??= performance.now();
              else if (times.started !== undefined) times.complete ??= performance.now();
            }).observe(waiting, { attributes: true });
            new MutationObserver(() => {
              if (window.reactivityTimes.started !== undefined && drawing.querySelector('.index-mark')) {
                window.reactivityTimes.drawn ??= performance.now();
              }
            }).observe(drawing, { childList: true });""")
        self.element("open-file").send_keys(str(EXAMPLES / f"{name}.txt"))
        WebDriverWait(self.driver, TIMEOUT).until(
            lambda d: self.js("const t = window.reactivityTimes; return t.drawn !== undefined && t.complete !== undefined"))
        times = self.js("return window.reactivityTimes")
        return (times["drawn"] - times["started"]) / 1000, (times["complete"] - times["started"]) / 1000

    def slider_step(self, value):
        """Moves the slider for atom 1's h to `value`; returns the seconds
        from the step to the redrawn diagram, measured in the page."""
        self.assertEqual(self.element("change-target").get_attribute("value"), "h-0")  # the first choice
        self.js("""
            window.stepTimes = {};
            new MutationObserver(() => { window.stepTimes.drawn ??= performance.now(); })
              .observe(document.getElementById('change-drawing'), { childList: true });
            const slider = document.getElementById('change-slider');
            slider.value = arguments[0];
            window.stepTimes.started = performance.now();
            slider.dispatchEvent(new Event('input'));""", value)
        WebDriverWait(self.driver, TIMEOUT).until(lambda d: self.js("return window.stepTimes.drawn !== undefined"))
        times = self.js("return window.stepTimes")
        return (times["drawn"] - times["started"]) / 1000

    def test_an_index_drawn_and_its_site_named_and_a_change_redrawn(self):
        self.open_page()
        self.open_and_wait("naphthalene")
        Select(self.element("reactivity-index")).select_by_value("localisation_plus")
        drawn = self.drawn_index()
        # Naphthalene's four α positions (atoms 1, 4, 5 and 8) tie for the
        # smallest L⁺, and its ten atoms each have a value.
        self.assertEqual((drawn["marks"], drawn["sites"]), (10, 4))
        self.assertIn("1, 4, 5, 8", drawn["site"])
        self.assertIn("2.2986", drawn["site"])
        self.assertEqual(len(self.driver.find_elements("css selector", "#polarisability-matrix td[data-r]")), 100)
        # The matrix is one stop for the keyboard; an arrow moves to the
        # next cell and its value is read out.
        first = self.driver.find_element(By.CSS_SELECTOR, "#polarisability-matrix td[data-r]")
        self.js("arguments[0].focus()", first)
        first.send_keys(Keys.ARROW_RIGHT)
        self.assertTrue(self.element("polarisability-readout").text.startswith("π_1,2 = "))

        step = self.slider_step("0.5")
        self.assertEqual(self.element("change-value").get_attribute("value"), "0.5")
        labels = self.js("return [...document.querySelectorAll('#change-drawing text.level-label')]"
                         ".map((t) => t.textContent)")
        levels = [label for label in labels if label.startswith("x =")]
        self.assertEqual(len(levels), 10)
        self.assertTrue(all("first order" in label for label in levels), levels)

        Select(self.element("reactivity-index")).select_by_value("frontier_e")
        drawn, complete = self.open_and_wait("annulene30")
        step30 = self.slider_step("0.5")
        SCREENSHOTS.mkdir(parents=True, exist_ok=True)
        (SCREENSHOTS / "reactivity-measurements.json").write_text(json.dumps({
            "annulene30_run_to_first_drawn_index_s": round(drawn, 3),
            "annulene30_run_to_localisation_energies_s": round(complete, 3),
            "naphthalene_slider_step_s": round(step, 3), "annulene30_slider_step_s": round(step30, 3)}, indent=1))
        self.element("reactivity-drawing").screenshot(str(SCREENSHOTS / "annulene30-reactivity.png"))


    def test_from_a_structure_only_atoms_with_a_hydrogen_are_marked(self):
        # Toluene's methyl is not in the π system: its ring is benzene's, with
        # the frontier density 1/3 at every atom, but the carbon that bears
        # the methyl carries no hydrogen. Its net π charges stand in the table.
        self.open_page()
        self.driver.find_element(By.CSS_SELECTOR, "#structure summary").click()
        self.element("smiles").send_keys("Cc1ccccc1", Keys.ENTER)
        WebDriverWait(self.driver, TIMEOUT).until(lambda d: self.element("structure-answers").get_attribute("value"))
        self.element("structure-run").click()
        WebDriverWait(self.driver, TIMEOUT).until(lambda d: self.drawn_index()["sites"] > 0)
        Select(self.element("reactivity-index")).select_by_value("frontier_e")
        drawn = self.drawn_index()
        self.assertEqual((drawn["marks"], drawn["sites"]), (6, 5))
        rows = self.js("return [...document.querySelectorAll('#properties-rows th')].map((th) => th.textContent)")
        self.assertEqual(sum("Net π charge" in row for row in rows), 6)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[5:], verbosity=2)
