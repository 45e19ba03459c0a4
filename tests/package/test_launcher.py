#!/usr/bin/env python3
"""The program as the desktop menu starts it: installed from a build folder
with `cmake --install` into a folder of its own, its menu entry's Exec line
run with that folder's usr/bin on PATH, as another user (nobody), from a
folder that user cannot write, in a real X server.

    test_launcher.py BUILD_FOLDER

The launcher must run the program in the user's private folder, so that the
anthology file lives there while it runs and nothing is left in the home
folder; and it must refuse, starting nothing, a private folder that someone
else could have put there or could write into.
"""

import os
import shutil
import stat
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from package_support import (DATABASE_NAME, DESKTOP_ENTRY, check_installed_tree, desktop_module,  # noqa: E402
                             exec_argv, package_version, read_desktop_entry, cache_entry)

BUILD = None
NOBODY = (65534, 65534)  # nobody, nogroup
ROOT = (0, 0)


class Launch(desktop_module.Program):
    """The menu entry's command, run as a user with exactly the environment
    given (a desktop session's, reduced to what matters here)."""

    def __init__(self, desktop, argv, folder, log_path, environment, as_user):
        command = list(argv)
        if as_user != ROOT:
            command = ["setpriv", f"--reuid={as_user[0]}", f"--regid={as_user[1]}", "--clear-groups", *command]
        self.log_path = log_path
        with open(log_path, "wb") as log:
            self.process = subprocess.Popen(command, cwd=folder, env=environment, stdout=subprocess.DEVNULL,
                                            stderr=log)


def make_folder(path, owner, mode):
    os.mkdir(path)
    os.chown(path, *owner)
    os.chmod(path, mode)
    return path


def entries(folder):
    """Every path under folder, relative to it."""
    found = []
    for top, folders, files in os.walk(folder):
        for name in folders + files:
            found.append(os.path.relpath(os.path.join(top, name), folder))
    return sorted(found)


