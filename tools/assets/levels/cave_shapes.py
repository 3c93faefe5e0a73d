"""Shapes of the caves under the hills: rock filled up to a hillside with
the sky over it, and inside it passages that wind from chamber to chamber
at several depths, joined by shafts to drop down and chimneys to climb,
with flowstone on their floors and stalactites over them.

A cave is carved, not built: the hill is solid rock and every shape here
clears a way through it, so there is always rock above and below the way
and nothing floats. Floors wander by a cell or two (a walker climbs a step
of 8 without noticing) and are held level wherever someone stands; roofs
wander by much more, which is what makes a passage read as worn by water.
Like level_shapes, every ragged edge comes from a fixed seed.
"""
import numpy as np

from level_canvas import CLEAR, OBSIDIAN, SOLID, STONE
from level_shapes import _hash, crag, noise, wave


def hill(lv, profile, seed, rough=6):
    """Solid rock from the bottom row up to a hillside running through
    profile's (x, height) points, its skyline rolling by up to rough cells."""
    xs = np.arange(lv.width)
    px, py = zip(*profile)
    tops = np.interp(xs, px, py)
    for x in range(lv.width):
        lv.cells[:int(round(tops[x] + rough * wave(seed, x, 60))), x] = STONE


def _floor_line(points, seed, rough, keep):
    """The floor row of every column from the first point's x to the last:
    straight lines through points, wandering by up to rough cells along a
    smooth wave, level within 12 cells of each x in keep."""
    px, py = zip(*points)
    xs = np.arange(int(px[0]), int(px[-1]))
    base = np.interp(xs, px, py)
    line = {}
    for x, b in zip(xs, base):
        edge = min(1.0, (x - px[0]) / 16, (px[-1] - 1 - x) / 16)
        line[int(x)] = b + rough * edge * wave(seed, x, 36)
    for k in keep:
        held = line[k]
        for x in range(k - 12, k + 13):
            if x in line:
                line[x] = held
    return {x: int(round(v)) for x, v in line.items()}


def passage(lv, points, height, seed, rough=2, roof=10, keep=()):
    """Carves a passage whose floor runs through points (x, floor row, x
    rising) and whose roof stands height cells over it, rising and falling
    by up to roof cells. Returns the floor row of each column."""
    floor = _floor_line(points, seed, rough, keep)
    for x, f in floor.items():
        top = f + height + int(round(roof * wave(seed + 7, x, 44)))
        lv.cells[f:max(f + 1, top), x] = CLEAR
    return floor


def chamber(lv, x0, x1, floor, height, seed, rough=2, keep=(), tilt=0):
    """A hall carved round a floor at row floor (rising tilt cells from x0
    to x1): its roof vaults to height over the middle and comes down to a
    quarter of that at the ends, broken into lumps. Returns the floor row
    of each column."""
    line = _floor_line([(x0, floor), (x1, floor + tilt)], seed, rough, keep)
    for x, f in line.items():
        u = (x + 0.5 - x0) / (x1 - x0) * 2 - 1
        vault = height * (0.3 + 0.7 * (1 - u * u) ** 0.6)
        top = f + int(round(vault + 0.12 * height * wave(seed + 3, x, 24)))
        lv.cells[f:top, x] = CLEAR
    return line


def shaft(lv, x0, x1, bottom, top, seed, rough=3, lean=0):
    """A shaft from row bottom up to row top between columns x0 and x1, its
    walls ragged by up to rough cells and leaning lean cells to the right
    over its height (a chimney climbed, or a pot-hole dropped down)."""
    for y in range(bottom, top):
        t = (y - bottom) / max(1, top - bottom)
        shift = lean * t
        left = int(round(x0 + shift + rough * noise(seed, y, 14)))
        right = int(round(x1 + shift + rough * noise(seed + 1, y, 14)))
        lv.cells[y, left:right] = CLEAR


def flowstone(lv, cx, floor, half, height, seed, material=STONE):
    """A rounded mound of flowstone on the floor whose top row is floor,
    half cells either side of cx and height tall, its crest rippled; low
    ones are walked over, tall ones jumped."""
    for x in range(cx - half, cx + half):
        u = (x + 0.5 - cx) / half
        h = height * (1 - u * u) ** 0.8 + 1.2 * noise(seed, x, 6)
        column = lv.cells[floor + 1:floor + 1 + max(0, int(round(h))), x]
        column[column == CLEAR] = material


