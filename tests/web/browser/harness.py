# What the page's browser tests share: the arguments every script takes,
#
#     SCRIPT PAGE_FOLDER SOURCE_FOLDER SCREENSHOT_FOLDER [TEST...]
#
# the page folder served on the loopback address and Debian's Chromium
# started headless (chromium.py), and a test case's helpers to open the
# page, answer, wait, download and check a finished run byte for byte.
import contextlib
import json
import pathlib
import shutil
import sys
import tempfile
import time
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

from chromium import Server, start_browser

TIMEOUT = 20
PAGE, SOURCE, SCREENSHOTS = (pathlib.Path(p).resolve() for p in sys.argv[1:4])
EXAMPLES = SOURCE / "examples"
EXPECTED = SOURCE / "tests" / "e2e"


class PageSession:
    # A test case's browser and server, one of each for the class: the
    # folder `page` served (the page folder unless the class says), the
    # browser set to `language`. Mixed into a unittest.TestCase.
    language = "en-US"

    @classmethod
    def setUpClass(cls):
        cls.scratch = pathlib.Path(tempfile.mkdtemp(prefix="orbcalc-web-"))
        cls.downloads = cls.scratch / "downloads"
        cls.downloads.mkdir()
        cls.page = getattr(cls, "page", None) or PAGE
        cls.server = Server(cls.page)
        cls.driver = start_browser(cls.scratch / "profile", cls.language, cls.downloads)
        cls.request_log = []

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.stop()
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def element(self, id_):
        return self.driver.find_element(By.ID, id_)

    def status(self):
        return self.element("status").text

    def screen(self):
        return self.js("return document.getElementById('screen').textContent")

    def last_screen_line(self):
        return [line for line in self.screen().split("\n") if line.strip()][-1]

    def choose(self, id_, value):
        Select(self.element(id_)).select_by_value(value)

    def press(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def tab_until(self, found, limit=60):
        for _ in range(limit):
            if found():
                return
            self.press(Keys.TAB)
        self.assertTrue(found(), "not reached with Tab")

    def until(self, condition, timeout=TIMEOUT):
        WebDriverWait(self.driver, timeout).until(lambda d: condition())

    def wait_for_state(self, state):
        self.until(lambda: self.js("return document.body.dataset.state") == state)

    def wait_for_pictures(self):
        self.until(lambda: self.js("return document.querySelector('#orbital-drawing svg') !== null"))

    def open_page(self, origin=None):
        self.driver.get((origin or self.server.origin) + "/index.html")
        self.wait_for_state("waiting")
        self.collect_requests()

    def collect_requests(self):
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                params = message["params"]
                type(self).request_log.append((params.get("documentURL", ""), params["request"]["url"]))

    def type_answer(self, text):
        before = self.screen()
        self.element("answer").send_keys(text, Keys.ENTER)
        self.until(lambda: self.screen() != before)

    def open_answer_file(self, path):
        self.element("open-file").send_keys(str(path))
        self.wait_for_state("finished")

    def run_example(self, name):
        self.choose("example", name)
        self.element("run-example").click()
        self.until(lambda: name in self.screen() and self.js("return document.body.dataset.state") == "finished")

    @contextlib.contextmanager
    def phone(self):
        self.driver.set_window_size(390, 844)
        try:
            yield
        finally:
            self.driver.set_window_size(1000, 1300)

    def page_overflow(self):
        return self.js("return document.documentElement.scrollWidth - document.documentElement.clientWidth")

    def download(self, button):
        # The file a click on `button` (an id, or a function that presses
        # it) saves: its name and bytes.
        for old in self.downloads.iterdir():
            old.unlink()
        self.element(button).click() if isinstance(button, str) else button()
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            files = [f for f in self.downloads.iterdir() if not f.name.endswith(".crdownload")]
            if files:
                time.sleep(0.1)  # the rename comes after the last byte
                return files[0].name, files[0].read_bytes()
            time.sleep(0.05)
        self.fail(f"no download from {button}")

    def check_finished_run(self, folder, name):
        # The saved output, the exit status and the diagnostics are those
        # of the end-to-end test in `folder`.
        saved_name, saved = self.download("save-output")
        self.assertEqual((saved_name, saved), (f"{name}.out", (folder / "stdout").read_bytes()), folder)
        self.assertIn(f"exit status {int((folder / 'status').read_text())} ", self.status())
        stderr = (folder / "stderr").read_bytes()
        self.assertEqual(self.element("diagnostics").is_displayed(), bool(stderr))
        if stderr:
            self.assertEqual(self.element("stderr").get_attribute("textContent"), stderr.decode("ascii"))


class LoadsNothingFromElsewhere:
    # Runs last (tests run in name order): every request of every test was
    # the page's own and answered, and the console has no error (which is
    # where a refusal by the Content-Security-Policy shows).
    def test_zz_nothing_loaded_from_elsewhere(self):
        self.collect_requests()
        ours = self.server.origin + "/"
        outside = [url for document, url in self.request_log
                   if (document.startswith(ours) or url.split(":")[0] in ("http", "https", "ws", "wss"))
                   and not url.startswith(ours) and not url.startswith("blob:" + ours)]
        self.assertEqual(outside, [])
        self.assertIn(ours + "orbcalc.wasm", [url for _, url in self.request_log])
        self.assertEqual([(path, code) for path, code in self.server.requests if code not in (200, 304)], [])
        self.assertEqual([e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"], [])


def main():
    SCREENSHOTS.mkdir(parents=True, exist_ok=True)
    unittest.main(argv=sys.argv[:1] + sys.argv[4:], verbosity=2)
