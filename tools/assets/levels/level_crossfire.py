"""Level 9: every enemy kind together, at a fort holding a mountain pass.

The first half's closing fight, held from several sides at once. A treasure
on the summit's watchtower, climbed by rocket jump from the obsidian pad at
its foot; down the shelves past a brute, into the fort's bailey on the col
under two bats and a rifle on the gatehouse roof. The gatehouse's obsidian
tower stands too tall and too far from any slope for a rocket jump to top:
its gate is choked with sand that the stairwell over it holds, and every
rocket into the arch lets more of it run out of both sides until the
stairwell is empty and the way is open. Inside, the ward is shot at from
both ends, a machine gunner on its floor, the gatehouse's rifle behind and
another on the rampart ahead under the keep; an obsidian pad under the rampart's face is
the rocket jump up. Last, a magazine sunk under the rampart, dropped into by
a hatch in the slot between the keep and a flanking tower, where a rocket
enemy guards the last treasure and sees out only straight up the slot.
"""
from fort_shapes import choked_gate, curtain, magazine, merlons, tower
from level_canvas import BAT, GUNNER, HEALTH, MELEE, OBSIDIAN, PLAYER, RIFLE, ROCKET, TREASURE, Level
from level_shapes import stand_flat
from ridge_shapes import boulder, skyline, snowfield, spire

COL = 150           # the col's floor, where the fort stands
GATE = (640, 704)   # the gatehouse tower
RAMPART = 240       # the rampart's walk over the ward's east side
MAG = 1010          # the magazine's west wall
HATCH = (1020, 1060)


def build():
    lv = Level(1152, 648)
    lv.frame()
    # the west summit, the shelves down it and the col
    skyline(lv, [(4, 340), (30, 300), (150, 300), (215, 250), (300, 250), (355, 205), (425, 205), (470, COL),
                 (1148, COL)], 901, jag=7, period=14, keep=(90, 130, 260, 400, 480))
    # the fort's watchtower on the summit, climbed by rocket jump from the pad at its foot
    tower(lv, 16, 56, 296, 396, proud=0)
    lv.clear(26, 396, 50, 404)
    lv.rect(56, 294, 104, 300, OBSIDIAN)
    spire(lv, 200, 250, 300, 10, 902, lean=4)
    snowfield(lv, 4, 160, 4, 903)
    boulder(lv, 330, 904, r=10)
    # the bailey's outer wall, jumped
    curtain(lv, 520, 534, COL, COL + 16)
    # the gatehouse: an obsidian tower on an obsidian footing, its gate choked from its stairwell
    g0, g1 = GATE
    lv.rect(g0 - 4, 4, g1 + 4, COL, OBSIDIAN)
    tower(lv, g0, g1, COL, 470)
    lv.clear(g0 + 10, 470, g1 - 10, 478)        # the rifle's post between the merlons
    lv.clear(g0 - 4, COL, g1 + 4, COL + 24)
    box = choked_gate(lv, g0 - 4, g1 + 4, COL, 24, (g0 + 24, g0 + 40), COL + 24 + 60)
    # the ward's pad under the rampart, and the rampart with the magazine sunk under it
    lv.rect(836, COL - 6, 880, COL, OBSIDIAN)
    curtain(lv, 880, 1148, COL, RAMPART, crest=False)
    merlons(lv, 880, 894, RAMPART)
    inside = magazine(lv, MAG, 1152, COL, RAMPART - 20, HATCH)
    lv.clear(HATCH[0], RAMPART - 20, HATCH[1], RAMPART)
    lv.frame()
    # the keep on the rampart and a flanking tower, the magazine's hatch a slot between them:
    # whoever holds the magazine sees up the slot and nowhere else
    tower(lv, 960, HATCH[0], RAMPART, 360, proud=0)
    lv.clear(972, 360, 1008, 368)
    tower(lv, HATCH[1] + 4, 1148, RAMPART - 20, 330)
    stand_flat(lv, PLAYER, 90)
    stand_flat(lv, TREASURE, 38)
    stand_flat(lv, HEALTH, 130)
    stand_flat(lv, MELEE, 260)
    stand_flat(lv, TREASURE, 400)
    stand_flat(lv, HEALTH, 480)
    lv.place(BAT, 570, 240)
    lv.place(BAT, 610, 270)
    stand_flat(lv, TREASURE, 590)
    stand_flat(lv, HEALTH, 612)
    stand_flat(lv, RIFLE, (g0 + g1) // 2)
    stand_flat(lv, HEALTH, 730)
    stand_flat(lv, HEALTH, 760)
    stand_flat(lv, GUNNER, 800)
    stand_flat(lv, TREASURE, 850)
    stand_flat(lv, RIFLE, 922)
    lv.stand(HEALTH, inside[0] + 20, below=COL + 20)
    lv.stand(ROCKET, inside[2] - 36, below=COL + 20)
    lv.stand(TREASURE, inside[2] - 12, below=COL + 20)
    stand_flat(lv, TREASURE, 990)
    lv.set_piece(*box, 1000, "the sand choking the gatehouse's gate runs out of its stairwell into the col")
    return lv
