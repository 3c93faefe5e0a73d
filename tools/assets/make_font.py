"""Builds Assets/threebyfive.ttf from art/font3x5.txt with fontTools.

One font pixel is 160 units of a 960-unit em, so at the 48-pixel size the game
asks FreeType for, every font pixel is exactly 8 screen pixels and the glyph
edges land on whole pixels: the text stays sharp without hinting.
"""
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

import pixelfont

UNITS_PER_EM = 960
PIXEL = 160
ASCENT = pixelfont.CAP_HEIGHT * PIXEL + PIXEL      # a pixel of room above capitals
DESCENT = (pixelfont.MAX_ROWS - pixelfont.CAP_HEIGHT) * PIXEL
# 2026-01-01 in seconds since 1904: a fixed stamp keeps the TTF identical between builds
FIXED_TIME = 3850070400
FAMILY = "threebyfive"


def rectangles(rows):
    """Ink as rectangles: runs of each row, merged down while identical."""
    runs = []
    for y, row in enumerate(rows):
        x = 0
        while x < len(row):
            if row[x]:
                start = x
                while x < len(row) and row[x]:
                    x += 1
                runs.append((start, x, y))
            else:
                x += 1
    merged = []  # [x0, x1, y0, y1)
    for x0, x1, y in runs:
        for rect in merged:
            if rect[0] == x0 and rect[1] == x1 and rect[3] == y:
                rect[3] = y + 1
                break
        else:
            merged.append([x0, x1, y, y + 1])
    return merged


def draw_glyph(glyph):
    pen = TTGlyphPen(None)
    for x0, x1, y0, y1 in rectangles(glyph.rows):
        left, right = x0 * PIXEL, x1 * PIXEL
        # rows count down from the cap line; font units count up from the baseline
        top = (pixelfont.CAP_HEIGHT - y0) * PIXEL
        bottom = (pixelfont.CAP_HEIGHT - y1) * PIXEL
        # clockwise: TrueType's direction for filled outlines
        pen.moveTo((left, bottom))
        pen.lineTo((left, top))
        pen.lineTo((right, top))
        pen.lineTo((right, bottom))
        pen.closePath()
    return pen.glyph()


def glyph_name(char):
    return "space" if char == " " else f"uni{ord(char):04X}"


def build(path):
    table = pixelfont.glyphs()
    chars = sorted(table, key=ord)
    order = [".notdef"] + [glyph_name(c) for c in chars]
    advance = pixelfont.ADVANCE * PIXEL

    fb = FontBuilder(UNITS_PER_EM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap({ord(c): glyph_name(c) for c in chars})
    # .notdef is blank so stray control codes draw nothing
    glyf = {".notdef": TTGlyphPen(None).glyph()}
    glyf.update({glyph_name(c): draw_glyph(table[c]) for c in chars})
    fb.setupGlyf(glyf)
    # left side bearing = the glyph's leftmost ink, as TrueType requires
    metrics = {".notdef": (advance, 0)}
    for c in chars:
        lefts = [x0 for x0, _, _, _ in rectangles(table[c].rows)]
        metrics[glyph_name(c)] = (advance, min(lefts, default=0) * PIXEL)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT)
    fb.setupNameTable({
        "familyName": FAMILY,
        "styleName": "Regular",
        "uniqueFontIdentifier": f"Sandrift:{FAMILY}",
        "fullName": FAMILY,
        "psName": FAMILY,
        "version": "Version 1.000",
        "copyright": "Copyright 2026 the Sandrift developers (MIT licence)",
    })
    fb.setupOS2(sTypoAscender=ASCENT, sTypoDescender=-DESCENT, sTypoLineGap=0,
                usWinAscent=ASCENT, usWinDescent=DESCENT,
                sxHeight=4 * PIXEL, sCapHeight=pixelfont.CAP_HEIGHT * PIXEL,
                achVendID="SDRF", fsType=0)
    fb.setupPost(isFixedPitch=1, underlinePosition=-PIXEL, underlineThickness=PIXEL)
    fb.setupHead(unitsPerEm=UNITS_PER_EM, created=FIXED_TIME, modified=FIXED_TIME,
                 fontRevision=1.0)
    fb.font.recalcTimestamp = False
    fb.save(str(path))


if __name__ == "__main__":
    import sys
    build(sys.argv[1] if len(sys.argv) > 1 else "Assets/threebyfive.ttf")
