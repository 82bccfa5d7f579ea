#!/usr/bin/python3
"""Runs one QtTest suite built for WebAssembly in headless Chromium.

CTest calls it with the suite's .js file (its page, .wasm and Qt's loader lie
beside it). It serves that folder on localhost, opens the suite's page, echoes
what the suite prints, and exits with 0 when QtTest's totals say no test
failed. A suite that ends the page, or never prints its totals within the
time given, fails.
Usage: run-suite.py SUITE.js [TIMEOUT_SECONDS]
"""
import functools
import http.server
import re
import sys
import threading
import time
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

CAPTURE = """
window.mcmOutput = [];
for (const level of ['log', 'info', 'warn', 'error']) {
    const original = console[level];
    console[level] = (...parts) => { window.mcmOutput.push(parts.join(' ')); original(...parts); };
}
"""


class Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.wasm': 'application/wasm', '.js': 'text/javascript'}

    def log_message(self, *arguments):
        pass


def chromium():
    options = webdriver.ChromeOptions()
    for argument in ('--headless=new', '--no-sandbox', '--use-angle=swiftshader',
                     '--enable-unsafe-swiftshader', '--window-size=1280,1024'):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service(executable_path='/usr/bin/chromedriver'), options=options)


def main():
    suite = Path(sys.argv[1]).resolve()
    timeout = float(sys.argv[2]) if len(sys.argv) > 2 else 280
    server = http.server.ThreadingHTTPServer(
        ('127.0.0.1', 0), functools.partial(Quiet, directory=str(suite.parent)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    browser = chromium()
    try:
        browser.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': CAPTURE})
        browser.get(f'http://127.0.0.1:{server.server_address[1]}/{suite.stem}.html')
        shown = 0
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            output = browser.execute_script('return window.mcmOutput || []')
            for line in output[shown:]:
                print(line, flush=True)
            shown = len(output)
            totals = [line for line in output if line.startswith('Totals:')]
            if totals:
                failed = re.search(r'(\d+) failed', totals[-1])
                return 0 if failed and failed.group(1) == '0' else 1
            if browser.execute_script('return typeof qtLoader !== "undefined" && qtLoader.status === "Exited"'):
                print('the page ended before the totals', flush=True)
                return 1
            time.sleep(0.2)
        print(f'no totals within {timeout:.0f} s', flush=True)
        return 1
    finally:
        browser.quit()
        server.shutdown()


if __name__ == '__main__':
    sys.exit(main())
