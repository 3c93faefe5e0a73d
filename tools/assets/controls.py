"""The controls screen picture, 384 x 216 (one art pixel per world cell).

The screen prints "CONTROLS" over the top centre and two lines of help at the
bottom left, so both areas are left as plain dark sky and dune. That heading is
placed for a full-HD window and falls outside smaller ones, so the picture
carries a heading of its own in the top-left corner, and how to leave in the
top-right one. Beside each key sits the gamepad control that does the same:
round face buttons by their letters (A is the south one), rounded caps for
the shoulders, triggers, sticks and Start.
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


def pad_button(letter):
    """A round face button, as pads print their letters."""
    b = c.new(11, 11)
    c.rect(b, 3, 0, 5, 11, P.ink)
    c.rect(b, 0, 3, 11, 5, P.ink)
    c.rect(b, 1, 1, 9, 9, P.ink)
    c.rect(b, 3, 1, 5, 9, P.stone)
    c.rect(b, 1, 3, 9, 5, P.stone)
    c.rect(b, 2, 2, 7, 7, P.stone)
    c.text_centred(b, 6, 3, letter, P.bone)
    return b


def pad_cap(label):
    """A shoulder, trigger, stick or Start: a dark rounded cap."""
    w = c.text_width(label) + 6
    cap = c.new(w, 11)
    c.rect(cap, 1, 0, w - 2, 11, P.ink)
    c.rect(cap, 0, 1, w, 9, P.ink)
    c.rect(cap, 1, 1, w - 2, 9, P.stone)
    c.text_centred(cap, w // 2, 3, label, P.bone)
    return cap


def inline(image, x, y, parts, ink):
    """Caps and words side by side on one line, three pixels apart."""
    for part in parts:
        if isinstance(part, str):
            c.text(image, x, y + 3, part, ink)
            x += c.text_width(part) + 3
        else:
            image.alpha_composite(part, (x, y))
            x += part.width + 3


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
    quit_hint = "ESC OR START QUITS THE GAME"
    c.text(image, WIDTH - 20 - c.text_width(quit_hint), 8, quit_hint, P.ash)
    leave = [keycap("T"), "/", pad_button("B"), "MAIN MENU ", keycap("Y"), "/", pad_button("Y"), "LEVEL 1"]
    width = sum((c.text_width(p) if isinstance(p, str) else p.width) + 3 for p in leave) - 3
    inline(image, WIDTH - 20 - width, 16, leave, P.bone)
    c.text(image, 20, 30, "ON FOOT", P.amber)
    c.rect(image, 20, 36, 150, 1, P.ochre)
    row(image, 20, 42, [keycap("A"), keycap("D"), pad_cap("L STICK")], "RUN LEFT / RIGHT")
    row(image, 20, 58, [keycap("SPACE", 36), pad_button("A")], "JUMP", "HOLD FOR A HIGHER JUMP")
    row(image, 20, 82, [keycap("ESC"), pad_cap("START")], "PAUSE MENU")
    row(image, 20, 98, [keycap("Q")], "QUIT", "WHILE PAUSED")
    row(image, 20, 122, [keycap("R")], "PLAY THE LEVEL AGAIN")
    c.text(image, 20, 140, "MENUS: STICKS MOVE THE POINTER", P.bone)
    inline(image, 20, 148, [pad_button("A"), "CLICKS", pad_button("B"), "CLOSES"], P.bone)

    c.text(image, 214, 30, "AIM", P.amber)
    c.rect(image, 214, 36, 150, 1, P.ochre)
    image.alpha_composite(mouse(P.ember, P.sky), (214, 44))
    c.rect(image, 224, 46, 10, 1, P.ember)
    c.text(image, 238, 44, "LEFT BUTTON", P.ember)
    image.alpha_composite(pad_cap("RT"), (238 + c.text_width("LEFT BUTTON") + 4, 41))
    c.text(image, 238, 54, "FIRE A ROCKET AT THE POINTER", P.bone)
    c.text(image, 238, 66, "RIGHT BUTTON", P.sky)
    image.alpha_composite(pad_cap("LT"), (238 + c.text_width("RIGHT BUTTON") + 4, 63))
    c.text(image, 238, 76, "LOOK AHEAD TOWARD IT", P.bone)
    image.alpha_composite(pad_cap("R STICK"), (214, 84))
    c.text(image, 214 + c.text_width("R STICK") + 10, 87, "AIMS FROM THE PLAYER", P.bone)

    c.text(image, 214, 108, "GOAL", P.amber)
    c.rect(image, 214, 114, 150, 1, P.ochre)
    c.text(image, 214, 120, "COLLECT EVERY TREASURE BOX", P.bone)
    c.text(image, 214, 128, "HEALTH BOXES MEND YOU", P.bone)
    c.text(image, 214, 136, "LAVA, STEAM AND DEEP WATER HURT", P.ash)

    c.text(image, 120, 158, "MAIN MENU SANDBOX", P.amber)
    row(image, 120, 166, [keycap("1"), "-", keycap("6"), pad_cap("LB"), pad_cap("RB")], "PICK A MATERIAL")
    c.text(image, 120, 182, "RIGHT BUTTON OR LT PAINTS IT", P.bone)
    c.text(image, 120, 190, "LEFT BUTTON OR A FIRES", P.bone)

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
