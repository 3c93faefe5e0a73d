"""Level 14: the glacier, and the lava under it.

From a rock shoulder the glacier's ice runs down a long slope to a shelf
that ends over a crevasse: a player who does not brake 125 cells early
slides in, which is where the first treasure lies, with two bats; an
obsidian floor gives the rocket jump out. Beyond stand two seracs, the
first holding a treasure, the second a rifle. A shaft drops from the snout
to a tunnel choked with lava under a low ice roof, no way for anyone to
wade; beside the shaft's foot an ice dam holds a meltwater lake with a
treasure on its floor. Blasting the dam lets the lake out: it pours into
the tunnel and crusts the lava into an obsidian floor under a cloud of
steam (the ice roof turns the steam back to water). The crust is the only
way to the frozen cavern behind, where two brutes slide on the ice floor,
a frozen fall bars the way and the last treasure waits at its far end.
"""
from ice_shapes import crevasse, frozen_fall, glacier, ice_floor, icicles, serac
from level_canvas import BAT, HEALTH, ICE, LAVA, MELEE, OBSIDIAN, PLAYER, RIFLE, TREASURE, WATER, Level
from level_shapes import pocket, stand_flat, weather

CAVERN = (160, 64, 640, 170)   # the frozen cavern behind the lava
TUNNEL_FLOOR = 70
LAVA_SPAN = (670, 930)
SHAFT = (960, 1000)
DAM = (1000, 1016)
LAKE = (1016, 1144, 136)       # x0, x1, roof


def build():
    lv = Level(1152, 648)
    lv.frame()
    glacier(lv, [(4, 470), (170, 470), (440, 380), (1000, 380), (1060, 400), (1100, 430), (1148, 436)], 8, 1401)
    weather(lv, 4, 300, 1148, 648, 1402)
    # the crevasse the shelf ends over, floored with obsidian for the jump out
    crevasse(lv, 640, 720, 380, 280, 1403, floor_material=OBSIDIAN)
    icicles(lv, 640, 720, 290, 400, 1404, 10, spacing=10)
    # the seracs: a treasure on the first, a rifle on the second, a pad at their foot
    lv.rect(724, 376, 752, 380, OBSIDIAN)
    serac(lv, 790, 380, 80, 26, 1405, lean=-4, flat=12)
    serac(lv, 868, 380, 56, 20, 1406, lean=3, flat=10)

    # underground: one obsidian block, hollowed, so the shaft is the only way in
    cx0, cy0, cx1, cy1 = CAVERN
    lv.rect(cx0 - 8, cy0 - 14, LAKE[1] + 4, cy1 + 8, OBSIDIAN)
    lv.clear(cx0, cy0, cx1, cy1)
    ice_floor(lv, cx0, cx1, TUNNEL_FLOOR, 1407, depth=6, bumps=3, keep=(190, 380, 520))
    lv.clear(cx1 - 2, TUNNEL_FLOOR, SHAFT[1], 96)                  # the tunnel
    lv.rect(cx1 - 2, 96, SHAFT[0], 100, ICE)                       # its ice roof
    lv.clear(LAVA_SPAN[0], TUNNEL_FLOOR - 14, LAVA_SPAN[1], TUNNEL_FLOOR)
    lv.pour(LAVA_SPAN[0], LAVA_SPAN[1], TUNNEL_FLOOR - 14, 14, LAVA)
    crevasse(lv, SHAFT[0], SHAFT[1], 380, TUNNEL_FLOOR, 1411, taper=0, floor_material=OBSIDIAN)
    lv.clear(DAM[1], TUNNEL_FLOOR, LAKE[1], LAKE[2])               # the lake behind the dam
    lv.rect(DAM[0], TUNNEL_FLOOR, DAM[1], LAKE[2], ICE)
    lv.pour(DAM[1], LAKE[1], TUNNEL_FLOOR, 35, WATER)
    # the frozen cavern: a fall of ice from roof to floor, icicles overhead
    frozen_fall(lv, 280, TUNNEL_FLOOR, cy1, 9, 1408)
    icicles(lv, cx0 + 10, cx1 - 10, 120, cy1 + 2, 1409, 22, spacing=18)
    icicles(lv, LAKE[0] + 10, LAKE[1] - 10, 110, LAKE[2] + 2, 1410, 14, spacing=12)

    # old ice and meltwater sealed in the glacier's bed
    pocket(lv, 300, 260, 70, 18, ICE, 1412)
    pocket(lv, 560, 230, 40, 12, ICE, 1413)
    pocket(lv, 830, 250, 50, 16, WATER, 1414)
    pocket(lv, 80, 330, 40, 14, ICE, 1415)
    pocket(lv, 1090, 260, 36, 20, ICE, 1416)
    stand_flat(lv, PLAYER, 40, below=500)
    stand_flat(lv, TREASURE, 680, below=300)
    lv.place(BAT, 668, 330)
    lv.place(BAT, 696, 350)
    lv.stand(TREASURE, 790, below=480)
    lv.stand(RIFLE, 868, below=480)
    stand_flat(lv, TREASURE, 1124, below=600)
    lv.stand(TREASURE, 1080, below=100)
    lv.stand(HEALTH, 980, below=100)
    lv.stand(MELEE, 380, below=100)
    lv.stand(MELEE, 520, below=100)
    lv.place(BAT, 450, 140)
    lv.stand(TREASURE, 190, below=100)
    lv.set_piece(LAVA_SPAN[0], TUNNEL_FLOOR - 14, LAVA_SPAN[1], TUNNEL_FLOOR, 150,
                 "the lake let out of its dam crusts the lava tunnel over")
    return lv
