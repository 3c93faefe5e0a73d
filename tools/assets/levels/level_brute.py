"""Level 4: the first enemies, brutes alone, in a canyon.

A brute has 200 health (eight full rocket hits), runs at 30 cells a second
against the player's 70, jumps only 18 cells and hits for 20 on contact:
it is out-run, or jumped over (a jump clears 34 cells, a brute is 16 tall),
and it will not walk into lava. The player starts on the west rim of a
canyon cut through banded rock, drops to a ledge under an alcove and on to
the dry river bed, where a brute waits; a lava pool in the bed keeps him on
his side. Beyond it a second brute roams before the pier of a natural
bridge, polished rock that no rocket jump climbs. Between the pier and the
dry fall the canyon narrows to a slot choked with sand, held up by a thin
chockstone shelf over a room entered through an arch under the pier. Shot
from below, the shelf breaks and the choke pours into the room, lifting
the player on its heap; from its top a jump carries up through the broken
shelf, and the east rim is a step beyond. Through a window in a rock fin a
treasure lies under the canyon's east wall; a stair climbs the fin to its
top, where the natural bridge runs back west over the whole canyon, past
the pier, to its fallen end, a third brute walking it.
"""
from canyon_shapes import alcove, facing, ledge, natural_bridge, river_bed, strata, wall
from level_canvas import LAVA, MELEE, PLAYER, SAND, STONE, TREASURE, Level
from level_shapes import crag, round_off, stand_flat

ROCK = 10       # the rock under the river bed
WEST = 300      # the west rim, where the player starts
EAST = 110      # the east rim, over the dry fall
DECK = 280      # the natural bridge
FALL = 880      # the foot of the dry fall
SHELF = 80      # the chockstone shelf across the slot, its underside


def build():
    lv = Level(1152, 648)
    lv.frame()
    lv.rect(4, 0, 1148, ROCK, STONE)
    # the west wall, its face leaning back a little towards the rim, and the upper wall behind the rim
    wall(lv, 0, [(0, 342), (120, 346), (220, 336), (WEST, 330)], 401)
    wall(lv, 0, [(WEST - 10, 232), (400, 214), (520, 236), (648, 200)], 410, rough=5)
    # the east wall under the rim: the dry fall; the upper wall beyond the fin
    wall(lv, lv.width, [(0, FALL + 4), (120, FALL), (EAST, FALL)], 402, rough=1)
    wall(lv, lv.width, [(EAST - 10, 1134), (360, 1138), (470, 1118), (648, 1136)], 411, rough=5)
    # the fin on the east rim: a window through its foot, a stair up its east side to the bridge
    stair = [(940, EAST - 2), (1116, EAST - 2)]
    for k, x in enumerate((1094, 1072, 1050, 1028, 1006, 984)):
        stair += [(x, EAST + 24 * k), (x, EAST + 24 * (k + 1))]
    crag(lv, stair + [(962, EAST + 144), (962, DECK), (952, DECK), (944, EAST + 110)], 403, amp=1)
    lv.clear(938, EAST, 1004, EAST + 40)
    # a lava pool in the river bed: the first brute will not follow across it
    lv.basin(540, 590, 8, ROCK + 10, LAVA, ROCK + 7)
    # the natural bridge from the fin's top back west over the canyon, its west end fallen
    natural_bridge(lv, 600, 964, DECK, 16, 30, 404, broken=-1)
    # ledge and alcove down the west wall
    ledge(lv, 338, 420, 180, 406, thick=12)
    alcove(lv, 306, 346, 180, 40, 407)
    strata(lv, 4, 4, 1148, 640, 405)
    round_off(lv, 4, ROCK + 4, 1148, 648)
    river_bed(lv, 340, FALL, ROCK, 10, 408)
    # the slot between the pier and the dry fall: a room under a chockstone shelf choked with sand
    crag(lv, [(686, ROCK), (744, ROCK), (742, SHELF), (740, DECK - 4), (690, DECK - 4), (688, SHELF + 30)], 412, amp=2)
    alcove(lv, 674, 756, ROCK + 10, 48, 414)
    strata(lv, 680, ROCK, 750, DECK - 10, 413)
    lv.rect(740, SHELF, FALL, SHELF + 8, STONE)
    # the pier's and the dry fall's faces are polished hard: no blast cuts a foothold in them
    facing(lv, 680, 750, ROCK, DECK - 24)
    facing(lv, FALL - 10, FALL + 20, ROCK, SHELF - 2)
    lv.rect(740, SHELF + 8, FALL, EAST - 5, SAND)
    stand_flat(lv, PLAYER, 270, below=WEST + 40)
    stand_flat(lv, TREASURE, 326, below=200)
    stand_flat(lv, MELEE, 500, below=ROCK + 40)
    stand_flat(lv, TREASURE, 810, below=ROCK + 40)
    stand_flat(lv, MELEE, 640, below=ROCK + 40)
    stand_flat(lv, TREASURE, 1116, below=EAST + 10)
    stand_flat(lv, MELEE, 770, below=DECK + 20)
    stand_flat(lv, TREASURE, 640, below=DECK + 20)
    lv.set_piece(740, ROCK, FALL, SHELF, 250, "the chockstone shelf shot through, the choked slot pours its sand into the room under it")
    return lv
