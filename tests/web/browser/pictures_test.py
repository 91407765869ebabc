#!/usr/bin/python3
"""The page's pictures in Chromium, with browser_test.py's harness:

    pictures_test.py PAGE_FOLDER SOURCE_FOLDER SCREENSHOT_FOLDER CHECKS_MODULE [TEST...]

Every example's level diagram, electrons and saved properties (against the
independent reference files in tests/web/properties), the sentences that
stand instead of a wrong picture, choosing an orbital by keyboard, when the
chemistry library is fetched, a long answer file, and the load times and
bytes (written to SCREENSHOT_FOLDER/measurements.json).
"""
import json
import shutil
import subprocess
import sys
import time
import unittest

import browser_test as harness
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

PAGE, SOURCE, SCREENSHOTS, EXPECTED = harness.PAGE, harness.SOURCE, harness.SCREENSHOTS, harness.EXPECTED
PROPERTIES = SOURCE / "tests" / "web" / "properties"


class PicturesTest(unittest.TestCase):
    setUpClass = classmethod(harness.PageTest.setUpClass.__func__)
    tearDownClass = classmethod(harness.PageTest.tearDownClass.__func__)
    for _name in ("open_page", "collect_requests", "wait_for_state", "element", "status", "download",
                  "open_answer_file", "expected", "check_finished_run"):
        locals()[_name] = getattr(harness.PageTest, _name)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def wait_for_pictures(self):
        WebDriverWait(self.driver, harness.TIMEOUT).until(
            lambda d: self.js("return document.querySelector('#orbital-drawing svg') !== null"))

    def counts(self):
        return self.js("""return {
            levels: document.querySelectorAll('#levels-drawing line.level').length,
            electrons: document.querySelectorAll('#levels-drawing path.electron').length,
            problem: document.getElementById('pictures-problem').hidden ? null
                     : document.getElementById('pictures-problem').textContent };""")

    def test_every_example_levels_electrons_properties(self):
        self.open_page()
        for answers in sorted((SOURCE / "examples").glob("*.txt")):
            with self.subTest(example=answers.stem):
                self.open_answer_file(answers)
                self.check_finished_run(EXPECTED / "examples" / answers.stem, answers.stem)
                self.wait_for_pictures()
                lines = answers.read_text("ascii").splitlines()
                self.assertEqual(self.counts(), {"levels": int(lines[1]), "electrons": int(lines[3]), "problem": None})
                name, saved = self.download("save-properties")
                self.assertEqual(name, f"{answers.stem}-properties.csv")
                page = [row.split(",") for row in saved.decode("ascii").splitlines()]
                reference = [row.split(",") for row in (PROPERTIES / name.replace("-properties", "")).read_text().splitlines()]
                self.assertEqual([row[:3] for row in page], [row[:3] for row in reference])
                for mine, theirs in zip(page[1:], reference[1:]):
                    self.assertAlmostEqual(float(mine[3]), float(theirs[3]), delta=5e-5, msg=mine)
                if answers.stem == "naphthalene":
                    self.element("levels-drawing").screenshot(str(SCREENSHOTS / "naphthalene-levels.png"))
                    self.element("orbital-drawing").screenshot(str(SCREENSHOTS / "naphthalene-orbital.png"))
                    self.driver.save_screenshot(str(SCREENSHOTS / "naphthalene-page.png"))

    def test_sentences_instead_of_wrong_pictures(self):
        self.open_page()
        cases = {b"butadiene\n4\n3\n9\n0\n1 2\n2 3\n3 4\nx\n": "9",
                 b"butadiene\n4\n3\n-1\n0\n1 2\n2 3\n3 4\nx\n": "-1",
                 (EXPECTED / "cases" / "diag_stops_unconverged" / "stdin").read_bytes(): "converging",
                 (EXPECTED / "cases" / "hetero_nan" / "stdin").read_bytes(): "NaN",
                 b"none\n0\n0\n0\n0\nx\n": "no atoms"}
        for index, (answers, words) in enumerate(cases.items()):
            with self.subTest(words=words):
                path = self.scratch / f"problem{index}.txt"
                path.write_bytes(answers)
                self.open_answer_file(path)
                # The last file's sentence stays until this run ends.
                WebDriverWait(self.driver, harness.TIMEOUT).until(lambda d: words in (self.counts()["problem"] or ""))
                self.assertFalse(self.element("pictures-body").is_displayed())
        # A radical is drawn: allyl with three electrons has its SOMO.
        path = self.scratch / "radical.txt"
        path.write_bytes(b"allyl\n3\n2\n3\n0\n1 2\n2 3\nx\n")
        self.open_answer_file(path)
        self.wait_for_pictures()
        self.assertEqual(self.counts(), {"levels": 3, "electrons": 3, "problem": None})
        self.assertIn("SOMO", self.element("levels-drawing").text)
        self.assertTrue(self.element("levels-note").is_displayed())

    def test_a_level_chosen_by_keyboard_draws_its_orbital(self):
        self.open_page()
        self.open_answer_file(SOURCE / "examples" / "benzene.txt")
        self.wait_for_pictures()
        heading = lambda: self.js("return document.querySelector('#orbital-drawing .picture-heading').textContent")
        self.assertTrue(heading().startswith("ψ2"), heading())  # the HOMO set's first
        for _ in range(60):
            if self.js("return document.activeElement.dataset.orbital") is not None:
                break
            ActionChains(self.driver).send_keys(Keys.TAB).perform()
        self.assertEqual(self.js("return document.activeElement.dataset.orbital"), "0")
        ActionChains(self.driver).send_keys(Keys.ENTER).perform()
        self.assertTrue(heading().startswith("ψ1"), heading())
        ActionChains(self.driver).send_keys(Keys.ARROW_UP).perform()
        self.assertTrue(heading().startswith("ψ2"), heading())
        self.assertEqual(self.js("return document.activeElement.dataset.orbital"), "1")
        self.element("orbital-next").click()
        self.assertTrue(heading().startswith("ψ3"), heading())
        # Taken away: SVG files with their paints inside, PNG drawn on a canvas.
        for button, name, start in [("save-levels-svg", "benzene-levels.svg", b"<?xml"),
                                    ("save-orbital-svg", "benzene-orbital3.svg", b"<?xml"),
                                    ("save-levels-png", "benzene-levels.png", b"\x89PNG"),
                                    ("save-orbital-png", "benzene-orbital3.png", b"\x89PNG")]:
            saved_name, saved = self.download(button)
            self.assertEqual((saved_name, saved[:len(start)]), (name, start))
            if start == b"<?xml":
                self.assertIn(b"<style>", saved)

    def resources(self):
        return self.js("return performance.getEntriesByType('resource').map((r) => [r.name, r.encodedBodySize])")

    def test_library_only_after_a_table_and_the_measurements(self):
        self.driver.get(self.server.origin + "/index.html")
        self.wait_for_state("waiting")
        first_prompt = self.js("return performance.now()")
        loaded = self.resources()
        self.assertFalse([name for name, _ in loaded if "openchemlib" in name])
        for answer in ["benzene", "6", "6", "6", "0"]:
            self.element("answer").send_keys(answer, Keys.ENTER)
        time.sleep(0.5)
        self.assertFalse([name for name, _ in self.resources() if "openchemlib" in name])
        start = self.js("return performance.now()")
        self.element("open-file").send_keys(str(SOURCE / "examples" / "naphthalene.txt"))
        self.wait_for_pictures()
        first_picture = self.js("return performance.now()") - start
        everything = self.resources()
        self.assertEqual(len([name for name, _ in everything if name.endswith("/vendor/openchemlib.js")]), 1)
        outside = [name for name, _ in everything if not name.startswith(self.server.origin + "/")]
        self.assertEqual(outside, [])
        document = self.js("return performance.getEntriesByType('navigation')[0].encodedBodySize")
        measured = {"first_prompt_ms": round(first_prompt), "first_picture_ms": round(first_picture),
                    "bytes_to_first_prompt": document + sum(size for _, size in loaded),
                    "bytes_with_pictures": document + sum(size for _, size in everything)}
        (SCREENSHOTS / "measurements.json").write_text(json.dumps(measured, indent=1) + "\n")
        print(measured, file=sys.stderr)

    def test_a_long_answer_file_shows_within_3_seconds(self):
        # 200,000 bonds of a 2-atom molecule, each line "1 2".
        answers = self.scratch / "long_bonds.txt"
        answers.write_bytes(b"long\n2\n200000\n2\n0\n" + b"1 2\n" * 200000 + b"x\n")
        node = shutil.which("node") or shutil.which("nodejs")
        node_start = time.monotonic()
        with answers.open("rb") as stdin:  # a file: the runner reads a pipe only as fast as it fills
            expected = subprocess.run([node, "--no-warnings", str(SOURCE / "cmake" / "wasi-run.mjs"),
                                       str(PAGE / "orbcalc.wasm")], stdin=stdin, capture_output=True)
        self.assertEqual(expected.returncode, 0, expected.stderr)
        expected = expected.stdout
        node_time = time.monotonic() - node_start
        self.open_page()
        best = None
        for _ in range(2):  # the better of two, on a machine shared with other work
            self.element("restart").click()
            self.wait_for_state("waiting")
            start = time.monotonic()
            self.element("open-file").send_keys(str(answers))
            WebDriverWait(self.driver, 30).until(lambda d: self.js("return document.body.dataset.state") == "finished")
            elapsed = time.monotonic() - start
            best = elapsed if best is None else min(best, elapsed)
        print({"long_answer_file_s": round(best, 2), "node_runner_s": round(node_time, 2)}, file=sys.stderr)
        # 3 s where node's runner takes its 0.6 s; a machine busy with
        # other work slows both alike.
        self.assertLess(best, max(3.0, 5 * node_time))
        _, saved = self.download("save-output")
        self.assertEqual(saved, expected)
        # Scrolling to the top draws the first lines.
        self.js("const s = document.getElementById('screen'); s.scrollTop = 0; s.dispatchEvent(new Event('scroll'));")
        WebDriverWait(self.driver, harness.TIMEOUT).until(
            lambda d: "Hueckel" in self.js("return document.getElementById('screen').textContent"))


if __name__ == "__main__":
    SCREENSHOTS.mkdir(parents=True, exist_ok=True)
    unittest.main(argv=sys.argv[:1] + sys.argv[5:], verbosity=2)
