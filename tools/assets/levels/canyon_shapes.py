"""Shapes of the canyon country: walls of layered rock cut by a dry river,
ledges and alcoves along them, the polished face of a dry fall, natural
bridges left standing over the gorge.

The rock is banded: hard stone layers with soft sandstone between them. A
sandstone band is loose sand behind a skin of stone a few cells thick, so it
stands as long as the skin does, and a rocket that breaks the skin lets the
band spill down the face. Sand slides whenever the cell below and to one
side is empty, so loose sand here is always drawn resting on solid cells
and at or under one cell up per cell across.
"""
import math

import numpy as np

from level_canvas import CLEAR, OBSIDIAN, SAND, SOLID, STONE
from level_shapes import _spread, noise, wave


def _shrink(mask, r):
    """mask with every cell removed that has a cell outside it within r (a square)."""
    return _spread(mask, r, grow=False, square=True)


def strata(lv, x0, y0, x1, y1, seed, skin=3, period=(12, 40), soft=0.5, dip=0.03, share=0.5):
    """Lays sandstone bands through the stone of a region: rows whose band
    (a layer period[0] to period[1] rows thick, dipping dip rows per column
    and waving a little; share of a soft layer is sand) is soft turn to sand wherever the stone lies more
    than skin cells from anything but stone. Faces keep their stone skin,
    so the bands show as yellow stripes behind a dark rind and nothing
    moves until a blast breaks the rind."""
    region = lv.cells[y0:y1, x0:x1]
    deep = _shrink(region == STONE, skin)
    ys, xs = np.mgrid[y0:y1, x0:x1]
    layer = np.zeros(region.shape, dtype=bool)
    # the layers' boundaries: rows where a running sum of uneven thicknesses is crossed
    bounds, y, k = [], y0 - 40, 0
    while y < y1 + 40:
        k += 1
        thick = period[0] + (period[1] - period[0]) * (0.5 + 0.5 * noise(seed, k * 13, 1.3))
        bounds.append((y, thick, noise(seed + 5, k * 7, 1.1) < 2 * soft - 1))
        y += thick
    cols = np.arange(x0, x1)
    shift = np.array([dip * (x - x0) + 2.5 * wave(seed + 11, x, 60) for x in cols])
    level = ys - shift[None, :]
    for start, thick, is_soft in bounds:
        if is_soft:
            layer |= (level >= start) & (level < start + thick * share)
    region[deep & layer] = SAND


def wall(lv, side, profile, seed, rough=3, material=STONE):
    """A canyon wall from the side column side (0 for the west edge, the
    level's width for the east) out to a face running through the (row,
    column) points of profile, bottom up, ragged by up to rough cells."""
    ys, fx = zip(*profile)
    for y in range(ys[0], ys[-1]):
        face = int(round(np.interp(y, ys, fx) + rough * wave(seed, y, 18)))
        if side <= 0:
            lv.cells[y, 0:max(0, face)] = material
        else:
            lv.cells[y, min(lv.width, face):lv.width] = material


def ledge(lv, x0, x1, top, seed, thick=10, side=1, material=STONE):
    """A ledge jutting from a wall: its top flat at row top from x0 to x1,
    its underside tapering to a lip at the free end (side 1: the wall is at
    x0 and the ledge points east; -1: the wall at x1, pointing west)."""
    n = x1 - x0
    for x in range(x0, x1):
        out = (x - x0) / n if side > 0 else (x1 - 1 - x) / n
        t = thick * (1.0 - 0.7 * out ** 1.5) + 1.5 * noise(seed, x, 7)
        lv.cells[int(round(top - t)):top, x] = material


def alcove(lv, x0, x1, floor, height, seed):
    """A hollow worn into a wall: a flat floor from x0 to x1 at row floor,
    a roof that domes up to height rows over it, unevenly."""
    n = x1 - x0
    for x in range(x0, x1):
        u = (x + 0.5 - x0) / n
        h = height * math.sqrt(max(0.0, 1 - (2 * u - 1) ** 4)) + 2 * noise(seed, x, 6)
        lv.cells[floor:floor + max(18, int(round(h))), x] = CLEAR


def river_bed(lv, x0, x1, rock, depth, seed, material=SAND):
    """The dry river's bed: sand depth rows deep on the rock whose top is
    row rock, its top rippled by a cell here and there, never steeper than
    sand stands. Returns the bed's top row (its highest)."""
    for x in range(x0, x1):
        h = depth + int(round(0.8 * wave(seed, x, 24)))
        column = lv.cells[rock:rock + h, x]
        column[column == CLEAR] = material
    return rock + depth + 1


