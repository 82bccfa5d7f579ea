#!/usr/bin/python3
"""Measures the browser build in headless Chromium, the game beside a bare Qt window:

    bench.py GAME_SITE BARE_SITE [--also NAME=SITE ...] [--loads N] [--idle SECONDS]

Each SITE is a folder laid out by tools/web/package.sh, the bare window's with
its program in place of the game's, so that both start through the same page.
--also adds more bare windows (built otherwise) to the loads and the transfer.
Prints one line a figure, "PROGRAM NAME VALUE":

  transfer_bytes  the files the page loaded (the browser's own list, from the
                  first load), each as the server sends it to a browser that
                  takes brotli: its .br copy, or the file itself; transfer_files
                  names them
  drawn_ms        navigation start to the first frame with the window drawn,
                  median of N cold loads (a fresh profile each: no cache, no
                  service worker); drawn_all lists them; on the way there,
                  wasm_loaded_ms (the .wasm's last byte received) and
                  running_ms (the runtime ready, main() next), medians too
  first_visit_bytes  what the server sent in the idle run's whole visit, the
                  service worker's copies included
  renderer_hwm_kib  the tab's renderer process's VmHWM at the end of the idle run
  wasm_memory_bytes  the program's WebAssembly memory then
  idle_cpu_percent  the renderer's and the GPU process's CPU time over the idle
                  run's wall time, the game at its first question with the
                  clock ticking; also each process's share, and the frames Qt
                  drew a second
"""

import argparse
import functools
import os
import re
import statistics
import sys
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import serve  # noqa: E402  (beside this file)

LOAD_TIMEOUT = 300      # s: downloading and compiling on a software GPU, others building
STEP_TIMEOUT = 60
POLL = 0.05
SETTLE = 3              # s after a step before the idle run starts
KEPT_FRAMES = 12        # the game's text cursor blinks twice a second: 6 s of it

NAME_PROMPT = r"chiami"
QUESTION = r"(minimo comune multiplo|Massimo Comune Divisore) di \d+ e \d+"
BOX_OK = r"\bOK$"

# Before the page's own code runs.  Keeps the program's WebAssembly memory and
# counts the frames Qt draws into the page's canvas.  With FRAMES, also keeps
# the first frames' times and thumbnails, read in a microtask right after Qt's
# drawing, while the drawing buffer still holds it (the browser clears it once
# shown).
WATCH = r"""
(() => {
  const bench = window.mcmBench = {memory: null, frames: [], frameCount: 0, news: [], running: null};
  const instantiate = WebAssembly.instantiate;
  WebAssembly.instantiate = function (...args) {
    return instantiate.apply(this, args).then((result) => {
      const instance = result instanceof WebAssembly.Instance ? result : result.instance;
      bench.memory = Object.values(instance.exports).find((value) => value instanceof WebAssembly.Memory) ||
        Object.values(args[1] || {}).flatMap((module) => Object.values(module))
          .find((value) => value instanceof WebAssembly.Memory) || null;
      return result;
    });
  };
  // page.js says 'gioco' as the runtime is ready, right before main() runs.
  const setAttribute = Element.prototype.setAttribute;
  Element.prototype.setAttribute = function (name, value) {
    if (bench.running === null && name === 'data-stato' && value === 'gioco')
      bench.running = performance.now();
    return setAttribute.call(this, name, value);
  };
  document.addEventListener('DOMContentLoaded', () => {
    const region = document.getElementById('annuncio');
    new MutationObserver(() => {
      const text = region.textContent.trim();
      if (text) bench.news.push(text);
    }).observe(region, {childList: true, characterData: true, subtree: true});
  });
  const thumb = document.createElement('canvas');
  thumb.width = 85;
  thumb.height = 72;
  const pen = thumb.getContext('2d', {willReadFrequently: true});
  let pending = false;
  function note(canvas) {
    pending = false;
    bench.frameCount++;
    if (!FRAMES || bench.frames.length >= KEPT_FRAMES)
      return;
    const time = performance.now();
    pen.clearRect(0, 0, thumb.width, thumb.height);
    pen.drawImage(canvas, 0, 0, thumb.width, thumb.height);
    bench.frames.push({time, pixels: Array.from(pen.getImageData(0, 0, thumb.width, thumb.height).data)});
  }
  for (const context of [WebGLRenderingContext, WebGL2RenderingContext]) {
    for (const name of ['drawArrays', 'drawElements']) {
      const draw = context.prototype[name];
      context.prototype[name] = function (...args) {
        const result = draw.apply(this, args);
        if (!pending && this.canvas.id === 'schermo') {
          pending = true;
          queueMicrotask(() => note(this.canvas));
        }
        return result;
      };
    }
  }
})();
"""


class Failure(Exception):
    pass


