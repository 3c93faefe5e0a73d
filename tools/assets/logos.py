"""The two start-up cards: the studio logo and the audio credit.

Both are shown at 1067.5 x 311.5 window pixels whatever the window size, so
they are drawn at 213 x 62, a fifth of that: at 1080p one art pixel is five
screen pixels, the same size as a world cell.
"""
import canvas as c
from canvas import P

WIDTH, HEIGHT = 213, 62


def dither_band(image, x, y, w, h, top, bottom):
    """Vertical blend of two colours with a 2x2 ordered dither, no new colours."""
    bayer = ((0, 2), (3, 1))
    for row in range(h):
        level = (row + 0.5) / h * 4
        for col in range(w):
            use_bottom = bayer[row % 2][col % 2] < level
            image.putpixel((x + col, y + row), bottom if use_bottom else top)


def disc_mask(size):
    r = size / 2
    return [[(x + 0.5 - r) ** 2 + (y + 0.5 - r) ** 2 <= r * r for x in range(size)]
            for y in range(size)]


def emblem(size=56):
    """A round badge: dusk sky over a low sun, dunes, and a kestrel in flight."""
    badge = c.new(size, size)
    dither_band(badge, 0, 0, size, 14, P.night, P.dusk)
    dither_band(badge, 0, 14, size, 14, P.dusk, P.wine)
    dither_band(badge, 0, 28, size, 8, P.wine, P.ember)
    sun_cx, sun_cy, sun_r = size // 2, 34, 11
    for y in range(size):
        for x in range(size):
            d2 = (x + 0.5 - sun_cx) ** 2 + (y + 0.5 - sun_cy) ** 2
            if d2 <= sun_r * sun_r:
                badge.putpixel((x, y), P.flame if d2 <= (sun_r - 3) ** 2 else P.amber)
    # two dune ridges in front of the sun
    for x in range(size):
        far = 36 + round(3 * ((x - 40) / 20) ** 2)
        near = 42 + round(4 * ((x - 14) / 18) ** 2)
        for y in range(min(far, size), size):
            badge.putpixel((x, y), P.ochre)
        for y in range(min(far, size), min(far + 1, size)):
            badge.putpixel((x, y), P.sand)
        for y in range(min(near, size), size):
            badge.putpixel((x, y), P.umber)
        if near < size:
            badge.putpixel((x, near), P.ochre)
    bird = c.grid_image([
        "K.........K....",
        "KK.......KK....",
        ".KK.....KKK....",
        "..KKK.KKKK.....",
        "...KKKKKK......",
        "....KKKK.......",
        ".....KK........",
    ])
    badge.alpha_composite(bird, (20, 12))
    # cut to a disc with an ink rim and an amber ring
    mask = disc_mask(size)
    inner = disc_mask(size - 4)
    out = c.new(size, size)
    for y in range(size):
        for x in range(size):
            if not mask[y][x]:
                continue
            ix, iy = x - 2, y - 2
            inside = 0 <= ix < size - 4 and 0 <= iy < size - 4 and inner[iy][ix]
            out.putpixel((x, y), badge.getpixel((x, y)) if inside else P.amber)
    return c.outline_shape(out)


def ostrel_logo():
    image = c.new(WIDTH, HEIGHT)
    badge = emblem()
    image.alpha_composite(badge, (4, (HEIGHT - badge.height) // 2))
    left = 4 + badge.width + 10
    letters = c.load_grids("wordmark")
    x = left
    for letter in letters:
        big = c.scale(letter, 4)
        image.alpha_composite(c.recolour(big, {P.sand: P.ochre}), (x + 2, 10))
        image.alpha_composite(c.recolour(big, {P.sand: P.bone}), (x, 8))
        x += big.width + 4
    rule_y = 8 + 28 + 6
    c.rect(image, left, rule_y, x - 4 - left, 1, P.amber)
    c.text(image, left, rule_y + 4, "GAMES MADE OF SAND AND CODE", P.ash)
    return image


def speaker_icon():
    return c.grid_image([
        "........K...........",
        ".......KgK......g...",
        "......KgWK.......g..",
        ".....KgWWK...g....g.",
        "KKKKKgWWWK....g...g.",
        "KGGGgWWWWK....g....g",
        "KGGGgWWWWK.g...g...g",
        "KGGGgWWWWK.g...g...g",
        "KGGGgWWWWK....g....g",
        "KKKKKgWWWK....g...g.",
        ".....KgWWK...g....g.",
        "......KgWK.......g..",
        ".......KgK......g...",
        "........K...........",
    ])


def audio_logo():
    image = c.new(WIDTH, HEIGHT)
    icon = c.scale(speaker_icon(), 2)
    image.alpha_composite(icon, (6, (HEIGHT - icon.height) // 2))
    left = 6 + icon.width + 10
    c.text(image, left, 9, "SOUND BY", P.ash)
    c.text(image, left, 19, "OPENAL SOFT", P.bone, scale=3, shadow=P.sea)
    c.text(image, left, 40, "+ LIBSNDFILE", P.sky, scale=2, shadow=P.deep)
    return image
