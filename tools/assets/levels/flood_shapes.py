"""Water works for the flood levels: masonry tanks, stone plugs and stepped
basins, cut square into the rock as people build them.

Masonry is obsidian: a rocket does not open it, so water leaves a work only
where a level means it to, through a stone plug, and the player reads the
one weak place in a wall of dressed grey. Natural rock around the works stays
stone.

Water here has no pressure: it runs out of a side opening a cell or so a
frame, but a column whose floor goes falls at once. A work meant to empty
while the player watches empties downwards.
"""
from level_canvas import OBSIDIAN, STONE, WATER


def tank(lv, x0, x1, floor, rim, level=None, wall=4, liquid=WATER):
    """An open masonry tank: the inside x0..x1 from row floor up through rim
    is cleared, its floor and sides lined with `wall` cells of obsidian, and
    it is filled up to row level (unfilled if None)."""
    lv.rect(x0 - wall, floor - wall, x1 + wall, rim, OBSIDIAN)
    lv.clear(x0, floor, x1, rim)
    if level is not None:
        lv.pour(x0, x1, floor, level - floor, liquid)


def plug(lv, x0, y0, x1, y1):
    """A stone plug in masonry: the one place a rocket opens the work."""
    lv.rect(x0, y0, x1, y1, STONE)


def basin_flight(lv, x0, top, width, drop, count, lip=8, wall=4):
    """Stepped basins going down to the right from a floor at row top: each
    width wide and drop lower than the last, with a lip lip high at its
    outer edge, so water that comes down the flight stands in every basin
    to the lip's height and spills on. Cleared above, masonry below."""
    for i in range(count):
        bx0, floor = x0 + i * width, top - (i + 1) * drop
        lv.clear(bx0, floor, bx0 + width, top + 80)
        lv.rect(bx0, floor - wall, bx0 + width, floor, OBSIDIAN)
        lv.rect(bx0 + width - wall, floor, bx0 + width, floor + lip, OBSIDIAN)
    return x0 + count * width, top - count * drop
