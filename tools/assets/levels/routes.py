#!/usr/bin/python3
"""Plays simple scripted routes through the levels on the movement model of
movement.py, on the level as drawn (materials do not move, enemies are left
out), and reports whether each route collects every treasure without touching
lava or staying under water long enough to drown. It shows that the terrain
of each level can be crossed with plain, forgiving inputs; the level screen's
own scripted runs prove the whole levels later.

    /usr/bin/python3 tools/assets/levels/routes.py [--cell-size S] [LEVEL_MODULE...]

A route is a list of steps:
    ("right", x) / ("left", x)      run until the centre passes column x
    ("jump_right", x) / ("jump_left", x)
                                    jump running until the centre passes
                                    column x, then brake in the air and land
    ("hop_right", x) / ("hop_left", x)
                                    walk up to the face at column x, stop,
                                    then jump steering over it
    ("walk", x)                     walk to column x and stand still there
    ("leap_right", from_x, to_x) / ("leap_left", from_x, to_x)
                                    edge up to column from_x, stop, then jump
                                    steering across to land past column to_x
    ("jump", frames)                hold Space, no running
    ("wait", frames)                no input
    ("fire", dx, dy)                a rocket towards (dx, dy), then wait for it
    ("rocket_jump", dx)             press Space and fire straight down in the
                                    same frame, drifting towards dx (-1, 0, 1)
"""
import argparse
import math
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import level_canvas as lc  # noqa: E402
import movement as mv  # noqa: E402
import build_levels  # noqa: E402

DROWN_SECONDS = 10.0
HOP_RUN_UP = 50        # cells before a face where a hop stops running: it coasts about 26
HOP_TAKE_OFF = 22      # and from where it jumps (short steps still carry it 5 to 8)
STEP_LIMIT = 60 * 20   # no step of a route may take more than 20 s

ROUTES = {
    "level_first_steps": [
        ("hop_right", 110), ("hop_right", 170), ("hop_right", 240),
        # drop onto the step in the gap for its treasure (hopping up if the run
        # falls short of it), then up the far side
        ("right", 342), ("wait", 60), ("hop_right", 388), ("leap_right", 396, 425),
        ("hop_right", 560), ("hop_right", 620), ("hop_right", 680), ("right", 740),
        ("left", 700), ("jump_left", 620), ("leap_left", 574, 540), ("leap_left", 484, 450),
        ("leap_left", 394, 360), ("leap_left", 304, 270), ("left", 140),
    ],
    "level_wet_feet": [
        ("right", 330), ("hop_right", 470), ("hop_right", 500), ("hop_right", 520),
        ("right", 620), ("right", 735),
    ],
    "level_fire_below": [
        ("right", 95), ("jump_right", 190), ("right", 285), ("hop_right", 310),
        ("left", 320), ("right", 345), ("jump_right", 420), ("leap_right", 447, 490), ("leap_right", 517, 565),
        ("right", 745),
    ],
    "level_breaking_ground": [
        # aimed a little upwards, a blast leaves a floor the player can walk on
        ("right", 95), ("fire", 1, 0.35), ("right", 110), ("fire", 1, 0.35), ("right", 125),
        ("fire", 1, 0.2), ("jump_right", 175),
        # open the cave's plugged exit from above, walk down its ramp and back
        ("walk", 333), ("fire", 0, -1), ("wait", 60), ("left", 250), ("right", 320),
        ("jump_right", 360),
        # rocket jump from the pad up the cliff
        ("walk", 392), ("rocket_jump", 1), ("left", 450),
        # the thicker wall takes four rockets
        ("walk", 535), ("fire", 1, 0.35), ("right", 550), ("fire", 1, 0.35), ("right", 570),
        ("fire", 1, 0.35), ("right", 585), ("fire", 1, 0.2), ("jump_right", 640), ("right", 730),
        # back to the second pad and up to the ledge
        ("walk", 662), ("rocket_jump", 1), ("right", 745),
    ],
    # The enemy levels, for their terrain only: the enemies are left out here.
    "level_wings": [
        ("right", 250), ("right", 470), ("right", 605), ("wait", 60), ("left", 500), ("right", 740),
    ],
    "level_brute": [
        ("hop_right", 90), ("hop_right", 130), ("leap_right", 162, 200), ("right", 240),
        ("right", 372), ("right", 418), ("jump_right", 500), ("right", 740),
    ],
    "level_rifles": [
        ("right", 120), ("hop_right", 150), ("hop_right", 200), ("hop_right", 290), ("hop_right", 330),
        ("hop_right", 430), ("right", 460), ("hop_right", 470), ("hop_right", 580), ("hop_right", 620),
        ("right", 740),
    ],
    "level_rocketeers": [
        ("right", 230), ("hop_right", 260), ("hop_right", 300), ("right", 365), ("right", 400),
        ("hop_right", 440), ("right", 500), ("hop_right", 600), ("hop_right", 640), ("hop_right", 680),
        ("right", 750),
    ],
    "level_gunners": [
        ("right", 130), ("hop_right", 180), ("right", 415), ("hop_right", 505), ("right", 745),
    ],
    "level_crossfire": [
        ("right", 310), ("right", 345), ("jump_right", 430),
        ("walk", 445), ("fire", 1, 0.35), ("right", 458), ("fire", 1, 0.35), ("fire", 1, 0.2),
        ("jump_right", 500),
        ("right", 695), ("right", 745), ("hop_right", 760), ("hop_right", 800), ("hop_right", 840),
        ("hop_right", 880), ("hop_right", 920), ("hop_right", 960), ("right", 1040), ("right", 1135),
    ],
    "level_last_dune": [
        ("right", 540), ("right", 645), ("right", 748), ("jump_right", 860),
        ("walk", 866), ("fire", 1, 0.35), ("right", 890), ("fire", 1, 0.35), ("right", 922),
        ("fire", 1, 0.35), ("right", 935), ("fire", 1, 0.2), ("jump_right", 960),
        ("walk", 975), ("rocket_jump", 1), ("right", 1050), ("hop_right", 1080), ("right", 1140),
    ],
}


