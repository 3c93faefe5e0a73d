"""Level 13: the slag run, three galleries down through the works.

The top gallery is walked out past a sheer lava pit (rocket-jumped from its
obsidian rim) to a rocket enemy in a bay of its own, walled off by a humped
tunnel so it never sees the player first. A shaft drops to the casting
gallery, walked back past a gunner on its gantry to the slag trench: three
hundred cells of lava sixty under the rims, no jump crosses it and whoever
falls in is thrown against its walls until they burn. Over its near end a
water tank hangs from the roof on a stone floor: blasted, it empties onto the
lava and crusts it into an obsidian causeway, walked along and rocket-jumped
out of at the far end. A second shaft drops to the lowest gallery, where two
brutes walk and a last rocket enemy guards the last treasure behind its
tunnel.
"""
from lava_shapes import gantry, hall, hump_wall, launder, lava_pit, shaft, slag
from level_canvas import (GUNNER, HEALTH, MELEE, OBSIDIAN, PLAYER, ROCKET, STONE, TREASURE, WATER, Level)

TOP = 470      # the top gallery's floor
MID = 270      # the casting gallery's floor
LOW = 50       # the lowest gallery's floor
TRENCH = (380, 680)


def build():
    lv = Level(1152, 648)
    lv.rect(0, 0, 1152, 648, STONE)
    lv.frame()
    # the top gallery: a sheer lava pit, a slag heap, and the rocket bay behind its tunnel
    hall(lv, 4, 1148, TOP, 140, chamfer=30)
    lava_pit(lv, 260, 400, TOP - 80, TOP, TOP - 60)
    slag(lv, 560, TOP, 40, 20, 401)
    hump_wall(lv, 760, 800, TOP, 620)
    # a lava slot before the shaft
    lava_pit(lv, 930, 1010, TOP - 44, TOP, TOP - 30)
    shaft(lv, 1080, 1148, MID, TOP + 1)
    # the casting gallery, its gunner's gantry and the slag trench
    hall(lv, 4, 1148, MID, 110, chamfer=24)
    gantry(lv, 860, 950, MID + 34, posts=(866, 938))
    # whatever comes down the shaft after the player lands behind a wall of its own
    hump_wall(lv, 1000, 1040, MID, MID + 110)
    x0, x1 = TRENCH
    lv.rect(x0 - 4, MID - 64, x1 + 4, MID, OBSIDIAN)
    lv.clear(x0, MID - 60, x1, MID)
    lv.rect(x0, MID - 60, x1, MID - 24, WATER)
    # the launder over it: a trough of lava in bays, each with a stone tap the lava burns through
    launder(lv, x0 + 8, x1 - 8, MID + 70, [x for x in range(x0 + 26, x1 - 8, 36)])
    shaft(lv, 4, 70, LOW, MID + 1)
    # the lowest gallery and the last rocket bay
    hall(lv, 4, 1148, LOW, 110, chamfer=20)
    slag(lv, 400, LOW, 36, 18, 403)
    hump_wall(lv, 780, 820, LOW, 160)
    # the last bay no wider than half the view: its rocket enemy never sees past the tunnel's mouth
    lv.rect(1010, LOW - 3, 1148, LOW + 110, STONE)
    lv.rect(1010, LOW - 3, 1016, LOW + 110, OBSIDIAN)
    lv.stand(PLAYER, 40, below=TOP + 40)
    lv.stand(HEALTH, 470, below=TOP + 40)
    lv.stand(GUNNER, 866, below=TOP + 40)
    lv.stand(TREASURE, 1058, below=TOP + 40)
    lv.stand(GUNNER, 905, below=MID + 60)
    lv.stand(HEALTH, 760, below=MID + 40)
    lv.stand(MELEE, 200, below=MID + 40)
    lv.stand(TREASURE, 110, below=MID + 40)
    lv.stand(MELEE, 250, below=LOW + 40)
    lv.stand(MELEE, 600, below=LOW + 40)
    lv.stand(HEALTH, 740, below=LOW + 40)
    lv.stand(ROCKET, 900, below=LOW + 40)
    lv.stand(TREASURE, 990, below=LOW + 40)
    lv.set_piece(x0, MID - 30, x1, MID - 20, 200, "the launder burns through its taps and crusts the quench channel into a causeway")
    return lv
