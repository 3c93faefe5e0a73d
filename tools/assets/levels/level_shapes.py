"""Natural shapes for the levels: rolling ground, floating islands, hanging
stalactites, rubble and sealed pockets of other materials.

Every shape is drawn from a fixed seed through a small integer hash, not a
library's random stream, so a level regenerates the same cells everywhere.
"""
import math

import numpy as np

from level_canvas import CLEAR, ICE, LAVA, OBSIDIAN, SOLID, STONE, SAND, WATER


def _hash(seed, i):
    """A float in [0, 1) for the integer lattice point i."""
    h = (i * 374761393 + seed * 668265263) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFFFF) / float(1 << 24)


def noise(seed, x, period):
    """Smooth value noise in [-1, 1] along x, one bump every period cells."""
    t = x / period
    i = math.floor(t)
    f = t - i
    f = f * f * (3 - 2 * f)
    a, b = _hash(seed, i), _hash(seed, i + 1)
    return 2 * (a + (b - a) * f) - 1


def wave(seed, x, period, octaves=2):
    """Noise with finer detail laid over it, still within [-1, 1]."""
    total, weight, scale = 0.0, 0.0, 1.0
    for k in range(octaves):
        total += scale * noise(seed + 17 * k, x, period / (2 ** k))
        weight += scale
        scale *= 0.5
    return total / weight


def surface(lv, x, below):
    """The top row of the solid cell under row below at column x, or -1."""
    column = lv.cells[:below, x]
    solid = np.isin(column, SOLID).nonzero()[0]
    return int(solid[-1]) if len(solid) else -1


def roll(lv, x0, x1, amp, seed, period=40, below=None, keep=(), taper=12):
    """Lifts and lowers the stone surface of columns x0..x1 by up to amp
    cells along a smooth wave, easing to nothing at both ends so the steps
    and faces either side stay as drawn. Columns within 12 of an x in keep
    stay level with it: a standing character's box needs flat ground."""
    below = lv.height if below is None else below
    deltas = {}
    for x in range(x0, x1):
        edge = min(1.0, (x - x0) / taper, (x1 - 1 - x) / taper)
        deltas[x] = int(round(amp * edge * wave(seed, x, period)))
    for k in keep:
        for x in range(max(x0, k - 12), min(x1, k + 13)):
            deltas[x] = deltas.get(k, 0)
    for x, d in deltas.items():
        top = surface(lv, x, below)
        if top < 0 or lv.cells[top, x] != STONE:
            continue
        if d > 0:
            column = lv.cells[top + 1:top + 1 + d, x]
            column[column == CLEAR] = STONE
        elif d < 0:
            column = lv.cells[top + 1 + d:top + 1, x]
            column[column == STONE] = CLEAR


def island(lv, cx, top, half, depth, seed, material=STONE):
    """A floating rock: a gently bumpy top at row top, a jagged underside
    tapering to a point up to depth rows below it. Returns the top row of
    each column, for caps and pools."""
    tops = {}
    for x in range(cx - half, cx + half):
        u = (x + 0.5 - cx) / half
        shoulder = int(round(6 * max(0.0, abs(u) - 0.75) / 0.25))
        t = top + int(round(1.5 * noise(seed, x, 14))) - shoulder
        keel = depth * (1 - abs(u)) ** 0.7 * (0.75 + 0.25 * noise(seed + 5, x, 9))
        b = t - max(3, int(round(keel)))
        lv.cells[b:t, x] = material
        tops[x] = t - 1
    return tops


def cap(lv, x0, x1, height, seed, material=SAND, below=None):
    """A blanket of sand over the ground from x0 to x1, thickest in the
    middle and thinning to nothing at the ends, resting on the surface
    of each column (so nothing starts over empty space). Its sides slope
    at most one cell per cell, which sand keeps."""
    below = lv.height if below is None else below
    half = (x1 - x0) / 2
    for x in range(x0, x1):
        u = abs(x + 0.5 - x0 - half) / half
        h = min(int(round(height * (1 - u ** 2) * (0.8 + 0.2 * noise(seed, x, 11)))),
                x - x0, x1 - 1 - x)
        top = surface(lv, x, below)
        if top < 0 or h <= 0:
            continue
        column = lv.cells[top + 1:top + 1 + h, x]
        column[column == CLEAR] = material


