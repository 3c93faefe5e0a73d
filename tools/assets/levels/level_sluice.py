"""Level 10: pulling the plug under your own feet.

The start is a closed gallery whose one way on is a standpipe: a masonry
shaft full to the brim, with a treasure on its floor. The player dives for
it and is caught, for no jump made under water climbs those walls; the
floor of the shaft is a stone plug in dressed grey, and a rocket at the
feet blows it out. The whole column of water falls with the player onto
the lava pool in the hall below, steams and crusts it to land on. From the
hall a cascade of stepped basins goes down to a brute on the far bank; two
rocket jumps climb to the aqueduct, and the player walks it back over the
works, in cover of its valve house from the rifle beyond, to a last rocket
jump into the valve gallery, which leads back to the standpipe's side.
"""
from level_canvas import BAT, HEALTH, LAVA, MELEE, OBSIDIAN, PLAYER, RIFLE, STONE, TREASURE, WATER, Level
from flood_shapes import basin_flight, plug, tank

START = 520
PIPE_X0, PIPE_X1, PIPE_FLOOR = 210, 246, 406  # the standpipe's inside
HALL_FLOOR = 250  # the lava hall under it: the rim of its lava basin
CROWN = 330  # the aqueduct's deck
BANK = 160
VALVE = 420  # the valve gallery's floor: one rocket jump over the deck


def build():
    lv = Level(1152, 648)
    lv.frame()
    # the rock: the closed start gallery, the hall's roof, the works east of it
    lv.ground([(0, 648), (1148, 648)], STONE)
    lv.clear(4, START, 300, 600)
    lv.clear(600, CROWN, 1148, 648)
    # the standpipe, full, on its stone plug
    tank(lv, PIPE_X0, PIPE_X1, PIPE_FLOOR, START, START - 10)
    plug(lv, PIPE_X0, PIPE_FLOOR - 16, PIPE_X1, PIPE_FLOOR)
    lv.rect(PIPE_X0 - 4, PIPE_FLOOR - 20, PIPE_X0, PIPE_FLOOR, OBSIDIAN)
    lv.rect(PIPE_X1, PIPE_FLOOR - 20, PIPE_X1 + 4, PIPE_FLOOR, OBSIDIAN)
    # the hall and its lava floor
    lv.clear(100, HALL_FLOOR, 600, PIPE_FLOOR - 20)
    lv.rect(100, HALL_FLOOR - 4, 600, HALL_FLOOR, OBSIDIAN)
    tank(lv, 150, 330, HALL_FLOOR - 24, HALL_FLOOR, HALL_FLOOR - 6, liquid=LAVA)
    # the hall's east end walled up to the deck: the aqueduct is reached from its far end only
    lv.rect(570, CROWN - 12, 600, PIPE_FLOOR - 20, OBSIDIAN)
    # the cascade of stepped basins down to the bank
    end, _ = basin_flight(lv, 600, HALL_FLOOR, 80, 30, 3, lip=10)
    lv.clear(end, BANK, 1148, CROWN)
    lv.rect(end, BANK - 4, 1148, BANK, OBSIDIAN)
    # the far bank: a pad, a ledge with a pad of its own, and the aqueduct's end over it
    lv.rect(1064, BANK, 1148, 240, STONE)
    lv.rect(1064, 236, 1110, 240, OBSIDIAN)
    # the aqueduct back over the works: a channel of shallow water behind the valve house
    lv.rect(600, CROWN - 12, 1060, CROWN, OBSIDIAN)
    for x in (680, 840, 1000):  # arches hanging under the deck
        lv.rect(x - 6, CROWN - 40, x + 6, CROWN, OBSIDIAN)
    lv.rect(860, CROWN, 884, CROWN + 22, OBSIDIAN)
    lv.rect(1052, CROWN, 1060, CROWN + 8, OBSIDIAN)
    lv.pour(884, 1052, CROWN, 5, WATER)
    # the valve gallery in the rock face over the deck's west end, back to the standpipe's side
    lv.rect(262, VALVE - 4, 600, VALVE, OBSIDIAN)
    lv.clear(262, VALVE, 600, VALVE + 50)
    lv.stand(PLAYER, 40, below=START + 40)
    lv.stand(HEALTH, 120, below=START + 40)
    lv.stand(TREASURE, (PIPE_X0 + PIPE_X1) // 2, below=PIPE_FLOOR + 20)
    lv.stand(TREASURE, 720, below=HALL_FLOOR)
    lv.stand(MELEE, 1000, below=200)
    lv.stand(TREASURE, 1130, below=300)
    lv.stand(HEALTH, 940, below=200)
    lv.stand(RIFLE, 700)
    lv.stand(TREASURE, 620)
    lv.stand(TREASURE, 280, below=VALVE + 40)
    lv.place(BAT, 740, 280)
    lv.place(BAT, 900, 230)
    lv.set_piece(PIPE_X0, PIPE_FLOOR, PIPE_X1, START, 1600, "the standpipe empties onto the lava under it")
    return lv
