"""Shapes for set pieces: stores of sand or water held in rock that let go
when the world around them starts to run, that is, as the player comes near.

Only a window around the view is simulated (77 cells beyond its right edge,
26 under its bottom, 259 rows over its bottom), so a store just outside that
window sits still until the player walks up to it, then empties through a
narrow chute for several seconds: long enough to be seen from the path.
"""
from level_canvas import CLEAR, WATER


def hopper(lv, x0, y0, x1, y1, material, side=-1, width=3, bottom=None):
    """Fills the rock box x0 <= x < x1, y0 <= y < y1 with material and cuts
    a chute width cells thick from its lower corner on side (-1 left, 1
    right), down at one cell per cell, until it opens into the air. Sand
    only falls down or aside-and-down, so the chute is diagonal and every
    cell in it rests on rock: nothing hangs over empty space until the world
    runs. bottom, if given, stops the chute at that row (it opens there,
    sideways, into whatever air it meets). Returns the store's box."""
    lv.rect(x0, y0, x1, y1, material)
    x = x0 if side < 0 else x1 - 1
    y = y0
    cut = []
    while True:
        x += side
        y -= 1
        cells = [(x, y + j) for j in range(width)]
        for cx, cy in cells:
            if lv.cells[cy, cx] != CLEAR:
                lv.cells[cy, cx] = material
                cut.append((cx, cy))
        if all(lv.cells[y + j, x + side] == CLEAR for j in range(width)) or (bottom is not None and y <= bottom):
            break
    # a chute cell over the open mouth would fall at once: leave it open
    for cx, cy in sorted(cut, key=lambda c: c[1]):
        if lv.cells[cy - 1, cx] == CLEAR:
            lv.cells[cy, cx] = CLEAR
    return (x0, y0, x1, y1)


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
