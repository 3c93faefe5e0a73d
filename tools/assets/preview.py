#!/usr/bin/python3
"""Writes enlarged copies of generated pictures for eyeballing.

    /usr/bin/python3 tools/assets/preview.py OUTDIR [PATH-SUBSTRING ...]

Each picture is scaled up with nearest filtering onto a checkerboard so that
transparency shows; sheets get a gap between frames.
"""
import sys
from pathlib import Path

from PIL import Image

sys.path.insert(0, str(Path(__file__).resolve().parent))
import pictures  # noqa: E402


def checker(w, h, cell=8):
    board = Image.new("RGBA", (w, h), (60, 60, 60, 255))
    for y in range(0, h, cell):
        for x in range((y // cell % 2) * cell, w, cell * 2):
            board.paste((90, 90, 90, 255), (x, y, x + cell, y + cell))
    return board


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    wanted = sys.argv[2:]
    for entry in pictures.MANIFEST:
        if wanted and not any(w in entry.path for w in wanted):
            continue
        image = entry.build()
        zoom = max(1, min(8, 768 // max(image.width, image.height)))
        big = image.resize((image.width * zoom, image.height * zoom), Image.NEAREST)
        frames = max(entry.frames, 1)
        gap = 4 if frames > 1 else 0
        cell = big.width // frames
        board = checker(big.width + gap * (frames - 1), big.height)
        for i in range(frames):
            part = big.crop((i * cell, 0, (i + 1) * cell, big.height))
            board.alpha_composite(part, (i * (cell + gap), 0))
        board.save(out / (entry.path.replace("/", "_")))
        print(out / (entry.path.replace("/", "_")))


if __name__ == "__main__":
    main()
