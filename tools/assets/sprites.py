"""Characters, weapons, pickups and effects.

Hand-drawn parts come from text grids in art/; sheets are assembled here.
Running sheets face right (the game mirrors them), 16 x 16 per frame; the
body bobs up a pixel on the passing frames so the run reads at play speed.
"""
import canvas as c
from canvas import P

FRAME = 16
LEG_TOP = 10
BOB = (1, 0, 1, 0)  # per sheet cell: the upper body sinks a pixel when the feet are apart


def walker_sheet(body_name, trousers, boots):
    legs = [c.recolour(l, {P.deep: trousers, P.soil: boots}) for l in c.load_grids("walker_legs")]
    (body,) = c.load_grids(body_name)
    frames = []
    for cell, leg in enumerate(legs):
        frame = c.new(FRAME, FRAME)
        frame.alpha_composite(leg, (0, LEG_TOP))
        frame.alpha_composite(body, (0, BOB[cell]))
        frames.append(frame)
    return c.sheet(frames)


def player_run():
    return walker_sheet("player_body", P.deep, P.soil)


def melee_run():
    return walker_sheet("melee_body", P.umber, P.ink)


def rifle_run():
    return walker_sheet("rifle_body", P.pine, P.soil)


def rocket_run():
    return walker_sheet("rocket_body", P.dusk, P.ink)


def gunner_run():
    return walker_sheet("gunner_body", P.night, P.soil)


def play_order_sheet(frames):
    """Sheet for frames listed in the order they play.

    The game shows cell k+1 for animation frame k, and the cell after the last
    is cell 0, so the first frame goes in cell 1 and the last one in cell 0.
    """
    return c.sheet(frames[-1:] + frames[:-1])


def launcher():
    return c.load_grids("weapons")[0]


def rifle():
    return c.load_grids("weapons")[1]


def machine_gun():
    return c.load_grids("weapons")[2]


def bat_fly():
    """Outlined in ink: the wings alone are lost against the purple and wine
    bands of the sunset behind the levels."""
    return c.sheet([outlined(frame) for frame in c.load_grids("bat")])


def outlined(frame, ink=P.ink):
    """Every transparent pixel beside a coloured one turns ink, inside the frame."""
    out = frame.copy()
    w, h = frame.size
    for y in range(h):
        for x in range(w):
            if frame.getpixel((x, y))[3]:
                continue
            beside = ((x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if any(0 <= bx < w and 0 <= by < h and frame.getpixel((bx, by))[3] for bx, by in beside):
                out.putpixel((x, y), ink)
    return out


def rocket():
    return c.load_grids("projectiles")[0]


def bullet():
    return c.load_grids("projectiles")[1]


def smoke():
    return play_order_sheet(c.load_grids("smoke"))


GLINT = ((3, 6), (5, 6), (8, 6), (11, 6))  # a highlight sliding along the lid's band


def treasure():
    """Six frames: a glint slides along the lid's band, then a sparkle above it."""
    chest = c.load_grids("pickups")[0]
    frames = []
    for i in range(6):
        frame = chest.copy()
        if i < len(GLINT):
            x, y = GLINT[i]
            for dx in range(2):
                frame.putpixel((x + dx, y), P.bone)
        else:
            sx = 11 if i == 4 else 12
            for dx, dy in ((0, 0), (1, 0), (-1, 0), (0, 1), (0, -1)):
                frame.putpixel((sx + dx, 1 + dy), P.flame if (dx, dy) != (0, 0) else P.bone)
        frames.append(frame)
    return c.sheet(frames)


def health_box():
    """Two frames: the red cross pulses brighter on the second."""
    box = c.load_grids("pickups")[1]
    lit = c.recolour(box, {P.blood: P.ember, P.ash: P.bone})
    return c.sheet([box, lit])
