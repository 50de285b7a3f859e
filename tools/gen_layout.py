#!/usr/bin/env python3
"""Turns the forms' layout descriptions (data/layouts/<form>.layout) into

  engine/calc1_d_table.inc       the field table's rows and the balance positions
  data/pages/<form>_<page>.txt   the drawing of each page, which tools/emftool
                                 records into frm/<form>_<page>.emf at build time
  tests/engine/layout_rows.inc   each amount field's row band and label, for the tests

so that the field rectangles and the page templates agree by construction.

  gen_layout.py            write the three outputs
  gen_layout.py --check    fail when a committed output differs from a fresh one

Coordinates in a layout are "sheet" units: 0.1 mm of the A4 sheet on which
the program shows a page (2100 x 2970), the template being stretched over
the whole sheet.  A field's rectangle is turned into template units through
the inverse of the page's screen calibration, and checked forward with the
engine's own arithmetic (extended products, half-to-even rounding).

A layout, one directive a line ("#" starts a comment, texts in quotes):

  form NAME FIRST LAST             the form and its start and end sentinel rows
  calib PAGE SX SY OX OY PSY       the page's screen calibration and print ScaleY
  attr FIELDS... key=value...      layout=0|1|2, precision=N, validator=none
  override N LEFT TOP WIDTH HEIGHT a bil row's own rectangle columns
  page N                           the drawing of page N follows
  text X Y SIZE STYLE ALIGN "T"    one line on baseline Y (SIZE in tenths of a
                                   point, STYLE n/b/i/bi, ALIGN l/c/r)
  wrapb X1 X2 TOP BASE SIZE STYLE "T", wrapc X1 X2 TOP BOTTOM SIZE STYLE "T"
                                   wrapped text: last line on BASE / centred
  line X1 Y1 X2 Y2 W, dots X1 Y X2 W, box X1 Y1 X2 Y2 W, fill X1 Y1 X2 Y2 GRAY
  field N X1 Y1 X2 Y2 [text|date]  a text or date field at that sheet rectangle
  table X0 X1 ... Xn               rules of a table: label column X0..X1, then
                                   one amount column per further pair
    fieldh H, labelsize S          the amounts' rectangle height, label size
    inset L R                      the amounts' rectangles inside their column
                                   rules, where print corrections shift them
    header TOP BOTTOM              the header band; the first row starts below it
    hcell COL "T", hfield COL N    a header caption; a text field under it
    row LEVEL F1 F2 "LABEL" [opts] a line of the statute: indentation level, the
                                   field of each amount column (N, N* computed,
                                   - none) and its label; opts: @Y pins the row's
                                   bottom rule, like=K pins it to row K of the
                                   page's previous table, w=K weighs its height,
                                   text=N puts text field N after a dash
    heading "T", blank             a section heading without fields; an empty row
    end Y                          the last rule; unpinned rows share the height
"""

import shlex
import sys
from dataclasses import dataclass, field as dc_field
from fractions import Fraction
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LAYOUTS = ROOT / "data" / "layouts"
PAGES = ROOT / "data" / "pages"
TABLE_INC = ROOT / "engine" / "calc1_d_table.inc"
ROWS_INC = ROOT / "tests" / "engine" / "layout_rows.inc"

SHEET_W, SHEET_H = 2100, 2970
FIRST_ID, LAST_ID = 4, 1115
LAST_BALANCE_ID = 264

# Table geometry, in sheet units.
# The program fills an amount's or a date's rectangle white under the value;
# the rectangle keeps 4 units (1.5 screen pixels at 100 %) off the centre
# of a thin rule and 6 off the thick outer border, so no rule is erased.
CELL_INSET = 4        # amount rectangle inside its column rules
OUTER_INSET = 6       # ... and inside the table's outer border
ROW_PAD = 4           # rectangle bottom above the row's bottom rule
HEADER_FIELD_PAD = 2  # header text fields (never filled) above the header's rule
BASE_ABOVE_RULE = 9   # label baseline above the row's bottom rule (the value's baseline)
LABEL_INSET = 8       # label text inside the label column
INDENT = 24           # per indentation level
DASH_ROOM = 30        # room for the "–" before a text field in the label column
TOP_DRAWN_HEIGHT = 29  # a 7 pt line drawn from the rectangle's top
LABEL_SIZE = 70       # tenths of a point
HEADING_SIZE = 70
HEADER_SIZE = 60
THIN, THICK = 2, 5    # pen widths


