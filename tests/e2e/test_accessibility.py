#!/usr/bin/python3
"""What a screen reader learns of the running program: its accessibility tree
read over AT-SPI, in a real X server with a session bus of its own.

    test_accessibility.py PROGRAM

Runs under the system's Python, which has the AT-SPI bindings (pyatspi).
Every control a person works with must have a name, the About page's links
must be links, and the named controls must carry the names and hints the
windows give them.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, os.pardir, "support"))
import desktop as desktop_module  # noqa: E402
from desktop import MAIN_TITLE, VIEWER_TITLE, Desktop, wait_until  # noqa: E402

PROGRAM = None

# The roles a person works with: each must have a name of its own.
INTERACTIVE_ROLES = {"push button", "toggle button", "check box", "radio button", "text", "entry", "password text",
                     "table", "tree table", "list", "page tab", "menu item", "menu", "link", "slider", "spin button",
                     "combo box", "scroll bar", "table column header"}

# Roles that only hold others, or that Qt gives the parts of its own controls.
ROLE_IS_PART = {"scroll bar"}


def session_bus():
    """A session bus with the accessibility bus behind it, for this run only."""
    output = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
                            capture_output=True, text=True, check=True).stdout.split()
    return output[0], int(output[1])


def walk(node, depth=0):
    yield node, depth
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, depth + 1)


def describe(node):
    return f"{node.getRoleName()} {node.name!r}" + (f" ({node.description!r})" if node.description else "")


class AccessibilityTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        address, cls.bus_pid = session_bus()
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        cls.desktop = Desktop()
        env = dict(cls.desktop.env, DBUS_SESSION_BUS_ADDRESS=address)
        cls.launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(0.5)
        import pyatspi  # after the bus is up: the module connects when imported
        cls.pyatspi = pyatspi
        cls.root = tempfile.mkdtemp(prefix="lantor-a11y-")
        folder = os.path.join(cls.root, "work")
        os.mkdir(folder)
        cls.program = desktop_module.Program(cls.desktop, [PROGRAM], folder, os.path.join(cls.root, "program.log"),
                                             env={"DBUS_SESSION_BUS_ADDRESS": address,
                                                  "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
        cls.main = cls.desktop.wait_window(MAIN_TITLE, cls.program.pid)

    @classmethod
    def tearDownClass(cls):
        cls.program.kill()
        cls.launcher.terminate()
        cls.desktop.close()
        try:
            os.kill(cls.bus_pid, 15)
        except ProcessLookupError:
            pass
        shutil.rmtree(cls.root, ignore_errors=True)

    def application(self):
        found = []

        def registered():
            registry = self.pyatspi.Registry.getDesktop(0)
            found[:] = [app for app in registry if app is not None and app.get_process_id() == self.program.pid]
            return bool(found)

        wait_until(registered, "the program on the accessibility bus")
        return found[0]

    def tree(self):
        return [node for node, _ in walk(self.application())]

    def unnamed_controls(self, nodes):
        return [describe(node) for node in nodes
                if node.getRoleName() in INTERACTIVE_ROLES - ROLE_IS_PART and not node.name.strip()]

    def named(self, nodes, role, name):
        return [node for node in nodes if node.getRoleName() == role and node.name == name]

    def show_every_page(self):
        """Each page's controls reach the tree once the page has been shown."""
        for key in ("k", "b", "l"):
            self.desktop.key(self.main, "alt+l")
            time.sleep(0.3)
            self.desktop.xdotool("key", "--clearmodifiers", key)
            time.sleep(0.3)

    def test_every_control_of_the_main_window_has_a_name(self):
        self.show_every_page()
        nodes = self.tree()
        self.assertEqual(self.unnamed_controls(nodes), [])
        # The phrase field is named by its label, the grid's columns by their titles.
        self.assertTrue(self.named(nodes, "text", "Keresendő kifejezés"), "the phrase field is not named by its label")
        for title in ("Cím", "Készült"):
            self.assertTrue(self.named(nodes, "table column header", title), f"no column titled {title}")
        buttons = self.named(nodes, "push button", "Keresés indítása")
        self.assertEqual(len(buttons), 1)
        self.assertEqual(buttons[0].description, "Keresés indítása !")
        # The hit counter says what it counts.
        self.assertEqual(len([node for node in nodes if node.name == "Keresés eredménye /találat/: 525"]), 1,
                         "the hit counter is not named by what it counts")

    def test_the_about_page_offers_its_five_links_as_links(self):
        self.show_every_page()
        links = [node for node in self.tree() if node.getRoleName() == "link"]
        self.assertEqual(len(links), 5, [describe(node) for node in links])
        self.assertTrue(all(node.name for node in links))
        self.assertEqual(sorted({node.description for node in links}),
                         ["Cím behívása Internet programba !", "E-mail küldése a készítőnek !"])

    def test_every_control_of_the_viewer_has_a_name(self):
        self.desktop.key(self.main, "alt+l")
        time.sleep(0.3)
        self.desktop.xdotool("key", "--clearmodifiers", "l")
        time.sleep(0.3)
        self.desktop.xdotool("key", "--clearmodifiers", "Tab", "Return")  # the grid, then the current poem
        viewer = self.desktop.wait_window(VIEWER_TITLE, self.program.pid)
        time.sleep(0.5)
        try:
            nodes = self.tree()
            self.assertEqual(self.unnamed_controls(nodes), [])
            for name in ("Első rekord", "Előző rekord", "Következő rekord", "Utolsó rekord"):
                steps = self.named(nodes, "push button", name)
                self.assertEqual(len(steps), 1, name)
                self.assertEqual(steps[0].description, name + " !")
            for caption in ("Fotó", "Felolvas"):
                self.assertEqual(len(self.named(nodes, "push button", caption)), 1, caption)
            self.assertTrue([node for node in nodes if node.getRoleName() == "text" and node.name == "Vers szövege"])
        finally:
            self.desktop.key(viewer, "alt+F4")
            self.desktop.wait_gone(viewer, VIEWER_TITLE, self.program.pid)


def main():
    global PROGRAM
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)


if __name__ == "__main__":
    main()
