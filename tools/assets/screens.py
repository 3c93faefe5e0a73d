"""Full-window pictures: the world backdrop, panels and dialogs, the menu
title card, victory and defeat.

All are 384 x 216, one art pixel per world cell; the game stretches them over
the window with nearest filtering. Places where the game draws buttons or text
on top are left quiet; the coordinates below are those places at 384 x 216.
"""
from PIL import Image

import canvas as c
import scenery
import sprites
from canvas import P, colour

W, H = 384, 216
DIM = colour("ink", 150)


def background():
    """Behind the sand world: a sunset from deep blue through plum and wine to
    ember, brown mesas and dunes. Its colours keep clear of every material's,
    above all obsidian's dark purple (tools/assets/check_backdrop.py), so pads
    and crusts in front never read as scenery. In a window the game shows only
    the lower-left part enlarged, so the horizon sits low."""
    image = c.new(W, H, P.ember)  # the horizon's colour shows in the dunes' hollows
    scenery.gradient(image, 0, 0, W, 170, (P.deep, P.deep, P.plum, P.wine, P.ember))
    scenery.stars(image, 60, 3, 90)
    sun_x, sun_y, r = 300, 150, 16
    for y in range(sun_y - r, sun_y + r):
        for x in range(sun_x - r, sun_x + r):
            d2 = (x + 0.5 - sun_x) ** 2 + (y + 0.5 - sun_y) ** 2
            if d2 <= r * r:
                image.putpixel((x, y), P.flame if d2 < (r - 4) ** 2 else P.amber)
    mesas = [(20, 60, 132), (96, 40, 140), (210, 70, 128), (330, 50, 138)]
    for x0, w, top in mesas:
        for x in range(x0, min(W, x0 + w)):
            slope = min(x - x0, x0 + w - 1 - x)
            y_top = top + max(0, 8 - slope) * 3  # talus slopes below the cliff
            for y in range(y_top, 170):
                image.putpixel((x, y), P.soil)
            image.putpixel((x, y_top), P.umber)
    scenery.dunes(image, 170, [
        (0, 10, 140, 1.0, P.umber, P.ochre),
        (22, 8, 90, 3.0, P.soil, P.umber),
    ])
    return image


TITLE_W, TITLE_H = 100, 18


