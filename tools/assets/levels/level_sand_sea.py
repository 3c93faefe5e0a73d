"""Placeholder until the level is drawn: flat ground, the treasure ahead."""
from level_canvas import PLAYER, TREASURE, Level


def build():
    lv = Level(768, 432)
    lv.frame()
    lv.steps([(0, 768, 40)])
    lv.stand(PLAYER, 40)
    lv.stand(TREASURE, 300)
    return lv
