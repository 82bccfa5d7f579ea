#!/usr/bin/python3
"""Plays one game by ear, the way a child who cannot see the screen does, and
checks what Orca said.  run.sh starts it inside its private session:

    play.py GAME WORKDIR

The child types the name, then answers the questions it hears: the numbers
come from the speech alone.  It answers right and wrong, asks for the time
left and the counts (F1), tabs onto the hidden button and back, and leaves
with a record.  Then it plays again with no record yet: starts a new game from
the menu, and in it opens the exit box and lets the clock run out under it,
fast-forwarded through the game's "until N" input.  Every box that opens the
moment another closes (the exit's and the new game's Sì into the record box,
the farewell over the exit box, the farewell into the record box) must be
heard whole, title and text.  After every
key it waits until the voice has been quiet for a moment, as a child who
listens to the end.  WORKDIR/transcript.txt shows what was heard; the exit
status is 0 when every check passed.
"""

import os
import re
import subprocess
import sys
import time

QUIET = 0.8           # seconds of silence before the next key
KIND = r"(minimo comune multiplo|Massimo Comune Divisore)"
QUESTION = KIND + r" di (\d+) e (\d+)"
CLOCK_NEWS = r"\b(Manca|Mancano|Tempo restante)\b"
# Words a child must never hear: the hidden button's caption and English.
FOREIGN = r"\b(Command1|Go|Exit|button|text|minutes?|seconds?|left)\b"


class Speech:
    """What the speaker said, read from the log speaker.sh writes."""

    def __init__(self, path):
        self.path = path
        self.said = []        # [start, pid, seconds, text, done]
        self.by_pid = {}
        self.lines_read = 0

    def poll(self):
        with open(self.path, encoding="utf-8", errors="replace") as log:
            lines = log.read().split("\n")[:-1]     # the last line may be half written
        for line in lines[self.lines_read:]:
            self.lines_read += 1
            fields = line.split("\t")
            if fields[0] == "say" and len(fields) >= 5:
                entry = [float(fields[1]), fields[2], float(fields[3]), fields[4], False]
                self.said.append(entry)
                self.by_pid[fields[2]] = entry
            elif fields[0] == "done" and fields[2] in self.by_pid:
                self.by_pid[fields[2]][4] = True

    def speaking(self):
        self.poll()
        if not self.said:
            return False
        start, pid, seconds, _, done = self.said[-1]
        return not done and os.path.exists(f"/proc/{pid}") and time.time() < start + seconds + 1

    def last_event(self):
        return max((s[0] + (s[2] if s[4] else 0) for s in self.said), default=0)

    def since(self, mark):
        self.poll()
        return [s for s in self.said if s[0] >= mark]


