#!/usr/bin/python3
"""Checks the shipped levels and the menu world. Run from the repository root:

    /usr/bin/python3 tests/levels/check_levels.py PATH/TO/sandrift-level

Every file must load in the level tool without a warning (the menu shows no
treasure, so only that warning is allowed there); the names file must have one
line per level file with no gap in the numbering; each level needs a player
start and a treasure; every marker's object must start in open space, walkers
standing on ground and the player above solid ground it can land on; and the
levels together must use every material and every enemy kind; and no walking
enemy may see the player's start, and no sand or liquid may hang over empty
space. The player's start is checked again after
the world has run for ten seconds.
"""
import re
import subprocess
import sys
from pathlib import Path

from PIL import Image

LEVELS = Path("Assets/Levels")
MENU = LEVELS / "menu_a.bmp"
NAMES = LEVELS / "levelNames.txt"

COLOURS = {
    (255, 255, 0): "sand", (128, 128, 128): "obsidian", (0, 200, 200): "ice", (255, 0, 0): "lava",
    (0, 0, 255): "water", (0, 0, 0): "stone",
    (100, 0, 0): "player", (0, 100, 0): "treasure", (255, 0, 255): "health", (51, 204, 255): "bat",
    (102, 102, 102): "melee", (102, 102, 153): "rifle", (153, 102, 102): "rocket", (102, 153, 102): "gunner",
}
MATERIALS = ("sand", "obsidian", "ice", "lava", "water", "stone")
SOLID = ("sand", "obsidian", "ice", "stone")
ENEMIES = ("bat", "melee", "rifle", "rocket", "gunner")
WALKERS = ("melee", "rifle", "rocket", "gunner")
HALF = {"player": 8, "treasure": 8, "health": 8, "bat": 4, "melee": 8, "rifle": 8, "rocket": 8, "gunner": 8}
GROUND_REACH = 3        # a walker senses ground up to three cells under its feet
MAX_START_DROP = 60     # the player may start above a drop, but not a long one
SETTLE_STEPS = 600      # ten seconds at 60 steps a second
TOOL_MATERIAL = {"0": "sand", "1": "obsidian", "2": "ice", "3": "lava", "4": "water", "5": "stone",
                 "6": "steam", "7": None}


class LevelMap:
    """Cells by name, y upwards; markers read as empty cells, as the game reads them."""

    def __init__(self, width, height, cell, markers):
        self.width, self.height, self._cell, self.markers = width, height, cell, markers

    @classmethod
    def from_bmp(cls, path):
        raw = Path(path).read_bytes()
        if raw[:2] != b"BM" or int.from_bytes(raw[28:30], "little") != 24:
            raise ValueError("not a 24-bit BMP")
        if int.from_bytes(raw[22:26], "little", signed=True) <= 0:
            raise ValueError("rows not stored bottom-up")
        image = Image.open(path).convert("RGB")
        width, height = image.size
        pixels = image.load()
        names = {}
        markers = []
        for y in range(height):
            for x in range(width):
                name = COLOURS.get(pixels[x, height - 1 - y])
                if name in HALF:
                    markers.append((name, x, y))
                elif name:
                    names[(x, y)] = name
        return cls(width, height, lambda x, y: names.get((x, y)), markers)

    @classmethod
    def from_text(cls, text):
        rows = text.splitlines()[::-1]
        return cls(len(rows[0]), len(rows), lambda x, y: TOOL_MATERIAL[rows[y][x]], [])

    def at(self, x, y):
        if 0 <= x < self.width and 0 <= y < self.height:
            return self._cell(x, y)
        return "outside"

    def materials(self):
        return {self._cell(x, y) for x in range(self.width) for y in range(self.height)} - {None}


def box_faults(level, kind, x, y):
    h = HALF[kind]
    # pickups float and are never hurt, so they may sit under water; characters start dry
    allowed = (None, "water") if kind in ("treasure", "health") else (None,)
    blocked = [(cx, cy) for cx in range(x - h, x + h) for cy in range(y - h, y + h)
               if level.at(cx, cy) not in allowed]
    if blocked:
        return [f"{kind} at {x}, {y}: its box holds {level.at(*blocked[0])} at {blocked[0][0]}, {blocked[0][1]}"]
    return []


def landing(level, x, feet):
    """The first cell that is not empty under row feet, and how far down it is."""
    y = feet - 1
    while y >= 0 and not level.at(x, y):
        y -= 1
    return (level.at(x, y) if y >= 0 else "the bottom of the world"), feet - 1 - y


def marker_faults(level):
    faults = []
    for kind, x, y in level.markers:
        faults += box_faults(level, kind, x, y)
        feet = y - HALF[kind]
        if kind in WALKERS:
            below, drop = landing(level, x, feet)
            if below not in SOLID or drop > GROUND_REACH:
                faults.append(f"{kind} at {x}, {y} does not stand on ground ({below} {drop} cells down)")
        if kind == "player":
            faults += start_faults(level, x, y)
    return faults


SIGHT = {"melee": 300, "rifle": 500, "rocket": 500, "gunner": 200}  # cells


def line_of_sight(level, x0, y0, x1, y1):
    """The game's sight test between two cell positions: every column, then
    every row the line crosses, is tested for a cell that is not empty
    (steam does not block); the end cell is never tested."""
    def blocks(x, y):
        return level.at(x, y) not in (None, "steam", "outside")
    if x1 > x0:
        columns = range(int(x0) + 1, int(x1))
    elif int(x0) > int(x1):
        columns = range(int(x0), int(x1), -1)
    else:
        columns = ()
    for c in columns:
        if blocks(c, int((y1 - y0) * ((c - x0) / (x1 - x0)) + y0)):
            return False
    if y1 > y0:
        rows = range(int(y0) + 1, int(y1))
    elif int(y0) > int(y1):
        rows = range(int(y0), int(y1), -1)
    else:
        rows = ()
    for r in rows:
        if blocks(int((x1 - x0) * ((r - y0) / (y1 - y0)) + x0), r):
            return False
    return True


