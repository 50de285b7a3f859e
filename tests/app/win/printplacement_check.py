#!/usr/bin/env python3
"""Reads back the print jobs of printplacement_test (every form printed on A4,
A5 and Letter with every field filled) and checks where the values landed,
against the printed template alone:

  printplacement_check.py JOB_FOLDER SOURCE_ROOT

Ghostscript gives the text of each page with every character's position
and size (txtwrite at 720 dpi, one span a character) and the page as a grey image (300 dpi, the printer's own dots), in which the
template's rules are found: solid horizontal rules of at least 15 mm and
dotted writing lines.  For each value (known by its text, which carries
its field's number) the check finds its field's label on the printed page
and the row around that label between the two rules; the value's middle
(its baseline less 0.36 of its size) must lie inside that row, at least
TOLERANCE_MM (on A4; scaled with the page elsewhere) inside either rule,
and its glyphs must keep off the column rules.  A value beside a label without a ruled row (the name, the unit,
the date) must lie between the top of the label's letters and its
writing line.
Labels come from data/layouts/ (which field stands on which line of the
statute); no rectangle of the program is used.

With margin corrections the template and the values move by the margins;
with text corrections the values move by them too and the template stays
with the margins: each shift is checked to SHIFT_TOLERANCE_MM.  A negative
amount's sign must be a hyphen-minus in the job's text.

On A5 and Letter the A4 page is printed scaled into the paper: each value
must be in the face it has on A4, at its A4 size times that scale (to
SIZE_TOLERANCE_PT), and the corrections stay lengths on the paper.
"""

import re
import subprocess
import sys
from pathlib import Path

TOLERANCE_MM = 1.0        # a value's middle lies this far inside its row's rules
RULE_MATCH_MM = 0.5       # a column rule found this near where the drawing puts it
# A corrected position against the plain one: a printer dot (0.085 mm) and
# half a pixel of the 300 dpi reading.
SHIFT_TOLERANCE_MM = 0.15
TXT_DPI = 720
IMG_DPI = 300
MM = 25.4

FORMS = ["bil", "rachzsk", "rachzsp", "rachppp", "rachppb", "zestzf", "bilm", "rachw"]
# A font size against its full size times the page's scale: the printer's
# sizes come in steps of its pixels, 0.24 pt.
SIZE_TOLERANCE_PT = 0.3

# The jobs of printplacement_test: margins and text corrections in 0.1 mm.
CASES = {
    "plain": (0, 0, 0, 0),
    "margins_plus": (50, 50, 0, 0),
    "margins_minus": (-50, -50, 0, 0),
    "text": (20, -30, 25, 15),
    "text_small": (-20, 20, 10, 10),
}
# The papers (mm) and their cases.
PAPERS = {
    "A4": ((210, 297), ["plain", "margins_plus", "margins_minus", "text"]),
    "A5": ((148, 210), ["plain", "text_small"]),
    "Letter": ((215.9, 279.4), ["plain", "text_small"]),
}


def page_scale(paper):
    """How much the A4 page is scaled on the paper."""
    (w, h), _ = PAPERS[paper]
    return min(w / 210, h / 297)

failures = []


def fail(where, what):
    failures.append(f"{where}: {what}")


# ------------------------------------------------------------ the layouts' labels

def parse_layout(path):
    """Per page, in order: free fields with the text before them, and tables
    with header captions, header fields and rows (label, fields)."""
    import shlex
    pages = {}
    page = None
    table = None
    last_text = None
    for raw in path.read_text(encoding="utf-8").splitlines():
        tok = shlex.split(raw, comments=True)
        if not tok:
            continue
        op, args = tok[0], tok[1:]
        if op == "page":
            page = pages.setdefault(int(args[0]), {"free": [], "tables": []})
            table = None
        elif op == "text":
            last_text = " ".join(args[5:])
        elif op == "field":
            page["free"].append({"field": int(args[0]), "label": last_text})
        elif op == "table":
            table = {"cols": [int(a) for a in args], "hcells": {}, "hfields": {}, "rows": []}
            page["tables"].append(table)
        elif op == "hcell":
            table["hcells"][int(args[0])] = args[1]
        elif op == "hfield":
            table["hfields"][int(args[0])] = int(args[1])
        elif op == "row":
            words = [a for a in args if not a.startswith(("@", "w=", "like="))]
            text_field = None
            for a in words:
                if a.startswith("text="):
                    text_field = int(a[5:])
            words = [a for a in words if not a.startswith("text=")]
            # Amount column c stands between the table's rules c and c + 1.
            columns = {int(c.rstrip("*")): i + 1 for i, c in enumerate(words[1:-1]) if c != "-"}
            table["rows"].append({"label": words[-1], "fields": list(columns), "columns": columns,
                                  "text": text_field})
        elif op in ("heading", "blank"):
            table["rows"].append({"label": args[0] if args else "", "fields": [], "columns": {}, "text": None})
    return pages


