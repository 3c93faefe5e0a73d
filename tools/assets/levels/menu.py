"""The main menu's sandbox: one view, 384 x 216 cells, that never scrolls.

The four menu buttons sit across rows 55 to 76 and the option buttons in the
top corners, and the world is drawn over them, so the terrain stays below row
50 except at the outer edges. Left to right: the ledge the player stands on,
a sand dune, a pool of water, a stone outcrop to blast, and a lava pool that
a spring in the arch runs onto as soon as the menu opens, hissing steam and
growing an obsidian crust: the first thing a new player sees the world do.
"""
from level_canvas import LAVA, OBSIDIAN, PLAYER, SAND, STONE, WATER, Level
from level_shapes import crag, round_off, stalactites, weather


def build():
    lv = Level(384, 216)
    # bedrock and the rolling floor
    lv.ground([(0, 46), (48, 46), (60, 24), (130, 22), (140, 10), (215, 10), (225, 26),
               (240, 28), (250, 14), (330, 14), (345, 40), (383, 52)])
    lv.rect(0, 0, 384, 6, OBSIDIAN)
    # the player's ledge with a lip so a first rocket has something to hit
    lv.rect(0, 46, 12, 58, STONE)
    lv.stand(PLAYER, 30)
    # a dune of sand on the slope
    lv.heap(95, 22, 34, 20, SAND)
    # a pool held by the floor's dip
    lv.pour(131, 224, 10, 14, WATER)
    # an outcrop of stone between the pool and the lava
    crag(lv, [(222, 26), (232, 44), (244, 47), (252, 30), (246, 22)], 301, amp=2)
    # a lava pool in an obsidian basin; an ice block stands in its right end
    lv.ground([(249, 14), (252, 14), (258, 6), (326, 6), (332, 14), (334, 14)], material=OBSIDIAN)
    lv.clear(258, 7, 327, 14)
    lv.pour(252, 332, 6, 10, LAVA)
    # a floating island: sand on stone, and a cupped pool to blast open
    lv.polygon([(150, 128), (160, 116), (200, 112), (226, 120), (232, 130)], STONE)
    lv.heap(178, 128, 22, 9, SAND)
    lv.polygon([(262, 150), (268, 136), (300, 132), (318, 140), (322, 158), (314, 158),
                (310, 144), (272, 146), (270, 158)], STONE)
    lv.pour(270, 314, 140, 17, WATER)  # from below the bowl floor: fills down to it everywhere
    # a stone arch at the right edge, clear of the quit button
    lv.rect(346, 52, 384, 110, STONE)
    lv.clear(356, 52, 374, 78)
    # a spring fills the arch and runs out under it, down the slope onto the
    # lava: steam bursts and a crust of obsidian grows within seconds
    lv.pour(346, 384, 40, 38, WATER)
    round_off(lv, 0, 0, 384, 216, r=3)
    weather(lv, 0, 0, 384, 216, 303)
    # points hanging under the islands and the arch
    stalactites(lv, 158, 228, 304, 6, spacing=10, low=95, high=125)
    stalactites(lv, 274, 316, 305, 5, spacing=10, low=120, high=145)
    stalactites(lv, 358, 372, 306, 4, spacing=8, low=60, high=90)
    return lv
