"""The list of pictures the game loads and the function that draws each.

Paths are as they are on disk (the game's doubled separators are single
slashes here). frames is the sprite-sheet cell count the game passes when it
loads the file; 0 is a still image.
"""
from dataclasses import dataclass
from typing import Callable

from PIL import Image

import controls
import logos


@dataclass(frozen=True)
class Entry:
    path: str
    frames: int
    build: Callable[[], Image.Image]


MANIFEST = [
    Entry("Assets/OstrelLogo.png", 0, logos.ostrel_logo),
    Entry("Assets/FMODLogo.png", 0, logos.audio_logo),
    Entry("Assets/controls.png", 0, controls.controls),
]


def save(image, path):
    # no text chunks, fixed compression: the bytes depend on the pixels alone
    image.save(path, format="PNG", optimize=False, compress_level=9)
