#!/usr/bin/env python3
"""Writes the golden statement files of the tests, tests/app/statement/*.spr:
one statement per way through the wizard, built here byte by byte from the
file's layout, apart from the program's writer, which the tests compare with
them (tests/app/statementfile_test.cpp holds the same statements).

  gen_statement_golden.py            write the files
  gen_statement_golden.py --check    fail when a committed file differs

Layout (little-endian):
  u32 2 | 8 zero bytes | f64 loaded at | f64 saved at
  per step: u32 n, page name, i32 StepNo, i32 VisitCount, the page's answers
  u32 9, "ShareData", u32 9, u32 9
  shared block: i32 2, two variant records
  per selected form: u32 n, form name, i32 element count, per element
    u16 1 and a value record: variant record, i32 2, u16 field number
  variant record: u16 type; strings i32 length + Windows-1250 bytes;
    double (5), currency (6, value x 10000 as i64) and date (7): i32 8 + data
"""

import struct
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
OUT = ROOT / "tests" / "app" / "statement"

# The forms of the catalogue: name -> (start sentinel, end sentinel); the
# form's values are the fields between them.
FORMS = {
    "bil": (4, 264),
    "rachzsk": (265, 357),
    "rachzsp": (358, 460),
    "rachppp": (461, 581),
    "rachppb": (582, 696),
    "zestzf": (697, 993),
    "bilm": (994, 1062),
    "rachw": (1063, 1115),
}

# Answers by page: ("c", enabled, checked) for a check box or radio button,
# ("g", enabled, item) for a radio group, ("i", item) for rb0_2_1.
def u8(v):
    return struct.pack("<B", v)


def i32(v):
    return struct.pack("<i", v)


def u32(v):
    return struct.pack("<I", v)


def name(text):
    raw = text.encode("cp1250")
    return u32(len(raw)) + raw


def answer(a):
    kind = a[0]
    if kind == "i":
        return i32(a[1])
    if kind == "c":
        return u8(a[1]) + u8(a[2])
    return u8(a[1]) + i32(a[2])


def step(page, step_no, visits, answers=()):
    return name(page) + i32(step_no) + i32(visits) + b"".join(answer(a) for a in answers)


def variant(v):
    if v is None:
        return struct.pack("<H", 0)
    kind, value = v
    if kind == "str":
        raw = value.encode("cp1250")
        return struct.pack("<H", 256) + i32(len(raw)) + raw
    if kind == "dbl":
        return struct.pack("<Hid", 5, 8, value)
    if kind == "cur":
        return struct.pack("<Hiq", 6, 8, value)
    if kind == "date":
        return struct.pack("<Hid", 7, 8, value)
    raise ValueError(kind)


def form_record(form, values):
    first, last = FORMS[form]
    fields = range(first + 1, last)
    out = name(form) + i32(len(fields))
    for field in fields:
        out += struct.pack("<H", 1) + variant(values.get(field)) + i32(2) + struct.pack("<H", field)
    return out


def statement(loaded, saved, steps, shared, forms):
    out = u32(2) + bytes(8) + struct.pack("<dd", loaded, saved)
    out += b"".join(step(*s) for s in steps)
    out += name("ShareData") + i32(9) + i32(9)
    out += i32(2) + variant(shared[0]) + variant(shared[1])
    out += b"".join(form_record(f, v) for f, v in forms)
    return out


ON = 1

STATEMENTS = {
    # Subject to audit, all four documents: profit and loss by nature
    # (rachzsp), cash flows by the direct method (rachppb).
    "audited": statement(
        45291.5,
        45292.75,
        [
            ("Wiz0_1", 0, 1),
            ("Wiz0_2", 0, 1, [("i", 0)]),
            ("Wiz1_0", 0, 1, [("c", ON, 1), ("c", ON, 0)]),
            ("Wiz1_1", 0, 1, [("c", ON, 1), ("c", ON, 1), ("c", ON, 1), ("c", ON, 1), ("g", ON, 1), ("g", ON, 0)]),
            ("Wiz100_1", 0, 0),
        ],
        [("str", "Przykładowa Spółka z o.o."), ("date", 45291.0)],
        [
            ("bil", {5: ("str", "Spółka Przykładowa"), 8: ("cur", 12345000), 10: ("dbl", 1234.5), 263: ("dbl", -0.01)}),
            ("rachzsp", {359: ("str", "2023"), 370: ("dbl", 100.25)}),
            ("rachppb", {583: ("cur", -500000)}),
            ("zestzf", {698: ("str", ""), 992: ("dbl", 1e9)}),
        ],
    ),
    # Not subject to audit: balance sheet and profit and loss by function.
    "notaudited": statement(
        45000.25,
        45000.25,
        [
            ("Wiz0_1", 0, 1),
            ("Wiz0_2", 0, 1, [("i", 0)]),
            ("Wiz1_0", 0, 1, [("c", ON, 0), ("c", ON, 1)]),
            ("Wiz1_2", 0, 1, [("c", ON, 1), ("c", ON, 1), ("g", ON, 0)]),
            ("Wiz100_1", 0, 0),
        ],
        [("str", "Fundacja Ąę"), None],
        [
            ("bil", {6: ("str", "31.12.2023"), 20: ("cur", 999900)}),
            ("rachzsk", {266: ("dbl", 0.5), 356: ("cur", 10000)}),
        ],
    ),
    # No business activity: bilm and rachw.
    "noactivity": statement(
        0.0,
        45500.0,
        [
            ("Wiz0_1", 0, 1),
            ("Wiz0_2", 0, 1, [("i", 1)]),
            ("Wiz2_1", 0, 1, [("c", ON, 1), ("c", ON, 1)]),
            ("Wiz100_1", 0, 0),
        ],
        [None, ("str", "Stowarzyszenie")],
        [
            ("bilm", {995: ("str", "Stowarzyszenie Przyjaciół"), 1061: ("dbl", 12.5)}),
            ("rachw", {1064: ("cur", 70000), 1114: ("dbl", -3.75)}),
        ],
    ),
    # Saved on Wiz1_1 before leaving it: no form selected yet.
    "unfinished": statement(
        0.0,
        0.0,
        [
            ("Wiz0_1", 0, 1),
            ("Wiz0_2", 0, 1, [("i", 0)]),
            ("Wiz1_0", 0, 1, [("c", ON, 1), ("c", ON, 0)]),
            ("Wiz1_1", 0, 0, [("c", ON, 1), ("c", ON, 0), ("c", ON, 0), ("c", ON, 0), ("g", 0, -1), ("g", 0, -1)]),
        ],
        [None, None],
        [],
    ),
}


def main():
    check = "--check" in sys.argv[1:]
    stale = []
    for stem, data in STATEMENTS.items():
        path = OUT / (stem + ".spr")
        if check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(path)
        else:
            OUT.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
    for path in stale:
        print(f"{path.relative_to(ROOT)} is not what {Path(__file__).name} makes", file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
