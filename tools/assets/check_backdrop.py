#!/usr/bin/python3
"""Checks that every material and the damage numbers stand clear of the level
backdrop. Run from the repository root.

A colour is lost against the backdrop when too much of the picture lies within
a just-readable difference of it: obsidian pads that melt into a purple sky
read as scenery, and players miss the rocket jumps built on them. The colours
are read from the game's own sources, so a change of a material's colour is
checked too. Water is drawn translucent, so it is judged as drawn: blended over
each backdrop pixel and compared with that pixel.
"""
import re
import sys
from pathlib import Path

import numpy as np
from PIL import Image

BACKDROP = Path("Assets/background.png")
MATERIAL_COLOURS = Path("world/pixel_grid.h")
STONE_SHADES = Path("world/pixel_grid.h")
DAMAGE_NUMBERS = Path("game/particles.cpp")

# CIE76 Delta E: about 2 is barely noticed side by side; 12 is where two
# colours still read as "the same stuff" at a glance in a busy scene.
READABLE_DIFFERENCE = 12.0
MAX_SHARE_TOO_CLOSE = 0.05

TABLE_ROW = re.compile(r"\{(\d+),\s*(\d+),\s*(\d+),\s*(\d+)\},\s*//\s*(\w+)")
DARK_STONE = re.compile(r"DarkStoneColour\{(\d+),\s*(\d+),\s*(\d+),\s*(\d+)\}")
DAMAGE_COLOUR = re.compile(r"SpawnDamageNumber.*?colour = glm::vec3\(([\d.]+)f, ([\d.]+)f, ([\d.]+)f\)", re.S)


def to_lab(rgb):
    """sRGB (0-255, any leading shape) to CIE L*a*b* under D65."""
    c = np.asarray(rgb, dtype=np.float64) / 255.0
    linear = np.where(c <= 0.04045, c / 12.92, ((c + 0.055) / 1.055) ** 2.4)
    to_xyz = np.array([[0.4124564, 0.3575761, 0.1804375],
                       [0.2126729, 0.7151522, 0.0721750],
                       [0.0193339, 0.1191920, 0.9503041]])
    xyz = linear @ to_xyz.T / np.array([0.95047, 1.0, 1.08883])
    f = np.where(xyz > (6 / 29) ** 3, np.cbrt(xyz), xyz / (3 * (6 / 29) ** 2) + 4 / 29)
    return np.stack([116 * f[..., 1] - 16, 500 * (f[..., 0] - f[..., 1]), 200 * (f[..., 1] - f[..., 2])], -1)


def drawn_colours(root):
    """{name: (r, g, b, a)} of every material drawn and of the damage numbers."""
    colours = {}
    for r, g, b, a, name in TABLE_ROW.findall((root / MATERIAL_COLOURS).read_text()):
        if int(a) > 0:
            colours[name] = (int(r), int(g), int(b), int(a))
    dark = DARK_STONE.search((root / STONE_SHADES).read_text())
    damage = DAMAGE_COLOUR.search((root / DAMAGE_NUMBERS).read_text())
    if len(colours) < 7 or not dark or not damage:
        sys.exit("check_backdrop: the colour tables were not found in the sources; update the patterns")
    colours["STONE (dark shade)"] = tuple(int(v) for v in dark.groups())
    colours["damage numbers"] = tuple(round(float(v) * 255) for v in damage.groups()) + (255,)
    return colours


def share_too_close(backdrop, rgba):
    """The share of backdrop pixels the colour, as drawn over them, cannot be told from."""
    colour, alpha = np.array(rgba[:3], dtype=np.float64), rgba[3] / 255.0
    drawn = backdrop * (1.0 - alpha) + colour * alpha
    distance = np.linalg.norm(to_lab(drawn) - to_lab(backdrop), axis=-1)
    return float(np.mean(distance < READABLE_DIFFERENCE)), float(distance.min())


def main():
    root = Path.cwd()
    backdrop = np.asarray(Image.open(root / BACKDROP).convert("RGB"), dtype=np.float64).reshape(-1, 3)
    faults = []
    for name, rgba in drawn_colours(root).items():
        share, nearest = share_too_close(backdrop, rgba)
        line = f"{name:20s} {rgba}: {share * 100:5.1f} % of the backdrop within Delta E {READABLE_DIFFERENCE:g} " \
               f"(nearest {nearest:.1f})"
        print(line)
        if share > MAX_SHARE_TOO_CLOSE:
            faults.append(line)
    if faults:
        print(f"\n{BACKDROP}: these colours are lost against it (at most {MAX_SHARE_TOO_CLOSE * 100:g} % allowed):")
        print("\n".join(faults))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
