"""Shapes of the dune country and its buried fortress: wind-built dunes with
slip faces, the lips and shelves that hold sand up, a buried gate, and a
fortress's walls with battlements, towers and a well.

Sand slides diagonally whenever the cell below and to one side is empty, so a
heap keeps one cell up per cell across and no more: every dune here is drawn
already at or under that slope (settle) and rests on solid cells, so nothing
moves until a rocket opens the stone that holds it.
"""
import math

from level_canvas import CLEAR, OBSIDIAN, SAND, STONE
from level_shapes import noise, surface, wave


def settle(lv, x0, x1, tops):
    """Lowers the sand tops (a dict column -> top row) until no neighbour
    stands more than a cell lower, as a dune settles in the wind; the
    ground under each column bounds how low it goes."""
    changed = True
    while changed:
        changed = False
        for x in range(x0, x1):
            for n in (x - 1, x + 1):
                if n in tops and tops[x] > tops[n] + 1:
                    tops[x] = tops[n] + 1
                    changed = True
    return tops


def dune(lv, x0, x1, crest, height, seed, below=None, lee=0.95, slip=1):
    """A dune from x0 to x1 resting on whatever lies under it: a long
    windward back rising in a curve to a rounded brink at crest, then a slip
    face falling at lee cells per cell on the slip side (1 right, -1 left).
    Wind ripples run over the back. Sand fills only empty cells."""
    below = lv.height if below is None else below
    tops = {}
    for x in range(x0, x1):
        ground = surface(lv, x, below)
        if ground < 0:
            continue
        along = (x - x0) if slip > 0 else (x1 - 1 - x)
        back = (crest - x0) if slip > 0 else (x1 - 1 - crest)
        if along <= back:
            t = along / max(1, back)
            h = height * (1 - math.cos(math.pi * t ** 1.3)) / 2
            h += 1.5 * noise(seed, x, 9) * min(1.0, t * 4)
        else:
            h = height - lee * (along - back) - 0.004 * (along - back) ** 2
        tops[x] = max(ground, int(round(ground + h)) if h > 0 else ground)
    # the foot of the dune meets the ground, then the whole keeps its slope
    settle(lv, x0, x1, tops)
    for x, t in tops.items():
        ground = surface(lv, x, below)
        column = lv.cells[ground + 1:t + 1, x]
        column[column == CLEAR] = SAND
    return tops


def sand_sea(lv, x0, x1, seed, below=None, length=(90, 150), height=(18, 40)):
    """A field of dunes over x0..x1, each a different length and height,
    slipping with a west wind (slip faces to the right)."""
    x = x0
    k = 0
    spans = []
    while x < x1 - 30:
        k += 1
        n = int(length[0] + (length[1] - length[0]) * (0.5 + 0.5 * noise(seed, k * 31, 1.7)))
        n = min(n, x1 - x)
        h = height[0] + (height[1] - height[0]) * (0.5 + 0.5 * noise(seed + 3, k * 17, 1.3))
        h = min(h, n * 0.3)
        dune(lv, x, x + n, x + int(n * 0.72), h, seed + k, below=below)
        spans.append((x, x + n))
        x += n - int(n * 0.3)  # the next dune climbs this one's slip face
    return spans


def battlements(lv, x0, x1, top, merlon=8, gap=8, rise=8, material=STONE):
    """Merlons on a wall top at row top: blocks merlon wide and rise high,
    gap apart (a crenel a standing defender looks through)."""
    x = x0
    while x < x1:
        lv.rect(x, top, min(x + merlon, x1), top + rise, material)
        x += merlon + gap


def tower(lv, x0, x1, floor, height, wall=8, roof=8, door=None, material=STONE):
    """A hollow tower on row floor: walls wall thick, a roof roof thick with
    battlements on it, a room inside from floor to the roof. door is
    (side, bottom, height) for a way in (-1 left, 1 right)."""
    top = floor + height
    lv.rect(x0, floor, x1, top, material)
    lv.clear(x0 + wall, floor, x1 - wall, top - roof)
    battlements(lv, x0, x1, top, material=material)
    if door:
        side, bottom, h = door
        if side < 0:
            lv.clear(x0, bottom, x0 + wall, bottom + h)
        else:
            lv.clear(x1 - wall, bottom, x1, bottom + h)


