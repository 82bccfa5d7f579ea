#!/usr/bin/python3
"""Plays games of the web version in a real browser, with real keys and mouse:

    play.py URL ENGINE SHOTS [--scenario all|answers|game|timeout|tabs] [--name NAME]
            [--size WxH] [--dpr N]

URL is where tools/web/serve.py serves the folder tools/web/package.sh made;
ENGINE is chromium or webkit (webkit needs a display: run it under xvfb-run -a).
What the game says comes from the page's live region, #annuncio, the same
news a screen reader reads: a box's title and text as it opens, the focused
control, the question, the verdict.  What the game saved comes from the
browser's IndexedDB, where the game keeps its record folder.  Every scenario
starts in a browser profile of its own, with no record yet; Chromium's
language is Italian.

answers  The child types a name and answers questions of both kinds, right
         and wrong, until each kind had both; F1 tells the counts.  The
         canvas, the console and the start offline as in game.
game     The child types a name and answers questions of both kinds, right
         and wrong, until each kind had both; F1 tells the counts.  Alt+X,
         then No: the same question waits.  A mouse click on the menu's
         NUOVO GIOCO, then Sì: the record box, then the name box of the new
         game; the record is in IndexedDB, and still there after a reload,
         where the game starts with no warning.  Also: the canvas fits the
         window at the screen's full resolution; in Chromium, no blocked
         content and no uncaught error, and the game starts again offline.
timeout  Chromium only: the page's clock runs SPEED times faster.  One right
         answer, Alt+X, and the exit box stays open until the fifteen minutes
         are over: the farewell, dated today with 0 hours left, opens over
         it, then the record box, and the game ends.
tabs     Two windows of one browser play at once, both started before either
         saves; the one with the lower score, whose record is stale by then,
         leaves second, then (in a fresh profile) first.  The higher score
         stays, and the record box shows only when a record was saved.

SHOTS gets a screenshot at each step.  One line per scenario tells how it
went; the exit status is 0 when every scenario passed.
"""

import argparse
import contextlib
import datetime
import math
import os
import re
import signal
import sys
import time

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.remote.remote_connection import RemoteConnection
from urllib3.exceptions import ReadTimeoutError
from urllib3.util.retry import Retry

LOAD_TIMEOUT = 300      # s: downloading and compiling the game, on a software GPU
STEP_TIMEOUT = 30       # s: the game's answer to a key
# s: one command of the browser's driver; a page that keeps it waiting longer
# has stopped running its events (the driver's own limit is 300 s).
COMMAND_TIMEOUT = 60
POLL = 0.1
SPEED = 60              # the time-out game's clock: fifteen minutes in fifteen seconds
GAME_SECONDS = 15 * 60
MAX_QUESTIONS = 40      # the kind is drawn at random: enough to get both, twice

NAME_PROMPT = r"\bCome ti chiami\b"
GREETING = r"vediamo se sei un vero campione\W+OK\b"
KIND = r"(minimo comune multiplo|Massimo Comune Divisore)"
QUESTION = KIND + r" di (\d+) e (\d+)"
RIGHT = r"\bEsatto\b"
WRONG = r"\bSbagliato!! (\d+)"
BOX_OK = r"\bOK$"        # a box with the focus on its OK: read, then closed with Enter
COUNTS = r"Risposte esatte (\d+), errate (\d+), totali (\d+)"
EXIT_BOX = r"Uscire dal programma\. Vuoi veramente lasciarmi\s*\?"
NEW_GAME_BOX = r"INIZIARE NUOVA GARA\. INIZIAMO UNA NUOVA GARA\s*\?"
YES = r"\bSì\b"
RECORD_BOX = r"Ok ho registrato il tuo record, C A M P I O N E\W+OK\b"
FAREWELL = r"Data (\S+)\. Ciao a presto\. Ore (\d+)\W+OK\b"      # the date, the hours left

KEY_NAMES = {Keys.ENTER: "Enter", Keys.TAB: "Tab", Keys.F1: "F1"}

