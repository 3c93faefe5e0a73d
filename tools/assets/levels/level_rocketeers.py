"""Level 7: rocket enemies, alone.

Rocket enemies see 500 cells and fire rockets at 150 cells a second that
blast like the player's (25 damage up close, a hole of radius 20), but they
hold fire when the player is within 100 cells, and die to four rockets (100
health). Their rockets eat the stone they stand on; obsidian shelters do not
wear away. The row is a string of caverns, one rocket enemy in each, no
wider than the view: rock walls with obsidian hearts reach up to the roof,
and the way between two caverns is a tunnel that climbs over a hump, so no
enemy sees, or fires at, a player it cannot be seen by. The way through is
to close in fast from shelter to shelter. Their rockets crater the caverns'
floors and walls as the fight goes on.
"""
from level_canvas import HEALTH, ICE, OBSIDIAN, PLAYER, ROCKET, SAND, TREASURE, WATER, Level
from level_shapes import (arch, cliff, crag, floating, pocket, roll, round_off, rubble, sight_wall,
                          stalactites, stand_flat, weather)

GROUND = 60


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 768, GROUND)])
    roll(lv, 4, 150, 4, 171, period=60, keep=(40, 100))
    roll(lv, 240, 370, 4, 172, period=50, keep=(300, 340))
    roll(lv, 460, 590, 4, 188, period=50, keep=(520, 560))
    cliff(lv, 4, [(60, 12), (160, 8), (240, 40), (432, 150)], 173)
    cliff(lv, 764, [(132, 4), (220, 10), (280, 50), (432, 160)], 174, right=False)
    # a cavern roof over the row, hung with stone and ice
    arch(lv, 60, 700, 300, 40, 24, 185)
    # steps up to the last enemy, in the last cavern
    lv.steps([(690, 720, 84), (720, 764, 108)], base=GROUND)
    for x0, x1, seed in ((160, 230, 189), (380, 450, 190), (600, 670, 191)):
        sight_wall(lv, x0, x1, GROUND, 372, seed)
    # obsidian shelters: a low wall to crouch behind in each cavern
    crag(lv, [(262, 56), (282, 56), (280, 78), (266, 80)], 175, amp=2, material=OBSIDIAN)
    crag(lv, [(482, 56), (502, 56), (500, 80), (484, 78)], 176, amp=2, material=OBSIDIAN)
    round_off(lv, 4, 4, 764, 432)
    weather(lv, 4, 4, 764, 432, 177)
    stalactites(lv, 90, 680, 186, 26, spacing=26, low=250, high=432)
    stalactites(lv, 100, 670, 187, 14, spacing=22, material=ICE, low=250, high=432)
    floating(lv, 90, 210, 40, 34, 178, sand=7, drips=10)
    floating(lv, 305, 220, 36, 32, 179, water=32, drips=10)
    floating(lv, 525, 210, 34, 30, 180, sand=6, drips=8)
    pocket(lv, 200, 30, 50, 12, WATER, 181)
    pocket(lv, 480, 34, 30, 12, ICE, 182)
    pocket(lv, 690, 40, 40, 14, SAND, 183)
    rubble(lv, 300, 340, 184, 2, size=2, below=100)
    stand_flat(lv, PLAYER, 40, below=150)
    stand_flat(lv, HEALTH, 100, below=150)
    stand_flat(lv, TREASURE, 300, below=150)
    stand_flat(lv, ROCKET, 340, below=150)
    stand_flat(lv, HEALTH, 470, below=150)
    stand_flat(lv, TREASURE, 520, below=150)
    stand_flat(lv, ROCKET, 560, below=150)
    stand_flat(lv, ROCKET, 730, below=150)
    stand_flat(lv, TREASURE, 750, below=150)
    lv.set_piece(230, GROUND - 30, 380, GROUND + 60, 50, "rockets crater the first rocket cavern")
    return lv
