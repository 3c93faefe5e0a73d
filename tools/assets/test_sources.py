#!/usr/bin/python3
"""Unit tests of the readers of the art sources: malformed sources must fail
loudly with a location, not turn into a silently wrong picture or font."""
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import canvas  # noqa: E402
import make_font  # noqa: E402
import palette  # noqa: E402
import pixelfont  # noqa: E402
import sprites  # noqa: E402

A = "@ A\n.#.\n#.#\n###\n#.#\n#.#\n"


class FontSourceTest(unittest.TestCase):
    def test_reads_glyphs_with_descenders_and_the_named_space(self):
        glyphs = pixelfont.parse(A + "@ space\n...\n...\n...\n...\n...\n"
                                 "@ g\n...\n.##\n#.#\n#.#\n.##\n..#\n##.\n")
        self.assertEqual(sorted(glyphs), [" ", "A", "g"])
        self.assertEqual(len(glyphs["g"].rows), 7)
        self.assertEqual(glyphs[" "].pixels(), [])
        self.assertIn((1, 0), glyphs["A"].pixels())

    def test_rejects_bad_rows_repeats_and_wrong_heights(self):
        bad = {
            "wide row": "@ A\n.#..\n#.#\n###\n#.#\n#.#\n",
            "stray character": "@ A\n.x.\n#.#\n###\n#.#\n#.#\n",
            "repeated glyph": A + A,
            "too short": "@ A\n.#.\n#.#\n",
            "too tall": "@ A\n" + "###\n" * 8,
            "row before any name": "###\n" + A,
            "two-letter name": "@ AB\n" + "###\n" * 5,
        }
        for case, text in bad.items():
            with self.subTest(case), self.assertRaises(ValueError):
                pixelfont.parse(text)

    def test_rows_merge_into_few_rectangles(self):
        glyph = pixelfont.parse(A)["A"]
        rects = make_font.rectangles(glyph.rows)
        covered = {(x, y) for x0, x1, y0, y1 in rects for x in range(x0, x1) for y in range(y0, y1)}
        self.assertEqual(covered, set(glyph.pixels()))
        self.assertEqual(sum((x1 - x0) * (y1 - y0) for x0, x1, y0, y1 in rects), len(covered))
        self.assertLess(len(rects), len(covered))

    def test_text_width_leaves_no_trailing_gap(self):
        self.assertEqual(pixelfont.text_width(""), 0)
        self.assertEqual(pixelfont.text_width("A"), 3)
        self.assertEqual(pixelfont.text_width("AB"), 7)


class PaletteAndGridTest(unittest.TestCase):
    def test_palette_rejects_repeats_and_bad_lines(self):
        for case, text in {
            "repeated char": "K ink #000000\nK night #111111\n",
            "repeated name": "K ink #000000\nk ink #111111\n",
            "missing value": "K ink\n",
            "transparent redefined": ". clear #000000\n",
        }.items():
            with self.subTest(case), self.assertRaises(ValueError):
                palette.parse(text)

    def test_palette_reads_colours(self):
        by_char, by_name = palette.parse("# comment\nK ink #140c1c\n")
        self.assertEqual(by_char["K"], (0x14, 0x0C, 0x1C, 255))
        self.assertEqual(by_name["ink"], by_char["K"])
        self.assertEqual(by_char["."][3], 0)

    def test_grids_reject_ragged_rows_and_unknown_colours(self):
        with self.assertRaises(ValueError):
            canvas.grid_image(["KK", "K"])
        with self.assertRaises(ValueError):
            canvas.grid_image(["K#"])

    def test_sheet_puts_frames_side_by_side_and_refuses_mixed_sizes(self):
        a, b = canvas.grid_image(["K"]), canvas.grid_image(["."])
        sheet = canvas.sheet([a, b, a])
        self.assertEqual(sheet.size, (3, 1))
        self.assertEqual(sheet.getpixel((1, 0))[3], 0)
        with self.assertRaises(ValueError):
            canvas.sheet([a, canvas.grid_image(["KK"])])

    def test_one_shot_sheets_play_from_cell_one_and_end_on_cell_zero(self):
        # the game shows cell k+1 for frame k and wraps to cell 0 after the last
        frames = [canvas.grid_image([ch]) for ch in "KWr"]
        sheet = sprites.play_order_sheet(frames)
        shown = [sheet.getpixel(((k + 1) % 3, 0)) for k in range(3)]
        self.assertEqual(shown, [f.getpixel((0, 0)) for f in frames])


if __name__ == "__main__":
    unittest.main()
