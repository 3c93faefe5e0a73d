#!/usr/bin/python3
"""Draws the previews in docs/levels: each world as the level tool shows it
after two seconds of simulation around the player's start, over a dusk sky,
with an outline where each object starts (white player, gold treasure, pink
health, blue bats, red walking enemies).

    /usr/bin/python3 tools/assets/levels/previews.py PATH/TO/sandrift-level

The menu world is drawn at twice its size; levels at one pixel per cell.
"""
import subprocess
import sys
import tempfile
from pathlib import Path

from PIL import Image, ImageDraw

HERE = Path(__file__).resolve().parent
REPO = HERE.parent.parent.parent
sys.path.insert(0, str(HERE))
import build_levels  # noqa: E402
import level_canvas  # noqa: E402

SKY = (84, 98, 128, 255)  # light enough to show obsidian
# outlines where the objects start, so a preview shows more than terrain
MARKER_INK = {
    level_canvas.PLAYER: (255, 255, 255), level_canvas.TREASURE: (255, 215, 0),
    level_canvas.HEALTH: (255, 80, 200), level_canvas.BAT: (120, 220, 255),
    level_canvas.MELEE: (255, 60, 60), level_canvas.RIFLE: (255, 60, 60),
    level_canvas.ROCKET: (255, 60, 60), level_canvas.GUNNER: (255, 60, 60),
}
STEPS = 120
VIEW = (384, 216)


def start_view(level):
    ys, xs = (level.cells == level_canvas.PLAYER).nonzero()
    x, y = int(xs[0]), int(ys[0])
    return (min(max(0, x - VIEW[0] // 2), level.width - VIEW[0]),
            min(max(0, y - VIEW[1] // 2), level.height - VIEW[1]))


def preview(tool, bmp, level, out, scale):
    vx, vy = start_view(level)
    with tempfile.TemporaryDirectory() as tmp:
        raw = Path(tmp) / "raw.png"
        subprocess.run([tool, "simulate", str(bmp), "--steps", str(STEPS), "--clock", "1",
                        "--view", f"{vx},{vy}", "--png", str(raw)], check=True)
        cells = Image.open(raw).convert("RGBA")
    picture = Image.new("RGBA", cells.size, SKY)
    picture.alpha_composite(cells)
    pen = ImageDraw.Draw(picture)
    for marker, ink in MARKER_INK.items():
        h = level_canvas.HALF_SIZE[marker]
        for y, x in zip(*(level.cells == marker).nonzero()):
            top = level.height - 1 - int(y)  # picture rows run top down
            pen.rectangle([int(x) - h, top - h + 1, int(x) + h - 1, top + h], outline=ink)
    picture = picture.convert("RGB").resize((cells.width * scale, cells.height * scale), Image.NEAREST)
    # few colours: a palette keeps the files small
    picture.quantize(colors=16, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE).save(
        out, optimize=True)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    tool = sys.argv[1]
    docs = REPO / "docs" / "levels"
    docs.mkdir(parents=True, exist_ok=True)
    targets = [(build_levels.MENU[0], build_levels.MENU[1], "menu_a.png", 2)]
    targets += [(build_levels.level_path(n), module, f"level{n}.png", 1)
                for n, (module, _) in enumerate(build_levels.LEVELS)]
    for path, module, name, scale in targets:
        preview(tool, REPO / path, build_levels.build(module), docs / name, scale)
        print(f"docs/levels/{name}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
