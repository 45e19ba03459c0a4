#!/usr/bin/env python3
"""The built program, run as a user runs it: in an empty folder, in a real X
server (Xvfb) with a small window manager, driven with xdotool.

    test_e2e.py PROGRAM ANTHOLOGY --probe CAPTION_PROBE [--screenshots DIR]

PROGRAM is the built program file, ANTHOLOGY the database file embedded in it,
CAPTION_PROBE the test program that draws captions as the windows do. With
--screenshots the reader's walk also saves its pictures of the list, search,
viewer and About pages into DIR.
"""

import argparse
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "support"))
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
        self.assertEqual(shown, 1, "only the write fails: the engine lets the second copy read the held file")
        self.assertEqual(second.exit_code(), 0)
        self.assertEqual(self.desktop.windows(MAIN_TITLE, second.pid), [])
        self.assertTrue(first.running())
        self.assertEqual(read_bytes(self.database), self.asset)

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


def rgb_of(path):
    """The pixels of a picture file as width, height and RGB bytes."""
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True, check=True)
    width, height = (int(n) for n in size.stdout.split())
    data = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    return width, height, data


def differing_pixels(first, second, tolerance=48):
    """How many pixels of two equal-sized RGB byte strings differ visibly."""
    return sum(1 for i in range(0, len(first), 3)
               if max(abs(first[i + k] - second[i + k]) for k in range(3)) > tolerance)


def poems_in_order(anthology):
    with sqlite3.connect(f"file:{anthology}?mode=ro", uri=True) as db:
        return db.execute("select CIM, DATUM from tbl_Data order by AZ").fetchall()


def hits_for(anthology, phrase):
    pattern = f"%{phrase}%"
    with sqlite3.connect(f"file:{anthology}?mode=ro", uri=True) as db:
        return db.execute("select count(*) from tbl_Data where CIM like ? or DATUM like ? or VERS like ?",
                          (pattern, pattern, pattern)).fetchone()[0]


