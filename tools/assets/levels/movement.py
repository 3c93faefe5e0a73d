#!/usr/bin/python3
"""Measures how far the player runs, jumps, rocket-jumps and digs, with a small
model of the player's movement rules (sensing five cells, the one-cell push
out of solid sides, quadratic drag, ground friction, the held-jump boost and
the rocket's push). The levels are shaped to these numbers; the measuring tool
in tools/measure repeats them with the game's own code, and a test holds the
two to the same numbers.

    /usr/bin/python3 tools/assets/levels/movement.py [--cell-size S]
"""
import argparse
import math

SAND, OBSIDIAN, ICE, LAVA, WATER, STONE, STEAM, CLEAR = range(8)
SOLID = {SAND, OBSIDIAN, ICE, STONE}

GRAVITY = 98.1            # cells per s^2
HALF = 8                  # player half size in cells
MASS = 50.0
MAX_RUN, GROUND_ACC, AIR_ACC, JUMP_SPEED = 70.0, 600.0, 100.0, 1000.0
ROCKET_SPEED, ROCKET_THRUST, ROCKET_HALF = 300.0, 50.0, 4
ROCKET_MASS, ROCKET_DRAG = 0.5, 0.05
BLAST_RADIUS = 20
DT = 1.0 / 60.0


class Grid:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.cells = [[CLEAR] * height for _ in range(width)]

    def fill(self, x0, y0, x1, y1, material):
        for x in range(max(0, x0), min(self.width, x1)):
            column = self.cells[x]
            for y in range(max(0, y0), min(self.height, y1)):
                column[y] = material

    def at(self, x, y):
        if 0 <= x < self.width and 0 <= y < self.height:
            return self.cells[x][y]
        return None

    def blast(self, cx, cy, radius):
        for x in range(cx - radius, cx + radius):
            for y in range(cy - radius, cy + radius):
                if (x - cx) ** 2 + (y - cy) ** 2 < radius ** 2 and self.at(x, y) not in (None, OBSIDIAN):
                    self.cells[x][y] = CLEAR


def density_of(m):
    return 2500.0 if m == LAVA else 1000.0 if m == WATER else 1.225


class Body:
    """Position and velocity in world units, as the game keeps them."""

    def __init__(self, x, y, half, mass, drag, s, gravity=True):
        self.x, self.y, self.vx, self.vy = x, y, 0.0, 0.0
        self.ax, self.ay = 0.0, (-GRAVITY * s if gravity else 0.0)
        self.half, self.mass, self.drag, self.s = half * s, mass, drag, s
        self.above = self.right = self.below = self.left = self.ground = CLEAR
        self.density, self.traction = 1.0, 0.0

    def cell(self, grid, wx, wy):
        m = grid.at(int(wx / self.s), int(wy / self.s))
        return CLEAR if m is None else m

    def sense(self, grid):
        h, s = self.half, self.s
        self.above = self.cell(grid, self.x, self.y + h)
        self.right = self.cell(grid, self.x + h, self.y)
        self.below = self.cell(grid, self.x, self.y - h)
        self.left = self.cell(grid, self.x - h, self.y)
        c, r = int(self.x / s), int((self.y - h) / s)
        for depth in (1, 2, 3):
            m = grid.at(c, r - depth)
            if m is not None and (depth == 1 or self.ground not in SOLID):
                self.ground = m
        self.density = sum(density_of(m) for m in (self.above, self.right, self.below, self.left)) / 4
        b, g = self.below, self.ground
        if STONE in (b, g) or OBSIDIAN in (b, g):
            self.traction = 1.0
        elif SAND in (b, g):
            self.traction = 0.6
        elif ICE in (b, g):
            self.traction = 0.2
        else:
            self.traction = 0.0

    def integrate(self, dt):
        s = self.s
        if self.below in SOLID:
            if self.vy < 0:
                self.vy = -self.vy * 0.1
            self.y += s
        if self.right in SOLID:
            if self.vx > 0:
                self.vx = -self.vx * 0.5
            self.x -= s
        if self.left in SOLID:
            if self.vx < 0:
                self.vx = -self.vx * 0.5
            self.x += s
        if self.above in SOLID:
            if self.vy > 0:
                self.vy = -self.vy * 0.1
            self.y -= s
        self.vx += self.ax * dt
        self.vy += self.ay * dt
        k = 2 * self.half * self.drag * 0.5 * self.density
        if self.mass:
            drag_y = k * self.vy ** 2 * 0.00003 * dt / self.mass
            drag_x = k * self.vx ** 2 * 0.00003 * dt / self.mass + self.traction * 98.1 * dt * s
        else:
            drag_x = drag_y = 0.0
        self.vx = 0.0 if drag_x > abs(self.vx) else self.vx - math.copysign(drag_x, self.vx)
        self.vy = 0.0 if drag_y > abs(self.vy) else self.vy - math.copysign(drag_y, self.vy)
        self.x += self.vx * dt
        self.y += self.vy * dt


