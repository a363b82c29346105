#!/usr/bin/env python3
"""The built page in a real browser (Debian's chromium, headless, driven by chromedriver through
Selenium) over a server on 127.0.0.1, against the Linux window through its probe: every case of
probe_e2e.py and every seed of the fuzzer gives the page the report, the input box, the message
and the judgement that the probe prints for it, by Enter and by click. Then what only a browser
shows: start-up, the message dialog and the prompt after it, the credit label's new tab, a phone's
screen at a device pixel ratio of 1 and 3, a run with the server gone, nothing stored but the
service worker's cache, no request for anything but the page's own files, and the size of what
the page loads.

usage: web_e2e.py PAGE_FOLDER
The probe is SHUJIAN_REFERENCE_PROBE, else build/default/tests/shujian-probe. Exits 77 (skipped)
when a tool or the probe is missing, or fails then if CI is set. With SHUJIAN_WEB_SHOTS set to a
folder, it leaves screenshots of the desktop and the phone there.
"""
import gzip
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path[:0] = [str(ROOT / "tests"), str(ROOT / "web")]
import probe_e2e as cases  # noqa: E402  the probe's cases, reused
from serve import make_server  # noqa: E402

PAGE = None
PROBE = None
NAME = "澄谷数鉴"
DESKTOP = (1024, 768)
PHONE = (360, 640)
MOST_LOADED = 400 * 1024
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         # Nothing but this machine resolves: a request elsewhere fails here, and the log says it.
         "--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1",
         "--window-size=%d,%d" % DESKTOP]
# What each of the probe's fields is on the page, read once a run has ended.
STATE = """
const $ = (id) => document.getElementById(id);
const judged = !$("judgement").hidden;
return JSON.stringify({result: $("resulttxt").value, qqnum: $("qqnum").value,
    message: $("message").open ? $("message-text").textContent : null,
    caption: $("message").open ? $("message-caption").textContent : null,
    appraisal: judged ? $("appraisal").textContent : "", verdict: judged ? $("verdict").textContent : "",
    focus: document.activeElement.id,
    selection: [$("qqnum").selectionStart, $("qqnum").selectionEnd]});
"""
# Sets the input box as the probe does, from UTF-16 code units (so that lone surrogates cross
# intact), and marks the result box and the announcement so that the run's end shows.
SET_INPUT = """
const units = arguments[0];
let text = "";
for (let i = 0; i < units.length; i += 4096)
  text += String.fromCharCode.apply(null, units.slice(i, i + 4096));
document.getElementById("qqnum").value = text;
document.getElementById("announce").textContent = "(running)";
return JSON.stringify(document.getElementById("qqnum").value);
"""
# Waits until the run shows its message or has ended.
WAIT_RUN = """
const done = arguments[arguments.length - 1];
const settled = () => document.getElementById("message").open
    || document.getElementById("announce").textContent !== "(running)";
(function poll() { settled() ? done(true) : setTimeout(poll, 5); })();
"""
CACHE_NAME = re.compile(r'const CACHE = "([^"]+)"')
REPORT_FIELDS = ("result", "qqnum", "message", "caption", "appraisal", "verdict")

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
except ImportError:
    webdriver = None


def units(text):
    data = text.encode("utf-16-le", "surrogatepass")
    return [int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2)]