# The menu bar's NUOVO GIOCO, in CSS pixels from the canvas's top left corner:
# Qt draws the window at a fixed size, with its own faces, in every browser.
NEW_GAME_ITEM = (561, 10)

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

# Run before the page's own scripts: the clocks the runtime reads and the
# timers it sets all go SPEED times faster from the page's start.
FAST_CLOCK = """
(() => {
    const speed = %d;
    const realNow = performance.now.bind(performance);
    const realDateNow = Date.now;
    const startNow = realNow();
    const startDate = realDateNow();
    performance.now = () => startNow + (realNow() - startNow) * speed;
    Date.now = () => startDate + (realDateNow() - startDate) * speed;
    for (const name of ['setTimeout', 'setInterval']) {
        const real = window[name];
        window[name] = (callback, delay, ...rest) => real(callback, (Number(delay) || 0) / speed, ...rest);
    }
})();
""" % SPEED

# The record files as the browser keeps them for the game (emscripten's
# IDBFS): each path's bytes, or null.  A game holds its record lock until
# what it wrote is in IndexedDB: while the lock is held the answer is 'busy'.
READ_RECORD = """
const done = arguments[arguments.length - 1];
const paths = ['/primato/primato.txt', '/primato/nprimato.txt'];
const held = navigator.locks ? navigator.locks.query().then(state => state.held) : Promise.resolve([]);
held.then(locks => {
    if (locks.some(lock => lock.name === 'mcm-mcd-primato')) {
        done('busy');
        return;
    }
    const request = indexedDB.open('/primato');
    request.onerror = () => done('IndexedDB: ' + request.error);
    request.onsuccess = () => {
        const db = request.result;
        if (!db.objectStoreNames.contains('FILE_DATA')) {
            db.close();
            done([null, null]);
            return;
        }
        const files = db.transaction('FILE_DATA').objectStore('FILE_DATA');
        const kept = [];
        paths.forEach((path, index) => {
            const read = files.get(path);
            read.onsuccess = () => {
                const file = read.result;
                kept[index] = file && file.contents ? Array.from(file.contents, byte => byte & 255) : null;
                if (Object.keys(kept).length === paths.length) {
                    db.close();
                    done(kept);
                }
            };
        });
    };
});
"""


class Failure(Exception):
    pass


def children(pid):
    """The processes pid started."""
    found = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        with contextlib.suppress(OSError), open(f"/proc/{entry}/stat") as stat:
            if int(stat.read().rpartition(")")[2].split()[1]) == pid:
                found.append(int(entry))
    return found


@contextlib.contextmanager
def browser(engine, size, dpr, fast_clock=False):
    """A browser with a new profile of its own.  On a frozen page quitting
    fails, and the browser would go on running: what the driver started is
    stopped by hand."""
    width, height = size
    if engine == "chromium":
        options = webdriver.ChromeOptions()
        for argument in ("--headless=new", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
                         f"--window-size={width},{height}", f"--force-device-scale-factor={dpr}"):
            options.add_argument(argument)
        if os.geteuid() == 0:
            options.add_argument("--no-sandbox")
        # An Italian child's browser: the game's dates follow its language.
        options.add_argument("--lang=it-IT")
        options.add_experimental_option("prefs", {"intl.accept_languages": "it-IT,it"})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        driver = webdriver.Chrome(options=options)
        if fast_clock:
            driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": FAST_CLOCK})
    else:
        options = webdriver.WebKitGTKOptions()
        options.binary_location = MINIBROWSER
        options.add_argument("--automation")
        driver = webdriver.WebKitGTK(executable_path=WEBKIT_DRIVER, options=options)
        driver.set_window_rect(width=width, height=height)
    started = children(driver.service.process.pid)

    def stop():
        for pid in started:
            with contextlib.suppress(ProcessLookupError):
                os.kill(pid, signal.SIGTERM)
    try:
        yield driver
    except ReadTimeoutError:
        stop()  # else quitting waits for the frozen page too
        raise
    finally:
        with contextlib.suppress(WebDriverException, ReadTimeoutError):
            driver.quit()
        stop()


