#!/usr/bin/python3
"""The level checks must reject the faults they exist for: each case builds a
small level with one fault and expects the check to name it."""
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import check_levels as check  # noqa: E402


def level(width=384, height=216, floor=20, floor_material="stone", cells=None, markers=()):
    """A flat floor of rows 0 to floor - 1 plus extra cells {(x, y): name}."""
    extra = dict(cells or {})

    def cell(x, y):
        if (x, y) in extra:
            return extra[(x, y)]
        return floor_material if y < floor else None
    return check.LevelMap(width, height, cell, list(markers))


def standing(kind, x, floor=20):
    return (kind, x, floor + 8 + 1)  # the box's bottom row sits on the floor's top row


class MarkerTest(unittest.TestCase):
    def test_a_well_placed_level_passes(self):
        good = level(markers=[standing("player", 40), standing("treasure", 100), standing("melee", 360),
                              ("bat", 300, 100)])
        self.assertEqual(check.level_faults(good), [])

    def test_marker_inside_stone_is_named(self):
        embedded = level(cells={(205, 31): "stone"}, markers=[standing("player", 40), standing("treasure", 100),
                                                              standing("rifle", 200)])
        faults = [f for f in check.level_faults(embedded) if "box" in f]
        self.assertEqual(len(faults), 1)
        self.assertIn("rifle at 200", faults[0])

    def test_walker_in_the_air_does_not_stand(self):
        floating = level(markers=[standing("player", 40), standing("treasure", 100), ("gunner", 200, 60)])
        self.assertIn("does not stand on ground", " ".join(check.level_faults(floating)))

    def test_player_over_lava_or_water_or_nothing(self):
        for below in ("lava", "water"):
            with self.subTest(below):
                pit = {(40, y): below for y in range(0, 20)}
                bad = level(cells=pit, markers=[standing("player", 40), standing("treasure", 100)])
                self.assertIn(f"land on {below}", " ".join(check.level_faults(bad)))
        hole = {(40, y): None for y in range(0, 20)}
        bottomless = level(cells=hole, markers=[standing("player", 40), standing("treasure", 100)])
        self.assertIn("bottom of the world", " ".join(check.level_faults(bottomless)))

    def test_player_high_above_the_ground_is_refused(self):
        high = level(markers=[("player", 40, 20 + 8 + check.MAX_START_DROP + 2), standing("treasure", 100)])
        self.assertIn("would land", " ".join(check.level_faults(high)))

    def test_treasure_may_sit_in_water_but_a_character_may_not(self):
        pool = {(x, y): "water" for x in range(80, 140) for y in range(20, 40)}
        wet = level(cells=pool, markers=[standing("player", 40), standing("treasure", 100)])
        self.assertEqual(check.level_faults(wet), [])
        wet_walker = level(cells=pool, markers=[standing("player", 40), standing("treasure", 200),
                                                standing("melee", 100)])
        self.assertIn("melee at 100", " ".join(check.level_faults(wet_walker)))

    def test_missing_player_or_treasure(self):
        self.assertIn("0 player starts", check.level_faults(level(markers=[standing("treasure", 100)])))
        self.assertIn("no treasure", check.level_faults(level(markers=[standing("player", 40)])))
        self.assertNotIn("no treasure", check.level_faults(level(markers=[standing("player", 40)]), is_menu=True))

    def test_a_shooter_that_sees_the_start_is_named_unless_a_wall_hides_it(self):
        markers = [standing("player", 40), standing("treasure", 100), standing("rifle", 240)]
        self.assertIn("rifle at 240, 29 sees the player's start", check.level_faults(level(markers=markers)))
        wall = {(150, y): "stone" for y in range(20, 60)}
        self.assertEqual(check.level_faults(level(cells=wall, markers=markers)), [])
        far = [standing("player", 40), standing("treasure", 100), standing("gunner", 300)]
        self.assertEqual(check.level_faults(level(markers=far)), [], "a gunner sees only 200 cells")

    def test_sand_or_water_over_empty_space_is_named(self):
        markers = [standing("player", 40), standing("treasure", 100)]
        hanging = {(200, 100): "sand", (201, 100): "sand", (250, 120): "water"}
        self.assertIn("3 cells of sand or liquid over empty space, the first sand at 200, 100",
                      check.level_faults(level(cells=hanging, markers=markers)))
        resting = {(200, 20): "sand", (200, 21): "sand", (250, 20): "water"}
        self.assertEqual(check.level_faults(level(cells=resting, markers=markers)), [])

    def test_proportions(self):
        wide = level(width=500, height=281, markers=[standing("player", 40), standing("treasure", 100)])
        self.assertIn("not 16:9", " ".join(check.level_faults(wide)))
        tall = level(width=768, height=500, markers=[standing("player", 40), standing("treasure", 100)])
        self.assertIn("not 16:9", " ".join(check.level_faults(tall)))


class SequenceTest(unittest.TestCase):
    def test_names_and_files_match(self):
        self.assertEqual(check.sequence_faults("A\nB\nC\n", [0, 1, 2]), [])

    def test_gap_extra_file_and_empty_line(self):
        self.assertEqual(check.sequence_faults("A\nB\nC\n", [0, 2]), ["level1.bmp is named but missing"])
        self.assertEqual(check.sequence_faults("A\n", [0, 1]), ["level1.bmp has no line in the names file"])
        self.assertIn("line 2 of the names file is empty", check.sequence_faults("A\n\nC\n", [0, 1, 2]))
        self.assertIn("the names file names no level", check.sequence_faults("", []))


class CoverageTest(unittest.TestCase):
    def test_every_material_and_enemy_is_required(self):
        everything = {(i, 30): m for i, m in enumerate(check.MATERIALS)}
        full = level(cells=everything, markers=[("bat", 100, 100), standing("melee", 150), standing("rifle", 190),
                                                standing("rocket", 230), standing("gunner", 270)])
        self.assertEqual(check.coverage_faults([full]), [])
        no_ice = {k: v for k, v in everything.items() if v != "ice"}
        partial = level(cells=no_ice, markers=[standing("melee", 150)])
        faults = check.coverage_faults([partial])
        self.assertIn("no level has ice", faults)
        self.assertIn("no level has gunner", faults)
        self.assertNotIn("no level has stone", faults)


class TextTest(unittest.TestCase):
    def test_tool_text_reads_top_row_first(self):
        grid = check.LevelMap.from_text("7733\n5740\n")
        self.assertEqual(grid.at(0, 0), "stone")
        self.assertEqual(grid.at(1, 0), None)
        self.assertEqual(grid.at(2, 1), "lava")
        self.assertEqual(grid.at(3, 0), "sand")
        self.assertEqual(grid.at(4, 0), "outside")


if __name__ == "__main__":
    unittest.main()
