#!/usr/bin/python3
"""The page in a real browser: Debian's Chromium, headless, driven through
chromedriver, with the assembled page folder served on 127.0.0.1 only.

    browser_test.py PAGE_FOLDER SOURCE_FOLDER SCREENSHOT_FOLDER CHECKS_MODULE [TEST...]

CHECKS_MODULE is the test-only module of tests/wasi, which traps and runs
out of memory on purpose.

Every answer is typed or opened as a user would; every saved file is a
real download, compared byte for byte with the expected files of the
end-to-end tests. The CP932 decoding and encoding of the page are checked
against the iconv command over every single and double byte sequence and
every code point of the Basic Multilingual Plane.
"""
import base64
import pathlib
import subprocess
import sys
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

from harness import TIMEOUT, PageSession

PAGE, SOURCE, SCREENSHOTS, CHECKS_MODULE = (pathlib.Path(p).resolve() for p in sys.argv[1:5])
EXPECTED = SOURCE / "tests" / "e2e"

# The prompt each butadiene answer follows, as the page shows it.
BUTADIENE_PROMPTS = [
    "化合物名を入力してください", "原子数を入力してください", "結合数を入力してください",
    "電子数を入力してください", "ヘテロ・パラメータ数を入力してください",
    "[ 1] :", "[ 2] :", "[ 3] :", "何か文字を入力してください",
]