class Notes:
    """A scenario's screenshots, numbered in the order taken, and the last
    input and news of any of its pages, for the report of a page that stops
    answering."""

    def __init__(self, folder, engine, scenario):
        self.folder = folder
        self.prefix = f"{engine}-{scenario}"
        self.count = 0
        self.last_shot = None
        self.last_news = []
        self.last_input = None

    def path(self, name):
        self.count += 1
        self.last_shot = os.path.join(self.folder, f"{self.prefix}-{self.count:02d}-{name}.png")
        return self.last_shot


class Page:
    """One tab of the game.  What was heard is read from a place on: the
    entry of window.heardNews and the offset in it, so that two things said
    together are each found once."""

    def __init__(self, driver, notes, engine, tab=""):
        self.driver = driver
        self.notes = notes
        self.engine = engine
        self.tab = tab
        self.handle = driver.current_window_handle
        self.place = (0, 0)

    def front(self):
        self.driver.switch_to.window(self.handle)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def open(self, url):
        self.driver.get(url)
        self.listen()

    def reload(self):
        self.driver.refresh()
        self.listen()

    def listen(self):
        self.js(RECORD_NEWS)
        self.place = (0, 0)
        self.wait("game on the page", LOAD_TIMEOUT, lambda: self.state()[0] == "gioco")

    def state(self):
        return self.js("return [document.body.getAttribute('data-stato'),"
                       " document.getElementById('stato').textContent]")

    def news(self):
        self.notes.last_news = self.js("return window.heardNews")
        return self.notes.last_news

    def wait(self, what, timeout, check, over=False):
        """check() again and again until it gives something true; the game
        ending (unless over) or breaking meanwhile is a failure at once."""
        deadline = time.monotonic() + timeout
        while True:
            found = check()
            if found:
                return found
            state, text = self.state()
            if state in ("guasto", "inadatto") or (state == "finito" and not over):
                raise Failure(f"waiting for {what}, the page says ({state}): {text}; heard: {self.news()}")
            if time.monotonic() > deadline:
                raise Failure(f"no {what} after {timeout} s; heard: {self.news()}")
            time.sleep(POLL)

    def find(self, pattern):
        """The first match of pattern heard from the place on, and the place
        after it."""
        entry, offset = self.place
        for index, text in enumerate(self.news()[entry:], entry):
            match = re.compile(pattern).search(text, offset if index == entry else 0)
            if match:
                return match, (index, match.end())
        return None, None

    def hear(self, what, pattern, timeout=STEP_TIMEOUT):
        """Waits for pattern to be heard; what is heard before it is passed."""
        def heard():
            match, after = self.find(pattern)
            if match:
                self.place = after
            return match
        return self.wait(what, timeout, heard)

    def day(self):
        """The page's date, as dd/mm/yy."""
        day, month, year = self.js("const now = new Date(Date.now());"
                                   " return [now.getDate(), now.getMonth() + 1, now.getFullYear()]")
        return datetime.date(year, month, day).strftime("%d/%m/%y")

    def focus(self):
        self.js("const screen = document.getElementById('schermo');"
                " if (document.activeElement !== screen) screen.focus();")

    def type(self, keys):
        self.focus()
        self.notes.last_input = "".join(f"<{KEY_NAMES[key]}>" if key in KEY_NAMES else key for key in keys)
        ActionChains(self.driver).send_keys(keys).perform()

    def alt(self, key):
        self.focus()
        self.notes.last_input = f"Alt+{key}"
        ActionChains(self.driver).key_down(Keys.ALT).send_keys(key).key_up(Keys.ALT).perform()

    def click(self, x, y):
        """A mouse click at CSS pixels x, y from the canvas's top left corner."""
        canvas = self.driver.find_element("id", "schermo")
        width, height = canvas.size["width"], canvas.size["height"]
        self.notes.last_input = f"a click at {x}, {y}"
        ActionChains(self.driver).move_to_element_with_offset(canvas, x - width / 2, y - height / 2) \
            .click().perform()

    def shot(self, name):
        self.driver.save_screenshot(self.notes.path(self.tab + name))

    def check_record(self, score, name, when):
        """The browser keeps score and name as the record, once no game is
        writing it."""
        wanted = [f"{score}\r\n".encode(), f"{name}\r\n".encode()]
        kept = None

        def kept_as_wanted():
            nonlocal kept
            kept = self.driver.execute_async_script(READ_RECORD)
            if kept == "busy":
                return False
            if isinstance(kept, str):
                raise Failure(f"{when}: {kept}")
            kept = [None if data is None else bytes(data) for data in kept]
            return kept == wanted
        try:
            self.wait(f"record {wanted} {when}", STEP_TIMEOUT, kept_as_wanted, over=True)
        except Failure as failure:
            raise Failure(f"{failure}; the browser keeps {kept}") from None

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
            self.reload()
        finally:
            self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {"offline": False, **network})

    def check_console(self):
        if self.engine != "chromium":
            return
        wrong = [entry["message"] for entry in self.driver.get_log("browser")
                 if "Content Security Policy" in entry["message"] or "Uncaught" in entry["message"]]
        if wrong:
            raise Failure("the browser reported:\n  " + "\n  ".join(wrong))

    # The game's steps, each waiting for what the game says back.

    def start_game(self, name):
        """Name and greeting; the first question, with no warning before it."""
        self.hear("name box", NAME_PROMPT)
        self.shot("nome")
        self.type(name + Keys.ENTER)
        self.hear("greeting", re.escape(name) + " " + GREETING)
        self.type(Keys.ENTER)
        question = self.hear("first question", f"{QUESTION}|{BOX_OK}")
        if question.group(1) is None:
            raise Failure(f"a box before the first question: {question.string}")
        return question

    def next_question(self):
        self.type(Keys.ENTER)
        return self.hear("next question", QUESTION)

    def reply(self, question, right):
        """Answers question, right or one more than right; checks the verdict."""
        solution = answer(question.group(1), int(question.group(2)), int(question.group(3)))
        self.type(str(solution if right else solution + 1) + Keys.ENTER)
        if right:
            self.hear("verdict on a right answer", RIGHT)
            return
        verdict = self.hear("verdict on a wrong answer", WRONG)
        if int(verdict.group(1)) != solution:
            raise Failure(f"{question.group(0)}: the game says {verdict.group(0)}, the answer is {solution}")

    def answer_right(self, name, count):
        question = self.start_game(name)
        for asked in range(count):
            if asked:
                question = self.next_question()
            self.reply(question, right=True)

    def check_counts(self, right, wrong):
        self.type(Keys.F1)
        counts = self.hear("time and counts", COUNTS)
        wanted = (right, wrong, right + wrong)
        if tuple(map(int, counts.groups())) != wanted:
            raise Failure(f"F1 says {counts.group(0)}; right, wrong, total were {wanted}")

    def confirm(self, what, box_pattern):
        """Yes in a Yes/No box whose default is No."""
        self.hear(what, box_pattern)
        self.type(Keys.TAB)
        self.hear(f"Sì in the {what}", YES)
        self.type(Keys.ENTER)

    def leave(self, saves):
        """Alt+X, Yes; the record box when the game saves a record, and the
        game ends."""
        self.alt("x")
        self.confirm("exit box", EXIT_BOX)
        self.finish(saves)

    def finish(self, saves):
        """The record box when saves (Enter closes it), then the game's end;
        a record box when none is saved, or any other box, is a failure."""
        def box_or_end():
            match, after = self.find(f"({RECORD_BOX})|{BOX_OK}")
            if match:
                self.place = after
                return match
            return self.state()[0] == "finito"
        seen = self.wait("record box or end", STEP_TIMEOUT, box_or_end, over=True)
        if seen is not True:
            if not seen.group(1):
                raise Failure(f"a box before the end: {seen.string}")
            if not saves:
                raise Failure(f"a record box, with no record beaten; heard: {self.news()}")
            self.shot("record")
            self.type(Keys.ENTER)
            self.wait("end of the game", STEP_TIMEOUT, lambda: self.state()[0] == "finito", over=True)
        elif saves:
            raise Failure(f"the game ended with no record box; heard: {self.news()}")
        self.shot("finito")


