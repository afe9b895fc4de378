"""Driver for the end-to-end tests of the real player under Wine and Xvfb.

Each test gets a session: a copy of the Wine prefix made once per test run,
its own Xvfb display, a temporary working folder that is the player's current
directory, and one long-lived window probe (probe.exe) that reads the
player's windows. Every wait is on a condition with a timeout.

Configuration comes from the environment (set by tests/e2e/CMakeLists.txt):
  ZELTO_DIST        folder with zelto.exe and zelto-build
  ZELTO_PROBE       path of probe.exe
  ZELTO_E2E_PREFIX  the Wine prefix to copy
  ZELTO_E2E_KEEP    if set, keep each session's folder (for debugging)

Run as a script, `zelto_e2e.py make-prefix DIR` creates the prefix.
"""

import json
import os
import queue
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest

SCREEN_WIDTH, SCREEN_HEIGHT = 1024, 768
DEFAULT_TIMEOUT = 20.0
POLL_INTERVAL = 0.05
PLAYER_START_TIMEOUT = 60.0

# Window messages and codes the tests send.
WM_CLOSE = 0x0010
WM_VSCROLL = 0x0115
WM_HSCROLL = 0x0114
WM_MOUSEWHEEL = 0x020A
SB_LINEDOWN, SB_PAGEDOWN, SB_TOP, SB_BOTTOM = 1, 3, 6, 7
WS_VSCROLL = 0x00200000
WS_VISIBLE = 0x10000000
IDOK = 1

VERDICT_WORDS = ["?", "BRAVO", "Anagramme", "Quasiment", "Presque", "Trop long", "Trop court",
                 "pas loin", "y a de l'id\u00e9e", "FAUX"]


def dist_path(name):
    return os.path.join(os.environ["ZELTO_DIST"], name)


def hex_of(text):
    """Text (str in code page 1252, or bytes) as the probe's hex token."""
    data = text.encode("cp1252") if isinstance(text, str) else bytes(text)
    return data.hex() if data else "-"


def text_of(hex_text):
    return bytes.fromhex(hex_text).decode("cp1252", errors="replace")


def wait_until(condition, timeout=DEFAULT_TIMEOUT, what="condition"):
    """Polls `condition` until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(POLL_INTERVAL)


class Rect:
    def __init__(self, values):
        self.left, self.top, self.right, self.bottom = values

    @property
    def width(self):
        return self.right - self.left

    @property
    def height(self):
        return self.bottom - self.top

    def tuple(self):
        return (self.left, self.top, self.right, self.bottom)

    def __repr__(self):
        return "Rect%r" % (self.tuple(),)


class Window:
    """One window as the probe saw it. Rectangles are in screen coordinates."""

    def __init__(self, record):
        self.hwnd = record["hwnd"]
        self.parent = record["parent"]
        self.owner = record["owner"]
        self.id = record["id"]
        self.pid = record["pid"]
        self.visible = record["visible"]
        self.style = record["style"]
        self.exstyle = record["exstyle"]
        self.cls = record["class"]
        self.raw_text = bytes.fromhex(record["text"]) if record["text"] is not None else None
        self.text = self.raw_text.decode("cp1252", errors="replace") if self.raw_text is not None else None
        self.rect = Rect(record["rect"])
        self.client = Rect(record["client"])

    def relative_to(self, other):
        """This window's rectangle in the client coordinates of `other`."""
        return (self.rect.left - other.client.left, self.rect.top - other.client.top,
                self.rect.width, self.rect.height)

    def __repr__(self):
        return "Window(%d id=%d %s %r %r)" % (self.hwnd, self.id, self.cls, self.text, self.rect)


class Tree:
    """A window and its descendants, looked up by control id under a parent."""

    def __init__(self, windows):
        self.windows = windows
        self.root = windows[0]

    def children(self, parent):
        return [w for w in self.windows if w.parent == parent.hwnd]

    def by_id(self, parent, control_id):
        found = [w for w in self.children(parent) if w.id == control_id]
        return found[0] if found else None

    def all_by_id(self, parent, control_id):
        return [w for w in self.children(parent) if w.id == control_id]