def title():
    """The game's name, drawn by the main menu over the backdrop; not part of
    the backdrop itself, which the levels show too."""
    image = c.new(TITLE_W, TITLE_H)
    c.text_centred(image, TITLE_W // 2, 0, "SANDRIFT", P.sandlight, scale=3, shadow=P.ochre)
    return image


def overlay():
    """Drawn over the whole frame every frame: a soft shade at the top edge,
    behind the head-up display, and at the bottom left, behind the level's name."""
    image = c.new(W, H)
    for y in range(16):
        c.rect(image, 0, y, W, 1, colour("ink", 110 - y * 7))
    for y in range(14):
        for x in range(140):
            alpha = min(110, max(0, 110 - (13 - y) * 8 - max(0, x - 100) * 3))
            if alpha:
                image.putpixel((x, H - 14 + y), colour("ink", alpha))
    for i in range(6):  # a darker rim pulls the eye to the middle
        a = 60 - i * 10
        c.rect(image, i, 16, 1, H - 30, colour("ink", a))
        c.rect(image, W - 1 - i, 16, 1, H - 30, colour("ink", a))
    return image


def panel(image, x, y, w, h, title=None):
    c.bevel_box(image, x, y, w, h, P.night, P.dusk, P.ink)
    c.rect(image, x + 3, y + 3, w - 6, 1, P.ochre)
    if title:
        c.text_centred(image, x + w // 2, y + 8, title, P.amber, scale=2)
        c.rect(image, x + w // 2 - 40, y + 21, 80, 1, P.ochre)


def dimmed_window():
    image = c.new(W, H, DIM)
    return image


def label_left_of(image, right, cy, text, ink=P.bone):
    c.text(image, right - c.text_width(text), cy - 2, text, ink)


def pause_panel():
    """The level's pause menu; sound (192, 130), frame rate (192, 151) and
    main menu (192, 173) buttons sit on it, the close button at (353, 28)."""
    image = dimmed_window()
    panel(image, 20, 14, 344, 188, "PAUSED")
    label_left_of(image, 178, 130, "SOUND")
    label_left_of(image, 178, 151, "FRAME RATE")
    c.text_centred(image, W // 2, 50, "ESC  RESUME", P.ash)
    c.text_centred(image, W // 2, 60, "Q  QUIT THE GAME", P.ash)
    c.text_centred(image, W // 2, 76, "R  PLAY THE LEVEL AGAIN", P.ash)
    c.text_centred(image, W // 2, 92, "PAD: START OR B RESUMES, A STICK POINTS, A CLICKS", P.ash)
    return image


def options_panel():
    """The main menu's options; sandbox (19, 22) and close (365, 22) in the
    top corners, sound (192, 130), window mode (192, 151), frame rate (192, 173)."""
    image = dimmed_window()
    panel(image, 2, 2, W - 4, H - 4, "OPTIONS")
    c.text(image, 33, 20, "SANDBOX", P.bone)
    c.text(image, 33, 28, "PAINT THE WORLD", P.ash)
    label_left_of(image, 178, 130, "SOUND")
    label_left_of(image, 178, 151, "WINDOW MODE")
    label_left_of(image, 178, 173, "FRAME RATE")
    c.text_centred(image, W // 2, 60, "ESC OR PAD B  CLOSE THIS PANEL", P.ash)
    c.text_centred(image, W // 2, 70, "Q  QUIT THE GAME", P.ash)
    c.text_centred(image, W // 2, 86, "IN SANDBOX MODE THE NUMBER KEYS PICK A", P.ash)
    c.text_centred(image, W // 2, 94, "MATERIAL AND THE RIGHT BUTTON PAINTS IT", P.ash)
    c.text_centred(image, W // 2, 102, "(PAD: THE SHOULDERS PICK, THE LEFT TRIGGER PAINTS)", P.ash)
    return image


def dialog(question, detail):
    """A small dialog above two 48 x 32 buttons at (154, 130) and (230, 130)."""
    image = dimmed_window()
    panel(image, 112, 62, 160, 96)
    c.text_centred(image, W // 2, 72, question, P.amber)
    c.text_centred(image, W // 2, 84, detail, P.ash)
    return image


def quit_confirmation():
    return dialog("QUIT SANDRIFT?", "")


def leave_level_confirmation():
    return dialog("LEAVE THIS LEVEL?", "FOR THE MAIN MENU")


def title_card():
    """The game's title over the dusk dunes."""
    image = scenery.dusk_backdrop(W, H, horizon=140, seed=11)
    c.text_centred(image, W // 2, 40, "SANDRIFT", P.sandlight, scale=6, shadow=P.ochre)
    c.text_centred(image, W // 2, 84, "A FALLING-SAND ACTION PLATFORMER", P.bone)
    player = c.scale(sprites.player_run().crop((0, 0, 16, 16)), 3)
    image.alpha_composite(player, (W // 2 - 24, 118))
    return image


def banner(text, ink, shade):
    """A banner across the middle of an otherwise clear window."""
    image = c.new(W, H)
    c.rect(image, 0, 84, W, 48, colour("ink", 170))
    c.rect(image, 0, 84, W, 1, shade)
    c.rect(image, 0, 131, W, 1, shade)
    c.text_centred(image, W // 2, 96, text, ink, scale=5, shadow=shade)
    return image


def win_banner():
    return banner("LEVEL CLEAR", P.flame, P.ember)


def lose_banner():
    return banner("DEFEATED", P.blood, P.wine)


def victory():
    """After a won level; next-level (134, 194) and main-menu (250, 194) buttons."""
    image = scenery.dusk_backdrop(W, H, horizon=150, seed=21)
    c.text_centred(image, W // 2, 24, "LEVEL CLEAR", P.flame, scale=5, shadow=P.ember)
    c.text_centred(image, W // 2, 58, "EVERY TREASURE BOX IS YOURS", P.bone)
    chest = c.scale(sprites.treasure().crop((64, 0, 80, 16)), 3)
    player = c.scale(sprites.player_run().crop((0, 0, 16, 16)), 3)
    image.alpha_composite(chest, (W // 2 - 60, 104))
    image.alpha_composite(player, (W // 2 - 24, 104))
    image.alpha_composite(chest, (W // 2 + 12, 104))
    return image


def defeat():
    """After a lost level; restart (134, 194) and main-menu (250, 194) buttons."""
    image = scenery.dusk_backdrop(W, H, horizon=150, seed=31)
    scenery.gradient(image, 0, 0, W, 40, (P.ink, P.night))
    c.text_centred(image, W // 2, 24, "DEFEATED", P.blood, scale=5, shadow=P.wine)
    c.text_centred(image, W // 2, 58, "THE SANDS TAKE ANOTHER DRIFTER", P.bone)
    # the launcher left lying in the sand, still smoking
    launcher = c.scale(sprites.launcher(), 3).rotate(-8, resample=Image.NEAREST, expand=True)
    image.alpha_composite(launcher, (W // 2 - launcher.width // 2, 112))
    smoke = sprites.smoke()
    for i, (dx, dy) in enumerate(((-14, 112), (-8, 96), (-18, 80), (-10, 66))):
        puff = c.scale(smoke.crop((4 * ((i + 1) % 4), 0, 4 * ((i + 1) % 4) + 4, 4)), 3 + (i > 1))
        image.alpha_composite(puff, (W // 2 + dx, dy))
    return image