# ------------------------------------------------------------ the job read back

def mm(v, dpi=None):
    return v * MM / (dpi or IMG_DPI)


def read_text(ps):
    """Every character of every page: page -> [(x0, x1, baseline, size, char, font)] in mm."""
    out = subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=txtwrite",
                          f"-r{TXT_DPI}", "-dTextFormat=0", "-sOutputFile=-", str(ps)],
                         capture_output=True, check=True).stdout.decode("utf-8")
    pages = []
    for body in out.split("<page>")[1:]:
        chars = []
        for font, size, span in re.findall(r'<span bbox="[^"]*" font="([^"]*)" size="([\d.]+)">(.*?)</span>',
                                           body, re.S):
            for x0, y0, x1, y1, c in re.findall(r'<char bbox="(-?\d+) (-?\d+) (-?\d+) (-?\d+)" c="([^"]*)"/>', span):
                c = re.sub(r"&#x([0-9a-f]+);", lambda m: chr(int(m.group(1), 16)), c)
                c = c.replace("&quot;", '"').replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">")
                chars.append((mm(int(x0), TXT_DPI), mm(int(x1), TXT_DPI), mm(int(y0), TXT_DPI), float(size), c,
                              font))
        pages.append(chars)
    return pages


class Image:
    def __init__(self, data, width, height):
        self.data, self.width, self.height = data, width, height

    def row(self, y):
        return self.data[y * self.width:(y + 1) * self.width]


def read_images(ps, folder, stem):
    pattern = folder / f"{stem}_%d.pgm"
    subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pgmraw", f"-r{IMG_DPI}",
                    f"-sOutputFile={pattern}", str(ps)], check=True)
    images = []
    n = 1
    while True:
        p = folder / f"{stem}_{n}.pgm"
        if not p.exists():
            break
        raw = p.read_bytes()
        p.unlink()
        m = re.match(rb"P5\s+(?:#[^\n]*\n\s*)*(\d+)\s+(\d+)\s+(\d+)\s", raw)
        w, h = int(m.group(1)), int(m.group(2))
        images.append(Image(raw[m.end():m.end() + w * h], w, h))
        n += 1
    return images


def px(v_mm):
    return int(round(v_mm / MM * IMG_DPI))


DARK = bytes(0 if v < 128 else 1 for v in range(256))


def find_rules(img):
    """Horizontal rules: solid runs of 15 mm or more.  [(y, x0, x1)] in mm."""
    solid = re.compile(b"\\x00{%d,}" % px(15))
    found = []
    for y in range(img.height):
        row = img.row(y).translate(DARK)
        found += [(y, m.start(), m.end()) for m in solid.finditer(row)]
    # Runs in adjacent pixel rows that meet are one rule, at their middle.
    rules = []
    for y, x0, x1 in sorted(found):
        for r in rules:
            if r["y1"] in (y - 1, y) and x0 <= r["x1"] + 1 and x1 >= r["x0"] - 1:
                r["y1"] = y
                r["x0"], r["x1"] = min(r["x0"], x0), max(r["x1"], x1)
                break
        else:
            rules.append({"y0": y, "y1": y, "x0": x0, "x1": x1})
    return [(mm((r["y0"] + r["y1"] + 1) / 2), mm(r["x0"]), mm(r["x1"])) for r in rules]


DARK_BIT = bytes(1 if v < 128 else 0 for v in range(256))


