"""Level 6: machine gunners, alone.

Gunners see only 200 cells but fire bursts of 3 to 8 bullets (5 damage each)
and keep firing at the last place they saw the player for 2 to 4 bursts;
they take five rockets (125 health). Rockets fly much farther than a gunner
sees, so each gunner sits on a mound that can be shelled from a trench more
than 200 cells away. The middle trench holds water: a place to duck under
the bullets, if not for long. Overhead, a stone arch spans the sky from
edge to edge and islands hang over the trenches.
"""
from level_canvas import GUNNER, HEALTH, ICE, PLAYER, SAND, TREASURE, WATER, Level
from level_works import cistern
from level_shapes import (arch, cliff, crag, floating, pocket, roll, round_off, rubble, stalactites,
                          stand_flat, weather)


def build():
    lv = Level(768, 432)
    lv.frame()
    # trench walls rise 0.7 to 0.8 cells per cell: walkable out of the water too
    lv.ground([(0, 70), (80, 70), (105, 50), (155, 50), (180, 70), (240, 70), (260, 84), (300, 84),
               (320, 70), (340, 70), (380, 42), (450, 42), (490, 70), (530, 70), (565, 96), (615, 96),
               (650, 70), (768, 70)])
    roll(lv, 4, 80, 3, 191, keep=(40,))
    roll(lv, 650, 764, 3, 192, keep=(662, 700, 745))
    cliff(lv, 4, [(70, 12), (160, 8), (260, 30), (432, 90)], 193)
    cliff(lv, 764, [(70, -2), (120, 4), (180, 8), (280, 40), (432, 100)], 194, right=False)
    # a long stone arch spans the sky from edge to edge
    arch(lv, 30, 740, 330, 60, 14, 204)
    round_off(lv, 4, 4, 764, 432)
    weather(lv, 4, 4, 764, 432, 195)
    lv.pour(340, 490, 36, 32, WATER)  # from below the worn floor: fills its dents too
    # a stone lip on each trench so the bullets have something to chew first
    for k, x in enumerate((180, 505)):
        crag(lv, [(x - 2, 62), (x + 16, 62), (x + 15, 74), (x + 11, 81), (x + 3, 81), (x - 1, 74)], 206 + k, amp=1)
    # an overhang on the far wall holds a cistern that bursts as the player comes
    crag(lv, [(700, 152), (764, 150), (764, 204), (734, 198), (712, 182)], 208, amp=3)
    lv.set_piece(*cistern(lv, 732, 160, 758, 190, mouth=10), 150,
                 "a cistern in the far overhang bursts and pours onto the last gunners' ground")
    floating(lv, 150, 230, 44, 40, 196, sand=8, drips=12)
    floating(lv, 415, 300, 56, 48, 197, water=50, drips=14)
    floating(lv, 610, 240, 40, 34, 198, sand=7, drips=10)
    floating(lv, 280, 320, 30, 24, 199, drips=8)
    stalactites(lv, 60, 710, 205, 14, spacing=18, low=300, high=432)
    pocket(lv, 120, 30, 40, 10, WATER, 200)
    pocket(lv, 600, 40, 30, 12, ICE, 201)
    pocket(lv, 260, 40, 20, 10, SAND, 202)
    rubble(lv, 200, 240, 203, 2, size=2, below=150)
    stand_flat(lv, PLAYER, 40, below=140)
    stand_flat(lv, TREASURE, 130, below=140)
    stand_flat(lv, GUNNER, 280, below=140)
    stand_flat(lv, HEALTH, 210, below=140)
    stand_flat(lv, TREASURE, 415, below=60)
    stand_flat(lv, GUNNER, 590, below=140)
    stand_flat(lv, HEALTH, 662, below=140)
    stand_flat(lv, GUNNER, 700, below=140)
    stand_flat(lv, TREASURE, 745, below=140)
    return lv
