#!/usr/bin/env python3
# -*- coding: utf-8 -*-
"""Checks of the anthology database that the program embeds.

    python3 tests/asset/test_asset_profile.py [PATH_TO_DB]

Without a path the shipped assets/LR_ov.db is checked.  With the environment
variable LANTOR_FOREIGN_ANTHOLOGY=1 (set by the build when a different
anthology is embedded) only the schema checks run; the checks of the shipped
anthology's header, layout and content counts are skipped.

Counting rules used below:
  * Lines of a text: a text containing a carriage return is split at CR LF,
    any other text at LF.
  * "Begins with its title": line 1 equals the title (CIM without its one
    leading space, if it has one) and line 2 is empty.
  * "Begins with an empty line, title second": line 1 is empty, line 2 is the
    title as above.
  * "Ends with its date": the last line equals DATUM; "after an empty line"
    when the line before it is empty.
  * "Capital title": CIM == CIM.upper().
  * "Title with one leading space": CIM starts with " " but not with "  ".
  * ő/ű rows: the value contains one of "Ő", "Ű", "ő", "ű"; for DATUM the
    letter "ő".
  * "Tab-indented": some line starts with a tab; a tab anywhere else (inside
    a line, in a title or date) is a fault.
  * A dated row's DATUM starts with four digits, its year; exactly one row is
    undated (a phrase), the years of the others never decrease along AZ.
  * Lengths are Python string lengths (a CR LF counts 2).
"""

import os
import re
import sqlite3
import struct
import subprocess
import sys
import tempfile
import unittest

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DB_PATH = os.path.join(REPO, "assets", "LR_ov.db")
GENERATOR = os.path.join(REPO, "tools", "gen_anthology.py")
FOREIGN = os.environ.get("LANTOR_FOREIGN_ANTHOLOGY", "0") == "1"

shipped_only = unittest.skipIf(
    FOREIGN, "relies on the shipped anthology's profile; a different anthology is embedded")

COLUMNS = [("CIM", "VARCHAR(1200)"), ("VERS", "TEXT"), ("DATUM", "CHAR(150)"),
           ("FOTO", "BLOB"), ("AZ", "INTEGER")]
CREATE_TBL_DATA = ('CREATE TABLE "tbl_Data" (\n\t"CIM"\tVARCHAR(1200),\n\t"VERS"\tTEXT,\n'
                   '\t"DATUM"\tCHAR(150),\n\t"FOTO"\tBLOB,\n'
                   '\t"AZ"\tINTEGER PRIMARY KEY AUTOINCREMENT\n)')
MISSING_AZ = {100, 111, 117, 149, 155, 156, 157, 158, 159, 240, 324, 325, 418, 443, 501, 504}
OU = set("ŐŰőű")

# Grammar of a date of writing.
_YEAR = r"19\d\d"
_MONTH = r"(?:jan|febr|márc|ápr|máj|jún|júl|aug|szept|okt|nov|dec)\."
_DAY = r"\d{1,2}\."
_PART = r"(?:tavasza|nyara|ősze|tele|eleje|vége|első fele)"
_POINT = rf"{_YEAR}(?:\. {_MONTH}(?: {_DAY})?| {_PART})?"
_SECOND = rf"(?:{_POINT}|{_MONTH}(?: {_DAY})?|{_DAY}|{_PART})"
DATE_RE = re.compile(rf"{_POINT}(?:(?: - |-| / ){_SECOND})?(?: \[\?\]| \(\?\))?")


# --- counting rules ---------------------------------------------------------------

def text_lines(text):
    return text.split("\r\n") if "\r" in text else text.split("\n")


def bare_title(cim):
    return cim[1:] if cim.startswith(" ") else cim


def begins_with_title(cim, vers):
    lines = text_lines(vers)
    return len(lines) > 1 and lines[0] == bare_title(cim) and lines[1] == ""


def empty_line_then_title(cim, vers):
    lines = text_lines(vers)
    return len(lines) > 1 and lines[0] == "" and lines[1] == bare_title(cim)


def ends_with_date(vers, datum):
    return text_lines(vers)[-1] == datum


def date_after_empty_line(vers, datum):
    lines = text_lines(vers)
    return len(lines) > 1 and lines[-1] == datum and lines[-2] == ""


def line_breaks_consistent(text):
    if "\r" in text:
        return text.count("\r") == text.count("\r\n") == text.count("\n")
    return True


def tab_indented(text):
    return any(line.startswith("\t") for line in text_lines(text))


def tabs_only_leading(text):
    return all("\t" not in line.lstrip("\t") for line in text_lines(text))


