"""Buttons, icon buttons, cursors and cross-hairs.

Sizes follow how large the game draws each image at 1920 x 1080, where one
world cell is five screen pixels, so one art pixel here is one cell there.
Labels are lettered with the game's own pixel font.
"""
import canvas as c
import pixelfont
from canvas import P

STYLES = {
    # face, light edge, shaded edge, label
    "sand": (P.sand, P.sandlight, P.ochre, P.ink),
    "danger": (P.blood, P.ember, P.wine, P.bone),
}
MARGIN = 3


def label_layout(label, w, h, max_scale=2):
    """Largest scale (2 or 1) at which the label fits; two lines if it must."""
    for scale in range(max_scale, 0, -1):
        if c.text_width(label, scale) <= w - 2 * MARGIN and 5 * scale <= h - 2 * MARGIN:
            return scale, [label]
    words = label.split(" ")
    best = None
    for cut in range(1, len(words)):
        lines = [" ".join(words[:cut]), " ".join(words[cut:])]
        widest = max(c.text_width(line) for line in lines)
        if best is None or widest < best[0]:
            best = (widest, lines)
    if best is None or best[0] > w - 2 * MARGIN or 11 > h - 2:
        raise ValueError(f"label {label!r} does not fit a {w} x {h} button")
    return 1, best[1]