class ProbeError(AssertionError):
    pass


class Probe:
    """The long-lived probe.exe under Wine, one command at a time."""

    def __init__(self, probe_exe, env, cwd):
        self.process = subprocess.Popen(["wine", probe_exe], env=env, cwd=cwd, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line)
        self.lines.put(None)

    def call(self, *words, timeout=60.0):
        line = " ".join(str(w) for w in words) + "\n"
        self.process.stdin.write(line.encode("ascii"))
        self.process.stdin.flush()
        try:
            answer = self.lines.get(timeout=timeout)
        except queue.Empty:
            raise ProbeError("probe gave no answer to %r" % line.strip())
        if answer is None:
            raise ProbeError("probe ended during %r" % line.strip())
        return json.loads(answer)

    def checked(self, *words, timeout=60.0):
        answer = self.call(*words, timeout=timeout)
        if not answer["ok"]:
            raise ProbeError("probe %r failed: %s" % (" ".join(str(w) for w in words), answer["error"]))
        return answer

    def find(self, cls=None, caption=None, timeout=DEFAULT_TIMEOUT, visible=True):
        """Waits for a top-level window; returns it, or None on time-out."""
        words = ["find", hex_of(cls) if cls else "-", hex_of(caption) if caption is not None else "-",
                 int(timeout * 1000)]
        if visible:
            words.append("vis")
        answer = self.call(*words, timeout=timeout + 30)
        return Window(answer["window"]) if answer["ok"] else None

    def toplevels(self):
        return [Window(w) for w in self.checked("toplevels")["windows"]]

    def info(self, hwnd):
        return Window(self.checked("info", hwnd)["window"])

    def tree(self, hwnd):
        return Tree([Window(w) for w in self.checked("tree", hwnd)["windows"]])

    def text(self, hwnd):
        return text_of(self.checked("gettext", hwnd)["text"])

    def set_text(self, hwnd, text):
        self.checked("settext", hwnd, hex_of(text))

    def send(self, hwnd, msg, wparam=0, lparam=0):
        return self.checked("send", hwnd, msg, wparam, lparam)["result"]

    def post(self, hwnd, msg, wparam=0, lparam=0):
        self.checked("post", hwnd, msg, wparam, lparam)

    def focus(self, hwnd):
        return self.checked("focus", hwnd)["focus"]

    def message_boxes(self):
        boxes = []
        for box in self.checked("msgboxes")["boxes"]:
            boxes.append({"hwnd": box["hwnd"], "caption": text_of(box["caption"]),
                          "texts": [text_of(t) for t in box["texts"]],
                          "buttons": [(b["id"], text_of(b["text"])) for b in box["buttons"]]})
        return boxes

    def press(self, hwnd, control_id):
        self.checked("press", hwnd, control_id)

    def wait_gone(self, hwnd, timeout=DEFAULT_TIMEOUT):
        return self.call("waitgone", hwnd, int(timeout * 1000), timeout=timeout + 30)["ok"]

    def quit(self):
        try:
            self.process.stdin.write(b"quit\n")
            self.process.stdin.flush()
        except OSError:
            pass

    def release(self):
        """Closes the pipes once the process has ended."""
        for pipe in (self.process.stdin, self.process.stdout):
            try:
                pipe.close()
            except OSError:
                pass


def start_xvfb():
    """A fresh Xvfb on a free display; returns (process, ':N')."""
    read_end, write_end = os.pipe()
    process = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % (SCREEN_WIDTH, SCREEN_HEIGHT),
         "-nolisten", "tcp", "-noreset"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    with os.fdopen(read_end, "rb") as pipe:
        while not number.endswith(b"\n"):
            chunk = pipe.read(1)
            if not chunk:
                break
            number += chunk
    if not number.strip():
        process.kill()
        raise RuntimeError("Xvfb did not start")
    return process, ":" + number.decode().strip()


