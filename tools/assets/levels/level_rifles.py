"""Level 8: rifle enemies, alone, on a mountain ridge.

Rifle enemies see 500 cells, fire a 20-damage bullet every 1 to 2 seconds
at 200 cells a second, and die to three rockets (60 health). Their bullets
bore holes of radius 10 into stone, so cover wears away. The player climbs
a ridge from boulder to boulder under a rifle on the first summit, drops
into a col closed by a knife-edge of granite too high and too sheer for
any rocket jump, and blasts the window through its foot: the window is
choked with scree fed by a gully inside the ridge, which runs down into
every hole and out of both mouths until the gully is empty and the way
is open. Beyond, two rifles hold the snowy summit and come down to meet
the player.
"""
from level_canvas import HEALTH, OBSIDIAN, PLAYER, RIFLE, STONE, TREASURE, Level
from level_shapes import stand_flat
from ridge_shapes import boulder, choked_window, fin, skyline, snowfield, spire

COL = 150           # the col's floor
FACE = 700          # the knife-edge's west foot
HEAD = 460          # the knife-edge's crest
WINDOW = 24         # the window through its foot


def build():
    lv = Level(1152, 648)
    lv.frame()
    skyline(lv, [(4, 330), (30, 300), (60, 200), (80, 100), (120, 100), (300, 180), (350, 222), (385, 222),
                 (440, 190), (500, 190), (560, COL), (FACE, COL)], 801, jag=7, period=14, keep=(110, 270, 365, 470, 620))
    skyline(lv, [(FACE, COL), (830, COL), (900, 200), (950, 205), (1000, 250), (1040, 262), (1080, 262),
                 (1148, 240)], 802, jag=5, period=14, keep=(815, 925, 1060, 1095, 1130))
    # the knife-edge: granite, with a window through its foot choked by a gully of scree
    fin(lv, FACE, FACE + 60, COL, HEAD, 803)
    lv.clear(FACE - 4, COL, FACE + 64, COL + WINDOW)
    lv.rect(FACE - 4, COL - 6, FACE + 64, COL, OBSIDIAN)
    box = choked_window(lv, FACE - 4, FACE + 64, COL, WINDOW, (FACE + 22, FACE + 38), COL + WINDOW + 50)
    # needles on the ridges, and snow on the summit
    spire(lv, 330, 190, 262, 12, 804, lean=-4)
    spire(lv, 60, 200, 360, 14, 805, lean=-8)
    snowfield(lv, 1010, 1148, 4, 806)
    boulder(lv, 200, 808, r=11)
    boulder(lv, 300, 809, r=12)
    boulder(lv, 590, 810, r=12)
    boulder(lv, 512, 812, r=13)
    boulder(lv, 870, 811, r=11)
    stand_flat(lv, PLAYER, 110)
    stand_flat(lv, HEALTH, 270)
    stand_flat(lv, TREASURE, 365)
    stand_flat(lv, RIFLE, 470)
    stand_flat(lv, TREASURE, 620)
    stand_flat(lv, HEALTH, 650)
    stand_flat(lv, HEALTH, 815)
    stand_flat(lv, TREASURE, 925)
    stand_flat(lv, RIFLE, 1060)
    stand_flat(lv, RIFLE, 1130)
    stand_flat(lv, TREASURE, 1095)
    lv.set_piece(*box, 1200, "the scree choking the window through the knife-edge runs out down its gully")
    return lv
