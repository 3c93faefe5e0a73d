"""Level 5: bats alone, in the dark of a slot canyon.

Bats fly up to 100 cells a second, turn away from walls, bite for 10 and die
to one rocket (20 health). The player starts in a notch of sky at the head
of a slot canyon and drops down its winding crack into the dark: narrows
roofed by walls that lean in until they meet, a single bat among their
overhangs, then a second crack down to the lower narrows, a treasure back
at their west end and a pair of bats over the dry river's sand. The
narrows end in a pothole the old floods scoured out, its walls polished
hard; in its roof a slot choked with sand
is held by a chockstone. Shot from below, the chockstone goes and the choke
pours down into the pothole as a drift that lifts the player; from its top
a rocket jump rises up the emptied slot into a last gallery, where two more
bats guard the last treasure.
"""
from canyon_shapes import choke, facing, narrows, pothole, river_bed, slot, strata, wall
from level_canvas import BAT, HEALTH, PLAYER, STONE, TREASURE, Level
from level_shapes import round_off, stalactites, stand_flat

SURF = 540      # the notch of sky at the slot's head, where the player starts
UPPER = 330     # the upper narrows' floor
LOWER = 24      # the lower narrows' and the pothole's floor
THROAT = 120    # the choked slot's chockstone, in the pothole's roof
LEDGE = 200     # the last gallery's floor, where the choked slot comes up


def build():
    lv = Level(1152, 648)
    lv.frame()
    lv.rect(4, 4, 1148, 648, STONE)
    # the notch of sky at the head of the slot: the only daylight in the level
    lv.clear(4, SURF, 260, 648)
    wall(lv, lv.width, [(SURF - 4, 236), (590, 222), (648, 244)], 501, rough=4)
    slot(lv, [(150, SURF + 10), (172, 500), (140, 450), (180, 410), (160, UPPER + 20)], 44, 502)
    narrows(lv, 110, 570, UPPER, 76, 503)
    # cracks rising from the narrows' roofs towards daylight they never reach
    for k, (x, y, dx, h) in enumerate([(250, UPPER + 60, 14, 120), (420, UPPER + 60, -18, 90),
                                       (660, LOWER + 60, 12, 150), (1080, LEDGE + 50, -16, 170)]):
        slot(lv, [(x, y), (x + dx, y + h // 2), (x - dx // 2, y + h)], 12, 520 + k, wiggle=5)
    # the second crack down, and the lower narrows over the dry river
    slot(lv, [(525, UPPER + 10), (555, 270), (515, 200), (560, 120), (540, LOWER + 20)], 46, 504)
    narrows(lv, 440, 800, LOWER, 80, 505)
    # the pothole under the choked slot, and the last gallery over it
    pothole(lv, LOWER, [(740, LOWER + 70), (780, THROAT - 12), (860, THROAT + 4), (940, THROAT - 12),
                        (990, LOWER + 60)], 506)
    narrows(lv, 790, 1144, LEDGE, 62, 507)
    strata(lv, 4, 4, 1148, 640, 508)
    # the pothole's walls are polished hard by the old floods: its one way on is the chockstone
    facing(lv, 730, 1000, LOWER, THROAT - 2)
    lv.clear(842, THROAT - 12, 878, THROAT)
    choke(lv, (842, 878), THROAT, 10, LEDGE, 110, 509)
    round_off(lv, 4, 4, 1148, 648)
    stalactites(lv, 130, 550, 511, 12, spacing=26, low=UPPER + 46, high=UPPER + 110)
    stalactites(lv, 450, 740, 512, 12, spacing=26, low=LOWER + 50, high=LOWER + 120)
    stalactites(lv, 1020, 1140, 513, 10, spacing=24, low=LEDGE + 46, high=LEDGE + 110)
    river_bed(lv, 110, 480, UPPER - 4, 4, 514)
    lv.rect(440, 4, 1000, LOWER - 4, STONE)
    river_bed(lv, 440, 1000, LOWER - 4, 4, 515)
    stand_flat(lv, PLAYER, 60, below=SURF + 20)
    lv.place(BAT, 330, UPPER + 34)
    stand_flat(lv, TREASURE, 450, below=UPPER + 20)
    stand_flat(lv, TREASURE, 458, below=LOWER + 20)
    stand_flat(lv, HEALTH, 600, below=LOWER + 20)
    stand_flat(lv, TREASURE, 700, below=LOWER + 20)
    lv.place(BAT, 640, LOWER + 40)
    lv.place(BAT, 690, LOWER + 46)
    lv.place(BAT, 1060, LEDGE + 34)
    lv.place(BAT, 1100, LEDGE + 30)
    stand_flat(lv, TREASURE, 1124, below=LEDGE + 20)
    lv.set_piece(760, LOWER, 960, THROAT - 10, 1000, "the chockstone shot loose, the choked slot pours a drift into the pothole")
    return lv