def pool(lv, x0, x1, rim, depth, liquid=WATER):
    """Scoops a rounded bowl depth rows deep into solid ground whose top
    row is rim, and fills it to one row under the rim."""
    half = (x1 - x0) / 2
    for x in range(x0, x1):
        u = (x + 0.5 - x0 - half) / half
        d = int(round(depth * (1 - u * u) ** 0.5))
        if d > 0:
            lv.cells[rim - d + 1:rim + 1, x] = CLEAR
            # a floor two cells thick under the bowl, even where the rock was thin
            floor = lv.cells[rim - d - 1:rim - d + 1, x]
            floor[floor == CLEAR] = STONE
            lv.cells[rim - d + 1:rim, x] = liquid


def fire_and_ice(lv, x0, x1, rim, depth, beyond=WATER):
    """An obsidian bowl scooped into rock whose top row is rim: lava in its
    left half and beyond (water or ice) in its right, parted by a thin ice
    dam. Once the world around it runs, the lava melts the dam, hisses steam
    and crusts over where the water meets it. Returns a box round the dam."""
    pool(lv, x0, x1, rim, depth + 3, OBSIDIAN)
    pool(lv, x0 + 4, x1 - 4, rim, depth, LAVA)
    mid = (x0 + x1) // 2
    right = lv.cells[rim - depth:rim, mid:x1 - 4]
    right[right == LAVA] = beyond
    dam = lv.cells[rim - depth:rim, mid - 2:mid + 1]
    dam[dam != OBSIDIAN] = ICE
    return (mid - 20, rim - depth - 2, mid + 20, rim + 12)


def stalactites(lv, x0, x1, seed, length, spacing=22, material=STONE, low=0, high=None, width=(2, 4),
                shortest=0.5, taper=1.5):
    """Points hanging over x0..x1 from the first solid cell above row low in
    each column (none where that ceiling is higher than row high): each
    width[0] to width[0] + width[1] cells either side of its tip, shortest to
    1 times length long, its sides falling away as a power taper of the
    distance from the tip (icicles are thinner and blunter than stone)."""
    high = lv.height if high is None else high
    x = x0 + int(spacing * _hash(seed, 1)) // 2
    k = 0
    while x < x1:
        k += 1
        half = width[0] + int(width[1] * _hash(seed, 3 * k))
        long = length * (shortest + (1 - shortest) * _hash(seed, 3 * k + 1))
        for dx in range(-half, half + 1):
            c = x + dx
            if not (0 <= c < lv.width) or lv.cells[low, c] in SOLID:
                continue
            solid = np.isin(lv.cells[low:high, c], SOLID).nonzero()[0]
            if not len(solid):
                continue
            ceiling = low + int(solid[0])
            n = int(round(long * (1 - abs(dx) / (half + 1)) ** taper))
            column = lv.cells[max(low + 1, ceiling - n):ceiling, c]
            column[column == CLEAR] = material
        x += spacing // 2 + int(spacing * _hash(seed, 3 * k + 2))


def rubble(lv, x0, x1, seed, count, size=3, material=STONE, below=None):
    """Small rounded stones lying on the ground: size cells or less, which a
    walker climbs without a jump."""
    below = lv.height if below is None else below
    for k in range(count):
        x = x0 + int((x1 - x0) * _hash(seed, 7 * k))
        r = 1 + int(size * _hash(seed, 7 * k + 1))
        top = surface(lv, x, below)
        if top < 0:
            continue
        _lump(lv, x, top, r, material)


def _lump(lv, x, top, r, material):
    for dx in range(-r - 1, r + 2):
        h = int(round(r * (1 - (dx / (r + 1.5)) ** 2)))
        c = x + dx
        if h <= 0 or not (0 <= c < lv.width):
            continue
        column = lv.cells[top + 1:top + 1 + h, c]
        column[column == CLEAR] = material


def pocket(lv, cx, cy, rx, ry, material, seed):
    """A sealed, roughly oval pocket inside rock, filled whole with material
    (a half-filled one reads as a hole in the rock). Returns the bottom row
    of each column."""
    floor = {}
    for x in range(cx - rx, cx + rx + 1):
        u = (x - cx) / rx
        if abs(u) >= 1:
            continue
        h = ry * math.sqrt(1 - u * u) * (0.8 + 0.2 * noise(seed, x, 6))
        y0, y1 = int(round(cy - h)), int(round(cy + h))
        if y1 > y0:
            lv.cells[y0:y1, x] = material
            floor[x] = y0
    return floor