def has_ou(text):
    return any(ch in OU for ch in text)


def one_leading_space(cim):
    return cim.startswith(" ") and not cim.startswith("  ")


def date_year(datum):
    return int(datum[:4]) if datum[:4].isdigit() else None


class CountingRuleTests(unittest.TestCase):
    """The rules above on small hand-made values."""

    def test_rules(self):
        cases = [
            ("title first", begins_with_title, ("DAL", "DAL\n\nSor."), True),
            ("title first, leading space in CIM", begins_with_title, (" DAL", "DAL\n\nSor."), True),
            ("title without empty line", begins_with_title, ("DAL", "DAL\n(Ajánlás)\n\nSor."), False),
            ("title first, CR LF", begins_with_title, ("DAL", "DAL\r\n\r\nSor."), True),
            ("empty line first", begins_with_title, ("DAL", "\r\nDAL\r\n\r\nSor."), False),
            ("empty line, then title", empty_line_then_title, ("DAL", "\r\nDAL\r\n\r\nSor."), True),
            ("date last", ends_with_date, ("DAL\n\nSor.\n\n1920", "1920"), True),
            ("date last, CR LF", ends_with_date, ("DAL\r\n\r\nSor.\r\n\r\n1920", "1920"), True),
            ("other last line", ends_with_date, ("DAL\n\nSor.", "1920"), False),
            ("date after empty line", date_after_empty_line, ("DAL\n\nSor.\n\n1920", "1920"), True),
            ("date right after verse", date_after_empty_line, ("DAL\n\nSor.\n1920", "1920"), False),
            ("CR LF everywhere", line_breaks_consistent, ("a\r\nb\r\nc",), True),
            ("mixed breaks", line_breaks_consistent, ("a\r\nb\nc",), False),
            ("lone CR", line_breaks_consistent, ("a\rb\r\nc",), False),
            ("leading tab", tab_indented, ("a\n\tb",), True),
            ("no tab", tab_indented, ("a\nb",), False),
            ("tabs at line starts", tabs_only_leading, ("\t\ta\n\tb",), True),
            ("tab inside a line", tabs_only_leading, ("a\tb",), False),
            ("ő/ű letters", has_ou, ("ŐSZ",), True),
            ("ö is not ő", has_ou, ("KÖD",), False),
            ("one leading space", one_leading_space, (" DAL",), True),
            ("two leading spaces", one_leading_space, ("  DAL",), False),
        ]
        for name, rule, args, expected in cases:
            with self.subTest(name):
                self.assertIs(rule(*args), expected)

    def test_date_grammar(self):
        good = ["1932", "1924. máj.", "1923. márc. 10.", "1925. jún. - júl.", "1931 nyara",
                "1931 első fele", "1926 [?]", "1927. ápr. (?)", "1925 / 1926", "1930-1931",
                "1925. dec. 2. - 1926. jan. 3.", "1931 nyara - ősze", "1925. szept. 12. - okt. 3."]
        bad = ["1924. május", "1924. sept.", "máj. 1924", "1924.", "1924 nyár", "keltezés nélkül",
               "1924. máj. 3", "1932 "]
        for text in good:
            with self.subTest(good=text):
                self.assertTrue(DATE_RE.fullmatch(text))
        for text in bad:
            with self.subTest(bad=text):
                self.assertFalse(DATE_RE.fullmatch(text))


# --- fixtures ----------------------------------------------------------------------------

def setUpModule():
    global CON, ROWS, RAW
    if not os.path.isfile(DB_PATH):
        raise unittest.SkipTest(f"no database at {DB_PATH}")
    with open(DB_PATH, "rb") as f:
        RAW = f.read()
    CON = sqlite3.connect(f"file:{DB_PATH}?mode=ro", uri=True)
    ROWS = CON.execute('SELECT CIM, VERS, DATUM, FOTO, AZ FROM "tbl_Data"').fetchall()


def tearDownModule():
    if "CON" in globals():
        CON.close()


def header_u32(offset):
    return struct.unpack(">I", RAW[offset:offset + 4])[0]


# --- checks for any anthology -------------------------------------------------------

