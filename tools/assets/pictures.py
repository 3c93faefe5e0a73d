"""The list of pictures the game loads and the function that draws each.

Paths are as they are on disk (the game's doubled separators are single
slashes here). frames is the sprite-sheet cell count the game passes when it
loads the file; 0 is a still image.
"""
from dataclasses import dataclass
from typing import Callable

from PIL import Image

import controls
import effects
import logos
import sprites


@dataclass(frozen=True)
class Entry:
    path: str
    frames: int
    build: Callable[[], Image.Image]


MANIFEST = [
    Entry("Assets/OstrelLogo.png", 0, logos.ostrel_logo),
    Entry("Assets/FMODLogo.png", 0, logos.audio_logo),
    Entry("Assets/controls.png", 0, controls.controls),
    Entry("Assets/Sprites/Pix/RunRight.png", 4, sprites.player_run),
    Entry("Assets/Sprites/Melee/RunRight.png", 4, sprites.melee_run),
    Entry("Assets/Sprites/Rifle/RunRight.png", 4, sprites.rifle_run),
    Entry("Assets/Sprites/Rocket/RunRight.png", 4, sprites.rocket_run),
    Entry("Assets/Sprites/MachineGun/RunRight.png", 4, sprites.gunner_run),
    Entry("Assets/Sprites/Bat/Fly.png", 4, sprites.bat_fly),
    Entry("Assets/Sprites/Launcher.png", 0, sprites.launcher),
    Entry("Assets/Sprites/Rifle.png", 0, sprites.rifle),
    Entry("Assets/Sprites/MachineGun.png", 0, sprites.machine_gun),
    Entry("Assets/Sprites/Rocket.png", 0, sprites.rocket),
    Entry("Assets/Sprites/Bullet.png", 0, sprites.bullet),
    Entry("Assets/Sprites/Smoke.png", 4, sprites.smoke),
    Entry("Assets/Sprites/Treasure.png", 6, sprites.treasure),
    Entry("Assets/Sprites/Health.png", 2, sprites.health_box),
    Entry("Assets/Sprites/Explosion.png", 9, effects.explosion),
    Entry("Assets/Sprites/playerExplosion.png", 9, effects.player_explosion),
]


def save(image, path):
    # no text chunks, fixed compression: the bytes depend on the pixels alone
    image.save(path, format="PNG", optimize=False, compress_level=9)