class Child:
    def __init__(self, game, work):
        self.work = work
        self.speech = Speech(os.path.join(work, "speech.log"))
        self.failures = []
        self.transcript = open(os.path.join(work, "transcript.txt"), "w", encoding="utf-8")
        self.started = time.time()
        self.step_mark = time.time()
        self.orca = None
        self.game_path = game
        self.game = None
        self.written_until = 0.0     # the start of the last text written to the transcript

    # --- what is heard -------------------------------------------------
    def listen(self, limit=15.0, at_least=0.5):
        """Waits until nothing is said for QUIET seconds (at most `limit`)."""
        begin = time.time()
        while time.time() - begin < limit:
            time.sleep(0.1)
            if time.time() - begin < at_least or self.speech.speaking():
                continue
            if time.time() - max(self.speech.last_event(), begin) >= QUIET:
                return

    def heard(self, pattern):
        """The first text matching pattern said to its end since the step began."""
        for _, _, _, text, done in self.speech.since(self.step_mark):
            match = re.search(pattern, text)
            if match and done:
                return match
        return None

    def hear(self, pattern, limit, what):
        """Waits for heard(pattern), then for the quiet after it."""
        begin = time.time()
        while time.time() - begin < limit:
            match = self.heard(pattern)
            if match:
                self.listen(limit=10)
                return match
            time.sleep(0.1)
        self.fail(f"{what}: never heard in full /{pattern}/")
        return None

    def fail(self, message):
        self.failures.append(message)
        self.write(f"   FAILED: {message}")

    def write(self, line):
        self.transcript.write(line + "\n")
        self.transcript.flush()

    def step(self, title):
        self.flush_step()
        self.step_mark = time.time()
        self.write(f"\n== {title}")

    def flush_step(self):
        for start, _, seconds, text, done in self.speech.since(self.step_mark):
            if start <= self.written_until:
                continue
            self.written_until = start
            state = "heard" if done else "cut off"
            self.write(f"   +{start - self.step_mark:5.1f}s  {text!r}  ({state}, {seconds:.1f} s)")

    # --- keys and programs ---------------------------------------------
    def key(self, *keys):
        self.write(f"   key: {' '.join(keys)}")
        subprocess.run(["xdotool", "key", "--delay", "150", *keys], check=False, timeout=10)

    def type(self, text):
        self.write(f"   type: {text}")
        subprocess.run(["xdotool", "type", "--delay", "250", text], check=False, timeout=20)

    def start_orca(self):
        env = dict(os.environ, LANG="it_IT.UTF-8")
        env.pop("LC_ALL", None)
        env.pop("LANGUAGE", None)
        log = open(os.path.join(self.work, "orca.log"), "w")
        self.orca = subprocess.Popen(["orca", "--debug-file=" + os.path.join(self.work, "orca-debug.log")],
                                     env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log)

    def start_game(self, records):
        """Starts the game with its record in WORKDIR/RECORDS, which run.sh empties."""
        env = {k: v for k, v in os.environ.items() if not k.startswith(("LC_", "QT_", "LANGUAGE"))}
        records = os.path.join(self.work, records)
        os.makedirs(records, exist_ok=True)
        env.update(LANG="it_IT.UTF-8", WINDIR=records, QT_QPA_PLATFORM="xcb")
        log = open(os.path.join(self.work, "game.log"), "a")
        self.game = subprocess.Popen([self.game_path], cwd=self.work, env=env, stdin=subprocess.PIPE,
                                     stdout=log, stderr=log)

    def clock_until(self, seconds_left):
        self.write(f"   clock fast-forwarded to {seconds_left} s left")
        self.game.stdin.write(f"until {seconds_left}\n".encode())
        self.game.stdin.flush()

    def stop(self):
        for process in (self.game, self.orca):
            if process is not None and process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()

    # --- the game --------------------------------------------------------
    def question(self, what, limit=25):
        match = self.hear(QUESTION, limit, what)
        if match is None:
            return None
        kind, first, second = match.group(1), int(match.group(2)), int(match.group(3))
        divisor = gcd(first, second)
        return kind, divisor if kind.startswith("Massimo") else first * second // divisor

    def answer(self, right, expected):
        typed = expected if right else expected + 1
        self.step(f"the child types {'the right' if right else 'a wrong'} answer {typed} and Enter")
        self.type(str(typed))
        self.listen(5)
        self.key("Return")
        if right:
            self.hear(r"Esatto, sei proprio in gamba", 20, "the verdict on a right answer")
        else:
            self.hear(rf"Sbagliato\W+{expected}\b", 20, f"the verdict on a wrong answer, with {expected}")

    def begin_game(self):
        """From the name box to the first question; returns the question heard."""
        if not self.hear(r"Come ti chiami", 40, "the name box"):
            return None
        self.type("anna")
        self.listen(5)

        self.step("Enter on the name: the greeting")
        self.key("Return")
        self.hear(r"vediamo se sei un vero campione", 20, "the greeting")

        self.step("Enter on the greeting: the first question")
        self.key("Return")
        return self.question("the first question", 30)

    def new_game(self):
        """NUOVO GIOCO from the menu bar, Sì, the record box, up to the name box."""
        self.step("Alt, then Right to the menu item NUOVO GIOCO")
        self.key("alt")
        self.listen(10)
        for _ in range(3):
            self.key("Right")
            self.listen(10)
        if not self.hear(r"NUOVO GIOCO", 1, "the menu item NUOVO GIOCO"):
            return False
        self.step("Enter on NUOVO GIOCO: the confirmation")
        self.key("Return")
        self.hear(r"INIZIAMO UNA NUOVA GARA", 20, "the confirmation")
        if not self.yes_then_record_box("the new game's Sì"):
            return False
        self.step("Enter on the record box: the name box of the new game")
        self.key("Return")
        return True

    def yes_then_record_box(self, what):
        """Tab to Sì in an open confirmation, then Enter: the record box opens
        the moment the confirmation closes, and must be heard whole."""
        for _ in range(3):
            self.step("Tab towards Sì")
            self.key("Tab")
            self.listen(10)
            if self.heard(r"^Sì pulsante"):
                break
        self.step(f"Enter on Sì: the record box, at once after {what}")
        self.key("Return")
        return self.whole_box(r"mcm e MCD", r"Ok ho registrato il tuo record", "the record box")

    def whole_box(self, title, text, what):
        """A box that has just opened: its title and its text, each heard to the end."""
        heard_title = self.hear(rf"allerta {title}", 20, f"{what}: its title")
        heard_text = self.hear(text, 20, f"{what}: its text")
        return heard_title is not None and heard_text is not None

    def exit_box(self):
        self.step("Alt+X: the exit box")
        self.key("alt+x")
        return self.hear(r"Vuoi veramente lasciarmi", 20, "the exit box") is not None

    def ends(self, what):
        give_up = time.time() + 20
        while self.game.poll() is None and time.time() < give_up:
            time.sleep(0.1)
        if self.game.poll() is None:
            self.fail(f"the game did not end after {what}")
            self.game.kill()
            self.game.wait()

    def play(self):
        self.step("Orca starts")
        self.start_orca()
        if not self.hear(r"\w", 30, "Orca's greeting"):
            return
        self.first_game()
        self.step("the game starts again, with no record yet")
        self.start_game("records-2")
        self.games_to_the_end()

    def first_game(self):
        """Questions of both kinds, F1, the hidden button; then Esci, Sì and the record box."""
        self.step("the game starts: the name box")
        self.start_game("records-1")
        current = self.begin_game()

        self.step("Tab from the answer box, and Shift+Tab back")
        self.key("Tab")
        self.listen(8)
        self.key("shift+Tab")
        self.hear(QUESTION, 20, "the question, back in the answer box")
        for _, _, _, text, _ in self.speech.since(self.step_mark):
            if re.search(r"pulsante", text) and not re.search(r"Nuovo calcolo|Esci", text):
                self.fail(f"the hidden button is presented as a button: {text!r}")

        kinds, asked, right = set(), 0, True
        while current is not None and asked < 12:
            kind, expected = current
            kinds.add(kind)
            asked += 1
            self.answer(right, expected)
            if asked == 2:
                self.step("F1: the time left and the counts")
                self.key("F1")
                self.hear(r"Tempo restante \d+ minut[io]( e \d+ second[io])?\W+"
                          r"Risposte esatte 1\W+errate 1\W+totali 2", 20, "the time left and the counts")
            if asked >= 2 and len(kinds) == 2:
                break
            self.step("Enter on Nuovo calcolo: the next question")
            self.key("Return")
            current = self.question("the next question")
            right = asked % 2 == 0
        if len(kinds) < 2:
            self.fail(f"only {kinds} asked in {asked} questions")

        if self.exit_box() and self.yes_then_record_box("the exit's Sì"):
            self.step("Enter on the record box: the game ends")
            self.key("Return")
        self.ends("the exit")

    def games_to_the_end(self):
        """One right answer and a new game from the menu (the record box); in the
        new game two right answers, the exit box, and the time running out under
        it: the farewell, then the record box."""
        current = self.begin_game()
        if current is None:
            return
        self.answer(True, current[1])
        if not self.new_game():
            return
        current = self.begin_game()
        for answered in range(2):
            if current is None:
                return
            self.answer(True, current[1])
            if answered == 0:
                self.step("Enter on Nuovo calcolo: the next question")
                self.key("Return")
                current = self.question("the next question")

        for left, news in ((303, r"Mancano 5 minuti"), (63, r"Manca un minuto"), (13, r"Mancano 10 secondi")):
            self.step(f"the clock runs to {left} s left; the child waits")
            self.clock_until(left)
            self.hear(news, 20, f"the time running out ({news})")
        if not self.exit_box():
            return
        self.step("the time runs out under the exit box: the farewell")
        self.clock_until(0)
        if not self.whole_box(r"Data \d+ barra \d+ barra \d+", r"Ciao a presto", "the farewell"):
            return
        self.step("Enter on the farewell: the record box, at once")
        self.key("Return")
        if self.whole_box(r"mcm e MCD", r"Ok ho registrato il tuo record", "the record box"):
            self.step("Enter on the record box: the game ends")
            self.key("Return")
        self.ends("the record box")

    def check_everything_said(self):
        clock_news = 0
        for _, _, _, text, _ in self.speech.since(self.started):
            if re.search(FOREIGN, text):
                self.fail(f"heard something not meant for the child: {text!r}")
            clock_news += bool(re.search(CLOCK_NEWS, text))
        if clock_news != 4:
            self.fail(f"the clock was spoken {clock_news} times, not 4 (3 moments and F1)")


def gcd(a, b):
    while b:
        a, b = b, a % b
    return a


def main(game, work):
    child = Child(game, work)
    child.write(f"What a child hears with Orca ({time.strftime('%Y-%m-%d %H:%M')})")
    try:
        child.play()
    except Exception as error:      # the driver itself: report, then stop everything
        child.fail(f"driver error: {error!r}")
    finally:
        child.step("end")
        child.stop()
        child.check_everything_said()
        child.write(f"\n{len(child.failures)} failed checks in {time.time() - child.started:.0f} s")
    return 1 if child.failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
