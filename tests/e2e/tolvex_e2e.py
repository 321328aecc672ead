"""End-to-end harness: drives the installed Tolvex as a user does.

One `Desktop` per test class: a private X server (Xvfb), the openbox window manager,
a D-Bus session bus and the accessibility bus (AT-SPI). Each case starts the program
with `TestCase.start()`: a fresh program folder (a copy of the installed program) and a
fresh configuration folder, so nothing is shared between cases but the screen.

The program is reached only as a user reaches it:
- keyboard and mouse through xdotool (`Tolvex.key`, `Tolvex.type`, `Desktop.click`),
- windows through the window manager (`Desktop.wait_window`, `Desktop.xprop`),
- controls through the accessibility bus (`Tolvex.find`, `Tolvex.press`, `Tolvex.dump`),
- the files it writes (its program folder `Tolvex.folder`), read back by other programs.

Every wait has a deadline and fails the case with a message (`wait_for`); every process
started here is ended by its id when the case or the class ends, also on failure.

Usage:

    import tolvex_e2e as e2e

    class Snapshots(e2e.TestCase):
        def test_snapshot_by_keyboard(self):
            app = self.start("/start")
            app.key("F3")
            e2e.wait_for(lambda: app.files("CamSnapshots"), 10, "no snapshot written")

The installed program comes from TOLVEX_E2E_PREFIX (set by ctest to the tree that the
`e2e_install` fixture installs). Run one file by hand with
`TOLVEX_E2E_PREFIX=build/e2e/prefix /usr/bin/python3 -m unittest -v tests/e2e/test_x.py`
from the source folder; `TOLVEX_E2E_KEEP=1` keeps the temporary folders and prints them.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

DEFAULT_TIMEOUT = 20.0
# The main window's title starts with the program's name; a mode text may follow.
MAIN_TITLE = r"^Vyk-Tolvex"


class E2EError(AssertionError):
    pass


def wait_for(condition, timeout, message, interval=0.05):
    """Polls `condition` until it returns a true value, which is returned.

    Fails with `message` (and the last exception the condition raised, if any) once
    `timeout` seconds have passed."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = condition()
            if value:
                return value
        except Exception as error:  # the thing waited for may not exist yet
            last_error = error
        if time.monotonic() >= deadline:
            detail = f" (last error: {last_error!r})" if last_error else ""
            raise E2EError(f"after {timeout:g} s: {message}{detail}")
        time.sleep(interval)


def _end_process(proc, grace=3.0):
    """Ends a process we started, by its id: SIGTERM to its group, then SIGKILL."""
    if proc is None or proc.poll() is not None:
        return
    for sig, wait in ((signal.SIGTERM, grace), (signal.SIGKILL, 5.0)):
        try:
            os.killpg(proc.pid, sig)
        except ProcessLookupError:
            pass
        try:
            proc.wait(timeout=wait)
            return
        except subprocess.TimeoutExpired:
            continue


