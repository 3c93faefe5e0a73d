"""Level 15: the frozen works, three galleries deep in the ice.

The top gallery's floor is one long sheet of ice where two brutes slide
after the player as far as the player slides; halfway it crosses a crevasse
on an ice bridge, the first treasure beyond at the gallery's far end. The
way down is through the bridge, into the crevasse where two bats wheel over
the second treasure. The middle gallery holds a serac, its top (a treasure)
reached by rocket jump from an obsidian pad under the rifle on a second
serac, and a brute before the shaft at its end. Over the shaft hangs a
cistern of meltwater floored with ice, a treasure lying in it. From a pad
across the shaft a rocket up through that floor lets the cistern fall down
the shaft as a waterfall onto the lava river of the bottom gallery, which
crusts over in a burst of steam, and a jump from the pad reaches the
emptied cistern. The river runs 500 cells under a roof of ice too low for a
burnt player to leap: the crust is the way to the gallery's dry end, where a
frozen fall stands before the last treasure.
"""
from ice_shapes import crevasse, frozen_fall, gallery, glacier, ice_bridge, icicles, serac
from level_canvas import BAT, HEALTH, ICE, LAVA, MELEE, OBSIDIAN, PLAYER, RIFLE, STONE, TREASURE, WATER, Level
from level_shapes import pocket, stand_flat

G1, G2, G3 = 500, 300, 90                 # the galleries' floors
SHAFT = (1000, 1060)
PLUG = 400                                # the underside of the cistern's ice floor
LAVA_SPAN = (450, 950)


def build():
    lv = Level(1152, 648)
    lv.frame()
    glacier(lv, [(4, 610), (300, 624), (620, 600), (900, 616), (1148, 606)], 10, 1501)
    # the top gallery, its crevasse and bridge
    gallery(lv, 60, 1120, G1, 84, 1502)
    lv.rect(990, G1 - 6, 1120, G1, STONE)  # rock, not ice, where the player starts
    crevasse(lv, 380, 480, G1, G2, 1503, taper=6)
    ice_bridge(lv, 374, 486, G1, 4, 1504)
    # the middle gallery: seracs, a pad under them
    gallery(lv, 150, SHAFT[0] + 4, G2, 110, 1505)
    lv.rect(620, G2 - 4, 652, G2, OBSIDIAN)
    serac(lv, 690, G2, 64, 22, 1506, lean=3, flat=11)
    serac(lv, 790, G2, 46, 18, 1507, lean=-3, flat=10)
    icicles(lv, 160, 990, G2 + 60, G2 + 130, 1508, 16, spacing=16)
    # the bottom gallery in its obsidian shell
    lv.rect(140, G3 - 20, SHAFT[1] + 10, G3 + 70, OBSIDIAN)
    lv.clear(150, G3, SHAFT[1], G3 + 60)
    lv.rect(150, G3 - 6, LAVA_SPAN[0], G3, ICE)
    lv.clear(*LAVA_SPAN[:1], G3 - 14, LAVA_SPAN[1], G3)
    lv.pour(LAVA_SPAN[0], LAVA_SPAN[1], G3 - 14, 14, LAVA)
    lv.rect(LAVA_SPAN[0] - 20, G3 + 34, LAVA_SPAN[1] + 20, G3 + 38, ICE)     # the low ice roof
    lv.rect(LAVA_SPAN[0] - 20, G3 + 38, LAVA_SPAN[1] + 20, G3 + 60, OBSIDIAN)
    # the shaft, cut before the cistern's floor is laid over it
    crevasse(lv, SHAFT[0], SHAFT[1], PLUG - 12, G3, 1509, taper=0, floor_material=OBSIDIAN)
    # the cistern over the shaft: obsidian round it but for its ice floor
    lv.rect(SHAFT[0] - 16, PLUG - 2, 1148, G1 - 14, OBSIDIAN)
    lv.clear(SHAFT[0] - 10, PLUG + 10, 1142, G1 - 20)
    lv.rect(SHAFT[0] - 10, PLUG - 2, SHAFT[1] + 10, PLUG + 10, ICE)
    lv.pour(SHAFT[0] - 10, 1142, PLUG + 10, 42, WATER)
    # a ramp up from the middle gallery to a pad under the ice floor, tilted
    # so the water that falls on it runs off into the shaft, not back down the ramp
    lv.clear(860, G2, SHAFT[1], PLUG - 2)
    lv.polygon([(880, G2), (994, G2 + 70), (994, G2 - 4), (880, G2 - 4)], STONE)
    lv.polygon([(994, G2 + 70), (1028, G2 + 62), (1028, G2 + 56), (994, G2 + 56)], OBSIDIAN)
    frozen_fall(lv, 300, G3, G3 + 60, 7, 1510)
    icicles(lv, 156, LAVA_SPAN[0] - 24, G3 + 30, G3 + 64, 1511, 14, spacing=12)
    # ice and water sealed in the rock between the galleries
    pocket(lv, 200, 420, 50, 16, ICE, 1512)
    pocket(lv, 700, 200, 80, 20, ICE, 1513)
    pocket(lv, 300, 200, 40, 14, WATER, 1514)

    stand_flat(lv, PLAYER, 1090, below=G1 + 40)
    lv.stand(MELEE, 720, below=G1 + 40)
    lv.stand(MELEE, 600, below=G1 + 40)
    stand_flat(lv, TREASURE, 90, below=G1 + 40)
    lv.place(BAT, 410, 400)
    lv.place(BAT, 450, 360)
    lv.stand(TREASURE, 430, below=G2 + 20)
    lv.stand(TREASURE, 690, below=G2 + 100)
    lv.stand(RIFLE, 790, below=G2 + 100)
    lv.stand(HEALTH, 560, below=G2 + 20)
    lv.stand(MELEE, 840, below=G2 + 20)
    lv.stand(HEALTH, 985, below=G3 + 20)
    lv.place(BAT, 1030, G3 + 40)
    lv.stand(TREASURE, 180, below=G3 + 20)
    lv.place(TREASURE, 1008, PLUG + 19)      # over the pad, in the water on the ice floor
    lv.set_piece(LAVA_SPAN[0], G3 - 14, LAVA_SPAN[1], G3, 150,
                 "the cistern falls down the shaft and crusts the lava river over")
    return lv