def writing_line(img, x0, x1, top, bottom):
    """The first dotted writing line between top and bottom (mm) under the
    span x0..x1: short dashes at a regular pitch, with nothing dark just
    above or below them (as text has).  Its middle in mm, or None."""
    dash, gap = b"\\x00{%d,%d}" % (px(0.15), px(0.9)), b"\\x01{%d,%d}" % (px(0.15), px(0.9))
    dotted = re.compile(b"(?:" + dash + gap + b"){8,}" + dash)
    clear = px(0.25)
    a, b = px(x0), px(x1)
    rows = []
    for y in range(px(top), px(bottom)):
        if dotted.search(img.row(y)[a:b].translate(DARK)):
            near = img.row(y - clear)[a:b].translate(DARK) + img.row(y + clear)[a:b].translate(DARK)
            if near.count(b"\\x00") < len(near) // 20:
                rows.append(y)
        elif rows:
            break
    return mm((rows[0] + rows[-1] + 1) / 2) if rows else None


def column_rules(img, top, bottom):
    """The vertical rules through a row: pixel columns dark all the way from
    just below its top rule to just above its bottom rule (text never is,
    and no value's white box covers a rule).  [(first, last)] pixel columns."""
    all_dark = -1
    for y in range(px(top + 0.3), px(bottom - 0.3)):
        all_dark &= int.from_bytes(img.row(y).translate(DARK_BIT), "little")
    if all_dark == -1:
        return []
    runs = []
    for m in re.finditer(b"\x01+", all_dark.to_bytes(img.width, "little")):
        runs.append((m.start(), m.end() - 1))
    return runs


def touches_rule(img, band, v):
    """Whether the value's glyphs reach the column rules on either side of it:
    ink in the pixel column next to a rule, at the height of its glyphs."""
    runs = column_rules(img, *band)
    start = px(v["x0"]) + 1
    left = [r for r in runs if r[1] < start]
    right = [r for r in runs if r[0] > start]
    zone = range(px(v["y"] - 0.72 * v["size"] * MM / 72), px(v["y"]))
    for x in ([left[-1][1] + 1] if left else []) + ([right[0][0] - 1] if right else []):
        if any(img.row(y)[x] < 128 for y in zone):
            return True
    return False


def column_fault(img, band, v, rules_x, c):
    """Why the value is not inside its column, or None.  The table's rules
    (rules_x, mm, where the template's drawing puts them) must run whole
    through the value's row, none covered by a value's box, and the value's
    glyphs must stand between rules c and c + 1 (their room kept in the
    value's "column_gap")."""
    runs = [(mm(a), mm(b + 1)) for a, b in column_rules(img, *band)]
    found = []
    for x in rules_x:
        near = [r for r in runs if r[0] - RULE_MATCH_MM <= x <= r[1] + RULE_MATCH_MM]
        if not near:
            return f"the column rule at {x:.2f} mm is not whole through its row"
        found.append(near[0])
    v["column_gap"] = min(v["x0"] - found[c][1], found[c + 1][0] - v["x1"])
    if v["column_gap"] < 0:
        return (f"glyphs at {v['x0']:.2f}..{v['x1']:.2f} mm, outside its column "
                f"{found[c][1]:.2f}..{found[c + 1][0]:.2f} mm")
    return None


# ------------------------------------------------------------ text on a page

def segments(chars):
    """Characters on one baseline, split where they stand more than 1 mm apart:
    [{"text", "chars", "x0", "x1", "y", "size"}]."""
    lines = {}
    for ch in chars:
        lines.setdefault(round(ch[2], 1), []).append(ch)
    out = []
    for y, cs in sorted(lines.items()):
        cs.sort()
        seg = None
        for ch in cs:
            if seg is None or ch[0] - seg["x1"] > 1.0:
                seg = {"chars": [], "x0": ch[0], "x1": ch[1], "y": ch[2], "size": ch[3]}
                out.append(seg)
            seg["chars"].append(ch)
            seg["x1"] = max(seg["x1"], ch[1])
    for s in out:
        s["text"] = "".join(c[4] for c in s["chars"]).replace("\u00a0", " ")
    return out


SIGNS = "-\u00ad\u2212\u2013"
AMOUNT = re.compile(f"([{SIGNS}]?)(\\d{{1,3}}(?: \\d{{3}})?) 987 654 321,99")
# A text value runs up to the next one: on Letter two of them may stand
# closer than the segments' gap.
TEXT = re.compile(r"T(\d+)_(?:(?!T\d+_)[\w.])*")
DATE = re.compile(r"31\.12\.2004")


