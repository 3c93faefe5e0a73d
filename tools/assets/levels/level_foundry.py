"""Level 12: the foundry cut into the rock.

Two halls, one over the other, both floored with obsidian plate. The casting
hall on top is crossed by a sheer lava pit too wide for a running jump: a
rocket jump from its edge carries the player over, and whoever falls in is
thrown against its walls until the health runs out or a rocket lifts them.
A brute walks the slag heaps beyond; a treasure waits on a high gantry, a
rocket jump off the second heap, and another by the drop shaft, watched by a
gunner. The melt hall below is walked back the other way past a second
gunner on its gantry to the quench pool: twenty-four cells of sheer wall
stand between its water and either rim, and an obsidian roof hangs too low
to jump it. Ladles hung from that roof burn through their stone plugs as the
player comes near, and their drips crust the pool into an obsidian causeway.
Beyond, a brute guards the pump bay, climbed by three rocket jumps from
obsidian landing to landing to the last treasure.
"""
from lava_shapes import gantry, hall, ladle, lava_pit, shaft, slag
from level_canvas import (CLEAR, GUNNER, HEALTH, MELEE, OBSIDIAN, PLAYER, STONE, TREASURE, WATER,
                          Level)

UPPER = 400   # the casting hall's floor
LOWER = 80    # the melt hall's floor
POOL = (440, 640)  # the quench pool's span in the melt hall
POOL_WATER = 56    # its surface, 24 cells under the rims


def build():
    lv = Level(1152, 648)
    lv.rect(0, 0, 1152, 648, STONE)
    lv.frame()
    # the casting hall, and its lava pit: sheer, 150 wide, its lava 64 under the floor
    hall(lv, 4, 1148, UPPER, 150, chamfer=30)
    lava_pit(lv, 330, 480, UPPER - 90, UPPER, UPPER - 64)
    slag(lv, 640, UPPER, 40, 18, 301)
    slag(lv, 820, UPPER, 46, 22, 302)
    # the drop shaft at the far end: the side wall stops a runner over it
    shaft(lv, 1080, 1148, LOWER, UPPER + 1)
    # the high gantry over the second heap, for a rocket jump off its crown
    gantry(lv, 860, 960, UPPER + 100, posts=(950,))
    # the melt hall, with a gantry for its gunner
    hall(lv, 4, 1148, LOWER, 120, chamfer=20)
    # the pump bay at its far end, three obsidian landings up
    lv.polygon([(4, LOWER), (220, LOWER), (220, LOWER + 280), (190, LOWER + 310), (4, LOWER + 310)], CLEAR)
    gantry(lv, 90, 170, LOWER + 90, posts=(160,))
    gantry(lv, 4, 64, LOWER + 176)
    gantry(lv, 130, 222, LOWER + 262)
    gantry(lv, 840, 930, LOWER + 34, posts=(846, 918))
    # the quench pool under an obsidian roof hung low, 100 over the floor
    x0, x1 = POOL
    lv.rect(x0 - 60, LOWER + 100, x1 + 40, LOWER + 130, OBSIDIAN)
    lv.rect(x0 - 4, POOL_WATER - 34, x1 + 4, LOWER, OBSIDIAN)
    lv.clear(x0, POOL_WATER - 30, x1, LOWER)
    lv.rect(x0, POOL_WATER - 30, x1, POOL_WATER, WATER)
    # ladles hung over the pool from the roof: their stone plugs burn through
    for cx in range(x0 + 20, x1, 40):
        ladle(lv, cx, LOWER + 84, 6, 8, plug=4)
    lv.stand(PLAYER, 40, below=UPPER + 40)
    lv.stand(HEALTH, 560, below=UPPER + 40)
    lv.stand(MELEE, 740, below=UPPER + 40)
    lv.stand(TREASURE, 1000, below=UPPER + 40)
    lv.stand(TREASURE, 900, below=UPPER + 140)
    lv.stand(GUNNER, 1060, below=UPPER + 40)
    lv.stand(GUNNER, 880, below=LOWER + 60)
    lv.stand(HEALTH, 760, below=LOWER + 60)
    lv.stand(MELEE, 200, below=LOWER + 60)
    lv.stand(TREASURE, 180, below=LOWER + 300)
    lv.set_piece(x0 - 10, POOL_WATER - 6, x1, POOL_WATER + 4, 120,
                 "the ladles burn through their stone plugs and crust the quench pool into a causeway")
    return lv