class LauncherTest(unittest.TestCase):
    """The staged tree on one desktop; every case with fresh folders."""

    @classmethod
    def setUpClass(cls):
        cls.area = tempfile.mkdtemp(prefix="lantor-launcher-")
        os.chmod(cls.area, 0o755)  # the staged tree is run by nobody
        cls.stage = os.path.join(cls.area, "stage")
        install = subprocess.run(["cmake", "--install", BUILD, "--prefix", os.path.join(cls.stage, "usr"), "--strip"],
                                 capture_output=True, text=True)
        if install.returncode != 0:
            shutil.rmtree(cls.area)
            raise AssertionError(f"cmake --install failed:\n{install.stdout}{install.stderr}")
        cls.entry = read_desktop_entry(os.path.join(cls.stage, DESKTOP_ENTRY))
        with open(cache_entry(BUILD, "LANTOR_ANTHOLOGY"), "rb") as file:
            cls.anthology = file.read()
        cls.desktop = desktop_module.Desktop()

    @classmethod
    def tearDownClass(cls):
        cls.desktop.close()
        shutil.rmtree(cls.area, ignore_errors=True)

    def setUp(self):
        self.launches = []

    def tearDown(self):
        self.end_launches()

    def end_launches(self):
        for launch in self.launches:
            launch.kill()
        self.launches = []

    def new_case(self):
        """A user's folders, as a desktop session would have them: a home, a
        runtime folder and a cache folder, all the user's own; a folder the
        user cannot write to start in; and one of another user's."""
        self.end_launches()
        self.case = tempfile.mkdtemp(dir=self.area)
        os.chmod(self.case, 0o755)
        self.folders = {
            "home": make_folder(os.path.join(self.case, "home"), NOBODY, 0o755),
            "runtime": make_folder(os.path.join(self.case, "runtime"), NOBODY, 0o700),
            "cache": make_folder(os.path.join(self.case, "cache"), NOBODY, 0o700),
            "closed": make_folder(os.path.join(self.case, "closed"), ROOT, 0o555),
            "elsewhere": make_folder(os.path.join(self.case, "elsewhere"), ROOT, 0o777),
            "case": self.case,
        }

    def path(self, template):
        return template.format(**self.folders)

    def launch(self, folder, variables, as_user=NOBODY):
        """Runs the entry's Exec line as a menu does: the session's PATH finds
        the command, here the staged tree's usr/bin first."""
        environment = {
            "PATH": os.pathsep.join([os.path.join(self.stage, "usr", "bin"), "/usr/bin", "/bin"]),
            "DISPLAY": self.desktop.display,
            "HOME": self.folders["home"],
            "LANG": "C.UTF-8",
        }
        environment.update({name: self.path(value) for name, value in variables.items()})
        argv = exec_argv(self.entry)
        found = shutil.which(argv[0], path=environment["PATH"])
        self.assertIsNotNone(found, f"{argv[0]!r} of the Exec line is not on PATH")
        log_path = os.path.join(self.case, f"launch-{len(self.launches)}.log")
        launch = Launch(self.desktop, [found, *argv[1:]], self.path(folder), log_path, environment, as_user)
        self.launches.append(launch)
        return launch

    def test_the_installed_tree(self):
        check_installed_tree(self, self.stage, package_version(BUILD))

    # folder started in, the session's variables, where the program must run
    RUNS = [
        ("from / with a runtime folder", "/", {"XDG_RUNTIME_DIR": "{runtime}"}, "{runtime}/lantor"),
        ("from a closed folder, no runtime folder, a cache home", "{closed}", {"XDG_CACHE_HOME": "{cache}"},
         "{cache}/lantor"),
        ("from a closed folder, neither a runtime folder nor a cache home", "{closed}", {}, "{home}/.cache/lantor"),
        ("a runtime folder that does not exist", "/", {"XDG_RUNTIME_DIR": "{case}/gone"}, "{home}/.cache/lantor"),
        ("a relative cache home, which does not count", "{closed}", {"XDG_CACHE_HOME": "cache"},
         "{home}/.cache/lantor"),
    ]

    def test_runs_in_the_private_folder_and_leaves_nothing(self):
        for name, folder, variables, private in self.RUNS:
            with self.subTest(name):
                self.new_case()
                private = self.path(private)
                home_before = entries(self.folders["home"])
                launch = self.launch(folder, variables)
                main = self.desktop.wait_window(desktop_module.MAIN_TITLE, launch.pid)
                database = os.path.join(private, DATABASE_NAME)
                with open(database, "rb") as file:
                    self.assertEqual(file.read(), self.anthology)
                status = os.lstat(private)
                self.assertTrue(stat.S_ISDIR(status.st_mode))
                self.assertEqual((stat.S_IMODE(status.st_mode), status.st_uid), (0o700, NOBODY[0]))
                self.assertFalse(os.path.lexists(os.path.join(self.path(folder), DATABASE_NAME)))

                self.desktop.key(main, "alt+F4")
                question = self.desktop.wait_window(desktop_module.QUESTION_TITLE, launch.pid)
                self.desktop.key(question, "Return")  # Yes is the default
                self.assertEqual(launch.exit_code(), 0, launch.log())
                self.assertEqual(entries(private), [], "the private folder kept something")
                home_after = entries(self.folders["home"])
                if private.startswith(self.folders["home"] + os.sep):
                    home_after = [path for path in home_after if path not in (".cache", ".cache/lantor")]
                self.assertEqual(home_after, home_before, "the run left something in the home folder")
                self.assertEqual(os.listdir(self.folders["closed"]), [])

    def plant(self, kind, path):
        """Puts at path what another user (here root) could have put there."""
        if kind == "link to a folder":
            os.symlink(self.folders["elsewhere"], path)
            os.lchown(path, *ROOT)
        elif kind == "dangling link":
            os.symlink(os.path.join(self.folders["elsewhere"], "lantor"), path)
            os.lchown(path, *ROOT)
        elif kind == "folder of another user":
            make_folder(path, ROOT, 0o777)
        elif kind == "folder open to the group":
            make_folder(path, NOBODY, 0o750)
        elif kind == "folder with an access list":
            make_folder(path, NOBODY, 0o700)
            subprocess.run(["setfacl", "-m", "u:root:rwx", path], check=True)
        elif kind == "plain file":
            with open(path, "w", encoding="utf-8"):
                pass
        else:
            raise ValueError(kind)

    # what is in the private folder's place, the session's variables, who runs it
    REFUSALS = [
        ("link to a folder", {"XDG_RUNTIME_DIR": "{runtime}"}, NOBODY),
        ("dangling link", {"XDG_RUNTIME_DIR": "{runtime}"}, NOBODY),
        ("link to a folder", {"XDG_CACHE_HOME": "{cache}"}, NOBODY),
        ("folder of another user", {"XDG_CACHE_HOME": "{cache}"}, NOBODY),
        ("folder open to the group", {"XDG_RUNTIME_DIR": "{runtime}"}, NOBODY),
        ("folder with an access list", {"XDG_RUNTIME_DIR": "{runtime}"}, NOBODY),
        ("plain file", {"XDG_RUNTIME_DIR": "{runtime}"}, NOBODY),
        # root may enter any folder: only the owner check stops it here
        ("folder of another user, closed", {"XDG_RUNTIME_DIR": "{runtime}"}, ROOT),
    ]

    def test_refuses_a_private_folder_it_cannot_trust(self):
        for kind, variables, as_user in self.REFUSALS:
            with self.subTest(kind, variables=variables, as_root=as_user == ROOT):
                self.new_case()
                base = self.path(next(iter(variables.values())))
                private = os.path.join(base, "lantor")
                if kind == "folder of another user, closed":
                    make_folder(private, NOBODY, 0o700)
                else:
                    self.plant(kind, private)
                elsewhere_before = entries(self.folders["elsewhere"])
                launch = self.launch("/", variables, as_user)
                # A program that had started would still be running now.
                try:
                    code = launch.exit_code(timeout=10)
                except subprocess.TimeoutExpired:
                    self.fail(f"the launcher started the program in {private}")
                lines = launch.log().splitlines()
                self.assertNotEqual(code, 0)
                self.assertEqual(len(lines), 1, lines)
                self.assertTrue(lines[0].startswith("lantor-launcher: ") and private in lines[0], lines[0])
                time.sleep(0.3)
                self.assertEqual(self.desktop.windows(desktop_module.MAIN_TITLE), [])
                self.assertEqual(entries(self.folders["elsewhere"]), elsewhere_before)
                if os.path.isdir(private) and not os.path.islink(private):
                    self.assertEqual(entries(private), [])


def main():
    global BUILD
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    BUILD = os.path.abspath(sys.argv.pop(1))
    if os.geteuid() != 0:
        print("test_launcher.py runs the program as another user and needs root", file=sys.stderr)
        return 2
    return 0 if unittest.main(exit=False, verbosity=2).result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