class LayoutError(Exception):
    pass


# ---------------------------------------------------------------- arithmetic

def extended(v: Fraction) -> Fraction:
    """Rounds to the 64-bit significand of the x87 extended type, ties to even."""
    if v == 0:
        return v
    sign = -1 if v < 0 else 1
    a = abs(v)
    e = a.numerator.bit_length() - a.denominator.bit_length()
    if Fraction(2) ** e > a:
        e -= 1
    scale = Fraction(2) ** (63 - e)
    return sign * Fraction(round(a * scale)) / scale


def rnd(v: Fraction) -> int:
    return round(v)  # Fraction rounds half to even


@dataclass
class Calib:
    sx: float
    sy: float
    ox: int
    oy: int
    psy: float  # print ScaleY: the frame's height is 2970 x psy

    def screen_rect(self, x, y, w, h):
        left = rnd(extended(Fraction(x) * Fraction(self.sx))) + self.ox
        right = left + rnd(extended(Fraction(w) * Fraction(self.sx)))
        top = rnd(extended(Fraction(y) * Fraction(self.sy))) + self.oy
        bottom = top + rnd(extended(Fraction(h) * Fraction(self.sy)))
        return left, top, right, bottom


def fit_span(lo, hi, scale, off):
    """Source position and length whose calibrated span lies inside [lo, hi]
    and as close to it as the rounding allows."""
    def pos(v):
        return rnd(extended(Fraction(v) * Fraction(scale))) + off

    def length(v):
        return rnd(extended(Fraction(v) * Fraction(scale)))

    p0 = round((lo - off) / scale)
    p = min((v for v in range(p0 - 2, p0 + 3) if pos(v) >= lo), key=lambda v: pos(v) - lo)
    n0 = round((hi - lo) / scale)
    n = max((v for v in range(n0 - 3, n0 + 3) if pos(p) + length(v) <= hi), key=lambda v: length(v))
    if (pos(p) - lo) + (hi - pos(p) - length(n)) > 2:
        raise LayoutError(f"no source span lands inside {lo}..{hi}")
    return p, n


def to_template(calib: Calib, want):
    """Template-unit x, y, w, h whose screen rectangle lies inside `want`."""
    l, t, r, b = want
    x, w = fit_span(l, r, calib.sx, calib.ox)
    y, h = fit_span(t, b, calib.sy, calib.oy)
    assert calib.screen_rect(x, y, w, h)[0] >= l
    return x, y, w, h


# ---------------------------------------------------------------- model

@dataclass
class Field:
    number: int
    kind: str  # "amount", "text" or "date"
    page: int
    sheet: tuple  # (l, t, r, b) wanted on the screen sheet
    computed: bool = False
    attrs: dict = dc_field(default_factory=dict)


@dataclass
class Row:
    level: int
    cells: list  # per amount column: (number, computed) or None
    label: str
    anchor: int = None
    text_field: int = None
    heading: bool = False
    blank: bool = False
    weight: float = 1.0
    like: int = None  # pinned to the bottom of this row (1-based) of the page's previous table
    top: int = 0
    bottom: int = 0


@dataclass
class Table:
    cols: list
    header: tuple = None
    hcells: dict = dc_field(default_factory=dict)
    hfields: dict = dc_field(default_factory=dict)
    rows: list = dc_field(default_factory=list)
    end: int = None
    field_h: int = 35
    label_size: int = LABEL_SIZE
    inset: tuple = (CELL_INSET, CELL_INSET)  # amount rectangles inside their column rules


@dataclass
class Page:
    number: int
    items: list = dc_field(default_factory=list)  # drawing lines and tables, in order