class Site:
    """A folder served on its own port, counting the bytes sent."""

    def __init__(self, name, folder):
        self.name = name
        self.folder = os.path.abspath(folder)
        self.sent = []          # (path, bytes) of each answer
        site = self

        class Counting(serve.Handler):
            def send_header(self, keyword, value):
                if keyword == "Content-Length":
                    site.sent.append((self.path, int(value)))
                super().send_header(keyword, value)

            def log_message(self, *arguments):
                pass

        handler = functools.partial(Counting, directory=self.folder)
        self.server = serve.http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"


def chromium():
    """A browser with a profile of its own: no HTTP cache, no service worker."""
    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", "--use-angle=swiftshader",
                     "--enable-unsafe-swiftshader", "--window-size=1280,1024"):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service(executable_path="/usr/bin/chromedriver"), options=options)


def proc_children():
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as stat:
                    fields = stat.read().rsplit(")", 1)[1].split()
            except OSError:
                continue
            children.setdefault(int(fields[1]), []).append(int(entry))
    return children


def descendants(pid):
    children = proc_children()
    found, todo = [], [pid]
    while todo:
        for child in children.get(todo.pop(), []):
            found.append(child)
            todo.append(child)
    return found


def command_line(pid):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as file:
            return file.read().replace(b"\0", b" ").decode(errors="replace")
    except OSError:
        return ""


def status_kib(pid, field):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return 0


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])       # utime + stime


def tab_processes(driver):
    """The renderer that runs the page and the GPU process.  The page's
    renderer is the largest one: the others draw nothing or Chromium's own
    pages."""
    processes = descendants(driver.service.process.pid)
    renderers = [pid for pid in processes if "--type=renderer" in command_line(pid)
                 and "--extension-process" not in command_line(pid)
                 and "--top-chrome-webui" not in command_line(pid)]
    gpu = [pid for pid in processes if "--type=gpu-process" in command_line(pid)]
    if not renderers or len(gpu) != 1:
        raise Failure(f"no single renderer and GPU process among {processes}")
    return max(renderers, key=lambda pid: status_kib(pid, "VmRSS")), gpu[0]


class Page:
    def __init__(self, driver, site):
        self.driver = driver
        self.site = site

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def wait(self, what, timeout, check):
        deadline = time.monotonic() + timeout
        while True:
            found = check()
            if found:
                return found
            state = self.js("return document.body.getAttribute('data-stato')")
            if state in ("finito", "guasto", "inadatto"):
                raise Failure(f"{self.site.name}: waiting for {what}, the page is {state}: "
                              + str(self.driver.get_log("browser")[-5:]))
            if time.monotonic() > deadline:
                raise Failure(f"{self.site.name}: no {what} after {timeout} s")
            time.sleep(POLL)

    def news(self):
        return self.js("return window.mcmBench.news")

    def wait_news(self, what, pattern, after):
        def heard():
            return next((text for text in self.news()[after:] if re.search(pattern, text)), None)
        return self.wait(what, STEP_TIMEOUT, heard)

    def type(self, keys):
        self.js("document.getElementById('schermo').focus()")
        ActionChains(self.driver).send_keys(keys).perform()


def open_page(site, frames):
    driver = chromium()
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                           {"source": WATCH.replace("KEPT_FRAMES", str(KEPT_FRAMES))
                                               .replace("FRAMES", "true" if frames else "false")})
    page = Page(driver, site)
    try:
        driver.get(site.url)
        page.wait("program running", LOAD_TIMEOUT, lambda: page.js(
            "return document.body.getAttribute('data-stato') === 'gioco'"))
    except BaseException:
        driver.quit()
        raise
    return page


