"""Backdrops shared by the full-window pictures: dusk sky over dunes."""
import math

import canvas as c
from canvas import P

BAYER4 = ((0, 8, 2, 10), (12, 4, 14, 6), (3, 11, 1, 9), (15, 7, 13, 5))
SKY_BANDS = (P.night, P.dusk, P.wine, P.ember)


def gradient(image, x, y, w, h, colours):
    """Dithered vertical gradient through palette colours, top to bottom."""
    steps = len(colours) - 1
    for row in range(h):
        t = row / max(1, h - 1) * steps
        band = min(int(t), steps - 1)
        frac = t - band
        for col in range(w):
            pick = colours[band + 1] if BAYER4[row % 4][col % 4] < frac * 16 else colours[band]
            image.putpixel((x + col, y + row), pick)


def dune_line(x, width, base, height, phase, period):
    return base - height * (0.5 + 0.5 * math.sin(2 * math.pi * (x / period) + phase)) \
        - height * 0.3 * math.sin(2 * math.pi * x / (width * 0.9) + phase * 2)


def dunes(image, horizon, layers):
    """Overlapping dune ridges, each (lift, height, period, phase, body, crest)."""
    w, h = image.size
    for lift, height, period, phase, body, crest in layers:
        for x in range(w):
            top = int(round(dune_line(x, w, horizon + lift, height, phase, period)))
            top = max(0, min(h, top))
            for y in range(top, h):
                image.putpixel((x, y), body)
            if top < h:
                image.putpixel((x, top), crest)


def stars(image, count, seed, max_y):
    import random
    rng = random.Random(seed)
    for _ in range(count):
        x, y = rng.randrange(image.width), rng.randrange(max_y)
        image.putpixel((x, y), P.ash if rng.random() < 0.7 else P.bone)


def dusk_backdrop(width, height, horizon, seed=7):
    """Dark sky that warms toward the horizon, then three dune ridges."""
    image = c.new(width, height, P.night)
    gradient(image, 0, 0, width, horizon, (P.night, P.night, P.dusk, P.wine))
    stars(image, width // 8, seed, horizon // 2)
    dunes(image, horizon, [
        (0, 14, 160, 0.6, P.soil, P.umber),
        (18, 12, 120, 2.2, P.umber, P.ochre),
        (40, 10, 200, 4.0, P.soil, P.umber),
    ])
    return image