@dataclass
class Form:
    name: str
    first: int
    last: int
    source: str
    calibs: dict = dc_field(default_factory=dict)
    pages: list = dc_field(default_factory=list)
    fields: dict = dc_field(default_factory=dict)
    attrs: dict = dc_field(default_factory=dict)
    overrides: dict = dc_field(default_factory=dict)


# ---------------------------------------------------------------- parsing

def field_list(tokens):
    out = []
    for tok in tokens:
        if "-" in tok:
            a, b = tok.split("-")
            out.extend(range(int(a), int(b) + 1))
        else:
            out.append(int(tok))
    return out


def parse(path: Path) -> Form:
    form = None
    page = None
    table = None
    for lineno, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        try:
            tok = shlex.split(raw, comments=True)
        except ValueError as e:
            raise LayoutError(f"{path.name}:{lineno}: {e}")
        if not tok:
            continue
        op, args = tok[0], tok[1:]
        where = f"{path.name}:{lineno}"
        try:
            if op == "form":
                form = Form(args[0], int(args[1]), int(args[2]), path.name)
            elif op == "calib":
                p = int(args[0])
                form.calibs[p] = Calib(float(args[1]), float(args[2]), int(args[3]), int(args[4]), float(args[5]))
            elif op == "attr":
                kv = [a for a in args if "=" in a]
                for n in field_list([a for a in args if "=" not in a]):
                    for item in kv:
                        k, v = item.split("=")
                        form.attrs.setdefault(n, {})[k] = v
            elif op == "override":
                form.overrides[int(args[0])] = tuple(int(a) for a in args[1:5])
            elif op == "page":
                page = Page(int(args[0]))
                form.pages.append(page)
                table = None
            elif op in ("text", "line", "dots", "box", "fill", "wrapb", "wrapc"):
                page.items.append((op, args))
            elif op == "field":
                n = int(args[0])
                kind = args[5] if len(args) > 5 else "text"
                add_field(form, Field(n, kind, page.number, tuple(int(a) for a in args[1:5])))
            elif op == "table":
                table = Table([int(a) for a in args])
                page.items.append(("table", table))
            elif op == "fieldh":
                table.field_h = int(args[0])
            elif op == "inset":
                table.inset = (int(args[0]), int(args[1]))
            elif op == "labelsize":
                table.label_size = int(args[0])
            elif op == "header":
                table.header = (int(args[0]), int(args[1]))
            elif op == "hcell":
                table.hcells[int(args[0])] = args[1]
            elif op == "hfield":
                table.hfields[int(args[0])] = int(args[1])
            elif op in ("row", "heading", "blank"):
                table.rows.append(parse_row(op, args, len(table.cols) - 2))
            elif op == "end":
                table.end = int(args[0])
            else:
                raise LayoutError(f"unknown directive {op!r}")
        except (IndexError, ValueError, AttributeError) as e:
            raise LayoutError(f"{where}: {raw.strip()!r}: {e}")
        except LayoutError as e:
            raise LayoutError(f"{where}: {e}")
    try:
        for page in form.pages:
            previous = None
            for kind, item in page.items:
                if kind == "table":
                    for row in item.rows:
                        if row.like is not None:
                            row.anchor = previous.rows[row.like - 1].bottom
                    place_table(form, page, item)
                    previous = item
    except LayoutError as e:
        raise LayoutError(f"{path.name}: {e}")
    return form


def parse_row(op, args, ncols):
    opts = [a for a in args if a.startswith(("@", "text=", "w=", "like="))]
    rest = [a for a in args if a not in opts]
    if op == "heading":
        row = Row(0, [None] * ncols, rest[0], heading=True)
    elif op == "blank":
        row = Row(0, [None] * ncols, "", blank=True)
    else:
        level = int(rest[0])
        cells = []
        for tok in rest[1:1 + ncols]:
            if tok == "-":
                cells.append(None)
            else:
                cells.append((int(tok.rstrip("*")), tok.endswith("*")))
        row = Row(level, cells, rest[1 + ncols])
    for o in opts:
        if o.startswith("@"):
            row.anchor = int(o[1:])
        elif o.startswith("text="):
            row.text_field = int(o[5:])
        elif o.startswith("w="):
            row.weight = float(o[2:])
        elif o.startswith("like="):
            row.like = int(o[5:])
    return row


