#!/usr/bin/python3
"""Plays the start of a game in the web version, in a real browser:

    play.py URL ENGINE SHOTS [--name NAME] [--size WxH] [--dpr N]

URL is where tools/web/serve.py serves the folder tools/web/package.sh made;
ENGINE is chromium or webkit (webkit needs a display: run it under xvfb-run -a).
The child types a name, then answers the first question right.  What the
game says comes from the page's live region, #annuncio, the same news a screen
reader reads: the question's numbers, then the verdict.  It also checks that
the canvas fits the browser's window and is drawn at the screen's full
resolution; in Chromium, that the browser reported no blocked content and no
uncaught error, and that the game starts again offline.  SHOTS gets a
screenshot at each step; the exit status is 0 when every check passed.
"""

import argparse
import math
import os
import re
import sys
import time

from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

LOAD_TIMEOUT = 300      # s: downloading and compiling the game, on a software GPU
STEP_TIMEOUT = 30       # s: the game's answer to a key
POLL = 0.1

NAME_PROMPT = r"chiami"
KIND = r"(minimo comune multiplo|Massimo Comune Divisore)"
QUESTION = KIND + r" di (\d+) e (\d+)"
RIGHT = r"\bEsatto\b"
BOX_OK = r"\bOK$"        # a box with the focus on its OK: read, then closed with Enter

MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
WEBKIT_DRIVER = "/usr/bin/WebKitWebDriver"

# Keeps every text the page puts in the live region, also those replaced
# before the next poll.
RECORD_NEWS = """
const region = document.getElementById('annuncio');
window.heardNews = region.textContent.trim() ? [region.textContent.trim()] : [];
new MutationObserver(() => {
    const text = region.textContent.trim();
    if (text) window.heardNews.push(text);
}).observe(region, {childList: true, characterData: true, subtree: true});
"""


class Failure(Exception):
    pass


def open_browser(engine, size, dpr):
    width, height = size
    if engine == "chromium":
        options = webdriver.ChromeOptions()
        for argument in ("--headless=new", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
                         f"--window-size={width},{height}", f"--force-device-scale-factor={dpr}"):
            options.add_argument(argument)
        if os.geteuid() == 0:
            options.add_argument("--no-sandbox")
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        return webdriver.Chrome(options=options)
    options = webdriver.WebKitGTKOptions()
    options.binary_location = MINIBROWSER
    options.add_argument("--automation")
    driver = webdriver.WebKitGTK(executable_path=WEBKIT_DRIVER, options=options)
    driver.set_window_rect(width=width, height=height)
    return driver


