"""Level 3: the rocket launcher as a tool.

A rocket clears a disc of radius 20 wherever it goes off, one rocket a second,
and the player's own rockets push but never hurt. A stone wall too tall to
jump (a jump lifts the feet 34 cells) is blasted through; a treasure lies in
a sealed cave under the floor, reached by firing at the ground; and a cliff 90
cells high is climbed by jumping and firing at the feet in the same moment (a
rocket jump lifts the feet 110 to 138 cells) from an obsidian pad, which the
blast cannot eat away.
"""
from level_canvas import CLEAR, OBSIDIAN, PLAYER, SAND, STONE, TREASURE, Level


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 420, 60), (420, 768, 150)])
    # the wall: taller than any jump, thinner than two blasts
    lv.rect(120, 60, 150, 300, STONE)
    # the sealed cave under the floor, its exit to the right plugged with stone
    lv.polygon([(200, 14), (300, 14), (340, 40), (340, 52), (300, 40), (200, 40)], CLEAR)
    lv.rect(200, 4, 300, 14, OBSIDIAN)
    # a sand heap above the cave: blasting it brings the sand down
    lv.heap(255, 60, 30, 16, SAND)
    # the rocket-jump pad at the cliff's foot
    lv.rect(370, 56, 420, 60, OBSIDIAN)
    # a second, thicker wall on the plateau: three or four rockets
    lv.rect(560, 150, 600, 330, STONE)
    lv.stand(PLAYER, 40)
    lv.stand(TREASURE, 250, below=30)
    lv.stand(TREASURE, 450)
    lv.stand(TREASURE, 730)
    return lv
