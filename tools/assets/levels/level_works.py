"""Shapes for things that happen in front of the player: a sand hopper that
pours through holes in its floor, and a cistern that bursts.

It runs only once the simulated window reaches it and then takes seconds,
not a frame: sand leaves through a narrow hole a cell or two a frame, so a
hopper that starts just beyond the view's edge is still pouring when the
view arrives.
"""
from level_canvas import CLEAR, SAND, STONE, WATER

from level_shapes import crag


def hopper(lv, x0, y0, x1, y1, outlets, seed, hole=4, wall=4, material=SAND):
    """A rough stone bin x0..x1, y0..y1 (outside), filled with material and
    open at the top, with a hole hole cells wide in its floor centred on
    each x of outlets: the material streams out of them for seconds. Over
    each hole a chimney is left open through the fill, so nothing is drawn
    hanging over empty space: the fill slides into the chimneys from their
    sides once the world around the hopper runs."""
    crag(lv, [(x0 - 2, y0 + wall), (x0 + 6, y0 - 4), (x1 - 6, y0 - 4), (x1 + 2, y0 + wall),
              (x1 + 2, y1), (x0 - 2, y1)], seed, amp=2)
    lv.rect(x0, y0, x1, y1, STONE)
    lv.rect(x0 + wall, y0 + wall, x1 - wall, y1, material)
    lv.clear(x0 + wall, y1, x1 - wall, y1 + 8)
    for x in outlets:
        lv.clear(x - hole // 2, y0 - 8, x - hole // 2 + hole, y1)
    return x0, y0, x1, y1


def cistern(lv, x0, y0, x1, y1, side=-1, mouth=None):
    """Fills the rock box x0 <= x < x1, y0 <= y < y1 with water and opens its
    side wall (-1 left, 1 right) from the floor up mouth rows (all of them
    by default) with a level channel out to the air. Water spreads sideways
    without waiting on the world's coin, so once the window reaches it the
    cistern empties in a gush of a few seconds, not a trickle. Returns the
    cistern's box."""
    mouth = y1 - y0 if mouth is None else mouth
    lv.rect(x0, y0, x1, y1, WATER)
    x = x0 - 1 if side < 0 else x1
    while any(lv.cells[y, x] != CLEAR for y in range(y0, y0 + mouth)):
        for y in range(y0, y0 + mouth):
            if lv.cells[y, x] != CLEAR:
                lv.cells[y, x] = WATER
        x += side
    # the channel's mouth must not hang over empty space where the face is ragged
    for y in range(y0, y0 + mouth):
        for cx in range(min(x0, x), max(x1, x) + 1):
            if lv.cells[y, cx] == WATER and lv.cells[y - 1, cx] == CLEAR:
                lv.cells[y, cx] = CLEAR
    return (x0, y0, x1, y1)