class Page:
    def __init__(self, driver, shots, engine):
        self.driver = driver
        self.shots = shots
        self.engine = engine
        self.shot_count = 0

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def state(self):
        return self.js("return [document.body.getAttribute('data-stato'),"
                       " document.getElementById('stato').textContent]")

    def news(self):
        return self.js("return window.heardNews")

    def wait(self, what, timeout, check):
        """check() again and again until it gives something true; the game
        ending or breaking meanwhile is a failure at once."""
        deadline = time.monotonic() + timeout
        while True:
            found = check()
            if found:
                return found
            state, text = self.state()
            if state in ("finito", "guasto", "inadatto"):
                raise Failure(f"waiting for {what}, the page says ({state}): {text}")
            if time.monotonic() > deadline:
                raise Failure(f"no {what} after {timeout} s; heard: {self.news()}")
            time.sleep(POLL)

    def wait_news(self, what, pattern, after):
        """The first news from index after on that matches pattern."""
        def heard():
            for text in self.news()[after:]:
                match = re.search(pattern, text)
                if match:
                    return match
            return None
        return self.wait(what, STEP_TIMEOUT, heard)

    def type(self, keys):
        self.js("const screen = document.getElementById('schermo');"
                " if (document.activeElement !== screen) screen.focus();")
        ActionChains(self.driver).send_keys(keys).perform()

    def shot(self, name):
        self.shot_count += 1
        self.driver.save_screenshot(os.path.join(self.shots, f"{self.engine}-{self.shot_count}-{name}.png"))

    def check_canvas(self):
        canvas = self.js("""
            const canvas = document.getElementById('schermo');
            const box = canvas.getBoundingClientRect();
            return {width: canvas.width, height: canvas.height, left: box.left, top: box.top,
                    right: box.right, bottom: box.bottom, cssWidth: box.width, cssHeight: box.height,
                    roomWidth: document.documentElement.clientWidth,
                    roomHeight: document.documentElement.clientHeight,
                    dpr: devicePixelRatio};""")
        if canvas["left"] < 0 or canvas["top"] < 0 or canvas["right"] > canvas["roomWidth"] \
                or canvas["bottom"] > canvas["roomHeight"]:
            raise Failure(f"the canvas does not fit the window: {canvas}")
        for pixels, css in (("width", "cssWidth"), ("height", "cssHeight")):
            if abs(canvas[pixels] - canvas[css] * canvas["dpr"]) > 1:
                raise Failure(f"the canvas is not drawn at the screen's resolution: {canvas}")

    def check_offline(self):
        """Chromium: once the service worker has the game, it starts with no network."""
        if self.engine != "chromium":
            return
        self.wait("service worker in charge", LOAD_TIMEOUT,
                  lambda: self.js("return !!navigator.serviceWorker.controller"))
        network = {"latency": 0, "downloadThroughput": -1, "uploadThroughput": -1}
        self.driver.execute_cdp_cmd("Network.enable", {})
        self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {"offline": True, **network})
        try:
            self.driver.refresh()
            self.wait("game offline", LOAD_TIMEOUT, lambda: self.state()[0] == "gioco")
        finally:
            self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {"offline": False, **network})

    def check_console(self):
        if self.engine != "chromium":
            return
        wrong = [entry["message"] for entry in self.driver.get_log("browser")
                 if "Content Security Policy" in entry["message"] or "Uncaught" in entry["message"]]
        if wrong:
            raise Failure("the browser reported:\n  " + "\n  ".join(wrong))


def answer(kind, first, second):
    if kind == "Massimo Comune Divisore":
        return math.gcd(first, second)
    return first * second // math.gcd(first, second)


def play(page, url, name):
    page.driver.get(url)
    page.js(RECORD_NEWS)
    page.wait("game on the page", LOAD_TIMEOUT, lambda: page.state()[0] == "gioco")
    page.check_canvas()

    page.wait_news("name box", NAME_PROMPT, 0)
    page.shot("nome")
    heard = len(page.news())
    page.type(name + Keys.ENTER)

    while True:
        news = page.wait_news("question or box", f"{QUESTION}|{BOX_OK}", heard)
        heard = len(page.news())
        question = re.search(QUESTION, news.string)
        if question:
            break
        page.type(Keys.ENTER)
    kind, first, second = question.group(1), int(question.group(2)), int(question.group(3))
    page.shot("domanda")
    heard = len(page.news())
    page.type(str(answer(kind, first, second)) + Keys.ENTER)

    page.wait_news("verdict on the right answer", RIGHT, heard)
    page.shot("esatto")
    page.check_console()
    print(f"{page.engine}: {kind} di {first} e {second}, answered right; heard: {page.news()}")
    page.check_offline()


def size(text):
    width, _, height = text.partition("x")
    return int(width), int(height)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("url")
    parser.add_argument("engine", choices=("chromium", "webkit"))
    parser.add_argument("shots")
    parser.add_argument("--name", default="Giulia")
    parser.add_argument("--size", type=size, default=(1366, 768), help="the browser window, WIDTHxHEIGHT")
    parser.add_argument("--dpr", type=float, default=1, help="device pixels per CSS pixel (chromium)")
    args = parser.parse_args()
    if args.dpr != 1 and args.engine != "chromium":
        parser.error("--dpr is for chromium only")
    os.makedirs(args.shots, exist_ok=True)

    driver = open_browser(args.engine, args.size, args.dpr)
    page = Page(driver, args.shots, args.engine)
    try:
        play(page, args.url, args.name)
    except Failure as failure:
        page.shot("errore")
        sys.exit(f"{args.engine}: {failure}")
    finally:
        driver.quit()


if __name__ == "__main__":
    main()
