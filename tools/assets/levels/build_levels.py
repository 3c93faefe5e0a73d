#!/usr/bin/python3
"""Builds the menu world and every level into Assets/Levels, with the names file.

    /usr/bin/python3 tools/assets/levels/build_levels.py [--out DIR]

A level is a module here with a build() that returns a level_canvas.Level; LEVELS
lists them in playing order with the name the level screen shows. Adding a
level is adding a module and a line below.
"""
import argparse
import importlib
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parent.parent.parent
sys.path.insert(0, str(HERE))

MENU = ("Assets/Levels/menu_a.bmp", "menu")
NAMES_PATH = "Assets/Levels/levelNames.txt"
SET_PIECES_PATH = "tests/routes/set_pieces.txt"  # what the route proofs check happens

# (module, display name) in playing order: entry N becomes level N.
LEVELS = [
    ("level_first_steps", "First Steps"),
    ("level_wet_feet", "Wet Feet"),
    ("level_fire_below", "Fire Below"),
    ("level_breaking_ground", "Breaking Ground"),
    ("level_brute", "The Brute"),
    ("level_wings", "Wings in the Dark"),
    ("level_gunners", "Bullet Storm"),
    ("level_rocketeers", "Rocket Row"),
    ("level_rifles", "Rifle Ridge"),
    ("level_crossfire", "Crossfire"),
    ("level_sluice", "The Sluice"),
    ("level_deluge", "Deluge"),
    ("level_foundry", "The Foundry"),
    ("level_slag_run", "Slag Run"),
    ("level_glacier", "Glacier"),
    ("level_frost_works", "Frost Works"),
    ("level_sand_sea", "Sand Sea"),
    ("level_buried_keep", "The Buried Keep"),
    ("level_last_dune", "The Last Dune"),
]


def level_path(number):
    return f"Assets/Levels/level{number}.bmp"


def build(module_name):
    return importlib.import_module(module_name).build()


def generate(out, verbose=False):
    out = Path(out)
    (out / "Assets/Levels").mkdir(parents=True, exist_ok=True)
    targets = [MENU] + [(level_path(n), module) for n, (module, _) in enumerate(LEVELS)]
    written = []
    set_pieces = []
    for path, module in targets:
        level = build(module)
        (out / path).write_bytes(level.bmp())
        written.append(path)
        stem = Path(path).stem
        set_pieces += [f"{stem} {x0} {y0} {x1} {y1} {n} {what}\n" for x0, y0, x1, y1, n, what in level.set_pieces]
    (out / NAMES_PATH).write_text("".join(name + "\n" for _, name in LEVELS), encoding="ascii")
    (out / SET_PIECES_PATH).parent.mkdir(parents=True, exist_ok=True)
    (out / SET_PIECES_PATH).write_text("".join(set_pieces), encoding="ascii")
    written += [NAMES_PATH, SET_PIECES_PATH]
    if verbose:
        for path in written:
            print(path)
    return written


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=str(REPO), help="root to write Assets/Levels under")
    args = parser.parse_args()
    generate(args.out, verbose=True)


if __name__ == "__main__":
    main()
