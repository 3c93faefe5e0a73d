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
