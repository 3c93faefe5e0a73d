"""Level 2: lava, ice, obsidian, and a first rocket jump.

The first treasure lies on a rock shelf 60 cells over the start, out of a
jump's reach (34): from the obsidian pad beside it, a jump and a rocket at
the feet in the same moment (a rocket jump lifts the feet 110 or more)
carries the player up, and a miss only lands back on the pad. Lava throws
whoever touches it upwards and costs 20 health, so the player learns it on a
narrow pit (60 cells: an easy running jump). Ice is slippery: a run takes
0.6 s to reach speed on it and needs up to 125 cells to stop, so the ice
ends at a step, not at lava. Lava eats stone and melts ice, which is why
every lava basin is lined with obsidian; the wide lake is crossed on two
obsidian outcrops and the last one on a crust of obsidian floating on the
lava. Above the lake, on an island, a thin ice dam holds water back from a
lava pool: the lava melts it as the player crosses, hisses steam and crusts
over into obsidian where the water meets it.
"""
from level_canvas import HEALTH, ICE, LAVA, OBSIDIAN, PLAYER, STONE, TREASURE, Level
from level_shapes import (cliff, crag, fire_and_ice, floating, island, pocket, roll, round_off, stalactites,
                          stand_flat, weather)
from level_works import hopper


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 310, 60), (310, 768, 80)])
    roll(lv, 560, 620, 2, 62, keep=(590,))
    cliff(lv, 4, [(60, 14), (220, 10), (300, 36), (432, 110)], 63)
    cliff(lv, 764, [(80, -2), (110, 4), (200, 8), (300, 40), (432, 100)], 64, right=False)
    round_off(lv, 4, 4, 764, 432)
    # the shelf over the start, and the rocket-jump pad beside it
    crag(lv, [(4, 112), (58, 113), (72, 118), (62, 126), (4, 128)], 60, amp=2)
    lv.rect(84, 56, 112, 60, OBSIDIAN)
    lv.basin(150, 210, 40, 60, LAVA, 52)
    lv.rect(230, 56, 300, 60, ICE)
    lv.basin(370, 560, 50, 80, LAVA, 74)
    # two obsidian outcrops in the lake, ragged but flat enough to land on
    crag(lv, [(408, 46), (462, 46), (457, 68), (452, 86), (446, 92), (426, 92), (419, 84), (414, 66)], 75,
         amp=2, material=OBSIDIAN)
    crag(lv, [(478, 46), (532, 46), (527, 70), (522, 86), (514, 92), (494, 92), (488, 86), (483, 64)], 76,
         amp=2, material=OBSIDIAN)
    lv.basin(620, 740, 50, 80, LAVA, 78)
    # a crag over the start with icicles
    lv.polygon([(4, 250), (60, 262), (130, 250), (170, 262), (180, 280), (100, 292), (4, 300)], STONE)
    weather(lv, 4, 4, 764, 432, 65)
    stalactites(lv, 12, 176, 66, 18, spacing=14, material=ICE, low=200, high=290)
    # over the lake, low enough to run while the player is below: lava and
    # water in obsidian bowls either side of a thin ice dam
    tops = island(lv, 560, 232, 74, 46, 68)
    rim = min(tops[x] for x in range(500, 620))
    fire_and_ice(lv, 500, 620, rim, 12)
    floating(lv, 700, 300, 36, 30, 69, drips=10)
    floating(lv, 160, 380, 40, 34, 70, sand=7, drips=10)
    floating(lv, 340, 340, 50, 40, 67, water=36, drips=12)
    # obsidian and ice veins in the rock underground
    pocket(lv, 260, 30, 30, 8, OBSIDIAN, 71)
    pocket(lv, 600, 40, 20, 10, ICE, 72)
    # over the last lava pool, a hopper the window reaches as the player crosses the lake: its sand
    # streams down onto the lava, where it floats, and heaps into a causeway to the last treasure
    hopper(lv, 636, 168, 726, 206, (650, 681, 712), 78, hole=3)
    lv.set_piece(620, 76, 740, 120, 300, "sand from the hopper heaps into a causeway over the last lava pool")
    stand_flat(lv, PLAYER, 40, below=100)
    stand_flat(lv, TREASURE, 30, below=140)    # on the shelf: the rocket jump's prize
    stand_flat(lv, TREASURE, 285, below=200)   # near the ice's end: stopping there takes care
    stand_flat(lv, TREASURE, 505, below=200)
    stand_flat(lv, HEALTH, 590, below=200)
    stand_flat(lv, TREASURE, 745, below=200)
    return lv
