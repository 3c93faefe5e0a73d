"""Level 8: machine gunners, alone.

Gunners see only 200 cells but fire bursts of 3 to 8 bullets (5 damage each)
and keep firing at the last place they saw the player for 2 to 4 bursts;
they take five rockets (125 health). Rockets fly much farther than a gunner
sees, so each gunner sits on a mound that can be shelled from a trench more
than 200 cells away. The middle trench holds water: a place to duck under
the bullets, if not for long.
"""
from level_canvas import GUNNER, HEALTH, PLAYER, STONE, TREASURE, WATER, Level


def build():
    lv = Level(768, 432)
    lv.frame()
    # trench walls rise 0.7 to 0.8 cells per cell: walkable out of the water too
    lv.ground([(0, 70), (80, 70), (105, 50), (155, 50), (180, 70), (240, 70), (260, 84), (300, 84),
               (320, 70), (340, 70), (380, 42), (450, 42), (490, 70), (530, 70), (565, 96), (615, 96),
               (650, 70), (768, 70)])
    lv.pour(340, 490, 42, 26, WATER)
    # a stone lip on each trench so the bullets have something to chew first
    lv.rect(180, 60, 194, 80, STONE)
    lv.rect(505, 60, 519, 80, STONE)
    lv.stand(PLAYER, 40)
    lv.stand(TREASURE, 130)
    lv.stand(GUNNER, 280)
    lv.stand(HEALTH, 210)
    lv.stand(TREASURE, 415, below=60)
    lv.stand(GUNNER, 590)
    lv.stand(HEALTH, 662)
    lv.stand(GUNNER, 700)
    lv.stand(TREASURE, 745)
    return lv
