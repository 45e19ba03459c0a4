#!/usr/bin/env python3
"""Plants small deliberate faults in the program, one at a time, and tells
which of them the test suite catches.

    python3 tools/plant_faults.py [--commit REV] [--worktree DIR] [--timeout S] [--jobs N] [--only NAME ...]

It checks out REV (default: HEAD) into a separate git worktree, so the work
tree you are in is never touched, builds it and runs the whole suite once as
it is: the tests that fail there already count for nothing. Then, for each
fault of the table below, it replaces one piece of text in one file, rebuilds,
runs every test (end-to-end ones included) with a time-out per test, puts the
file back and prints whether some test that passed before now fails. A fault
whose text is not found exactly once at REV is reported as not applicable.

This is a developer's measuring tool, not a test: it takes a build and a full
suite run per fault (tens of minutes on two cores) and is kept out of CI.
"""

import argparse
import pathlib
import re
import shutil
import subprocess
import sys
import time

REPO = pathlib.Path(__file__).resolve().parents[1]

# name, file, text at the commit, text of the fault, what the user would see;
# where the code has moved between commits, ALTERNATIVES below holds the
# other places the same fault is planted at.
FAULTS = [
    ("fetch-49", "store/TFDQuery.h",
     "static constexpr int FetchBatchSize = 50;", "static constexpr int FetchBatchSize = 49;",
     "the cursor fetches 49 rows a batch instead of 50"),
    ("tooltip-4000", "ui/TTooltips.h",
     "TooltipDisplayTime = 2500;", "TooltipDisplayTime = 4000;",
     "a tooltip stays 4,000 ms instead of 2,500"),
    ("date-column-160", "ui/TDBGrid.cpp",
     '{"DATUM", QStringLiteral("Készült"), 180},', '{"DATUM", QStringLiteral("Készült"), 160},',
     "the grid's date column is 160 pixels wide instead of 180"),
    ("title-Cim", "ui/TDBGrid.cpp",
     '{"CIM", QStringLiteral("Cím"), 450},', '{"CIM", QStringLiteral("Cim"), 450},',
     'the grid\'s first column is titled "Cim" instead of "Cím"'),
    ("count-plus-one", "ui/Unit1Search.cpp",
     "    FDQuery1->Open();\n    Label12->setText(QString::number(FDQuery1->RecordCount()));",
     "    FDQuery1->Open();\n    Label12->setText(QString::number(FDQuery1->RecordCount() + 1));",
     "the hit counter shows one more than the hits of a search"),
    ("enter-searches", "ui/Unit1Search.cpp",
     "    connect(BitBtn2, &QPushButton::clicked,",
     "    connect(Edit1, &QLineEdit::returnPressed, this, [this] { RunHandler([this] { BitBtn1Click(); }); });\n"
     "    connect(BitBtn2, &QPushButton::clicked,",
     "Enter in the phrase field starts a search"),
    ("exit-prompt-stays", "ui/Unit1.cpp",
     "        TApplication::Instance()->Terminate();\n    }\n    StatusBar1->SetPanelText(0, QString());\n",
     "        TApplication::Instance()->Terminate();\n    }\n",
     "the hint line keeps the exit prompt after the menu's exit question"),
    ("repeat-after-500", "ui/TDBNavigator.h",
     "InitRepeatPause = 400;", "InitRepeatPause = 500;",
     "a held step button starts repeating after 500 ms instead of 400"),
    ("viewer-date-lower", "ui/Unit2.cpp",
     "QRect(7, 56, 396, 18)", "QRect(7, 58, 396, 18)",
     "the viewer's date label sits 2 pixels lower"),
    ("search-skips-dates", "store/Statements.cpp",
     'QStringLiteral(" or DATUM like ")', 'QStringLiteral(" or CIM like ")',
     "a search no longer looks at the dates"),
    ("western-code-page", "store/CodePage.cpp",
     '"CP1250"', '"CP1252"',
     "titles and dates pass the western code page, which lacks Ő and ű"),
    ("field-not-emptied", "ui/Unit1.cpp",
     "    Edit1->clear();\n    Label12->setText(QString::number(FDQuery1->RecordCount()));\n"
     "    Label12->adjustSize();\n    PageControl1",
     "    Label12->setText(QString::number(FDQuery1->RecordCount()));\n"
     "    Label12->adjustSize();\n    PageControl1",
     "start-up leaves the search field's design-time text"),
    ("exit-keeps-file", "ui/Unit1.cpp",
     "    if (FileExists(DatabasePath()))\n        QFile::remove(DatabasePath());\n", "",
     "a confirmed exit leaves the extracted database file behind"),
    ("clock-every-2s", "ui/Unit1Clock.cpp",
     "Timer1->setInterval(1000);", "Timer1->setInterval(2000);",
     "the clock ticks every 2 seconds"),
    ("exit-default-no", "app/Dialogs.cpp",
     "box.setDefaultButton(QMessageBox::Yes);", "box.setDefaultButton(QMessageBox::No);",
     "the exit question has No as its default button"),
]

