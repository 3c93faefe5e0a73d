"""Level 5: melee enemies, alone.

A melee enemy has 200 health (eight full rocket hits), runs at 30 cells a
second against the player's 70, jumps only 18 cells and hits for 20 on
contact. It can be fought from a distance while backing off, or jumped over
(a jump clears 34 cells, the enemy is 16 tall). It will not walk into lava:
the lava pit between the two arenas keeps the second brute on its side.
"""
from level_canvas import HEALTH, LAVA, MELEE, PLAYER, SAND, STONE, TREASURE, Level


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 484, 60), (484, 768, 80)])
    lv.basin(430, 480, 36, 60, LAVA, 52)   # 50 cells: a running jump, 20 cells up
    # the second arena is sand: everyone runs a little slower on it
    lv.rect(484, 76, 764, 80, SAND)
    # a ledge over the first arena to shoot down from
    lv.rect(180, 122, 300, 130, STONE)
    lv.steps([(90, 130, 84), (130, 170, 108)])
    lv.stand(PLAYER, 40)
    lv.stand(TREASURE, 240, below=160)
    lv.stand(MELEE, 330)
    lv.stand(TREASURE, 372)
    lv.stand(HEALTH, 505)
    lv.stand(MELEE, 640)
    lv.stand(TREASURE, 740)
    return lv
