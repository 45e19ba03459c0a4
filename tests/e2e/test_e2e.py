#!/usr/bin/env python3
"""The built program, run as a user runs it: in an empty folder, in a real X
server (Xvfb) with a small window manager, driven with xdotool.

    test_e2e.py PROGRAM ANTHOLOGY [--screenshots DIR]

PROGRAM is the built program file, ANTHOLOGY the database file embedded in it.
With --screenshots the run also saves pictures of the list, search, viewer
and About pages into DIR.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

MAIN_TITLE = "^Lantor összes költeménye:$"
APP_TITLE = "^Lantor$"          # caption of the start-up failure messages
QUESTION_TITLE = "^Figyelem:$"  # caption of the exit question
VIEWER_TITLE = "^ Találat:$"

ARGS = None


def free_display():
    for number in range(90, 200):
        if not os.path.exists(f"/tmp/.X{number}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{number}"):
            return f":{number}"
    raise RuntimeError("no free X display number")


class Desktop:
    """Xvfb with openbox on a display of its own."""

    def __init__(self):
        self.display = free_display()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.xvfb = subprocess.Popen(["Xvfb", self.display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wait_until(lambda: subprocess.run(["xdpyinfo"], env=self.env, capture_output=True).returncode == 0,
                        "the X server to start")
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(0.5)

    def close(self):
        for process in (self.wm, self.xvfb):
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()

    @staticmethod
    def wait_until(condition, what, timeout=20.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if condition():
                return
            time.sleep(0.1)
        raise AssertionError(f"timed out waiting for {what}")

    def xdotool(self, *args):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        return result.stdout.split()

    def windows(self, title, pid=None):
        args = ["search", "--onlyvisible", "--name", title]
        if pid is not None:
            args = ["search", "--all", "--onlyvisible", "--pid", str(pid), "--name", title]
        return self.xdotool(*args)

    def wait_window(self, title, pid=None, timeout=20.0):
        found = []

        def appeared():
            found[:] = self.windows(title, pid)
            return bool(found)

        self.wait_until(appeared, f"a window titled {title!r}", timeout)
        return found[0]

    def activate(self, window):
        self.xdotool("windowactivate", "--sync", window)
        self.xdotool("windowfocus", "--sync", window)

    def key(self, window, *keys):
        self.activate(window)
        self.xdotool("key", "--clearmodifiers", *keys)

    def icon_sizes(self, window):
        """The sizes of the icon pictures the window offers the window manager."""
        result = subprocess.run(["xprop", "-id", window, "_NET_WM_ICON"], env=self.env, capture_output=True, text=True)
        return re.findall(r"Icon \((\d+) x (\d+)\)", result.stdout)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)


class Program:
    """One running copy of the program in a folder."""

    def __init__(self, desktop, folder):
        self.process = subprocess.Popen([ARGS.program], cwd=folder, env=desktop.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    @property
    def pid(self):
        return self.process.pid

    def running(self):
        return self.process.poll() is None

    def exit_code(self, timeout=20.0):
        return self.process.wait(timeout=timeout)

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait()


def read_bytes(path):
    with open(path, "rb") as file:
        return file.read()


class EndToEndTest(unittest.TestCase):
    def setUp(self):
        self.desktop = Desktop()
        self.folder = tempfile.mkdtemp(prefix="lantor-e2e-")
        self.database = os.path.join(self.folder, "LR_ov.db")
        self.asset = read_bytes(ARGS.anthology)
        self.programs = []

    def tearDown(self):
        for program in self.programs:
            program.kill()
        self.desktop.close()
        shutil.rmtree(self.folder, ignore_errors=True)

    def start(self):
        program = Program(self.desktop, self.folder)
        self.programs.append(program)
        return program

    def answer_failures_until_exit(self, program, limit=6):
        """Presses OK on each failure message the program shows until it ends."""
        shown = 0
        while program.running() and shown <= limit:
            windows = self.desktop.windows(APP_TITLE, program.pid)
            if windows:
                shown += 1
                self.desktop.key(windows[0], "Return")
                time.sleep(0.3)
            else:
                time.sleep(0.1)
        return shown

    def test_a_users_session(self):
        first = self.start()
        main = self.desktop.wait_window(MAIN_TITLE, first.pid)
        self.assertEqual(read_bytes(self.database), self.asset, "the extracted file is the embedded anthology")
        # The bee icon follows the first picture of the window, in several sizes.
        self.desktop.wait_until(lambda: ("16", "16") in self.desktop.icon_sizes(main), "the program icon")
        self.assertIn(("48", "48"), self.desktop.icon_sizes(main))

        # A second copy in the same folder reports its failure and ends with
        # code 0, leaving the first copy's file untouched.
        second = self.start()
        self.desktop.wait_window(APP_TITLE, second.pid)
        shown = self.answer_failures_until_exit(second)
        self.assertGreaterEqual(shown, 1)
        self.assertEqual(second.exit_code(), 0)
        self.assertEqual(self.desktop.windows(MAIN_TITLE, second.pid), [])
        self.assertTrue(first.running())
        self.assertEqual(read_bytes(self.database), self.asset)

        if ARGS.screenshots:
            self.take_screenshots(main)

        # No to the exit question, by closing the window and by the menu:
        # everything stays.
        self.desktop.key(main, "alt+F4")
        question = self.desktop.wait_window(QUESTION_TITLE, first.pid)
        self.desktop.key(question, "Escape")
        self.desktop.wait_until(lambda: not self.desktop.windows(QUESTION_TITLE, first.pid), "the question to close")
        self.desktop.key(main, "alt+l")
        time.sleep(0.3)
        self.desktop.xdotool("key", "--clearmodifiers", "i")
        question = self.desktop.wait_window(QUESTION_TITLE, first.pid)
        self.desktop.key(question, "Escape")
        self.desktop.wait_until(lambda: not self.desktop.windows(QUESTION_TITLE, first.pid), "the question to close")
        time.sleep(0.3)
        self.assertTrue(first.running())
        self.assertTrue(self.desktop.windows(MAIN_TITLE, first.pid))
        self.assertEqual(read_bytes(self.database), self.asset)

        # Yes ends the program with code 0 and deletes the file.
        self.desktop.key(main, "alt+F4")
        question = self.desktop.wait_window(QUESTION_TITLE, first.pid)
        self.desktop.key(question, "Return")
        self.assertEqual(first.exit_code(), 0)
        self.assertFalse(os.path.exists(self.database))

    def choose_from_menu(self, main, access_key):
        self.desktop.key(main, "alt+l")
        time.sleep(0.3)
        self.desktop.xdotool("key", "--clearmodifiers", access_key)
        time.sleep(0.3)

    def take_screenshots(self, main):
        os.makedirs(ARGS.screenshots, exist_ok=True)
        shot = lambda name: self.desktop.screenshot(os.path.join(ARGS.screenshots, name))
        self.desktop.activate(main)
        time.sleep(1.2)
        shot("list.png")
        self.choose_from_menu(main, "k")  # "Keresés"
        self.desktop.xdotool("mousemove", "--window", main, "200", "160", "click", "1")  # the phrase field
        self.desktop.xdotool("type", "--delay", "30", "alkony")
        time.sleep(0.5)
        shot("search.png")
        self.desktop.xdotool("key", "Tab", "space")  # "Keresés indítása"
        time.sleep(0.8)
        self.desktop.xdotool("mousemove", "--window", main, "200", "88", "click", "--repeat", "2", "1")
        viewer = self.desktop.wait_window(VIEWER_TITLE)
        time.sleep(0.8)
        shot("viewer.png")
        self.desktop.key(viewer, "alt+F4")
        self.desktop.wait_until(lambda: not self.desktop.windows(VIEWER_TITLE), "the viewer to close")
        self.choose_from_menu(main, "b")  # "Bemutatkozás"
        time.sleep(0.5)
        shot("about.png")
        self.choose_from_menu(main, "l")  # back to "Lexikon"


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("anthology")
    parser.add_argument("--screenshots")
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
