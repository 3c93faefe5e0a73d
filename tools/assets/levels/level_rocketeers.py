"""Level 7: rocket enemies, alone, each shut in a casemate of its own.

Rocket enemies see 500 cells and fire rockets at 150 cells a second that
blast like the player's (25 damage up close, a hole of radius 20), but they
hold fire when the player is within 100 cells, and die to four rockets (100
health). Here each one is shut in a sunken casemate, an obsidian box under
the earthworks entered only by the hatch in its roof: it sees nothing but
its own bay and the sky over the hatch, so it never fires at a player it
cannot be seen by, and it cannot climb out after one. The way through is to
drop in by the hatch and close in fast under the enemy's fire while its
rockets crater the spoil, take the treasure behind it and rocket-jump out by
the obsidian floor under the hatch. A spoil bin hung under the second
casemate's roof pours as the player comes, heaping a drift across the bay
between the hatch and its rocket enemy.
"""
from bunker_shapes import blast_wall, casemate, earthwork, sandbags, trench
from level_canvas import HEALTH, PLAYER, ROCKET, STONE, TREASURE, Level
from level_shapes import stand_flat
from level_works import hopper

BANK = 240                      # the ground the casemates are sunk into
SAP = 206                       # the start sap's floor
BAYS = ((230, 440, 170), (560, 770, 150), (900, 1110, 170))   # casemates: x0, x1 outside, floor
HATCH = 40                      # the hatch's width, at each casemate's west end


def bay(lv, x0, x1, floor):
    """A sunken casemate whose roof lies flush with the ground, with its
    hatch, and a baffle hanging from the roof beside the hatch: whoever
    holds the bay sees out of it only by a steep line, never across the
    ground to a player outside the view. Returns the inside box."""
    inside = casemate(lv, x0, x1, floor, BANK - 6 - floor, cover=0)
    lv.clear(x0 + 10, inside[3], x0 + 10 + HATCH, BANK + 20)
    blast_wall(lv, x0 + 14 + HATCH, floor + 34, inside[3] - floor - 34)
    return inside


def build():
    lv = Level(1152, 648)
    lv.rect(0, 0, 1152, BANK, STONE)
    lv.frame()
    # the start sap and its fire step
    trench(lv, 4, 170, SAP, BANK + 2, floor_material=STONE)
    lv.rect(146, SAP, 173, SAP + 17, STONE)
    insides = [bay(lv, x0, x1, floor) for x0, x1, floor in BAYS]
    # spoil over the casemates and between them, sandbags by the hatches
    for (x0, x1, _), seed in zip(BAYS, (701, 702, 703)):
        earthwork(lv, x0 + 60, x1 + 10, BANK + 10, seed, batter=10)
    sandbags(lv, 180, 214, BANK, 3)
    earthwork(lv, 470, 540, BANK + 14, 704, batter=14)
    blast_wall(lv, 846, BANK, 26)
    sandbags(lv, 860, 890, BANK, 3)
    # the second casemate's spoil bin, hung from its roof on two stays
    hopper(lv, 640, 190, 700, 222, (655, 685), 705, hole=3)
    for x in (640, 696):
        lv.rect(x, 222, x + 4, BANK - 6, STONE)
    lv.stand(PLAYER, 40, below=SAP + 30)
    lv.stand(HEALTH, 110, below=SAP + 30)
    for (ix0, fy, ix1, _), seed in zip(insides, range(3)):
        lv.stand(ROCKET, ix1 - 30, below=fy + 20)
        lv.stand(TREASURE, ix1 - 10, below=fy + 20)
        lv.stand(HEALTH, ix0 + 50, below=fy + 20)
    stand_flat(lv, TREASURE, 505, below=BANK + 60)
    lv.set_piece(insides[1][0], insides[1][1], insides[1][2], insides[1][1] + 60, 400,
                 "the spoil bin in the second casemate pours a drift across the bay")
    return lv
