# Debian's Chromium, headless through chromedriver, and a folder served
# on the loopback address: what the page's browser tests, its load
# benchmark and the release check of its ZIP all drive.
import functools
import http.server
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class Server:
    # The folder over HTTP on the loopback address, noting every request.
    def __init__(self, folder, port=0):
        self.requests = []
        server = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            def log_request(self, code="-", size="-"):
                server.requests.append((self.path, int(code) if str(code).isdigit() else 0))

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(
            ("127.0.0.1", port), functools.partial(Handler, directory=str(folder)))
        self.origin = f"http://127.0.0.1:{self.httpd.server_address[1]}"
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


def start_browser(profile, language="en-US", downloads=None, logs=True):
    # Chromium headless with the profile folder `profile`, offering pages
    # `language`; saving downloads into `downloads`; keeping the network
    # and console logs unless `logs` is false (they cost time at load).
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--disable-dev-shm-usage", f"--user-data-dir={profile}", "--window-size=1000,1300",
                     f"--lang={language}"]:
        options.add_argument(argument)
    if logs:
        options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
    # On Linux --lang names only the browser's own language; the languages
    # it offers pages (navigator.languages) are this setting.
    options.add_experimental_option("prefs", {"intl.accept_languages": language})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    if downloads:
        driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": str(downloads)})
    return driver
