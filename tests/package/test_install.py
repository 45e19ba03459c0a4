#!/usr/bin/env python3
"""The Debian package as a Debian 12 user meets it: made with cpack from a
build folder, installed with apt-get into a fresh Debian 12 (bookworm,
minbase) root that this test makes itself with debootstrap, and started there
as an ordinary user, on the host's X server.

    test_install.py BUILD_FOLDER

The pristine root is kept as a tarball in
${XDG_CACHE_HOME:-~/.cache}/lantor-package-test/ and unpacked afresh for every
run; the first run makes it (a few minutes, from deb.debian.org). Every
command inside the root runs in a mount namespace of its own, so the /proc,
/dev and X socket mounts it needs vanish with it and the root is removed as
plain files. Needs root.
"""

import fcntl
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from package_support import (DATABASE_NAME, DESKTOP_ENTRY, cache_entry, check_installed_tree,  # noqa: E402
                             desktop_module, exec_argv, package_version, read_desktop_entry, sanitized)

BUILD = None
SUITE = "bookworm"
MIRROR = "http://deb.debian.org/debian"
READER = ("reader", 1000)  # the user who runs the program inside the root

# Mounts what a program inside the root needs, then runs it there. The first
# argument is the root, the rest go to chroot. Mount propagation is private
# (unshare's default), so nothing of this reaches the host's mounts.
IN_ROOT = r"""
set -e
root=$1; shift
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
exec chroot "$@"
"""


def log(message):
    print(f"[package install] {message}", file=sys.stderr, flush=True)


def cache_folder():
    base = os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache")
    return os.path.join(base, "lantor-package-test")


def architecture():
    return subprocess.run(["dpkg", "--print-architecture"], capture_output=True, text=True,
                          check=True).stdout.strip()


def checked(command, what, **options):
    result = subprocess.run(command, capture_output=True, text=True, **options)
    if result.returncode != 0:
        raise AssertionError(f"{what} failed ({result.returncode}):\n{result.stdout[-6000:]}{result.stderr[-6000:]}")
    return result


