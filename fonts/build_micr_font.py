#!/usr/bin/python3
"""Builds the TrueType font MICR65 from the E-13B drawings in micr65.glyphs.

Usage: build_micr_font.py GLYPHS OUTPUT.ttf

Each character is drawn on squares of half an E-13B module (0.0065 inch). The font is
designed for 12 points, where an em is 1/6 inch: at 1000 units to the em a half module is
39 units, the digits' eighteen half modules are 702 units (0.117 inch) and every character
advances 750 units (0.125 inch, eight characters to the inch).

The squares of a character are merged into clean outlines: one contour per connected
run of ink, holes as contours of their own, outer contours clockwise and holes
counter-clockwise as TrueType expects, and no two contours overlapping, so that screens,
printers and PDF files all fill them the same way.

Runs with Debian's python3-fonttools and nothing else, and writes the same bytes for the
same drawings.
"""

import math
import os
import sys
import tempfile

from fontTools.agl import UV2AGL
from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.ttGlyphPen import TTGlyphPen

UNITS_PER_EM = 1000
SQUARE = 39          # half an E-13B module, 0.0065 inch at 12 points
MAX_ROWS = 18        # the digits are nine modules high...
MAX_COLUMNS = 14     # ...and no character is wider than seven
ADVANCE = 750        # 0.125 inch at 12 points
# Bank readers measure the pitch between right edges, so every character ends 0.108 inch
# into its cell; the widest characters (seven modules) stand in the middle of it.
RIGHT_EDGE = 648
ASCENDER = 800
DESCENDER = -200

FAMILY = "MICR65"
VERSION = "Version 2.000"
# A fixed date keeps the build reproducible: the same drawings give the same file.
BUILD_DATE = "Thu Jan  1 00:00:00 2026"

# What the font must hold: the digits and the four symbols of the bank line, mapped to
# the characters the program stores for them ("-" prints the dash as "D" does).
REQUIRED = "0123456789ABCD-"

INK = "#"
PAPER = "."

# Shown for a character the font lacks: an empty box the size of a digit.
NOTDEF = ["#" * MAX_COLUMNS] * 2 + ["##" + "." * (MAX_COLUMNS - 4) + "##"] * (MAX_ROWS - 4) + \
    ["#" * MAX_COLUMNS] * 2


class DrawingError(Exception):
    pass


class Drawing:
    """One block of the drawings file: a glyph, the characters that print it, its rows
    (top first) and how many half squares its bottom row stands above the baseline."""

    def __init__(self, name, chars, rows, raised):
        self.name, self.chars, self.rows, self.raised = name, chars, rows, raised


def read_drawings(path):
    """Returns the drawings in file order, after checking every block.

    A block is a line "glyph <name> <characters> [raised <n>]" followed by its rows up to
    the next empty line; between blocks only empty lines and notes (lines starting with #)
    may stand.
    """
    with open(path, encoding="utf-8") as f:
        lines = [line.rstrip() for line in f]
    drawings = []
    i = 0
    while i < len(lines):
        line = lines[i]
        where = f"{path}:{i + 1}"
        i += 1
        if not line or line.startswith("#"):
            continue
        parts = line.split()
        raised = 0
        if len(parts) == 5 and parts[3] == "raised" and parts[4].isdigit():
            raised = int(parts[4])
        elif len(parts) != 3:
            parts = []
        if not parts or parts[0] != "glyph":
            raise DrawingError(f"{where}: expected 'glyph <name> <characters> [raised <n>]'")
        name, chars = parts[1], parts[2]
        rows = []
        while i < len(lines) and lines[i]:
            rows.append(lines[i])
            i += 1
        start = i - len(rows)
        for offset, row in enumerate(rows):
            at = f"{path}:{start + offset + 1}"
            if not set(row) <= {INK, PAPER}:
                raise DrawingError(f"{at}: {name} needs rows of ink ('#') and paper ('.')")
            if len(row) != len(rows[0]):
                raise DrawingError(f"{at}: every row of {name} must be {len(rows[0])} squares wide")
        if not rows or INK not in "".join(rows):
            raise DrawingError(f"{where}: {name} has no ink")
        if len(rows[0]) > MAX_COLUMNS:
            raise DrawingError(f"{where}: {name} is wider than {MAX_COLUMNS} squares")
        if len(rows) + raised > MAX_ROWS:
            raise DrawingError(f"{where}: {name} reaches higher than {MAX_ROWS} squares")
        # The drawing is as wide and as tall as the character: ink in its edge rows and columns.
        if INK not in rows[0] + rows[-1] or INK not in "".join(r[0] + r[-1] for r in rows):
            raise DrawingError(f"{where}: {name} has a row or column of paper at its edge")
        drawings.append(Drawing(name, chars, rows, raised))

    names = [d.name for d in drawings]
    chars = [c for d in drawings for c in d.chars]
    for seen, what in ((names, "glyph name"), (chars, "character")):
        twice = sorted({x for x in seen if seen.count(x) > 1})
        if twice:
            raise DrawingError(f"{path}: {what} drawn twice: {', '.join(twice)}")
    missing = [c for c in REQUIRED if c not in chars]
    if missing:
        raise DrawingError(f"{path}: no drawing for {', '.join(missing)}")
    extra = [c for c in chars if c not in REQUIRED]
    if extra:
        raise DrawingError(f"{path}: the MICR line has no character {', '.join(extra)}")
    return drawings


