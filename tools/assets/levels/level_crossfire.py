"""Level 9: every enemy kind together, on three times the ground.

A sand valley holds a melee brute under two bats; a fort across a lava moat
(50 cells, a running jump) has a gunner inside its hall and a rifle on its
roof, and is entered by blasting its wall; then a stair of 24-cell steps
climbs to a plateau where a rocket enemy watches a pool. Health boxes wait
after each fight.
"""
from level_canvas import (BAT, CLEAR, GUNNER, HEALTH, LAVA, MELEE, PLAYER, RIFLE, ROCKET, SAND, STONE,
                          TREASURE, WATER, Level)


def build():
    lv = Level(1152, 648)
    lv.frame()
    lv.ground([(0, 80), (150, 80), (200, 60), (330, 60), (380, 80), (1152, 80)])
    # the valley floor is sand
    lv.ground([(150, 80), (200, 60), (330, 60), (380, 80)], material=SAND, base=54)
    lv.rect(150, 0, 380, 54, STONE)
    # the fort: a hall behind a lava moat, a door out on the far side
    lv.basin(370, 420, 50, 80, LAVA, 72)
    lv.rect(470, 80, 730, 170, STONE)
    lv.clear(484, 80, 716, 156)
    lv.clear(716, 80, 730, 106)
    # the stair to the plateau, and a pool in the plateau's dip
    lv.steps([(760, 800, 104), (800, 840, 128), (840, 880, 152), (880, 920, 176), (920, 960, 200),
              (960, 1148, 224)], base=80)
    lv.polygon([(995, 225), (1025, 206), (1055, 206), (1085, 225)], CLEAR)
    lv.pour(995, 1085, 206, 16, WATER)
    lv.stand(PLAYER, 40)
    lv.stand(HEALTH, 120)
    lv.place(BAT, 220, 200)
    lv.place(BAT, 300, 250)
    lv.stand(MELEE, 240)
    lv.stand(TREASURE, 310)
    lv.stand(GUNNER, 600, below=150)
    lv.stand(RIFLE, 650)
    lv.stand(TREASURE, 695, below=150)
    lv.stand(HEALTH, 745)
    lv.stand(HEALTH, 975)
    lv.stand(TREASURE, 1040, below=215)
    lv.stand(ROCKET, 1110)
    lv.stand(TREASURE, 1135)
    return lv
