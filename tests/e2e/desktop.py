"""A private desktop for one end-to-end case: an Xvfb display, the accessibility bus, the program
started with its own settings, data and runtime folders, and the ways a person works with it:
keys and mouse clicks through xdotool, and what is on the screen read through AT-SPI.
The caller runs inside its own session bus (dbus-run-session)."""
import os
import subprocess
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# The interface getters are deprecated in newer AT-SPI but are the ones this version offers.
warnings.filterwarnings("ignore", category=DeprecationWarning)

State = Atspi.StateType

# The machine runs other builds at the same time: deadlines are generous, and a wait that runs
# out says what it waited for and what it saw last.
DEADLINE = float(os.environ.get("E2E_DEADLINE", "30"))


class FlowFailure(AssertionError):
    pass


def wait_for(what, probe, seen=None, deadline=None):
    """Polls probe() until it gives a true value and returns that value."""
    end = time.monotonic() + (deadline or DEADLINE)
    last_error = None
    while True:
        try:
            result = probe()
            if result:
                return result
        except GLib.Error as error:  # an object went away while a window closed
            last_error = error
        if time.monotonic() > end:
            detail = ""
            if seen is not None:
                try:
                    detail = "; seen: %s" % (seen(),)
                except GLib.Error as error:
                    detail = "; seen: (%s)" % error.message
            elif last_error is not None:
                detail = "; last error: %s" % last_error.message
            raise FlowFailure("%s: not within %.0f s%s" % (what, deadline or DEADLINE, detail))
        time.sleep(0.1)


def clean_environment(**extra):
    """A bare environment: nothing of the caller's desktop, locale or Qt settings leaks in. The
    home and XDG folders are the case's own (run_flow.py sets them); sanitizer options pass
    through so that a sanitized build reports as it should."""
    keep = ("PATH", "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
            "XDG_RUNTIME_DIR", "DBUS_SESSION_BUS_ADDRESS", "ASAN_OPTIONS", "UBSAN_OPTIONS",
            "LSAN_OPTIONS")
    env = {k: os.environ[k] for k in keep if k in os.environ}
    # Not Russian on purpose: the program is Russian whatever the locale. UTF-8 for xdotool,
    # which converts the text it types by the locale.
    env.update(LANG="C.UTF-8", LC_ALL="C.UTF-8")
    env.update(extra)
    return env


def accessibility_bus_up():
    from gi.repository import Gio
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                          "NameHasOwner", GLib.Variant("(s)", ("org.a11y.Bus",)), None,
                          Gio.DBusCallFlags.NONE, -1, None)
    return reply.unpack()[0]


class Display:
    """Xvfb and the accessibility bus, for the lifetime of one case."""

    def __init__(self, folder):
        self.folder = folder
        self.processes = []
        read_end, write_end = os.pipe()
        self.spawn("xvfb.log", ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                "1280x1024x24", "-nolisten", "tcp", "-noreset"],
                   pass_fds=(write_end,))
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            raise FlowFailure("Xvfb did not start (see %s)" % os.path.join(folder, "xvfb.log"))
        self.name = ":" + number.decode()
        os.environ["DISPLAY"] = self.name
        os.environ.update(LANG="C.UTF-8", LC_ALL="C.UTF-8")
        # Started here rather than left to bus activation, as a desktop session does.
        self.spawn("at-spi.log", ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                   env=clean_environment(DISPLAY=self.name))
        # A window manager, as on a person's desktop: it activates new windows, gives the focus
        # back when a dialog closes and closes the active window on Alt+F4.
        here = os.path.dirname(os.path.abspath(__file__))
        self.spawn("openbox.log", ["openbox", "--sm-disable", "--config-file",
                                   os.path.join(here, "openbox-rc.xml")],
                   env=clean_environment(DISPLAY=self.name))
        wait_for("the window manager", lambda: b"window id" in subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True,
            timeout=60).stdout)
        wait_for("the accessibility bus", accessibility_bus_up)

    def spawn(self, log, command, **options):
        with open(os.path.join(self.folder, log), "wb") as output:
            self.processes.append(subprocess.Popen(command, stdout=output, stderr=output,
                                                   stdin=subprocess.DEVNULL, **options))

    def screenshot(self, path):
        try:
            subprocess.run(["import", "-display", self.name, "-window", "root", path],
                           timeout=60, check=True, stderr=subprocess.DEVNULL,
                           env=clean_environment())
            return path
        except (OSError, subprocess.SubprocessError):
            return None

    def close(self):
        for process in reversed(self.processes):
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=60, env=clean_environment(
        DISPLAY=os.environ["DISPLAY"]))


def press(*keys):
    """Real key presses, to whichever window has the keyboard focus."""
    xdotool("key", "--delay", "80", *keys)


def type_text(text):
    xdotool("type", "--delay", "60", text)


