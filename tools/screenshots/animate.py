"""Joins the game's own frames (PNG files, in name order) into README's
animated picture: scaled down with a box filter so the pixel art stays crisp,
one shared palette so colours do not flicker between frames, no dithering
(dither noise defeats the GIF's compression and doubles the file).

    /usr/bin/python3 tools/screenshots/animate.py FRAMES_DIR OUT.gif FRAME_MS
"""
import glob
import os
import sys

from PIL import Image

WIDTH = 432            # small enough that the file stays under 2 MB, large enough to read the HUD
COLOURS = 64           # the palette of one frame holds every colour the level shows
MAX_BYTES = 2_000_000  # README's first screen should load fast


def main(frames_dir, out, frame_ms):
    paths = sorted(glob.glob(os.path.join(frames_dir, "*.png")))
    if not paths:
        sys.exit(f"{frames_dir}: no frames to join")
    first = Image.open(paths[0])
    size = (WIDTH, WIDTH * first.height // first.width)
    frames = [Image.open(p).convert("RGB").resize(size, Image.BOX) for p in paths]
    palette = frames[len(frames) // 2].quantize(colors=COLOURS, method=Image.Quantize.MEDIANCUT)
    indexed = [f.quantize(palette=palette, dither=Image.Dither.NONE) for f in frames]
    indexed[0].save(out, save_all=True, append_images=indexed[1:], duration=frame_ms, loop=0, disposal=1)
    written = os.path.getsize(out)
    print(f"wrote {out}: {len(frames)} frames, {size[0]} x {size[1]}, {written} bytes")
    if written > MAX_BYTES:
        sys.exit(f"{out} is {written} bytes, more than {MAX_BYTES}: take fewer frames or a smaller width")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]))
