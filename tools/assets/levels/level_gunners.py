"""Level 6: machine gunners, alone, along a bunker line.

Gunners see only 200 cells but fire bursts of 3 to 8 bullets (5 damage each)
and keep firing at the last place they saw the player for 2 to 4 bursts;
they take five rockets (125 health). Rockets fly much farther than a gunner
sees: the lesson is to shell each one from beyond its sight, then cross the
open ground while the bursts chew the earthworks. The line starts in a sap
with a dugout under it and a fire step to climb out by; a gunner holds a
sandbag pit on the open ground, with a communication trench to drop into.
Beyond, a glacis runs down to the wet trench, too deep to climb out of, its
far side under the second gunner's sandbags; a spoil hopper over its far end,
hung from a gantry the builders ran out from the casemate's roof, pours as
the player comes, heaping a bank up out of the water against the far wall.
The last gunner holds the roof of the casemate whose inside keeps the last
treasure.
"""
from bunker_shapes import blast_wall, casemate, earthwork, gantry, glacis, sandbags, trench
from level_works import hopper
from level_shapes import stand_flat
from level_canvas import GUNNER, HEALTH, OBSIDIAN, PLAYER, STONE, TREASURE, WATER, Level

BANK = 240           # the ground the line is dug into
SAP = 206            # the start sap's floor
DUGOUT = 140         # the dugout under it
WET = (630, 830)     # the wet trench, inside its revetments
WET_FLOOR = 170
WET_WATER = 226
CASEMATE = (1000, 1148)


def build():
    lv = Level(1152, 648)
    lv.rect(0, 0, 1152, BANK, STONE)
    lv.frame()
    # the start sap, its fire step and the dugout under it
    trench(lv, 4, 200, SAP, BANK + 2, floor_material=STONE)
    lv.rect(176, SAP, 203, SAP + 17, OBSIDIAN)
    lv.rect(60, DUGOUT - 4, 196, DUGOUT, OBSIDIAN)
    lv.clear(60, DUGOUT, 196, DUGOUT + 36)
    lv.clear(140, DUGOUT, 170, SAP)
    # the open ground: a communication trench, then the first gunner's sandbag pit
    earthwork(lv, 203, 280, BANK + 10, 601, batter=12)
    trench(lv, 290, 340, BANK - 26, BANK + 2)
    earthwork(lv, 343, 380, BANK + 8, 602, batter=8)
    sandbags(lv, 366, 384, BANK, 2)
    sandbags(lv, 416, 436, BANK, 3)
    # the glacis down to the wet trench, and the trench
    trench(lv, WET[0], WET[1], WET_FLOOR, BANK)
    lv.pour(WET[0], WET[1], WET_FLOOR, WET_WATER - WET_FLOOR, WATER)
    lv.clear(WET[0] - 3, WET_WATER + 4, WET[0], BANK + 1)
    lv.clear(570, WET_WATER + 4, WET[0] - 3, BANK)
    glacis(lv, 570, WET[0] - 3, BANK, WET_WATER + 4)
    # the spoil hopper over the far end: it pours a ramp up out of the water
    hopper(lv, 770, 300, 836, 336, (786, 808), 604, hole=3)
    # the east bank: sandbags, a blast wall with the second gunner behind it, the casemate
    sandbags(lv, 900, 916, BANK, 2)
    blast_wall(lv, 960, BANK, 24)
    earthwork(lv, 966, 996, BANK + 12, 603, batter=10)
    inside = casemate(lv, CASEMATE[0], CASEMATE[1] - 4, BANK, 40, doors=[(-1, BANK, BANK + 28)])
    # the hopper hangs from a gantry run out from the casemate's roof, high
    # over the far bank: every leg stood on the bank or in the trench would
    # wall off the climb out of the water under the hopper
    gantry(lv, 768, 1036, 346, 14, BANK + 46, 430, [(771, 334), (833, 334)])
    lv.stand(PLAYER, 40, below=SAP + 30)
    lv.stand(TREASURE, 80, below=DUGOUT + 30)
    lv.stand(HEALTH, 110, below=DUGOUT + 30)
    lv.stand(HEALTH, 250, below=BANK + 40)
    lv.stand(GUNNER, 400, below=BANK + 40)
    lv.stand(TREASURE, 315, below=BANK + 10)
    lv.stand(TREASURE, 870, below=BANK + 20)
    lv.stand(GUNNER, 935, below=BANK + 40)
    stand_flat(lv, HEALTH, 982, below=BANK + 40)
    lv.stand(GUNNER, 1070, below=BANK + 120)
    lv.stand(TREASURE, inside[2] - 14, below=inside[3])
    lv.set_piece(760, WET_FLOOR, WET[1], WET_WATER + 30, 500,
                 "the spoil hopper heaps a bank up out of the wet trench against its far wall")
    return lv
