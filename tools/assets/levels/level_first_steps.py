"""Level 0: running, jumping and treasure over open hills, with nothing that can hurt.

The first walk out under the evening sky: a meadow, then hills of stone
capped with sand that rise in ledges of 12, 20 and 24 cells (a held jump
lifts the feet 34) and are split by clefts 40, 60 and 90 cells wide (a
running jump clears 128). Every cleft has a ledge inside it, so a short jump
only costs a climb. Past the first hilltop a tor is climbed in ledges of 20
and 24 to a treasure on its crown, which leans out over a ravine too wide to
jump, its far wall too high to climb; a treasure on the ravine floor is the
reason to drop in. Sand lies in a cleft of the crown: as the player comes up
the hill it pours through the cracks under it into the ravine and heaps
against the far wall, a ramp to walk out on. The last treasure lies on the
far hill where the hills end.
"""
from hill_shapes import boulders, cleft_tor, hills, sand_cap
from level_canvas import PLAYER, TREASURE, Level
from level_shapes import round_off, stand_flat

RAVINE = (560, 700)     # the ravine's rims, 140 cells apart
FLOOR = 46              # the ravine floor
WALL = 104              # the top of its far wall, 58 cells up: too high to jump
CROWN = 222             # the top of the tor over the ravine


def build():
    lv = Level(1152, 648)
    lv.frame()
    west, east = RAVINE
    hills(lv, [(0, 60), (120, 60), (172, 76), (190, 76), (190, 88), (260, 90),
               (260, 110), (330, 110), (330, 88), (350, 88), (350, 92), (370, 92), (370, 112),
               (430, 112), (430, 136), (west, 136), (west, FLOOR),
               (east, FLOOR), (east, WALL), (830, 112),
               (830, 76), (878, 76), (878, 96), (890, 96), (890, 114),
               (960, 114), (960, 70), (1028, 70), (1028, 92), (1050, 92), (1050, 114), (1148, 116)],
          11, amp=2.5, keep=(40, 300, 455, 600, 760, 925, 1010, 1120))
    round_off(lv, 4, 4, 1148, 300, r=3)
    # a few boulders in the meadow and on the far hill, low enough to walk over
    boulders(lv, 80, 150, 12, 3, size=(3, 4))
    boulders(lv, 730, 810, 13, 2, size=(3, 4))
    # sand lies on the hilltops, back from every brink
    sand_cap(lv, 200, 254, 5, 21)
    sand_cap(lv, 436, 474, 5, 22)
    sand_cap(lv, 896, 956, 4, 23)
    sand_cap(lv, 1100, 1144, 4, 24)
    # the tor on the hill's brink, climbed in steps of 20 and 24: its crown
    # leans out over the ravine and holds sand in a cleft cracked through
    # over the ravine floor
    cleft_tor(lv, [(476, 130), (476, 156), (496, 157), (496, 180), (516, 181), (516, 202),
                         (536, 203), (536, CROWN), (east + 2, CROWN + 2), (east + 8, CROWN - 20),
                         (east + 4, 160), (east - 2, 146), (640, 142), (600, 150), (west + 2, 130)],
                    (632, east - 2, 150, CROWN - 6), (646, 658, 670, 682, 694), 31, lid=8)
    lv.set_piece(west, FLOOR, east, CROWN, 2500, "sand in the cleft of the tor's crown pours through its cracks and heaps a ramp up the ravine's far wall")
    boulders(lv, 1064, 1096, 32, 2, size=(3, 4))
    stand_flat(lv, PLAYER, 40, below=200)
    stand_flat(lv, TREASURE, 580, below=300)
    stand_flat(lv, TREASURE, 590, below=100)
    stand_flat(lv, TREASURE, 1120, below=250)
    return lv
