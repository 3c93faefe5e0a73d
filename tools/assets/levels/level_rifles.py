"""Level 8: rifle enemies, alone.

Rifle enemies see 500 cells, fire a 20-damage bullet every 1 to 2 seconds
at 200 cells a second, and die to three rockets (60 health). Their bullets
bore holes of radius 10 into stone, so cover wears away. The player climbs
through a canyon of stone blocks to use as cover, with health boxes behind
the second and third blocks. The canyon's walls rise high on both sides and meet in an arch,
the roof over the last plateau is a crag hung with stone, and boulders and
islands break up the sky.
"""
from level_canvas import HEALTH, ICE, PLAYER, RIFLE, SAND, TREASURE, WATER, Level
from level_works import cistern
from level_shapes import (arch, cliff, crag, floating, pocket, roll, round_off, stalactites,
                          stand_flat, weather)


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 200, 60), (200, 330, 84), (330, 470, 108), (470, 620, 132), (620, 768, 156)])
    roll(lv, 4, 140, 3, 151, keep=(40, 120))
    roll(lv, 636, 764, 2, 152, keep=(700, 740))
    cliff(lv, 4, [(60, 12), (150, 20), (250, 40), (330, 90), (432, 200)], 153)
    cliff(lv, 764, [(240, 120), (260, 140), (330, 170), (432, 230)], 154, right=False)
    # the canyon's walls meet overhead in an arch
    arch(lv, 120, 600, 350, 44, 12, 165)
    # cover: boulders as tall as the player, with a gap below the next step
    for k, x in enumerate((150, 290, 430, 580)):
        t = lv.top(x, 200) + 1
        crag(lv, [(x - 2, t - 1), (x + 16, t - 1), (x + 15, t + 14), (x + 11, t + 23), (x + 3, t + 23),
                  (x - 1, t + 14)], 166 + k, amp=1)
    # an overhanging roof over the last plateau
    crag(lv, [(640, 232), (660, 228), (700, 226), (764, 228), (764, 262), (700, 250), (650, 244)], 155, amp=3)
    round_off(lv, 4, 4, 764, 432)
    weather(lv, 4, 4, 764, 432, 156)
    stalactites(lv, 648, 760, 157, 12, spacing=14, low=190, high=240)
    # a cistern in the roof bursts as the player climbs near and pours onto the last plateau
    lv.set_piece(*cistern(lv, 680, 236, 730, 248, mouth=8), 150,
                 "a cistern in the last roof bursts and pours onto the last plateau")
    stalactites(lv, 200, 480, 158, 16, spacing=20, material=ICE, low=250, high=432)
    floating(lv, 300, 300, 44, 40, 159, sand=8, drips=12)
    floating(lv, 470, 340, 40, 36, 160, water=40, drips=10)
    floating(lv, 560, 230, 24, 20, 161, drips=6)
    pocket(lv, 120, 30, 40, 12, WATER, 162)
    pocket(lv, 460, 60, 30, 14, SAND, 163)
    pocket(lv, 690, 90, 24, 12, ICE, 164)
    stand_flat(lv, PLAYER, 40, below=200)
    stand_flat(lv, TREASURE, 120, below=200)
    stand_flat(lv, RIFLE, 400, below=200)
    stand_flat(lv, HEALTH, 270, below=200)
    stand_flat(lv, TREASURE, 460, below=200)
    stand_flat(lv, RIFLE, 530, below=200)
    stand_flat(lv, HEALTH, 565, below=200)
    stand_flat(lv, RIFLE, 700, below=200)
    stand_flat(lv, TREASURE, 740, below=200)
    return lv
