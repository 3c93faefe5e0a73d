#!/usr/bin/python3
"""Checks Assets/threebyfive.ttf the way the game uses it: FreeType at 48 px.

Run from the repository root. Exits non-zero with a message per fault.
"""
import sys
from pathlib import Path

from fontTools.ttLib import TTFont
from PIL import Image, ImageDraw, ImageFont

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import pixelfont  # noqa: E402

FONT = Path(sys.argv[1] if len(sys.argv) > 1 else "Assets/threebyfive.ttf")
SIZE = 48
PIXEL = 8            # screen pixels per font pixel at 48 px
PRINTABLE = [chr(c) for c in range(32, 127)]
# Written out here independently of the font source: what a reader must see.
EXPECTED_A = [".#.", "#.#", "###", "#.#", "#.#"]

faults = []


def check(condition, message):
    if not condition:
        faults.append(message)


def render(font, char):
    """The glyph drawn at its baseline, and its ink box relative to the pen."""
    image = Image.new("L", (SIZE * 2, SIZE * 2), 0)
    origin = (SIZE // 2, SIZE)
    ImageDraw.Draw(image).text(origin, char, font=font, fill=255, anchor="ls")
    box = image.getbbox() or (origin[0], origin[1], origin[0], origin[1])
    return image, origin, (box[0] - origin[0], box[1] - origin[1],
                           box[2] - origin[0], box[3] - origin[1])


def blocks(image, origin, rows, top_rows=pixelfont.CAP_HEIGHT):
    """Samples the centre of each 8x8 block of a 3-wide glyph, from the cap line down."""
    ox, oy = origin
    grid = []
    for r in range(rows):
        y = oy - top_rows * PIXEL + r * PIXEL + PIXEL // 2
        grid.append("".join("#" if image.getpixel((ox + c * PIXEL + PIXEL // 2, y)) > 127
                            else "." for c in range(pixelfont.GLYPH_WIDTH)))
    return grid


def check_tables(tt):
    cmap = tt.getBestCmap()
    missing = [c for c in PRINTABLE if ord(c) not in cmap]
    check(not missing, f"no glyph for {''.join(missing)!r}")
    glyf = tt["glyf"]
    for c in PRINTABLE:
        if ord(c) not in cmap:
            continue
        name = cmap[ord(c)]
        advance, _ = tt["hmtx"][name]
        check(advance * SIZE / tt["head"].unitsPerEm == 4 * PIXEL,
              f"{c!r}: advance is not 4 font pixels")
        contours = glyf[name].numberOfContours
        check((contours == 0) == (c == " "), f"{c!r}: {contours} contours")
    check(tt["head"].created == tt["head"].modified, "head timestamps differ")


def check_rendering(font):
    image, origin, _ = render(font, "A")
    check(blocks(image, origin, 5) == EXPECTED_A,
          f"'A' does not render as a 3x5 A: {blocks(image, origin, 5)}")
    hist = image.histogram()
    check(sum(hist[1:255]) == 0, "'A' has blurred edges at 48 px")

    source = pixelfont.glyphs()
    for c in PRINTABLE:
        glyph = source[c]
        image, origin, (left, top, right, bottom) = render(font, c)
        want = ["".join("#" if ink else "." for ink in row) for row in glyph.rows]
        got = blocks(image, origin, len(want))
        check(got == want, f"{c!r} renders as {got}, drawn as {want}")
        check(sum(image.histogram()[1:255]) == 0, f"{c!r} has blurred edges at 48 px")
        if c != " ":
            check(left >= 0 and right <= pixelfont.GLYPH_WIDTH * PIXEL,
                  f"{c!r} is wider than 3 font pixels: {left}..{right}")
            check(top >= -pixelfont.CAP_HEIGHT * PIXEL,
                  f"{c!r} rises above 5 font pixels: top {top}")
        check(font.getlength(c) == 4 * PIXEL, f"{c!r} does not advance 32 px")

    _, _, (_, _, _, g_bottom) = render(font, "g")
    check(g_bottom > 0, "'g' does not descend below the baseline")
    _, _, (_, _, _, a_bottom) = render(font, "a")
    check(a_bottom == 0, "'a' does not stand on the baseline")
    check(font.getlength("Sandrift") == 8 * 4 * PIXEL, "a word does not advance evenly")


def main():
    if not FONT.is_file():
        print(f"FAIL: {FONT} missing")
        return 1
    check_tables(TTFont(str(FONT)))
    check_rendering(ImageFont.truetype(str(FONT), SIZE))
    for fault in faults:
        print("FAIL:", fault)
    if not faults:
        print(f"ok: {FONT} covers printable ASCII as a 3x5 pixel font")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