def lip(lv, x0, x1, y, thick, seed, material=STONE):
    """A thin ragged stone shelf from x0 to x1 with its top at row y:
    the ledge a cornice of sand rests on."""
    for x in range(x0, x1):
        t = thick + int(round(1.2 * wave(seed, x, 12)))
        lv.cells[y - t:y, x] = material


def perch(lv, marker, x, below=None):
    """Puts a marker on sand that slopes: its box clears the highest cell
    of the ground under it, so a box on a dune's back starts in the air
    just over the crest side and drops the cell or two it needs."""
    below = lv.height if below is None else below
    here = surface(lv, x, below)
    top = max(surface(lv, c, here + 10) for c in range(x - 8, x + 8))
    lv.place(marker, x, top + 9)
    return top + 9


def hollow(lv, x, below=None, half=12):
    """Scoops a flat-floored hollow into the sand around column x, down to
    the rock, its sides at sand's own slope: where a walker stands between
    dunes (walkers need level ground)."""
    below = lv.height if below is None else below
    floor = surface(lv, x, below)
    while lv.cells[floor, x] == SAND:
        floor -= 1
    for c in range(x - half - 80, x + half + 81):
        if not (0 <= c < lv.width):
            continue
        keep = floor + max(0, abs(c - x) - half)
        column = lv.cells[keep + 1:below, c]
        column[column == SAND] = CLEAR


def shelf(lv, x0, x1, top, thick, seed, sag=6, material=STONE):
    """A long shelf of wind-cut sandstone: its top rolls gently about row
    top (flat within 20 cells of its ends), its underside hangs in uneven
    bulges, its ends taper."""
    for x in range(x0, x1):
        end = min(1.0, (x - x0) / 20, (x1 - 1 - x) / 20)
        t = top + int(round(sag * min(1.0, (x - x0) / 60, (x1 - 1 - x) / 60) * wave(seed, x, 90)))
        th = thick * (0.5 + 0.5 * end) * (1 + 0.6 * max(0.0, wave(seed + 7, x, 70)))
        th += 2 * noise(seed + 9, x, 6)
        lv.cells[int(round(t - th)):t, x] = material


def gate(lv, x0, x1, floor, height):
    """An opening height tall through a wall from x0 to x1, its lintel
    rounded into an arch."""
    lv.clear(x0, floor, x1, floor + height - 6)
    for x in range(x0, x1):
        lv.clear(x, floor + height - 6, x + 1, floor + height)


def ramp(lv, x0, y0, x1, y1, height, seed):
    """A tunnel climbing through rock from (x0, y0) to (x1, y1), height
    tall, its floor a walkable slope, its roof uneven."""
    for x in range(x0, x1):
        t = (x - x0) / (x1 - x0)
        floor = int(round(y0 + (y1 - y0) * t))
        roof = floor + height + int(round(3 * noise(seed, x, 10)))
        lv.cells[floor:roof, x] = CLEAR


def well(lv, cx, ceiling, floor, width, plug=10):
    """A shaft width wide from a room's ceiling (underside at row ceiling)
    up to the floor row of the room above, choked with sand that a stone
    plug holds up. Shot from below, the plug goes and the whole column
    drops through the roof in a heap, leaving the shaft open. Returns the
    shaft's box."""
    x0, x1 = cx - width // 2, cx + width // 2
    lv.rect(x0 - 6, ceiling, x1 + 6, floor, OBSIDIAN)
    lv.rect(x0, ceiling + plug, x1, floor, SAND)
    lv.rect(x0 - 4, ceiling, x1 + 4, ceiling + plug, STONE)
    return (x0, ceiling + plug, x1, floor)
