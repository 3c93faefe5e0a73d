"""The list of pictures the game loads and the function that draws each.

Paths are as they are on disk (the game's doubled separators are single
slashes here). frames is the sprite-sheet cell count the game passes when it
loads the file; 0 is a still image.
"""
from dataclasses import dataclass
from typing import Callable

from functools import partial

from PIL import Image

import controls
import credits
import effects
import logos
import screens
import sprites
import ui


@dataclass(frozen=True)
class Entry:
    path: str
    frames: int
    build: Callable[[], Image.Image]


MANIFEST = [
    Entry("Assets/OstrelLogo.png", 0, logos.ostrel_logo),
    Entry("Assets/FMODLogo.png", 0, logos.audio_logo),
    Entry("Assets/controls.png", 0, controls.controls),
    Entry("Assets/background.png", 0, screens.background),
    Entry("Assets/title.png", 0, screens.title),
    Entry("Assets/credits.png", 0, credits.credits_hub),
    Entry("Assets/president.png", 0, credits.about_page),
    Entry("Assets/faculty.png", 0, credits.libraries_page),
    Entry("Assets/members.png", 0, credits.team_page),
    Entry("Assets/copyright.png", 0, credits.copyright_page),
    Entry("Assets/overlay.png", 0, screens.overlay),
    Entry("Assets/menu.png", 0, screens.title_card),
    Entry("Assets/victory.png", 0, screens.victory),
    Entry("Assets/defeat.png", 0, screens.defeat),
    Entry("Assets/Sprites/pauseScreenSprite.png", 0, screens.pause_panel),
    Entry("Assets/Sprites/optionsScreenSprite.png", 0, screens.options_panel),
    Entry("Assets/Sprites/QuitConfirmation.png", 0, screens.quit_confirmation),
    Entry("Assets/Sprites/backtomainconfirmation.png", 0, screens.leave_level_confirmation),
    Entry("Assets/Sprites/winScreenSprite.png", 0, screens.win_banner),
    Entry("Assets/Sprites/loseScreenSprite.png", 0, screens.lose_banner),

    # main menu buttons, drawn 186 x 102 screen pixels at 1080p
    Entry("Assets/play.png", 0, partial(ui.text_button, "PLAY", 37, 20)),
    Entry("Assets/control.png", 0, partial(ui.text_button, "CONTROLS", 37, 20)),
    Entry("Assets/credit.png", 0, partial(ui.text_button, "CREDITS", 37, 20)),
    Entry("Assets/quit.png", 0, partial(ui.text_button, "QUIT", 37, 20, "danger")),
    Entry("Assets/testbutton.png", 0, ui.blank_button),
    # option switches and dialogs of the menu and the pause panel
    Entry("Assets/Sprites/options.png", 0, ui.options_button),
    Entry("Assets/Sprites/close.png", 0, ui.close_button),
    Entry("Assets/Sprites/sandbox.png", 0, ui.sandbox_on_button),
    Entry("Assets/Sprites/offsandbox.png", 0, ui.sandbox_off_button),
    Entry("Assets/Sprites/unmute.png", 0, ui.sound_on_button),
    Entry("Assets/Sprites/mute.png", 0, ui.muted_button),
    Entry("Assets/Sprites/windowed.png", 0, ui.windowed_button),
    Entry("Assets/Sprites/fullscreen.png", 0, ui.fullscreen_button),
    Entry("Assets/Sprites/fps.png", 0, ui.fps_on_button),
    Entry("Assets/Sprites/nofps.png", 0, ui.fps_off_button),
    Entry("Assets/Sprites/backtomain.png", 0, partial(ui.text_button, "MAIN MENU", 28, 16)),
    Entry("Assets/Sprites/tomain.png", 0, partial(ui.text_button, "MAIN MENU", 48, 32, "danger")),
    Entry("Assets/Sprites/backtogame.png", 0, partial(ui.text_button, "BACK TO GAME", 48, 32)),
    # credit, victory and defeat screen buttons, 200 x 100 and 600 x 100 screen pixels
    Entry("Assets/mainmenu_button.png", 0, partial(ui.text_button, "MAIN MENU", 40, 20)),
    Entry("Assets/quit_button.png", 0, partial(ui.text_button, "QUIT", 40, 20, "danger")),
    Entry("Assets/president_button.png", 0, partial(ui.text_button, "ABOUT", 120, 20, max_scale=2)),
    Entry("Assets/faculty_button.png", 0, partial(ui.text_button, "LIBRARIES", 120, 20, max_scale=2)),
    Entry("Assets/members_button.png", 0, partial(ui.text_button, "TEAM", 120, 20, max_scale=2)),
    Entry("Assets/copyright_button.png", 0, partial(ui.text_button, "COPYRIGHT", 120, 20, max_scale=2)),
    Entry("Assets/backbutton.png", 0, ui.back_button),
    Entry("Assets/next_button.png", 0, partial(ui.text_button, "NEXT LEVEL", 40, 20)),
    Entry("Assets/restart_button.png", 0, partial(ui.text_button, "TRY AGAIN", 40, 20)),
    # pointers, drawn 32 x 32 screen pixels centred on the mouse
    Entry("Assets/cursorOn.png", 0, ui.menu_cursor_ready),
    Entry("Assets/cursorOff.png", 0, ui.menu_cursor_reloading),
    Entry("Assets/cursorOnOld.png", 0, ui.plain_cursor),
    Entry("Assets/cursorOffOld.png", 0, ui.plain_cursor),
    Entry("Assets/Sprites/crosshairOn.png", 0, ui.crosshair_ready),
    Entry("Assets/Sprites/crosshairOff.png", 0, ui.crosshair_reloading),
    # characters and things of the world, one art pixel per cell
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