class Player(Body):
    def __init__(self, cx, cy, s):
        super().__init__(cx * s, cy * s, HALF, MASS, 1.0, s)
        self.jump_held, self.jump_time = False, 0.1

    def on_ground(self):
        return self.below in SOLID or self.ground in SOLID

    def run(self, left, dt):
        s = self.s
        if left and self.vx > -MAX_RUN * s:
            self.vx -= (self.traction * GROUND_ACC if self.on_ground() else AIR_ACC) * s * dt
        if not left and MAX_RUN * s > self.vx:
            self.vx += (self.traction * GROUND_ACC if self.on_ground() else AIR_ACC) * s * dt

    def input(self, left, right, space, dt):
        if left and not right:
            self.run(True, dt)
        elif right and not left:
            self.run(False, dt)
        if space:
            if not self.jump_held:
                self.jump_held = True
                if self.on_ground():
                    self.jump_time = 0.1
            elif self.jump_time > 0:
                self.jump_time -= dt
                k = self.jump_time + dt if self.jump_time < 0 else dt
                self.vy += k * JUMP_SPEED * self.s
        else:
            self.jump_held = False
            if not self.on_ground():
                self.jump_time = 0.0

    def step(self, grid, dt):
        self.integrate(dt)
        self.sense(grid)

    @property
    def feet(self):
        return self.y / self.s - HALF


class Rocket(Body):
    def __init__(self, player, dx, dy, s):
        n = math.hypot(dx, dy)
        dx, dy = dx / n, dy / n
        super().__init__(player.x + dx * 20 * s, player.y + dy * 20 * s, ROCKET_HALF,
                         ROCKET_MASS, ROCKET_DRAG, s, gravity=False)
        self.vx, self.vy = dx * ROCKET_SPEED * s, dy * ROCKET_SPEED * s
        self.ax, self.ay = dx * ROCKET_THRUST * s, dy * ROCKET_THRUST * s - GRAVITY * s

    def step(self, grid, player, dt):
        """True when it went off (and pushed the player)."""
        self.sense(grid)
        self.integrate(dt)
        speed = math.hypot(self.vx, self.vy)
        if speed:
            self.ax = self.vx / speed * 100 * self.s
            self.ay = self.vy / speed * 100 * self.s - GRAVITY * self.s
        if not any(m in SOLID for m in (self.above, self.right, self.below, self.left)):
            return False
        s = self.s
        dx, dy = self.x - player.x, self.y - player.y
        dist = math.hypot(dx, dy)
        k = min(0.0002, 0.04 / (dist / s) ** 2)
        push = s * -40000000 * k / player.mass
        player.vx += dx / dist * push
        player.vy += dy / dist * push
        grid.blast(int(self.x / s), int(self.y / s), BLAST_RADIUS)
        return True


def flat(width=900, height=400, floor=20, material=STONE):
    grid = Grid(width, height)
    grid.fill(0, 0, width, floor, material)
    return grid


def settle(grid, player, frames=60):
    for _ in range(frames):
        player.input(False, False, False, DT)
        player.step(grid, DT)


def standing_jump(s, hold=1.0):
    grid = flat()
    p = Player(100, 20 + HALF + 1, s)
    settle(grid, p)
    base, top = p.feet, p.feet
    for i in range(int(3 / DT)):
        p.input(False, False, i * DT < hold, DT)
        p.step(grid, DT)
        top = max(top, p.feet)
    return top - base


def running_jump(s, floor_material=STONE):
    """Horizontal distance and peak of a jump from full running speed."""
    grid = flat(width=1200, material=floor_material)
    p = Player(40, 20 + HALF + 1, s)
    settle(grid, p)
    base = p.feet
    for _ in range(60):
        p.input(False, True, False, DT)
        p.step(grid, DT)
    top_speed = p.vx / s
    start, top, frames = p.x / s, p.feet, 0
    airborne = False
    while frames < 600:
        p.input(False, True, True, DT)
        p.step(grid, DT)
        frames += 1
        top = max(top, p.feet)
        if p.feet > base + 2:
            airborne = True
        elif airborne:
            break
    return top_speed, p.x / s - start, top - base, frames * DT


