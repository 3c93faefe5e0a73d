"""Level 2: lava, ice and obsidian.

Lava throws whoever touches it upwards and costs 20 health, so the player
learns it on a narrow pit first (60 cells: an easy running jump). Ice is
slippery: a run takes 0.6 s to reach speed on it and needs up to 125 cells to
stop, so the ice strip ends at a step, not at lava. Lava eats stone and melts
ice, which is why every lava basin is lined with obsidian; the wide lake is
crossed on two obsidian pillars 40 cells wide (gaps of 30 to 45 cells) and the last one on a
crust of obsidian floating on the lava. High overhead, out of the way,
islands show what the materials do to each other: an ice shelf melting into
a lava pool, and lava wearing through a stone dam into water, hissing steam.
"""
from level_canvas import HEALTH, ICE, LAVA, OBSIDIAN, PLAYER, STONE, TREASURE, WATER, Level
from level_shapes import cliff, floating, island, pocket, roll, round_off, stalactites, stand_flat, weather


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 310, 60), (310, 768, 80)])
    roll(lv, 4, 110, 3, 61, keep=(40,))
    roll(lv, 560, 620, 2, 62, keep=(590,))
    cliff(lv, 4, [(60, 14), (220, 10), (300, 36), (432, 110)], 63)
    cliff(lv, 764, [(80, -2), (110, 4), (200, 8), (300, 40), (432, 100)], 64, right=False)
    round_off(lv, 4, 4, 764, 432)
    lv.basin(110, 170, 40, 60, LAVA, 52)
    lv.rect(200, 56, 300, 60, ICE)
    lv.basin(370, 560, 50, 80, LAVA, 74)
    lv.rect(415, 46, 455, 92, OBSIDIAN)
    lv.rect(485, 46, 525, 92, OBSIDIAN)
    lv.basin(620, 740, 50, 80, LAVA, 80)
    lv.rect(620, 74, 740, 80, OBSIDIAN)
    # a crag over the start with icicles
    lv.polygon([(4, 250), (60, 262), (130, 250), (170, 262), (180, 280), (100, 292), (4, 300)], STONE)
    weather(lv, 4, 4, 764, 432, 65)
    stalactites(lv, 12, 176, 66, 18, spacing=14, material=ICE, low=200, high=290)
    # an island with a lava pool in obsidian and an ice shelf on its rim: it melts,
    # the water boils on the lava, and the steam drifts up, far above the path
    island(lv, 330, 330, 70, 50, 67)
    # walls higher than the ice, so its water stays in the basin
    lv.rect(290, 318, 372, 348, OBSIDIAN)
    lv.clear(294, 322, 368, 349)
    lv.pour(294, 368, 322, 6, LAVA)
    lv.rect(354, 324, 368, 344, ICE)
    # an island where lava and water wait either side of a stone dam
    island(lv, 560, 380, 70, 50, 68)
    lv.rect(506, 366, 614, 381, OBSIDIAN)
    lv.clear(510, 370, 558, 382)
    lv.clear(562, 370, 610, 382)
    lv.rect(558, 370, 562, 381, STONE)
    lv.pour(510, 558, 370, 9, LAVA)
    lv.pour(562, 610, 370, 9, WATER)
    floating(lv, 700, 300, 36, 30, 69, drips=10)
    floating(lv, 160, 380, 40, 34, 70, sand=7, drips=10)
    # obsidian and ice veins in the rock underground
    pocket(lv, 260, 30, 30, 8, OBSIDIAN, 71)
    pocket(lv, 600, 40, 20, 10, ICE, 72)
    stand_flat(lv, PLAYER, 40, below=200)
    stand_flat(lv, TREASURE, 285, below=200)   # near the ice's end: stopping there takes care
    stand_flat(lv, TREASURE, 505, below=200)
    stand_flat(lv, HEALTH, 590, below=200)
    stand_flat(lv, TREASURE, 745, below=200)
    return lv
