"""What the two package tests share: reading a build folder, reading the menu
entry as a desktop reads it, and the checks every installed tree must pass,
whether `cmake --install` staged it or apt-get installed the package."""

import configparser
import gzip
import os
import re
import shlex
import shutil
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

HERE = os.path.dirname(os.path.abspath(__file__))
# The end-to-end tests' desktop (Xvfb, openbox, xdotool), wherever the tests
# keep their shared helpers.
for _helpers in ("support", "e2e"):
    if os.path.exists(os.path.join(os.path.dirname(HERE), _helpers, "desktop.py")):
        sys.path.insert(0, os.path.join(os.path.dirname(HERE), _helpers))
        break
import desktop as desktop_module  # noqa: E402,F401  (re-exported for the tests)

APP_ID = "hu.lantorversei.Lantor"
DESKTOP_ENTRY = f"usr/share/applications/{APP_ID}.desktop"
METAINFO = f"usr/share/metainfo/{APP_ID}.metainfo.xml"
PROGRAM = "usr/bin/Lantor"
LAUNCHER = "usr/bin/lantor-launcher"
ICON_SIZES = (16, 32, 48, 64, 128, 256)
MAN_PAGES = {"en": "usr/share/man/man1/Lantor.1.gz", "hu": "usr/share/man/hu/man1/Lantor.1.gz"}
DATABASE_NAME = "LR_ov.db"

# Debian 12's desktop-file-validate (0.26) knows the desktop entry format up to
# version 1.4; SingleMainWindow came with 1.5, which the desktops of Debian 12
# read. That one complaint is the validator's age, not a fault of the entry.
VALIDATOR_1_4_ON_SINGLE_MAIN_WINDOW = ('error: file contains key "SingleMainWindow" in group "Desktop Entry", '
                                       'but keys extending the format should start with "X-"')


def cache_entry(build, name):
    """A value of the build folder's CMake cache."""
    with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as cache:
        for line in cache:
            match = re.match(rf"^{re.escape(name)}:[A-Z]+=(.*)$", line.rstrip("\n"))
            if match:
                return match.group(1)
    raise LookupError(f"{name} is not in the cache of {build}")


def sanitized(build):
    return cache_entry(build, "LANTOR_SANITIZE").upper() in ("ON", "TRUE", "1", "YES")


def package_version(build):
    """The version the build's package carries."""
    with open(os.path.join(build, "CPackConfig.cmake"), encoding="utf-8") as config:
        match = re.search(r'^set\(CPACK_PACKAGE_VERSION "([^"]+)"\)$', config.read(), re.MULTILINE)
    if not match:
        raise LookupError(f"no package version in {build}/CPackConfig.cmake")
    return match.group(1)


def read_desktop_entry(path):
    """The [Desktop Entry] group, keys with their locale kept apart."""
    parser = configparser.ConfigParser(interpolation=None, strict=True, delimiters=("=",))
    parser.optionxform = str
    with open(path, encoding="utf-8") as file:
        parser.read_file(file)
    return dict(parser["Desktop Entry"])


def exec_argv(entry):
    """The command line a desktop builds from the entry's Exec key. The entry
    passes no file or URL, so a field code in it would be a fault."""
    argv = shlex.split(entry["Exec"])
    if any(re.fullmatch(r"%[fFuUdDnNickvm]", word) for word in argv):
        raise AssertionError(f"Exec has field codes the reader cannot take: {entry['Exec']!r}")
    return argv


def png_size(path):
    with open(path, "rb") as file:
        header = file.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n" or header[12:16] != b"IHDR":
        raise AssertionError(f"{path} is no PNG picture")
    return struct.unpack(">II", header[16:24])


def run(command, **options):
    return subprocess.run(command, capture_output=True, text=True, **options)


def check_installed_tree(test, root, version):
    """Every file a desktop and its software centre read, under root as /."""
    def at(relative):
        return os.path.join(root, relative)

    with test.subTest(check="the program is stripped"):
        description = run(["file", "-b", at(PROGRAM)]).stdout
        test.assertRegex(description, r"\bELF\b.*, stripped\b", description)
        test.assertTrue(os.access(at(PROGRAM), os.X_OK))

    with test.subTest(check="the launcher is a portable shell script"):
        test.assertTrue(os.access(at(LAUNCHER), os.X_OK))
        with open(at(LAUNCHER), encoding="utf-8") as file:
            test.assertEqual(file.readline().rstrip("\n"), "#!/bin/sh")
        if shutil.which("shellcheck"):
            result = run(["shellcheck", "--shell=sh", at(LAUNCHER)])
            test.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        else:
            test.fail("shellcheck is missing (tools/deps.sh test installs it)")

    with test.subTest(check="the desktop entry"):
        result = run(["desktop-file-validate", at(DESKTOP_ENTRY)])
        complaints = [line for line in (result.stdout + result.stderr).splitlines()
                      if line.strip() and not line.endswith(VALIDATOR_1_4_ON_SINGLE_MAIN_WINDOW)]
        test.assertEqual(complaints, [])
        entry = read_desktop_entry(at(DESKTOP_ENTRY))
        test.assertEqual(entry.get("StartupWMClass"), "Lantor")
        test.assertEqual(entry.get("SingleMainWindow"), "true")
        test.assertEqual(entry.get("Icon"), APP_ID)
        test.assertTrue(entry.get("Comment[hu]"))
        test.assertNotEqual(entry.get("Comment[hu]"), entry.get("Comment"))
        command = exec_argv(entry)[0]
        test.assertTrue(os.access(at(os.path.join("usr/bin", command)), os.X_OK),
                        f"Exec names {command!r}, which is not installed in usr/bin")

    with test.subTest(check="the metainfo"):
        result = run(["appstreamcli", "validate", "--no-net", at(METAINFO)])
        test.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        component = ElementTree.parse(at(METAINFO)).getroot()
        test.assertEqual(component.findtext("id"), APP_ID)
        test.assertEqual(component.findtext("launchable[@type='desktop-id']"), os.path.basename(DESKTOP_ENTRY))
        releases = [release.get("version") for release in component.findall("releases/release")]
        test.assertTrue(releases, "the metainfo names no release")
        test.assertEqual(releases[0], version, "the newest release in the metainfo is not the package's version")

    with test.subTest(check="the icons"):
        for size in ICON_SIZES:
            path = at(f"usr/share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png")
            test.assertEqual(png_size(path), (size, size), path)
        svg = ElementTree.parse(at(f"usr/share/icons/hicolor/scalable/apps/{APP_ID}.svg")).getroot()
        test.assertEqual(svg.tag, "{http://www.w3.org/2000/svg}svg")

    for language, relative in MAN_PAGES.items():
        with test.subTest(check="the manual page", language=language):
            with gzip.open(at(relative), "rt", encoding="utf-8") as file:
                page = file.read()
            test.assertTrue(page.startswith(".TH LANTOR 1 "), page[:80])
            for needed in (DATABASE_NAME, "lantor\\-launcher", "XDG_RUNTIME_DIR", "0700"):
                test.assertIn(needed, page)
            test.assertIn({"en": ".SH NAME", "hu": ".SH NÉV"}[language], page)
            test.assertIn({"en": ".SH OPTIONS", "hu": ".SH KAPCSOLÓK"}[language], page)
            rendered = subprocess.run(["groff", "-K", "utf8", "-man", "-Tutf8", "-ww", "-z"], input=page.encode(),
                                      capture_output=True)
            test.assertEqual((rendered.returncode, rendered.stderr.decode()), (0, ""))
