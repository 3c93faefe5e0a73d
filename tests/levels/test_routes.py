#!/usr/bin/python3
"""The scripted routes through every level, on the movement model, at three
window sizes (the water drag depends on the cell size); and the cases that
show the route check fails when a level cannot be crossed."""
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "assets" / "levels"))
import routes  # noqa: E402
from level_canvas import LAVA, PLAYER, STONE, TREASURE, WATER, Level  # noqa: E402

CELL_SIZES = (3.0, 4.0, 5.0)  # windows 1152, 1536 and 1920 pixels wide


class ShippedRoutesTest(unittest.TestCase):
    def test_every_level_has_a_route(self):
        import build_levels
        self.assertEqual(sorted(routes.ROUTES), sorted(module for module, _ in build_levels.LEVELS))

    def test_every_route_collects_every_treasure(self):
        for module in routes.ROUTES:
            for s in CELL_SIZES:
                with self.subTest(module=module, cell_size=s):
                    faults, _ = routes.play(module, s)
                    self.assertEqual(faults, [])


def flat_level():
    lv = Level(768, 432)
    lv.frame()
    lv.rect(0, 0, 768, 60, STONE)
    lv.stand(PLAYER, 40)
    return lv


class RouteFaultsTest(unittest.TestCase):
    def play(self, lv, route):
        faults, _ = routes.play_level(lv, route, 4.0)
        return " ".join(faults)

    def test_a_plain_walk_collects_a_treasure_on_the_floor(self):
        lv = flat_level()
        lv.stand(TREASURE, 300)
        self.assertEqual(self.play(lv, [("right", 310)]), "")

    def test_walking_into_lava_is_reported(self):
        lv = flat_level()
        lv.basin(200, 260, 40, 60, LAVA, 56)
        lv.stand(TREASURE, 300)
        self.assertIn("touched lava", self.play(lv, [("right", 310)]))

    def test_a_ledge_higher_than_a_jump_stops_the_route(self):
        lv = flat_level()
        lv.rect(300, 60, 768, 110, STONE)  # 50 cells up: no jump reaches it
        lv.stand(TREASURE, 400)
        self.assertIn("did not finish", self.play(lv, [("hop_right", 300), ("right", 400)]))

    def test_a_gap_wider_than_a_running_jump_is_fallen_into(self):
        lv = flat_level()
        lv.basin(200, 400, 40, 60, LAVA, 56)  # 200 cells: a running jump clears 128
        lv.stand(TREASURE, 450)
        self.assertIn("touched lava", self.play(lv, [("right", 150), ("jump_right", 450)]))

    def test_staying_under_water_drowns(self):
        lv = flat_level()
        lv.basin(100, 700, 10, 60, WATER, 59, liner=STONE)
        lv.stand(TREASURE, 650, below=40)
        self.assertIn("drowning", self.play(lv, [("right", 300), ("wait", 60 * 11), ("right", 660)]))

    def test_an_unreached_treasure_is_named(self):
        lv = flat_level()
        lv.stand(TREASURE, 300)
        self.assertIn("treasure not reached: [(300, 68)]", self.play(lv, [("right", 200)]))


if __name__ == "__main__":
    unittest.main()
