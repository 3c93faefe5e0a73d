"""Shapes of the ice levels: a glacier's skin of ice over rock, crevasses cut
down into it, seracs standing on it, icicles and frozen falls, galleries
worn through it and ice bridges over its cracks.

Ice is as solid as stone underfoot but four times as slippery (a running
player needs 125 cells to stop), melts only a cell deep where lava touches
it (the meltwater crusts the lava over at once), and any rocket blasts it,
so the shapes here are drawn for sliding and for blasting. Like
level_shapes, every ragged edge comes from a fixed seed.
"""
import math

import numpy as np

from level_canvas import CLEAR, ICE, STONE
from level_shapes import _hash, noise, stalactites, wave


def glacier(lv, profile, thickness, seed, base=0):
    """Rock up to a surface running in straight lines through profile's
    (x, height) points, skinned with ice thickness cells deep (a little
    more or less along a smooth wave), as a glacier lies on its bed."""
    xs = np.arange(lv.width)
    px, py = zip(*profile)
    tops = np.rint(np.interp(xs, px, py)).astype(int)
    for x in range(int(px[0]), min(lv.width, int(px[-1]) + 1)):
        skin = max(2, int(round(thickness * (1 + 0.3 * wave(seed, x, 30)))))
        lv.cells[base:tops[x] - skin, x] = STONE
        lv.cells[tops[x] - skin:tops[x], x] = ICE
    return tops


def crevasse(lv, x0, x1, rim, floor, seed, taper=8, floor_material=ICE):
    """A crack from the surface at row rim down to row floor, x0..x1 wide at
    the top and narrowing by taper cells on each side at the bottom, its
    walls ragged by a cell or two and its floor a few rows of ice (or the
    material asked for)."""
    for y in range(floor, rim + 12):
        t = (y - floor) / max(1, rim - floor)
        inset = taper * (1 - t)
        left = int(round(x0 + inset + 1.5 * noise(seed, y, 9)))
        right = int(round(x1 - inset + 1.5 * noise(seed + 1, y, 9)))
        lv.cells[y, left:right] = CLEAR
    left, right = x0 + taper, x1 - taper
    lv.cells[floor - 4:floor, left - 2:right + 2] = floor_material


def serac(lv, cx, foot, height, half, seed, lean=0, flat=0):
    """A block of ice standing on the ground: its sides ragged and leaning
    lean cells over its height, its top flat for flat cells either side of
    the middle (for someone to stand on) and broken down beyond."""
    for y in range(foot - 4, foot + height):
        t = (y - foot) / height
        shift = lean * t
        w = half * (1 - 0.25 * t) + 2 * noise(seed, y, 11)
        lo, hi = int(round(cx + shift - w)), int(round(cx + shift + w))
        lv.cells[y, lo:hi] = ICE
    top = foot + height
    for x in range(int(cx + lean - half), int(cx + lean + half)):
        d = abs(x + 0.5 - cx - lean)
        if d <= flat:
            continue
        drop = int(round((d - flat) * 0.8 + 3 * _hash(seed, x)))
        lv.cells[top - drop:top, x] = CLEAR
    return top


def icicles(lv, x0, x1, ceiling_low, ceiling_high, seed, length, spacing=14):
    """Ice hanging from the first solid cell above row ceiling_low in each
    column of x0..x1 (none where that ceiling is above ceiling_high)."""
    stalactites(lv, x0, x1, seed, length, spacing, material=ICE, low=ceiling_low, high=ceiling_high, width=(1, 3),
                shortest=0.4, taper=1.2)


def frozen_fall(lv, cx, bottom, top, half, seed):
    """A waterfall frozen where it fell: a column of ice from row top down
    to row bottom, swelling and pinching along its length, wider at its
    foot where it splashed."""
    for y in range(bottom, top):
        t = (y - bottom) / max(1, top - bottom)
        w = half * (0.8 + 0.35 * wave(seed, y, 18)) + half * 1.2 * max(0.0, 0.25 - t) * 4
        lv.cells[y, int(round(cx - w)):int(round(cx + w)) + 1] = ICE


def ice_floor(lv, x0, x1, top, seed, depth=6, bumps=0, keep=()):
    """Ice laid over the floor x0..x1 to row top, with low humps up to
    bumps cells (a walker climbs them without a jump), none within 14
    cells of an x in keep, where someone stands."""
    for x in range(x0, x1):
        h = int(round(bumps * max(0.0, wave(seed, x, 26))))
        if any(abs(x - k) <= 14 for k in keep):
            h = 0
        lv.cells[top - depth:top + h, x] = ICE


def gallery(lv, x0, x1, floor, height, seed, skin=6, ends=20):
    """A long cave worn through the ice: a flat floor of ice skin cells deep
    at row floor (walked on, slid on), a roof that swells and dips by a
    quarter of height along a smooth wave, ends rounded over ends cells."""
    for x in range(x0, x1):
        edge = min(1.0, (x - x0) / ends, (x1 - 1 - x) / ends)
        roof = floor + int(round(height * (0.3 + 0.7 * math.sqrt(max(0.0, edge)))
                                 + 0.25 * height * edge * wave(seed, x, 70)))
        lv.cells[floor:roof, x] = CLEAR
        lv.cells[floor - skin:floor, x] = ICE


def ice_bridge(lv, x0, x1, deck, thickness, seed):
    """A span of ice at row deck (its top) from x0 to x1, sagging a little in
    the middle and hung with short icicles underneath."""
    for x in range(x0, x1):
        lv.cells[deck - thickness:deck, x] = ICE
        if _hash(seed, x) < 0.25:
            n = 1 + int(4 * _hash(seed + 1, x))
            column = lv.cells[deck - thickness - n:deck - thickness, x]
            column[column == CLEAR] = ICE
