"""Level 1: water. Wading, sinking and drowning, still with nothing else to fear.

A shallow pool (10 cells: the head stays dry) is walked through; a deep pool
(40 cells) has a treasure on its floor; a flooded tunnel dips under the rock.
Under water the player sinks, cannot jump more than 10 to 17 cells and starts
drowning after 10 seconds, so every way out of the water is a walkable slope
(0.7 cells up per cell across) and no dive takes more than about 4 seconds.
"""
from level_canvas import CLEAR, HEALTH, PLAYER, SAND, STONE, TREASURE, WATER, Level


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.ground([(0, 60), (90, 60), (108, 48), (182, 48), (200, 60), (240, 60), (300, 18),
               (360, 18), (420, 60), (470, 60)])
    lv.steps([(470, 500, 80), (500, 520, 100), (520, 768, 120)])
    lv.pour(90, 200, 48, 10, WATER)
    lv.pour(240, 420, 18, 40, WATER)
    # a sand bank between the pools
    lv.heap(220, 60, 16, 8, SAND)
    # the flooded tunnel: its floor 40 cells below the rock's top
    # the flooded tunnel: an open pit, then a low roof to pass under; the
    # pit is wide enough that a running player drops into it
    lv.polygon([(540, 121), (600, 78), (650, 78), (710, 121), (663, 121), (640, 104), (610, 104),
                (610, 121)], CLEAR)
    lv.pour(540, 710, 78, 34, WATER)
    # a cliff above the roof so the only way on is under it
    lv.rect(615, 120, 655, 200, STONE)
    lv.stand(PLAYER, 40)
    lv.stand(TREASURE, 145, below=60)
    lv.stand(TREASURE, 330, below=40)
    lv.stand(TREASURE, 625, below=90)
    lv.stand(HEALTH, 460)
    lv.stand(TREASURE, 735)
    return lv