def wine_env(prefix, display, home):
    env = dict(os.environ)
    env.update({
        "WINEPREFIX": prefix,
        "WINEDEBUG": "-all",
        # A crash ends the process at once instead of opening the debugger.
        "WINEDLLOVERRIDES": "winedbg.exe=d",
        "DISPLAY": display,
        # A null ALSA device: Wine's media player needs a sound device to play.
        "HOME": home,
        "LANG": "C.UTF-8",
    })
    env.pop("XAUTHORITY", None)
    return env


def make_prefix(prefix):
    """Creates the Wine prefix that every test copies."""
    shutil.rmtree(prefix, ignore_errors=True)
    os.makedirs(os.path.dirname(os.path.abspath(prefix)), exist_ok=True)
    xvfb, display = start_xvfb()
    home = tempfile.mkdtemp(prefix="zelto-e2e-home-")
    try:
        env = wine_env(prefix, display, home)
        subprocess.run(["wineboot", "-i"], env=env, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=300)
        subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=300)
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog",
                        "/t", "REG_DWORD", "/d", "0", "/f"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
        subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=300)
    finally:
        xvfb.kill()
        xvfb.wait()
        shutil.rmtree(home, ignore_errors=True)
    if not os.path.exists(os.path.join(prefix, "system.reg")):
        raise RuntimeError("wineboot made no prefix in " + prefix)


class Player:
    """One run of a player executable, with its main window and panels."""

    def __init__(self, session, exe_name, process):
        self.session = session
        self.exe_name = exe_name
        self.process = process
        self.main = None
        self._xid = None

    @property
    def probe(self):
        return self.session.probe

    def wait_main_window(self, timeout=PLAYER_START_TIMEOUT):
        self.main = self.probe.find(cls="WindowsApp", timeout=timeout)
        if self.main is None:
            raise AssertionError("the player's main window did not appear")
        return self.main

    def tree(self):
        return self.probe.tree(self.main.hwnd)

    def panels(self, tree=None):
        """(header panel, question panel): the main window's two dialogs."""
        tree = tree or self.tree()
        dialogs = [w for w in tree.children(tree.root) if w.cls == "#32770"]
        question = [w for w in dialogs if w.style & WS_VSCROLL]
        header = [w for w in dialogs if not w.style & WS_VSCROLL]
        assert len(question) == 1 and len(header) == 1, "expected two panels, got %r" % dialogs
        return header[0], question[0]

    def control(self, panel, control_id):
        """A panel's control by id, freshly read."""
        answer = self.probe.call("item", panel.hwnd, control_id)
        return Window(answer["window"]) if answer["ok"] else None

    def text(self, panel, control_id):
        window = self.control(panel, control_id)
        assert window is not None, "no control %d" % control_id
        return self.probe.text(window.hwnd)

    def wait_text(self, panel, control_id, expected, timeout=DEFAULT_TIMEOUT):
        last = [None]

        def matches():
            last[0] = self.text(panel, control_id)
            return last[0] == expected
        try:
            wait_until(matches, timeout, "control %d to read %r" % (control_id, expected))
        except AssertionError:
            raise AssertionError("control %d reads %r, expected %r" % (control_id, last[0], expected))

    def focus(self):
        return self.probe.focus(self.main.hwnd)

    # -- X side --

    def xid(self):
        """The X window of the main window (found by its caption)."""
        if self._xid is None:
            caption = self.probe.text(self.main.hwnd)
            pattern = "^" + re.escape(caption) + "$"
            out = wait_until(lambda: self.session.xdotool("search", "--name", pattern, check=False).strip(),
                             what="the X window of %r" % caption)
            self._xid = out.split()[0]
        return self._xid

    def focus_x(self):
        self.session.xdotool("windowfocus", "--sync", self.xid())

    def key(self, *keys):
        self.focus_x()
        self.session.xdotool("key", "--delay", "30", *keys)

    def type(self, text):
        self.focus_x()
        self.session.xdotool("type", "--delay", "30", text)

    def click(self, window, button=1):
        """Clicks the middle of a window (a real X click)."""
        x = (window.rect.left + window.rect.right) // 2
        y = (window.rect.top + window.rect.bottom) // 2
        self.session.xdotool("mousemove", str(x), str(y), "click", str(button))

    def focus_control(self, panel, control_id):
        """Clicks a control and waits until it holds the keyboard focus."""
        window = self.control(panel, control_id)
        view = self.probe.info(panel.hwnd).client
        x, y = (window.rect.left + window.rect.right) // 2, (window.rect.top + window.rect.bottom) // 2
        assert view.left <= x < view.right and view.top <= y < view.bottom, \
            "control %d is out of view: %r in %r" % (control_id, window.rect, view)
        self.focus_x()
        self.click(window)
        wait_until(lambda: self.focus() == window.hwnd, what="focus on control %d" % control_id)
        return window

    def resize(self, width, height):
        """A real resize of the client area (the X window)."""
        self.session.xdotool("windowsize", "--sync", self.xid(), str(width), str(height))

    def move(self, x, y):
        self.session.xdotool("windowmove", "--sync", self.xid(), str(x), str(y))

    def place(self, width, height):
        """Puts the main window's client area at the screen's top left corner with the given size
        (without a window manager the X window is the client area)."""
        self.move(0, 0)
        self.resize(width, height)
        wait_until(lambda: self.probe.info(self.main.hwnd).client.tuple() == (0, 0, width, height),
                   what="the main window's client area at (0, 0) sized %d x %d" % (width, height))

    # -- end --

    def close(self, timeout=DEFAULT_TIMEOUT):
        """Asks the window to close and returns the process's exit code."""
        self.probe.post(self.main.hwnd, WM_CLOSE)
        return self.wait_exit(timeout)

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the player did not end within %.0f s" % timeout)