def add_field(form: Form, f: Field):
    if f.number in form.fields:
        raise LayoutError(f"field {f.number} placed twice")
    if not form.first < f.number < form.last:
        raise LayoutError(f"field {f.number} outside {form.name}")
    form.fields[f.number] = f


def place_table(form: Form, page: Page, t: Table):
    """Gives every row its band and every field its sheet rectangle."""
    top = t.header[1]
    anchors = [(i, r.anchor) for i, r in enumerate(t.rows) if r.anchor is not None]
    if not anchors or anchors[-1][0] != len(t.rows) - 1:
        anchors.append((len(t.rows) - 1, t.end))
    # Rows between two anchors share the gap by their weights.
    prev_i, prev_y = -1, top
    for i, y in anchors:
        group = t.rows[prev_i + 1:i + 1]
        total = sum(r.weight for r in group)
        done = 0.0
        for k, row in enumerate(group):
            row.top = group[k - 1].bottom if k else prev_y
            done += row.weight
            row.bottom = round(prev_y + (y - prev_y) * done / total)
        prev_i, prev_y = i, y
    last = len(t.cols) - 1
    for row in t.rows:
        fb = row.bottom - ROW_PAD
        for c, cell in enumerate(row.cells):
            if cell:
                n, computed = cell
                ft = fb - field_height(form, t, n, "2")
                right = t.cols[c + 2] - max(t.inset[1], OUTER_INSET if c + 2 == last else 0)
                rect = (t.cols[c + 1] + t.inset[0], ft, right, fb)
                add_field(form, Field(n, "amount", page.number, rect, computed))
        if row.text_field:
            ft = fb - field_height(form, t, row.text_field, "1")
            x = label_left(t, row) + DASH_ROOM
            add_field(form, Field(row.text_field, "text", page.number, (x, ft, t.cols[1] - CELL_INSET, fb)))
        if any(row.cells) and fb - t.field_h < row.top + ROW_PAD:
            raise LayoutError(f"row {row.label!r} ({row.top}..{row.bottom}) too low for its fields")
    for c, n in t.hfields.items():
        b = t.header[1] - HEADER_FIELD_PAD
        right = t.cols[c + 1] - (OUTER_INSET if c + 1 == last else CELL_INSET)
        add_field(form, Field(n, "text", page.number, (t.cols[c] + CELL_INSET, b - t.field_h, right, b)))


def field_height(form: Form, t: Table, n: int, default_layout: str) -> int:
    """The program draws a centred field's text at the top of its rectangle
    (the centring flag works only on single lines); such a rectangle is
    made just tall enough that the text shares the label's baseline."""
    if form.attrs.get(n, {}).get("layout", default_layout) == "1":
        return TOP_DRAWN_HEIGHT
    return t.field_h


def label_left(t: Table, row: Row) -> int:
    return t.cols[0] + LABEL_INSET + row.level * INDENT


# ---------------------------------------------------------------- drawing

def draw_page(form: Form, page: Page) -> list:
    calib = form.calibs[page.number]
    frame_h = round(SHEET_H * calib.psy * 10)
    out = [f"# Generated by tools/gen_layout.py from data/layouts/{form.source}; do not edit.",
           f"# {form.name} page {page.number}: the sheet is {SHEET_W} x {SHEET_H} (0.1 mm), drawn into a frame of",
           f"# 21000 x {frame_h} (0.01 mm), the aspect of the printed page.",
           f"frame {SHEET_W} {SHEET_H} 21000 {frame_h}"]
    for kind, item in page.items:
        if kind == "table":
            out += draw_table(item)
        else:
            out.append(" ".join([kind] + item))
    return out


