"""What the page's browser tests share: the page folder served on the
loopback address, Debian's Chromium started headless through chromedriver,
and a test case's helpers to open the page, answer, wait and download.
"""
import functools
import http.server
import json
import pathlib
import shutil
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

TIMEOUT = 20


class Server:
    """The page folder over HTTP on the loopback address, noting every request."""

    def __init__(self, folder, port=0):
        self.requests = []
        server = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            def log_request(self, code="-", size="-"):
                server.requests.append((self.path, int(code) if str(code).isdigit() else 0))

            def log_message(self, *args):
                pass

        handler = functools.partial(Handler, directory=str(folder))
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
        self.origin = f"http://127.0.0.1:{self.httpd.server_address[1]}"
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


def start_browser(profile, downloads, language="en-US"):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     "--disable-dev-shm-usage", f"--user-data-dir={profile}",
                     "--window-size=1000,1300", f"--lang={language}"]:
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
    # On Linux --lang names only the browser's own language; the languages
    # it offers pages (navigator.languages) are this setting.
    options.add_experimental_option("prefs", {"intl.accept_languages": language})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                           {"behavior": "allow", "downloadPath": str(downloads)})
    return driver


class PageSession:
    """A test case's browser and server, one of each for the class: the
    folder `page` served (by default the page folder, which every test
    script takes as its first argument), the browser set to `language`.
    Mixed into a unittest.TestCase."""

    @classmethod
    def setUpClass(cls):
        cls.scratch = pathlib.Path(tempfile.mkdtemp(prefix="orbcalc-web-"))
        cls.downloads = cls.scratch / "downloads"
        cls.downloads.mkdir()
        cls.page = getattr(cls, "page", None) or pathlib.Path(sys.argv[1]).resolve()
        cls.server = Server(cls.page)
        cls.driver = start_browser(cls.scratch / "profile", cls.downloads, getattr(cls, "language", "en-US"))
        cls.request_log = []

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.stop()
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def open_page(self):
        self.driver.get(self.server.origin + "/index.html")
        self.wait_for_state("waiting")
        self.collect_requests()

    def collect_requests(self):
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                params = message["params"]
                type(self).request_log.append((params.get("documentURL", ""), params["request"]["url"]))

    def wait_for_state(self, state):
        WebDriverWait(self.driver, TIMEOUT).until(
            lambda d: d.execute_script("return document.body.dataset.state") == state)

    def element(self, id_):
        return self.driver.find_element(By.ID, id_)

    def status(self):
        return self.element("status").text

    def screen_lines(self):
        return self.driver.execute_script("return document.getElementById('screen').textContent").split("\n")

    def last_screen_line(self):
        return [line for line in self.screen_lines() if line.strip()][-1]

    def type_answer(self, text):
        field = self.element("answer")
        before = self.driver.execute_script("return document.getElementById('screen').textContent")
        field.send_keys(text, Keys.ENTER)
        WebDriverWait(self.driver, TIMEOUT).until(
            lambda d: d.execute_script("return document.getElementById('screen').textContent") != before)

    def download(self, button):
        for old in self.downloads.iterdir():
            old.unlink()
        if isinstance(button, str):
            self.element(button).click()
        else:
            button()
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            files = [f for f in self.downloads.iterdir() if not f.name.endswith(".crdownload")]
            if files:
                time.sleep(0.1)  # the rename comes after the last byte
                return files[0].name, files[0].read_bytes()
            time.sleep(0.05)
        self.fail(f"no download from {button}")

    def open_answer_file(self, path):
        self.element("open-file").send_keys(str(path))
        self.wait_for_state("finished")

    def expected(self, folder):
        return ((folder / "stdout").read_bytes(), (folder / "stderr").read_bytes(),
                int((folder / "status").read_text()))

    def check_finished_run(self, folder, name):
        stdout, stderr, status = self.expected(folder)
        saved_name, saved = self.download("save-output")
        self.assertEqual(saved_name, f"{name}.out")
        self.assertEqual(saved, stdout, f"{name}: saved output differs from {folder}/stdout")
        self.assertIn(f"exit status {status} ", self.status())
        diagnostics = self.element("diagnostics")
        if stderr:
            self.assertTrue(diagnostics.is_displayed())
            self.assertEqual(self.element("stderr").get_attribute("textContent"),
                             stderr.decode("ascii"))
        else:
            self.assertFalse(diagnostics.is_displayed())
