"""Level 17: a fortress half buried in the dunes, taken from below.

Dunes have drifted against the curtain wall, over its gate and up to its
battlements, where a gunner keeps watch beside a tower with a treasure on
top: the way in is under his sight, up the drift or through the sand that
chokes the gate. In the
courtyard two brutes wander among the drifts. The keep beyond is sealed in
obsidian: its door is half choked with sand, its hall low and dark, a gunner
inside, and its upper storey reached only through the hall's roof, where a
well choked with sand sits on a stone plug. Shot away, the plug lets the
well pour down into the hall in a heap, and the emptied well is the way up:
climbed from the heap by rocket jump, into the upper room where two bats
guard the last treasure. A rifle on the keep's roof watches the courtyard.
"""
from dune_shapes import battlements, dune, hollow, perch, sand_sea, well
from level_canvas import BAT, GUNNER, HEALTH, MELEE, OBSIDIAN, PLAYER, RIFLE, SAND, STONE, TREASURE, Level
from level_shapes import round_off, stand_flat, weather

FLOOR = 40
WALL = (300, 350)      # the curtain wall, its top at WALL_TOP
WALL_TOP = 210
KEEP = (800, 1148)     # the keep's obsidian shell
HALL_ROOF = 140        # underside of the hall's roof
UPPER = 204            # the upper room's floor
KEEP_TOP = 330
WELL = 900             # the sand-choked well between the hall and the upper room


def build():
    lv = Level(1152, 648)
    lv.frame()
    lv.ground([(0, FLOOR + 8), (140, FLOOR), (1152, FLOOR)])
    # the curtain wall: stone round an obsidian core, its gate at the foot
    x0, x1 = WALL
    lv.rect(x0, FLOOR - 4, x1, WALL_TOP, STONE)
    lv.rect(x0 + 16, FLOOR - 4, x1 - 16, WALL_TOP - 10, OBSIDIAN)
    battlements(lv, x0 - 4, x0 + 12, WALL_TOP, merlon=6, gap=4, rise=10)
    battlements(lv, x1 - 12, x1 + 4, WALL_TOP, merlon=6, gap=4, rise=10)
    lv.clear(x0, FLOOR, x1, FLOOR + 26)
    # a tower on the wall's outer corner, solid, crowned
    lv.rect(x0 - 30, FLOOR, x0, WALL_TOP + 40, STONE)
    lv.rect(x0 - 34, WALL_TOP + 34, x0 + 2, WALL_TOP + 40, STONE)
    # the keep: an obsidian shell, its hall, the roof with its funnel, the upper room
    k0, k1 = KEEP
    lv.rect(k0, FLOOR - 4, k1, KEEP_TOP, STONE)
    # obsidian round the rooms and in the door's jambs: no rocket makes another way in
    lv.rect(k0 + 4, FLOOR - 4, k1 - 4, HALL_ROOF + 10, OBSIDIAN)
    lv.rect(k0 + 4, UPPER - 10, 1074, KEEP_TOP - 4, OBSIDIAN)
    lv.clear(k0 + 14, FLOOR, k1 - 14, HALL_ROOF)                 # the hall
    lv.clear(k0, FLOOR, k0 + 14, FLOOR + 28)                     # its door
    lv.clear(k0 + 14, UPPER, 1060, KEEP_TOP - 14)                # the upper room
    box = well(lv, WELL, HALL_ROOF, UPPER, 24, plug=4)
    # the keep's crown: battlements with a rifle's post, a corner tower
    battlements(lv, k0, 890, KEEP_TOP, merlon=10, gap=10, rise=10)
    battlements(lv, 930, k1 - 60, KEEP_TOP, merlon=10, gap=10, rise=10)
    lv.rect(k1 - 60, KEEP_TOP, k1, KEEP_TOP + 70, STONE)
    battlements(lv, k1 - 64, k1, KEEP_TOP + 70, merlon=8, gap=6, rise=8)
    # the gate choked with sand
    lv.rect(x0, FLOOR, x1, FLOOR + 26, SAND)
    round_off(lv, 4, 4, 1148, 648)
    weather(lv, 4, FLOOR + 4, WALL[0] - 30, 648, 171)
    # the dunes: outside, drifted over the gate and up the wall; the courtyard's drifts
    sand_sea(lv, 40, 240, 172, below=200, length=(110, 150), height=(16, 30))
    dune(lv, 180, x0, x0 - 8, 110, 173, below=WALL_TOP, lee=0.9)
    dune(lv, x0, x1 + 40, x1 + 10, 40, 174, below=WALL_TOP - 20, slip=1)
    sand_sea(lv, x1 + 50, k0 - 10, 175, below=200, length=(130, 180), height=(12, 26))
    dune(lv, k0 - 120, k0, k0 - 1, 40, 176, below=200)
    dune(lv, 960, k1 - 14, 1060, 26, 177, below=HALL_ROOF - 2, slip=-1)
    # the keep's roof half buried: drifts between the merlons, east of the rifle's post
    dune(lv, 940, k1 - 60, 1040, 18, 178, below=KEEP_TOP + 30)
    hollow(lv, 40, below=200, half=14)
    stand_flat(lv, PLAYER, 40, below=200)
    lv.place(BAT, 150, 150)
    lv.place(BAT, 240, 190)
    perch(lv, TREASURE, 200, below=200)
    stand_flat(lv, TREASURE, x0 - 16, below=WALL_TOP + 60)
    stand_flat(lv, GUNNER, x0 + 25, below=WALL_TOP + 30)
    hollow(lv, 470, below=200)
    stand_flat(lv, MELEE, 470, below=200)
    perch(lv, TREASURE, 560, below=200)
    hollow(lv, 680, below=200)
    stand_flat(lv, MELEE, 680, below=200)
    perch(lv, HEALTH, 380, below=200)
    hollow(lv, 1110, below=HALL_ROOF)
    stand_flat(lv, GUNNER, 1110, below=HALL_ROOF)
    perch(lv, TREASURE, 1010, below=HALL_ROOF)
    stand_flat(lv, HEALTH, 860, below=HALL_ROOF)
    stand_flat(lv, RIFLE, 910, below=KEEP_TOP + 20)
    lv.place(BAT, 1030, UPPER + 60)
    lv.place(BAT, 960, UPPER + 70)
    stand_flat(lv, TREASURE, 1000, below=KEEP_TOP - 20)
    x0b, y0b, x1b, y1b = box
    lv.set_piece(x0b, y0b, x1b, y1b, 700, "the sand-choked well drops through the hall's roof")
    return lv
