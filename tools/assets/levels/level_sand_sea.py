"""Level 16: a sea of dunes, and the gate buried at the foot of the mesa.

A west wind has laid the low ground in dunes: long backs to run up, slip
faces falling to the next trough, two bats over them and a treasure in a
hollow. The dunes end against a mesa whose face is obsidian, 260 cells
high: no rocket jump climbs it. The old way up, a gate at its foot and a
ramp climbing inside the rock, is buried under a dune lying on a thin stone
lip over a sinkhole: every rocket into it brings the dune sliding down into
the hole it blasts, and a rocket through the lip drops it into the sinkhole,
so the gate is dug out of a moving slope. On the mesa a gunner waits behind a rock crest;
beyond it a rocket jump from an obsidian pad rises through a gap in a sandstone shelf
that runs back west over everything, its dunes crossed under bats and a
rifle to the last treasure, high over the start.
"""
from dune_shapes import dune, gate, hollow, lip, perch, ramp, sand_sea, shelf
from level_canvas import BAT, GUNNER, HEALTH, OBSIDIAN, PLAYER, RIFLE, SAND, STONE, TREASURE, Level
from level_shapes import crag, round_off, stand_flat, weather

FLOOR = 60          # the stone under the dune sea and the canyon
MESA = 320          # the mesa's top
FACE = 800          # the mesa's obsidian face
PIT = 46            # the depth of the hollow under the lip before the gate
SHELF = 460         # the top of the sandstone shelf


def build():
    lv = Level(1152, 648)
    lv.frame()
    # the stone under the dunes, lifting gently westwards to the start
    lv.ground([(0, FLOOR + 14), (120, FLOOR + 10), (300, FLOOR), (1152, FLOOR)])
    # the mesa: an obsidian face, stone behind it
    lv.rect(FACE, 0, 1148, MESA, STONE)
    # a rock crest on the mesa the gunner cannot see through
    crag(lv, [(880, MESA - 2), (960, MESA - 2), (940, MESA + 30), (916, MESA + 36), (896, MESA + 26)], 161,
         amp=3)
    # the climb to the shelf's east end: a ledge on the east wall with an obsidian pad
    lv.rect(1110, MESA, 1148, MESA + 75, STONE)
    lv.rect(1110, MESA + 71, 1148, MESA + 75, OBSIDIAN)
    # the shelf, broken by a wind-cut gap over an obsidian pad on the mesa
    shelf(lv, 150, 950, SHELF, 26, 162)
    shelf(lv, 1010, 1100, SHELF, 20, 170)
    lv.rect(962, MESA - 4, 1000, MESA, OBSIDIAN)
    round_off(lv, 4, 4, 1148, 648)
    weather(lv, 4, FLOOR + 20, 1148, 648, 163)
    lv.rect(FACE, FLOOR - PIT - 8, FACE + 12, MESA, OBSIDIAN)
    # the old way up inside the mesa: a gate at its foot, a ramp climbing east
    gate(lv, FACE, FACE + 12, FLOOR, 30)
    ramp(lv, FACE + 12, FLOOR, 1090, MESA, 30, 169)
    # before the gate a hollow roofed with a thin stone lip, a dune on it burying the gate
    lv.rect(690, FLOOR - PIT - 6, FACE, FLOOR, OBSIDIAN)
    lv.clear(696, FLOOR - PIT, FACE, FLOOR - 5)
    lip(lv, 696, FACE, FLOOR, 5, 168)
    dune(lv, 600, FACE + 12, FACE + 11, 62, 165, below=FLOOR + 120)
    lv.rect(FACE, FLOOR, FACE + 12, FLOOR + 30, SAND)
    # dunes: the sea, the mesa's and the shelf's
    sand_sea(lv, 70, 600, 164, below=200, length=(130, 190), height=(22, 44))
    sand_sea(lv, 190, 940, 167, below=SHELF + 40, length=(110, 170), height=(14, 30))
    stand_flat(lv, PLAYER, 40, below=200)
    lv.place(BAT, 250, 190)
    lv.place(BAT, 430, 200)
    perch(lv, TREASURE, 560, below=200)
    stand_flat(lv, TREASURE, 840, below=MESA + 20)
    stand_flat(lv, GUNNER, 1050, below=MESA + 40)
    stand_flat(lv, HEALTH, 1130, below=MESA + 120)
    hollow(lv, 560, below=SHELF + 80)
    stand_flat(lv, RIFLE, 560, below=SHELF + 80)
    lv.place(BAT, 800, SHELF + 70)
    lv.place(BAT, 380, SHELF + 60)
    perch(lv, HEALTH, 700, below=SHELF + 80)
    perch(lv, TREASURE, 170, below=SHELF + 80)
    lv.set_piece(680, FLOOR, FACE + 12, FLOOR + 70, 900, "the dune burying the mesa gate slides into the holes blasted in it")
    return lv