class SchemaTests(unittest.TestCase):

    def test_integrity_check(self):
        self.assertEqual(CON.execute("PRAGMA integrity_check").fetchall(), [("ok",)])

    def test_sqlite3_file_in_utf8(self):
        self.assertEqual(RAW[:16], b"SQLite format 3\x00")
        self.assertEqual(header_u32(56), 1)

    def test_tbl_data_columns(self):
        info = CON.execute('PRAGMA table_info("tbl_Data")').fetchall()
        self.assertEqual([(row[1], row[2]) for row in info], COLUMNS)
        self.assertEqual([row[1] for row in info if row[5]], ["AZ"])

    def test_az_is_the_integer_row_id(self):
        mismatched = CON.execute('SELECT COUNT(*) FROM "tbl_Data" WHERE AZ IS NOT rowid '
                                 "OR typeof(AZ) <> 'integer'").fetchone()[0]
        self.assertEqual(mismatched, 0)

    def test_autoincrement_counter_exists(self):
        self.assertIn("AUTOINCREMENT", CON.execute(
            "SELECT sql FROM sqlite_master WHERE name = 'tbl_Data'").fetchone()[0])
        self.assertTrue(CON.execute("SELECT 1 FROM sqlite_master WHERE name = 'sqlite_sequence'")
                        .fetchone())


# --- checks of the shipped anthology ---------------------------------------------------

@shipped_only
class HeaderTests(unittest.TestCase):

    def test_file_size(self):
        self.assertEqual(len(RAW), 540672)

    def test_header_fields(self):
        fields = [  # offset, size, name, value
            (16, 2, "page size", 4096), (18, 1, "write version", 1), (19, 1, "read version", 1),
            (20, 1, "reserved bytes", 0), (21, 1, "max payload fraction", 64),
            (22, 1, "min payload fraction", 32), (23, 1, "leaf payload fraction", 32),
            (24, 4, "change counter", 168), (28, 4, "page count", 132),
            (32, 4, "first freelist trunk", 0), (36, 4, "freelist pages", 0),
            (40, 4, "schema cookie", 16), (44, 4, "schema format", 4),
            (48, 4, "default cache size", 0), (52, 4, "largest root b-tree", 0),
            (56, 4, "text encoding", 1), (60, 4, "user version", 0),
            (64, 4, "incremental vacuum", 0), (68, 4, "application id", 0),
            (92, 4, "version-valid-for", 168), (96, 4, "writer version", 3027002),
        ]
        for offset, size, name, value in fields:
            with self.subTest(name):
                self.assertEqual(int.from_bytes(RAW[offset:offset + size], "big"), value)
        with self.subTest("reserved for expansion"):
            self.assertEqual(RAW[72:92], bytes(20))

    def test_engine_sees_the_same_geometry(self):
        for pragma, value in (("page_size", 4096), ("page_count", 132), ("freelist_count", 0),
                              ("schema_version", 16), ("encoding", "UTF-8"),
                              ("auto_vacuum", 0), ("user_version", 0)):
            with self.subTest(pragma):
                self.assertEqual(CON.execute(f"PRAGMA {pragma}").fetchone()[0], value)


@shipped_only
class ShippedSchemaTests(unittest.TestCase):

    def test_schema_entries(self):
        entries = CON.execute("SELECT type, name, tbl_name, rootpage, sql FROM sqlite_master "
                              "ORDER BY rootpage").fetchall()
        self.assertEqual(entries, [
            ("table", "tbl_Data", "tbl_Data", 2, CREATE_TBL_DATA),
            ("table", "sqlite_sequence", "sqlite_sequence", 3,
             "CREATE TABLE sqlite_sequence(name,seq)"),
        ])

    def test_sequence(self):
        self.assertEqual(CON.execute("SELECT name, seq FROM sqlite_sequence").fetchall(),
                         [("tbl_Data", 541)])


