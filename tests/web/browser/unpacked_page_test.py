#!/usr/bin/python3
# The page as its release ZIP hands it over, in headless Chromium
# (arguments as harness.py says, PAGE_FOLDER being the empty folder the ZIP
# was unpacked into): served from a folder below the server's root, it
# runs an example byte for byte, asks for nothing outside its own folder
# and logs no error. .ci/release.sh runs it.
import unittest

from harness import EXPECTED, PageSession, main


class UnpackedPageTest(PageSession, unittest.TestCase):
    def test_an_example_runs_from_the_unpacked_folder(self):
        (folder,) = [entry.name for entry in self.page.iterdir()]
        self.open_page(f"{self.server.origin}/{folder}")
        self.run_example("butadiene")
        self.check_finished_run(EXPECTED / "examples" / "butadiene", "butadiene")
        outside = [(path, code) for path, code in self.server.requests
                   if not path.startswith(f"/{folder}/") or code not in (200, 304)]
        self.assertEqual(outside, [])
        self.assertEqual([e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"], [])


if __name__ == "__main__":
    main()
