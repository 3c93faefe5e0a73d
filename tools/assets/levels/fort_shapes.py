"""Shapes of the mountain fort: masonry built on the ridges' rock.

A fort holds a pass, so its walls stand across the col from one slope to
the other: curtain walls of stone with merlons on their crests, towers of
obsidian that no rocket wears, a gatehouse whose gate a stairwell of sand
keeps choked, and vaulted magazines sunk under the ramparts, lit by a hatch
in their roof. The masonry is square where the ridge around it is jagged,
so the fort reads at a glance against the range.
"""
from level_canvas import CLEAR, OBSIDIAN, SAND, STONE


def merlons(lv, x0, x1, top, width=8, gap=6, height=6, material=STONE):
    """Battlements along a wall's crest at row top, from x0 to x1: merlons
    width cells wide, gap apart, height tall."""
    x = x0
    while x + width <= x1:
        lv.rect(x, top, x + width, top + height, material)
        x += width + gap


def tower(lv, x0, x1, foot, top, material=OBSIDIAN, proud=2):
    """A square tower from row foot to row top, crowned with merlons and
    a corbelled parapet proud cells out from its faces (0 where a climber
    must come up its face onto the top)."""
    lv.rect(x0, foot, x1, top, material)
    lv.rect(x0 - proud, top - 4, x1 + proud, top, material)
    merlons(lv, x0 - proud, x1 + proud, top, width=7, gap=5, height=7, material=material)


def curtain(lv, x0, x1, foot, top, material=STONE, crest=True):
    """A curtain wall from foot to top between x0 and x1, battlemented."""
    lv.rect(x0, foot, x1, top, material)
    if crest:
        merlons(lv, x0, x1, top, material=material)


def choked_gate(lv, x0, x1, floor, height, well, well_top, material=SAND):
    """A gate through a tower, x0..x1 and height rows tall on floor, choked
    with sand that the tower's stairwell over it holds: well is (w0, w1), a
    shaft up inside the tower to row well_top, full to its top. Shot, the
    sand runs down the stairwell into the hole and out of both arches until
    the well is empty and the gate open. Returns the box of sand."""
    w0, w1 = well
    lv.rect(x0, floor, x1, floor + height, material)
    lv.rect(w0, floor + height, w1, well_top, material)
    return x0, floor, x1, well_top


def magazine(lv, x0, x1, floor, ceiling, hatch, baffle=6, shell=6, material=OBSIDIAN):
    """A vaulted magazine sunk under a rampart: an obsidian box x0..x1 from
    floor to ceiling, walls shell thick, entered only by a hatch (h0, h1) in
    its roof, with a baffle hanging from the roof just inside the hatch down
    to 34 rows over the floor, so whoever holds it sees out of the hatch only
    by a steep line. Returns the inside box."""
    h0, h1 = hatch
    lv.rect(x0, floor - shell, x1, ceiling + shell, material)
    lv.clear(x0 + shell, floor, x1 - shell, ceiling)
    lv.rect(h0, ceiling, h1, ceiling + shell, CLEAR)
    lv.rect(h1 + 4, floor + 34, h1 + 4 + baffle, ceiling, material)
    return x0 + shell, floor, x1 - shell, ceiling