def free_port():
    """A TCP port on 127.0.0.1 that is free now."""
    import socket

    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Desktop:
    """Xvfb + openbox + D-Bus session + accessibility bus, private to one test class."""

    def __init__(self, width=1280, height=1024):
        self.keep = os.environ.get("TOLVEX_E2E_KEEP") == "1"
        self.root = tempfile.mkdtemp(prefix="tolvex-e2e-")
        self.width, self.height = width, height
        self.procs = []
        self.env = {}
        try:
            self._start()
        except BaseException:
            self.close()
            raise

    # -- start and stop -------------------------------------------------------

    def _spawn(self, argv, env=None, log=None, **kw):
        """Starts a process in a process group of its own (ended by `close`); its
        output goes to the file `log` (a path) when given."""
        out = open(log, "ab") if log else None
        if out is not None:
            kw.update(stdout=out, stderr=subprocess.STDOUT)
        try:
            proc = subprocess.Popen(
                argv,
                env=env if env is not None else self.env,
                start_new_session=True,
                stdin=subprocess.DEVNULL,
                **kw,
            )
        finally:
            if out is not None:
                out.close()
        self.procs.append(proc)
        return proc

    def _start(self):
        home = os.path.join(self.root, "home")
        runtime = os.path.join(self.root, "runtime")
        for d in (home, runtime):
            os.makedirs(d, mode=0o700)
        base = {
            k: v
            for k, v in os.environ.items()
            if k in ("PATH", "LANG", "LC_ALL", "TERM", "USER", "LOGNAME", "SHELL")
        }
        base.setdefault("PATH", "/usr/local/bin:/usr/bin:/bin")
        base.update(HOME=home, XDG_RUNTIME_DIR=runtime, LANG=base.get("LANG", "C.UTF-8"))
        # The X server picks a free display and tells us its number.
        read_fd, write_fd = os.pipe()
        self.xvfb = self._spawn(
            [
                "Xvfb", "-displayfd", str(write_fd), "-screen", "0",
                f"{self.width}x{self.height}x24", "-nolisten", "tcp", "-noreset",
            ],
            env=base, pass_fds=(write_fd,), log=os.path.join(self.root, "xvfb.log"),
        )
        os.close(write_fd)
        number = b""
        deadline = time.monotonic() + 20
        import select

        while not number.endswith(b"\n"):
            if time.monotonic() > deadline or self.xvfb.poll() is not None:
                raise E2EError("Xvfb did not start (see xvfb.log in " + self.root + ")")
            ready, _, _ = select.select([read_fd], [], [], 0.2)
            if ready:
                chunk = os.read(read_fd, 16)
                if not chunk:
                    break
                number += chunk
        os.close(read_fd)
        self.display = ":" + number.decode().strip()
        base["DISPLAY"] = self.display

        # The session bus, and the accessibility bus on it.
        bus = os.path.join(self.root, "bus")
        base["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + bus
        self.dbus = self._spawn(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--address=unix:path=" + bus],
            env=base, log=os.path.join(self.root, "dbus.log"),
        )
        wait_for(lambda: os.path.exists(bus), 10, "the D-Bus session bus did not start")
        self.env = base
        self.atspi = self._spawn(
            ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
            log=os.path.join(self.root, "atspi.log"),
        )
        wait_for(self._a11y_bus_ready, 15, "the accessibility bus did not start")

        self.wm = self._spawn(
            ["openbox", "--sm-disable"],
            log=os.path.join(self.root, "openbox.log"),
        )
        wait_for(self._wm_ready, 15, "openbox did not take the screen")

        # pyatspi reads these from the environment when it is first imported.
        os.environ["DISPLAY"] = self.display
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = base["DBUS_SESSION_BUS_ADDRESS"]
        os.environ["XDG_RUNTIME_DIR"] = runtime

    def _a11y_bus_ready(self):
        out = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
             "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
            env=self.env, capture_output=True, text=True, timeout=5,
        )
        return out.returncode == 0 and "unix:" in out.stdout

    def _wm_ready(self):
        out = self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)
        return "window id" in out

    def close(self):
        for proc in reversed(self.procs):
            _end_process(proc)
        self.procs.clear()
        if self.keep:
            print(f"e2e: kept {self.root}", file=sys.stderr)
        else:
            shutil.rmtree(self.root, ignore_errors=True)

    # -- X helpers ------------------------------------------------------------

    def run(self, argv, check=True, timeout=20, **kw):
        """Runs a command on this desktop and returns its standard output."""
        try:
            out = subprocess.run(argv, env=self.env, capture_output=True, text=True,
                                 timeout=timeout, **kw)
        except subprocess.TimeoutExpired:
            raise E2EError(f"{argv[0]} gave no answer within {timeout:g} s") from None
        if check and out.returncode != 0:
            raise E2EError(f"{argv[0]} failed ({out.returncode}): {out.stderr.strip()}")
        return out.stdout

    def xdotool(self, *args, check=True):
        return self.run(["xdotool", *map(str, args)], check=check)

    def windows(self, pid=None):
        """(window id, title) of every window the window manager manages, or of one
        process's, in stacking order (bottom first)."""
        out = self.run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"], check=False)
        result = []
        for wid in (int(h, 16) for h in re.findall(r"0x[0-9a-fA-F]+", out)):
            if pid is not None:
                owner = self.run(["xdotool", "getwindowpid", str(wid)], check=False).strip()
                if owner != str(pid):
                    continue
            name = self.run(["xdotool", "getwindowname", str(wid)], check=False).strip()
            result.append((wid, name))
        return result

    def find_window(self, title, pid=None):
        """The id of a managed window whose title matches the regular expression (the
        topmost when several do)."""
        for wid, name in reversed(self.windows(pid)):
            if re.search(title, name):
                return wid
        return None

    def wait_window(self, title, timeout=DEFAULT_TIMEOUT, pid=None):
        return wait_for(lambda: self.find_window(title, pid), timeout,
                        f"no window titled /{title}/ appeared; windows: {self.windows()}")

    def wait_window_gone(self, title, timeout=DEFAULT_TIMEOUT, pid=None):
        wait_for(lambda: self.find_window(title, pid) is None, timeout,
                 f"the window titled /{title}/ did not close")

    def activate(self, wid, timeout=15):
        """Makes `wid` the active window. The request is repeated once a second: a
        window manager busy with another window (a dialog just closed, a resize) may
        drop one request."""
        asked = [0.0]

        def active():
            if int(self.xdotool("getactivewindow", check=False).strip() or 0) == wid:
                return True
            if time.monotonic() - asked[0] >= 1.0:
                asked[0] = time.monotonic()
                self.xdotool("windowactivate", wid, check=False)
            return False
        wait_for(active, timeout, f"window {wid} did not become active")

    def key(self, *keys, window=None):
        """Presses keys (xdotool names: Return, space, alt+s, F2) in the active window,
        or in `window` after activating it."""
        if window is not None:
            self.activate(window)
        self.xdotool("key", "--clearmodifiers", "--delay", "60", *keys)

    def type(self, text, window=None):
        if window is not None:
            self.activate(window)
        self.xdotool("type", "--clearmodifiers", "--delay", "20", text)

    def click(self, x, y, button=1):
        """A mouse click at screen coordinates."""
        self.xdotool("mousemove", "--sync", x, y, "click", button)

    def geometry(self, wid):
        """(x, y, width, height) of a window's client area on the screen."""
        out = self.xdotool("getwindowgeometry", "--shell", wid)
        values = dict(line.split("=", 1) for line in out.split())
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def xprop(self, wid, prop):
        return self.run(["xprop", "-id", str(wid), prop], check=False)

    def screenshot(self, path, wid=None, timeout=20):
        """A PNG of the screen or of one window (ImageMagick `import`)."""
        self.run(["import", "-window", str(wid) if wid else "root", path], timeout=timeout)
        return path

    def pixels_uniform(self, wid):
        """True when every pixel of the window has one colour (e.g. an unpainted box).
        A window that goes while it is taken is an E2EError."""
        path = os.path.join(self.root, f"uniform-{wid}-{time.monotonic_ns()}.png")
        self.screenshot(path, wid, timeout=5)
        out = self.run(["identify", "-format", "%k", path])
        return out.strip() == "1"


