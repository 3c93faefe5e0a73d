"""Shapes of the mountain levels: a range of jagged peaks and knife-edge
ridges against an open sky, granite headwalls, boulders to hide behind,
a window through a knife-edge choked with scree, and snow on the tops.

There is no roof over a mountain: everything stands up from the bottom of
the world, so the sky is empty and a shooter on a peak sees far. Cover is
the rock itself, boulders and crests, and it is worn by every bullet. As
in level_shapes, every ragged edge comes from a fixed seed.
"""
import numpy as np

from level_canvas import CLEAR, ICE, OBSIDIAN, SAND, STONE
from level_shapes import _hash, noise, surface, wave


def skyline(lv, profile, seed, jag=3, period=18, keep=(), material=STONE, base=0):
    """Rock from row base up to a skyline running in straight lines through
    profile's (x, height) points, broken along its slopes by teeth up to
    jag cells (more where it is steep, none on the flat): a range seen
    against the sky. Columns within 12 of an x in keep stay on the line, so
    someone can stand there. Returns the tops, column by column."""
    xs = np.arange(lv.width)
    px, py = zip(*profile)
    line = np.interp(xs, px, py)
    slope = np.abs(np.gradient(line))
    tops = {}
    for x in range(int(px[0]), min(lv.width, int(px[-1]) + 1)):
        steep = min(1.0, slope[x] * 2.5)
        t = int(round(line[x] + jag * steep * wave(seed, x, period)))
        if any(abs(x - k) <= 12 for k in keep):
            t = int(round(line[x]))
        lv.cells[base:t, x] = material
        tops[x] = t
    return tops


def spire(lv, cx, foot, top, half, seed, lean=0, material=STONE):
    """A jagged rock needle from row foot (its base half cells either side)
    narrowing to a point at row top, leaning lean cells over its height."""
    h = top - foot
    pts = [(cx - half, foot - 6), (cx + half, foot - 6)]
    for k in range(1, 6):
        t = k / 6
        w = half * (1 - t) ** 1.3 + 1
        pts.append((cx + lean * t + w + 3 * (_hash(seed, k) - 0.5), foot + h * t))
    pts.append((cx + lean, top))
    for k in range(5, 0, -1):
        t = k / 6
        w = half * (1 - t) ** 1.3 + 1
        pts.append((cx + lean * t - w - 3 * (_hash(seed, 10 + k) - 0.5), foot + h * t))
    lv.polygon(pts, material)


def boulder(lv, x, seed, r=10, below=None, material=STONE):
    """A rounded boulder sitting on the ground under column x, about 2r
    wide and 2r tall, sunk a few rows into it: cover a bullet chews away."""
    g = surface(lv, x, lv.height if below is None else below)
    cy = g + r - 4
    ys, xs = np.ogrid[:lv.height, :lv.width]
    ang = np.arctan2(ys - cy, xs - x)
    rough = r * (1 + 0.08 * np.sin(3 * ang + 6 * _hash(seed, 1)) + 0.05 * np.sin(7 * ang + 6 * _hash(seed, 2)))
    mask = (xs - x) ** 2 + (ys - cy) ** 2 < rough ** 2
    lv.cells[mask & (lv.cells == CLEAR)] = material
    return cy + r


def snowfield(lv, x0, x1, depth, seed, below=None, material=ICE):
    """Snow lying on the tops from x0 to x1: the top depth cells (a little
    more or less) of the surface turned to ice."""
    below = lv.height if below is None else below
    for x in range(x0, x1):
        t = surface(lv, x, below)
        d = max(1, int(round(depth * (1 + 0.4 * wave(seed, x, 24)))))
        column = lv.cells[t - d + 1:t + 1, x]
        column[column == STONE] = material


def fin(lv, x0, x1, foot, top, seed, sheer=220, material=OBSIDIAN):
    """A knife-edge of granite from row foot up to a jagged crest near row
    top, x0..x1 thick: sheer and smooth for sheer rows, where a climber
    finds no hold and no rocket wears it, then thinning and breaking up
    into the crest, out of any rocket jump's reach."""
    mid = (x0 + x1) / 2
    for y in range(foot - 6, top + 8):
        w = (x1 - x0) / 2
        if y > foot + sheer:
            t = (y - foot - sheer) / max(1, top - foot - sheer)
            w *= 1 - 0.6 * t
            w += 1.5 * noise(seed, y, 12)
        if y > top and _hash(seed, y) < (y - top) / 8:
            w *= 0.5
        lo, hi = int(round(mid - w)), int(round(mid + w))
        lv.cells[y, lo:hi] = material
    return top


def choked_window(lv, x0, x1, floor, height, gully, gully_top, material=SAND):
    """A window through a fin, x0..x1 and height rows tall on floor, choked
    with scree that a gully over it keeps feeding: gully is (g0, g1), a
    shaft up into the fin to row gully_top, full to its top. Blasted, the
    scree runs down the gully into the hole and out of both mouths until
    the gully is empty. Returns the box of scree."""
    g0, g1 = gully
    lv.rect(x0, floor, x1, floor + height, material)
    lv.rect(g0, floor + height, g1, gully_top, material)
    return x0, floor, x1, gully_top
