"""Level 7: rocket enemies, alone.

Rocket enemies see 500 cells and fire rockets at 150 cells a second that
blast like the player's (25 damage up close, a hole of radius 20), but they
hold fire when the player is within 100 cells, and die to four rockets (100
health). Their rockets eat the stone they stand on; obsidian shelters do not
wear away. The way through is to close in fast from shelter to shelter.
The first shelter is the obsidian floor of a rock overhang; rock leans in
from the edges into a cavern roof hung with stone and ice, and islands
drift under it, there to be blasted.
"""
from level_canvas import HEALTH, ICE, OBSIDIAN, PLAYER, ROCKET, SAND, STONE, TREASURE, WATER, Level
from level_shapes import (arch, cliff, crag, floating, pocket, roll, round_off, rubble, stalactites,
                          stand_flat, weather)


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 768, 60)])
    roll(lv, 4, 250, 5, 171, period=60, keep=(40, 170))
    roll(lv, 386, 596, 5, 172, period=60, keep=(425, 500, 540))
    cliff(lv, 4, [(60, 12), (160, 8), (240, 40), (432, 150)], 173)
    cliff(lv, 764, [(132, 4), (220, 10), (280, 50), (432, 160)], 174, right=False)
    # a cavern roof over the row, hung with stone and ice
    arch(lv, 60, 700, 350, 40, 20, 185)
    # obsidian shelters: a roof to stand under (nothing in the world falls but
    # sand and liquids), and a low wall
    lv.rect(120, 92, 210, 100, OBSIDIAN)
    crag(lv, [(118, 100), (212, 100), (200, 122), (170, 134), (135, 128)], 175, amp=4)
    lv.rect(440, 60, 454, 84, OBSIDIAN)
    # the first enemy's tower, with a step up to it
    lv.steps([(260, 300, 84), (300, 380, 108)], base=60)
    # the last enemy's ledge on a stone bluff, climbed by two steps
    lv.steps([(600, 640, 84), (640, 680, 108), (680, 764, 132)], base=60)
    round_off(lv, 4, 4, 764, 432)
    weather(lv, 4, 4, 764, 432, 176)
    stalactites(lv, 90, 680, 186, 30, spacing=26, low=290, high=432)
    stalactites(lv, 100, 670, 187, 16, spacing=22, material=ICE, low=300, high=432)
    floating(lv, 330, 260, 50, 44, 177, sand=8, drips=12)
    floating(lv, 520, 320, 46, 40, 178, water=44, drips=10)
    floating(lv, 660, 250, 30, 26, 180, sand=6, drips=8)
    pocket(lv, 200, 30, 50, 12, WATER, 181, fill=0.7)
    pocket(lv, 480, 34, 30, 12, ICE, 182)
    pocket(lv, 690, 80, 40, 14, SAND, 183, fill=0.6)
    rubble(lv, 400, 430, 184, 2, size=2, below=100)
    stand_flat(lv, PLAYER, 40, below=200)
    stand_flat(lv, HEALTH, 170, below=90)   # under the shelter
    stand_flat(lv, ROCKET, 320, below=200)
    stand_flat(lv, TREASURE, 365, below=200)
    stand_flat(lv, HEALTH, 425, below=200)
    stand_flat(lv, ROCKET, 540, below=200)
    stand_flat(lv, TREASURE, 500, below=200)
    stand_flat(lv, ROCKET, 720, below=200)
    stand_flat(lv, TREASURE, 750, below=200)
    return lv
