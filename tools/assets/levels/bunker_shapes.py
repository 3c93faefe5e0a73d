"""Shapes of the bunker line: low earthworks of sand over stone, trenches
revetted in obsidian, sandbag parapets, blast walls and casemates.

Everything here is dug in and horizontal: a bunker line hugs the ground, so
its works are long and low, cut down into the rock rather than built up from
it. Obsidian is what the builders poured (revetments, blast walls, casemate
shells): no rocket opens it, so a shooter behind it is reached only over it
or through the way the builders left. Stone is the rock they dug into, sand
the spoil they heaped on top.

Sand slides diagonally whenever the cell below and to one side is empty, so
every heap here is drawn at no more than a cell up per cell across and rests
on solid cells: nothing moves until a rocket opens what holds it.
"""
from level_canvas import CLEAR, OBSIDIAN, SAND, STONE
from level_shapes import noise, surface


def earthwork(lv, x0, x1, top, seed, cover=6, batter=None, below=None):
    """A long, low bank of rock from x0 to x1 up to row top, with sloping
    ends (batter cells across for the full height, one up per cell by
    default as far as cover goes) and a blanket of spoil cover cells thick
    rippling by a cell or two along its crown. Fills only empty cells and
    stands on whatever lies under it."""
    below = lv.height if below is None else below
    for x in range(x0, x1):
        base = surface(lv, x, below) + 1
        if base > top:
            continue
        edge = min(x - x0, x1 - 1 - x)
        b = batter if batter is not None else top - base
        h = top if edge >= b else base + (top - base) * edge // max(1, b)
        column = lv.cells[base:h, x]
        column[column == CLEAR] = STONE
        c = cover + int(round(1.5 * noise(seed, x, 23)))
        c = min(c, max(0, edge - 2))
        if h > base and c > 0:
            column = lv.cells[h:h + c, x]
            column[column == CLEAR] = SAND


def trench(lv, x0, x1, floor, top, revet=3, floor_material=OBSIDIAN):
    """A flat-floored trench cut into the ground between x0 and x1 (inside),
    from row floor up through top: its walls faced with revet cells of
    obsidian that stand up through the spoil, its floor a 4-cell slab."""
    lv.rect(x0 - revet, floor - 4, x1 + revet, top, OBSIDIAN)
    lv.clear(x0, floor, x1, lv.height)
    lv.rect(x0, floor - 4, x1, floor, floor_material)


def sandbags(lv, x0, x1, base, courses, course=3):
    """A parapet of sandbags on row base: courses of sand course rows high,
    each drawn course cells shorter at both ends than the one under it, so
    the stack keeps to the slope sand holds. Fills only empty cells."""
    for k in range(courses):
        y = base + k * course
        region = lv.cells[y:y + course, x0 + k * course:x1 - k * course]
        region[region == CLEAR] = SAND


def blast_wall(lv, x, base, height, width=6):
    """An upright obsidian slab: cover no rocket wears away."""
    lv.rect(x, base - 4, x + width, base + height, OBSIDIAN)


def casemate(lv, x0, x1, floor, height, shell=6, slits=(), doors=(), cover=8):
    """A closed obsidian box from x0 to x1 (outside) standing on row floor:
    the inside cleared height rows high, walls and roof shell thick, spoil
    heaped over the roof in a low mound. slits are (side, y0, y1) openings
    in a side wall (side -1 west, 1 east) for firing through; doors are the
    same, cut to the inside floor. Returns the inside's box."""
    top = floor + height + shell
    lv.rect(x0, floor - 4, x1, top, OBSIDIAN)
    lv.clear(x0 + shell, floor, x1 - shell, floor + height)
    for side, y0, y1 in list(slits) + list(doors):
        wx = x0 if side < 0 else x1 - shell
        lv.clear(wx, y0, wx + shell, y1)
    span = x1 - x0
    for x in range(x0, x1):
        edge = min(x - x0, x1 - 1 - x)
        h = min(cover, edge // 2 + 1)
        column = lv.cells[top:top + h, x]
        column[column == CLEAR] = SAND
    return x0 + shell, floor, x1 - shell, floor + height


def glacis(lv, x0, x1, y0, y1, material=STONE):
    """A straight slope of ground from (x0, y0) to (x1, y1), filled down to
    the rock under it: the bank a trench is approached over."""
    for x in range(x0, x1):
        h = y0 + (y1 - y0) * (x - x0) // max(1, x1 - x0)
        base = surface(lv, x, h) + 1
        column = lv.cells[base:h, x]
        column[column == CLEAR] = material


def strut(lv, x0, y0, x1, y1, width=2, material=OBSIDIAN):
    """A straight member width cells thick from (x0, y0) to (x1, y1)."""
    n = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(n + 1):
        x = x0 + (x1 - x0) * i // n
        y = y0 + (y1 - y0) * i // n
        lv.rect(x, y, x + width, y + width, material)


def gantry(lv, x0, x1, bottom, depth, foot, mast_top, hangers, panel=22, mast=4):
    """A lattice girder from x0 out to a mast at x1 standing on row foot,
    its chords at row bottom and depth rows above, stayed from the mast's
    head to its far end, and rods down from it to row y at each (x, y) of
    hangers. Everything the player passes under in a side view is held
    from beyond the way, so the gantry is run out from a work the way ends
    at rather than stood on the ground the way crosses."""
    top = bottom + depth
    lv.rect(x0, bottom, x1, bottom + 2, OBSIDIAN)
    lv.rect(x0, top - 2, x1, top, OBSIDIAN)
    xs = list(range(x0, x1 - panel // 2, panel)) + [x1 - 2]
    for k, x in enumerate(xs):
        lv.rect(x, bottom, x + 2, top, OBSIDIAN)
        if k + 1 < len(xs):
            nx = xs[k + 1]
            if k % 2:
                strut(lv, x, bottom, nx, top - 2)
            else:
                strut(lv, x, top - 2, nx, bottom)
    lv.rect(x1, foot - 2, x1 + mast, mast_top, OBSIDIAN)
    strut(lv, x1, mast_top - 2, x0, top - 2)
    for x, y in hangers:
        lv.rect(x, y, x + 2, bottom, OBSIDIAN)