def outline(rows):
    """Traces the ink of a drawing into closed contours of matrix corners (x right, y up).

    Every inked cell contributes its edges clockwise; an edge shared by two inked cells
    comes once in each direction and cancels, so what is left is the boundary of the ink,
    already wound the TrueType way (ink on the right of every edge). Where two cells touch
    only at a corner the trace takes the sharpest right turn, which keeps them as separate
    contours meeting at a point.
    """
    height = len(rows)
    edges = set()
    for r, row in enumerate(rows):
        for c, cell in enumerate(row):
            if cell != INK:
                continue
            x, y = c, height - 1 - r
            corners = [(x, y), (x, y + 1), (x + 1, y + 1), (x + 1, y)]
            for a, b in zip(corners, corners[1:] + corners[:1]):
                if (b, a) in edges:
                    edges.remove((b, a))
                else:
                    edges.add((a, b))

    outgoing = {}
    for a, b in sorted(edges):
        outgoing.setdefault(a, []).append(b)

    contours = []
    while outgoing:
        start = here = min(outgoing)
        heading = None
        points = []
        while True:
            points.append(here)
            choices = outgoing[here]
            if len(choices) == 1:
                nxt = choices[0]
            else:
                nxt = min(choices, key=lambda p: turn(heading, (p[0] - here[0], p[1] - here[1])))
            choices.remove(nxt)
            if not choices:
                del outgoing[here]
            heading = (nxt[0] - here[0], nxt[1] - here[1])
            here = nxt
            if here == start:
                break
        contours.append(simplify(points))
    return contours


def turn(heading, direction):
    """The angle from one direction to the next, negative to the right."""
    cross = heading[0] * direction[1] - heading[1] * direction[0]
    dot = heading[0] * direction[0] + heading[1] * direction[1]
    return math.atan2(cross, dot)


def simplify(points):
    """Drops corners that lie on a straight run, leaving only the real corners."""
    n = len(points)
    kept = []
    for i in range(n):
        prev, cur, nxt = points[i - 1], points[i], points[(i + 1) % n]
        cross = (cur[0] - prev[0]) * (nxt[1] - cur[1]) - (cur[1] - prev[1]) * (nxt[0] - cur[0])
        if cross != 0:
            kept.append(cur)
    return kept


def draw(rows, raised=0):
    """A TrueType glyph of the drawing, its ink ending on the common right edge and its
    bottom row `raised` half squares above the baseline."""
    left = RIGHT_EDGE - len(rows[0]) * SQUARE
    bottom = raised * SQUARE
    pen = TTGlyphPen(None)
    for contour in outline(rows):
        pen.moveTo((left + contour[0][0] * SQUARE, bottom + contour[0][1] * SQUARE))
        for x, y in contour[1:]:
            pen.lineTo((left + x * SQUARE, bottom + y * SQUARE))
        pen.closePath()
    return pen.glyph()


