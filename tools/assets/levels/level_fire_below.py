"""Level 2: lava, ice and obsidian.

Lava throws whoever touches it upwards and costs 20 health, so the player
learns it on a narrow pit first (60 cells: an easy running jump). Ice is
slippery: a run takes 0.6 s to reach speed on it and needs up to 125 cells to
stop, so the ice strip ends at a step, not at lava. Lava eats stone and melts
ice, which is why every lava basin is lined with obsidian; the wide lake is
crossed on two obsidian pillars 40 cells wide (gaps of 30 to 45 cells) and the last one on a
crust of obsidian floating on the lava.
"""
from level_canvas import HEALTH, ICE, LAVA, OBSIDIAN, PLAYER, TREASURE, Level


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 310, 60), (310, 768, 80)])
    lv.basin(110, 170, 40, 60, LAVA, 52)
    lv.rect(200, 56, 300, 60, ICE)
    lv.basin(370, 560, 50, 80, LAVA, 74)
    lv.rect(415, 46, 455, 92, OBSIDIAN)
    lv.rect(485, 46, 525, 92, OBSIDIAN)
    lv.basin(620, 740, 50, 80, LAVA, 80)
    lv.rect(620, 74, 740, 80, OBSIDIAN)
    lv.stand(PLAYER, 40)
    lv.stand(TREASURE, 285)   # near the ice's end: stopping there takes care
    lv.stand(TREASURE, 505)
    lv.stand(HEALTH, 590)
    lv.stand(TREASURE, 745)
    return lv
