"""Level 1: water. Wading, sinking and drowning, still with nothing else to fear.

A shallow pool (10 cells: the head stays dry) is walked through; a deep pool
(40 cells) has a treasure on its floor; a flooded tunnel dips under the rock.
Under water the player sinks, cannot jump more than 10 to 17 cells and starts
drowning after 10 seconds, so every way out of the water is a walkable slope
(0.7 cells up per cell across) and no dive takes more than about 4 seconds.
Overhead, rock leans in from both edges, the tunnel's cliff spreads into a
hanging crag with a cistern that bursts into the pit as the player nears, and
islands carry ponds and a frozen pool.
"""
from level_canvas import CLEAR, HEALTH, ICE, PLAYER, SAND, STONE, TREASURE, WATER, Level
from level_works import cistern
from level_shapes import cliff, crag, floating, pocket, pool, roll, round_off, stalactites, stand_flat, weather


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.ground([(0, 60), (90, 60), (108, 48), (182, 48), (200, 60), (240, 60), (300, 18),
               (360, 18), (420, 60), (470, 60)])
    lv.steps([(470, 500, 80), (500, 520, 100), (520, 768, 120)])
    roll(lv, 4, 90, 3, 41, keep=(40,))
    roll(lv, 716, 764, 2, 42, keep=(735,))
    cliff(lv, 4, [(60, 16), (200, 10), (300, 30), (380, 90), (432, 120)], 43)
    cliff(lv, 764, [(210, 0), (240, 26), (330, 60), (432, 90)], 44, right=False)
    round_off(lv, 4, 4, 764, 432)
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
    crag(lv, [(612, 118), (658, 118), (654, 150), (661, 196), (611, 196), (618, 150)], 53, amp=3)
    # spreading at its top into a crag that hangs over the pit
    lv.polygon([(615, 190), (575, 215), (560, 240), (585, 262), (640, 270), (700, 255), (712, 232),
                (680, 212), (655, 190)], STONE)
    weather(lv, 4, 4, 764, 432, 45)
    stalactites(lv, 560, 712, 46, 16, spacing=14, low=160, high=240)
    # a cistern in the crag bursts as the player nears and pours into the pit
    box = cistern(lv, 626, 198, 656, 216, side=-1, mouth=10)
    lv.set_piece(*box, 150, "a cistern in the hanging crag bursts and pours a waterfall into the flooded pit")
    # islands: two ponds, and one frozen over
    floating(lv, 150, 330, 50, 44, 47, water=50, drips=12)
    floating(lv, 330, 390, 40, 36, 48, sand=7, drips=10)
    isle = floating(lv, 460, 300, 36, 30, 49, drips=8)
    pool(lv, 440, 481, min(isle[x] for x in range(440, 481)), 6, ICE)
    floating(lv, 600, 375, 44, 40, 50, water=40, sand=6, drips=12)
    # a flooded cavern deep under the start, and sand in the rock under the lake
    pocket(lv, 60, 26, 34, 12, WATER, 51)
    pocket(lv, 600, 40, 30, 12, SAND, 52)
    stand_flat(lv, PLAYER, 40, below=150)
    stand_flat(lv, TREASURE, 145, below=60)
    stand_flat(lv, TREASURE, 330, below=40)
    stand_flat(lv, TREASURE, 625, below=90)
    stand_flat(lv, HEALTH, 460, below=150)
    stand_flat(lv, TREASURE, 735, below=150)
    return lv