FAILED_LINE = re.compile(r"^\s*\d+ - (\S+) \((.+)\)\s*$")


def run(command, cwd, log):
    """Runs a command, appending its output to the log; returns its exit code and output."""
    result = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                            errors="replace")
    with log.open("a", encoding="utf-8") as out:
        out.write(f"$ {' '.join(command)}\n{result.stdout}\n")
    return result.returncode, result.stdout


def failing_tests(ctest_output):
    """The names of the tests that ctest lists as failed, with how each failed."""
    failed, listing = {}, False
    for line in ctest_output.splitlines():
        if line.startswith("The following tests FAILED"):
            listing = True
        elif listing:
            match = FAILED_LINE.match(line)
            if match:
                failed[match.group(1)] = match.group(2)
            elif line.strip():
                listing = False
    return failed


def make_worktree(commit, path):
    if path.exists():
        subprocess.run(["git", "worktree", "remove", "--force", str(path)], cwd=REPO, check=False)
        shutil.rmtree(path, ignore_errors=True)
    subprocess.run(["git", "worktree", "add", "--detach", str(path), commit], cwd=REPO, check=True,
                   stdout=subprocess.DEVNULL)


def build(tree, jobs, log):
    # Tried up to three times: a compiler or moc run now and then dies without
    # a word on a shared machine, and a fault that does not build counts for
    # nothing.
    for _ in range(3):
        code, _ = run(["cmake", "--build", str(tree / "build"), "-j", str(jobs)], tree, log)
        if code == 0:
            return True
    return False


def suite(tree, jobs, timeout, log):
    _, output = run(["ctest", "--test-dir", str(tree / "build"), "-j", str(jobs), "--timeout", str(timeout)],
                    tree, log)
    return failing_tests(output)


# Other places of a fault, for commits where its code lives elsewhere.
ALTERNATIVES = {
    "tooltip-4000": [("ui/TProgramStyle.h", "TooltipDisplayTime = 2500;", "TooltipDisplayTime = 4000;"),
                     ("ui/controls/TProgramStyle.h", "TooltipDisplayTime = 2500;", "TooltipDisplayTime = 4000;")],
    "exit-keeps-file": [("ui/Unit1.cpp", "    DeleteDatabaseFile(DatabasePath());\n", ""),
                        ("app/Lifecycle.cpp", "    DeleteDatabaseFile(databasePath);\n", "")],
    "count-plus-one": [("ui/Unit1Search.cpp", "    FDQuery1->Open();\n    ShowHitCount();",
                        "    FDQuery1->Open();\n    Label12->setText(QString::number(FDQuery1->RecordCount() + 1));")],
    "exit-prompt-stays": [("ui/Unit1.cpp", "    const bool yes = AskExitQuestion();\n"
                           "    StatusBar1->SetPanelText(TStatusBar::HintPanel, QString());\n",
                           "    const bool yes = AskExitQuestion();\n")],
    "field-not-emptied": [("ui/Unit1.cpp", "    Edit1->clear();\n    ShowHitCount();\n", "    ShowHitCount();\n")],
}

