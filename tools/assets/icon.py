"""The desktop icon: sand pouring onto a heap beside a pool, and a rocket
climbing the night sky. Drawn at 32 x 32 and scaled four times to a crisp
128 x 128."""
import canvas as c
from canvas import P
from logos import dither_band

PATH = "tools/package/sandrift.png"
SIZE, SCALE = 32, 4
CORNER = 5       # radius of the tile's rounded corners
PEAK = (11, 15)  # top of the heap; falling sand rests at 45 degrees
GROUND = 27      # first row of the stone floor
POOL_X = 22      # the pool fills the floor's basin right of this column

ROCKET = c.grid_image([
    "......r",
    ".....rW",
    "....GWg",
    "...GWg.",
    "..KGg..",
    ".yK....",
    "yO.....",
])
ROCKET_AT = (20, 3)
SMOKE = ((18, 11, P.slate), (17, 12, P.stone), (16, 12, P.slate), (15, 14, P.dusk), (14, 15, P.slate))


def inside_tile(x, y):
    cx = min(max(x + 0.5, CORNER), SIZE - CORNER)
    cy = min(max(y + 0.5, CORNER), SIZE - CORNER)
    return (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= CORNER * CORNER


def speckled(x, y, one_in):
    """A fixed scatter, so the heap reads as grains rather than a flat shape."""
    return ((x * 73856093) ^ (y * 19349663)) % one_in == 0


def heap_top(x):
    # the peak is rounded over its top three columns, as a real pile's is
    return PEAK[1] + max(abs(x - PEAK[0]) - 1, 0) + (abs(x - PEAK[0]) == 1)


def ground(art):
    for x in range(SIZE):
        for y in range(GROUND, SIZE):
            in_basin = x >= POOL_X and y < SIZE - 2
            if in_basin:
                art.putpixel((x, y), P.frost if y == GROUND else P.sea if y < GROUND + 2 else P.deep)
            else:
                art.putpixel((x, y), P.slate if speckled(x, y, 4) else P.stone if y == GROUND else P.dusk)


def heap(art):
    for x in range(POOL_X):
        for y in range(heap_top(x), GROUND):
            lit = x < PEAK[0]
            face = P.sandlight if lit else P.sand
            if speckled(x, y, 5):
                face = P.sand if lit else P.ochre
            if y == GROUND - 1 and speckled(x, y, 2):
                face = P.ochre
            art.putpixel((x, y), face)
    # the stream, a grain every other row, swaying a little as it falls
    for y in range(1, PEAK[1] - 1, 2):
        art.putpixel((PEAK[0] + (y // 4) % 2, y), P.sandlight if y % 4 == 1 else P.sand)


def border(art):
    """Clears the cut corners and rims the tile in ink."""
    for x in range(SIZE):
        for y in range(SIZE):
            if not inside_tile(x, y):
                art.putpixel((x, y), c.CLEAR)
            elif any(not (0 <= x + dx < SIZE and 0 <= y + dy < SIZE and inside_tile(x + dx, y + dy))
                     for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                art.putpixel((x, y), P.ink)


def icon():
    art = c.new(SIZE, SIZE)
    dither_band(art, 0, 0, SIZE, 14, P.ink, P.night)
    dither_band(art, 0, 14, SIZE, GROUND - 14, P.night, P.dusk)
    for x, y in ((4, 4), (27, 13), (7, 10), (15, 6), (29, 6)):
        art.putpixel((x, y), P.bone if (x + y) % 2 else P.ash)
    ground(art)
    heap(art)
    art.alpha_composite(ROCKET, ROCKET_AT)
    for x, y, colour in SMOKE:
        art.putpixel((x, y), colour)
    border(art)
    return c.scale(art, SCALE)