def find_values(segs):
    """field -> value found (x0, x1, middle, sign, size, fonts); the segments keep
    what is not a value (labels and captions) under "rest"."""
    values = {}
    for s in segs:
        rest = list(s["text"])
        for rx, kind in ((AMOUNT, "amount"), (TEXT, "text"), (DATE, "date")):
            for m in rx.finditer(s["text"]):
                cs = s["chars"][m.start():m.end()]
                field = int(m.group(2).replace(" ", "")) if kind == "amount" else \
                    int(m.group(1)) if kind == "text" else "date"
                size = max(c[3] for c in cs)
                base = max(c[2] for c in cs)
                values.setdefault(field, []).append({
                    "x0": cs[0][0], "x1": cs[-1][1], "y": base, "mid": base - 0.36 * size * MM / 72,
                    "size": size, "fonts": sorted({c[5] for c in cs}),
                    "sign": m.group(1) if kind == "amount" else ""})
                for i in range(m.start(), m.end()):
                    rest[i] = "\0"
        s["rest"] = "".join(rest)
    return values


def labels(segs):
    """What is left of each segment once the values are taken out."""
    out = []
    for s in segs:
        for m in re.finditer(r"[^\0]+", s["rest"]):
            text = m.group(0).strip()
            if not text:
                continue
            cs = s["chars"][m.start():m.end()]
            out.append({"text": text, "x0": cs[0][0], "x1": cs[-1][1], "y": s["y"], "size": s["size"]})
    return sorted(out, key=lambda l: (l["y"], l["x0"]))


def ends_with_words(label, line):
    label, line = " ".join(label.split()), " ".join(line.split())
    return label == line or label.endswith(" " + line)


# ------------------------------------------------------------ the checks

def row_around(rules, x, y):
    """The solid rules above and below (x, y) that reach across x."""
    above = [r[0] for r in rules if r[1] <= x <= r[2] and r[0] < y]
    below = [r[0] for r in rules if r[1] <= x <= r[2] and r[0] > y]
    if not above or not below:
        return None
    return max(above), min(below)


def column_of(img, lbl):
    """The label column around a caption: the first vertical rules left and
    right of it on its baseline."""
    y = int((lbl["y"] - 0.5) / MM * IMG_DPI)
    row = img.row(y).translate(DARK)
    left = row.rfind(b"\x00", 0, int((lbl["x0"] - 0.3) / MM * IMG_DPI))
    right = row.find(b"\x00", int((lbl["x1"] + 0.3) / MM * IMG_DPI))
    return mm(left, IMG_DPI), mm(right, IMG_DPI)


