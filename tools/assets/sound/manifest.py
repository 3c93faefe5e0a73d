"""Every sound the game plays: where it goes, what it is for, how it is made and checked.

`game_path` is the string the game's code uses; `path` is the file on disk."""
from dataclasses import dataclass


@dataclass(frozen=True)
class Sound:
    game_path: str
    event: str
    recipe: str          # function name in effects.py / music.py
    channels: int = 1
    loop: bool = False
    peak: float = 0.5    # positional effects are played at up to gain 2.0, so one-shots stay at -6 dBFS

    @property
    def path(self):
        return self.game_path.replace("//", "/")

    @property
    def kind(self):
        return "music" if "//BGM//" in self.game_path else "sfx"


SOUNDS = [
    Sound("Assets//SFX//EnemyAlert.ogg", "a walking enemy spots the player", "enemy_alert"),
    Sound("Assets//SFX//EnemyHurt.ogg", "a walking enemy loses health", "enemy_hurt"),
    Sound("Assets//SFX//EnemyJump.ogg", "a walking enemy jumps", "enemy_jump"),
    Sound("Assets//SFX//EnemyStep.ogg", "a walking enemy's footstep", "enemy_step", peak=0.45),
    Sound("Assets//SFX//Explosion.ogg", "a rocket explodes in a level", "explosion"),
    Sound("Assets//SFX//Explosion.mp3", "a rocket explodes in the main menu", "explosion_menu", peak=0.45),
    Sound("Assets//SFX//Healing.ogg", "the player takes a health box", "healing"),
    Sound("Assets//SFX//LavaHit.ogg", "something touches lava", "lava_hit"),
    Sound("Assets//SFX//MachineGun.ogg", "a machine gunner fires one shot", "machine_gun"),
    Sound("Assets//SFX//PlayerDefeated.ogg", "the player dies", "player_defeated"),
    Sound("Assets//SFX//PlayerHurt.ogg", "the player loses health; a bat is hit (pitch 2)", "player_hurt"),
    Sound("Assets//SFX//PlayerJump.ogg", "the player starts a jump", "player_jump"),
    Sound("Assets//SFX//PlayerStep.ogg", "the player's footstep, twice per run cycle", "player_step", peak=0.4),
    Sound("Assets//SFX//Ricochet.ogg", "a bullet hits terrain", "ricochet"),
    Sound("Assets//SFX//Rifle.ogg", "a rifle enemy fires", "rifle"),
    Sound("Assets//SFX//RocketLaunch.ogg", "the player or a rocket enemy fires a rocket", "rocket_launch"),
    Sound("Assets//SFX//Treasure.ogg", "the player collects a treasure box", "treasure"),
    Sound("Assets//SFX//WaterSplash.ogg", "something falls into water", "water_splash"),
    Sound("Assets//SFX//Whoosh.ogg", "wind, looping; louder and higher with the player's speed", "wind_loop", loop=True),
    Sound("Assets//BGM//Explore.ogg", "exploration music, looping", "explore", channels=2, loop=True, peak=0.0),
    Sound("Assets//BGM//Alert.ogg", "combat music, looping, cross-faded with Explore", "alert", channels=2, loop=True, peak=0.0),
]

SAMPLE_RATE = 44100