def ambush_faults(level):
    """No walking enemy may see the player where it starts: the first shot or
    charge comes after the player has moved."""
    starts = [(x, y) for kind, x, y in level.markers if kind == "player"]
    faults = []
    for kind, x, y in level.markers:
        if kind not in SIGHT:
            continue
        for px, py in starts:
            if (x - px) ** 2 + (y - py) ** 2 < SIGHT[kind] ** 2 and line_of_sight(level, x, y, px, py):
                faults.append(f"{kind} at {x}, {y} sees the player's start")
    return faults


def start_faults(level, x, y):
    below, drop = landing(level, x, y - HALF["player"])
    if below not in SOLID or drop > MAX_START_DROP:
        return [f"player at {x}, {y} would land on {below} {drop} cells down"]
    return []


def loose_faults(level):
    """Sand and liquids drawn over empty cells start falling at once: the level
    would not begin as drawn."""
    # a marker's own cell is a single empty cell; liquid fills it at once, harmlessly
    markers = {(x, y) for _, x, y in level.markers}
    loose = [(x, y) for x in range(level.width) for y in range(1, level.height)
             if level.at(x, y) in ("sand", "water", "lava") and level.at(x, y - 1) is None
             and (x, y - 1) not in markers]
    if loose:
        x, y = loose[0]
        return [f"{len(loose)} cells of sand or liquid over empty space, the first {level.at(x, y)} at {x}, {y}"]
    return []


def level_faults(level, is_menu=False):
    faults = marker_faults(level) + ambush_faults(level) + loose_faults(level)
    kinds = [kind for kind, _, _ in level.markers]
    if kinds.count("player") != 1:
        faults.append(f"{kinds.count('player')} player starts")
    if not is_menu and "treasure" not in kinds:
        faults.append("no treasure")
    if is_menu and (level.width, level.height) != (384, 216):
        faults.append(f"menu world is {level.width} x {level.height}, not one 384 x 216 view")
    if level.width % 384 or level.height * 16 != level.width * 9:
        faults.append(f"{level.width} x {level.height} is not 16:9 at a multiple of 384 cells wide")
    return faults


def sequence_faults(names_text, level_numbers):
    lines = names_text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    faults = [f"line {i + 1} of the names file is empty" for i, line in enumerate(lines) if not line.strip()]
    if not lines:
        faults.append("the names file names no level")
    expected = set(range(len(lines)))
    for n in sorted(expected - set(level_numbers)):
        faults.append(f"level{n}.bmp is named but missing")
    for n in sorted(set(level_numbers) - expected):
        faults.append(f"level{n}.bmp has no line in the names file")
    return faults


def coverage_faults(levels):
    used = set()
    for level in levels:
        used |= level.materials() | {kind for kind, _, _ in level.markers}
    return [f"no level has {what}" for what in MATERIALS + ENEMIES if what not in used]


def tool_faults(tool, path, is_menu):
    run = subprocess.run([tool, "info", str(path)], capture_output=True, text=True)
    if run.returncode != 0:
        return [f"sandrift-level refuses it: {run.stderr.strip()}"]
    warnings = [line for line in run.stdout.splitlines() if line.startswith("warning:")]
    if is_menu:
        warnings = [w for w in warnings if "no treasure" not in w]
    return warnings


def settled_faults(tool, path, level):
    """The player's start after the world has run: still open, still above ground."""
    (_, x, y), = [m for m in level.markers if m[0] == "player"]
    view_x = min(max(0, x - 192), level.width - 384)
    view_y = min(max(0, y - 108), level.height - 216)
    run = subprocess.run([tool, "simulate", str(path), "--steps", str(SETTLE_STEPS), "--clock", "1",
                          "--view", f"{view_x},{view_y}", "--text"], capture_output=True, text=True)
    if run.returncode != 0:
        return [f"simulate failed: {run.stderr.strip()}"]
    settled = LevelMap.from_text(run.stdout)
    return [f"after {SETTLE_STEPS} steps: {f}" for f in box_faults(settled, "player", x, y) + start_faults(settled, x, y)]


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    tool = sys.argv[1]
    faults = []
    numbers = [int(m.group(1)) for p in LEVELS.glob("level*.bmp") if (m := re.fullmatch(r"level(\d+)\.bmp", p.name))]
    faults += [f"{NAMES}: {f}" for f in sequence_faults(NAMES.read_text(encoding="ascii"), numbers)]
    levels = []
    for path in [MENU] + [LEVELS / f"level{n}.bmp" for n in sorted(numbers)]:
        is_menu = path == MENU
        try:
            level = LevelMap.from_bmp(path)
        except (OSError, ValueError) as error:
            faults.append(f"{path}: {error}")
            continue
        file_faults = tool_faults(tool, path, is_menu) + level_faults(level, is_menu)
        if not file_faults:
            file_faults = settled_faults(tool, path, level)
        faults += [f"{path}: {f}" for f in file_faults]
        if not is_menu:
            levels.append(level)
    faults += coverage_faults(levels)
    for fault in faults:
        print("FAIL:", fault)
    if not faults:
        print(f"ok: the menu world and {len(levels)} levels")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
