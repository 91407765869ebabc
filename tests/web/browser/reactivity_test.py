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
import time
import unittest

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
        """Opens an example and waits for its indices on the molecule; returns
        the seconds from its analysed run (the view starts waiting) to the
        drawn indices, measured in the page."""
        self.js("""
            window.reactivityTimes = {};
            const waiting = document.getElementById('reactivity-waiting');
            const drawing = document.getElementById('reactivity-drawing');
            new MutationObserver(() => {
              if (!waiting.hidden) window.reactivityTimes.started ??= performance.now();
            }).observe(waiting, { attributes: true });
            new MutationObserver(() => {
              if (window.reactivityTimes.started !== undefined && drawing.querySelector('.index-mark')) {
                window.reactivityTimes.drawn ??= performance.now();
              }
            }).observe(drawing, { childList: true });""")
        self.element("open-file").send_keys(str(EXAMPLES / f"{name}.txt"))
        WebDriverWait(self.driver, TIMEOUT).until(lambda d: self.js("return window.reactivityTimes.drawn !== undefined"))
        times = self.js("return window.reactivityTimes")
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
        self.assertEqual(len(self.driver.find_elements("css selector", "#polarisability-matrix td")), 100)

        Select(self.element("change-target")).select_by_value("h-0")
        before = self.js("return document.getElementById('change-drawing').innerHTML")
        slider = self.element("change-slider")
        started = time.monotonic()
        self.js("const s = arguments[0]; s.value = '0.5'; s.dispatchEvent(new Event('input'));", slider)
        WebDriverWait(self.driver, TIMEOUT).until(
            lambda d: self.js("return document.getElementById('change-drawing').innerHTML") != before)
        step = time.monotonic() - started
        self.assertEqual(self.element("change-value").get_attribute("value"), "0.5")
        labels = self.js("return [...document.querySelectorAll('#change-drawing text.level-label')]"
                         ".map((t) => t.textContent)")
        levels = [label for label in labels if label.startswith("x =")]
        self.assertEqual(len(levels), 10)
        self.assertTrue(all("first order" in label for label in levels), levels)

        indices = self.open_and_wait("annulene30")
        SCREENSHOTS.mkdir(parents=True, exist_ok=True)
        (SCREENSHOTS / "reactivity-measurements.json").write_text(json.dumps({
            "annulene30_run_to_drawn_indices_s": round(indices, 3),
            "naphthalene_slider_step_s": round(step, 3)}, indent=1))
        self.element("reactivity-drawing").screenshot(str(SCREENSHOTS / "annulene30-reactivity.png"))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[5:], verbosity=2)