def click_at(x, y):
    # No --sync: it waits for a motion that never comes when the pointer is already there.
    xdotool("mousemove", str(x), str(y), "click", "1")


def active_x_window():
    """The X window the window manager holds active: tells two windows of one title apart."""
    result = subprocess.run(["xdotool", "getactivewindow"], capture_output=True, text=True,
                            timeout=60, env=clean_environment(DISPLAY=os.environ["DISPLAY"]))
    return result.stdout.strip()


# --- what the screen shows, through AT-SPI -------------------------------------------------


def name_of(acc):
    return acc.get_name() or ""


def children(acc):
    for i in range(acc.get_child_count()):
        child = acc.get_child_at_index(i)
        if child is not None:
            yield child


def descendants(acc, depth=0):
    """Every object below acc that is on screen (hidden parts are skipped with their subtree)."""
    for child in children(acc):
        if not child.get_state_set().contains(State.SHOWING):
            continue
        yield child
        if depth < 40:
            yield from descendants(child, depth + 1)


def text_of(acc):
    text = acc.get_text_iface()
    if text is not None:
        return text.get_text(0, text.get_character_count())
    return name_of(acc)


def extents(acc):
    return acc.get_component_iface().get_extents(Atspi.CoordType.SCREEN)


def centre(acc):
    box = extents(acc)
    return box.x + box.width // 2, box.y + box.height // 2


class Program:
    """The program under test, started and restarted with the same private folders."""

    def __init__(self, path, folder, display, environment=None):
        self.path = path
        self.folder = folder
        self.display = display
        self.process = None
        self.app = None
        self.starts = 0
        self.logs = []
        homes = {}
        for key, sub in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"),
                         ("XDG_DATA_HOME", "data"), ("XDG_CACHE_HOME", "cache"),
                         ("XDG_RUNTIME_DIR", "runtime")):
            homes[key] = os.path.join(folder, sub)
            os.makedirs(homes[key], mode=0o700, exist_ok=True)
        os.chmod(homes["XDG_RUNTIME_DIR"], 0o700)
        self.env = clean_environment(
            DISPLAY=display.name, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **homes)
        # A flow's own locale: a value of None takes the variable away.
        for key, value in (environment or {}).items():
            if value is None:
                self.env.pop(key, None)
            else:
                self.env[key] = value

    def start(self):
        self.starts += 1
        log = os.path.join(self.folder, "program-%d.log" % self.starts)
        self.logs.append(log)
        with open(log, "wb") as stderr:
            self.process = subprocess.Popen([self.path], env=self.env, stdin=subprocess.DEVNULL,
                                            stdout=stderr, stderr=stderr)
        pid = self.process.pid

        def registered():
            self.check_running()
            desktop = Atspi.get_desktop(0)
            for app in children(desktop):
                if app.get_process_id() == pid and app.get_child_count() > 0:
                    return app
            return None

        self.app = wait_for("the program on the accessibility bus", registered)
        return self.app

    def check_running(self):
        if self.process is not None and self.process.poll() is not None:
            raise FlowFailure("the program ended (exit status %d); its output: %s"
                              % (self.process.returncode, self.logs[-1]))

    def windows(self):
        """The program's shown top-level windows, as (title, object) pairs."""
        self.check_running()
        if self.app is None:
            return []
        self.app.clear_cache()
        return [(name_of(w), w) for w in children(self.app)
                if w.get_state_set().contains(State.SHOWING)]

    def active_window(self):
        for title, window in self.windows():
            if window.get_state_set().contains(State.ACTIVE):
                return title, window
        return None

    def titles(self):
        return [title for title, _ in self.windows()]

    def quit(self):
        """Closes the main window as a person does (Alt+F4) and waits for the program to end."""
        press("alt+F4")
        try:
            status = self.process.wait(DEADLINE)
        except subprocess.TimeoutExpired:
            raise FlowFailure("the program did not end within %.0f s of Alt+F4"
                              % DEADLINE) from None
        if status != 0:
            raise FlowFailure("the program ended with status %d; its output: %s"
                              % (status, self.logs[-1]))
        self.process = None
        self.app = None

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def dump_tree(acc, out, depth=0):
    """Writes the objects below acc with role, name, text and states, for a failure report."""
    try:
        states = acc.get_state_set()
        flags = [s for s in ("focused", "active", "enabled", "checked")
                 if states.contains(getattr(State, s.upper()))]
        out.write("%s%s %r %r [%s]\n" % ("  " * depth, acc.get_role_name(), name_of(acc),
                                         text_of(acc) if acc.get_text_iface() else "",
                                         " ".join(flags)))
        for child in children(acc):
            if child.get_state_set().contains(State.SHOWING):
                dump_tree(child, out, depth + 1)
    except GLib.Error as error:
        out.write("%s(%s)\n" % ("  " * depth, error.message))
