#!/usr/bin/python3
"""Regenerates every picture, the font and the levels of the game (and its sounds),
and the desktop icon.

    /usr/bin/python3 tools/assets/generate_all.py [--out DIR] [--skip-sound]

Files are written under DIR/Assets, the icon as DIR/tools/package/sandrift.png
(DIR defaults to the repository root).
Every output depends only on the sources in tools/assets, so running it twice
gives the same bytes.
"""
import argparse
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parent.parent
sys.path.insert(0, str(HERE))

import icon  # noqa: E402
import make_font  # noqa: E402
import pictures  # noqa: E402

sys.path.insert(0, str(HERE / "levels"))
import build_levels  # noqa: E402

FONT_PATH = "Assets/threebyfive.ttf"
SOUND_SCRIPT = HERE / "sound" / "generate_sounds.py"


def generate(out, verbose=False):
    out = Path(out)
    font = out / FONT_PATH
    font.parent.mkdir(parents=True, exist_ok=True)
    make_font.build(font)
    written = [FONT_PATH]
    for entry in pictures.MANIFEST:
        target = out / entry.path
        target.parent.mkdir(parents=True, exist_ok=True)
        pictures.save(entry.build(), target)
        written.append(entry.path)
    written += build_levels.generate(out)
    (out / icon.PATH).parent.mkdir(parents=True, exist_ok=True)
    pictures.save(icon.icon(), out / icon.PATH)
    written.append(icon.PATH)
    if verbose:
        for path in written:
            print(path)
    return written


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=str(REPO), help="root to write Assets/ under")
    parser.add_argument("--skip-sound", action="store_true",
                        help="pictures and font only (the sound synthesis is the slow part)")
    args = parser.parse_args()
    written = generate(args.out, verbose=True)
    print(f"{len(written)} files")
    if not args.skip_sound and SOUND_SCRIPT.exists():
        subprocess.run([sys.executable, str(SOUND_SCRIPT), "--out", args.out], cwd=REPO, check=True)


if __name__ == "__main__":
    main()
