#!/usr/bin/python3
"""How long the page takes to show its first prompt, in headless Chromium.

    python3 bench/page_load.py PAGE_FOLDER [--loads N] [--json FILE]

Serves PAGE_FOLDER (build-web/page) on the loopback address with Python's
http.server and loads it N times (9 unless given) in each of two ways:

- cold: a new browser with an empty profile for every load, so nothing is
  cached and no service worker is installed;
- warm: one browser that has visited the page once and kept it (the
  service worker controls it), then opens it again N times.

The time of a load is the page's own clock, performance.now() (from the
start of the navigation), at the moment the page marks its first prompt
as shown (document.body.dataset.state becomes "waiting"), read by a
mutation observer put in before the page's own scripts. The script prints
the median and the spread of each, the bytes the page fetched before its
first prompt on a cold load (bodies as sent, the document included) and
the machine's load average, which these figures depend on.
"""
import argparse
import json
import os
import pathlib
import shutil
import statistics
import sys
import tempfile

from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "web" / "browser"))
from chromium import Server, start_browser  # noqa: E402

TIMEOUT = 30
# Notes the page's clock when the first prompt is marked as shown.
FIRST_PROMPT = """
new MutationObserver((_, observer) => {
  if (document.body?.dataset.state !== 'waiting') return;
  window.firstPromptAt = performance.now();
  observer.disconnect();
}).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-state'] });
"""
# The bodies fetched before the first prompt was shown.
BYTES_BEFORE = """
const at = window.firstPromptAt;
const document_ = performance.getEntriesByType('navigation')[0].encodedBodySize;
return performance.getEntriesByType('resource')
  .filter((r) => r.responseEnd <= at)
  .reduce((sum, r) => sum + r.encodedBodySize, document_);
"""


def open_page(driver, url):
    driver.get(url)
    WebDriverWait(driver, TIMEOUT).until(lambda d: d.execute_script("return window.firstPromptAt !== undefined"))
    return driver.execute_script("return window.firstPromptAt")


def browser(profile):
    driver = start_browser(profile, logs=False)
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_PROMPT})
    return driver


def cold_loads(url, loads, scratch):
    times, sizes = [], []
    for load in range(loads):
        driver = browser(scratch / f"cold-{load}")
        try:
            times.append(open_page(driver, url))
            sizes.append(driver.execute_script(BYTES_BEFORE))
        finally:
            driver.quit()
    return times, sizes


def warm_loads(url, loads, scratch):
    driver = browser(scratch / "warm")
    try:
        open_page(driver, url)
        WebDriverWait(driver, TIMEOUT).until(
            lambda d: d.execute_script("return navigator.serviceWorker.controller !== null"))
        return [open_page(driver, url) for _ in range(loads)]
    finally:
        driver.quit()


def summary(times):
    return {"median_ms": round(statistics.median(times), 1), "min_ms": round(min(times), 1),
            "max_ms": round(max(times), 1), "all_ms": [round(t, 1) for t in times]}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("page", type=pathlib.Path)
    parser.add_argument("--loads", type=int, default=9)
    parser.add_argument("--json", type=pathlib.Path)
    arguments = parser.parse_args()
    if not (arguments.page / "index.html").is_file():
        sys.exit(f"{arguments.page}: no index.html; build the page first (cmake --build --preset web)")
    scratch = pathlib.Path(tempfile.mkdtemp(prefix="orbcalc-bench-"))
    # The loopback address is a secure context, where the service worker runs.
    server = Server(arguments.page)
    # A browser that quits while the page still fetches resets the connection.
    server.httpd.handle_error = lambda request, address: None
    url = server.origin + "/"
    try:
        load_before = os.getloadavg()
        cold, sizes = cold_loads(url, arguments.loads, scratch)
        warm = warm_loads(url, arguments.loads, scratch)
        load_after = os.getloadavg()
    finally:
        server.stop()
        shutil.rmtree(scratch, ignore_errors=True)
    result = {"loads": arguments.loads, "cold": summary(cold), "warm": summary(warm),
              "bytes_before_first_prompt": statistics.median(sizes),
              "load_average": [round(x, 2) for x in load_before + load_after]}
    print(f"cold: median {result['cold']['median_ms']} ms, {result['cold']['min_ms']} to {result['cold']['max_ms']} ms")
    print(f"warm: median {result['warm']['median_ms']} ms, {result['warm']['min_ms']} to {result['warm']['max_ms']} ms")
    print(f"bytes before the first prompt: {result['bytes_before_first_prompt']}")
    print(f"load average before {load_before[0]:.2f}, after {load_after[0]:.2f} ({os.cpu_count()} processors)")
    if arguments.json:
        arguments.json.write_text(json.dumps(result, indent=1) + "\n")


if __name__ == "__main__":
    main()
