"""Shapes for things that happen in front of the player: a sand hopper that
pours through holes in its floor.

It runs only once the simulated window reaches it and then takes seconds,
not a frame: sand leaves through a narrow hole a cell or two a frame, so a
hopper that starts just beyond the view's edge is still pouring when the
view arrives.
"""
from level_canvas import SAND, STONE

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