def check_page(where, layout_page, chars, img, shift, scale):
    """[(field, value, (row top, row bottom))] placed on this page; the values
    are taken back by shift (x, y in mm), the text corrections; scale is the
    A4 page's on the paper."""
    tolerance_mm = TOLERANCE_MM * scale
    segs = segments(chars)
    values = find_values(segs)
    for found in values.values():
        for v in found:
            v["x0"] -= shift[0]
            v["x1"] -= shift[0]
            v["y"] -= shift[1]
            v["mid"] -= shift[1]
    lbls = labels(segs)
    rules = find_rules(img)
    placed = []

    def one_value(field):
        found = values.get(field, [])
        if len(found) != 1:
            fail(where, f"field {field} printed {len(found)} times")
            return None
        return found[0]

    def check(field, v, top, bottom, what, tolerance=tolerance_mm):
        if not top + tolerance <= v["mid"] <= bottom - tolerance:
            fail(where, f"field {field} ({what}): middle {v['mid']:.2f} mm not inside {top:.2f}..{bottom:.2f}")
        placed.append((field, v, (top, bottom), tolerance > 0))

    for free in layout_page["free"]:
        field, label = free["field"], free["label"]
        v = one_value("date" if label.startswith("Data") else field)
        cands = [l for l in lbls if l["text"] == label]
        if v is None or len(cands) != 1:
            fail(where, f"field {field}: label {label!r} found {len(cands)} times")
            continue
        lbl = cands[0]
        # The writing line under the value, below the label's baseline.
        line = writing_line(img, v["x0"], v["x0"] + 10, lbl["y"], lbl["y"] + 3)
        if line is None:
            fail(where, f"field {field}: no writing line under {label!r}")
            continue
        # No ruled row: the line of writing from the top of the label's letters.
        check(field, v, lbl["y"] - lbl["size"] * MM / 72, line, f"beside {label!r}", 0)

    for table in layout_page["tables"]:
        # The label column, from the first column's caption.
        caption = [l for l in lbls if l["text"] == table["hcells"][0]]
        if len(caption) != 1:
            fail(where, f"caption {table['hcells'][0]!r} found {len(caption)} times")
            continue
        caption = caption[0]
        left, right = column_of(img, caption)
        # The table's rules from its label column's, by the drawing's proportions.
        cols = table["cols"]
        per_unit = (right - left) / (cols[1] - cols[0])
        rules_x = [left + (x - cols[0]) * per_unit for x in cols]
        column = [l for l in lbls if left <= l["x0"] < right and l["y"] > caption["y"]]
        for c, field in table["hfields"].items():
            v = one_value(field)
            heads = [l for l in lbls if l["text"] == table["hcells"][c]]
            if v is None or not heads:
                continue
            head = min(heads, key=lambda l: abs((l["x0"] + l["x1"]) / 2 - (v["x0"] + v["x1"]) / 2))
            row = row_around(rules, (head["x0"] + head["x1"]) / 2, head["y"])
            if not row:
                fail(where, f"field {field}: no header band around {head['text']!r}")
                continue
            check(field, v, max(row[0], head["y"] - tolerance_mm), row[1], "under its column's caption")
        at = 0
        for r in table["rows"]:
            fields = r["fields"] + ([r["text"]] if r["text"] else [])
            if not fields:
                continue
            while at < len(column) and not ends_with_words(r["label"], column[at]["text"]):
                at += 1
            if at == len(column):
                fail(where, f"label {r['label']!r} not found in its column")
                return placed
            lbl = column[at]
            at += 1
            band = row_around(rules, (lbl["x0"] + lbl["x1"]) / 2, lbl["y"])
            if not band:
                fail(where, f"no row around {r['label']!r}")
                continue
            for field in fields:
                v = one_value(field)
                if v is None:
                    continue
                check(field, v, band[0], band[1], r["label"])
                if touches_rule(img, band, v):
                    fail(where, f"field {field} ({r['label']}) reaches a column rule")
                # Moved by text corrections a value may stand over a rule.
                if field in r["columns"] and shift == (0, 0):
                    fault = column_fault(img, band, v, rules_x, r["columns"][field])
                    if fault:
                        fail(where, f"field {field} ({r['label']}): {fault}")
    return placed


def check_sizes(where, values, a4_values, scale, heading):
    """Each value in its A4 face, at most at its full size (9 pt for the
    form's heading, else 7 pt) times scale; one printed whole at its full
    size on A4 is at that size times scale.  (A value shrunk to fit its box
    on A4 may fit whole at a smaller step of the printer's sizes.)"""
    for field, found in values.items():
        a4 = a4_values.get(field)
        if not a4 or len(a4) != 1 or len(found) != 1:
            continue
        v, a = found[0], a4[0]
        if v["fonts"] != a["fonts"]:
            fail(where, f"field {field} printed in {', '.join(v['fonts'])}, on A4 in {', '.join(a['fonts'])}")
        full = 9 if field == heading else 7
        if abs(a["size"] - full) <= SIZE_TOLERANCE_PT:
            if abs(v["size"] - full * scale) > SIZE_TOLERANCE_PT:
                fail(where, f"field {field} printed at {v['size']:.2f} pt, not {full} x {scale:.4f} pt")
        elif v["size"] > full * scale + SIZE_TOLERANCE_PT:
            fail(where, f"field {field} printed at {v['size']:.2f} pt, above {full} x {scale:.4f} pt")


