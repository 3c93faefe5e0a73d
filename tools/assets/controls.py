"""The controls screen picture, 384 x 216 (one art pixel per world cell).

The screen prints "CONTROLS" over the top centre and two lines of help at the
bottom left, so both areas are left as plain dark sky and dune. That heading is
placed for a full-HD window and falls outside smaller ones, so the picture
carries a heading of its own in the top-left corner, and how to leave in the
top-right one.
"""
import canvas as c
import scenery
import sprites
import ui
from PIL import Image
from canvas import P

WIDTH, HEIGHT = 384, 216


def keycap(label, min_width=11):
    w = max(min_width, c.text_width(label) + 6)
    cap = c.new(w, 11)
    c.bevel_box(cap, 0, 0, w, 11, P.bone, P.bone, P.ash)
    c.rect(cap, 1, 9, w - 2, 1, P.stone)
    c.text_centred(cap, w // 2, 2, label, P.ink)
    return cap


def mouse(left_fill, right_fill):
    """A mouse seen from above, its two buttons coloured by what they do."""
    m = c.new(17, 26)
    c.rect(m, 2, 0, 13, 26, P.ink)
    c.rect(m, 0, 2, 17, 22, P.ink)
    c.rect(m, 1, 1, 15, 24, P.ink)
    c.rect(m, 2, 1, 13, 24, P.bone)
    c.rect(m, 1, 2, 15, 22, P.bone)
    c.rect(m, 2, 2, 6, 8, left_fill)
    c.rect(m, 9, 2, 6, 8, right_fill)
    c.rect(m, 8, 1, 1, 10, P.ink)
    c.rect(m, 1, 10, 15, 1, P.ink)
    c.rect(m, 2, 22, 13, 2, P.ash)
    return m


def row(image, x, y, caps, label, note=None):
    """Key caps then their meaning; returns nothing, draws in place."""
    for cap in caps:
        if isinstance(cap, str):
            c.text(image, x, y + 3, cap, P.ash)
            x += c.text_width(cap) + 3
            continue
        image.alpha_composite(cap, (x, y))
        x += cap.width + 3
    c.text(image, max(x + 4, 86), y + 3, label, P.bone)
    if note:
        c.text(image, max(x + 4, 86), y + 11, note, P.ash)


def controls():
    image = scenery.dusk_backdrop(WIDTH, HEIGHT, horizon=150)
    c.text(image, 20, 8, "HOW TO PLAY", P.sandlight, scale=2)
    quit_hint = "ESC QUITS THE GAME"
    c.text(image, WIDTH - 20 - c.text_width(quit_hint), 12, quit_hint, P.ash)
    c.text(image, 20, 30, "ON FOOT", P.amber)
    c.rect(image, 20, 36, 150, 1, P.ochre)
    row(image, 20, 42, [keycap("A"), keycap("D")], "RUN LEFT / RIGHT")
    row(image, 20, 58, [keycap("SPACE", 36)], "JUMP", "HOLD FOR A HIGHER JUMP")
    row(image, 20, 82, [keycap("ESC")], "PAUSE MENU")
    row(image, 20, 98, [keycap("Q")], "QUIT", "WHILE PAUSED")
    row(image, 20, 122, [keycap("R")], "PLAY THE LEVEL AGAIN")

    c.text(image, 214, 30, "AIM", P.amber)
    c.rect(image, 214, 36, 150, 1, P.ochre)
    image.alpha_composite(mouse(P.ember, P.sky), (214, 44))
    c.rect(image, 224, 46, 10, 1, P.ember)
    c.text(image, 238, 44, "LEFT BUTTON", P.ember)
    c.text(image, 238, 52, "FIRE A ROCKET AT", P.bone)
    c.text(image, 238, 60, "THE POINTER", P.bone)
    c.text(image, 238, 72, "RIGHT BUTTON", P.sky)
    c.text(image, 238, 80, "LOOK AHEAD TOWARD", P.bone)
    c.text(image, 238, 88, "THE POINTER", P.bone)

    c.text(image, 214, 108, "GOAL", P.amber)
    c.rect(image, 214, 114, 150, 1, P.ochre)
    c.text(image, 214, 120, "COLLECT EVERY TREASURE BOX", P.bone)
    c.text(image, 214, 128, "HEALTH BOXES MEND YOU", P.bone)
    c.text(image, 214, 136, "LAVA, STEAM AND DEEP WATER HURT", P.ash)

    c.text(image, 120, 164, "MAIN MENU SANDBOX", P.amber)
    row(image, 120, 172, [keycap("1"), "-", keycap("6")], "PICK A MATERIAL")
    c.text(image, 120, 190, "RIGHT BUTTON PAINTS IT, LEFT BUTTON FIRES", P.bone)

    pickups = [sprites.treasure().crop((64, 0, 80, 16)), sprites.health_box().crop((0, 0, 16, 16))]
    image.alpha_composite(pickups[0], (236, 97))
    image.alpha_composite(pickups[1], (254, 97))
    aiming_scene(image, (302, 186), (364, 156))
    return image


def turned(sprite, degrees):
    """Rotates pixel art without inventing colours (nearest neighbour)."""
    return sprite.rotate(degrees, resample=Image.NEAREST, expand=True)


def aiming_scene(image, player_at, target):
    """The player, twice in-game size, aiming at a cross-hair with a rocket on
    its way: what a left click does."""
    import math
    px, py = player_at
    tx, ty = target
    degrees = math.degrees(math.atan2(py - ty, tx - px))
    player = c.scale(sprites.player_run().crop((0, 0, 16, 16)), 2)
    image.alpha_composite(player, (px - 16, py - 16))
    launcher = turned(c.scale(sprites.launcher(), 2), degrees)
    image.alpha_composite(launcher, (px - launcher.width // 2, py - launcher.height // 2))
    rocket = turned(c.scale(sprites.rocket(), 2), degrees)
    mx, my = (px + tx) // 2 + 2, (py + ty) // 2
    image.alpha_composite(rocket, (mx - rocket.width // 2, my - rocket.height // 2))
    cross = c.scale(ui.crosshair_ready(), 2)
    image.alpha_composite(cross, (tx - 16, ty - 16))
