"""A real desktop for the end-to-end tests: an X server (Xvfb) on a display
number of its own, a small window manager (openbox), and the program started
in a folder, driven with xdotool and read from the screen's pixels."""

import os
import re
import subprocess
import time

MAIN_TITLE = "^Lantor összes költeménye:$"
APP_TITLE = "^Lantor$"          # caption of the start-up failure messages
QUESTION_TITLE = "^Figyelem:$"  # caption of the exit question
VIEWER_TITLE = "^ Találat:$"


def wait_until(condition, what, timeout=20.0, step=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(step)
    raise AssertionError(f"timed out waiting for {what}")


def read_bytes(path):
    with open(path, "rb") as file:
        return file.read()


class Desktop:
    """Xvfb with openbox. The server picks a free display number itself and
    tells it through a pipe, so any number of desktops can run side by side.
    `dpi` sets Xft.dpi, which the program's toolkit scales its windows by."""

    def __init__(self, width=1280, height=1024, dpi=None):
        self.width, self.height = width, height
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.xvfb.kill()
            raise RuntimeError("the X server did not start")
        self.display = f":{number}"
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env.pop("QT_SCALE_FACTOR", None)
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(self.window_manager_running, "the window manager to start")
        if dpi is not None:
            subprocess.run(["xrdb", "-nocpp", "-merge"], input=f"Xft.dpi: {dpi}\n", text=True, env=self.env,
                           check=True)

    def window_manager_running(self):
        result = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                capture_output=True, text=True)
        return "window id" in result.stdout

    def close(self):
        for process in (self.wm, self.xvfb):
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    def xdotool(self, *args):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        return result.stdout.split()

    def windows(self, title, pid=None):
        """The visible windows whose title matches, of one process or any."""
        if pid is None:
            return self.xdotool("search", "--onlyvisible", "--name", title)
        return self.xdotool("search", "--all", "--onlyvisible", "--pid", str(pid), "--name", title)

    def wait_window(self, title, pid=None, timeout=20.0):
        found = []

        def appeared():
            found[:] = self.windows(title, pid)
            return bool(found)

        wait_until(appeared, f"a window titled {title!r}", timeout)
        return found[0]

    def wait_gone(self, window, title, pid=None, timeout=20.0):
        wait_until(lambda: window not in self.windows(title, pid), f"the window {title!r} to close", timeout)

    def activate(self, window):
        self.xdotool("windowactivate", "--sync", window)
        self.xdotool("windowfocus", "--sync", window)

    def key(self, window, *keys):
        self.activate(window)
        self.xdotool("key", "--clearmodifiers", *keys)

    def type_text(self, text):
        self.xdotool("type", "--delay", "20", text)

    def click(self, window, x, y, button=1, repeat=1):
        """Clicks at x, y of the window's client area."""
        self.xdotool("mousemove", "--window", window, str(x), str(y))
        time.sleep(0.05)
        self.xdotool("click", "--repeat", str(repeat), "--delay", "80", str(button))

    def client_geometry(self, window):
        """x, y, width, height of the window's client area on the screen."""
        result = subprocess.run(["xwininfo", "-id", window], env=self.env, capture_output=True, text=True, check=True)
        fields = dict(re.findall(r"^\s*([A-Za-z -]+):\s+(-?\d+)\s*$", result.stdout, re.MULTILINE))
        return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                int(fields["Width"]), int(fields["Height"]))

    def frame_extents(self, window):
        """left, right, top, bottom of the frame the window manager drew."""
        result = subprocess.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"], env=self.env,
                                capture_output=True, text=True)
        numbers = re.findall(r"\d+", result.stdout.split("=", 1)[-1])
        if len(numbers) != 4:
            raise AssertionError(f"no frame extents for window {window}: {result.stdout!r}")
        return tuple(int(n) for n in numbers)

    def frame_geometry(self, window):
        """x, y, width, height of the framed window on the screen."""
        x, y, width, height = self.client_geometry(window)
        left, right, top, bottom = self.frame_extents(window)
        return x - left, y - top, width + left + right, height + top + bottom

    def icon_sizes(self, window):
        """The sizes of the icon pictures the window offers the window manager."""
        result = subprocess.run(["xprop", "-id", window, "_NET_WM_ICON"], env=self.env, capture_output=True, text=True)
        return re.findall(r"Icon \((\d+) x (\d+)\)", result.stdout)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)

    def pixels(self, x, y, width, height):
        """The screen's pixels in a rectangle, as rows of (r, g, b)."""
        result = subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                                 "-depth", "8", "rgb:-"], env=self.env, capture_output=True, check=True)
        data = result.stdout
        return [[tuple(data[(row * width + col) * 3:(row * width + col) * 3 + 3]) for col in range(width)]
                for row in range(height)]


class Program:
    """One running copy of a program in a folder, its error output in a log."""

    def __init__(self, desktop, command, folder, log_path, env=None, preexec_fn=None):
        self.log_path = log_path
        environment = dict(desktop.env, **(env or {}))
        with open(log_path, "wb") as log:
            self.process = subprocess.Popen(command, cwd=folder, env=environment, preexec_fn=preexec_fn,
                                            stdout=subprocess.DEVNULL, stderr=log)

    @property
    def pid(self):
        return self.process.pid

    def running(self):
        return self.process.poll() is None

    def exit_code(self, timeout=20.0):
        return self.process.wait(timeout=timeout)

    def log(self):
        with open(self.log_path, "rb") as log:
            return log.read().decode("utf-8", "replace")

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait()


Desktop.wait_until = staticmethod(wait_until)
