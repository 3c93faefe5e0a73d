"""Shapes for things that happen in front of the player: a sand hopper that
pours through holes in its floor, and a lava cistern whose stone lip the lava
wears through.

Both run only once the simulated window reaches them and then take seconds,
not a frame: sand leaves a hopper through a narrow hole a cell or two a
frame, and lava wears a stone cell beside it about once in twenty frames, so
what starts just beyond the view's edge is still happening when the view
arrives.
"""
from level_canvas import LAVA, OBSIDIAN, SAND, STONE

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


def cistern(lv, x0, y0, x1, y1, lip, right=True, liner=OBSIDIAN, wall=4):
    """Lava in an obsidian cup x0..x1, y0..y1 (outside, lidded), its right
    (or left) side a stone lip lip cells thick: the lava wears the lip
    through along its foot and spills out there. Returns the lip's x range."""
    lv.rect(x0, y0, x1, y1, liner)
    inner0, inner1 = x0 + wall, x1 - wall
    if right:
        lv.rect(x1 - lip, y0 + wall, x1, y1 - wall, STONE)
        inner1 = x1 - lip
    else:
        lv.rect(x0, y0 + wall, x0 + lip, y1 - wall, STONE)
        inner0 = x0 + lip
    lv.rect(inner0, y0 + wall, inner1, y1 - wall, LAVA)
    return (x1 - lip, x1) if right else (x0, x0 + lip)
