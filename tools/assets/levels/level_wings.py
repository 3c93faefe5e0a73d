"""Level 5: bats, alone.

Bats fly up to 100 cells a second, turn away from walls, bite for 10 and die
to one rocket (20 health). Three caves stacked under the start are entered by
dropping through holes (a fall does no harm), so the player meets one bat
first, then two, then two more, with a health box in each of the lower caves.
The caves are worn and hung with stone and ice; as the player crosses the
first, a sand hopper in the second cave's roof starts to pour, heaping a
drift across its floor between its treasure and the drop to the third, to
be climbed or blasted under the bats. Water seeps in sealed hollows, and
hills and islands roll away above.
"""
from level_canvas import BAT, HEALTH, ICE, PLAYER, SAND, STONE, TREASURE, WATER, Level
from level_shapes import (cliff, crag, floating, pocket, roll, round_off, rubble, spring, stalactites,
                          stand_flat, weather)
from level_works import hopper


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.rect(0, 0, 768, 300, STONE)
    # the land above the caves: hills beyond the wall, rock leaning in from the right
    roll(lv, 220, 764, 18, 101, period=90, taper=40, below=330)
    crag(lv, [(430, 300), (470, 330), (520, 338), (560, 318), (600, 300)], 102, amp=4)
    cliff(lv, 764, [(300, 20), (360, 30), (432, 110)], 103, right=False)
    lv.rect(0, 300, 170, 308, STONE)        # the start's lip
    lv.clear(150, 200, 190, 310)            # the shaft down
    lv.rect(190, 300, 214, 400, STONE)      # a wall beyond it: a running start cannot leap it
    lv.cave(150, 400, 200, 70)
    lv.clear(370, 120, 400, 201)            # drop into the second cave
    lv.cave(370, 620, 120, 70)
    lv.clear(590, 40, 620, 121)             # drop into the third
    lv.cave(440, 764, 40, 60)       # its ceiling 20 cells under the second cave's floor
    # uneven cave floors, level only where something stands
    roll(lv, 216, 366, 3, 118, period=30, below=240, keep=(250,))
    roll(lv, 402, 588, 3, 119, period=30, below=160, keep=(470, 540))
    roll(lv, 444, 588, 3, 120, period=30, below=80, keep=(500,))
    roll(lv, 622, 762, 3, 121, period=30, below=80, keep=(650, 740))
    round_off(lv, 4, 4, 764, 432, r=5)
    weather(lv, 4, 4, 764, 432, 104)
    weather(lv, 4, 4, 764, 432, 105)
    # water seeping in hollows of the rock, a vein of ice, a buried dune
    pocket(lv, 90, 150, 40, 16, WATER, 106)
    # a spring in the rock beside the first cave: it pours in as the level starts
    spring(lv, 122, 222, 12, 12, 122, outlet=1)
    pocket(lv, 250, 60, 50, 18, WATER, 107)
    pocket(lv, 700, 170, 30, 14, ICE, 108)
    pocket(lv, 660, 250, 40, 14, SAND, 109)
    # hanging stone in the caves, ice in the deepest
    stalactites(lv, 160, 390, 110, 12, spacing=18, low=220, high=280)
    stalactites(lv, 380, 610, 111, 12, spacing=18, low=140, high=200)
    stalactites(lv, 450, 760, 112, 12, spacing=16, material=ICE, low=56, high=110)
    rubble(lv, 160, 390, 113, 5, size=2, below=240)
    rubble(lv, 640, 760, 114, 4, size=2, below=80)
    # in the second cave's roof, a hopper the window reaches while the player crosses the first: it
    # pours for seconds, and its drift stands between the cave's treasure and the drop to the third
    hopper(lv, 496, 198, 570, 236, (516, 548), 123, hole=3)
    lv.set_piece(500, 118, 570, 160, 150, "sand from the hopper in the second cave's roof heaps a drift across its floor")
    floating(lv, 330, 400, 40, 36, 115, water=36, drips=10)
    floating(lv, 560, 410, 34, 30, 116, sand=7, drips=8)
    floating(lv, 90, 390, 30, 24, 117, drips=8)
    stand_flat(lv, PLAYER, 40, below=360)
    stand_flat(lv, TREASURE, 250, below=260)
    lv.place(BAT, 300, 245)
    stand_flat(lv, TREASURE, 470, below=180)
    stand_flat(lv, HEALTH, 540, below=180)
    lv.place(BAT, 450, 165)
    lv.place(BAT, 560, 170)
    stand_flat(lv, HEALTH, 650, below=60)
    stand_flat(lv, TREASURE, 500, below=60)
    stand_flat(lv, TREASURE, 740, below=60)
    lv.place(BAT, 520, 80)
    lv.place(BAT, 700, 80)
    return lv
