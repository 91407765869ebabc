#!/usr/bin/python3
"""The page in each of its languages, in headless Chromium started with the
browser's language set: its words are the table's of that language, the
switch flips them to the other without losing the run, and the choice is
remembered.

    languages_test.py PAGE_FOLDER SOURCE_FOLDER SCREENSHOT_FOLDER CHECKS_MODULE [TEST...]
"""
import pathlib
import sys
import unittest

from selenium.webdriver.support.ui import Select, WebDriverWait

from harness import TIMEOUT, PageSession, Server

SOURCE, SCREENSHOTS = (pathlib.Path(p).resolve() for p in sys.argv[2:4])
EXPECTED = SOURCE / "tests" / "e2e" / "examples" / "butadiene" / "stdout"

# Every text of the page's markup that names its message, against the
# table of the page's language: the differences, none when all is well.
DIFFERENCES = """
    const done = arguments[arguments.length - 1];
    const code = document.documentElement.lang;
    import(`./i18n/${code}.js`).then(({ default: table }) => {
      const differences = [];
      const check = (element, attribute, shown) => {
        const key = element.getAttribute(attribute);
        if (shown !== table[key]) differences.push([key, shown, table[key]]);
      };
      for (const e of document.querySelectorAll('[data-i18n]')) check(e, 'data-i18n', e.textContent);
      for (const name of ['aria-label', 'title', 'placeholder']) {
        for (const e of document.querySelectorAll(`[data-i18n-${name}]`)) {
          check(e, `data-i18n-${name}`, e.getAttribute(name));
        }
      }
      done({ code, title: document.title, differences, count: document.querySelectorAll('[data-i18n]').length,
             loading: table['status.loading'], loadFailed: table['status.loadFailed'], waiting: table['status.waiting'],
             finished: table['status.finished'] });
    }, (error) => done({ error: String(error) }));
"""


class Languages(PageSession):
    own, other = None, None  # the table codes of the browser's language and of the other

    def words(self):
        page = self.driver.execute_async_script(DIFFERENCES)
        self.assertNotIn("error", page)
        return page

    def check_words(self, code):
        page = self.words()
        self.assertEqual(page["code"], code)
        self.assertGreater(page["count"], 10)
        self.assertEqual(page["differences"], [])
        return page

    def screen(self):
        return self.driver.execute_script("return document.getElementById('screen').textContent")

    def test_the_browsers_language_chooses_the_table(self):
        self.open_page()
        page = self.check_words(self.own)
        # The status sentence, made at run time, is the table's too.
        prompt = page["waiting"].replace("{prompt}", "")
        self.assertIn(prompt, self.status())
        Select(self.element("example")).select_by_value("butadiene")
        self.element("run-example").click()
        self.wait_for_state("finished")
        finished = page["finished"].split("{status}")[0]
        self.assertTrue(self.status().startswith(finished), self.status())
        # The whole page, the pictures' words too, in a window tall enough.
        WebDriverWait(self.driver, TIMEOUT).until(
            lambda d: d.execute_script("return document.querySelector('#orbital-drawing svg') !== null"))
        self.driver.set_window_size(1000, 3000)
        try:
            self.driver.find_element("tag name", "body").screenshot(str(SCREENSHOTS / f"page-{self.own}.png"))
        finally:
            self.driver.set_window_size(1000, 1300)

    def test_the_switch_flips_the_words_and_keeps_the_run(self):
        self.open_page()
        for answer in ("butadiene", "4", "3", "4", "0", "1 2"):
            self.type_answer(answer)
        before = self.screen()
        try:
            Select(self.element("language")).select_by_value(self.other)
            WebDriverWait(self.driver, TIMEOUT).until(
                lambda d: d.execute_script("return document.documentElement.lang") == self.other)
            page = self.check_words(self.other)
            self.assertEqual(self.screen(), before)
            self.assertIn(page["waiting"].replace("{prompt}", ""), self.status())
            self.assertEqual(self.driver.execute_script("return document.body.dataset.state"), "waiting")

            # The run goes on where it was, and its output is the program's.
            for answer in ("2 3", "3 4", "x"):
                self.type_answer(answer)
            self.wait_for_state("finished")
            _, saved = self.download("save-output")
            self.assertEqual(saved, EXPECTED.read_bytes())

            # The choice outlives the visit.
            self.open_page()
            self.check_words(self.other)
        finally:
            Select(self.element("language")).select_by_value(self.own)
        self.check_words(self.own)

    def test_a_switch_says_a_failure_to_load_again(self):
        # On an origin of its own, with no service worker to answer, the
        # program's file refused: the page says so, and says it again in
        # the other language, never going back to "Loading".
        server = Server(self.page)
        self.driver.execute_cdp_cmd("Network.enable", {})
        self.driver.execute_cdp_cmd("Network.setBlockedURLs", {"urls": ["*/orbcalc.wasm"]})
        try:
            self.driver.get(server.origin + "/index.html")
            loading = self.words()["loading"]
            WebDriverWait(self.driver, TIMEOUT).until(lambda d: self.status() not in ("", loading))
            failure = self.status()
            Select(self.element("language")).select_by_value(self.other)
            other = self.check_words(self.other)
            self.assertNotIn(self.status(), (failure, other["loading"]))
            self.assertTrue(self.status().startswith(other["loadFailed"].split("{reason}")[0]), self.status())
            Select(self.element("language")).select_by_value(self.own)
            self.assertEqual(self.status(), failure)
        finally:
            self.driver.execute_cdp_cmd("Network.setBlockedURLs", {"urls": []})
            server.stop()


class InJapanese(Languages, unittest.TestCase):
    language = "ja"
    own, other = "ja", "en"


class InEnglish(Languages, unittest.TestCase):
    language = "en-US"
    own, other = "en", "ja"


if __name__ == "__main__":
    SCREENSHOTS.mkdir(parents=True, exist_ok=True)
    unittest.main(argv=sys.argv[:1] + sys.argv[5:], verbosity=2)
