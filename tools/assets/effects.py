"""Procedural effect sheets: the explosion column and the player's burst.

Both are drawn from seeded random numbers, so they come out the same on every
run, and coloured by thresholds on a heat value so only palette colours appear.
"""
import math
import random

import canvas as c
import sprites
from canvas import P

EXPLOSION_W, EXPLOSION_H = 32, 64  # the game draws it 32 x 64 cells, base on the blast
EXPLOSION_FRAMES = 9
FIRE = ((0.80, P.bone), (0.62, P.flame), (0.45, P.amber), (0.30, P.ember), (0.18, P.blood))
SMOKE = ((0.55, P.ash), (0.35, P.stone), (0.18, P.slate))
BAYER4 = ((0, 8, 2, 10), (12, 4, 14, 6), (3, 11, 1, 9), (15, 7, 13, 5))


def shade(heat, burn, x, y):
    """Palette colour for a heat value; burn (1 fresh .. 0 spent) shifts fire to smoke."""
    heat += (BAYER4[y % 4][x % 4] / 16 - 0.5) * 0.12  # dither the bands' edges
    ramp = FIRE if burn > 0.45 else SMOKE
    scale = burn if burn > 0.45 else 1.0
    for limit, colour in ramp:
        if heat * (0.6 + 0.4 * scale) >= limit:
            return colour
    return None


def explosion():
    """A fireball that flashes at the ground, rises as a column and thins to smoke."""
    rng = random.Random(1931)
    puffs = []
    for _ in range(14):
        puffs.append({
            "x": rng.uniform(-7, 7),
            "rise": rng.uniform(24, 50),
            "radius": rng.uniform(6, 11),
            "delay": rng.uniform(0, 0.25),
        })
    frames = []
    for f in range(EXPLOSION_FRAMES):
        t = f / (EXPLOSION_FRAMES - 1)
        frame = c.new(EXPLOSION_W, EXPLOSION_H)
        burn = 1 - t
        for y in range(EXPLOSION_H):
            for x in range(EXPLOSION_W):
                heat = 0.0
                px, py = x + 0.5 - EXPLOSION_W / 2, EXPLOSION_H - (y + 0.5)
                for puff in puffs:
                    age = max(0.0, t - puff["delay"]) / (1 - puff["delay"])
                    cx = puff["x"] * (0.4 + age)
                    cy = 4 + puff["rise"] * age ** 0.7
                    r = puff["radius"] * (0.5 + 0.9 * math.sin(math.pi * min(1, 0.25 + age * 0.85)))
                    d = math.hypot(px - cx, py - cy)
                    if d < r:
                        heat = max(heat, (1 - d / r) * (1.15 - 0.5 * age))
                if f <= 1:  # the first frames flash wide along the ground
                    flash = 1 - math.hypot(px / 16, py / (10 + 6 * f))
                    heat = max(heat, flash * 1.2)
                colour = shade(heat, burn, x, y)
                # cells touch in the sheet: keep their edge columns clear so
                # sampling at a cell boundary never picks up the neighbour
                if colour and 0 < x < EXPLOSION_W - 1:
                    frame.putpixel((x, y), colour)
        frames.append(frame)
    return sprites.play_order_sheet(frames)


PLAYER_BURST = 32


def player_explosion():
    """The player flashes white, then its pixels fly apart as embers and smoke."""
    body = sprites.player_run().crop((0, 0, sprites.FRAME, sprites.FRAME))
    rng = random.Random(77)
    pieces = []
    offset = (PLAYER_BURST - sprites.FRAME) // 2
    for y in range(sprites.FRAME):
        for x in range(sprites.FRAME):
            pixel = body.getpixel((x, y))
            if pixel[3] == 0:
                continue
            angle = math.atan2(y - 8, x - 8) + rng.uniform(-0.5, 0.5)
            speed = rng.uniform(4, 13)
            pieces.append((x + offset, y + offset, math.cos(angle) * speed,
                           math.sin(angle) * speed - rng.uniform(0, 4), pixel))
    frames = []
    for f in range(EXPLOSION_FRAMES):
        t = f / (EXPLOSION_FRAMES - 1)
        frame = c.new(PLAYER_BURST, PLAYER_BURST)
        for x0, y0, vx, vy, pixel in pieces:
            if f == 0:
                colour = P.bone
            elif t < 0.4:
                colour = pixel if (x0 + y0 + f) % 3 else P.flame
            elif t < 0.7:
                colour = P.ember if (x0 + y0) % 2 else P.amber
            else:
                colour = P.stone if (x0 * 3 + y0) % 4 else P.slate
                if (x0 * 7 + y0 * 5 + f) % 5 < f - 5:
                    continue  # the last frames lose more and more specks
            x = round(x0 + vx * t)
            y = round(y0 + vy * t + 10 * t * t)
            if 0 < x < PLAYER_BURST - 1 and 0 <= y < PLAYER_BURST:
                frame.putpixel((x, y), colour)
        frames.append(frame)
    return sprites.play_order_sheet(frames)