class PageTest(PageSession, unittest.TestCase):
    # Tests

    def test_butadiene_typed_answer_by_answer(self):
        self.open_page()
        self.assertEqual(self.driver.switch_to.active_element, self.element("answer"))
        answers = (SOURCE / "examples" / "butadiene.txt").read_text("ascii").splitlines()
        self.assertEqual(len(answers), len(BUTADIENE_PROMPTS))
        for prompt, answer in zip(BUTADIENE_PROMPTS, answers):
            # The prompt is the last thing on the screen before the answer
            # is typed, and the page says it waits for an answer to it.
            self.wait_for_state("waiting")
            self.assertIn(prompt, self.last_screen_line())
            self.assertIn(prompt, self.status())
            self.type_answer(answer)
            self.assertIn(answer, self.screen_lines())
        self.wait_for_state("finished")
        self.driver.find_element(By.TAG_NAME, "body").screenshot(str(SCREENSHOTS / "butadiene.png"))

        # Saved with the keyboard alone: Tab to the button, Enter.
        def save_by_keyboard():
            for _ in range(30):
                if self.driver.switch_to.active_element == self.element("save-output"):
                    break
                ActionChains(self.driver).send_keys(Keys.TAB).perform()
            self.assertEqual(self.driver.switch_to.active_element, self.element("save-output"))
            ActionChains(self.driver).send_keys(Keys.ENTER).perform()
        name, saved = self.download(save_by_keyboard)
        self.assertEqual(saved, (EXPECTED / "examples" / "butadiene" / "stdout").read_bytes())
        self.check_finished_run(EXPECTED / "examples" / "butadiene", "orbcalc")
        _, answers_saved = self.download("save-answers")
        self.assertEqual(answers_saved, (SOURCE / "examples" / "butadiene.txt").read_bytes())

    def test_every_example_opened_and_from_the_list(self):
        self.open_page()
        examples = sorted((SOURCE / "examples").glob("*.txt"))
        self.assertGreater(len(examples), 0)
        for answers in examples:
            with self.subTest(example=answers.stem, how="opened"):
                self.open_answer_file(answers)
                self.check_finished_run(EXPECTED / "examples" / answers.stem, answers.stem)
        listed = [o.get_attribute("value") for o in Select(self.element("example")).options]
        self.assertEqual(listed, [a.stem for a in examples])
        for answers in examples:
            with self.subTest(example=answers.stem, how="listed"):
                Select(self.element("example")).select_by_value(answers.stem)
                self.element("run-example").click()
                WebDriverWait(self.driver, TIMEOUT).until(
                    lambda d: answers.stem in d.execute_script("return document.getElementById('screen').textContent")
                    and d.execute_script("return document.body.dataset.state") == "finished")
                self.check_finished_run(EXPECTED / "examples" / answers.stem, answers.stem)

    def test_bad_answer_shows_status_2_and_the_diagnostic(self):
        case = EXPECTED / "cases" / "failure_bad_bond_value"
        self.open_page()
        for answer in (case / "stdin").read_text("ascii").splitlines():
            self.wait_for_state("waiting")
            self.type_answer(answer)
        self.wait_for_state("finished")
        self.assertEqual(self.driver.execute_script("return document.body.dataset.status"), "2")
        diagnostic = self.element("stderr").text.splitlines()
        self.assertEqual(len(diagnostic), 3)
        self.check_finished_run(case, "orbcalc")
        self.driver.save_screenshot(str(SCREENSHOTS / "bad-answer.png"))

        # Taking the bad answer back waits for it again.
        self.element("undo").click()
        self.wait_for_state("waiting")
        self.assertIn("[ 2] :", self.last_screen_line())
        self.assertFalse(self.element("diagnostics").is_displayed())

    def test_end_of_input_from_the_keyboard(self):
        self.open_page()
        self.type_answer("ethylene")
        self.element("answer").send_keys(Keys.CONTROL, "d")
        self.wait_for_state("finished")
        self.assertIn("exit status 2 ", self.status())
        self.assertEqual(self.element("stderr").text.splitlines()[-1],
                         "Merovan runtime error: End of file")

    def test_japanese_name_reaches_the_program_as_cp932(self):
        name = "ブタジエン（１，３－）～"
        encoded = subprocess.run(["iconv", "-f", "UTF-8", "-t", "CP932"], input=name.encode(),
                                 capture_output=True, check=True).stdout
        self.open_page()
        for answer in [name, "2", "1", "2", "0", "1 2"]:
            self.type_answer(answer)
        self.wait_for_state("waiting")
        _, answers = self.download("save-answers")
        self.assertEqual(answers, encoded + b"\n2\n1\n2\n0\n1 2\n")
        _, output = self.download("save-output")
        self.assertIn(b"\r\n" + encoded + b" " * (40 - len(encoded)) + b"\r\n", output)
        self.assertIn(name, self.screen_lines())

        # A character Shift_JIS cannot hold is refused, not sent.
        field = self.element("answer")
        field.send_keys("\u00e9", Keys.ENTER)
        self.assertIn("cannot be written in Shift_JIS", self.status())
        self.assertEqual(field.get_attribute("value"), "\u00e9")

    def test_a_long_answer_line_is_shown_cut(self):
        answers = self.scratch / "long.txt"
        answers.write_bytes(b"n" * 5000 + b"\n")
        self.open_page()
        self.open_answer_file(answers)
        self.assertIn("n" * 4096 + " … (904 more bytes not shown)", self.screen_lines())
        self.assertNotIn("n" * 4097, self.driver.execute_script(
            "return document.getElementById('screen').textContent"))

    def test_pasted_lines_are_answers_one_by_one(self):
        self.open_page()
        for answer in ["butadiene", "4", "3", "4", "0"]:
            self.type_answer(answer)
        self.element("answer").send_keys("1")
        self.driver.execute_script("""
            const data = new DataTransfer();
            data.setData('text/plain', ' 2\\n2 3\\r\\n3 4\\nx');
            const field = document.getElementById('answer');
            field.dispatchEvent(new ClipboardEvent('paste', { clipboardData: data, bubbles: true,
                                                              cancelable: true }));
        """)
        WebDriverWait(self.driver, TIMEOUT).until(lambda d: BUTADIENE_PROMPTS[-1] in self.last_screen_line())
        self.assertEqual(self.element("answer").get_attribute("value"), "x")
        self.element("answer").send_keys(Keys.ENTER)
        self.wait_for_state("finished")
        self.check_finished_run(EXPECTED / "examples" / "butadiene", "orbcalc")

    def test_phone_screen(self):
        self.open_page()
        self.open_answer_file(SOURCE / "examples" / "annulene30.txt")
        try:
            self.driver.set_window_size(390, 844)
            overflow = self.driver.execute_script(
                "return document.documentElement.scrollWidth - document.documentElement.clientWidth")
            self.assertLessEqual(overflow, 0, "the page itself scrolls sideways on a phone")
            screen = self.element("screen")
            self.assertGreater(int(screen.get_attribute("scrollWidth")),
                               int(screen.get_attribute("clientWidth")),
                               "the report should scroll inside its own box")
            self.driver.save_screenshot(str(SCREENSHOTS / "phone.png"))
        finally:
            self.driver.set_window_size(1000, 1300)

    def test_report_columns_line_up(self):
        # Every record of the report is as wide on the screen as it has
        # bytes: a full-width prompt character takes two columns.
        self.open_page()
        self.open_answer_file(SOURCE / "examples" / "pyridine.txt")
        widths = self.driver.execute_script("""
            const screen = document.getElementById('screen');
            const probe = document.createElement('span');
            probe.textContent = 'x'.repeat(10);
            screen.append(probe);
            const column = probe.getBoundingClientRect().width / 10;
            probe.remove();
            const range = document.createRange();
            range.selectNodeContents(screen);
            const left = screen.getBoundingClientRect().left + screen.clientLeft;
            const right = Math.max(...Array.from(range.getClientRects(), (r) => r.right));
            return { column, width: right - left };
        """)
        self.assertGreater(widths["column"], 0)
        # The widest record (the prompt of the bond pairs) decides the width.
        stdout = (EXPECTED / "examples" / "pyridine" / "stdout").read_bytes()
        widest = max(len(record) for record in stdout.split(b"\r\n"))
        padding = self.driver.execute_script(
            "return parseFloat(getComputedStyle(document.getElementById('screen')).paddingLeft);")
        self.assertAlmostEqual(widths["width"] - padding, widest * widths["column"],
                               delta=widths["column"])

    def test_cp932_decoding_and_encoding_match_iconv(self):
        self.open_page()
        script = """
            const done = arguments[arguments.length - 1];
            import('./program/cp932.js').then(async ({ loadCp932 }) => {
              const cp = await loadCp932('program/cp932.txt');
              const pairs = [];
              for (let lead = 0; lead < 256; lead++) {
                pairs.push(lead, 0x0a);
                for (let trail = 0; trail < 256; trail++) pairs.push(lead, trail, 0x0a);
              }
              const all = new Uint8Array(pairs);
              const decoded = cp.decode(all);
              const valid = [];
              let i = 0;
              for (const c of decoded) {
                if (c.codePoint !== 0xfffd) for (let k = 0; k < c.width; k++) valid.push(all[i + k]);
                i += c.width;
              }
              const encodable = [], unencodable = [];
              for (let cp32 = 0; cp32 < 0x10000; cp32++) {
                if (cp32 >= 0xd800 && cp32 <= 0xdfff) continue;
                try { cp.encode(String.fromCodePoint(cp32)); encodable.push(cp32); }
                catch { unencodable.push(cp32); }
              }
              const encoded = encodable.map((c) => Array.from(cp.encode(String.fromCodePoint(c))));
              done({ shown: decoded.filter((c) => c.codePoint !== 0xfffd)
                                    .map((c) => String.fromCodePoint(c.codePoint)).join(''),
                     valid, encodable, unencodable, encoded: [].concat(...encoded) });
            }, (error) => done({ error: String(error) }));
        """
        self.driver.set_script_timeout(60)
        page = self.driver.execute_async_script(script)
        self.assertNotIn("error", page)
        every_pair = bytearray()
        for lead in range(256):
            every_pair += bytes([lead, 0x0A])
            for trail in range(256):
                every_pair += bytes([lead, trail, 0x0A])

        def iconv(arguments, data):
            return subprocess.run(["iconv", *arguments], input=data, capture_output=True)

        # What the page shows, less its U+FFFD marks, is what `iconv -c`
        # shows of every byte and every pair; the sequences the page takes
        # as valid iconv converts without complaint, to the same text.
        lenient = iconv(["-c", "-f", "CP932", "-t", "UTF-8"], bytes(every_pair))
        self.assertEqual(page["shown"], lenient.stdout.decode("utf-8"))
        strict = iconv(["-f", "CP932", "-t", "UTF-8"], bytes(page["valid"]))
        self.assertEqual(strict.returncode, 0, strict.stderr)
        self.assertEqual(page["shown"], strict.stdout.decode("utf-8"))
        self.assertGreater(len(page["shown"]), 9000)

        # Each code point the page encodes, iconv encodes to the same bytes;
        # those it refuses, iconv refuses too.
        text = "".join(chr(c) for c in page["encodable"]).encode("utf-8")
        encoded = iconv(["-f", "UTF-8", "-t", "CP932"], text)
        self.assertEqual(encoded.returncode, 0, encoded.stderr)
        self.assertEqual(encoded.stdout, bytes(page["encoded"]))
        refused = "".join(chr(c) for c in page["unencodable"]).encode("utf-8")
        self.assertEqual(iconv(["-c", "-f", "UTF-8", "-t", "CP932"], refused).stdout, b"")

    def test_every_case_through_the_page_runner(self):
        # The end-to-end cases whose input is a plain file, each run whole
        # through the page's own system calls in the browser.
        self.open_page()
        cases = [c for c in sorted((EXPECTED / "cases").iterdir()) if not (c / "setup").exists()]
        self.assertGreater(len(cases), 40)
        for case in cases:
            with self.subTest(case=case.name):
                self.check_whole_run(case, (case / "stdin").read_bytes())

    def test_traps_and_memory_exhaustion_as_under_node(self):
        self.open_page()
        module = CHECKS_MODULE.read_bytes()
        cases = sorted((SOURCE / "tests" / "wasi" / "cases").iterdir())
        self.assertGreater(len(cases), 0)
        for case in cases:
            with self.subTest(check=case.name):
                self.check_whole_run(case, b"", module, ["wasi_checks", case.name])

    def check_whole_run(self, case, stdin, module=None, args=None):
        """Runs `module` (the page's program by default) through the page's
        runner on `stdin`, and compares with the expected files of `case`."""
        result = self.driver.execute_async_script("""
            const [input, module, args, done] = arguments;
            const bytes = (text) => Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
            const base64 = (b) => btoa(Array.from(b, (x) => String.fromCharCode(x)).join(''));
            const wasm = module === null ? fetch('orbcalc.wasm').then((r) => r.arrayBuffer())
                                         : Promise.resolve(bytes(module));
            Promise.all([import('./program/run.js'), wasm]).then(async ([{ runProgram }, code]) => {
              const r = await runProgram(await WebAssembly.compile(code), bytes(input), true,
                                         args ?? undefined);
              done({ stdout: base64(r.stdout), stderr: base64(r.stderr), status: r.status });
            }, (error) => done({ error: String(error) }));
        """, base64.b64encode(stdin).decode(),
            None if module is None else base64.b64encode(module).decode(), args)
        self.assertNotIn("error", result)
        stdout, stderr, status = self.expected(case)
        self.assertEqual(base64.b64decode(result["stdout"]), stdout)
        self.assertEqual(base64.b64decode(result["stderr"]), stderr)
        self.assertEqual(result["status"], status)

    def test_a_trap_ends_the_run_as_a_fault(self):
        # Two modules made by hand, each exporting its memory and a _start
        # that traps: one at an unreachable instruction, one by endless
        # recursion. Neither has orbcalc_trap, so the page writes the fault
        # line itself.
        header = ("0061736d01000000" "01040160000003020100" "0503010001"
                  "071302066d656d6f72790200065f73746172740000")
        modules = {"Illegal instruction": header + "0a05010300000b",
                   "Stack overflow": header + "0a0601040010000b"}
        self.open_page()
        for name, module in modules.items():
            result = self.driver.execute_async_script("""
                const [hex, done] = arguments;
                const bytes = new Uint8Array(hex.match(/../g).map((h) => parseInt(h, 16)));
                import('./program/run.js').then(async ({ runProgram }) => {
                  const result = await runProgram(await WebAssembly.compile(bytes), new Uint8Array(0), false);
                  done({ status: result.status, stderr: new TextDecoder().decode(result.stderr) });
                }, (error) => done({ error: String(error) }));
            """, module)
            self.assertEqual(result, {"status": 95, "stderr": f"Exception: {name}\n"})

    def test_zz_nothing_loaded_from_elsewhere(self):
        # Runs last (tests run in name order): every request of every test.
        self.collect_requests()
        self.assertGreater(len(self.request_log), 0)
        # The page's own requests, and any request to a network address.
        ours = self.server.origin + "/"
        outside = [url for document, url in self.request_log
                   if (document.startswith(ours) or url.split(":")[0] in ("http", "https", "ws", "wss"))
                   and not url.startswith(ours) and not url.startswith("blob:" + ours)]
        self.assertEqual(outside, [])
        self.assertIn(ours + "orbcalc.wasm", [url for _, url in self.request_log])
        failed = [(path, code) for path, code in self.server.requests if code not in (200, 304)]
        self.assertEqual(failed, [])
        served = {path.split("?")[0] for path, _ in self.server.requests}
        self.assertIn("/orbcalc.wasm", served)
        errors = [e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]
        self.assertEqual(errors, [])


if __name__ == "__main__":
    SCREENSHOTS.mkdir(parents=True, exist_ok=True)
    unittest.main(argv=sys.argv[:1] + sys.argv[5:], verbosity=2)
