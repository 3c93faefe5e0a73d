"""Level 1: water in the hills. Wading, diving and drowning, still with nothing else to fear.

A river valley under the evening sky: a shallow ford (10 cells: the head
stays dry) is waded and a knoll climbed in ledges of 22; a lake 48 cells
deep has a treasure on its floor; under water the player sinks, jumps no
more than 10 to 17 cells and starts drowning after 10 seconds, so every
bank is a walkable slope (0.6 cells up per cell across) and no dive takes
more than about 4 seconds. Then the river runs deep in a gorge, a treasure
on its floor, whose far wall stands 34 cells over the water: nobody climbs
out of a river that way. On the far rim stands a tor whose crown leans out
over the gorge with sand lying in a cleft; as the player crosses the lake
the sand pours through the cracks under it, sinks through the river and
heaps against the far wall into a bar that rises out of the water, the one
way up. Beyond the rim the river dives under the tor: a flooded passage
with a treasure in it, then up the far bank and the tor's back, ledge by
ledge, to the last treasure on its crown over the gorge.
"""
from hill_shapes import boulders, cleft_tor, flooded_passage, hills, lake, sand_cap
from level_canvas import PLAYER, STONE, TREASURE, WATER, Level
from level_shapes import round_off, stand_flat

GORGE = (724, 870)      # the gorge's walls: 146 cells, more than a running jump
GORGE_FLOOR = 60
RIVER = 96              # the water in the gorge
FAR_RIM = 130           # the gorge's far rim, 34 cells over the water
CROWN = 256             # the top of the tor over the gorge
PASSAGE = (872, 1090)   # the pool that runs under the tor


def build():
    lv = Level(1152, 648)
    lv.frame()
    west, east = GORGE
    hills(lv, [(0, 150), (70, 150), (150, 104), (300, 104), (300, 126), (320, 126), (320, 148),
               (342, 150), (342, 172), (364, 174), (364, 196), (398, 198), (446, 112), (640, 112),
               (west, 124), (west, GORGE_FLOOR), (east, GORGE_FLOOR), (east, FAR_RIM),
               (1148, FAR_RIM + 4)],
          71, amp=2.5, keep=(40, 382))
    # the ford: a river 10 cells deep across the valley floor
    lake(lv, 166, 290, 104, 10, 72)
    # the lake, its treasure on the floor 48 cells down
    lake(lv, 446, 640, 112, 48, 73)
    # the river in the gorge, 34 cells under the far rim
    lv.pour(west, east, GORGE_FLOOR - 4, RIVER - GORGE_FLOOR + 4, WATER)
    # the tor on the far rim: its crown leans out over the gorge and holds
    # sand in a cleft cracked through over the foot of the far wall
    # its back is a stair of ledges, 22 cells each, up to the crown
    cleft_tor(lv, [(900, FAR_RIM - 4), (1066, FAR_RIM - 4), (1066, 146), (1044, 146), (1044, 168),
                         (1022, 168), (1022, 190), (1000, 190), (1000, 212), (978, 212), (978, 234),
                         (956, 234), (956, CROWN), (790, CROWN - 2), (782, CROWN - 20), (786, 196), (800, 166),
                         (892, 164)],
                    (812, 900, 172, CROWN - 8), (822, 834, 846, 858), 74, lid=8)
    # the cleft's floor rises steeply away from the cracks, so its sand runs out
    lv.polygon([(863, 171), (902, 171), (902, 218)], STONE)
    lv.set_piece(west, GORGE_FLOOR, east, CROWN, 3000,
                 "sand in the cleft of the tor's crown pours into the gorge and heaps a bar out of the river against its far wall")
    # the river dives under the tor and comes up beyond it
    flooded_passage(lv, PASSAGE[0], PASSAGE[1], FAR_RIM - 4, 44, (PASSAGE[0], 1066), 22, 75)
    round_off(lv, 4, 4, 1148, 360, r=4)
    boulders(lv, 90, 150, 76, 3, size=(3, 4))
    sand_cap(lv, 368, 396, 5, 77)
    sand_cap(lv, 10, 66, 5, 78)
    sand_cap(lv, 1096, 1146, 4, 79)
    stand_flat(lv, PLAYER, 40, below=250)
    stand_flat(lv, TREASURE, 543, below=100)
    stand_flat(lv, TREASURE, 960, below=100)
    stand_flat(lv, TREASURE, 745, below=GORGE_FLOOR + 10)
    stand_flat(lv, TREASURE, 814, below=CROWN + 20)
    return lv