@shipped_only
class ContentProfileTests(unittest.TestCase):

    def test_row_ids(self):
        self.assertEqual([r[4] for r in ROWS],
                         [az for az in range(1, 542) if az not in MISSING_AZ])

    def test_storage(self):
        for name, bad in (
                ("CIM, VERS, DATUM are non-empty text",
                 [r[4] for r in ROWS if not all(isinstance(v, str) and v for v in r[:3])]),
                ("FOTO is NULL", [r[4] for r in ROWS if r[3] is not None]),
                ("no trailing characters below U+0021",
                 [r[4] for r in ROWS if any(v[-1] <= " " for v in r[:3])]),
                ("code page 1250", [r[4] for r in ROWS if not _cp1250(r[:3])])):
            with self.subTest(name):
                self.assertEqual(bad, [])

    def test_chronology(self):
        undated = [r[4] for r in ROWS if date_year(r[2]) is None]
        self.assertEqual(len(undated), 1)
        years = [date_year(r[2]) for r in ROWS if date_year(r[2]) is not None]
        self.assertEqual(years, sorted(years))

    def test_date_forms(self):
        dated = [r[2] for r in ROWS if date_year(r[2]) is not None]
        self.assertEqual([d for d in dated if not DATE_RE.fullmatch(d)], [])
        forms = {
            "year": r"\d{4}", "year and month": rf"\d{{4}}\. {_MONTH}",
            "full date": rf"\d{{4}}\. {_MONTH} {_DAY}", "range with ' - '": r".+ - .+",
            "range with '-'": r"\d{4}-\d{4}", "alternatives": r".+ / .+",
            "[?]": r".+ \[\?\]", "(?)": r".+ \(\?\)",
        }
        for part in ("tavasza", "nyara", "ősze", "tele", "eleje", "vége", "első fele"):
            forms[part] = rf".* {part}\b.*"
        for name, pattern in forms.items():
            with self.subTest(form=name):
                self.assertTrue(any(re.fullmatch(pattern, d) for d in dated))
        spaced = sum(" - " in d for d in dated)
        tight = sum(bool(re.search(r"\S-\S", d)) for d in dated)
        self.assertGreater(spaced, tight)

    def test_lengths(self):
        cim = [len(r[0]) for r in ROWS]
        datum = [len(r[2]) for r in ROWS]
        vers = [len(r[1]) for r in ROWS]
        for name, values, low, high in (("CIM", cim, 3, 1152), ("DATUM", datum, 4, 29),
                                        ("VERS", vers, 129, 8139)):
            with self.subTest(name):
                self.assertEqual((min(values), max(values)), (low, high))
        self.assertEqual(sum(vers), 403723)

    def test_long_title(self):
        long_title = next(r[0] for r in ROWS if r[4] == 118)
        self.assertEqual(len(long_title), 1152)
        title_proper, empty, first_verse = long_title.split("\n")[:3]
        self.assertTrue(title_proper and first_verse)
        self.assertEqual(empty, "")
        others = [r for r in ROWS if r[4] != 118]
        self.assertEqual([r[4] for r in others if "\n" in r[0] or "\r" in r[0]], [])
        self.assertLessEqual(max(len(r[0]) for r in others), 39)

    def test_counts(self):
        counts = [  # what is counted, predicate on (CIM, VERS, DATUM), expected rows
            ("rows", lambda c, v, d: True, 525),
            ("capital titles", lambda c, v, d: c == c.upper(), 522),
            ("titles with one leading space", lambda c, v, d: one_leading_space(c), 11),
            ("titles with ő/ű", lambda c, v, d: has_ou(c), 81),
            ("dates with ő", lambda c, v, d: "ő" in d, 23),
            ("texts with ő/ű", lambda c, v, d: has_ou(v), 503),
            ("texts beginning with their title", lambda c, v, d: begins_with_title(c, v), 512),
            ("texts ending with their date", lambda c, v, d: ends_with_date(v, d), 519),
            ("texts with LF breaks", lambda c, v, d: "\n" in v and "\r" not in v, 514),
            ("texts with CR LF breaks", lambda c, v, d: "\r\n" in v, 11),
            ("CR LF texts with an empty first line, title second",
             lambda c, v, d: "\r\n" in v and empty_line_then_title(c, v), 10),
            ("tab-indented texts", lambda c, v, d: tab_indented(v), 106),
            ("inconsistent line breaks", lambda c, v, d: not line_breaks_consistent(v), 0),
            ("tabs not at a line start", lambda c, v, d: not tabs_only_leading(v)
             or "\t" in c or "\t" in d, 0),
        ]
        for name, predicate, expected in counts:
            with self.subTest(name):
                self.assertEqual(sum(1 for c, v, d, _, _ in ROWS if predicate(c, v, d)), expected)
        with self.subTest("dates mostly after an empty line"):
            after_empty = sum(date_after_empty_line(v, d) for _, v, d, _, _ in ROWS)
            self.assertGreater(after_empty, 519 / 2)


def _cp1250(values):
    try:
        for value in values:
            value.encode("cp1250")
        return True
    except UnicodeEncodeError:
        return False


@shipped_only
class ReproducibilityTests(unittest.TestCase):

    def test_generator_writes_the_shipped_bytes(self):
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "LR_ov.db")
            subprocess.run([sys.executable, GENERATOR, out], check=True)
            with open(out, "rb") as f:
                generated = f.read()
        self.assertEqual(len(generated), len(RAW))
        self.assertTrue(generated == RAW, "generated anthology differs from the shipped file")


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        DB_PATH = os.path.abspath(sys.argv.pop(1))
    unittest.main()
