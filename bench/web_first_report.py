#!/usr/bin/env python3
"""How long the page takes from navigation to its first report, in Debian's Chromium (headless)
with the processor slowed down four times (DevTools' CPU throttling), over a local server.

The moment a page is parsed, a script given to the browser beforehand types 13812345678 and
clicks the button, as the quickest user could; the time is the page's own clock (milliseconds
since the navigation started) when the report is written into the result box. "first visit"
starts each time from an empty cache and no service worker; "again" is the next visit, the files
coming from the service worker's cache. The baseline is a bare page with the same three controls,
fonts and introduction whose button writes the report's first line at once: what any page that
shows this text costs the browser here. The three alternate run by run, so that they meet the same moments of a busy machine.
Prints the median, the fastest and the slowest.

usage: web_first_report.py [PAGE_FOLDER] [RUNS]   (default: build/web, 15 runs)
needs: chromium, chromium-driver, python3-selenium
"""
import re
import shutil
import statistics
import sys
import tempfile
import threading
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "web"))
from serve import make_server  # noqa: E402

SLOWDOWN = 4
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1024,768"]
# Notes when the result box is first given a report, then runs the number at once.
ACT_AT_ONCE = """
document.addEventListener("DOMContentLoaded", () => {
  const box = document.getElementById("resulttxt");
  const value = Object.getOwnPropertyDescriptor(HTMLTextAreaElement.prototype, "value");
  Object.defineProperty(box, "value", {
    get() { return value.get.call(this); },
    set(text) {
      value.set.call(this, text);
      if (text.startsWith("你所测的数字是") && window.firstReport === undefined)
        window.firstReport = performance.now();
    },
  });
  document.getElementById("qqnum").value = "13812345678";
  document.getElementById("Command1").click();
});
"""
BARE = """<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>bare</title>
<style>body { font: 12px "Noto Sans CJK SC", "Microsoft YaHei UI", system-ui, sans-serif; }</style>
<script type="module">
document.getElementById("Command1").addEventListener("click", () => {
  document.getElementById("resulttxt").value = "你所测的数字是：" + document.getElementById("qqnum").value;
});
</script></head><body>
<input id="qqnum" value="在此输要测的数字"><button id="Command1">好 了</button>
<textarea id="resulttxt" cols="60" rows="18">INTRODUCTION</textarea>
</body></html>
"""
WAIT = """
const done = arguments[0];
(function poll() { window.firstReport !== undefined ? done(window.firstReport) : setTimeout(poll, 10); })();
"""


def main():
    page = Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "build" / "web"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    profile = tempfile.mkdtemp(prefix="shujian-bench-")
    bare_folder = Path(profile) / "bare"
    bare_folder.mkdir()
    introduction = re.search(r'<textarea id="resulttxt"[^>]*>(.*?)</textarea>',
                             (page / "index.html").read_text(encoding="utf-8"), re.S).group(1)
    (bare_folder / "index.html").write_text(BARE.replace("INTRODUCTION", introduction),
                                            encoding="utf-8")
    servers = [make_server(page), make_server(bare_folder)]
    for server in servers:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    url, bare = ("http://127.0.0.1:%d/" % server.server_port for server in servers)
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium")
    for flag in FLAGS + ["--user-data-dir=" + profile]:
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
    try:
        driver.set_script_timeout(60)
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": ACT_AT_ONCE})
        driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": SLOWDOWN})
        first, again, baseline = [], [], []
        for _ in range(runs):
            driver.get("about:blank")
            driver.execute_cdp_cmd("Network.clearBrowserCache", {})
            driver.execute_cdp_cmd("Storage.clearDataForOrigin", {
                "origin": url.rstrip("/"), "storageTypes": "service_workers,cache_storage"})
            driver.get(url)
            first.append(driver.execute_async_script(WAIT))
            driver.execute_async_script(
                "navigator.serviceWorker.ready.then(() => arguments[0]())")
            driver.get("about:blank")
            driver.get(url)
            again.append(driver.execute_async_script(WAIT))
            driver.get(bare)
            baseline.append(driver.execute_async_script(WAIT))
        print("Navigation to the first report, CPU slowed %d x, %d runs (ms):" % (SLOWDOWN, runs))
        for name, times in (("first visit", first), ("again", again), ("bare page", baseline)):
            print("  %-12s median %6.0f   fastest %6.0f   slowest %6.0f"
                  % (name, statistics.median(times), min(times), max(times)))
    finally:
        driver.quit()
        for server in servers:
            server.shutdown()
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == "__main__":
    main()