def facing(lv, x0, x1, y0, y1, thick=4, material=OBSIDIAN):
    """A hard rind on the rock faces of a region (the polished face of a
    dry fall): stone within thick cells of open space turns to material,
    so no blast carves footholds into it."""
    region = lv.cells[y0:y1, x0:x1]
    solid = np.isin(region, SOLID)
    inner = _shrink(solid, thick)
    region[solid & ~inner & (region != SAND)] = material


def natural_bridge(lv, x0, x1, deck, thick, rise, seed, broken=0, material=STONE):
    """A natural bridge from x0 to x1: a deck walkable along row deck
    (rolling by a cell or two), its underside an arch thick rows under the
    deck in the middle and rise rows more at the ends, where it meets the
    rock. broken -1 (or 1) leaves its west (east) end fallen: the deck
    thins to a ragged lip there over the last 30 cells."""
    n = x1 - x0
    for x in range(x0, x1):
        u = (x + 0.5 - x0) / n
        top = deck + int(round(1.2 * wave(seed, x, 50)))
        ends = 2 * abs(u - 0.5)
        if broken and (u - 0.5) * broken > 0:
            ends = 0.0
        under = top - thick - rise * ends ** 2.5 - 2 * noise(seed + 3, x, 9)
        lip = (x - x0) if broken < 0 else (x1 - 1 - x) if broken > 0 else 30
        if lip < 30:
            under = max(under, top - 3 - (thick - 3) * lip / 30)
        lv.cells[int(round(under)):top, x] = material


def slot(lv, points, width, seed, wiggle=6):
    """A slot canyon: a narrow cleft carved along the polyline points, its
    width varying about width and its sides wiggling by up to wiggle
    cells, as water wears a crack into a sinuous gorge."""
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        length = max(1, int(math.hypot(bx - ax, by - ay)))
        for k in range(length + 1):
            t = k / length
            cx, cy = ax + (bx - ax) * t, ay + (by - ay) * t
            w = width * (0.85 + 0.3 * (0.5 + 0.5 * noise(seed, int(cy + cx), 23)))
            r = w / 2 + wiggle * 0.5 * noise(seed + 7, int(cy - cx), 11)
            x0, x1 = int(round(cx - r)), int(round(cx + r))
            y0, y1 = int(round(cy - r)), int(round(cy + r))
            lv.cells[max(0, y0):y1, max(0, x0):x1] = CLEAR


def choke(lv, throat, bottom, plug, top, width, seed, material=SAND):
    """A slot choked with material: a crack widening upwards from a throat
    (columns throat[0] to throat[1]) at row bottom to width cells at row top,
    its sides steeper than sand stands so that all of it can run out, and
    a chockstone plug rows thick wedged in the throat. Open space must lie
    under the throat: shot from below, the chockstone goes and the whole
    choke pours down. Returns the choke's box."""
    t0, t1 = throat
    mid = (t0 + t1) / 2
    lv.rect(t0, bottom, t1, bottom + plug, STONE)
    for y in range(bottom + plug, top):
        u = (y - bottom - plug) / max(1, top - bottom - plug)
        half = (t1 - t0) / 2 + (width - (t1 - t0)) / 2 * u + 1.5 * noise(seed, y, 8)
        lv.cells[y, int(round(mid - half)):int(round(mid + half))] = material
    # the chockstone wedged a little deeper in the rock either side
    for x in range(t0 - 6, t1 + 6):
        t = plug + int(round(1.5 * noise(seed + 1, x, 5)))
        column = lv.cells[bottom:bottom + max(4, t), x]
        column[column != material] = STONE
    return (int(mid - width / 2), bottom, int(mid + width / 2), top)


def narrows(lv, x0, x1, floor, height, seed, low=44):
    """A slot canyon's narrows seen end on: a passage with a flat floor at
    row floor from x0 to x1, its roof the overhanging walls meeting
    overhead, height rows up on average and bulging down (never lower than
    low rows over the floor) where the walls lean in. Its ends round off."""
    n = x1 - x0
    for x in range(x0, x1):
        u = (x + 0.5 - x0) / n
        h = height * (1 + 0.6 * wave(seed, x, 34))
        end = min(1.0, 2.2 * math.sqrt(max(0.0, 1 - (2 * u - 1) ** 8)))
        h = max(low, h) * end
        if h >= 18:
            lv.cells[floor:floor + int(round(h)), x] = CLEAR


def pothole(lv, floor, outline, seed, rough=3):
    """A tall chamber scoured out where the slot's floods once whirled: a
    flat floor at row floor under a roof running through the (column, row)
    points of outline, west to east, worn uneven; its walls stand upright
    at the first and last columns."""
    xs, roofs = zip(*outline)
    for x in range(xs[0], xs[-1]):
        roof = np.interp(x, xs, roofs) + rough * wave(seed, x, 16)
        lv.cells[floor:max(floor, int(round(roof))), x] = CLEAR
