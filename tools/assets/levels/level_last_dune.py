"""Level 10, the last: everything at once.

From a high plateau a sand dune runs down past two bats to a deep lake with a
treasure on its floor; a lava river (80 cells: a running jump) steams where
an ice floe melts into it; a stone wall hides a treasure in a sealed pocket,
blasted open; behind it a brute waits at the foot of a 90-cell cliff, climbed
by rocket jump from an obsidian pad, where a gunner, a rifle and a rocket
enemy hold the last treasure.
"""
from level_canvas import (BAT, CLEAR, GUNNER, HEALTH, ICE, LAVA, MELEE, OBSIDIAN, PLAYER, RIFLE, ROCKET,
                          SAND, STONE, TREASURE, WATER, Level)


def build():
    lv = Level(1152, 648)
    lv.frame()
    # the start plateau and the dune down to the lake shore
    lv.ground([(0, 400), (200, 400), (520, 130), (560, 130)])
    lv.ground([(200, 400), (520, 130), (560, 130)], material=SAND, base=0)
    lv.ground([(190, 380), (500, 110), (560, 110)], material=STONE)
    # the lake: slopes of 0.7 in and out
    lv.ground([(560, 130), (610, 95), (680, 95), (730, 130), (740, 130)])
    lv.pour(560, 730, 95, 33, WATER)
    # the lava river and the ice floe melting into it
    lv.steps([(740, 1152, 130)])
    lv.basin(760, 840, 96, 130, LAVA, 122)
    lv.rect(800, 118, 812, 150, ICE)
    # the wall with a sealed treasure pocket
    lv.rect(900, 130, 940, 420, STONE)
    lv.clear(912, 130, 932, 150)
    # the rocket-jump pad and the cliff
    lv.rect(950, 126, 1000, 130, OBSIDIAN)
    lv.steps([(1000, 1148, 220), (1080, 1148, 244)], base=130)
    lv.stand(PLAYER, 40)
    lv.place(BAT, 330, 360)
    lv.place(BAT, 450, 300)
    lv.stand(TREASURE, 645, below=120)
    lv.stand(HEALTH, 745)
    lv.stand(TREASURE, 540)
    lv.stand(HEALTH, 860)
    lv.stand(TREASURE, 922, below=150)
    lv.stand(MELEE, 968)
    lv.stand(HEALTH, 1020)
    lv.stand(GUNNER, 1055)
    lv.stand(RIFLE, 1095)
    lv.stand(ROCKET, 1120)
    lv.stand(TREASURE, 1140)
    return lv
