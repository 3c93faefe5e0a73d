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

# (module, display name) in playing order: entry N becomes level N.
LEVELS = [
    ("level_first_steps", "First Steps"),
    ("level_wet_feet", "Wet Feet"),
    ("level_fire_below", "Fire Below"),
    ("level_breaking_ground", "Breaking Ground"),
    ("level_wings", "Wings in the Dark"),
    ("level_brute", "The Brute"),
    ("level_rifles", "Rifle Ridge"),
    ("level_rocketeers", "Rocket Row"),
    ("level_gunners", "Bullet Storm"),
    ("level_crossfire", "Crossfire"),
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
    for path, module in targets:
        (out / path).write_bytes(build(module).bmp())
        written.append(path)
    (out / NAMES_PATH).write_text("".join(name + "\n" for _, name in LEVELS), encoding="ascii")
    written.append(NAMES_PATH)
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