class Run:
    def __init__(self, level, s):
        self.s = s
        self.grid = mv.Grid(level.width, level.height)
        for x in range(level.width):
            column = level.cells[:, x]
            self.grid.cells[x] = [int(m) if m in lc.MATERIALS else mv.CLEAR for m in column]
        ys, xs = (level.cells == lc.PLAYER).nonzero()
        self.player = mv.Player(int(xs[0]), int(ys[0]), s)
        self.treasures = [(int(x), int(y)) for y, x in zip(*(level.cells == lc.TREASURE).nonzero())]
        self.collected = set()
        self.rockets = []
        self.cooldown = 0.0
        self.faults = []
        self.frames = 0
        self.submerged = 0.0

    def frame(self, left=False, right=False, space=False):
        p, s = self.player, self.s
        p.input(left, right, space, mv.DT)
        p.step(self.grid, mv.DT)
        self.rockets = [r for r in self.rockets if not r.step(self.grid, p, mv.DT)]
        self.cooldown -= mv.DT
        self.frames += 1
        px, py = p.x / s, p.y / s
        for i, (tx, ty) in enumerate(self.treasures):
            if abs(px - tx) < 16 and abs(py - ty) < 16:
                self.collected.add(i)
        if self.faults:
            return  # the first fault ends the route; keep its report short
        sides = (p.above, p.right, p.below, p.left)
        if mv.LAVA in sides:
            self.faults.append(f"touched lava at {px:.0f}, {py:.0f}")
        self.submerged = self.submerged + mv.DT if p.above == mv.WATER else 0.0
        if self.submerged >= DROWN_SECONDS:
            self.faults.append(f"drowning at {px:.0f}, {py:.0f}")
        if py < 0:
            self.faults.append("fell out of the world")

    def settle(self):
        """Waits until the player stands still: a jump adds to the vertical
        speed, so one taken while still landing falls short."""
        grounded = 0
        for _ in range(STEP_LIMIT):
            if grounded >= 10 and abs(self.player.vx) <= 2 * self.s:
                return
            self.frame()
            grounded = grounded + 1 if self.player.on_ground() else 0

    def fire(self, dx, dy):
        self.settle()
        while self.cooldown > 0:
            self.frame()
        self.rockets.append(mv.Rocket(self.player, dx, dy, self.s))
        self.cooldown = 1.0

    def step(self, action):
        kind = action[0]
        p = self.player
        start = self.frames
        def timed_out():
            if self.frames - start > STEP_LIMIT:
                self.faults.append(f"{action} did not finish; stuck at {p.x / self.s:.0f}, {p.y / self.s:.0f}")
                return True
            return False
        if kind in ("right", "left"):
            right = kind == "right"
            while (p.x / self.s < action[1]) if right else (p.x / self.s > action[1]):
                self.frame(left=not right, right=right)
                if timed_out():
                    return
        elif kind in ("jump_right", "jump_left"):
            right = kind == "jump_right"
            self.frame(left=not right, right=right)  # a fresh press: Space up for one frame
            braking = False
            while True:
                past = (p.x / self.s >= action[1]) if right else (p.x / self.s <= action[1])
                braking = braking or past
                moving_on = (p.vx > 0) if right else (p.vx < 0)
                steer = (not braking) or moving_on
                self.frame(left=steer and (right == braking), right=steer and (right != braking), space=True)
                if braking and p.on_ground() and self.frames - start > 10:
                    break
                if timed_out():
                    return
        elif kind in ("hop_right", "hop_left"):
            # run up to a face, let the run die out, edge closer in short
            # steps, then jump steering over it
            right = kind == "hop_right"
            sign = 1 if right else -1
            def short_of(distance):
                return sign * (action[1] - distance * sign - p.x / self.s) > 0
            while short_of(HOP_RUN_UP):
                self.frame(left=not right, right=right)
                if timed_out():
                    return
            while short_of(HOP_TAKE_OFF):
                for _ in range(3):
                    self.frame(left=not right, right=right)
                for _ in range(12):
                    self.frame()
                if timed_out():
                    return
            self.settle()
            self.step(("jump_" + ("right" if right else "left"), action[1] + sign * 10))
        elif kind == "walk":
            # to column x and stop there: run, coast, then short steps
            self.settle()
            sign = 1 if action[1] > p.x / self.s else -1
            while sign * (action[1] - p.x / self.s) > 40:
                self.frame(left=sign < 0, right=sign > 0)
                if timed_out():
                    return
            self.settle()
            while sign * (action[1] - p.x / self.s) > 4:
                for _ in range(3):
                    self.frame(left=sign < 0, right=sign > 0)
                for _ in range(12):
                    self.frame()
                if timed_out():
                    return
            self.settle()
        elif kind in ("leap_right", "leap_left"):
            # from a ledge's end: edge up to column from_x in short steps, stand
            # still, then jump steering across and land past column to_x
            right = kind == "leap_right"
            sign = 1 if right else -1
            self.settle()
            while sign * (action[1] - p.x / self.s) > 0:
                for _ in range(3):
                    self.frame(left=not right, right=right)
                for _ in range(12):
                    self.frame()
                if timed_out():
                    return
            self.settle()
            self.step(("jump_" + ("right" if right else "left"), action[2]))
        elif kind == "jump":
            self.frame()
            for _ in range(action[1]):
                self.frame(space=True)
        elif kind == "wait":
            for _ in range(action[1]):
                self.frame()
        elif kind == "fire":
            self.fire(action[1], action[2])
            while self.rockets:
                self.frame()
                if timed_out():
                    return
        elif kind == "rocket_jump":
            while self.cooldown > 0:
                self.frame()
            self.frame()
            self.rockets.append(mv.Rocket(p, 0, -1, self.s))
            self.cooldown = 1.0
            drift = action[1]
            for _ in range(240):
                self.frame(left=drift < 0, right=drift > 0, space=True)
                if self.frames - start > 30 and p.on_ground():
                    break
        else:
            raise ValueError(f"unknown route step {action}")


def play(module, s):
    return play_level(build_levels.build(module), ROUTES[module], s)


def play_level(level, route, s):
    """Faults of one route on one level (empty when it collects every
    treasure safely) and the seconds it took."""
    run = Run(level, s)
    for action in route:
        run.step(action)
        if run.faults:
            break
    missing = [run.treasures[i] for i in range(len(run.treasures)) if i not in run.collected]
    faults = list(run.faults)
    if missing:
        faults.append(f"treasure not reached: {missing}")
    return faults, run.frames * mv.DT


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cell-size", type=float, action="append")
    parser.add_argument("modules", nargs="*")
    args = parser.parse_args()
    failed = False
    for s in args.cell_size or [3.0, 5.0]:
        for module in args.modules or ROUTES:
            faults, seconds = play(module, s)
            status = "ok" if not faults else "FAIL: " + "; ".join(faults)
            print(f"S={s:g} {module}: {seconds:.1f} s {status}")
            failed |= bool(faults)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