def text_button(label, w, h, style="sand", max_scale=1):
    """A raised button with its label; buttons shown side by side share max_scale."""
    face, light, shade, ink = STYLES[style]
    image = c.new(w, h)
    c.bevel_box(image, 0, 0, w, h, face, light, shade)
    scale, lines = label_layout(label, w, h, max_scale)
    line_h = pixelfont.CAP_HEIGHT * scale
    gap = scale + 1
    block = len(lines) * line_h + (len(lines) - 1) * gap
    y = (h - block) // 2
    for line in lines:
        c.text_centred(image, w // 2, y, line, ink, scale)
        y += line_h + gap
    return image


def blank_button(w=37, h=20):
    image = c.new(w, h)
    face, light, shade, _ = STYLES["sand"]
    c.bevel_box(image, 0, 0, w, h, face, light, shade)
    return image


def icon_tile(w, h, lit=True):
    image = c.new(w, h)
    if lit:
        c.bevel_box(image, 0, 0, w, h, P.dusk, P.slate, P.night)
    else:
        c.bevel_box(image, 0, 0, w, h, P.night, P.dusk, P.ink)
    return image


def icons():
    return c.load_grids("icons")


def centred(tile, glyph, dx=0, dy=0):
    tile.alpha_composite(glyph, ((tile.width - glyph.width) // 2 + dx,
                                 (tile.height - glyph.height) // 2 + dy))
    return tile


def dimmed(image):
    """Greys the bright colours out: the look of a switched-off option."""
    return c.recolour(image, {P.amber: P.stone, P.flame: P.stone, P.bone: P.stone,
                              P.sandlight: P.slate, P.sand: P.stone, P.ochre: P.slate,
                              P.sky: P.slate, P.frost: P.stone, P.blood: P.slate,
                              P.leaf: P.stone})


def slash(image, colour=P.blood):
    """A diagonal bar across an icon: this option is off."""
    w, h = image.size
    for i in range(3, min(w, h) - 3):
        x = 3 + (i - 3) * (w - 6) // (min(w, h) - 6)
        image.putpixel((x, i), colour)
        if x + 1 < w - 2:
            image.putpixel((x + 1, i), colour)
    return image


def options_button():
    return centred(icon_tile(18, 18), icons()[0])


def close_button():
    tile = c.new(16, 16)
    c.bevel_box(tile, 0, 0, 16, 16, P.blood, P.ember, P.wine)
    return centred(tile, icons()[1])


def sound_on_button():
    tile = icon_tile(16, 16)
    speaker = icons()[2]
    tile.alpha_composite(speaker, (3, 3))
    waves = [(10, 6), (11, 7), (11, 8), (10, 9),
             (12, 4), (13, 5), (13, 6), (13, 7), (13, 8), (13, 9), (13, 10), (12, 11)]
    for xy in waves:
        tile.putpixel(xy, P.amber)
    return tile


def muted_button():
    tile = icon_tile(16, 16, lit=False)
    tile.alpha_composite(dimmed(icons()[2]), (3, 3))
    for i in range(4):
        for x, y in ((9 + i, 6 + i), (12 - i, 6 + i)):
            tile.putpixel((x, y), P.blood)
    return tile


def windowed_button():
    return centred(icon_tile(16, 16), icons()[3])


def fullscreen_button():
    return centred(icon_tile(16, 16), c.recolour(icons()[4], {P.bone: P.amber}))


def sandbox_on_button():
    return centred(icon_tile(20, 16), icons()[5], dy=1)


def sandbox_off_button():
    return slash(centred(icon_tile(20, 16, lit=False), dimmed(icons()[5]), dy=1))


def fps_on_button():
    tile = icon_tile(17, 11)
    c.text_centred(tile, 9, 3, "FPS", P.leaf)
    return tile


def fps_off_button():
    tile = icon_tile(17, 11, lit=False)
    c.text_centred(tile, 9, 3, "FPS", P.stone)
    c.rect(tile, 3, 5, 11, 1, P.blood)
    return tile


def back_button():
    tile = c.new(20, 20)
    c.bevel_box(tile, 0, 0, 20, 20, P.sand, P.sandlight, P.ochre)
    arrow = c.grid_image([
        "...K....",
        "..KK....",
        ".KKKKKKK",
        "KKKKKKKK",
        ".KKKKKKK",
        "..KK....",
        "...K....",
    ])
    tile.alpha_composite(arrow, (6, 3))
    c.text_centred(tile, 10, 12, "BACK", P.ink)
    return tile


# Cursors are drawn 32 x 32 screen pixels centred on the mouse, so each
# pointer's hot spot is the middle of its 16 x 16 image.
ARROW = [
    "K.......",
    "KK......",
    "KWK.....",
    "KWWK....",
    "KWWWK...",
    "KWWWWK..",
    "KWWWWWK.",
    "KWWWKKKK",
    "KWKWK...",
    "KK.KWK..",
    "K...KK..",
]


def arrow_cursor(fill, tip=None):
    image = c.new(16, 16)
    arrow = c.recolour(c.grid_image(ARROW), {P.bone: fill})
    if tip:
        arrow.putpixel((1, 2), tip)
        arrow.putpixel((1, 3), tip)
    image.alpha_composite(arrow, (8, 8))
    return image


def menu_cursor_ready():
    return arrow_cursor(P.flame, tip=P.ember)


def menu_cursor_reloading():
    return arrow_cursor(P.ash, tip=P.stone)


def plain_cursor():
    return arrow_cursor(P.bone)


def crosshair(ring, centre):
    """A broken ring with four ticks, symmetric about the image's centre."""
    image = c.new(16, 16)
    for y in range(16):
        for x in range(16):
            d2 = (x - 7.5) ** 2 + (y - 7.5) ** 2
            on_axis = 6 <= x <= 9 or 6 <= y <= 9
            if 4.2 ** 2 <= d2 <= 5.6 ** 2 and not on_axis:
                image.putpixel((x, y), ring)
    for a, b in ((0, 4), (11, 15)):
        for i in range(a, b + 1):
            for j in (7, 8):
                image.putpixel((i, j), ring)
                image.putpixel((j, i), ring)
    for x in (7, 8):
        for y in (7, 8):
            image.putpixel((x, y), centre)
    return c.outline_shape(image)


def crosshair_ready():
    return crosshair(P.bone, P.ember)


def crosshair_reloading():
    return crosshair(P.stone, P.slate)