def seeds():
    """The fuzzer's seeds as it reads them: little-endian UTF-16 code units, an odd byte dropped."""
    texts = []
    for seed in sorted((ROOT / "fuzz" / "seeds").iterdir()):
        data = seed.read_bytes()
        data = data[:len(data) // 2 * 2]
        texts.append(data.decode("utf-16-le", "surrogatepass"))
    return texts


def probe_runs(inputs, *args):
    cases.PROBE = [PROBE]
    return cases.probe(*args, inputs=inputs)


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.profile = tempfile.mkdtemp(prefix="shujian-web-")
        options = webdriver.ChromeOptions()
        options.binary_location = shutil.which("chromium")
        for flag in FLAGS + ["--user-data-dir=" + cls.profile]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
        cls.driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")),
                                      options=options)
        cls.driver.set_script_timeout(30)
        cls.server, cls.url = cls.serve()

    @classmethod
    def serve(cls):
        server = make_server(PAGE)
        threading.Thread(target=server.serve_forever, daemon=True).start()
        return server, "http://127.0.0.1:%d/" % server.server_port

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.shutdown()
        cls.server.server_close()
        shutil.rmtree(cls.profile, ignore_errors=True)

    def setUp(self):
        self.driver.get_log("performance")  # each test checks its own requests

    def load(self, url=None):
        self.driver.get(url or self.url)
        self.driver.execute_async_script(
            "const done = arguments[0];"
            "(function poll() { document.readyState === 'complete' ? done() : setTimeout(poll, 5); })();")

    def el(self, id_):
        return self.driver.find_element(By.ID, id_)

    def state(self):
        return json.loads(self.driver.execute_script(STATE))

    def run_case(self, text, click):
        """One run as the probe does it: set the text, Enter or click, the message answered."""
        held = json.loads(self.driver.execute_script(SET_INPUT, units(text)))
        if click:
            self.el("Command1").click()
        else:
            self.el("qqnum").send_keys(Keys.ENTER)
        self.driver.execute_async_script(WAIT_RUN)
        seen = self.state()
        if seen["message"] is not None:
            self.el("message-ok").click()
            self.driver.execute_async_script(WAIT_RUN)
            after = self.state()
            self.assertIsNone(after["message"])
            seen.update(qqnum=after["qqnum"], selection=after["selection"], focus=after["focus"])
        return held, seen

    def assert_own_requests_only(self, origin):
        """What the current tab asked for over the network since the last look (a load at least)
        came from `origin` alone (chrome:// and data: ask no one)."""
        tab = self.driver.current_window_handle
        asked = [json.loads(entry["message"]) for entry in self.driver.get_log("performance")]
        asked = [message["message"]["params"]["request"]["url"] for message in asked
                 if message.get("webview") == tab
                 and message["message"]["method"] == "Network.requestWillBeSent"
                 and message["message"]["params"]["request"]["url"].split(":")[0]
                 in ("http", "https", "ws", "wss")]
        self.assertIn(origin, asked)
        for url in asked:
            self.assertTrue(url.startswith(origin), url)

    def shoot(self, name):
        if os.environ.get("SHUJIAN_WEB_SHOTS"):
            folder = Path(os.environ["SHUJIAN_WEB_SHOTS"])
            folder.mkdir(parents=True, exist_ok=True)
            self.driver.save_screenshot(str(folder / (name + ".png")))

    def test_every_case_gives_what_the_probe_prints(self):
        texts = [case[0] for case in cases.WORKED] + cases.EVERYDAY + cases.HOSTILE + seeds()
        # A single-line box of the web holds no line breaks: the probe gets what the page held.
        held = [t.replace("\r", "").replace("\n", "") for t in texts]
        self.load()
        for click in (False, True):
            expected = probe_runs(held, *(["--click"] if click else []))
            for text, should_hold, wanted in zip(texts, held, expected):
                with self.subTest(text=text[:40], click=click):
                    holds, seen = self.run_case(text, click)
                    self.assertEqual(holds, should_hold)
                    self.assertEqual({k: seen[k] for k in REPORT_FIELDS},
                                     {k: wanted[k] for k in REPORT_FIELDS})
        self.assert_own_requests_only(self.url)

    def test_start_up_shows_the_window(self):
        self.load()
        self.shoot("desktop-start")
        [table] = probe_runs(None, "--table")
        [layout] = probe_runs(None, "--layout")
        self.assertEqual(self.driver.title, layout["caption"])
        start = self.state()
        self.assertEqual(start["result"], table["intro"])
        self.assertEqual(start["qqnum"], "在此输要测的数字")
        self.assertEqual(start["focus"], "qqnum")
        self.assertEqual(start["selection"], [0, 8])
        # Where the window puts its controls, and what they say.
        ids = {("Command1", None): "Command1", ("qqnum", None): "qqnum", ("Label1", None): "Label1",
               ("resulttxt", None): "resultbox", ("Line1", None): "Line1",
               ("Image1", 0): "Image1_0", ("Image1", 5): "Image1_5", ("Image1", 6): "Image1_6"}
        form = self.el("mainform").rect
        self.assertEqual([form["width"], form["height"]], layout["client"])
        for control in layout["controls"]:
            key = (control["name"], control["index"])
            if key in ids:
                rect = self.el(ids[key]).rect
                self.assertEqual([rect["x"] - form["x"], rect["y"] - form["y"], rect["width"],
                                  rect["height"]], control["rect"], key)
            if control["name"] in ("Command1", "Label2"):
                self.assertEqual(self.el(control["name"]).get_attribute("textContent"),
                                 control["text"])
            if control["tooltip"]:
                self.assertEqual(self.el(control["name"]).get_attribute("title"),
                                 control["tooltip"])
        # The window's Tab order, as far as a page goes: Tab from the number to the report,
        # Shift+Tab from it to the button.
        self.el("qqnum").send_keys(Keys.TAB)
        self.assertEqual(self.state()["focus"], "resulttxt")
        self.el("qqnum").send_keys(Keys.SHIFT, Keys.TAB)
        self.assertEqual(self.state()["focus"], "Command1")
        colours = {"qqnum": ("color", "rgba(255, 0, 0, 1)"),
                   "Label1": ("background-color", "rgba(255, 255, 192, 1)"),
                   "Line1": ("background-color", "rgba(0, 192, 0, 1)")}
        for id_, (prop, value) in colours.items():
            self.assertEqual(self.el(id_).value_of_css_property(prop), value, id_)
        self.assert_own_requests_only(self.url)

    def test_a_rejection_shows_a_dialog_then_the_prompt_selected(self):
        self.load()
        self.driver.execute_script(SET_INPUT, units("abc"))
        self.el("qqnum").send_keys(Keys.ENTER)
        self.driver.execute_async_script(WAIT_RUN)
        seen = self.state()
        self.shoot("desktop-message")
        self.assertEqual(seen["caption"], NAME)
        self.assertEqual(seen["message"], "抱歉，本软件无该数字（不是数字吧）的信息！")
        self.assertEqual(seen["focus"], "message-ok")
        self.assertEqual([b.text for b in self.el("message").find_elements(By.TAG_NAME, "button")],
                         ["确定"])
        # Modal: the page behind takes no focus and no click while it is open.
        self.el("message-ok").send_keys(Keys.TAB)
        self.assertIn(self.state()["focus"], ("message-ok", ""))
        self.assertTrue(self.driver.execute_script(
            "const b = document.getElementById('Command1').getBoundingClientRect();"
            "const top = document.elementFromPoint(b.x + 5, b.y + 5);"
            "return top === null || top.closest('dialog') !== null || top.id !== 'Command1';"))
        self.el("message-ok").send_keys(Keys.ENTER)
        self.driver.execute_async_script(WAIT_RUN)
        after = self.state()
        self.assertIsNone(after["message"])
        self.assertEqual(after["qqnum"], "在此输入QQ号码")
        self.assertEqual(after["focus"], "qqnum")
        self.assertEqual(after["selection"], [0, len("在此输入QQ号码")])
        # The next keystroke replaces the prompt.
        self.el("qqnum").send_keys("88888" + Keys.ENTER)
        self.driver.execute_async_script(WAIT_RUN)
        self.assertTrue(self.state()["result"].startswith("你所测的数字是：88888\n"))

    def test_a_paste_keeps_its_first_line_and_a_press_selects_all(self):
        self.load()
        box = self.el("qqnum")
        for pasted, kept in (("81\r\n12345", "81"), ("\n12", ""), ("12345678", "12345678")):
            with self.subTest(pasted=pasted):
                box.click()  # selects the whole text, so the paste replaces it
                self.driver.execute_script(
                    "const data = new DataTransfer(); data.setData('text/plain', arguments[0]);"
                    "const box = document.getElementById('qqnum');"
                    "if (box.dispatchEvent(new ClipboardEvent('paste', {clipboardData: data,"
                    " cancelable: true}))) document.execCommand('insertText', false, arguments[0]);",
                    pasted)
                self.assertEqual(box.get_attribute("value"), kept)

    def test_the_credit_label_opens_one_tab_without_access_to_the_page(self):
        # Double-clicked, as people do with labels: still one tab.
        self.load()
        page = self.driver.current_window_handle
        href = self.el("Label2").get_attribute("href")
        before = set(self.driver.window_handles)
        ActionChains(self.driver).double_click(self.el("Label2")).perform()
        end = time.monotonic() + 10
        while len(self.driver.window_handles) == len(before) and time.monotonic() < end:
            time.sleep(0.05)
        time.sleep(0.3)  # room for a second tab, which must not come
        [tab] = set(self.driver.window_handles) - before
        self.assertEqual(self.driver.current_window_handle, page)
        self.assert_own_requests_only(self.url)
        self.driver.switch_to.window(tab)
        try:
            self.assertIsNone(self.driver.execute_script("return window.opener"))
            history = self.driver.execute_cdp_cmd("Page.getNavigationHistory", {})
            self.assertEqual([entry["url"] for entry in history["entries"]], [href])
        finally:
            self.driver.close()
            self.driver.switch_to.window(page)

    def test_a_phone_gets_everything_on_screen_and_large_enough(self):
        try:
            for ratio in (1, 3):
                with self.subTest(ratio=ratio):
                    self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                        "width": PHONE[0], "height": PHONE[1], "deviceScaleFactor": ratio,
                        "mobile": True})
                    self.load()
                    self.run_case("13812345678", click=False)
                    self.shoot("phone-dpr%d" % ratio)
                    sizes = self.driver.execute_script("""
                        const box = (id) => document.getElementById(id).getBoundingClientRect();
                        const ids = ["qqnum", "Command1", "resultbox", "Label2", "Image1_5",
                                     "Image1_6", "judgement", "resulttxt"];
                        return {width: innerWidth, height: innerHeight,
                                scroll: document.documentElement.scrollWidth,
                                font: parseFloat(getComputedStyle(document.getElementById(
                                    "resulttxt")).fontSize),
                                mode: document.getElementById("qqnum").inputMode,
                                type: document.getElementById("qqnum").type,
                                boxes: Object.fromEntries(ids.map((id) => [id, box(id)]))};""")
                    self.assertEqual([sizes["width"], sizes["height"]], list(PHONE))
                    self.assertLessEqual(sizes["scroll"], PHONE[0])
                    self.assertGreaterEqual(sizes["font"], 14)
                    self.assertEqual((sizes["type"], sizes["mode"]), ("text", "numeric"))
                    boxes = sizes["boxes"]
                    for id_, b in boxes.items():
                        self.assertGreaterEqual(b["left"], 0, id_)
                        self.assertLessEqual(b["right"], PHONE[0], id_)
                        self.assertGreaterEqual(b["top"], 0, id_)
                        self.assertLessEqual(b["bottom"], PHONE[1], id_)
                    for id_ in ("qqnum", "Command1"):
                        self.assertGreaterEqual(boxes[id_]["height"], 44, id_)
                    # The judgement pushes the report down rather than covering it.
                    self.assertLessEqual(boxes["judgement"]["bottom"], boxes["resulttxt"]["top"])
                    self.assertGreater(boxes["judgement"]["height"], 0)
        finally:
            self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def test_it_runs_with_the_server_gone(self):
        # A server of its own: a new origin, whose service worker starts from nothing.
        server, url = self.serve()
        try:
            self.load(url)
            kept = self.driver.execute_async_script("""
                const done = arguments[0];
                navigator.serviceWorker.ready.then(() => (async function poll() {
                  if (!navigator.serviceWorker.controller) return setTimeout(poll, 10);
                  done({caches: await caches.keys(), databases: await indexedDB.databases(),
                        stored: localStorage.length + sessionStorage.length,
                        cookies: document.cookie});
                })());""")
            # Nothing kept but the worker's one cache, named as the worker names it.
            self.assertEqual(kept, {"caches": [CACHE_NAME.search((PAGE / "sw.js").read_text())[1]],
                                    "databases": [], "stored": 0, "cookies": ""})
            self.assert_own_requests_only(url)
        finally:
            server.shutdown()
            server.server_close()
        self.driver.refresh()
        _, seen = self.run_case("13812345678", click=True)
        [wanted] = probe_runs(["13812345678"])
        self.assertEqual(seen["result"], wanted["result"])
        self.assertEqual(seen["verdict"], wanted["verdict"])

    def test_what_the_page_loads_is_small(self):
        worker = (PAGE / "sw.js").read_text()
        names = [line.strip().strip('",') for line in worker.split("FILES = [")[1].split("]")[0]
                 .splitlines() if line.strip() not in ("", '"./",')]
        self.assertIn("shujian-core.wasm", names)
        self.assertEqual(sorted(names + ["sw.js"]), sorted(p.name for p in PAGE.iterdir()))
        total = sum(len(gzip.compress((PAGE / name).read_bytes(), 9)) for name in names + ["sw.js"])
        self.assertLessEqual(total, MOST_LOADED)


def missing(what):
    print("web_e2e: %s; %s." % (what, "failing, as CI is set" if os.environ.get("CI")
                                 else "skipped"), file=sys.stderr)
    sys.exit(1 if os.environ.get("CI") else 77)


if __name__ == "__main__":
    PAGE = Path(sys.argv[1]).resolve()
    del sys.argv[1]
    PROBE = os.environ.get("SHUJIAN_REFERENCE_PROBE",
                           str(ROOT / "build" / "default" / "tests" / "shujian-probe"))
    tools = {"chromium": "chromium", "chromedriver": "chromium-driver"}
    for tool, package in tools.items():
        if not shutil.which(tool):
            missing("no %s (Debian: %s)" % (tool, package))
    if webdriver is None:
        missing("no Selenium (Debian: python3-selenium)")
    if not os.access(PROBE, os.X_OK):
        missing("no Linux probe at %s (build the default preset)" % PROBE)
    if not (PAGE / "index.html").exists():
        missing("no page in %s (build the web preset)" % PAGE)
    unittest.main(verbosity=2)
