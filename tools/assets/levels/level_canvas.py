"""A level under construction: a grid of cells, y upwards from the bottom row
as in the game, drawn with named shapes and written as a 24-bit bottom-up BMP.

Cells hold a material or a marker. Markers are where objects start: a
character's marker is the centre of its 16 x 16 cell box (8 x 8 for a bat), so
a walker standing on ground whose top row is g has its marker at g + 9.
"""
import struct

import numpy as np

SAND, OBSIDIAN, ICE, LAVA, WATER, STONE = range(6)
CLEAR = 7
PLAYER, TREASURE, HEALTH, BAT, MELEE, RIFLE, ROCKET, GUNNER = range(10, 18)

MATERIALS = {SAND: "sand", OBSIDIAN: "obsidian", ICE: "ice", LAVA: "lava", WATER: "water", STONE: "stone"}
MARKERS = {PLAYER: "player", TREASURE: "treasure", HEALTH: "health", BAT: "bat", MELEE: "melee",
           RIFLE: "rifle", ROCKET: "rocket", GUNNER: "gunner"}
ENEMIES = (BAT, MELEE, RIFLE, ROCKET, GUNNER)

# Exact colours the level reader matches (red, green, blue); anything else is empty.
COLOURS = {
    SAND: (255, 255, 0), OBSIDIAN: (128, 128, 128), ICE: (0, 200, 200), LAVA: (255, 0, 0),
    WATER: (0, 0, 255), STONE: (0, 0, 0), CLEAR: (255, 255, 255),
    PLAYER: (100, 0, 0), TREASURE: (0, 100, 0), HEALTH: (255, 0, 255), BAT: (51, 204, 255),
    MELEE: (102, 102, 102), RIFLE: (102, 102, 153), ROCKET: (153, 102, 102), GUNNER: (102, 153, 102),
}
SOLID = (SAND, OBSIDIAN, ICE, STONE)

# Half the box a marker's object fills, in cells.
HALF_SIZE = {PLAYER: 8, TREASURE: 8, HEALTH: 8, BAT: 4, MELEE: 8, RIFLE: 8, ROCKET: 8, GUNNER: 8}
STAND = 9  # marker height above the top row of the ground a walker stands on

VIEW_WIDTH = 384