class ReadersWalkTest(ProgramTestCase):
    """A reader's first minutes in the real program, read back from the screen:
    a double click on an accented title opens the viewer on it, the navigator
    steps on, a search typed with the keyboard shows its count, the clock runs.
    With --screenshots the pictures of the walk are saved, each checked."""

    ROOM = 6  # pixels above and below a caption, where overhanging accents go

    def probe(self, *args):
        path = os.path.join(self.root, f"probe-{len(os.listdir(self.root))}.png")
        subprocess.run([ARGS.probe, *map(str, args), path], env=self.desktop.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return rgb_of(path)

    def screen_rgb(self, x, y, width, height):
        rows = self.desktop.pixels(x, y, width, height)
        return bytes(channel for row in rows for pixel in row for channel in pixel)

    def assert_caption_shown(self, window, box, text, pixels, style, background):
        """The caption in its box, with the room above and below, looks on
        the screen exactly as the probe draws it unclipped."""
        x, y, _, _ = self.desktop.client_geometry(window)
        left, top, width, height = box
        probe_width, probe_height, expected = self.probe("caption", text, pixels, style, width, height, self.ROOM,
                                                         "#000000", background)
        shown = self.screen_rgb(x + left, y + top - self.ROOM, probe_width, probe_height)
        differing = differing_pixels(shown, expected)
        self.assertEqual(differing, 0, f"{text!r}: {differing} pixels differ from the caption drawn whole")

    def find_label(self, window, text, pixels, style, background, search):
        """Where a label showing `text` is in `search` (client coordinates),
        by its exact pixels; None when it is not there."""
        x, y, _, _ = self.desktop.client_geometry(window)
        width, height, expected = self.probe("label", text, pixels, style, "#000000", background)
        left, top, area_width, area_height = search
        area = self.desktop.pixels(x + left, y + top, area_width + width, area_height + height)
        rows = [bytes(channel for pixel in row for channel in pixel) for row in area]
        lines = [expected[r * width * 3:(r + 1) * width * 3] for r in range(height)]
        for dy in range(area_height):
            for dx in range(area_width):
                if all(rows[dy + r][dx * 3:(dx + width) * 3] == lines[r] for r in range(height)):
                    return left + dx, top + dy
        return None

    def grid_row_centres(self, main):
        """The centres of the grid's first two rows, found from the current
        row's highlight in the title column."""
        x, y, _, height = self.desktop.client_geometry(main)
        column = [row[0] for row in self.desktop.pixels(x + 100, y, 1, height // 2)]
        highlighted = [i for i, (r, g, b) in enumerate(column) if b > 150 and r < 120]
        self.assertTrue(highlighted, "no highlighted current row in the grid")
        first, last = highlighted[0], highlighted[0]
        while last + 1 in highlighted:
            last += 1
        pitch = last - first + 2  # the row and the line below it
        return (100, (first + last) // 2), (100, (first + last) // 2 + pitch)

    def save(self, name, window):
        if ARGS.screenshots:
            os.makedirs(ARGS.screenshots, exist_ok=True)
            fx, fy, fw, fh = self.desktop.frame_geometry(window)
            subprocess.run(["import", "-window", "root", "-crop", f"{fw}x{fh}+{fx}+{fy}", "+repage",
                            os.path.join(ARGS.screenshots, name)], env=self.desktop.env, check=True)

    def test_a_readers_walk(self):
        program, main = self.start_and_wait()
        poems = poems_in_order(ARGS.anthology)
        time.sleep(0.5)
        self.save("list.png", main)

        # A double click on the second poem, whose title has an accented capital.
        _, second = self.grid_row_centres(main)
        title, date = poems[1]
        self.assertRegex(title, "[ÁÉÍÓÖŐÚÜŰ]")
        self.desktop.click(main, *second, repeat=2)
        viewer = self.desktop.wait_window(VIEWER_TITLE, program.pid)
        time.sleep(0.5)
        vx, vy, _, _ = self.desktop.client_geometry(viewer)
        panel = "#%02x%02x%02x" % self.desktop.pixels(vx + 200, vy + 8, 1, 1)[0][0]
        self.assert_caption_shown(viewer, (7, 24, 396, 19), title.split("\n")[0], 16, "bold", panel)
        self.assert_caption_shown(viewer, (7, 56, 396, 18), date, 15, "bolditalic", panel)
        self.save("viewer.png", viewer)

        # The navigator's "next" button steps to the third poem.
        self.desktop.click(viewer, 24 + 2 * 92 + 46, 97 + 360 + 16)
        time.sleep(0.4)
        title, date = poems[2]
        self.assert_caption_shown(viewer, (7, 24, 396, 19), title.split("\n")[0], 16, "bold", panel)
        self.assert_caption_shown(viewer, (7, 56, 396, 18), date, 15, "bolditalic", panel)
        self.desktop.key(viewer, "alt+F4")
        self.desktop.wait_gone(viewer, VIEWER_TITLE, program.pid)

        # A search typed with the keyboard alone: the menu takes the focus to
        # the phrase field, Tab to the search button, Enter presses it.
        phrase = "alkony"
        self.choose_from_menu(main, "k")
        self.desktop.type_text(phrase)
        time.sleep(0.3)
        self.save("search.png", main)
        self.desktop.xdotool("key", "--clearmodifiers", "Tab", "Return")
        time.sleep(0.5)
        self.choose_from_menu(main, "k")
        time.sleep(0.3)
        x, y, _, _ = self.desktop.client_geometry(main)
        page = "#%02x%02x%02x" % self.desktop.pixels(x + 300, y + 300, 1, 1)[0][0]
        counter = self.find_label(main, str(hits_for(ARGS.anthology, phrase)), 11, "bold", page, (200, 250, 120, 80))
        self.assertIsNotNone(counter, f"the counter does not show {hits_for(ARGS.anthology, phrase)}")

        # The clock in the status bar's right panel changes within two seconds.
        _, _, width, height = self.desktop.client_geometry(main)
        clock = lambda: self.screen_rgb(x + width - 200, y + height - 17, 196, 15)
        before = clock()
        wait_until(lambda: clock() != before, "the clock to tick", timeout=2.0)

        self.choose_from_menu(main, "b")
        time.sleep(0.3)
        self.save("about.png", main)
        question = self.ask_to_leave(main)
        self.desktop.key(question, "Return")
        self.expect_one_question_then_end(program, question)

    def ask_to_leave(self, main):
        self.desktop.key(main, "alt+F4")
        return self.desktop.wait_window(QUESTION_TITLE, self.programs[-1].pid)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("anthology")
    parser.add_argument("--probe", required=True, help="the caption probe program built with the tests")
    parser.add_argument("--screenshots")
    ARGS, rest = parser.parse_known_args()
    ARGS.program = os.path.abspath(ARGS.program)
    ARGS.probe = os.path.abspath(ARGS.probe)
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
