#!/usr/bin/python3
"""Checks the pictures and the font the game loads. Run from the repository root.

1. Every "Assets//....png" or ".ttf" string literal in the game's C++ sources
   names a file that exists, decodes, is made by the generators, and, where
   the code passes a sprite-sheet frame count to LoadTexture, splits evenly
   into that many cells and agrees with the generators' manifest.
2. Every file of the manifest exists, decodes, splits evenly into its frame
   count, and uses only palette colours (opaque, or translucent palette
   colours for shades), so no stray blended or anti-aliased pixels slip in.
"""
import re
import sys
from pathlib import Path

from fontTools.ttLib import TTFont
from PIL import Image

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import generate_all  # noqa: E402
import pictures  # noqa: E402
from palette import BY_CHAR  # noqa: E402

SOURCE_DIRS = ("app", "render", "screens", "game", "world")
LITERAL = re.compile(r'"(Assets/[^"\n]*?\.(?:png|ttf))"', re.IGNORECASE)
LOAD_TEXTURE = re.compile(
    r'LoadTexture\s*\(\s*"[^"]*"\s*,\s*"(Assets/[^"]+)"\s*,\s*(\d+)u?\s*[,)]')
PALETTE_RGB = {rgba[:3] for rgba in BY_CHAR.values() if rgba[3] == 255}

faults = []


def on_disk(literal):
    return re.sub(r"/+", "/", literal)


def code_references(root):
    """{disk path: set of frame counts passed to LoadTexture (may be empty)}"""
    found = {}
    for folder in SOURCE_DIRS:
        for source in sorted((root / folder).rglob("*")):
            if source.suffix not in (".cpp", ".h", ".hpp", ".cc"):
                continue
            text = source.read_text(encoding="utf-8", errors="replace")
            for literal in LITERAL.findall(text):
                found.setdefault(on_disk(literal), set())
            for literal, frames in LOAD_TEXTURE.findall(text):
                found.setdefault(on_disk(literal), set()).add(int(frames))
    return found


def decode(path):
    try:
        with Image.open(path) as image:
            image.load()
            return image.convert("RGBA")
    except Exception as error:  # any decoder failure is the fault being checked
        faults.append(f"{path}: does not decode as an image ({error})")
        return None


def check_sheet(path, image, frames):
    if frames and image.width % frames:
        faults.append(f"{path}: {image.width} px wide does not split into {frames} frames")


def check_palette(path, image):
    strays = set()
    for r, g, b, a in image.getdata():
        if a and (r, g, b) not in PALETTE_RGB:
            strays.add((r, g, b, a))
    if strays:
        faults.append(f"{path}: {len(strays)} colours outside the palette, e.g. {sorted(strays)[:3]}")


def main():
    root = Path.cwd()
    manifest = {entry.path: entry.frames for entry in pictures.MANIFEST}
    if len(manifest) != len(pictures.MANIFEST):
        faults.append("the manifest lists a file twice")
    made = set(manifest) | {generate_all.FONT_PATH}

    references = code_references(root)
    for path, frame_counts in sorted(references.items()):
        full = root / path
        if not full.is_file():
            faults.append(f"{path}: named in the code but missing")
            continue
        if path not in made:
            faults.append(f"{path}: named in the code but no generator makes it")
        if path.lower().endswith(".ttf"):
            try:
                TTFont(str(full))
            except Exception as error:
                faults.append(f"{path}: not a readable TrueType font ({error})")
            continue
        image = decode(full)
        if image is None:
            continue
        for frames in sorted(frame_counts):
            check_sheet(path, image, frames)
            if path in manifest and manifest[path] != frames:
                faults.append(f"{path}: the code loads it with {frames} frames, "
                              f"the generators draw {manifest[path]}")

    for path, frames in sorted(manifest.items()):
        full = root / path
        if not full.is_file():
            faults.append(f"{path}: in the manifest but missing")
            continue
        image = decode(full)
        if image is None:
            continue
        check_sheet(path, image, frames)
        check_palette(path, image)

    for fault in faults:
        print("FAIL:", fault)
    if not faults:
        print(f"ok: {len(references)} files named in the code, {len(manifest)} pictures in the manifest")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