def answer(kind, first, second):
    if kind == "Massimo Comune Divisore":
        return math.gcd(first, second)
    return first * second // math.gcd(first, second)


def answer_both_kinds(page, url, name):
    """The page opened and a game started; then the questions of each kind
    answered right and wrong in turn, until both kinds had both; the counts
    right and wrong."""
    page.open(url)
    page.check_canvas()
    question = page.start_game(name)
    page.shot("domanda")
    answered = {}
    right = wrong = 0
    for asked in range(MAX_QUESTIONS):
        if asked:
            question = page.next_question()
        kind = question.group(1)
        is_right = answered.get(kind, 0) % 2 == 0
        page.reply(question, is_right)
        answered[kind] = answered.get(kind, 0) + 1
        right += is_right
        wrong += not is_right
        if len(answered) == 2 and min(answered.values()) >= 2:
            break
    else:
        raise Failure(f"after {MAX_QUESTIONS} questions, still not both kinds twice: {answered}")
    page.shot("risposte")
    page.check_counts(right, wrong)
    return right, wrong


def play_answers(page, url, name):
    right, wrong = answer_both_kinds(page, url, name)
    page.check_console()
    page.check_offline()
    return f"{right} right, {wrong} wrong, the counts told by F1"


def play_game(page, url, name):
    right, wrong = answer_both_kinds(page, url, name)

    # No in the exit box: the same question waits, and is answered.
    question = page.next_question()
    page.alt("x")
    page.hear("exit box", EXIT_BOX)
    page.shot("uscire")
    page.type(Keys.ENTER)
    again = page.hear("question after No", QUESTION)
    if again.group(0) != question.group(0):
        raise Failure(f"after No the question is {again.group(0)}, it was {question.group(0)}")
    page.reply(again, right=True)
    right += 1
    page.check_counts(right, wrong)

    # A new game from the menu, by mouse: the record is saved.
    page.click(*NEW_GAME_ITEM)
    page.confirm("new game box", NEW_GAME_BOX)
    page.hear("record box", RECORD_BOX)
    page.shot("record")
    page.type(Keys.ENTER)
    page.hear("name box of the new game", NAME_PROMPT)
    page.shot("nuova-gara")
    page.check_record(right, name, "after the new game")

    page.reload()
    page.check_record(right, name, "after a reload")
    page.start_game(name)
    page.shot("ricaricata")
    page.check_console()
    page.check_offline()
    return f"{right} right, {wrong} wrong, record kept after a reload"


