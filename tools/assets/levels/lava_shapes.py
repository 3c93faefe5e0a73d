"""Shapes of the lava works: a foundry cut into solid rock.

Nothing here floats: halls are carved out of the rock, their floors plated
with obsidian; lava stands in obsidian vessels (ladles, launders, sheer
pits), since lava wears stone away, and a vessel with a stone plug is one
the lava burns its own way out of; slag lies in heaps of obsidian; humped
walls part one hall from the next up to the roof.
Rough edges come from the same fixed-seed noise as level_shapes, so every run
draws the same cells.
"""
from level_canvas import CLEAR, LAVA, OBSIDIAN, STONE
from level_shapes import noise


def hall(lv, x0, x1, floor, height, chamfer=14, plate=3):
    """A hall carved out of the rock with a flat obsidian-plated floor (no
    crater a rocket leaves in it is deeper than the plate lets it be) and
    its upper corners cut off like a mine gallery's."""
    top = floor + height
    lv.polygon([(x0, floor), (x1, floor), (x1, top - chamfer), (x1 - chamfer, top),
                (x0 + chamfer, top), (x0, top - chamfer)], CLEAR)
    lv.rect(x0, floor - plate, x1, floor, OBSIDIAN)


def shaft(lv, x0, x1, bottom, top):
    """An upright shaft between two halls."""
    lv.clear(x0, bottom, x1, top)


def gantry(lv, x0, x1, deck, posts=(), thick=4, post_width=6):
    """An obsidian deck from x0 to x1 whose top row is deck - 1, on posts
    reaching down to whatever lies under them."""
    lv.rect(x0, deck - thick, x1, deck, OBSIDIAN)
    for px in posts:
        for x in range(px, px + post_width):
            y = deck - thick - 1
            while y > 0 and lv.cells[y, x] == CLEAR:
                lv.cells[y, x] = OBSIDIAN
                y -= 1


def slag(lv, cx, base, half, height, seed, flat=8):
    """A heap of obsidian slag on row base, ragged but with a flat crown
    flat cells wide either side of cx, to stand on or jump from."""
    for x in range(cx - half, cx + half):
        d = abs(x + 0.5 - cx)
        if d <= flat:
            h = height
        else:
            h = height * (1 - (d - flat) / (half - flat)) ** 0.8 + 3 * noise(seed, x, 5)
        h = int(round(max(0, h)))
        column = lv.cells[base:base + h, x]
        column[column == CLEAR] = OBSIDIAN


def lava_pit(lv, x0, x1, bottom, top, level, liner=4):
    """A sheer-sided pit cut down from row top, lined with obsidian, lava
    up to row level: what falls in is thrown up against its walls again and
    again and gets out only by a rocket."""
    lv.rect(x0 - liner, bottom - liner, x1 + liner, top, OBSIDIAN)
    lv.clear(x0, bottom, x1, top)
    lv.rect(x0, bottom, x1, level, LAVA)


def ladle(lv, cx, rim, half, depth, plug=3, hanger=2):
    """A small obsidian cup of lava hung from the roof above it by a rod,
    its floor a stone plug that the lava burns through: it drips out."""
    bottom = rim - depth
    lv.rect(cx - half - 2, bottom - plug, cx + half + 2, rim, OBSIDIAN)
    lv.rect(cx - half, bottom, cx + half, rim, LAVA)
    lv.rect(cx - half // 2, bottom - plug, cx + half // 2, bottom, STONE)
    y = rim
    while y < lv.height and lv.cells[y, cx] == CLEAR:
        lv.cells[y, cx - hanger // 2:cx + hanger // 2 + 1] = OBSIDIAN
        y += 1


def hump_wall(lv, x0, x1, ground, top, hump=26, bore=21):
    """A rock wall from the floor to the roof, crossed by a tunnel that
    climbs over a hump higher than its mouths' tops, so no straight line
    runs through it: a rocket enemy on one side never sees the other. The
    hump and the mouths are obsidian, which no blast opens."""
    mid = (x0 + x1) // 2
    lv.rect(x0, ground, x1, top, STONE)
    lv.rect(x0 + 4, ground + hump + bore, x1 - 4, top, OBSIDIAN)
    floor = [(x0 - 1, ground), (x0 + 4, ground), (mid - 8, ground + hump), (mid + 8, ground + hump),
             (x1 - 4, ground), (x1 + 1, ground)]
    lv.rect(mid - 14, ground + hump - 8, mid + 14, ground + hump, OBSIDIAN)
    lv.polygon(floor + [(x, y + bore) for x, y in reversed(floor)], CLEAR)


def launder(lv, x0, x1, rim, taps, depth=8, plug=4, wall=2):
    """A long obsidian trough of lava hung under the roof, parted into one
    bay per tap so that each bay drains through its own: every tap is a
    stone plug in the trough's floor that the lava burns through."""
    bottom = rim - depth
    lv.rect(x0 - wall, bottom - plug, x1 + wall, rim, OBSIDIAN)
    lv.rect(x0, bottom, x1, rim, LAVA)
    bay = (x1 - x0) / len(taps)
    for i in range(1, len(taps)):
        x = int(round(x0 + i * bay))
        lv.rect(x - 1, bottom, x + 1, rim, OBSIDIAN)
    for tx in taps:
        lv.rect(tx - 3, bottom - plug, tx + 3, bottom, STONE)
    for x in range(x0, x1 + 1, 48):
        y = rim
        while y < lv.height and lv.cells[y, x] == CLEAR:
            lv.cells[y, x:x + 2] = OBSIDIAN
            y += 1
