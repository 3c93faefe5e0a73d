"""Level 7: rocket enemies, alone.

Rocket enemies see 500 cells and fire rockets at 150 cells a second that
blast like the player's (25 damage up close, a hole of radius 20), but they
hold fire when the player is within 100 cells, and die to four rockets (100
health). Their rockets eat the stone they stand on; obsidian shelters do not
wear away. The way through is to close in fast from shelter to shelter.
"""
from level_canvas import HEALTH, OBSIDIAN, PLAYER, ROCKET, STONE, TREASURE, Level


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 768, 60)])
    # obsidian shelters: a roof to stand under (nothing in the world falls but
    # sand and liquids), and a low wall
    lv.rect(120, 92, 210, 100, OBSIDIAN)
    lv.rect(440, 60, 454, 84, OBSIDIAN)
    # the first enemy's tower, with a step up to it
    lv.steps([(260, 300, 84), (300, 380, 108)], base=60)
    # the last enemy's ledge on a stone bluff, climbed by two steps
    lv.steps([(600, 640, 84), (640, 680, 108), (680, 764, 132)], base=60)
    lv.stand(PLAYER, 40)
    lv.stand(HEALTH, 170, below=90)   # under the shelter
    lv.stand(ROCKET, 320)
    lv.stand(TREASURE, 365)
    lv.stand(HEALTH, 425)
    lv.stand(ROCKET, 540)
    lv.stand(TREASURE, 500)
    lv.stand(ROCKET, 720)
    lv.stand(TREASURE, 750)
    return lv
