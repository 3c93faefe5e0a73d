"""Level 4: the first enemy, melee enemies alone.

A melee enemy has 200 health (eight full rocket hits), runs at 30 cells a
second against the player's 70, jumps only 18 cells and hits for 20 on
contact. It can be fought from a distance while backing off, or jumped over
(a jump clears 34 cells, the enemy is 16 tall). It will not walk into lava:
the lava pit between the two arenas keeps the second brute on its side.
The second arena is a sand dune. Above the arenas rock leans in from both
sides, and an island over the pit holds a lava pool melting the frozen
pool beside it.
"""
from level_canvas import HEALTH, ICE, LAVA, MELEE, PLAYER, TREASURE, WATER, Level
from level_shapes import (cap, cliff, crag, fire_and_ice, floating, island, pocket, roll, round_off, rubble,
                          stalactites, stand_flat, weather)
from level_works import hopper


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 484, 60), (484, 768, 80)])
    # the arenas roll a little; level ground wherever someone stands
    roll(lv, 4, 90, 3, 131, keep=(40,))
    roll(lv, 300, 420, 2, 132, period=30, keep=(330, 372))
    cliff(lv, 4, [(60, 12), (180, 8), (260, 40), (432, 130)], 133)
    cliff(lv, 764, [(80, 4), (200, 8), (260, 60), (330, 90), (432, 170)], 134, right=False)
    lv.basin(430, 480, 36, 60, LAVA, 52)   # 50 cells: a running jump, 20 cells up
    # a ledge over the first arena to shoot down from
    crag(lv, [(180, 124), (220, 121), (262, 122), (300, 125), (292, 131), (240, 133), (196, 131)], 145, amp=2)
    lv.steps([(90, 130, 84), (130, 170, 108)])
    round_off(lv, 4, 4, 764, 432)
    weather(lv, 4, 4, 764, 432, 135)
    stalactites(lv, 196, 290, 136, 10, spacing=14, low=100, high=125)
    # the island over the pit: lava beside a frozen pool, melting it as the fight goes on
    tops = island(lv, 420, 236, 70, 44, 137)
    rim = min(tops[x] for x in range(370, 470))
    fire_and_ice(lv, 370, 470, rim, 10, beyond=ICE)
    floating(lv, 200, 280, 46, 40, 139, sand=8, drips=12)
    floating(lv, 620, 250, 44, 36, 140, water=40, drips=10)
    pocket(lv, 250, 30, 40, 12, WATER, 141)
    pocket(lv, 600, 40, 30, 14, ICE, 142)
    rubble(lv, 20, 80, 143, 3, size=2, below=100)
    # the second arena is a sand dune: everyone runs a little slower on it
    cap(lv, 488, 760, 12, 144, below=120)
    # over the dune, a hopper the window reaches as the player nears the pit: its sand pours
    # down in sight and heaps a new drift between the health box and the second brute
    hopper(lv, 540, 184, 612, 214, (560, 592), 146, hole=3)
    lv.set_piece(536, 80, 616, 130, 150, "sand from the hopper heaps a new drift on the dune")
    stand_flat(lv, PLAYER, 40, below=200)
    stand_flat(lv, TREASURE, 240, below=160)
    stand_flat(lv, MELEE, 330, below=200)
    stand_flat(lv, TREASURE, 372, below=200)
    stand_flat(lv, HEALTH, 505, below=200)
    stand_flat(lv, MELEE, 640, below=200)
    stand_flat(lv, TREASURE, 740, below=200)
    return lv
