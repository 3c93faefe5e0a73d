"""Level 11: letting a reservoir down into the hall you must cross.

The start is the upper gallery of a water works: standpipes to hop, bats
under the vault, a treasure on the last pipe. At its end the gallery floor
gives onto a masonry reservoir, full and far deeper than a jump, with a
treasure on its floor: the player drops in for it and is held, for every
wall is dressed grey and climbs higher than any jump. The one weak place is
the stone plug in the floor's far half, over the shaft to the lower hall.
A rocket opens it and the whole reservoir pours down the shaft while the
player watches from the dry half, then follows it down. Below, the flood
runs out over the lower hall: east to a treasure on the sluice-keeper's
tower, a rocket jump from his ledge under a bat and a second rifle, then back west the whole length of the hall past a brute
and a rifle on its pier, into a flooded cistern for a dive, and a rocket
jump from its masonry pad up to the last treasure on the west landing.
"""
from level_canvas import BAT, HEALTH, MELEE, OBSIDIAN, PLAYER, RIFLE, STONE, TREASURE, WATER, Level
from flood_shapes import plug, tank

GALLERY = 480  # the upper gallery's floor
VAULT = 600
RES_X0, RES_X1, RES_FLOOR, RES_LEVEL = 700, 860, 400, 450  # the reservoir's inside and its water
PLUG_X0, PLUG_X1 = 790, 860  # the stone plug over the shaft: the reservoir's far half
SLAB = 372  # the lower hall's masonry roof: no rocket digs down to it
HALL = 220  # the lower hall's floor


def standpipe(lv, x, height, width=16):
    """A masonry pipe standing on the gallery floor, to hop over or stand on."""
    lv.rect(x - width // 2, GALLERY, x + width // 2, GALLERY + height, OBSIDIAN)


def cistern(lv, x0, x1, floor, depth, bank=75):
    """A sunk basin in the hall floor with banks no steeper than a walk out
    of the water, filled to a cell under the brim."""
    lv.polygon([(x0, floor + 1), (x0 + bank, floor - depth), (x1 - bank, floor - depth), (x1, floor + 1)], 7)
    lv.pour(x0, x1, floor - depth - 2, depth + 1, WATER)


def build():
    lv = Level(1152, 648)
    lv.frame()
    lv.ground([(0, 648), (1148, 648)], STONE)
    # the upper gallery, its standpipes, and masonry under its floor
    lv.clear(4, GALLERY, RES_X1, VAULT)
    lv.polygon([(4, VAULT), (300, VAULT), (420, VAULT + 30), (640, VAULT + 30), (RES_X1, VAULT)], 7)
    lv.rect(4, GALLERY - 24, RES_X0, GALLERY - 14, OBSIDIAN)
    standpipe(lv, 220, 20)
    standpipe(lv, 330, 22)
    standpipe(lv, 450, 20)
    standpipe(lv, 560, 24)
    # the reservoir, full, its far half floored with the plug over the shaft
    tank(lv, RES_X0, RES_X1, RES_FLOOR, GALLERY, RES_LEVEL)
    lv.clear(PLUG_X0, SLAB, PLUG_X1, RES_FLOOR - 4)
    plug(lv, PLUG_X0, RES_FLOOR - 16, PLUG_X1, RES_FLOOR)
    # the lower hall under a masonry roof, open only at the shaft
    lv.clear(4, HALL, 1148, SLAB)
    lv.rect(4, SLAB, 1148, SLAB + 10, OBSIDIAN)
    lv.rect(PLUG_X0 - 4, SLAB, PLUG_X1 + 4, RES_FLOOR - 16, OBSIDIAN)
    lv.clear(PLUG_X0, SLAB, PLUG_X1, RES_FLOOR - 16)
    # the sluice-keeper's ledge in the east, the rifle's pier, the cistern and the west shelf
    lv.rect(1000, HALL, 1148, HALL + 24, STONE)
    lv.rect(1000, HALL + 20, 1100, HALL + 24, OBSIDIAN)
    lv.rect(1100, HALL, 1148, HALL + 80, OBSIDIAN)  # the keeper's tower: a rocket jump from the ledge
    lv.rect(404, HALL, 436, HALL + 36, OBSIDIAN)
    cistern(lv, 150, 340, HALL, 50)
    lv.rect(4, HALL, 96, HALL + 64, OBSIDIAN)  # the west landing: a rocket jump from the pad at its foot
    lv.rect(96, HALL - 4, 150, HALL, OBSIDIAN)
    lv.stand(PLAYER, 40, below=VAULT)
    lv.stand(TREASURE, 560, below=VAULT)
    lv.stand(TREASURE, 740, below=GALLERY)
    lv.stand(TREASURE, 1120, below=SLAB)
    lv.stand(TREASURE, 245, below=SLAB)
    lv.stand(TREASURE, 40, below=SLAB)
    lv.stand(HEALTH, 700, below=SLAB)
    lv.stand(MELEE, 620, below=SLAB)
    lv.stand(RIFLE, 420, below=SLAB)
    lv.stand(RIFLE, 940, below=SLAB)
    lv.place(BAT, 390, 570)
    lv.place(BAT, 520, 590)
    lv.place(BAT, 1060, 320)
    lv.set_piece(RES_X0, RES_FLOOR, RES_X1, RES_LEVEL, 2400, "the reservoir pours down its shaft into the lower hall")
    return lv