# The reusable controls moved from ui/ to ui/controls/ at one commit.
MOVED_TO_CONTROLS = ("TDBGrid", "TDBNavigator", "TTooltips", "TClock", "TStatusBar", "THintLine", "TBindSourceDB")


def first_place(tree, places):
    """The first (file, old, new) whose old text the file holds exactly once."""
    moved = []
    for relative, old, new in places:
        stem = pathlib.PurePosixPath(relative).stem
        if relative.startswith("ui/") and stem in MOVED_TO_CONTROLS:
            moved.append(("ui/controls/" + relative[len("ui/"):], old, new))
            if stem == "TDBGrid":
                moved.append(("ui/controls/TPoemTableModel.cpp", old, new))
    for relative, old, new in [*places, *moved]:
        path = tree / relative
        if path.exists() and path.read_text(encoding="utf-8").count(old) == 1:
            return relative, old, new
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--commit", default="HEAD", help="the commit to plant the faults in (default HEAD)")
    parser.add_argument("--worktree", default="/tmp/lantor-plant", type=pathlib.Path,
                        help="where the worktree goes; replaced if it exists")
    parser.add_argument("--timeout", default=120, type=int, help="seconds a test may run (default 120)")
    parser.add_argument("--jobs", default=2, type=int, help="parallel build and test jobs (default 2)")
    parser.add_argument("--only", nargs="*", help="names of the faults to plant (default all)")
    parser.add_argument("--keep", action="store_true", help="leave the worktree in place afterwards")
    arguments = parser.parse_args()

    faults = [f for f in FAULTS if not arguments.only or f[0] in arguments.only]
    tree = arguments.worktree
    log = pathlib.Path(str(tree) + ".log")
    started = time.monotonic()
    make_worktree(arguments.commit, tree)
    log.write_text("", encoding="utf-8")
    revision = subprocess.run(["git", "rev-parse", "--short", "HEAD"], cwd=tree, capture_output=True,
                              text=True).stdout.strip()
    print(f"planting {len(faults)} faults in {revision} at {tree} (log: {log})", flush=True)

    code, _ = run(["cmake", "-S", str(tree), "-B", str(tree / "build")], tree, log)
    if code != 0 or not build(tree, arguments.jobs, log):
        sys.exit("the commit does not build as it is; see the log")
    baseline = suite(tree, arguments.jobs, arguments.timeout, log)
    print(f"as it is: {len(baseline)} failing test(s)" + (f": {', '.join(sorted(baseline))}" if baseline else ""),
          flush=True)

    caught = applicable = 0
    for name, relative, old, new, what in faults:
        place = first_place(tree, [(relative, old, new), *ALTERNATIVES.get(name, [])])
        if place is None:
            print(f"  {name:20} not applicable: its text is not found exactly once in {relative}", flush=True)
            continue
        relative, old, new = place
        path = tree / relative
        original = path.read_text(encoding="utf-8")
        applicable += 1
        began = time.monotonic()
        path.write_text(original.replace(old, new), encoding="utf-8")
        try:
            if not build(tree, arguments.jobs, log):
                verdict = "does not build"
            else:
                newly = {test: how for test, how in suite(tree, arguments.jobs, arguments.timeout, log).items()
                         if test not in baseline}
                if newly:
                    caught += 1
                    verdict = "caught by " + ", ".join(f"{test} ({how})" for test, how in sorted(newly.items()))
                else:
                    verdict = "SURVIVED"
        finally:
            path.write_text(original, encoding="utf-8")
        print(f"  {name:20} {verdict}  [{what}; {time.monotonic() - began:.0f} s]", flush=True)

    build(tree, arguments.jobs, log)
    if not arguments.keep:
        subprocess.run(["git", "worktree", "remove", "--force", str(tree)], cwd=REPO, check=False)
    minutes = (time.monotonic() - started) / 60
    print(f"caught {caught} of {applicable} planted faults ({minutes:.0f} min)")


if __name__ == "__main__":
    main()
