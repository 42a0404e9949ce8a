#!/usr/bin/env python3
"""Time from starting orbisk to its window being shown, on a virtual X display: the editor
(orbisk --view on the non-ASCII sample) beside the main window (orbisk), in the same
rounds (see sidebyside.py); and with --before, the editor on a 64 KB text beside another
orbisk's viewer (or editor) on the same file. A window counts as shown when the X server
maps it.

Usage: bench/window_speed.py [path/to/orbisk] [--before path/to/other/orbisk]
       (default: build/release/bin/orbisk)
Runs itself under xvfb-run when no display is set. Needs python3 and the Debian packages
xvfb and xauth.
"""
import ctypes
import os
import select
import shutil
import subprocess
import signal
import sys
import tempfile
import time

from sidebyside import report, rounds

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ROUNDS = 31
MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class MapWatcher:
    """Tells when a top-level window of a given title is mapped, with Xlib through ctypes."""

    def __init__(self):
        self.x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        self.x11.XPending.argtypes = [ctypes.c_void_p]
        self.x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self.x11.XInternAtom.restype = ctypes.c_ulong
        self.x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self.x11.XGetWindowProperty.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
            ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
        self.x11.XFree.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("cannot open the display")
        root = self.x11.XDefaultRootWindow(self.display)
        self.x11.XSelectInput(self.display, root, SUBSTRUCTURE_NOTIFY_MASK)
        self.fd = self.x11.XConnectionNumber(self.display)
        self.net_wm_name = self.x11.XInternAtom(self.display, b"_NET_WM_NAME", 0)
        self.utf8_string = self.x11.XInternAtom(self.display, b"UTF8_STRING", 0)
        self.event = (ctypes.c_long * 24)()

    def name_of(self, window):
        """The window's _NET_WM_NAME, as Qt sets it in UTF-8."""
        kind, size = ctypes.c_ulong(), ctypes.c_int()
        count, left = ctypes.c_ulong(), ctypes.c_ulong()
        data = ctypes.c_void_p()
        if self.x11.XGetWindowProperty(self.display, window, self.net_wm_name, 0, 1024, 0,
                                       self.utf8_string, ctypes.byref(kind), ctypes.byref(size),
                                       ctypes.byref(count), ctypes.byref(left),
                                       ctypes.byref(data)) != 0 or not data.value:
            return ""
        name = ctypes.string_at(data.value, count.value).decode("utf-8", "replace")
        self.x11.XFree(data)
        return name

    def wait_for(self, titles, deadline):
        """Returns the moment a window named one of `titles` is mapped."""
        while time.perf_counter() < deadline:
            while self.x11.XPending(self.display):
                self.x11.XNextEvent(self.display, self.event)
                if self.event[0] & 0xFFFFFFFF != MAP_NOTIFY:
                    continue
                moment = time.perf_counter()
                window = ctypes.c_ulong(self.event[5]).value  # XMapEvent.window
                if self.name_of(window) in titles:
                    return moment
            select.select([self.fd], [], [], 0.05)
        sys.exit(f"no window named {titles!r} appeared")


def main():
    if not os.environ.get("DISPLAY"):
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 800x600x24 -dpi 96",
                               sys.executable, *sys.argv])
    arguments = sys.argv[1:]
    before = None
    if "--before" in arguments:
        at = arguments.index("--before")
        before = os.path.abspath(arguments[at + 1])
        del arguments[at:at + 2]
    orbisk = os.path.abspath(arguments[0] if arguments
                             else os.path.join(ROOT, "build/release/bin/orbisk"))
    if not os.access(orbisk, os.X_OK):
        sys.exit(f"no orbisk at {orbisk}: build it first (scripts/run --version)")
    watcher = MapWatcher()
    examples = os.path.join(ROOT, "examples")
    environment = dict(os.environ, XDG_RUNTIME_DIR=os.environ.get("XDG_RUNTIME_DIR", "/tmp"))

    def shown(arguments, title, program=orbisk):
        start = time.perf_counter()
        pid = os.posix_spawn(program, [program, *arguments], environment)
        # The viewer of earlier versions was titled "Orbisk – name", the editor "name – Orbisk".
        moment = watcher.wait_for({title, "Orbisk – " + title[:-len(" – Orbisk")]}, start + 10)
        os.kill(pid, signal.SIGTERM)
        os.waitpid(pid, 0)
        return moment - start

    os.chdir(examples)
    figures = rounds(ROUNDS, {
        "main window": lambda: shown([], "Conversion text TI92+ / V200"),
        "editor": lambda: shown(["--view", "formules.9xt"], "formules.9xt – Orbisk"),
    }, lambda: None, reference="main window")
    report(f"start to window shown, {ROUNDS} rounds", figures, 1.2, reference="main window")
    if before is None:
        return
    # 64 KB of text: 1,000 lines of 63 letters, made a Voyager 200 text by orbisk itself.
    work = tempfile.mkdtemp()
    with open(os.path.join(work, "large.txt"), "w") as text:
        for line in range(1000):
            text.write(chr(ord("a") + line % 26) * 63 + "\n")
    subprocess.run([orbisk, "--from-text", "large.txt"], cwd=work, check=True,
                   stdout=subprocess.DEVNULL)
    environment["XDG_STATE_HOME"] = work
    os.chdir(work)
    figures = rounds(ROUNDS, {
        "before": lambda: shown(["--view", "large.v2t"], "large.v2t – Orbisk", before),
        "editor": lambda: shown(["--view", "large.v2t"], "large.v2t – Orbisk"),
    }, lambda: None, reference="before")
    report(f"64 KB text, start to window shown, {ROUNDS} rounds", figures, 1.2,
           reference="before")
    shutil.rmtree(work)


if __name__ == "__main__":
    main()
