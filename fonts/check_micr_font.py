#!/usr/bin/python3
"""Reads a built MICR65.ttf back with fontTools and checks what a printed MICR line needs.

Usage: check_micr_font.py MICR65.ttf

At 12 points an em is 1/6 inch; the font has 1000 units to the em, so 750 units are
0.125 inch (one character of the bank line), 702 units are 0.117 inch (the E-13B height)
and a square of half an E-13B module (0.0065 inch) is 39 units.
"""

import sys
import unittest

from fontTools.ttLib import TTFont

FONT_PATH = None


def inches_at_12pt(units):
    return units / 1000 * 12 / 72


# character: glyph name, ink box (xMin, yMin, xMax, yMax), ink in half-module squares,
# contours
EXPECTED = {
    "0": ("zero", (102, 0, 648, 702), 96, 2),
    "1": ("one", (336, 0, 648, 702), 90, 1),
    "2": ("two", (336, 0, 648, 702), 72, 1),
    "3": ("three", (258, 0, 648, 702), 87, 1),
    "4": ("four", (180, 0, 648, 702), 96, 1),
    "5": ("five", (258, 0, 648, 702), 84, 1),
    "6": ("six", (180, 0, 648, 702), 102, 2),
    "7": ("seven", (258, 0, 648, 702), 64, 1),
    "8": ("eight", (102, 0, 648, 702), 144, 3),
    "9": ("nine", (180, 0, 648, 702), 105, 2),
    "A": ("transit", (102, 0, 648, 702), 120, 3),
    "B": ("amount", (102, 0, 648, 702), 80, 3),
    "C": ("onus", (102, 117, 648, 663), 96, 3),
    "D": ("dash", (102, 195, 648, 507), 80, 3),
    "-": ("hyphen", (102, 195, 648, 507), 80, 3),
}
SQUARE = 39 * 39


def contours_of(font, name):
    glyph = font["glyf"][name]
    coords, ends, flags = glyph.getCoordinates(font["glyf"])
    contours, start = [], 0
    for end in ends:
        contours.append((list(coords[start:end + 1]), list(flags[start:end + 1])))
        start = end + 1
    return contours


def winding(contours, px, py):
    """Nonzero winding number of a point, counting clockwise contours as -1."""
    total = 0
    for points, _ in contours:
        for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
            if y0 <= py < y1 and px < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
                total += 1
            elif y1 <= py < y0 and px < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
                total -= 1
    return total


def signed_area(points):
    return sum(x0 * y1 - x1 * y0
               for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1])) / 2


class MicrFontTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.font = TTFont(FONT_PATH)
        cls.cmap = cls.font.getBestCmap()

    def test_names(self):
        name = self.font["name"]
        self.assertEqual(name.getDebugName(1), "MICR65")
        self.assertEqual(name.getDebugName(2), "Regular")
        self.assertEqual(name.getDebugName(4), "MICR65")
        self.assertEqual(name.getDebugName(6), "MICR65")
        windows = {r.nameID: r.toUnicode() for r in name.names if r.platformID == 3}
        self.assertEqual(windows[1], "MICR65")
        self.assertEqual(windows[4], "MICR65")

    def test_character_map(self):
        self.assertEqual(sorted(self.cmap), [ord(c) for c in " -0123456789ABCD"])
        for char, (glyph, *_rest) in EXPECTED.items():
            self.assertEqual(self.cmap[ord(char)], glyph, char)
        self.assertEqual(self.cmap[ord(" ")], "space")
        # A lowercase letter is not a symbol: it shows as what it is.
        for char in "abcdx_":
            self.assertNotIn(ord(char), self.cmap)
        self.assertEqual(self.font.getGlyphOrder()[0], ".notdef")

    def test_every_character_is_an_eighth_of_an_inch(self):
        self.assertEqual(self.font["head"].unitsPerEm, 1000)
        hmtx = self.font["hmtx"]
        for glyph in self.font.getGlyphOrder():
            with self.subTest(glyph=glyph):
                self.assertEqual(hmtx[glyph][0], 750)
                self.assertAlmostEqual(inches_at_12pt(hmtx[glyph][0]), 0.125, places=9)
        self.assertEqual(self.font["hhea"].advanceWidthMax, 750)
        self.assertEqual(self.font["post"].isFixedPitch, 1)

    def test_ink_of_each_character(self):
        glyf, hmtx = self.font["glyf"], self.font["hmtx"]
        for char, (name, box, squares, contours) in EXPECTED.items():
            with self.subTest(char=char):
                g = glyf[name]
                self.assertEqual((g.xMin, g.yMin, g.xMax, g.yMax), box)
                self.assertEqual(g.numberOfContours, contours)
                self.assertEqual(hmtx[name][1], g.xMin)  # left side bearing
                # Inside its cell, and every right edge on the same line.
                self.assertGreaterEqual(g.xMin, 0)
                self.assertLessEqual(g.xMax, 750)
                self.assertEqual(g.xMax, 648)
                self.assertAlmostEqual(inches_at_12pt(g.xMax), 0.108, places=9)
                self.assertEqual(self._ink_area(name), squares * SQUARE)

    def test_heights(self):
        glyf = self.font["glyf"]
        for char in "0123456789AB":
            with self.subTest(char=char):
                g = glyf[self.cmap[ord(char)]]
                self.assertEqual(g.yMin, 0)  # standing on the baseline
                self.assertAlmostEqual(inches_at_12pt(g.yMax - g.yMin), 0.117, places=9)
        onus, dash = glyf[self.cmap[ord("C")]], glyf[self.cmap[ord("D")]]
        self.assertAlmostEqual(inches_at_12pt(onus.yMax - onus.yMin), 0.091, places=9)
        self.assertAlmostEqual(inches_at_12pt(onus.yMin), 0.0195, places=9)
        self.assertAlmostEqual(inches_at_12pt(dash.yMax - dash.yMin), 0.052, places=9)
        self.assertAlmostEqual(inches_at_12pt(dash.yMin), 0.0325, places=9)
        self.assertEqual(self.font["OS/2"].sCapHeight, 702)

    def test_line_metrics(self):
        hhea, os2 = self.font["hhea"], self.font["OS/2"]
        self.assertEqual((hhea.ascent, hhea.descent, hhea.lineGap), (800, -200, 0))
        self.assertEqual((os2.sTypoAscender, os2.sTypoDescender, os2.sTypoLineGap), (800, -200, 0))
        self.assertEqual((os2.usWinAscent, os2.usWinDescent), (800, 200))
        # Printers and PDF files may embed it.
        self.assertEqual(os2.fsType, 0)

    def test_outlines_are_clean(self):
        """Closed, on the matrix, wound the TrueType way and never overlapping."""
        for name in self.font.getGlyphOrder():
            if name == "space":
                self.assertEqual(self.font["glyf"][name].numberOfContours, 0)
                continue
            with self.subTest(glyph=name):
                contours = contours_of(self.font, name)
                self.assertGreater(len(contours), 0)
                for points, flags in contours:
                    self.assertGreaterEqual(len(points), 3)
                    self.assertTrue(all(f & 1 for f in flags), "only on-curve points")
                    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
                        dx, dy = x1 - x0, y1 - y0
                        # Along the squares' edges; never a zero edge.
                        self.assertTrue(dx == 0 or dy == 0)
                        self.assertNotEqual((dx, dy), (0, 0))
                        self.assertEqual(dx % 39, 0)
                        self.assertEqual(dy % 39, 0)
                # Inside the ink every point is wound exactly once, clockwise; outside not
                # at all. Two overlapping contours, or a hole wound the wrong way, would wind
                # some point twice.
                for column in range(14):
                    for row in range(18):
                        for fx, fy in ((0.13, 0.11), (0.63, 0.61), (0.13, 0.86), (0.88, 0.11)):
                            w = winding(contours, 102 + 39 * (column + fx), 39 * (row + fy))
                            self.assertIn(w, (0, -1), f"square {column},{row} is wound {w} times")
                # So the contours' areas add up to the ink, clockwise (negative).
                self.assertLess(sum(signed_area(points) for points, _ in contours), 0)

    def test_notdef_is_a_box(self):
        g = self.font["glyf"][".notdef"]
        self.assertEqual((g.xMin, g.yMin, g.xMax, g.yMax), (102, 0, 648, 702))
        self.assertEqual(g.numberOfContours, 2)
        self.assertEqual(self._ink_area(".notdef"), (2 * 2 * 14 + 2 * 2 * 14) * SQUARE)

    def _ink_area(self, name):
        """The inked area in square units: holes count against the contour around them."""
        return -sum(signed_area(points) for points, _ in contours_of(self.font, name))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        sys.exit(2)
    FONT_PATH = sys.argv[1]
    unittest.main(argv=sys.argv[:1], verbosity=2)