def pristine_root_tarball():
    """The tarball of a fresh debootstrap root, made once and then kept. A
    lock keeps two runs from making it at once; a half-made one never
    takes the tarball's name."""
    folder = cache_folder()
    os.makedirs(folder, exist_ok=True)
    tarball = os.path.join(folder, f"{SUITE}-minbase-{architecture()}.tar")
    with open(os.path.join(folder, "lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if os.path.exists(tarball):
            return tarball
        started = time.monotonic()
        work = tempfile.mkdtemp(dir=folder, prefix="making-")
        try:
            root = os.path.join(work, "root")
            # In a mount namespace of its own, so that a debootstrap that dies
            # leaves no /proc mounted inside a folder about to be removed.
            checked(["unshare", "--mount", "debootstrap", "--variant=minbase", SUITE, root, MIRROR],
                    "debootstrap")
            partial = os.path.join(work, "root.tar")
            checked(["tar", "--numeric-owner", "-cf", partial, "-C", root, "."], "packing the root")
            os.rename(partial, tarball)
        finally:
            shutil.rmtree(work, ignore_errors=True)
        log(f"made the pristine root in {time.monotonic() - started:.0f} s: {tarball}")
        return tarball


class DebianRoot:
    """A fresh copy of the pristine root, for one run."""

    def __init__(self, tarball):
        self.path = tempfile.mkdtemp(prefix="lantor-debian-root-")
        checked(["tar", "--numeric-owner", "-xpf", tarball, "-C", self.path], "unpacking the root")
        os.makedirs(self.at("tmp/.X11-unix"), exist_ok=True)
        shutil.copyfile("/etc/resolv.conf", self.at("etc/resolv.conf"), follow_symlinks=True)

    def at(self, path):
        return os.path.join(self.path, path.lstrip("/"))

    def command(self, argv, user=None, environment=None, folder="/"):
        """The host's command line that runs argv inside the root, in folder,
        as user (root when None), with exactly the environment given."""
        variables = {"PATH": "/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin", "LANG": "C.UTF-8"}
        variables.update(environment or {})
        chroot = [f"--userspec={user[1]}:{user[1]}"] if user else []
        return ["unshare", "--mount", "sh", "-c", IN_ROOT, "sh", self.path, *chroot, self.path,
                "env", "-i", "-C", folder, *(f"{name}={value}" for name, value in variables.items()), *argv]

    def run(self, argv, what, **options):
        return checked(self.command(argv, **options), what)

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)


class InstalledProgram(desktop_module.Program):
    """The installed program, run inside the root on the host's desktop."""

    def __init__(self, root, argv, folder, log_path, environment):
        self.log_path = log_path
        with open(log_path, "wb") as log_file:
            # unshare, sh, chroot and env each exec the next: the pid is the
            # program's, the one its windows carry.
            self.process = subprocess.Popen(root.command(argv, READER, environment, folder),
                                            stdout=subprocess.DEVNULL, stderr=log_file)


class InstallTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if sanitized(BUILD):
            raise unittest.SkipTest("a package is made from a build without sanitizers")
        cls.version = package_version(BUILD)
        with open(cache_entry(BUILD, "LANTOR_ANTHOLOGY"), "rb") as file:
            cls.anthology = file.read()
        cls.output = tempfile.mkdtemp(prefix="lantor-cpack-")
        cls.root = None
        cls.desktop = None
        try:
            started = time.monotonic()
            checked(["cpack", "-G", "DEB", "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", cls.output],
                    "cpack")
            packages = [name for name in os.listdir(cls.output) if name.endswith(".deb")]
            if len(packages) != 1:
                raise AssertionError(f"cpack made {packages}, not one package")
            cls.package = os.path.join(cls.output, packages[0])
            log(f"made {packages[0]} in {time.monotonic() - started:.0f} s")

            tarball = pristine_root_tarball()
            started = time.monotonic()
            cls.root = DebianRoot(tarball)
            log(f"unpacked a fresh root in {time.monotonic() - started:.0f} s: {cls.root.path}")

            started = time.monotonic()
            shutil.copy(cls.package, cls.root.at("tmp"))
            apt = {"DEBIAN_FRONTEND": "noninteractive"}
            cls.root.run(["apt-get", "update", "-q"], "apt-get update", environment=apt)
            # Without the recommended packages, so that what the program needs
            # to run has to come through the package's own dependencies.
            install = cls.root.run(["apt-get", "install", "-y", "-q", "--no-install-recommends",
                                    f"./{os.path.basename(cls.package)}"],
                                   "apt-get install of the package", environment=apt, folder="/tmp")
            summary = [line for line in install.stdout.splitlines()
                       if line.startswith(("Need to get", "After this operation")) or "newly installed" in line]
            log(f"apt-get install took {time.monotonic() - started:.0f} s: {'; '.join(summary)}")

            name, uid = READER
            cls.root.run(["useradd", "--create-home", "--uid", str(uid), "--user-group", name], "useradd")
            cls.home = f"/home/{name}"
            cls.runtime = f"/run/user/{uid}"
            os.makedirs(cls.root.at(cls.runtime))
            os.chown(cls.root.at(cls.runtime), uid, uid)
            os.chmod(cls.root.at(cls.runtime), 0o700)
            cls.desktop = desktop_module.Desktop()
        except BaseException:
            cls.tearDownClass()
            raise

    @classmethod
    def tearDownClass(cls):
        if cls.desktop:
            cls.desktop.close()
        if cls.root:
            cls.root.remove()
        shutil.rmtree(cls.output, ignore_errors=True)

    def setUp(self):
        self.programs = []

    def tearDown(self):
        for program in self.programs:
            program.kill()

    def test_the_package_is_installed_with_its_files(self):
        status = self.root.run(["dpkg-query", "-W", "-f", "${Status} ${Version}", "lantor"], "dpkg-query")
        self.assertEqual(status.stdout, f"install ok installed {self.version}")
        check_installed_tree(self, self.root.path, self.version)

    def test_the_installed_program_runs_and_takes_its_file_along(self):
        entry = read_desktop_entry(self.root.at(DESKTOP_ENTRY))
        session = {"DISPLAY": self.desktop.display, "HOME": self.home}
        poems = f"{self.home}/poems"
        self.root.run(["mkdir", poems], "mkdir", user=READER)
        # how it is started, the folder it is started in, its environment,
        # and the folder where its file must be
        cases = [
            ("from a terminal", ["/usr/bin/Lantor"], poems, session, poems),
            ("from the menu", exec_argv(entry), "/", dict(session, XDG_RUNTIME_DIR=self.runtime),
             f"{self.runtime}/lantor"),
        ]
        for name, argv, folder, environment, private in cases:
            with self.subTest(name):
                log_path = os.path.join(tempfile.gettempdir(), f"lantor-installed-{os.getpid()}-{len(self.programs)}.log")
                program = InstalledProgram(self.root, argv, folder, log_path, environment)
                self.programs.append(program)
                try:
                    main = self.desktop.wait_window(desktop_module.MAIN_TITLE, program.pid, timeout=60)
                    with open(self.root.at(f"{private}/{DATABASE_NAME}"), "rb") as file:
                        self.assertEqual(file.read(), self.anthology)
                    self.desktop.key(main, "alt+F4")
                    question = self.desktop.wait_window(desktop_module.QUESTION_TITLE, program.pid)
                    self.desktop.key(question, "Return")  # Yes is the default
                    self.assertEqual(program.exit_code(), 0, program.log())
                    self.assertFalse(os.path.lexists(self.root.at(f"{private}/{DATABASE_NAME}")),
                                     "the file outlived a confirmed exit")
                    self.assertEqual(os.listdir(self.root.at(private)), [])
                finally:
                    program.kill()
                    os.remove(log_path)


def main():
    global BUILD
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    BUILD = os.path.abspath(sys.argv.pop(1))
    if os.geteuid() != 0:
        print("test_install.py makes and enters a Debian root and needs root", file=sys.stderr)
        return 2
    return 0 if unittest.main(exit=False, verbosity=2).result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