def play_timeout(page, url, name):
    page.open(url)
    page.answer_right(name, 1)
    page.alt("x")
    page.hear("exit box", EXIT_BOX)
    page.shot("uscire")
    # The page's day before and after: the farewell may come at midnight.
    days = {page.day()}
    farewell = page.hear("farewell at the end of the time", FAREWELL, GAME_SECONDS / SPEED * 4 + STEP_TIMEOUT)
    days.add(page.day())
    page.shot("ciao")
    if farewell.group(1) not in days:
        raise Failure(f"the farewell is dated {farewell.group(1)}, the page's date is {' or '.join(days)}")
    if farewell.group(2) != "0":
        raise Failure(f"the farewell says {farewell.group(2)} hours left, as the clock shows 00:00:00;"
                      f" heard: {page.news()}")
    page.type(Keys.ENTER)
    page.finish(saves=True)
    page.check_record(1, name, "after the time ran out")
    return f"the time ran out {SPEED}x faster over the exit box, record of 1 saved"


def play_tabs(driver, notes, engine, url, lower_first):
    """Tab A scores 2, tab B 1, both loaded before either saves; the one
    with the lower score leaves first when lower_first."""
    high = Page(driver, notes, engine, "A-")
    high.open(url)
    # A window of its own, not a tab: WebKit draws no screenshot of a tab
    # that was in the background.
    driver.switch_to.new_window("window")
    low = Page(driver, notes, engine, "B-")
    low.open(url)
    high.front()
    high.answer_right("Anna", 2)
    low.front()
    low.answer_right("Bruno", 1)
    if lower_first:
        low.leave(saves=True)
        low.check_record(1, "Bruno", "after B left")
        high.front()
        high.leave(saves=True)
    else:
        high.front()
        high.leave(saves=True)
        high.check_record(2, "Anna", "after A left")
        low.front()
        low.leave(saves=False)
    high.check_record(2, "Anna", "after both tabs left")