def draw_table(t: Table) -> list:
    out = []
    x0, x1 = t.cols[0], t.cols[-1]
    ht, hb = t.header
    out.append(f"fill {x0} {ht} {x1} {hb} 235")
    for c, text in t.hcells.items():
        bottom = hb - (t.field_h + HEADER_FIELD_PAD + 2 if c in t.hfields else 0)
        out.append(f"wrapc {t.cols[c] + LABEL_INSET} {t.cols[c + 1] - LABEL_INSET} {ht + 4} {bottom - 2} "
                   f"{HEADER_SIZE} b {text}")
    for c in range(1, len(t.cols) - 1):
        out.append(f"line {t.cols[c]} {ht} {t.cols[c]} {hb} {THIN}")
    out.append(f"line {x0} {hb} {x1} {hb} {THIN}")
    for row in t.rows:
        if row.blank:
            for c in range(1, len(t.cols) - 1):
                out.append(f"line {t.cols[c]} {row.top} {t.cols[c]} {row.bottom} {THIN}")
        elif row.heading:
            # Inside the rules around it, which are drawn already or next.
            out.append(f"fill {x0} {row.top + THIN // 2} {x1} {row.bottom - THIN // 2} 245")
            out.append(f"wrapb {x0 + LABEL_INSET} {x1 - LABEL_INSET} {row.top + 2} {row.bottom - BASE_ABOVE_RULE} "
                       f"{HEADING_SIZE} b {row.label}")
        else:
            right = t.cols[1] - LABEL_INSET
            if row.text_field:
                right = label_left(t, row) + DASH_ROOM - 4
            style = "b" if row.level == 0 else "n"
            out.append(f"wrapb {label_left(t, row)} {right} {row.top + 2} {row.bottom - BASE_ABOVE_RULE} "
                       f"{t.label_size} {style} {row.label}")
            for c in range(1, len(t.cols) - 1):
                out.append(f"line {t.cols[c]} {row.top} {t.cols[c]} {row.bottom} {THIN}")
        if row is not t.rows[-1]:
            out.append(f"line {x0} {row.bottom} {x1} {row.bottom} {THIN}")
    out.append(f"box {x0} {ht} {x1} {t.rows[-1].bottom} {THICK}")
    return out


# ---------------------------------------------------------------- table rows

def template_rects(form: Form):
    """Field number -> (x, y, w, h) in template units; bil rows also give
    their balance position (Left, Bottom, Width)."""
    rects = {}
    for n, f in form.fields.items():
        calib = form.calibs[f.page]
        if form.name == "bil":
            l, t, r, b = f.sheet
            if (calib.sx, calib.sy, calib.ox, calib.oy) != (1, 1, 0, 0):
                raise LayoutError("bil's rows take the sheet position as it is")
            rects[n] = (l, t, r - l, b - t)
        else:
            rects[n] = to_template(calib, f.sheet)
    return rects


KIND_ORDER = ["bil", "rachzsk", "rachzsp", "rachppp", "rachppb", "zestzf", "bilm", "rachw"]


