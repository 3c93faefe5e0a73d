"""Level 3: the rocket launcher as a tool, in the caves under the hills.

A rocket clears a disc of radius 20 wherever it goes off, one rocket a
second, and the player's own rockets push but never hurt. The player comes
in off the hillside at the east end and meets a rockfall choking the
passage, too tall to jump (34): it is blasted through. The passage ends at
a chamber choked with sand in a shell of obsidian, standing on a floor of
stone over a pot-hole that drops into a sealed cave; obsidian rings the
pot-hole's mouth too, so the only way down is through that floor. A rocket
at the foot of the chamber's wall breaks it, the sand pours down the
pot-hole in a stream and heaps on the cave's floor, and the player drops
in after it. The cave's way west is walled off by another fall, blasted
open too, and it ends at the foot of a shaft 180 cells high that climbs
back up through the hill: two rocket jumps (a jump and a rocket at the
feet in the same moment lifts the feet 110 to 138 cells), from obsidian
pads the blasts cannot eat, ledge to ledge, and a third up to a chamber
at the shaft's head with the last treasure.
"""
from cave_shapes import chamber, choke, flowstone, hill, passage, shaft, skin, stalagmites
from level_canvas import HEALTH, OBSIDIAN, PLAYER, SAND, STONE, TREASURE, Level
from level_shapes import crag, round_off, stalactites, stand_flat

UPPER = 440        # the upper passage's floor
CAVE = 150         # the sealed cave's floor
BIN = (496, 566)   # the bin of sand at the upper passage's end
PIPE = (526, 566)  # the pot-hole under the bin, down into the cave's roof
SHAFT = (140, 250)
TOP = CAVE + 270   # the floor of the chamber at the shaft's head


def build():
    lv = Level(1152, 648)
    hill(lv, [(0, 632), (300, 628), (620, 604), (900, 586), (1152, 576)], 301, rough=5)
    lv.frame()
    # in off the hillside at the east end, down to the upper passage
    passage(lv, [(560, UPPER), (620, UPPER + 6), (760, UPPER - 4), (900, UPPER), (1000, 520), (1080, 574)],
            74, 302, rough=3, keep=(610, 700, 830))
    # the rockfall across it, taller than any jump
    crag(lv, [(774, UPPER - 8), (794, UPPER - 8), (798, UPPER + 90), (770, UPPER + 90)], 303, amp=3)
    # the bin: a chamber choked with sand at the passage's end, standing on a stone floor over a
    # pot-hole down into the cave; a rocket at the foot of its wall breaks that floor and the sand
    # pours down the pot-hole, which is then the way on
    x0, x1 = BIN
    choke(lv, x0, x1, UPPER, 116, 10, 311, SAND)
    lv.rect(x1, UPPER, x1 + 10, UPPER + 16, STONE)          # the wall's foot, where it breaks
    lv.rect(x0, UPPER - 10, x1 + 10, UPPER, STONE)          # the floor under the sand
    shaft(lv, PIPE[0], PIPE[1], CAVE + 60, UPPER - 10, 310, rough=2)
    # obsidian round the pot-hole's mouth: it is reached through the bin's floor, not dug into beside it
    for y in range(UPPER - 44, UPPER - 10):
        for x in range(PIPE[0] - 14, x1 + 34):
            if lv.cells[y, x] == STONE:
                lv.cells[y, x] = OBSIDIAN
    lv.clear(x1 + 10, UPPER, x1 + 40, UPPER + 70)

    # the sealed cave under it
    chamber(lv, 330, 700, CAVE, 130, 304, keep=(400, 660))
    flowstone(lv, 610, CAVE, 18, 6, 305)
    # west out of the cave, through a second fall, to the shaft's foot
    passage(lv, [(SHAFT[0], CAVE), (360, CAVE)], 66, 306, keep=(200, 290))
    crag(lv, [(300, CAVE - 2), (324, CAVE - 2), (328, CAVE + 80), (296, CAVE + 80)], 307, amp=3)
    # the shaft: pads at its foot and on two ledges, side to side, and the chamber at its head
    shaft(lv, SHAFT[0], SHAFT[1], CAVE + 20, TOP + 60, 308, rough=2)
    skin(lv, SHAFT[0] + 8, SHAFT[1] - 8, CAVE + 4, 4, OBSIDIAN)
    for k, y in enumerate((CAVE + 90, CAVE + 180)):
        x0, x1 = (SHAFT[0] - 4, SHAFT[0] + 44) if k % 2 == 0 else (SHAFT[1] - 44, SHAFT[1] + 4)
        lv.rect(x0, y - 16, x1, y, STONE)
        lv.rect(max(x0, SHAFT[0] + 2), y - 4, min(x1, SHAFT[1] - 2), y, OBSIDIAN)
    chamber(lv, 20, SHAFT[0] + 30, TOP, 70, 309, keep=(70,))

    round_off(lv, 4, 4, 1148, 640)
    stalactites(lv, 620, 1000, 310, 18, spacing=52, low=UPPER + 40, high=UPPER + 110)
    stalactites(lv, 340, 700, 311, 16, spacing=44, low=CAVE + 40, high=CAVE + 140)
    stalactites(lv, 20, SHAFT[0], 312, 12, spacing=30, low=TOP + 30, high=TOP + 90)
    stalagmites(lv, 630, 690, CAVE - 5, CAVE + 20, 313, 5)

    stand_flat(lv, PLAYER, 1100, below=640)
    stand_flat(lv, TREASURE, 700, below=UPPER + 30)
    stand_flat(lv, TREASURE, 660, below=CAVE + 40)
    stand_flat(lv, HEALTH, 400, below=CAVE + 40)
    stand_flat(lv, TREASURE, 260, below=CAVE + 40)
    stand_flat(lv, TREASURE, 60, below=TOP + 40)
    # rockets only clear cells; sand arrives on the cave's floor only if the sink pours down
    lv.set_piece(BIN[0] - 100, CAVE, BIN[1] + 100, CAVE + 80, 800,
                 "the bin's sand pours down the pot-hole into the sealed cave")
    return lv