def spring(lv, cx, cy, rx, ry, seed, outlet=-1):
    """A pocket of water in rock with a channel from its floor out to the
    open air on the outlet side (-1 left, 1 right): it empties over the
    rock face for several seconds once the world around it runs."""
    floor = pocket(lv, cx, cy, rx, ry, WATER, seed)
    y = min(floor.values())
    x = min(floor, key=lambda c: (floor[c], abs(c - cx)))
    while lv.cells[y + 1, x] != CLEAR or x in floor:
        lv.cells[y:y + 3, x] = WATER if x in floor else CLEAR
        x += outlet
    return (cx - rx, int(cy - ry), cx + rx + 1, int(cy + ry) + 1)


def floating(lv, cx, top, half, depth, seed, sand=0, water=0, drips=0, material=STONE):
    """A floating island with, if asked, a sand blanket or a pool of water
    on it (kept well inside its shoulders, so neither spills) and points
    hanging under it."""
    tops = island(lv, cx, top, half, depth, seed, material)
    # the pool on the left part, the sand on the right, so sand never sinks into it
    if water:
        mid = cx - half // 3 if sand else cx
        x0, x1 = mid - water // 2, mid + water // 2
        rim = min(tops[x] for x in range(x0 - 3, x1 + 3))
        pool(lv, x0, x1, rim, min(depth // 2 - 2, water // 4 + 2))
    if sand:
        w = int(half * 0.45) if water else int(half * 0.6)
        at = cx + half // 3 if water else cx
        cap(lv, at - w, at + w, sand, seed + 1, below=top + 4)
    if drips:
        stalactites(lv, cx - half + 4, cx + half - 4, seed + 2, drips, spacing=16,
                    low=max(1, top - depth - drips - 2), high=top)
    return tops


def weather(lv, x0, y0, x1, y1, seed, rough=0.3):
    """Wears the stone in a region: bare corners round off and faces go
    ragged by a cell or two, as rock does. Stone next to sand or a liquid,
    or under them, stays, so nothing starts to fall or leak; stone is only
    added on solid footing."""
    region = lv.cells[y0:y1, x0:x1]
    h, w = region.shape
    ys, xs = np.mgrid[y0:y1, x0:x1]
    coin = ((xs * 73856093) ^ (ys * 19349663) ^ (seed * 83492791)) % 1000 / 1000.0
    padded = np.pad(lv.cells, 1, constant_values=STONE)[y0:y1 + 2, x0:x1 + 2]

    def around(code):
        count = np.zeros((h, w), dtype=int)
        for dy in (0, 1, 2):
            for dx in (0, 1, 2):
                if dy != 1 or dx != 1:
                    count += padded[dy:dy + h, dx:dx + w] == code
        return count

    loose = np.isin(padded, (SAND, WATER, 3))  # 3: lava
    near_loose = np.zeros((h, w), dtype=bool)
    for dy in (0, 1, 2):
        for dx in (0, 1, 2):
            near_loose |= loose[dy:dy + h, dx:dx + w]
    clear_n = around(CLEAR)
    stone_n = around(STONE)
    below_solid = np.isin(padded[0:h, 1:w + 1], SOLID)
    bare = (region == STONE) & ~near_loose
    wear = bare & ((clear_n >= 5) | ((clear_n >= 3) & (coin < rough)))
    grow = (region == CLEAR) & below_solid & ~near_loose & (stone_n >= 5) & (coin < rough)
    region[wear] = CLEAR
    region[grow] = STONE


def stand_flat(lv, marker, x, below=None):
    """Stands a marker on worn ground: its footing is filled level with the
    highest cell under its box when that is at most 3 cells up, so the odd
    bump or dent makes no difference (a box that meets a wall is still
    refused)."""
    below = lv.height if below is None else below
    here = surface(lv, x, below)
    tops = [surface(lv, c, here + 4) for c in range(x - 8, x + 8)]
    top = max(tops)
    for c, t in zip(range(x - 8, x + 8), tops):
        column = lv.cells[t + 1:top + 1, c]
        column[(column == CLEAR) | (column == WATER)] = STONE
    return lv.stand(marker, x, below)


def cliff(lv, x0, profile, seed, right=True, material=STONE):
    """A rock face against a side wall: profile lists (row, thickness)
    points from the bottom up; between them the thickness runs straight,
    with a ragged edge. right=True grows it rightwards from column x0."""
    ys, ws = zip(*profile)
    for y in range(ys[0], ys[-1]):
        w = int(round(np.interp(y, ys, ws) + 3 * wave(seed, y, 16) - 1.5))
        if w <= 0:
            continue
        span = slice(x0, x0 + w) if right else slice(x0 - w, x0)
        row = lv.cells[y, span]
        row[row == CLEAR] = material


def _spread(mask, r, grow, square=False):
    """mask grown (or shrunk) by a disc of radius r, or by a square of half-side r."""
    h, w = mask.shape
    out = np.zeros_like(mask) if grow else np.ones_like(mask)
    padded = np.pad(mask, r, constant_values=not grow)
    for dy in range(-r, r + 1):
        for dx in range(-r, r + 1):
            if not square and dx * dx + dy * dy > r * r:
                continue
            part = padded[r + dy:r + dy + h, r + dx:r + dx + w]
            out = (out | part) if grow else (out & part)
    return out


def round_off(lv, x0, y0, x1, y1, r=4):
    """Rounds the outer corners of the stone in a region to radius r (stone
    thinner than 2r + 1 is left alone, not worn through). Stone holding up
    or beside sand and liquids stays."""
    cells = lv.cells[y0:y1, x0:x1]
    stone = cells == STONE
    solid = np.isin(cells, SOLID)
    kept = _spread(_spread(solid, r, grow=False), r, grow=True)
    # leave whole thin shapes (shelves, blocks) as drawn: only corners of thick rock go
    core = _spread(_spread(stone, r, grow=False), r + 2, grow=True)
    loose = np.isin(cells, (SAND, WATER, 3))
    near_loose = _spread(loose, 2, grow=True)
    gone = stone & ~kept & core & ~near_loose
    cells[gone] = CLEAR


def crag(lv, points, seed, amp=5, material=STONE):
    """A polygon with ragged edges: each side is cut into pieces about 8
    cells long whose joints are pushed in or out by up to amp cells."""
    rough = []
    n = len(points)
    for i in range(n):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
        length = math.hypot(x1 - x0, y1 - y0)
        pieces = max(1, int(length // 8))
        nx, ny = (y1 - y0) / (length or 1), -(x1 - x0) / (length or 1)
        for k in range(pieces):
            t = k / pieces
            push = 0 if k == 0 else amp * (2 * _hash(seed, 97 * i + k) - 1)
            rough.append((x0 + (x1 - x0) * t + nx * push, y0 + (y1 - y0) * t + ny * push))
    lv.polygon(rough, material)


def sight_wall(lv, x0, x1, ground, top, seed, hump=26):
    """A rock pillar from ground up to row top, crossed by a tunnel that
    climbs over a hump higher than its mouths' ceilings, so no straight line
    runs through: nobody on one side sees the other. Obsidian lines the hump
    and the mouths, which no blast opens."""
    mid = (x0 + x1) // 2
    crag(lv, [(x0 - 10, ground - 2), (x1 + 10, ground - 2), (x1, ground + 70), (x1 - 8, ground + 140),
              (x1 + 8, ground + 230), (x1 + 30, top), (x0 - 30, top), (x0 - 8, ground + 230),
              (x0 + 8, ground + 140), (x0, ground + 70)], seed, amp=4)
    floor = [(x0 - 12, ground), (x0 + 4, ground), (mid - 8, ground + hump), (mid + 8, ground + hump),
             (x1 - 4, ground), (x1 + 12, ground)]
    lv.rect(mid - 14, ground + hump - 8, mid + 14, ground + hump, OBSIDIAN)
    for x in (x0 + 4, x1 - 18):
        lv.rect(x, ground + 20, x + 14, ground + hump + 4, OBSIDIAN)
    lv.polygon(floor + [(x, y + 21) for x, y in reversed(floor)], CLEAR)


def arch(lv, x0, x1, foot, rise, thickness, seed, material=STONE):
    """A natural stone arch from column x0 to x1: its underside climbs from
    row foot at both ends to foot + rise in the middle, thickest at its
    feet, with a ragged back."""
    for x in range(x0, x1):
        t = (x + 0.5 - x0) / (x1 - x0)
        under = foot + rise * math.sin(math.pi * t) + 2 * noise(seed, x, 10)
        thick = thickness * (1 + 1.5 * (2 * abs(t - 0.5)) ** 3) + 3 * wave(seed + 3, x, 14)
        lv.cells[int(round(under)):int(round(under + thick)), x] = material