class Tolvex:
    """One run of the installed program in its own program and configuration folder."""

    def __init__(self, desktop, prefix, folder=None):
        self.desktop = desktop
        self.prefix = prefix
        self.case_root = tempfile.mkdtemp(prefix="case-", dir=desktop.root)
        self.folder = folder or os.path.join(self.case_root, "Tolvex")
        self.config = os.path.join(self.case_root, "config")
        os.makedirs(self.config, exist_ok=True)
        if not os.path.isdir(self.folder):
            shutil.copytree(prefix, self.folder, symlinks=True)
        self.proc = None
        self.log_path = None
        self._app = None

    @property
    def executable(self):
        return os.path.join(self.folder, "tolvex")

    @property
    def ini(self):
        return os.path.join(self.folder, "Tolvex.ini")

    def environment(self, extra=None):
        env = dict(self.desktop.env)
        env.update(
            XDG_CONFIG_HOME=self.config,
            QT_QPA_PLATFORM="xcb",
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
            QT_ACCESSIBILITY="1",
            TOLVEX_CAPTURE_DRIVERS="synthetic",
            TOLVEX_AUDIO="none",
            # Nothing of the program may reach beyond this machine.
            no_proxy="*",
        )
        if extra:
            env.update({k: str(v) for k, v in extra.items()})
        return env

    def launch(self, *args, env=None, wait_title=MAIN_TITLE, timeout=DEFAULT_TIMEOUT):
        """Starts the program with switches; waits for a window of its own titled
        `wait_title` (None: do not wait) and returns that window's id."""
        if self.proc is not None and self.proc.poll() is None:
            raise E2EError("the program is already running")
        self._app = None
        self.log_path = os.path.join(self.case_root, f"tolvex-{time.monotonic_ns()}.log")
        self.proc = self.desktop._spawn(
            [self.executable, *args], env=self.environment(env), cwd=self.case_root,
            log=self.log_path,
        )
        if wait_title is None:
            return None
        return self.wait_window(wait_title, timeout)

    @property
    def pid(self):
        return self.proc.pid if self.proc else None

    def log(self):
        """What the program printed so far (standard output and error)."""
        if not self.log_path or not os.path.exists(self.log_path):
            return ""
        with open(self.log_path, errors="replace") as f:
            return f.read()

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def wait_window(self, title, timeout=DEFAULT_TIMEOUT):
        def found():
            if not self.running():
                raise E2EError(f"the program ended ({self.proc.returncode}): {self.log()[-2000:]}")
            return self.desktop.find_window(title, self.pid)

        return wait_for(found, timeout,
                        f"no window /{title}/ of the program; its windows: "
                        f"{self.desktop.windows(self.pid)}")

    def wait_window_gone(self, title, timeout=DEFAULT_TIMEOUT):
        self.desktop.wait_window_gone(title, timeout, self.pid)

    def windows(self):
        return self.desktop.windows(self.pid)

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise E2EError(f"the program did not end within {timeout:g} s")

    def signal(self, sig):
        os.kill(self.pid, sig)

    def stop(self, timeout=10.0):
        """Ends the program by SIGTERM (it closes as on logout) and waits; kills it
        when it does not end in time. Returns its exit code."""
        if not self.running():
            return self.proc.returncode if self.proc else None
        self.signal(signal.SIGTERM)
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            _end_process(self.proc, 0)
            raise E2EError(f"the program did not end within {timeout:g} s of SIGTERM")

    # -- keyboard -------------------------------------------------------------

    def key(self, *keys, window=None):
        """Presses keys in `window` (default: the program's main window)."""
        self.desktop.key(*keys, window=window or self.main_window())

    def type(self, text, window=None):
        self.desktop.type(text, window=window or self.main_window())

    def main_window(self):
        wid = self.desktop.find_window(MAIN_TITLE, self.pid)
        if wid is None:
            raise E2EError(f"the main window is not shown; windows: {self.windows()}")
        return wid

    def title(self):
        return self.desktop.run(["xdotool", "getwindowname", str(self.main_window())]).strip()

    # -- files ----------------------------------------------------------------

    def path(self, *parts):
        return os.path.join(self.folder, *parts)

    def files(self, subfolder, pattern=r".*"):
        """Sorted names in a folder of the program folder matching a regular expression."""
        folder = self.path(subfolder)
        if not os.path.isdir(folder):
            return []
        return sorted(n for n in os.listdir(folder) if re.fullmatch(pattern, n))

    def read_ini(self):
        with open(self.ini, "rb") as f:
            return f.read()

    # -- accessibility --------------------------------------------------------

    def a11y_app(self, timeout=DEFAULT_TIMEOUT):
        """The program's accessible application object."""
        import pyatspi

        def lookup():
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                try:
                    if app is not None and app.get_process_id() == self.pid:
                        return app
                except Exception:
                    continue
            return None

        if self._app is None:
            self._app = wait_for(lookup, timeout, "the program is not on the accessibility bus")
        return self._app

    def a11y_windows(self):
        app = self.a11y_app()
        return [app.getChildAtIndex(i) for i in range(app.childCount)]

    def a11y_window(self, title, timeout=DEFAULT_TIMEOUT):
        """The accessible top-level window whose name matches the regular expression."""
        def lookup():
            for w in self.a11y_windows():
                if w is not None and re.search(title, w.name or ""):
                    return w
            return None

        return wait_for(lookup, timeout,
                        f"no accessible window /{title}/; windows: "
                        f"{[w.name for w in self.a11y_windows() if w is not None]}")

    def find(self, name, role=None, window=None, timeout=DEFAULT_TIMEOUT):
        """The first showing accessible object named `name` (a regular expression
        matched whole) with the role name `role` ("push button", "check box", "radio
        button", "text", ...), in `window` (an accessible window or a title pattern)
        or in any window of the program."""
        def lookup():
            roots = ([self.a11y_window(window, timeout=0.1)] if isinstance(window, str)
                     else [window] if window is not None else self.a11y_windows())
            for root in roots:
                for node in walk(root):
                    if re.fullmatch(name, node.name or "") and (
                            role is None or node.getRoleName() == role) and is_showing(node):
                        return node
            return None

        return wait_for(lookup, timeout, f"no accessible {role or 'object'} named /{name}/")

    def press(self, name, role=None, window=None, action=None, timeout=DEFAULT_TIMEOUT):
        """Runs an accessible object's action (by default its first: press, toggle,
        click) as a screen reader does; returns how long the call took in seconds."""
        node = self.find(name, role, window, timeout)
        return do_action(node, action)

    def click(self, name, role=None, window=None, button=1, timeout=DEFAULT_TIMEOUT):
        """A mouse click in the middle of an accessible object, as a user clicks it."""
        node = self.find(name, role, window, timeout)
        x, y, w, h = extents(node)
        self.desktop.click(x + w // 2, y + h // 2, button)
        return node

    def dump(self, window=None):
        """(role, name, depth) of every object below a window or the whole program."""
        roots = [window] if window is not None else self.a11y_windows()
        rows = []
        for root in roots:
            for node, depth in walk(root, with_depth=True):
                rows.append((node.getRoleName(), node.name or "", depth))
        return rows


def walk(node, with_depth=False, depth=0, limit=5000):
    """Every accessible object below `node` (itself included), depth first."""
    stack = [(node, depth)]
    seen = 0
    while stack and seen < limit:
        current, d = stack.pop()
        if current is None:
            continue
        seen += 1
        yield (current, d) if with_depth else current
        try:
            count = current.childCount
        except Exception:
            continue
        for i in reversed(range(count)):
            try:
                stack.append((current.getChildAtIndex(i), d + 1))
            except Exception:
                continue


def is_showing(node):
    import pyatspi

    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def extents(node):
    """(x, y, width, height) of an accessible object on the screen."""
    import pyatspi

    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def do_action(node, action=None):
    """Runs an action of an accessible object by name (or its first); returns the
    seconds the call took."""
    iface = node.queryAction()
    names = [iface.getName(i) for i in range(iface.nActions)]
    index = 0 if action is None else names.index(action)
    if not names:
        raise E2EError(f"{node.getRoleName()} '{node.name}' has no action")
    start = time.monotonic()
    iface.doAction(index)
    return time.monotonic() - start


class TestCase(unittest.TestCase):
    """A test class with one private desktop; `start()` runs the program for a case."""

    desktop = None

    @classmethod
    def setUpClass(cls):
        prefix = os.environ.get("TOLVEX_E2E_PREFIX")
        if not prefix or not os.path.isfile(os.path.join(prefix, "tolvex")):
            raise unittest.SkipTest("TOLVEX_E2E_PREFIX does not name an installed program")
        cls.prefix = os.path.abspath(prefix)
        cls.desktop = Desktop()

    @classmethod
    def tearDownClass(cls):
        if cls.desktop is not None:
            cls.desktop.close()
            cls.desktop = None

    def setUp(self):
        self._runs = []

    def tearDown(self):
        failed = self._outcome_failed()
        for run in self._runs:
            if failed:
                self._report(run)
            if run.proc is not None:
                _end_process(run.proc)

    def _outcome_failed(self):
        outcome = getattr(self, "_outcome", None)
        if outcome is None:
            return False
        result = getattr(outcome, "result", None)
        errors = list(getattr(result, "errors", [])) + list(getattr(result, "failures", []))
        return any(test is self for test, _ in errors) or not getattr(outcome, "success", True)

    def _report(self, run):
        try:
            shot = os.path.join(run.case_root, "failure.png")
            self.desktop.screenshot(shot)
            print(f"\ne2e: screenshot at failure: {shot}", file=sys.stderr)
        except Exception:
            pass
        tail = run.log()[-3000:]
        if tail:
            print(f"e2e: program output:\n{tail}", file=sys.stderr)

    def program(self, folder=None):
        """A program folder for this case, not started yet (write settings first)."""
        run = Tolvex(self.desktop, self.prefix, folder)
        self._runs.append(run)
        return run

    def start(self, *args, env=None, folder=None, wait_title=MAIN_TITLE):
        """A fresh program folder, the program started with `args`; waits for its main
        window."""
        run = self.program(folder)
        run.launch(*args, env=env, wait_title=wait_title)
        return run

    def restart(self, run, *args, env=None, wait_title=MAIN_TITLE):
        """The same program folder started again (after `run.stop()`)."""
        again = Tolvex(self.desktop, self.prefix, run.folder)
        again.config = run.config
        self._runs.append(again)
        again.launch(*args, env=env, wait_title=wait_title)
        return again