def emit_table(forms) -> list:
    out = ["// Generated by tools/gen_layout.py from data/layouts/*.layout; do not edit.",
           "// Included by engine/calc1_d.cpp: the rows of TEFieldTable (4..1115), then of",
           "// BalancePositionTable (4..264).  Rectangles are Left, Top, Width, Height in",
           "// template units; bil's rows are placed by their balance position.",
           "",
           "#ifdef FIELD_ROWS"]
    balance = []
    expected = FIRST_ID
    for form in forms:
        if form.first != expected:
            raise LayoutError(f"{form.name} starts at {form.first}, expected {expected}")
        expected = form.last + 1
        rects = template_rects(form)
        heading = form.first + 1
        out.append(f"// {form.name}")
        out.append(f"Sentinel(0, {form.first}),")
        if form.name == "bil":
            balance.append(f"{{0, 0, 0, {form.first}}},")
        last_page = 0
        for n in range(form.first + 1, form.last):
            f = form.fields.get(n)
            if f is None:
                raise LayoutError(f"{form.name}: field {n} has no place")
            if f.page < last_page:
                raise LayoutError(f"{form.name}: field {n} lies on page {f.page} after a field of page {last_page}")
            last_page = f.page
            x, y, w, h = rects[n]
            a = form.attrs.get(n, {})
            if form.name == "bil":
                balance.append(f"{{{x}, {y + h}, {w}, {n}}},")
                x, y, w, h = form.overrides.get(n, (x, y, w, h))
            elif n in form.overrides:
                raise LayoutError(f"override of {n} outside bil")
            rect = f"{x}, {y}, {w}, {h}"
            if f.kind == "amount":
                layout = a.get("layout", "2")
                validator = "nullptr" if a.get("validator") == "none" else "Kwota2_ValChange"
                enabled = "Computed" if f.computed else "Typed"
                out.append(f"Amount({f.page}, {enabled}, {LAYOUTS_CPP[layout]}, {validator}, {rect}, {n}),")
            elif f.kind == "text":
                size = 9 if n == heading else 7
                precision = a.get("precision", "0")
                layout = a.get("layout", "1")
                out.append(f"Text({f.page}, {size}, {precision}, {LAYOUTS_CPP[layout]}, {rect}, {n}),")
            elif f.kind == "date":
                layout = a.get("layout", "1")
                out.append(f"Date({f.page}, {LAYOUTS_CPP[layout]}, {rect}, {n}),")
            else:
                raise LayoutError(f"{form.name}: field {n} of unknown kind {f.kind}")
        out.append(f"Sentinel(1000, {form.last}),")
        if form.name == "bil":
            balance.append(f"{{0, 0, 0, {form.last}}},")
    if expected != LAST_ID + 1:
        raise LayoutError(f"the forms end at {expected - 1}, expected {LAST_ID}")
    out += ["#endif", "", "#ifdef BALANCE_ROWS"] + balance + ["#endif"]
    return out


LAYOUTS_CPP = {"0": "tlTop", "1": "tlCenter", "2": "tlBottom"}


def cstr(s: str) -> str:
    return '"' + s.replace("\\", "\\\\").replace('"', '\\"') + '"'


def emit_rows(forms) -> list:
    out = ["// Generated by tools/gen_layout.py from data/layouts/*.layout; do not edit.",
           "// Every amount field's cell on its page: catalogue row, page, field, the rules",
           "// around its cell, the label column's rules (sheet units, 0.1 mm of the",
           "// 2100 x 2970 screen sheet), and the label printed in that column.",
           "// {FormNo, Page, Field, Top, Bottom, Left, Right, LabelLeft, LabelRight, Label}"]
    for form in forms:
        form_no = KIND_ORDER.index(form.name) + 1
        for page in form.pages:
            for kind, t in page.items:
                if kind != "table":
                    continue
                for row in t.rows:
                    for c, cell in enumerate(row.cells):
                        if cell:
                            out.append(f"{{{form_no}, {page.number}, {cell[0]}, {row.top}, {row.bottom}, "
                                       f"{t.cols[c + 1]}, {t.cols[c + 2]}, {t.cols[0]}, {t.cols[1]}, "
                                       f"{cstr(row.label)}}},")
    return out


# ---------------------------------------------------------------- main

def generate() -> dict:
    forms = [parse(LAYOUTS / f"{name}.layout") for name in KIND_ORDER]
    outputs = {TABLE_INC: emit_table(forms), ROWS_INC: emit_rows(forms)}
    for form in forms:
        for page in form.pages:
            outputs[PAGES / f"{form.name}_{page.number}.txt"] = draw_page(form, page)
    return {p: "\n".join(lines) + "\n" for p, lines in outputs.items()}


def main(argv) -> int:
    try:
        outputs = generate()
    except LayoutError as e:
        print(f"gen_layout: {e}", file=sys.stderr)
        return 1
    if "--check" in argv:
        stale = [p for p, text in outputs.items()
                 if not p.exists() or p.read_text(encoding="utf-8") != text]
        extra = [p for p in PAGES.glob("*.txt") if p not in outputs]
        for p in stale + extra:
            print(f"gen_layout: {p.relative_to(ROOT)} is not what data/layouts/ generates; "
                  f"run tools/gen_layout.py", file=sys.stderr)
        return 1 if stale or extra else 0
    PAGES.mkdir(parents=True, exist_ok=True)
    for p, text in outputs.items():
        if not p.exists() or p.read_text(encoding="utf-8") != text:
            p.write_text(text, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
