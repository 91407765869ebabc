#!/usr/bin/python3
# The page installed and offline, in headless Chromium (arguments as
# harness.py says): the manifest as the browser reads it, a first visit
# that keeps the folder, the page run again with the server stopped, a
# changed folder taken as a new version, and the page without a service
# worker. The tests serve a copy of the page folder, which one of them
# changes.
import json
import pathlib
import shutil
import struct
import subprocess
import tempfile
import unittest

from selenium.webdriver.common.by import By

from harness import EXPECTED, PAGE, SOURCE, PageSession, Server, main

EXPECTED = EXPECTED / "examples"
CACHES = "const done = arguments[arguments.length - 1]; caches.keys().then(done, (error) => done(String(error)));"


def write_service_worker(folder):
    # What the build does last: sw.js made anew from the folder's files.
    subprocess.run(["cmake", f"-DPAGE={folder}", f"-DTEMPLATE={SOURCE / 'web' / 'service_worker.js.in'}",
                    "-P", str(SOURCE / "web" / "service_worker.cmake")], check=True)


class OfflineTest(PageSession, unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.copy = pathlib.Path(tempfile.mkdtemp(prefix="orbcalc-page-"))
        cls.page = pathlib.Path(shutil.copytree(PAGE, cls.copy / "page"))
        super().setUpClass()

    @classmethod
    def tearDownClass(cls):
        super().tearDownClass()
        shutil.rmtree(cls.copy, ignore_errors=True)

    def open_and_keep(self):
        # A visit after which the page is served by its service worker.
        self.open_page()
        self.until(lambda: self.js("return navigator.serviceWorker.controller !== null"))

    def test_manifest_as_the_browser_reads_it(self):
        self.open_and_keep()
        manifest = self.driver.execute_cdp_cmd("Page.getAppManifest", {})
        self.assertEqual((manifest["errors"], manifest["url"]), ([], self.server.origin + "/manifest.webmanifest"))
        self.assertEqual(self.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {}), {"installabilityErrors": []})
        # Every icon is in the folder, and each PNG is as large as it says.
        for icon in json.loads((self.page / "manifest.webmanifest").read_text())["icons"]:
            data = (self.page / icon["src"]).read_bytes()
            if icon["type"] == "image/png":
                self.assertEqual(icon["sizes"], "%dx%d" % struct.unpack(">II", data[16:24]), icon["src"])

    def test_a_offline_after_a_first_visit(self):
        self.open_and_keep()
        self.server.stop()
        try:
            self.driver.refresh()
            self.wait_for_state("waiting")
            self.run_example("butadiene")
            self.check_finished_run(EXPECTED / "butadiene", "butadiene")
            # The chemistry library and the pictures' chunk, loaded only now,
            # came from the cache too, as does the structure panel's.
            self.wait_for_pictures()
            self.driver.find_element(By.CSS_SELECTOR, "#structure summary").click()
            self.until(lambda: self.js("return !!document.querySelector('#structure-editor > div')"))
            # The folder itself, as well as its index.html.
            self.driver.get(self.server.origin + "/")
            self.wait_for_state("waiting")
        finally:
            type(self).server = Server(self.page, int(self.server.origin.rsplit(":", 1)[1]))

    def test_b_a_changed_folder_is_a_new_version(self):
        self.open_and_keep()
        old = self.driver.execute_async_script(CACHES)
        self.assertEqual(len(old), 1, old)
        # The same files make the same worker: nothing to install again.
        built = (self.page / "sw.js").read_bytes()
        write_service_worker(self.page)
        self.assertEqual((self.page / "sw.js").read_bytes(), built)
        index = self.page / "index.html"
        index.write_text(index.read_text().replace("<head>", '<head>\n<meta name="page-version" content="new">'))
        write_service_worker(self.page)
        self.assertNotEqual((self.page / "sw.js").read_bytes(), built)
        # The visit after the change finds the new worker, which fills its
        # own cache and removes the old one; from then on the new page is
        # served, and runs.
        self.driver.refresh()
        self.until(lambda: (lambda names: len(names) == 1 and names != old)(self.driver.execute_async_script(CACHES)))
        self.driver.refresh()
        self.wait_for_state("waiting")
        self.assertEqual(self.js("return document.querySelector('meta[name=page-version]')?.content"), "new")
        self.run_example("ethylene")
        self.check_finished_run(EXPECTED / "ethylene", "ethylene")

    def test_without_a_service_worker_the_page_works_as_before(self):
        # A browser without service workers, and a page that is not a
        # secure context (as over plain http from another machine), each on
        # an origin of its own that no worker has seen.
        for variant in ["delete Navigator.prototype.serviceWorker;",
                        "Object.defineProperty(window, 'isSecureContext', { get: () => false });"]:
            with self.subTest(variant=variant):
                server = Server(self.page)
                injected = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": variant})
                try:
                    self.open_page(server.origin)
                    self.run_example("butadiene")
                    self.check_finished_run(EXPECTED / "butadiene", "butadiene")
                    self.assertNotIn("/sw.js", [path for path, _ in server.requests])
                finally:
                    self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument",
                                                {"identifier": injected["identifier"]})
                    server.stop()


if __name__ == "__main__":
    main()