def difference(first, second):
    """The share of thumbnail pixels that differ clearly."""
    changed = sum(1 for index in range(0, len(first), 4)
                  if max(abs(first[index + channel] - second[index + channel]) for channel in range(4)) > 24)
    return changed / (len(first) // 4)


def drawn_ms(page):
    """When the window was drawn: the first frame Qt drew that matches the
    picture it settles on, read once no frame has come for a second or the
    kept frames run out.  Matching allows 0.5 % of the thumbnail's pixels: a
    blinking text cursor changes none, while the smallest window drawn, the
    name box, covers 6 % of the canvas."""
    deadline = time.monotonic() + STEP_TIMEOUT
    while True:
        time.sleep(1)
        frames, now = page.js("return [window.mcmBench.frames, performance.now()]")
        if frames and (len(frames) >= KEPT_FRAMES or now - frames[-1]["time"] > 1000):
            break
        if time.monotonic() > deadline:
            raise Failure(f"{page.site.name}: no settled picture after {STEP_TIMEOUT} s")
    last = frames[-1]["pixels"]
    shares = [round(difference(frame["pixels"], last), 3) for frame in frames]
    drawn = next(frame["time"] for frame, share in zip(frames, shares) if share < 0.005)
    return drawn, [(round(frame["time"]), share) for frame, share in zip(frames, shares)]


def loaded_files(page):
    """The site's files the page loaded, as the browser saw them."""
    urls = page.js("return performance.getEntriesByType('navigation').concat("
                   "performance.getEntriesByType('resource')).map((entry) => entry.name)")
    files = {url[len(page.site.url):].split("?")[0] or "index.html" for url in urls if url.startswith(page.site.url)}
    return sorted(files)


def cold_load(site):
    page = open_page(site, frames=True)
    try:
        if site.name == "game":
            page.wait_news("name box", NAME_PROMPT, 0)
        drawn, frames = drawn_ms(page)
        steps = page.js("""return [performance.getEntriesByName(new URL('mcm-mcd.wasm', location).href)[0].responseEnd,
                                   window.mcmBench.running]""")
        return drawn, steps, frames, loaded_files(page)
    finally:
        page.driver.quit()


def transfer_bytes(site, files):
    """The files, each as the server sends it to a browser that takes brotli."""
    total = 0
    for file in files:
        path = os.path.join(site.folder, file)
        total += os.path.getsize(path + ".br" if os.path.isfile(path + ".br") else path)
    return total


def idle_run(site, seconds):
    """A fresh load; the game is played up to its first question.  Returns the
    bytes the server sent over the whole visit, the renderer's peak memory,
    the WebAssembly memory, and the CPU shares and frames drawn while idle."""
    sent_before = len(site.sent)
    page = open_page(site, frames=False)
    try:
        if site.name == "game":
            page.wait_news("name box", NAME_PROMPT, 0)
            heard = len(page.news())
            page.type("Giulia" + Keys.ENTER)
            while True:
                news = page.wait_news("question or box", f"{QUESTION}|{BOX_OK}", heard)
                heard = len(page.news())
                if re.search(QUESTION, news):
                    break
                page.type(Keys.ENTER)
        page.wait("service worker in charge", LOAD_TIMEOUT,
                  lambda: page.js("return !!navigator.serviceWorker.controller"))
        time.sleep(SETTLE)
        renderer, gpu = tab_processes(page.driver)
        ticks = os.sysconf("SC_CLK_TCK")
        start = time.monotonic(), cpu_ticks(renderer), cpu_ticks(gpu), page.js("return window.mcmBench.frameCount")
        time.sleep(seconds)
        end = time.monotonic(), cpu_ticks(renderer), cpu_ticks(gpu), page.js("return window.mcmBench.frameCount")
        wall = end[0] - start[0]
        memory = page.js("const memory = window.mcmBench.memory; return memory ? memory.buffer.byteLength : 0")
        wrong = [entry["message"] for entry in page.driver.get_log("browser") if "Uncaught" in entry["message"]]
        if wrong:
            raise Failure(f"{site.name}: " + "; ".join(wrong))
        share = lambda used: round(100 * used / ticks / wall, 3)    # noqa: E731
        return {"first_visit_bytes": sum(size for _, size in site.sent[sent_before:]),
                "renderer_hwm_kib": status_kib(renderer, "VmHWM"),
                "wasm_memory_bytes": memory,
                "idle_cpu_percent": share(end[1] + end[2] - start[1] - start[2]),
                "idle_cpu_renderer_percent": share(end[1] - start[1]),
                "idle_cpu_gpu_percent": share(end[2] - start[2]),
                "idle_frames_per_s": round((end[3] - start[3]) / wall, 2)}
    finally:
        page.driver.quit()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("game")
    parser.add_argument("bare")
    parser.add_argument("--also", action="append", default=[], metavar="NAME=SITE")
    parser.add_argument("--loads", type=int, default=5)
    parser.add_argument("--idle", type=float, default=60)
    parser.add_argument("--trace", action="store_true", help="print each load's frames: time, share differing")
    args = parser.parse_args()
    sites = [Site("game", args.game), Site("bare", args.bare)]
    sites += [Site(*also.split("=", 1)) for also in args.also]

    # Loads alternate, so that whatever else the machine does falls on all alike.
    times = {site.name: [] for site in sites}
    steps = {site.name: [] for site in sites}
    for load in range(args.loads):
        for site in sites:
            drawn, step, frames, files = cold_load(site)
            times[site.name].append(drawn)
            steps[site.name].append(step)
            if load == 0:
                print(site.name, "transfer_bytes", transfer_bytes(site, files), flush=True)
                print(site.name, "transfer_files", ",".join(files), flush=True)
            if args.trace:
                print(site.name, "frames", frames, file=sys.stderr, flush=True)
    for site in sites:
        print(site.name, "drawn_ms", round(statistics.median(times[site.name])), flush=True)
        print(site.name, "drawn_all", ",".join(str(round(value)) for value in times[site.name]), flush=True)
        print(site.name, "wasm_loaded_ms", round(statistics.median(step[0] for step in steps[site.name])), flush=True)
        print(site.name, "running_ms", round(statistics.median(step[1] for step in steps[site.name])), flush=True)
    for site in sites[:2]:
        for name, value in idle_run(site, args.idle).items():
            print(site.name, name, value, flush=True)
    for site in sites:
        site.server.shutdown()


if __name__ == "__main__":
    try:
        main()
    except Failure as failure:
        sys.exit(f"bench: {failure}")