def run_up(s, material):
    """Seconds to reach nine tenths of the top speed from rest on a floor."""
    grid = flat(material=material)
    p = Player(100, 20 + HALF + 1, s)
    settle(grid, p)
    for i in range(300):
        p.input(False, True, False, DT)
        p.step(grid, DT)
        if p.vx / s >= 0.9 * MAX_RUN:
            return (i + 1) * DT
    return float("inf")


def stop_distance(s, material):
    grid = flat(width=2000, material=material)
    p = Player(100, 20 + HALF + 1, s)
    settle(grid, p)
    for _ in range(120):
        p.input(False, True, False, DT)
        p.step(grid, DT)
    start = p.x / s
    for _ in range(600):
        p.input(False, False, False, DT)
        p.step(grid, DT)
    return p.x / s - start


def rocket_jump(s, fire_frame, dx=0.0, dy=-1.0, floor_material=OBSIDIAN, jump=True):
    """Peak height of the feet when a rocket at the floor goes off; the jump is
    pressed at frame 0 and held, the rocket fired at fire_frame."""
    grid = flat(material=floor_material)
    p = Player(200, 20 + HALF + 1, s)
    settle(grid, p)
    base, top, rocket = p.feet, p.feet, None
    start_x = p.x / s
    land_x = None
    for i in range(int(4 / DT)):
        if i == fire_frame:
            rocket = Rocket(p, dx, dy, s)
        p.input(False, False, jump, DT)
        p.step(grid, DT)
        if rocket and rocket.step(grid, p, DT):
            rocket = None
        top = max(top, p.feet)
        if i > fire_frame + 10 and p.on_ground() and land_x is None:
            land_x = p.x / s
    return top - base, (land_x or p.x / s) - start_x


def dig(s, dx, dy, shots=5):
    """Cells of solid stone cleared ahead per rocket, firing once a second and
    walking into the hole."""
    grid = Grid(1200, 400)
    grid.fill(0, 0, 1200, 100, STONE)
    grid.fill(150, 100, 1200, 300, STONE)
    p = Player(130, 100 + HALF + 1, s)
    settle(grid, p)
    row = int(p.y / s)
    for _ in range(shots):
        rocket = Rocket(p, dx, dy, s)
        for _ in range(60):
            p.input(False, dx > 0, False, DT)
            p.step(grid, DT)
            if rocket and rocket.step(grid, p, DT):
                rocket = None
    x = 150
    while x < 1200 and grid.at(x, row) == CLEAR:
        x += 1
    return (x - 150) / shots


def water_jump(s, depth=40):
    """How high the feet rise jumping off the floor of a deep pool."""
    grid = flat()
    grid.fill(0, 20, 900, 20 + depth, WATER)
    p = Player(100, 20 + HALF + 1, s)
    settle(grid, p, 120)
    base, top = p.feet, p.feet
    for i in range(int(3 / DT)):
        p.input(False, False, True, DT)
        p.step(grid, DT)
        top = max(top, p.feet)
    return top - base


def report(s):
    print(f"cell size S = {s:g} (window {int(s * 384)} pixels wide)")
    print(f"  standing jump, held: {standing_jump(s):.1f} cells; tapped 0.05 s: {standing_jump(s, 0.05):.1f}")
    speed, dist, peak, air = running_jump(s)
    print(f"  running: top speed {speed:.1f} cells/s; jump {dist:.1f} cells far, {peak:.1f} high, {air:.2f} s")
    for name, m in (("stone", STONE), ("sand", SAND), ("ice", ICE)):
        print(f"  {name}: 90% speed after {run_up(s, m):.2f} s; stops within {stop_distance(s, m):.1f} cells")
    for frame in (1, 3, 5, 7):
        h, _ = rocket_jump(s, frame)
        print(f"  rocket jump, rocket down at frame {frame} of the jump: feet rise {h:.1f} cells")
    h, _ = rocket_jump(s, 0, jump=False)
    print(f"  rocket at the feet without jumping: {h:.1f} cells")
    h, _ = rocket_jump(s, 3, dx=-1, dy=-1)
    print(f"  rocket jump, rocket down-back at 45 degrees: {h:.1f} high")
    print(f"  digging: {dig(s, 1, 0):.1f} cells of stone per rocket sideways")
    print(f"  jump off a pool floor under water: feet rise {water_jump(s):.1f} cells")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cell-size", type=float, action="append")
    args = parser.parse_args()
    for s in args.cell_size or [3.0, 4.0, 5.0]:
        report(s)


if __name__ == "__main__":
    main()
