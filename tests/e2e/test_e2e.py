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
import shutil
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop as desktop_module  # noqa: E402
from desktop import (APP_TITLE, MAIN_TITLE, QUESTION_TITLE, VIEWER_TITLE, Desktop,  # noqa: E402,F401
                     read_bytes, wait_until)

ARGS = None


class Program(desktop_module.Program):
    """The program under test, started in a folder of the desktop."""

    def __init__(self, desktop, folder, log_path):
        super().__init__(desktop, [ARGS.program], folder, log_path)


class ProgramTestCase(unittest.TestCase):
    """A desktop, an empty working folder, and the copies of the program
    started there; whatever still runs at the end is killed."""

    desktop_size = (1280, 1024)

    def setUp(self):
        self.desktop = Desktop(*self.desktop_size)
        self.root = tempfile.mkdtemp(prefix="lantor-e2e-")
        self.folder = os.path.join(self.root, "work")
        os.mkdir(self.folder)
        self.database = os.path.join(self.folder, "LR_ov.db")
        self.asset = read_bytes(ARGS.anthology)
        self.programs = []

    def tearDown(self):
        self.kill_all()
        self.desktop.close()
        shutil.rmtree(self.root, ignore_errors=True)

    def kill_all(self):
        for program in self.programs:
            program.kill()
        if os.path.lexists(self.database):
            os.remove(self.database)

    def start(self):
        log_path = os.path.join(self.root, f"program-{len(self.programs)}.log")
        program = Program(self.desktop, self.folder, log_path)
        self.programs.append(program)
        return program

    def start_and_wait(self):
        program = self.start()
        main = self.desktop.wait_window(MAIN_TITLE, program.pid)
        self.desktop.activate(main)
        return program, main

    def choose_from_menu(self, main, access_key):
        """Opens "Lehetőségek" with its access key and chooses an item by its own."""
        self.desktop.key(main, "alt+l")
        time.sleep(0.3)
        self.desktop.xdotool("key", "--clearmodifiers", access_key)
        time.sleep(0.3)

    def click_close_button(self, window):
        """Clicks the close button at the right end of the window's title bar."""
        x, y, width, _ = self.desktop.frame_geometry(window)
        _, _, top, _ = self.desktop.frame_extents(window)
        self.desktop.xdotool("mousemove", str(x + width - 10), str(y + top // 2), "click", "1")

    def expect_one_question_then_end(self, program, question):
        """After Yes: the question closes, no second one comes up, and the
        program ends with code 0."""
        self.desktop.wait_gone(question, QUESTION_TITLE, program.pid)
        deadline = time.monotonic() + 10
        while program.running() and time.monotonic() < deadline:
            self.assertEqual(self.desktop.windows(QUESTION_TITLE, program.pid), [], "the exit question came up twice")
            time.sleep(0.05)
        self.assertEqual(program.exit_code(timeout=1), 0, program.log()[-4000:])


class ExitTest(ProgramTestCase):
    """Every way out, with every answer: the question is asked exactly once;
    Yes ends the program and takes its file along, No and Escape keep all."""

    def ask(self, main, path):
        """Asks to leave by one path; returns the exit question's window."""
        if path == "menu":
            self.choose_from_menu(main, "i")  # "Kilépés"
        elif path == "close button":
            self.click_close_button(main)
        elif path == "alt+F4":
            self.desktop.key(main, "alt+F4")
        else:
            raise ValueError(path)
        return self.desktop.wait_window(QUESTION_TITLE, self.programs[-1].pid)

    def test_yes_ends_the_program_once_asked(self):
        for path in ("menu", "close button", "alt+F4"):
            with self.subTest(path=path):
                self.kill_all()
                program, main = self.start_and_wait()
                self.assertEqual(read_bytes(self.database), self.asset)
                question = self.ask(main, path)
                self.desktop.key(question, "Return")  # Yes is the default button
                self.expect_one_question_then_end(program, question)
                self.assertFalse(os.path.exists(self.database), "the file outlived a confirmed exit")

    def test_no_and_escape_keep_everything(self):
        program, main = self.start_and_wait()
        answers = {"No": ("Tab", "Return"), "Escape": ("Escape",)}
        for path in ("menu", "close button", "alt+F4"):
            for answer, keys in answers.items():
                with self.subTest(path=path, answer=answer):
                    question = self.ask(main, path)
                    self.desktop.key(question, *keys)
                    self.desktop.wait_gone(question, QUESTION_TITLE, program.pid)
                    time.sleep(0.5)
                    self.assertEqual(self.desktop.windows(QUESTION_TITLE, program.pid), [],
                                     "a second question came up after No")
                    self.assertTrue(program.running())
                    self.assertIn(main, self.desktop.windows(MAIN_TITLE, program.pid))
                    self.assertEqual(read_bytes(self.database), self.asset)
        # Still whole: a search runs on the kept file and connection.
        self.choose_from_menu(main, "k")  # "Keresés"
        self.desktop.xdotool("key", "--clearmodifiers", "Tab", "space")  # "Keresés indítása"
        time.sleep(0.5)
        self.assertEqual(self.desktop.windows(APP_TITLE, program.pid), [], "the search failed after No")
        question = self.ask(main, "alt+F4")
        self.desktop.key(question, "Return")
        self.expect_one_question_then_end(program, question)
        self.assertFalse(os.path.exists(self.database))


class PlacementTest(ProgramTestCase):
    """The framed main window is centred on the screen, and a window too big
    for the screen keeps its title bar and menu on it."""

    def place(self, width, height, dpi):
        self.desktop.close()
        self.desktop = Desktop(width, height, dpi)
        program, main = self.start_and_wait()
        time.sleep(0.3)
        x, y, framed_width, framed_height = self.desktop.frame_geometry(main)
        self.kill_all()
        return x, y, framed_width, framed_height

    def test_the_framed_window_is_centred_when_it_fits(self):
        for width, height in ((1280, 1024), (800, 600)):
            with self.subTest(screen=f"{width}x{height}"):
                x, y, framed_width, framed_height = self.place(width, height, 96)
                self.assertLessEqual(framed_width, width)
                self.assertLessEqual(framed_height, height)
                self.assertLessEqual(abs(x - (width - framed_width) // 2), 1, (x, y, framed_width, framed_height))
                self.assertLessEqual(abs(y - (height - framed_height) // 2), 1, (x, y, framed_width, framed_height))

    def test_a_window_larger_than_the_screen_keeps_its_title_bar_on_it(self):
        # At 144 dpi the window is scaled by 1.5: 1053 pixels wide on a screen of 1024.
        x, y, framed_width, framed_height = self.place(1024, 768, 144)
        self.assertGreater(framed_width, 1024)
        # At the top left corner; the scaled frame may round a pixel inwards.
        self.assertIn(x, (0, 1))
        self.assertIn(y, (0, 1))


class EndToEndTest(ProgramTestCase):
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
        wait_until(lambda: ("16", "16") in self.desktop.icon_sizes(main), "the program icon")
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
        wait_until(lambda: not self.desktop.windows(QUESTION_TITLE, first.pid), "the question to close")
        self.desktop.key(main, "alt+l")
        time.sleep(0.3)
        self.desktop.xdotool("key", "--clearmodifiers", "i")
        question = self.desktop.wait_window(QUESTION_TITLE, first.pid)
        self.desktop.key(question, "Escape")
        wait_until(lambda: not self.desktop.windows(QUESTION_TITLE, first.pid), "the question to close")
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
        wait_until(lambda: not self.desktop.windows(VIEWER_TITLE), "the viewer to close")
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
    ARGS.program = os.path.abspath(ARGS.program)
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