def main(argv):
    folder, root = Path(argv[0]), Path(argv[1])
    report = {}
    plain = {}
    for paper, (_, cases) in PAPERS.items():
        scale = page_scale(paper)
        for case in cases:
            left, top, tx, ty = CASES[case]
            for form in FORMS:
                check_job(folder, root, paper, case, form, scale, (left, top, tx, ty), plain, report)
    for (paper, form), (n, worst, inside, gap) in report.items():
        print(f"{paper} {form}: {n} values on their rows; largest distance of a middle from its row's middle "
              f"{worst:.2f} mm; nearest to a ruled row's rule {inside:.2f} mm; an amount's glyphs nearest "
              f"to a column rule {gap:.2f} mm")
    for f in failures:
        print("FAILED:", f, file=sys.stderr)
    return 1 if failures else 0


def check_job(folder, root, paper, case, form, scale, corrections, plain, report):
    """One job: its values on their rows, moved by its corrections from the
    same paper's plain job, and in their A4 face and size."""
    left, top, tx, ty = corrections
    ps = folder / f"{paper}_{case}_{form}.ps"
    where0 = f"{paper} {case} {form}"
    if not ps.exists():
        fail(where0, "no job")
        return
    layout_file = root / "data" / "layouts" / f"{form}.layout"
    layout = parse_layout(layout_file)
    heading = int(re.search(r"^form \S+ (\d+)", layout_file.read_text(encoding="utf-8"), re.M).group(1)) + 1
    texts = read_text(ps)
    images = read_images(ps, folder, f"{paper}_{case}_{form}")
    if len(texts) != len(layout) or len(images) != len(layout):
        fail(where0, f"{len(texts)} pages, not {len(layout)}")
        return
    for p in sorted(layout):
        where = f"{where0} page {p}"
        # The template moves by the margins, the values by the text corrections too.
        dx, dy = left / 10, top / 10
        vx, vy = dx + tx / 10, dy - ty / 10
        placed = check_page(where, layout[p], texts[p - 1], images[p - 1], (tx / 10, -ty / 10), scale)
        segs = segments(texts[p - 1])
        values = find_values(segs)
        signs = [v["sign"] for found in values.values() for v in found if v["sign"]]
        if not signs:
            fail(where, "no negative amount")
        wrong = sorted({f"U+{ord(c):04X}" for c in signs if c != "-"})
        if wrong:
            fail(where, f"negative amounts printed with {', '.join(wrong)} for their minus")
        if paper != "A4":
            check_sizes(where, values, plain[("A4", form, p)][0], scale, heading)
        if case == "plain":
            plain[(paper, form, p)] = (values, labels(segs), find_rules(images[p - 1]))
            n = len(placed)
            worst = max(abs(v["mid"] - (b[0] + b[1]) / 2) for _, v, b, _ in placed) if placed else 0
            inside = min((min(v["mid"] - b[0], b[1] - v["mid"]) for _, v, b, ruled in placed if ruled),
                         default=99.0)
            gap = min((v["column_gap"] for _, v, _, _ in placed if "column_gap" in v), default=99.0)
            r = report.setdefault((paper, form), [0, 0.0, 99.0, 99.0])
            r[0] += n
            r[1] = max(r[1], worst)
            r[2] = min(r[2], inside)
            r[3] = min(r[3], gap)
            continue
        base_values, base_labels, base_rules = plain[(paper, form, p)]
        for field, found in values.items():
            b = base_values.get(field)
            if not b or len(b) != 1 or len(found) != 1:
                continue
            ex, ey = found[0]["x0"] - b[0]["x0"] - vx, found[0]["y"] - b[0]["y"] - vy
            if max(abs(ex), abs(ey)) > SHIFT_TOLERANCE_MM:
                fail(where, f"field {field} moved ({ex:+.2f}, {ey:+.2f}) mm off its correction")
        moved = labels(segs)
        for b in base_labels:
            if b["x0"] + dx < 10:
                continue  # the printer may clip it at the paper's edge
            errors = [max(abs(a["x0"] - b["x0"] - dx), abs(a["y"] - b["y"] - dy))
                      for a in moved if a["text"] == b["text"]]
            if not errors or min(errors) > SHIFT_TOLERANCE_MM:
                fail(where, f"label {b['text']!r} did not move by the margins alone")
        rules = find_rules(images[p - 1])
        for b in base_rules:
            if b[2] - b[1] < 50:
                continue  # short rules are parts of others
            if not any(abs(r[0] - b[0] - dy) <= SHIFT_TOLERANCE_MM for r in rules):
                fail(where, f"the rule at {b[0]:.2f} mm did not move by the margins alone")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
