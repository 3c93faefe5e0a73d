"""Level 2: lava, ice, obsidian, and a first rocket jump, in the caves under the hills.

The player walks in off the hillside and goes down through the caves, tier
by tier. The upper passage teaches lava on a narrow trough (60 cells: an
easy running jump; a touch costs 20 and throws the player out) and ice on
a long slide down to a hall: a run takes 0.6 s to reach speed on ice and
up to 125 cells to stop, so the ice ends on stone, well before the pot-hole.
The middle passage leads back under the first past a chimney: a treasure
in a niche 72 cells up its side, out of a jump's reach (34), reached from
the obsidian pad under it by a jump and a rocket at the feet in the same
moment; a miss only lands back on the pad, which no blast eats away, and a
vein of obsidian roofs the niche so nobody digs down into it instead. In the
lowest passage lava fills a channel under an ice roof too low to jump in:
nobody wades it. Above the roof water stands in a sealed pool; a rocket at
the roof lets it fall onto the lava, which steams and crusts into an
obsidian floor (the ice turns the steam back into water), and that crust
is the way on to the last hall.
"""
from cave_shapes import chamber, flowstone, hill, lava_trough, lens, passage, shaft, skin, stalagmites
from level_canvas import HEALTH, ICE, LAVA, OBSIDIAN, PLAYER, STONE, TREASURE, WATER, Level
from level_shapes import round_off, stalactites, stand_flat

UPPER = 480        # the upper passage's floor
MIDDLE = 260       # the middle passage's floor
LOWER = 90         # the lowest passage's floor
CHANNEL = (560, 740)   # the lava channel under the ice roof
ROOF = LOWER + 21  # the ice roof's underside over the channel: too low to be thrown along under
POOL = 30          # the depth of the water over the roof


def build():
    lv = Level(1152, 648)
    hill(lv, [(0, 556), (160, 566), (420, 600), (700, 596), (960, 572), (1152, 590)], 201)
    lv.frame()
    # in off the hillside: a mouth, a sloping passage down to the upper tier
    passage(lv, [(60, 562), (110, 552), (200, UPPER), (390, UPPER), (400, UPPER - 2)], 78, 202,
            keep=(320,))
    lava_trough(lv, 220, 280, UPPER, 12, UPPER - 2, LAVA)
    # the ice slide down to the hall, which ends on stone
    slide = passage(lv, [(390, UPPER - 2), (580, UPPER - 70)], 70, 203, rough=1, roof=8)
    skin(lv, 400, 576, slide, 4, ICE)
    chamber(lv, 570, 750, UPPER - 70, 110, 204, keep=(640,))
    # the pot-hole at the hall's end, a wall behind it
    shaft(lv, 694, 744, MIDDLE, UPPER - 60, 205, rough=2)

    # the middle passage back west, its chimney, and a pot-hole down at its end
    passage(lv, [(360, MIDDLE - 6), (520, MIDDLE), (640, MIDDLE + 8), (750, MIDDLE)], 62, 206, rough=3,
            keep=(430, 502))
    chamber(lv, 620, 760, MIDDLE, 90, 207, keep=(690,))
    shaft(lv, 470, 536, MIDDLE + 30, MIDDLE + 150, 208, rough=3)
    lv.rect(530, MIDDLE + 56, 610, MIDDLE + 72, STONE)      # the shelf the niche stands on
    lv.clear(536, MIDDLE + 72, 600, MIDDLE + 150)           # the niche beside the chimney
    # a vein of obsidian roofs them both: the niche is reached by the rocket jump, not dug into from above
    lens(lv, 450, 620, MIDDLE + 150, 12, 222, OBSIDIAN)
    skin(lv, 472, 532, MIDDLE + 20, 4, OBSIDIAN)            # the rocket-jump pad
    flowstone(lv, 610, MIDDLE + 3, 24, 6, 209)
    shaft(lv, 360, 410, LOWER, MIDDLE + 30, 211, rough=2)

    # the lowest passage: the bank, the channel under its ice roof with the pool over it, the last hall
    passage(lv, [(364, LOWER), (CHANNEL[0], LOWER)], 70, 212, keep=(450, 520))
    lava_trough(lv, CHANNEL[0], CHANNEL[1], LOWER, 8, LOWER, LAVA)
    lv.clear(CHANNEL[0], LOWER, CHANNEL[1], ROOF)
    lv.rect(CHANNEL[0] - 4, ROOF, CHANNEL[1] + 4, ROOF + 6, ICE)
    lv.rect(CHANNEL[0] - 4, ROOF + 6, CHANNEL[1] + 4, ROOF + POOL + 14, STONE)
    lens(lv, CHANNEL[0] + 2, CHANNEL[1] - 6, ROOF + 6, POOL, 221, WATER)
    passage(lv, [(CHANNEL[1], LOWER), (800, LOWER + 6), (860, LOWER + 20)], 60, 213, keep=(830,))
    chamber(lv, 820, 1060, LOWER + 20, 120, 214, keep=(860, 910))

    round_off(lv, 4, 4, 1148, 640)
    stalactites(lv, 100, 400, 215, 20, spacing=56, low=UPPER + 40, high=UPPER + 120)
    stalactites(lv, 540, 760, 216, 10, spacing=60, low=MIDDLE + 30, high=MIDDLE + 120)
    stalactites(lv, 580, 750, 217, 16, spacing=30, material=ICE, low=UPPER - 20, high=UPPER + 60)
    stalactites(lv, 780, 1060, 218, 22, spacing=44, low=LOWER + 50, high=LOWER + 160)
    stalagmites(lv, 630, 680, MIDDLE - 10, MIDDLE + 20, 219, 5)
    stalactites(lv, 400, CHANNEL[0] - 30, 220, 16, spacing=50, low=LOWER + 40, high=LOWER + 120)

    stand_flat(lv, PLAYER, 50, below=620)
    stand_flat(lv, TREASURE, 320, below=UPPER + 20)
    stand_flat(lv, TREASURE, 640, below=UPPER - 40)
    stand_flat(lv, TREASURE, 575, below=MIDDLE + 110)   # in the niche: the rocket jump's prize
    stand_flat(lv, HEALTH, 430, below=MIDDLE + 30)
    stand_flat(lv, TREASURE, 860, below=LOWER + 80)
    stand_flat(lv, TREASURE, 910, below=LOWER + 80)
    # only a crust over the whole channel turns its top row of lava to obsidian
    lv.set_piece(CHANNEL[0], LOWER - 1, CHANNEL[1], LOWER, 140,
                 "water let through the ice roof crusts the lava channel into a floor")
    return lv