def session(args, notes, play, fast_clock=False):
    """play(driver) in a browser of its own; a screenshot where it failed."""
    with browser(args.engine, args.size, args.dpr, fast_clock) as driver:
        try:
            return play(driver)
        except Failure:
            with contextlib.suppress(WebDriverException):
                driver.save_screenshot(notes.path("errore"))
            raise


def run(scenario, args):
    notes = Notes(args.shots, args.engine, scenario)
    try:
        if scenario == "answers":
            return session(args, notes, lambda driver: play_answers(Page(driver, notes, args.engine),
                                                                    args.url, args.name))
        if scenario == "game":
            return session(args, notes, lambda driver: play_game(Page(driver, notes, args.engine),
                                                                 args.url, args.name))
        if scenario == "timeout":
            return session(args, notes, lambda driver: play_timeout(Page(driver, notes, args.engine),
                                                                    args.url, args.name), fast_clock=True)
        for lower_first in (False, True):
            session(args, notes, lambda driver: play_tabs(driver, notes, args.engine, args.url, lower_first))
        return "the higher score kept whichever tab left first; a record box only for a record"
    except ReadTimeoutError:
        raise Failure(f"the page stopped answering the driver for {COMMAND_TIMEOUT} s (frozen)"
                      f" after {notes.last_input}; last heard: {notes.last_news[-3:]};"
                      f" last screenshot: {notes.last_shot}") from None
    except WebDriverException as error:
        raise Failure(f"the browser's driver: {error.msg}; last heard: {notes.last_news[-3:]}") from None


SCENARIOS = {"answers": ("chromium", "webkit"), "game": ("chromium", "webkit"), "timeout": ("chromium",), "tabs": ("chromium", "webkit")}


def size(text):
    width, _, height = text.partition("x")
    return int(width), int(height)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("url")
    parser.add_argument("engine", choices=("chromium", "webkit"))
    parser.add_argument("shots")
    parser.add_argument("--scenario", choices=("all", *SCENARIOS), default="all")
    parser.add_argument("--name", default="Giulia")
    parser.add_argument("--size", type=size, default=(1366, 768), help="the browser window, WIDTHxHEIGHT")
    parser.add_argument("--dpr", type=float, default=1, help="device pixels per CSS pixel (chromium)")
    args = parser.parse_args()
    if args.dpr != 1 and args.engine != "chromium":
        parser.error("--dpr is for chromium only")
    if args.scenario != "all" and args.engine not in SCENARIOS[args.scenario]:
        parser.error(f"--scenario {args.scenario} is for {' and '.join(SCENARIOS[args.scenario])} only")
    os.makedirs(args.shots, exist_ok=True)
    # A frozen page keeps every command of the driver waiting: once is enough.
    RemoteConnection.set_timeout(COMMAND_TIMEOUT)
    Retry.DEFAULT = Retry(total=False)

    failed = 0
    for scenario, engines in SCENARIOS.items():
        if args.scenario not in ("all", scenario) or args.engine not in engines:
            continue
        started = time.monotonic()
        try:
            outcome = run(scenario, args)
        except Failure as failure:
            failed += 1
            print(f"{args.engine}: {scenario}: FAILED after {time.monotonic() - started:.0f} s: {failure}",
                  flush=True)
        else:
            print(f"{args.engine}: {scenario}: passed in {time.monotonic() - started:.0f} s: {outcome}",
                  flush=True)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
