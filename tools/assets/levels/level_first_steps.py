"""Level 0: running, jumping and treasure, with nothing that can hurt.

Steps rise 12, 20 and 24 cells (a held jump lifts the feet 34), a gap 70
cells wide (a running jump clears 128) has steps inside for a second try, a
sand dune slows the run, shelves 24 cells apart climb back to the left, and
four treasure boxes sit on the high points.
"""
from level_canvas import PLAYER, SAND, STONE, TREASURE, Level


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 110, 40), (110, 170, 52), (170, 240, 72), (240, 340, 96),
              (340, 410, 50), (410, 560, 96), (560, 620, 120), (620, 680, 144), (680, 768, 168)])
    # a step in the gap for anyone who falls in
    lv.rect(388, 50, 410, 74, STONE)
    # a low sand dune on the far side of the gap
    lv.heap(485, 96, 45, 14, SAND)
    # an overhang above the first steps that a careless jump bumps into
    lv.rect(150, 150, 230, 158, STONE)
    # shelves climbing back to the left, each 24 cells above the last and 10
    # cells across from it: a standing jump steered sideways reaches the next
    # one. The first ends 40 cells short of the top step, leaving head room for
    # the hop onto that step.
    for x0, x1, top in [(560, 640, 192), (470, 550, 216), (380, 460, 240), (290, 370, 264), (110, 280, 288)]:
        lv.rect(x0, top - 10, x1, top, STONE)
    lv.stand(PLAYER, 40)
    lv.stand(TREASURE, 290)
    lv.stand(TREASURE, 398, below=74)   # on the step inside the gap: a reason to drop in
    lv.stand(TREASURE, 730)
    lv.stand(TREASURE, 140, below=300)
    return lv
