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
# The caches, once no worker is being installed or waits to take over.
SETTLED_CACHES = """
    const done = arguments[arguments.length - 1];
    Promise.all([caches.keys(), navigator.serviceWorker.getRegistration()]).then(
      ([names, r]) => done(!r.installing && !r.waiting && r.active?.state === 'activated' ? names : null),
      (error) => done(String(error)));
"""
# Looks for a new worker and waits until it controls the page.
TAKEN_OVER = """
    const done = arguments[arguments.length - 1];
    navigator.serviceWorker.addEventListener('controllerchange', () => done(), { once: true });
    navigator.serviceWorker.getRegistration().then((registration) => registration.update());
"""


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

    def settled_caches(self, count):
        self.until(lambda: len(self.driver.execute_async_script(SETTLED_CACHES) or []) == count)
        return self.driver.execute_async_script(CACHES)

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
        # own cache beside the old one; from then on the new page is served,
        # and runs.
        self.driver.refresh()
        self.assertEqual(self.settled_caches(2)[0], old[0])
        self.driver.refresh()
        self.wait_for_state("waiting")
        self.assertEqual(self.js("return document.querySelector('meta[name=page-version]')?.content"), "new")
        self.run_example("ethylene")
        self.check_finished_run(EXPECTED / "ethylene", "ethylene")

    def test_c_a_page_open_across_a_new_version_loads_its_parts(self):
        # The folder changes under an open page, its structure panel's
        # chunk gone under another name as a new bundle names it: the new
        # worker takes the page over, removes all caches but its own and
        # the version before's, and the panel still comes, from that cache.
        self.open_and_keep()
        before = self.settled_caches(2)
        chunk = next((self.page / "js").glob("structure_view-*.js"))
        renamed = chunk.rename(chunk.with_name("structure_view-NEW.js"))
        try:
            write_service_worker(self.page)
            self.driver.execute_async_script(TAKEN_OVER)
            self.assertEqual(self.settled_caches(2)[0], before[-1])
            self.driver.find_element(By.CSS_SELECTOR, "#structure summary").click()
            self.until(lambda: self.js("return !!document.querySelector('#structure-editor > div')"))
        finally:
            renamed.rename(chunk)
            write_service_worker(self.page)

    def test_a_part_refused_once_is_asked_for_again(self):
        # On an origin of its own, without a worker to answer, the pictures'
        # chunk refused once (the network gone for a moment): the page says
        # so, and the next finished table loads it.
        server = Server(self.page)
        injected = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                               {"source": "delete Navigator.prototype.serviceWorker;"})
        self.driver.execute_cdp_cmd("Network.enable", {})
        self.driver.execute_cdp_cmd("Network.setBlockedURLs", {"urls": ["*/js/pictures_panel-*"]})
        try:
            self.open_page(server.origin)
            self.run_example("ethylene")
            self.until(lambda: "pictures_panel" in self.status())
            self.driver.execute_cdp_cmd("Network.setBlockedURLs", {"urls": []})
            self.run_example("ethylene")
            self.wait_for_pictures()
        finally:
            self.driver.execute_cdp_cmd("Network.setBlockedURLs", {"urls": []})
            self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": injected["identifier"]})
            server.stop()

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
