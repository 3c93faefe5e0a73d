"""Level 6: rifle enemies, alone.

Rifle enemies see 500 cells, fire a 20-damage bullet every 1 to 2 seconds
at 200 cells a second, and die to three rockets (60 health). Their bullets
bore holes of radius 10 into stone, so cover wears away. The player climbs
through a canyon of stone blocks to use as cover, with health boxes behind
the second and third blocks.
"""
from level_canvas import HEALTH, PLAYER, RIFLE, STONE, TREASURE, Level


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 200, 60), (200, 330, 84), (330, 470, 108), (470, 620, 132), (620, 768, 156)])
    # cover: blocks as tall as the player, with a gap below the next step
    for x in (150, 290, 430, 580):
        lv.rect(x, lv.top(x) + 1, x + 14, lv.top(x) + 24, STONE)
    # an overhanging roof over the last plateau
    lv.rect(640, 230, 764, 240, STONE)
    lv.stand(PLAYER, 40)
    lv.stand(TREASURE, 120)
    lv.stand(RIFLE, 400)
    lv.stand(HEALTH, 270)
    lv.stand(TREASURE, 460)
    lv.stand(RIFLE, 530)
    lv.stand(HEALTH, 565)
    lv.stand(RIFLE, 700, below=200)
    lv.stand(TREASURE, 740, below=200)
    return lv