def stalagmites(lv, x0, x1, floor_low, floor_high, seed, length, spacing=30, material=STONE):
    """Points standing on the first solid cell under row floor_high in each
    column of x0..x1 (none where that floor is below floor_low): short,
    blunt ones, below a walker's shins, where drips fell from the roof."""
    x = x0 + int(spacing * _hash(seed, 1)) // 2
    k = 0
    while x < x1:
        k += 1
        half = 2 + int(3 * _hash(seed, 3 * k))
        tall = length * (0.5 + 0.5 * _hash(seed, 3 * k + 1))
        for dx in range(-half, half + 1):
            c = x + dx
            column = lv.cells[floor_low:floor_high, c]
            solid = np.isin(column, SOLID).nonzero()[0]
            if not len(solid):
                continue
            top = floor_low + int(solid[-1]) + 1
            n = int(round(tall * (1 - abs(dx) / (half + 1)) ** 1.3))
            part = lv.cells[top:top + n, c]
            part[part == CLEAR] = material
        x += spacing // 2 + int(spacing * _hash(seed, 3 * k + 2))


def floor_of(lv, x, below):
    """The top row of the solid cell under row below in column x."""
    column = np.isin(lv.cells[:below, x], SOLID).nonzero()[0]
    return int(column[-1]) if len(column) else -1


def skin(lv, x0, x1, below, depth, material):
    """Turns the top depth rows of the floor under row below (a row, or a
    row for each column, as passage returns them) into material over
    columns x0..x1 (an ice floor, an obsidian pad in the rock)."""
    for x in range(x0, x1):
        f = floor_of(lv, x, below[x] + 2 if isinstance(below, dict) else below)
        if f >= 0:
            column = lv.cells[f - depth + 1:f + 1, x]
            column[np.isin(column, SOLID)] = material


def lava_trough(lv, x0, x1, rim, depth, level, liquid):
    """A trough sunk depth rows into the floor under row rim, lined with
    obsidian four cells thick and filled with liquid to row level; unlike
    a basin it clears nothing above the rim, so the cave's roof stays."""
    lv.rect(x0 - 4, rim - depth - 4, x1 + 4, rim, OBSIDIAN)
    lv.clear(x0, rim - depth, x1, rim)
    lv.pour(x0, x1, rim - depth, level - (rim - depth), liquid)


def lens(lv, x0, x1, floor, depth, seed, material):
    """A sealed lens of material in the rock over row floor: flat below,
    its top bowed to depth rows in the middle and thinning to a few at the
    ends, as water collects in a bedding plane."""
    for x in range(x0, x1):
        u = (x + 0.5 - x0) / (x1 - x0) * 2 - 1
        h = max(3, int(round(depth * (1 - u * u) ** 0.5 + 1.5 * noise(seed, x, 12))))
        lv.cells[floor:floor + h, x] = material


def choke(lv, x0, x1, floor, height, wall, seed, material):
    """A chamber choked with material (sand) from row floor up to about
    height rows, x0..x1 wide, in a ragged shell of obsidian wall cells
    thick that no blast breaks: only its floor, drawn by the caller, lets
    it out. The fill's top is heaped, not flat, as sand settles."""
    crag(lv, [(x0 - wall, floor - wall), (x1 + wall, floor - wall), (x1 + wall + 2, floor + height // 2),
              (x1 + wall - 2, floor + height), (x1 - 6, floor + height + wall + 6),
              ((x0 + x1) // 2, floor + height + wall + 10), (x0 + 4, floor + height + wall + 4),
              (x0 - wall - 3, floor + height * 2 // 3)], seed, amp=3, material=OBSIDIAN)
    for x in range(x0, x1):
        u = (x + 0.5 - x0) / (x1 - x0) * 2 - 1
        top = floor + int(round(height * (0.9 + 0.1 * (1 - u * u)) + 2 * noise(seed + 1, x, 10)))
        lv.cells[floor:top, x] = material
