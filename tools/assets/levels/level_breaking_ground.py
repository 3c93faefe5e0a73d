"""Level 3: the rocket launcher as a tool.

A rocket clears a disc of radius 20 wherever it goes off, one rocket a second,
and the player's own rockets push but never hurt. A stone wall too tall to
jump (a jump lifts the feet 34 cells) is blasted through; a treasure lies in
a sealed cave under the floor, reached by firing at the ground; and a cliff 90
cells high is climbed by jumping and firing at the feet in the same moment (a
rocket jump lifts the feet 110 to 138 cells) from an obsidian pad, which the
blast cannot eat away. A second pad on the plateau lifts the player to a
high ledge under the crags with the last treasure.
"""
from level_canvas import CLEAR, ICE, OBSIDIAN, PLAYER, SAND, STONE, TREASURE, WATER, Level
from level_shapes import cliff, crag, floating, pocket, roll, round_off, rubble, stalactites, stand_flat, weather


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 420, 60), (420, 768, 150)])
    roll(lv, 440, 560, 3, 82, keep=(450,))
    cliff(lv, 4, [(60, 10), (200, 8), (300, 30), (432, 90)], 83)
    # the wall: taller than any jump, thinner than two blasts, rising into a crag
    crag(lv, [(116, 58), (152, 58), (149, 120), (154, 190), (150, 250), (118, 250), (121, 190), (117, 120)], 79,
         amp=3)
    crag(lv, [(118, 220), (90, 270), (96, 330), (140, 356), (200, 340), (214, 300), (152, 240)], 80)
    # the crag over the far plateau, and the ledge under it for the last treasure
    cliff(lv, 764, [(236, 4), (310, 20), (330, 90), (432, 230)], 84, right=False)
    lv.rect(700, 224, 764, 236, STONE)
    # the sealed cave under the floor, its exit to the right plugged with stone
    lv.polygon([(200, 14), (300, 14), (340, 40), (340, 52), (300, 40), (200, 40)], CLEAR)
    lv.rect(200, 4, 300, 14, OBSIDIAN)
    # a sand heap above the cave: blasting it brings the sand down
    lv.heap(255, 60, 30, 16, SAND)
    # the rocket-jump pad at the cliff's foot
    lv.rect(370, 56, 420, 60, OBSIDIAN)
    # a second, thicker wall on the plateau: three or four rockets
    crag(lv, [(558, 148), (602, 148), (598, 220), (604, 280), (600, 332), (562, 332), (556, 280), (561, 220)], 94,
         amp=3)
    # and the pad under the ledge: 86 cells up, one rocket jump
    lv.rect(636, 146, 690, 150, OBSIDIAN)
    # rock worn everywhere but round the sealed cave, whose ramp the route climbs
    for k, (x0, y0, x1) in enumerate([(4, 4, 190), (190, 100, 370), (370, 4, 764)]):
        round_off(lv, x0, y0, x1, 432)
        weather(lv, x0, y0, x1, 432, 85 + k)
    stalactites(lv, 80, 216, 86, 14, spacing=14, low=200, high=345)
    stalactites(lv, 560, 700, 87, 16, spacing=14, material=ICE, low=236, high=432)
    floating(lv, 280, 300, 50, 46, 88, sand=8, drips=12)
    floating(lv, 430, 390, 40, 36, 89, water=36, drips=10)
    floating(lv, 40, 160, 22, 18, 90, drips=6)
    # rubble from earlier blasts, and a spring sealed in the rock
    rubble(lv, 430, 550, 91, 6, size=3, below=200)
    pocket(lv, 520, 90, 34, 14, WATER, 92)
    pocket(lv, 660, 70, 20, 10, ICE, 93)
    stand_flat(lv, PLAYER, 40, below=100)
    stand_flat(lv, TREASURE, 250, below=30)
    stand_flat(lv, TREASURE, 450, below=200)
    stand_flat(lv, TREASURE, 730, below=200)
    stand_flat(lv, TREASURE, 740, below=300)
    lv.set_piece(225, 56, 286, 80, 60, "the sand heap over the sealed cave comes down")
    return lv