class Session:
    """Prefix copy, display, working folder and probe for one test."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="zelto-e2e-")
        self.prefix = os.path.join(self.root, "prefix")
        self.work = os.path.join(self.root, "work")
        self.home = os.path.join(self.root, "home")
        self.xvfb = None
        self.probe = None
        self.players = []
        self.env = None
        try:
            os.makedirs(self.work)
            os.makedirs(self.home)
            with open(os.path.join(self.home, ".asoundrc"), "w") as f:
                f.write("pcm.!default { type null }\n")
            subprocess.run(["cp", "-a", os.environ["ZELTO_E2E_PREFIX"], self.prefix], check=True)
            self.xvfb, self.display = start_xvfb()
            self.env = wine_env(self.prefix, self.display, self.home)
            self.probe = Probe(os.environ["ZELTO_PROBE"], self.env, self.work)
            self.probe.checked("screen")  # the probe is up, and with it the wineserver
        except BaseException:
            self.close()
            raise

    def path(self, name):
        return os.path.join(self.work, name)

    def write(self, name, data):
        with open(self.path(name), "wb" if isinstance(data, bytes) else "w") as f:
            f.write(data)

    def exists(self, name):
        return os.path.exists(self.path(name))

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool"] + list(args), env=self.env, capture_output=True, text=True,
                                timeout=60)
        if check and result.returncode != 0:
            raise AssertionError("xdotool %s failed: %s" % (" ".join(args), result.stderr.strip()))
        return result.stdout

    def build_quiz(self, toml_text, name="quiz", files=None):
        """Writes a quiz source (and its media files) and builds NAME.exe in the working folder."""
        source_dir = os.path.join(self.root, "source-" + name)
        os.makedirs(source_dir, exist_ok=True)
        for file_name, data in (files or {}).items():
            with open(os.path.join(source_dir, file_name), "wb") as f:
                f.write(data)
        source = os.path.join(source_dir, "quiz.toml")
        with open(source, "w", encoding="utf-8") as f:
            f.write(toml_text)
        exe = self.path(name + ".exe")
        result = subprocess.run([dist_path("zelto-build"), source, "-o", exe], capture_output=True, text=True,
                                timeout=120)
        if result.returncode != 0:
            raise AssertionError("zelto-build failed:\n" + result.stdout + result.stderr)
        return name + ".exe"

    def copy_player(self, name="zelto.exe"):
        """The bare player (no quiz resources) in the working folder."""
        shutil.copy(dist_path("zelto.exe"), self.path(name))
        return name

    def start(self, exe_name, wait=True, args=()):
        """Starts the player from the working folder; waits for its main window unless told not to."""
        process = subprocess.Popen(["wine", exe_name] + list(args), env=self.env, cwd=self.work,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        player = Player(self, exe_name, process)
        self.players.append(player)
        if wait:
            player.wait_main_window()
        return player

    def screenshot(self):
        """The whole screen as a Picture."""
        shot = os.path.join(self.root, "shot.ppm")
        subprocess.run(["import", "-display", self.display, "-window", "root", "-depth", "8", "ppm:" + shot], env=self.env,
                       check=True, capture_output=True, timeout=60)
        with open(shot, "rb") as f:
            return Picture(f.read())

    def wait_pixel(self, x, y, rgb, timeout=DEFAULT_TIMEOUT, tolerance=8):
        """Waits until the screen pixel (x, y) has the colour rgb; returns it."""
        last = [None]

        def matches():
            last[0] = self.screenshot().pixel(x, y)
            return all(abs(a - b) <= tolerance for a, b in zip(last[0], rgb))
        try:
            wait_until(matches, timeout, "pixel (%d, %d) to be %r" % (x, y, rgb))
        except AssertionError:
            raise AssertionError("pixel (%d, %d) is %r, expected %r" % (x, y, last[0], rgb))
        return last[0]

    def close(self):
        if self.probe:
            self.probe.quit()
        if self.env:
            subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=60)
        for process in [p.process for p in self.players] + ([self.probe.process] if self.probe else []):
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        if self.probe:
            self.probe.release()
        if self.xvfb:
            self.xvfb.send_signal(signal.SIGTERM)
            try:
                self.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
        if os.environ.get("ZELTO_E2E_KEEP"):
            print("kept " + self.root, file=sys.stderr)
        else:
            shutil.rmtree(self.root, ignore_errors=True)


class Picture:
    """A binary PPM (P6) screenshot, read pixel by pixel."""

    def __init__(self, data):
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos) + 1
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        assert fields[0] == b"P6", "not a binary PPM"
        self.width, self.height, maxval = int(fields[1]), int(fields[2]), int(fields[3])
        assert maxval == 255, "16-bit PPM"
        self.pixels = data[pos + 1:]

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def dominant_colour(self, rect, inset=2):
        """The most frequent colour inside a rectangle (the background of a text label)."""
        counts = {}
        for y in range(rect.top + inset, rect.bottom - inset):
            for x in range(rect.left + inset, rect.right - inset):
                p = self.pixel(x, y)
                counts[p] = counts.get(p, 0) + 1
        return max(counts, key=counts.get)

    def colours_in(self, rect):
        return {self.pixel(x, y) for y in range(rect.top, rect.bottom) for x in range(rect.left, rect.right)}


class PlayerTest(unittest.TestCase):
    """Base of the end-to-end tests: self.session is fresh for every test."""

    maxDiff = None

    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)

    def assertRect(self, window, expected, relative_to, msg=None):
        self.assertEqual(window.relative_to(relative_to), tuple(expected),
                         msg or "placement of control %d" % window.id)


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "make-prefix":
        make_prefix(sys.argv[2])
    else:
        sys.exit("usage: zelto_e2e.py make-prefix DIR")
