"""Shapes of the hill country: rolling stone hills under an open sky, capped
with sand, with knolls, tors of stacked boulders, river valleys and lakes.

Nothing here has a roof. The ground is one long profile whose slopes roll
smoothly between the points a level gives (a walker climbs a cell up per
cell across), while its steps keep upright faces. Sand lies on the hills
only where it rests, at least a few cells back from every brink, so it
stays put until something moves it. A tor may carry sand in a cleft of its
crown that drains through cracks as soon as the world around it runs: that
is how the hills pour a slope into the way while the player watches.
"""
import numpy as np

from level_canvas import CLEAR, SAND, SOLID, STONE, WATER
from level_shapes import _hash, crag, noise, surface, wave


def hills(lv, points, seed, amp=3, period=56, keep=(), material=STONE):
    """Stone ground from the bottom row up to a top that runs through the
    (x, height) points: between points of different x the slope eases in
    and out like a hillside, two points at the same x make an upright face.
    Smooth noise amp cells high rolls every slope and top, but columns within
    12 of an x in keep stay level, for someone to stand on. Returns the tops
    by column."""
    tops = {}
    for (xa, ya), (xb, yb) in zip(points, points[1:]):
        for x in range(int(xa), int(xb)):
            t = (x - xa) / max(1, xb - xa)
            eased = t * t * (3 - 2 * t)
            tops[x] = ya + (yb - ya) * eased
    tops[int(points[-1][0])] = points[-1][1]
    for x in tops:
        tops[x] += amp * wave(seed, x, period)
    for k in keep:
        level = tops[k]
        for x in range(k - 12, k + 13):
            if x in tops:
                tops[x] = level
    out = {}
    for x, t in tops.items():
        if 0 <= x < lv.width:
            out[x] = int(round(t))
            lv.cells[:out[x], x] = material
    return out


def sand_cap(lv, x0, x1, depth, seed, below=None, margin=4):
    """A blanket of sand up to depth cells thick on the ground of x0..x1,
    thinning towards both ends and stopping margin cells short of any brink
    or face (where the ground beside a column is more than a cell lower), so
    it rests where it lies."""
    below = lv.height if below is None else below
    ground = {x: surface(lv, x, below) for x in range(x0 - margin - 1, x1 + margin + 1)}
    for x in range(x0, x1):
        near = [ground[c] for c in range(x - margin, x + margin + 1)]
        if min(near) < ground[x] - margin or max(near) > ground[x] + margin:
            continue  # a face or a brink is close
        edge = min(1.0, (x - x0) / 10, (x1 - 1 - x) / 10)
        h = int(round(depth * edge * (0.75 + 0.25 * noise(seed, x, 13))))
        if h <= 0:
            continue
        column = lv.cells[ground[x] + 1:ground[x] + 1 + h, x]
        column[column == CLEAR] = SAND
    # no sand grain steeper than its neighbours allow: it would only slide
    for _ in range(depth):
        for x in range(x0, x1):
            t = surface(lv, x, below)
            if lv.cells[t, x] != SAND:
                continue
            for n in (x - 1, x + 1):
                if surface(lv, n, below) < t - 1:
                    lv.cells[t, x] = CLEAR
                    break


def cleft_tor(lv, outline, cleft, cracks, seed, crack=4, lid=0):
    """A tor of the rough outline (points round its foot, flanks and an
    overhanging crown) whose crown holds a cleft of sand cleft = (cx0, cx1,
    floor, top): the cleft's floor is split by cracks crack cells wide at
    each x of cracks, running down and out through the rock's underside, so
    the sand streams out of them for seconds once the world around it runs.
    Over each crack a chimney stays open through the sand, so nothing is
    drawn hanging over empty space. A lid lid rows thick roofs the cleft
    over, so no one walking the crown falls into it once it has drained.
    Returns the cleft's box."""
    cx0, cx1, floor, top = cleft
    crag(lv, outline, seed, amp=2)
    lv.rect(cx0, floor, cx1, top, SAND)
    if lid:
        lv.rect(cx0, top, cx1, top + lid, STONE)
    else:
        lv.clear(cx0, top, cx1, top + 16)
    for x in cracks:
        a = x - crack // 2
        y = floor
        while y > 1 and np.any(lv.cells[y - 1, a:a + crack] != CLEAR):
            y -= 1
        lv.clear(a, y, a + crack, top)
    return cx0, floor, cx1, top


def lake(lv, x0, x1, rim, depth, seed, bank=0.6, liquid=WATER):
    """Scoops a lake into the ground: its floor depth cells under row rim,
    banks rising bank cells per cell (walkable out of the water), a gently
    uneven bed, and fills it to the rim. Returns the bed's lowest row."""
    low = rim
    for x in range(x0, x1):
        d = min(depth, (x - x0) * bank, (x1 - 1 - x) * bank)
        if d >= depth - 0.5:
            d = depth + 2 * noise(seed, x, 17) - 1
        bed = int(round(rim - d))
        low = min(low, bed)
        lv.cells[bed:rim + 40, x] = np.where(np.isin(lv.cells[bed:rim + 40, x], SOLID), CLEAR,
                                              lv.cells[bed:rim + 40, x])
        column = lv.cells[bed:rim, x]
        column[column == CLEAR] = liquid
    return low


def flooded_passage(lv, x0, x1, rim, depth, under, roof, seed, bank=0.6):
    """A pool like lake's, x0..x1 under row rim, whose middle runs on under
    the hill standing over columns under = (h0, h1): there only a passage
    roof cells high is cut above the bed, so the water dives under the hill
    and comes up beyond it. Its banks slope bank cells per cell, walkable
    into and out of the water."""
    h0, h1 = under
    for x in range(x0, x1):
        d = min(depth, (x - x0) * bank, (x1 - 1 - x) * bank)
        if d >= depth - 0.5:
            d = depth + 2 * noise(seed, x, 17) - 1
        bed = int(round(rim - d))
        top = bed + roof if h0 <= x < h1 else lv.height
        column = lv.cells[bed:top, x]
        column[np.isin(column, SOLID)] = CLEAR
        water = lv.cells[bed:min(rim, top), x]
        water[water == CLEAR] = WATER


def boulders(lv, x0, x1, seed, count, size=(5, 9), below=None, material=STONE):
    """Rounded boulders resting on the ground of x0..x1, sunk a third into it."""
    below = lv.height if below is None else below
    for k in range(count):
        x = x0 + int((x1 - x0) * _hash(seed, 5 * k))
        r = size[0] + (size[1] - size[0]) * _hash(seed, 5 * k + 1)
        g = surface(lv, x, below)
        lv.disc(x, g + r * 0.35, r, material)
