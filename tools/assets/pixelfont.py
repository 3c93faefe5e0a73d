"""The game's 3x5 pixel font, read from art/font3x5.txt.

The same bit patterns build the TrueType file and letter the pictures, so
button labels match the text the game renders at run time.
"""
from pathlib import Path

FONT_FILE = Path(__file__).resolve().parent / "art" / "font3x5.txt"
GLYPH_WIDTH = 3
CAP_HEIGHT = 5      # rows standing on the baseline
MAX_ROWS = 7        # two more rows may hang below it
ADVANCE = 4         # one pixel of paper between characters
LINE_HEIGHT = 8


class Glyph:
    def __init__(self, char, rows):
        self.char = char
        self.rows = rows  # top row first; True is ink

    def pixels(self):
        """(x, y) of every ink pixel, y counted down from the cap line."""
        return [(x, y) for y, row in enumerate(self.rows)
                for x, ink in enumerate(row) if ink]


def parse(text):
    glyphs = {}
    name, rows = None, []

    def finish():
        if name is None:
            return
        if not CAP_HEIGHT <= len(rows) <= MAX_ROWS:
            raise ValueError(f"glyph {name!r}: {len(rows)} rows")
        glyphs[name] = Glyph(name, rows)

    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.rstrip()
        if not line or line.startswith("# "):
            continue
        if line.startswith("@ "):
            finish()
            label = line[2:]
            name = " " if label == "space" else label
            if len(name) != 1 or name in glyphs:
                raise ValueError(f"line {number}: bad or repeated glyph {label!r}")
            rows = []
            continue
        if name is None or len(line) != GLYPH_WIDTH or set(line) - {"#", "."}:
            raise ValueError(f"line {number}: bad glyph row {raw!r}")
        rows.append([c == "#" for c in line])
    finish()
    return glyphs


def load():
    return parse(FONT_FILE.read_text(encoding="ascii"))


_GLYPHS = None


def glyphs():
    global _GLYPHS
    if _GLYPHS is None:
        _GLYPHS = load()
    return _GLYPHS


def text_width(text):
    """Width in pixels of ink and inner gaps (the trailing gap is not counted)."""
    return max(0, len(text) * ADVANCE - 1)


def draw_text(image, x, y, text, colour, scale=1):
    """Letters text into a PIL image; (x, y) is the top-left of the cap line."""
    table = glyphs()
    for i, char in enumerate(text):
        glyph = table[char]
        for gx, gy in glyph.pixels():
            left = x + (i * ADVANCE + gx) * scale
            top = y + gy * scale
            for dy in range(scale):
                for dx in range(scale):
                    image.putpixel((left + dx, top + dy), colour)


def draw_text_centred(image, cx, y, text, colour, scale=1):
    draw_text(image, cx - (text_width(text) * scale) // 2, y, text, colour, scale)
