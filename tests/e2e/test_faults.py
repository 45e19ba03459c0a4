#!/usr/bin/env python3
"""Start-up faults in the built program, run as a user runs it: each case in
an empty folder of its own, in a real X server (Xvfb) with a small window
manager, driven with xdotool.

    test_faults.py PROGRAM ANTHOLOGY

PROGRAM is the built program file, ANTHOLOGY the database file embedded in it.

The texts of the message boxes cannot be read from outside the program; what
the cases check is what a user sees from outside: a box captioned with the
application title comes up, the main window never does, every box gives way
to Return, the program ends with code 0, and the files are as they must be.
"""

import argparse
import os
import resource
import shutil
import stat
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "support"))
import desktop as desktop_module  # noqa: E402
from desktop import APP_TITLE, MAIN_TITLE, QUESTION_TITLE, Desktop, read_bytes  # noqa: E402

ARGS = None
DATABASE_NAME = "LR_ov.db"
FILE_SIZE_LIMIT = 100000  # bytes; far less than the anthology


def limit_file_size():
    resource.setrlimit(resource.RLIMIT_FSIZE, (FILE_SIZE_LIMIT, FILE_SIZE_LIMIT))


class Program(desktop_module.Program):
    """One running copy of the program in a folder, optionally as another user
    or with a file-size limit, its error output kept in a log."""

    def __init__(self, desktop, folder, log_path, preexec_fn=None, as_user=None):
        command = [ARGS.program]
        if as_user:
            user, group = as_user
            command = ["setpriv", f"--reuid={user}", f"--regid={group}", "--clear-groups", *command]
        env = dict(desktop.env, HOME=folder)
        self.log_path = log_path
        with open(log_path, "wb") as log:
            self.process = subprocess.Popen(command, cwd=folder, env=env, preexec_fn=preexec_fn,
                                            stdout=subprocess.DEVNULL, stderr=log)

    def log(self):
        """What the program wrote to its error output (sanitizer reports)."""
        with open(self.log_path, "rb") as log:
            return log.read().decode("utf-8", "replace")


def snapshot(folder):
    """Every entry of a folder as it stands: its kind, inode and number of
    names, and its content (a link's target, a regular file's bytes)."""
    entries = {}
    for name in os.listdir(folder):
        path = os.path.join(folder, name)
        status = os.lstat(path)
        if stat.S_ISLNK(status.st_mode):
            content = os.readlink(path)
        elif stat.S_ISREG(status.st_mode):
            content = read_bytes(path)
        else:
            content = None  # a fifo is not read: that would wait for a writer
        entries[name] = (stat.S_IFMT(status.st_mode), status.st_ino, status.st_nlink, content)
    return entries


class StartupFaultsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop()
        cls.asset = read_bytes(ARGS.anthology)
        # Open to every user, so a case can run the program as another one.
        cls.root = tempfile.mkdtemp(prefix="lantor-faults-")
        os.chmod(cls.root, 0o755)

    @classmethod
    def tearDownClass(cls):
        cls.desktop.close()
        shutil.rmtree(cls.root, ignore_errors=True)

    def setUp(self):
        self.folder = tempfile.mkdtemp(dir=self.root)
        os.chmod(self.folder, 0o755)
        self.database = os.path.join(self.folder, DATABASE_NAME)
        self.programs = []

    def tearDown(self):
        for program in self.programs:
            program.kill()
        os.chmod(self.folder, 0o755)

    def start(self, **options):
        log_path = os.path.join(self.root, f"{self.id().rsplit('.', 1)[-1]}-{len(self.programs)}.log")
        program = Program(self.desktop, self.folder, log_path, **options)
        self.programs.append(program)
        return program

    def answer_failures_until_exit(self, program, limit=8):
        """Presses Return on each message box the program shows until it ends;
        returns how many there were. Fails if the main window ever shows."""
        shown = 0
        deadline = time.monotonic() + 60
        while program.running() and time.monotonic() < deadline:
            self.assertEqual(self.desktop.windows(MAIN_TITLE, program.pid), [],
                             "the main window of a failed start came up")
            boxes = self.desktop.windows(APP_TITLE, program.pid)
            if boxes:
                shown += 1
                self.assertLessEqual(shown, limit, "the boxes do not give way to Return")
                self.desktop.key(boxes[0], "Return")
                self.desktop.wait_until(lambda: boxes[0] not in self.desktop.windows(APP_TITLE, program.pid),
                                        "the box to close")
            else:
                time.sleep(0.1)
        return shown

    def expect_failed_start(self, program):
        """The start shows its message first, then ends with code 0 once every
        box is answered."""
        self.desktop.wait_window(APP_TITLE, program.pid)
        shown = self.answer_failures_until_exit(program)
        self.assertGreaterEqual(shown, 1)
        self.expect_exit_code_0(program)
        return shown

    def expect_exit_code_0(self, program):
        self.assertEqual(program.exit_code(), 0, program.log()[-6000:])

    def close_with_yes(self, program, main):
        self.desktop.key(main, "alt+F4")
        question = self.desktop.wait_window(QUESTION_TITLE, program.pid)
        self.desktop.key(question, "Return")
        self.expect_exit_code_0(program)

    def test_disk_fills_up_during_extraction(self):
        program = self.start(preexec_fn=limit_file_size)
        shown = self.expect_failed_start(program)
        # The write stopped at the limit; what was written stays.
        self.assertEqual(os.path.getsize(self.database), FILE_SIZE_LIMIT)
        self.assertEqual(read_bytes(self.database), self.asset[:FILE_SIZE_LIMIT])
        print(f"\n  disk full: {shown} message box(es)", file=sys.stderr)

    def test_read_only_folder(self):
        if os.geteuid() == 0:
            # The folder belongs to root; the program runs as nobody.
            os.chown(self.folder, 0, 0)
            os.chmod(self.folder, 0o755)
            program = self.start(as_user=("nobody", "nogroup"))
        else:
            os.chmod(self.folder, 0o555)
            program = self.start()
        shown = self.expect_failed_start(program)
        # The write, the file test and the open of the built-in empty
        # database each report their failure.
        self.assertEqual(shown, 3)
        self.assertEqual(os.listdir(self.folder), [])
        print(f"\n  read-only folder: {shown} message box(es)", file=sys.stderr)

    def test_nothing_is_written_through_what_stands_at_the_database_path(self):
        def file_outside(outside):
            victim = os.path.join(outside, "victim")
            with open(victim, "wb") as file:
                file.write(b"precious\n")
            return victim

        # Each puts something other than a file of the program's own at the
        # database path, leading out of the folder where it can.
        cases = {
            "symbolic link to a file outside": lambda outside: os.symlink(file_outside(outside), self.database),
            "symbolic link to nowhere": lambda outside: os.symlink(os.path.join(outside, "victim"), self.database),
            "hard link to a file outside": lambda outside: os.link(file_outside(outside), self.database),
            "fifo": lambda outside: os.mkfifo(self.database),
        }
        for name, place in cases.items():
            with self.subTest(name):
                around = tempfile.mkdtemp(dir=self.root)
                self.folder = os.path.join(around, "work")
                self.database = os.path.join(self.folder, DATABASE_NAME)
                outside = os.path.join(around, "outside")
                os.mkdir(self.folder)
                os.mkdir(outside)
                place(outside)
                before = [snapshot(around), snapshot(self.folder), snapshot(outside)]

                program = self.start()
                try:
                    shown = self.expect_failed_start(program)
                finally:
                    program.kill()
                # Refused as an unwritable file is: the write, the file test
                # and the open of the built-in empty database each report.
                self.assertEqual(shown, 3)
                # The stand-in is as it was (a link still a link, to the same
                # place), whatever it leads to keeps its bytes, and nothing
                # came into being beside or outside it.
                self.assertEqual([snapshot(around), snapshot(self.folder), snapshot(outside)], before)
                print(f"\n  {name}: {shown} message box(es)", file=sys.stderr)

    def test_file_held_by_another_copy(self):
        first = self.start()
        main = self.desktop.wait_window(MAIN_TITLE, first.pid)
        self.assertEqual(read_bytes(self.database), self.asset)
        before = os.stat(self.database)

        second = self.start()
        shown = self.expect_failed_start(second)
        # Only the write fails: the engine lets the second copy read the file
        # the first one holds, and neither writes it.
        self.assertEqual(shown, 1)
        self.assertEqual(read_bytes(self.database), self.asset)
        self.assertEqual(os.stat(self.database)[stat.ST_INO], before[stat.ST_INO])
        self.assertTrue(first.running())
        self.assertTrue(self.desktop.windows(MAIN_TITLE, first.pid))

        # The first copy still works and ends as usual, taking its file along.
        self.close_with_yes(first, main)
        self.assertFalse(os.path.exists(self.database))
        print(f"\n  file held by another copy: {shown} message box(es)", file=sys.stderr)

    def test_killed_copy_is_replaced_at_the_next_start(self):
        leftovers = {
            "as the killed copy left it": lambda data: data,
            "cut short, as by a kill during extraction": lambda data: data[:12345],
            "longer and damaged": lambda data: data[:4096] + b"\xff" * 4096 + data[8192:] + b"\x5a" * 70000,
        }
        for name, leftover in leftovers.items():
            with self.subTest(name):
                killed = self.start()
                self.desktop.wait_window(MAIN_TITLE, killed.pid)
                killed.process.kill()
                killed.process.wait()
                self.assertEqual(read_bytes(self.database), self.asset, "the killed copy changed its file")
                with open(self.database, "wb") as file:
                    file.write(leftover(self.asset))

                again = self.start()
                main = self.desktop.wait_window(MAIN_TITLE, again.pid)
                self.assertEqual(self.desktop.windows(APP_TITLE, again.pid), [])
                self.assertEqual(read_bytes(self.database), self.asset)
                self.close_with_yes(again, main)
                self.assertFalse(os.path.exists(self.database))


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("anthology")
    ARGS, rest = parser.parse_known_args()
    ARGS.program = os.path.abspath(ARGS.program)
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