def build(drawings, output):
    glyphs = {".notdef": draw(NOTDEF), "space": TTGlyphPen(None).glyph()}
    cmap = {ord(" "): "space"}
    order = [".notdef", "space"]
    for d in drawings:
        # Each character gets a glyph of its own, even where two look the same ("D" and
        # "-"): a PDF maps glyphs back to text, and a copied MICR line should read as stored.
        for i, char in enumerate(d.chars):
            name = d.name if i == 0 else UV2AGL[ord(char)]
            glyphs[name] = draw(d.rows, d.raised)
            cmap[ord(char)] = name
            order.append(name)

    fb = FontBuilder(UNITS_PER_EM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(glyphs)
    glyf = fb.font["glyf"]
    fb.setupHorizontalMetrics(
        {name: (ADVANCE, getattr(glyf[name], "xMin", 0)) for name in order})
    fb.setupHorizontalHeader(ascent=ASCENDER, descent=DESCENDER, lineGap=0)
    fb.setupNameTable({
        "familyName": FAMILY,
        "styleName": "Regular",
        "uniqueFontIdentifier": f"Ledgerline: {FAMILY}: {VERSION}",
        "fullName": FAMILY,
        "psName": FAMILY,
        "version": VERSION,
        "description": "The E-13B characters of the bank line of a check, drawn for Ledgerline "
                       "on squares of half a module (0.0065 inch). Use at 12 points.",
    })
    fb.setupOS2(
        version=4,
        xAvgCharWidth=ADVANCE,
        usWeightClass=400,
        usWidthClass=5,
        fsType=0,                       # installable: printers and PDF files may embed it
        fsSelection=0x40 | 0x80,        # regular; the typo metrics are the ones to use
        achVendID="LDGL",
        sTypoAscender=ASCENDER,
        sTypoDescender=DESCENDER,
        sTypoLineGap=0,
        usWinAscent=ASCENDER,
        usWinDescent=-DESCENDER,
        sxHeight=0,
        sCapHeight=MAX_ROWS * SQUARE,
        ulUnicodeRange1=1,              # Basic Latin
        ulCodePageRange1=1,             # Latin 1
        usDefaultChar=0,
        usBreakChar=ord(" "),
        usMaxContext=0,
        panose=panose_monospaced(),
    )
    fb.setupPost(isFixedPitch=1, underlinePosition=-100, underlineThickness=2 * SQUARE)
    fb.font["head"].fontRevision = 2.0
    fb.font["head"].created = fb.font["head"].modified = timestampFromString(BUILD_DATE)
    fb.font.recalcTimestamp = False

    # Written beside the target and moved into place, so a failed build never leaves half a
    # font where the program's resources expect a whole one.
    folder = os.path.dirname(os.path.abspath(output))
    os.makedirs(folder, exist_ok=True)
    fd, temporary = tempfile.mkstemp(prefix=".MICR65-", suffix=".ttf", dir=folder)
    os.close(fd)
    try:
        umask = os.umask(0)
        os.umask(umask)
        os.chmod(temporary, 0o666 & ~umask)
        fb.save(temporary)
        os.replace(temporary, output)
    except BaseException:
        os.unlink(temporary)
        raise


def panose_monospaced():
    from fontTools.ttLib.tables.O_S_2f_2 import Panose
    panose = Panose()
    for field in ("bFamilyType", "bSerifStyle", "bWeight", "bProportion", "bContrast",
                  "bStrokeVariation", "bArmStyle", "bLetterForm", "bMidline", "bXHeight"):
        setattr(panose, field, 0)
    panose.bFamilyType = 2   # text and display
    panose.bProportion = 9   # monospaced
    return panose


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    try:
        build(read_drawings(argv[1]), argv[2])
    except (DrawingError, OSError) as e:
        print(f"build_micr_font: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