class Level:
    def __init__(self, width, height):
        if width % VIEW_WIDTH or height * 16 != width * 9:
            raise ValueError(f"{width} x {height}: levels are 16:9 and a multiple of {VIEW_WIDTH} wide")
        self.width, self.height = width, height
        self.cells = np.full((height, width), CLEAR, dtype=np.uint8)  # [y, x], row 0 at the bottom
        self.set_pieces = []

    def set_piece(self, x0, y0, x1, y1, cells, what):
        """Something every route must see happen: by the victory, at least
        cells cells of the box x0 <= x < x1, y0 <= y < y1 hold another
        material than they started with (sandrift-level play --set-pieces)."""
        self.set_pieces.append((x0, y0, x1, y1, cells, what))

    # --- shapes -----------------------------------------------------------
    def rect(self, x0, y0, x1, y1, material):
        """Fills the cells x0 <= x < x1, y0 <= y < y1."""
        self.cells[max(0, y0):max(0, y1), max(0, x0):max(0, x1)] = material

    def clear(self, x0, y0, x1, y1):
        self.rect(x0, y0, x1, y1, CLEAR)

    def ground(self, profile, material=STONE, base=0):
        """Fills every column from base up to a height that runs in straight
        lines through the (x, height) points of profile."""
        xs = np.arange(self.width)
        px, py = zip(*profile)
        tops = np.rint(np.interp(xs, px, py)).astype(int)
        for x in range(int(px[0]), min(self.width, int(px[-1]) + 1)):
            self.cells[base:tops[x], x] = material

    def disc(self, cx, cy, radius, material):
        ys, xs = np.ogrid[:self.height, :self.width]
        self.cells[(xs - cx) ** 2 + (ys - cy) ** 2 < radius ** 2] = material

    def polygon(self, points, material):
        """Fills the cells whose centres lie inside the polygon."""
        ys, xs = np.mgrid[:self.height, :self.width]
        px, py = xs + 0.5, ys + 0.5
        inside = np.zeros(xs.shape, dtype=bool)
        n = len(points)
        for i in range(n):
            (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
            if y0 == y1:
                continue
            crosses = (py >= min(y0, y1)) & (py < max(y0, y1))
            at_x = x0 + (py - y0) * (x1 - x0) / (y1 - y0)
            inside ^= crosses & (px < at_x)
        self.cells[inside] = material

    def heap(self, cx, base, half_width, height, material=SAND):
        """A triangular heap standing on row base, only in empty cells."""
        for x in range(cx - half_width, cx + half_width):
            h = int(round(height * (1 - abs(x + 0.5 - cx) / half_width)))
            column = self.cells[base:base + h, x]
            column[column == CLEAR] = material

    def pour(self, x0, x1, y0, depth, material=WATER):
        """Liquid in the empty cells of a basin, rows y0 to y0 + depth."""
        region = self.cells[y0:y0 + depth, x0:x1]
        region[region == CLEAR] = material

    def frame(self, wall=4):
        """Obsidian bedrock and side walls: rockets cannot open a way out of
        the world, and nobody walks off its edge."""
        self.rect(0, 0, self.width, wall, OBSIDIAN)
        self.rect(0, 0, wall, self.height, OBSIDIAN)
        self.rect(self.width - wall, 0, self.width, self.height, OBSIDIAN)

    def steps(self, spans, material=STONE, base=0):
        """Ground of flat spans with upright faces: (x0, x1, top) each."""
        for x0, x1, top in spans:
            self.rect(x0, base, x1, top, material)

    def basin(self, x0, x1, bottom, top, liquid, level, liner=OBSIDIAN, thickness=4):
        """Digs a pit x0..x1 wide from row bottom up through top, lines it and
        fills it with liquid up to row level. Lava wears stone and melts ice,
        so its basins are lined with obsidian."""
        self.rect(x0 - thickness, bottom - thickness, x1 + thickness, top, liner)
        self.clear(x0, bottom, x1, self.height)
        self.pour(x0, x1, bottom, level - bottom, liquid)

    def cave(self, x0, x1, floor, height, corner=24):
        """Carves a flat-floored chamber with its upper corners cut off."""
        top = floor + height
        self.polygon([(x0, floor), (x1, floor), (x1, top - corner), (x1 - corner, top),
                      (x0 + corner, top), (x0, top - corner)], CLEAR)

    # --- queries ----------------------------------------------------------
    def top(self, x, below=None):
        """The top row of the first solid cell at or under row below."""
        y = (self.height if below is None else below) - 1
        while y >= 0 and self.cells[y, x] not in SOLID:
            y -= 1
        if y < 0:
            raise ValueError(f"no ground under column {x}")
        return y

    # --- markers ----------------------------------------------------------
    def place(self, marker, x, y):
        h = HALF_SIZE[marker]
        box = self.cells[y - h:y + h, x - h:x + h]
        # boxes float and are never hurt, so they may sit under water; characters start dry
        allowed = (CLEAR, WATER) if marker in (TREASURE, HEALTH) else (CLEAR,)
        if box.shape != (2 * h, 2 * h) or not np.all(np.isin(box, allowed)):
            raise ValueError(f"{MARKERS[marker]} at {x}, {y}: its box is not open space")
        self.cells[y, x] = marker

    def stand(self, marker, x, below=None):
        """Puts a marker standing on the ground under column x."""
        y = self.top(x, below) + STAND
        self.place(marker, x, y)
        return y

    # --- output -----------------------------------------------------------
    def bmp(self):
        palette = np.zeros((256, 3), dtype=np.uint8)
        palette[:] = COLOURS[CLEAR]
        for code, (r, g, b) in COLOURS.items():
            palette[code] = (b, g, r)
        pixels = palette[self.cells]  # bottom row first, as BMP stores it
        row_bytes = self.width * 3
        padding = (-row_bytes) % 4
        if padding:
            pixels = np.concatenate(
                [pixels.reshape(self.height, row_bytes), np.zeros((self.height, padding), np.uint8)], axis=1)
        data = pixels.tobytes()
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        return header + info + data
