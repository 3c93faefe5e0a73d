"""Level 9: every enemy kind together, on three times the ground.

A sand valley holds a melee brute under two bats; a fort across a lava moat
(50 cells, a running jump) has a gunner inside its hall and a rifle on its
roof, and is entered by blasting its wall; then a stair of 24-cell steps
climbs to a plateau walled off by a rock spire, crossed by a humped tunnel,
where a rocket enemy watches a pool and never sees the stair. Health boxes
wait after each fight. Above it all, rock leans in from both edges, the
fort's roof is crowned with crags, and islands carry sand and water; the
one low over the valley holds lava that melts an ice dam as the fight goes
on.
"""
from level_canvas import (BAT, CLEAR, GUNNER, HEALTH, ICE, LAVA, MELEE, PLAYER, RIFLE, ROCKET, SAND, STONE,
                          TREASURE, WATER, Level)
from level_shapes import (cliff, crag, fire_and_ice, floating, island, pocket, roll, round_off, sight_wall,
                          stalactites, stand_flat, weather)
from level_works import hopper


def build():
    lv = Level(1152, 648)
    lv.frame()
    lv.ground([(0, 80), (150, 80), (200, 60), (330, 60), (380, 80), (1152, 80)])
    # the valley floor is sand
    lv.ground([(150, 80), (200, 60), (330, 60), (380, 80)], material=SAND, base=54)
    lv.rect(150, 0, 380, 54, STONE)
    # the fort: a hall behind a lava moat, a door out on the far side
    lv.basin(370, 420, 50, 80, LAVA, 72)
    lv.rect(470, 80, 730, 170, STONE)
    lv.clear(484, 80, 716, 156)
    lv.clear(716, 80, 730, 106)
    # the stair to the plateau, and a pool in the plateau's dip
    lv.steps([(760, 800, 104), (800, 840, 128), (840, 880, 152), (880, 920, 176), (920, 960, 200),
              (960, 1148, 224)], base=80)
    lv.polygon([(1015, 225), (1040, 206), (1070, 206), (1095, 225)], CLEAR)
    roll(lv, 4, 150, 3, 211, keep=(40, 120))
    cliff(lv, 4, [(80, 12), (200, 8), (330, 50), (500, 150), (648, 240)], 212)
    cliff(lv, 1148, [(224, -2), (260, 4), (300, 10), (400, 70), (648, 260)], 213, right=False)
    # crags on the fort's roof, clear of the rifle's post
    crag(lv, [(472, 168), (560, 168), (548, 190), (520, 204), (490, 196)], 214, amp=4)
    crag(lv, [(690, 168), (730, 168), (726, 196), (706, 200)], 215, amp=3)
    round_off(lv, 4, 4, 1148, 648)
    weather(lv, 4, 4, 1148, 648, 216)
    # the fort's front wall and the ground before it drawn again after the wearing, whole
    lv.clear(424, 80, 484, 156)
    lv.rect(424, 60, 484, 80, STONE)
    lv.rect(470, 80, 484, 170, STONE)
    lv.pour(1015, 1095, 200, 22, WATER)  # from below the worn floor: fills its dents too
    stalactites(lv, 490, 710, 217, 10, spacing=16, low=100, high=168)
    # islands over the valley and the fort
    # low over the valley, so it runs while the player is there: lava melting an ice dam into water
    tops = island(lv, 250, 246, 76, 40, 218)
    rim = min(tops[x] for x in range(196, 306))
    fire_and_ice(lv, 196, 306, rim, 10)
    # over the moat, in sight from the valley: a hopper whose sand streams down onto the lava
    # and heaps there into a causeway to the fort while the valley's fight goes on
    hopper(lv, 352, 170, 438, 204, (382, 408), 231, hole=3)
    lv.set_piece(370, 70, 420, 110, 300, "sand from the hopper heaps into a causeway over the moat")
    floating(lv, 480, 380, 60, 50, 220, sand=10, drips=14)
    floating(lv, 700, 470, 56, 50, 221, water=50, sand=8, drips=14)
    floating(lv, 900, 380, 46, 40, 222, drips=12)
    floating(lv, 1000, 520, 50, 44, 223, sand=9, drips=12)
    floating(lv, 420, 560, 34, 30, 224, drips=10)
    # an ice shelf over the plateau's pool, and pockets in the deep rock
    crag(lv, [(960, 300), (1020, 296), (1060, 306), (1020, 316), (970, 314)], 225, amp=3, material=ICE)
    # the plateau a chamber of its own, no wider than the view: its rocket enemy never sees the stair
    sight_wall(lv, 972, 992, 224, 648, 230)
    pocket(lv, 100, 40, 50, 14, WATER, 226)
    pocket(lv, 600, 40, 40, 14, ICE, 227)
    pocket(lv, 900, 120, 40, 16, SAND, 228)
    pocket(lv, 1060, 120, 40, 18, WATER, 229)
    stand_flat(lv, PLAYER, 40, below=200)
    stand_flat(lv, HEALTH, 120, below=200)
    lv.place(BAT, 200, 180)
    lv.place(BAT, 320, 175)
    stand_flat(lv, MELEE, 240, below=200)
    stand_flat(lv, TREASURE, 310, below=200)
    stand_flat(lv, GUNNER, 600, below=150)
    stand_flat(lv, RIFLE, 650, below=200)
    stand_flat(lv, TREASURE, 695, below=150)
    stand_flat(lv, HEALTH, 745, below=200)
    stand_flat(lv, HEALTH, 940, below=280)
    stand_flat(lv, TREASURE, 1055, below=215)
    stand_flat(lv, ROCKET, 1112, below=280)
    stand_flat(lv, TREASURE, 1135, below=280)
    return lv
