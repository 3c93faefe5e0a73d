"""Level 0: running, jumping and treasure, with nothing that can hurt.

Steps rise 12, 20 and 24 cells (a held jump lifts the feet 34), a gap 70
cells wide (a running jump clears 128) has steps inside for a second try, a
sand dune slows the run, and three treasure boxes sit on the high points and
in the gap. The ground rolls a little (a walker climbs 8 cells without
jumping), islands of stone, sand and water float out of reach overhead, and
a cistern in a crag on the top step bursts as the player nears it and pours down
the staircase towards a dry hollow on the plateau: the world moves by itself.
"""
from level_canvas import CLEAR, ICE, PLAYER, SAND, STONE, TREASURE, WATER, Level
from level_works import cistern
from level_shapes import (cliff, crag, floating, pocket, roll, round_off, rubble, stalactites,
                          stand_flat, weather)


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 110, 40), (110, 170, 52), (170, 240, 72), (240, 340, 96),
              (340, 410, 50), (410, 560, 96), (560, 620, 120), (620, 680, 144), (680, 768, 168)])
    # the flat spans roll gently; the treasures and the start stay on level ground
    roll(lv, 4, 110, 3, 11, keep=(40,))
    roll(lv, 240, 340, 3, 12, keep=(290,))
    roll(lv, 410, 560, 2, 13)
    roll(lv, 680, 764, 3, 14, keep=(700,))
    # stone faces at both edges, leaning out overhead
    cliff(lv, 4, [(40, 22), (120, 16), (250, 12), (330, 40), (390, 120), (432, 150)], 5)
    cliff(lv, 764, [(250, 0), (270, 20), (340, 50), (432, 110)], 6, right=False)
    # the ground's corners rounded
    round_off(lv, 4, 4, 764, 175)
    round_off(lv, 4, 300, 764, 432)
    # a step in the gap for anyone who falls in
    lv.rect(388, 50, 410, 74, STONE)
    # a low sand dune on the far side of the gap
    lv.heap(470, 96, 28, 12, SAND)
    # an overhang above the first steps that a careless jump bumps into
    crag(lv, [(150, 152), (176, 149), (206, 150), (230, 153), (222, 160), (190, 162), (160, 159)], 36, amp=2)
    stalactites(lv, 156, 224, 3, 7, spacing=14, low=140, high=160)
    # out of reach overhead: floating islands, one with a pond, one with a dune
    floating(lv, 300, 385, 50, 46, 21, water=34, drips=12)
    floating(lv, 455, 340, 40, 34, 22, sand=8, drips=10)
    floating(lv, 590, 395, 56, 50, 23, sand=9, water=30, drips=14)
    floating(lv, 690, 320, 26, 22, 24, drips=8)
    floating(lv, 395, 420, 22, 18, 25, drips=6)
    # sealed pockets in the rock below: sand, water and an ice vein
    pocket(lv, 200, 24, 18, 8, SAND, 31)
    pocket(lv, 470, 50, 24, 10, WATER, 32)
    pocket(lv, 650, 80, 16, 9, ICE, 33)
    rubble(lv, 420, 470, 34, 4, size=2)
    # a dry hollow on the plateau below the stairs, for the cistern's water
    lv.polygon([(500, 97), (512, 86), (548, 86), (558, 97)], CLEAR)
    # every stone face worn ragged
    weather(lv, 4, 4, 764, 175, 1)
    weather(lv, 4, 300, 764, 432, 2)
    # a brimming cistern in a crag on the top step: when the player comes near
    # it bursts and a waterfall runs down the stairs into a dry hollow on the plateau
    crag(lv, [(722, 166), (764, 166), (764, 262), (748, 266), (736, 246), (728, 210)], 35, amp=3)
    box = cistern(lv, 738, 172, 760, 240, mouth=24)
    lv.set_piece(*box, 150, "a cistern in the crag on the top step bursts and pours down the stairs towards a dry hollow")
    stand_flat(lv, PLAYER, 40, below=200)
    stand_flat(lv, TREASURE, 290, below=200)
    stand_flat(lv, TREASURE, 398, below=74)   # on the step inside the gap: a reason to drop in
    stand_flat(lv, TREASURE, 700, below=200)
    return lv
