"""Level 4: bats, the first enemy, alone.

Bats fly up to 100 cells a second, turn away from walls, bite for 10 and die
to one rocket (20 health). Three caves stacked under the start are entered by
dropping through holes (a fall does no harm), so the player meets one bat
first, then two, then two more, with a health box in each of the lower caves.
"""
from level_canvas import BAT, HEALTH, PLAYER, STONE, TREASURE, Level


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.rect(0, 0, 768, 300, STONE)
    lv.rect(0, 300, 170, 308, STONE)        # the start's lip
    lv.clear(150, 200, 190, 310)            # the shaft down
    lv.rect(190, 300, 214, 400, STONE)      # a wall beyond it: a running start cannot leap it
    lv.cave(150, 400, 200, 70)
    lv.clear(370, 120, 400, 201)            # drop into the second cave
    lv.cave(370, 620, 120, 70)
    lv.clear(590, 40, 620, 121)             # drop into the third
    lv.cave(440, 764, 40, 60)       # its ceiling 20 cells under the second cave's floor
    lv.stand(PLAYER, 40)
    lv.stand(TREASURE, 250, below=260)
    lv.place(BAT, 300, 245)
    lv.stand(TREASURE, 470, below=180)
    lv.stand(HEALTH, 540, below=180)
    lv.place(BAT, 450, 165)
    lv.place(BAT, 560, 170)
    lv.stand(HEALTH, 650, below=60)
    lv.stand(TREASURE, 500, below=60)
    lv.stand(TREASURE, 740, below=60)
    lv.place(BAT, 520, 80)
    lv.place(BAT, 700, 80)
    return lv
