"""Level 18, the last: everything at once.

From a high plateau a sand dune (a long windward back, a crest, a steep slip
face curving out into its foot) runs down past two bats to a deep lake with a
treasure on its floor; a lava river (80 cells: a running jump) is bridged by
sand pouring from a hopper above it while the player dives in the lake; a
stone wall hides a treasure in a sealed pocket, blasted open; behind it a brute waits at the foot of a 90-cell cliff, climbed
by rocket jump from an obsidian pad, where a gunner, a rifle and a rocket
enemy hold the last treasure. A sealed grotto hangs with ice under the
start, the wall rises into a spire, and islands and crags fill the sky.
"""
from level_canvas import (BAT, GUNNER, HEALTH, ICE, LAVA, MELEE, OBSIDIAN, PLAYER, RIFLE, ROCKET, SAND, STONE,
                          TREASURE, WATER, Level)
from level_shapes import (cliff, crag, floating, pocket, pool, roll, round_off, stalactites, stand_flat,
                          weather)
from level_works import hopper


# The dune: a long windward back up from the plateau to a crest, a slip face as steep as sand
# stands (one cell down per cell across) curving out into a gentler foot on a stone shoulder over
# the lake shore. Under the crest the wind has left the lee face steeper still.
DUNE = [(200, 400), (228, 406), (252, 414), (276, 419), (296, 418), (304, 410), (344, 330), (420, 254),
        (450, 232), (480, 215), (505, 204)]
DUNE_CORE = [(0, 400), (200, 400), (215, 380), (300, 330), (400, 250), (500, 200), (514, 196), (526, 140),
             (530, 130), (560, 130)]


def build():
    lv = Level(1152, 648)
    lv.frame()
    # the start plateau and the dune down to the lake shore
    lv.ground(DUNE_CORE)
    lv.ground(DUNE, material=SAND, base=0)
    lv.ground(DUNE_CORE[1:], material=STONE)
    # the lake: slopes of 0.7 in and out
    lv.ground([(560, 130), (610, 95), (680, 95), (730, 130), (740, 130)])
    lv.pour(560, 730, 95, 33, WATER)
    # the lava river
    lv.steps([(740, 1152, 130)])
    lv.basin(760, 840, 96, 130, LAVA, 122)
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
    lv.place(BAT, 330, 400)
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
    # over the lava river, a hopper the window reaches while the player dives in the lake: its
    # sand streams down in sight and heaps into a causeway over the river
    hopper(lv, 766, 196, 834, 226, (786, 814), 247, hole=4)
    lv.set_piece(760, 120, 840, 160, 300, "sand from the hopper heaps into a causeway over the lava river")
    return lv
