"""Level 10, the last: everything at once.

From a high plateau a sand dune runs down past two bats to a deep lake with a
treasure on its floor; a lava river (80 cells: a running jump) steams where
an ice floe melts into it; a stone wall hides a treasure in a sealed pocket,
blasted open; behind it a brute waits at the foot of a 90-cell cliff, climbed
by rocket jump from an obsidian pad, where a gunner, a rifle and a rocket
enemy hold the last treasure. A sealed grotto hangs with ice under the
start, the wall rises into a spire, and islands and crags fill the sky.
"""
from level_canvas import (BAT, CLEAR, GUNNER, HEALTH, ICE, LAVA, MELEE, OBSIDIAN, PLAYER, RIFLE, ROCKET,
                          SAND, STONE, TREASURE, WATER, Level)
from level_shapes import (cliff, crag, floating, pocket, pool, roll, round_off, stalactites, stand_flat,
                          weather)


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
    crag(lv, [(792, 117), (814, 115), (822, 124), (816, 134), (800, 136), (790, 126)], 246, amp=2, material=ICE)
    # the wall with a sealed treasure pocket, rising into a spire
    lv.rect(900, 130, 940, 420, STONE)
    crag(lv, [(898, 400), (870, 440), (880, 500), (915, 540), (950, 500), (960, 440), (942, 400)], 231)
    lv.clear(912, 130, 932, 150)
    # the rocket-jump pad and the cliff
    lv.rect(950, 126, 1000, 130, OBSIDIAN)
    lv.steps([(1000, 1148, 220), (1080, 1148, 244)], base=130)
    roll(lv, 4, 200, 4, 232, period=50, keep=(40,))
    cliff(lv, 4, [(400, 10), (480, 20), (560, 70), (648, 160)], 233)
    cliff(lv, 1148, [(244, -2), (290, 4), (340, 40), (460, 90), (648, 220)], 234, right=False)
    # a grotto sealed in the rock under the start, its pool fed by icicles
    lv.cave(30, 170, 200, 90, corner=30)
    round_off(lv, 4, 4, 1148, 648)
    weather(lv, 4, 4, 1148, 648, 235)
    # the wall and the ground before it drawn again after the wearing, whole
    lv.clear(850, 130, 900, 220)
    lv.rect(840, 100, 1000, 130, STONE)
    lv.rect(900, 130, 940, 400, STONE)
    lv.clear(912, 130, 932, 150)
    lv.basin(760, 840, 96, 130, LAVA, 122)
    crag(lv, [(792, 117), (814, 115), (822, 124), (816, 134), (800, 136), (790, 126)], 246, amp=2, material=ICE)
    lv.rect(950, 126, 1000, 130, OBSIDIAN)
    lv.pour(560, 730, 88, 40, WATER)  # from below the worn lake bed: fills its dents too
    pool(lv, 40, 160, 200, 12)
    stalactites(lv, 40, 160, 236, 24, spacing=14, material=ICE, low=215, high=300)
    stalactites(lv, 870, 960, 237, 14, spacing=14, low=380, high=470)
    floating(lv, 330, 540, 60, 54, 238, sand=10, water=40, drips=14)
    floating(lv, 560, 420, 50, 44, 239, sand=8, drips=12)
    floating(lv, 760, 500, 56, 50, 240, water=50, drips=14)
    floating(lv, 700, 300, 36, 32, 241, drips=10)
    floating(lv, 1040, 420, 40, 36, 242, sand=7, drips=10)
    pocket(lv, 120, 80, 60, 20, WATER, 243)
    pocket(lv, 300, 60, 50, 16, SAND, 244)
    pocket(lv, 1080, 80, 40, 16, ICE, 245)
    stand_flat(lv, PLAYER, 40, below=410)
    lv.place(BAT, 330, 360)
    lv.place(BAT, 450, 300)
    stand_flat(lv, TREASURE, 645, below=120)
    stand_flat(lv, HEALTH, 745, below=300)
    stand_flat(lv, TREASURE, 540, below=300)
    stand_flat(lv, HEALTH, 860, below=300)
    stand_flat(lv, TREASURE, 922, below=150)
    stand_flat(lv, MELEE, 968, below=300)
    stand_flat(lv, HEALTH, 1020, below=300)
    stand_flat(lv, GUNNER, 1055, below=260)
    stand_flat(lv, RIFLE, 1095, below=260)
    stand_flat(lv, ROCKET, 1120, below=260)
    stand_flat(lv, TREASURE, 1140, below=260)
    lv.set_piece(780, 110, 830, 140, 15, "the ice floe melts into the lava river")
    return lv
