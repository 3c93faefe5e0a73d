"""The credits hub and its four pages.

Page texts live in art/credits/*.txt: "= " starts a heading, "- " a list
item, "| a | b | c" a table row, a blank line a new paragraph. Pages are
drawn at 768 x 432 so that body text can use half-size font pixels; the
game stretches them over the window like the other screens.
"""
from pathlib import Path

import canvas as c
import scenery
from canvas import P

HUB_W, HUB_H = 384, 216
PAGE_W, PAGE_H = 768, 432
TEXT_DIR = Path(__file__).resolve().parent / "art" / "credits"
# The back button covers window x 10-110, y 0-100 at every window size: page
# x 0-73, y 0-67 at 1152 x 648, so the panel (16 wider) starts right of it.
LEFT, RIGHT = 92, 712
TOP, BOTTOM = 30, 372            # clear of the main-menu button, bottom left
LINE = 9                         # 5 rows of capitals, 2 of descenders, 2 of air
TABLE_INDENT, TABLE_GAP = 2, 3   # in characters


def credits_hub():
    """Buttons sit at y 70, 97, 124, 151 (centre, 120 x 20) and in the two
    bottom corners (40 x 20), so the text stays above and between them."""
    image = scenery.dusk_backdrop(HUB_W, HUB_H, horizon=165, seed=41)
    c.text_centred(image, HUB_W // 2, 14, "CREDITS", P.sandlight, scale=4, shadow=P.ochre)
    c.text_centred(image, HUB_W // 2, 40, "WHO MADE SANDRIFT AND WITH WHAT", P.ash)
    c.text_centred(image, HUB_W // 2, 200, "SANDRIFT 2026", P.ash)
    return image


def wrap(text, width_px):
    words, lines, line = text.split(), [], ""
    for word in words:
        trial = word if not line else line + " " + word
        if c.text_width(trial) <= width_px:
            line = trial
        else:
            lines.append(line)
            line = word
    if line:
        lines.append(line)
    return lines


def table_rows(lines):
    return [[cell.strip() for cell in line.strip()[2:].split("|")]
            for line in lines if line.strip().startswith("| ")]


def table_columns(lines):
    """Start of each table column, in characters: each clears the widest cell before it."""
    starts, x = [], TABLE_INDENT
    rows = table_rows(lines)
    for i in range(max((len(r) for r in rows), default=0)):
        starts.append(x)
        x += max(len(r[i]) for r in rows if len(r) > i) + TABLE_GAP
    return starts or [TABLE_INDENT]


def layout(name, scale):
    """The page with body text at the given scale, or None if it overflows."""
    backdrop = scenery.dusk_backdrop(HUB_W, HUB_H, horizon=175, seed=len(name))
    image = c.scale(backdrop, 2)
    c.shade_rect(image, LEFT - 16, TOP - 10, RIGHT - LEFT + 32, BOTTOM - TOP + 20, 0.75)
    text_layer = c.new(PAGE_W, PAGE_H * 4)  # room to overflow before the check below
    line_h = LINE * scale
    lines = (TEXT_DIR / f"{name}.txt").read_text(encoding="ascii").splitlines()
    columns = table_columns(lines)
    y = TOP
    for raw in lines:
        line = raw.strip()
        if not line:
            y += line_h // 2
        elif line.startswith("= "):
            if y > TOP:
                y += line_h
            c.text(text_layer, LEFT, y, line[2:], P.amber, scale=scale + 1, shadow=P.wine)
            y += 5 * (scale + 1) + line_h
        elif line.startswith("| "):
            cells = [cell.strip() for cell in line[2:].split("|")]
            for column, cell, ink in zip(columns, cells, (P.sandlight, P.bone, P.ash)):
                c.text(text_layer, LEFT + column * 4 * scale, y, cell, ink, scale)
            y += line_h + scale
        elif line.startswith("- "):
            for i, part in enumerate(wrap(line[2:], (RIGHT - LEFT - 10 * scale) // scale)):
                if i == 0:
                    c.rect(text_layer, LEFT + 2 * scale, y + 2 * scale, 2 * scale, scale, P.amber)
                c.text(text_layer, LEFT + 10 * scale, y, part, P.bone, scale)
                y += line_h
        else:
            for part in wrap(line, (RIGHT - LEFT) // scale):
                c.text(text_layer, LEFT, y, part, P.bone, scale)
                y += line_h
    table_right = LEFT + (columns[-1] + max(
        (len(row[-1]) for row in table_rows(lines)), default=0)) * 4 * scale
    if y > BOTTOM or table_right > RIGHT:
        return None
    image.alpha_composite(text_layer.crop((0, 0, PAGE_W, PAGE_H)))
    return image


def page(name):
    """Body text as large as the page allows: the font's own pixel size if it
    fits, half of it for long texts such as the licence."""
    for scale in (2, 1):
        image = layout(name, scale)
        if image is not None:
            return image
    raise ValueError(f"credit page {name} does not fit")


def about_page():
    return page("about")


def libraries_page():
    return page("libraries")


def team_page():
    return page("team")


def copyright_page():
    return page("copyright")
