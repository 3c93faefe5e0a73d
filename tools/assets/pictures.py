"""The list of pictures the game loads and the function that draws each."""
from dataclasses import dataclass
from typing import Callable

from PIL import Image


@dataclass(frozen=True)
class Entry:
    path: str          # relative to the repository root
    frames: int        # cells of a sprite sheet side by side; 0 for a still image
    build: Callable[[], Image.Image]


MANIFEST = []


def save(image, path):
    # no text chunks, fixed compression: the bytes depend on the pixels alone
    image.save(path, format="PNG", optimize=False, compress_level=9)
