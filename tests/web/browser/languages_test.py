#!/usr/bin/python3
# The page in each of its languages, in headless Chromium started with the
# browser's language set (arguments as harness.py says): its words are the
# table's of that language, the switch flips them to the other without
# losing the run, the choice is remembered, and a failure to load is said
# again in the other language.
import json
import shutil
import subprocess
import unittest

from harness import EXPECTED, SCREENSHOTS, SOURCE, PageSession, Server, main

# The message tables of the page's modules, as node reads them from the
# source: the page holds them bundled.
TABLES = json.loads(subprocess.run(
    [shutil.which("node") or "nodejs", "--input-type=module", "-e",
     "const tables = {};"
     f"for (const code of ['en', 'ja']) tables[code] = (await import(`{(SOURCE / 'web' / 'i18n').as_uri()}/${{code}}.js`)).default;"
     "console.log(JSON.stringify(tables));"],
    check=True, capture_output=True, text=True).stdout)

# Every text of the page's markup that names its message, against the
# table of the page's language: the differences, none when all is well.
WORDS = """
    const tables = arguments[0];
    const code = document.documentElement.lang;
    const table = tables[code];
    const differences = [];
    for (const name of ['', '-aria-label', '-title', '-placeholder']) {
      for (const e of document.querySelectorAll(`[data-i18n${name}]`)) {
        const key = e.getAttribute(`data-i18n${name}`);
        const shown = name ? e.getAttribute(name.slice(1)) : e.textContent;
        if (shown !== table[key]) differences.push([key, shown, table[key]]);
      }
    }
    return { code, differences, count: document.querySelectorAll('[data-i18n]').length, table };
"""


class Languages(PageSession):
    def check_words(self, code):
        page = self.driver.execute_script(WORDS, TABLES)
        self.assertEqual((page["code"], page["differences"]), (code, []))
        self.assertGreater(page["count"], 10)
        return page["table"]

    def before(self, table, key, field):
        return table[key].split("{" + field + "}")[0]

    def test_the_browsers_language_chooses_the_table_and_the_switch_flips_it(self):
        self.open_page()
        table = self.check_words(self.own)
        # The status sentence, made at run time, is the table's too.
        self.assertIn(table["status.waiting"].replace("{prompt}", ""), self.status())
        for answer in ("butadiene", "4", "3", "4", "0", "1 2"):
            self.type_answer(answer)
        before = self.screen()
        try:
            self.choose("language", self.other)
            self.until(lambda: self.js("return document.documentElement.lang") == self.other)
            table = self.check_words(self.other)
            self.assertEqual(self.screen(), before)
            self.assertIn(table["status.waiting"].replace("{prompt}", ""), self.status())
            self.assertEqual(self.js("return document.body.dataset.state"), "waiting")
            # The run goes on where it was, and its output is the program's.
            for answer in ("2 3", "3 4", "x"):
                self.type_answer(answer)
            self.wait_for_state("finished")
            self.assertTrue(self.status().startswith(self.before(table, "status.finished", "status")), self.status())
            self.assertEqual(self.download("save-output")[1], (EXPECTED / "examples" / "butadiene" / "stdout").read_bytes())
            # The whole page, the pictures' words too, in a window tall enough.
            self.wait_for_pictures()
            self.driver.set_window_size(1000, 3000)
            self.driver.find_element("tag name", "body").screenshot(str(SCREENSHOTS / f"page-{self.other}.png"))
            self.driver.set_window_size(1000, 1300)
            # The choice outlives the visit.
            self.open_page()
            self.check_words(self.other)
        finally:
            self.choose("language", self.own)
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
            loading = self.driver.execute_script(WORDS, TABLES)["table"]["status.loading"]
            self.until(lambda: self.status() not in ("", loading))
            failure = self.status()
            self.choose("language", self.other)
            other = self.check_words(self.other)
            self.assertNotIn(self.status(), (failure, other["status.loading"]))
            self.assertTrue(self.status().startswith(self.before(other, "status.loadFailed", "reason")), self.status())
            self.choose("language", self.own)
            self.assertEqual(self.status(), failure)
        finally:
            self.driver.execute_cdp_cmd("Network.setBlockedURLs", {"urls": []})
            server.stop()


class InJapanese(Languages, unittest.TestCase):
    language, own, other = "ja", "ja", "en"


class InEnglish(Languages, unittest.TestCase):
    language, own, other = "en-US", "en", "ja"


if __name__ == "__main__":
    main()
