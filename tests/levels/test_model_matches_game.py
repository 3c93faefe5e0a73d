#!/usr/bin/python3
"""The level routes run on the Python movement model; this holds the model to
the game's own movement code, measured by sandrift-measure, so that a change
to the player's physics that would break the levels' numbers is noticed.

    /usr/bin/python3 tests/levels/test_model_matches_game.py PATH/TO/sandrift-measure
"""
import re
import subprocess
import sys
from pathlib import Path

MODEL = Path(__file__).resolve().parents[2] / "tools" / "assets" / "levels" / "movement.py"
TOLERANCE = 0.05      # relative
ABSOLUTE = 1.0        # cells, for the small numbers
NUMBER = re.compile(r"-?\d+(?:\.\d+)?")


def measurements(command):
    """{(cell size line, label): [numbers]} from either program's report."""
    out = subprocess.run(command, capture_output=True, text=True, check=True).stdout
    table, size = {}, None
    for line in out.splitlines():
        if line.startswith("cell size"):
            size = line
            continue
        label, _, values = line.strip().partition(":")
        table[(size, label)] = [float(v) for v in NUMBER.findall(values)]
    return table


def differences(model, game):
    faults = []
    shared = set(model) & set(game)
    if len(shared) < 10 * 3:
        faults.append(f"only {len(shared)} measurements in common: the reports no longer line up")
    for key in sorted(shared, key=str):
        for m, g in zip(model[key], game[key]):
            if abs(m - g) > max(ABSOLUTE, TOLERANCE * abs(g)):
                faults.append(f"{key[0]} {key[1]}: model {model[key]}, game {game[key]}")
                break
    return faults


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    model = measurements([sys.executable, str(MODEL)])
    game = measurements([sys.argv[1]])
    faults = differences(model, game)
    for fault in faults:
        print("FAIL:", fault)
    if not faults:
        print(f"ok: the model matches the game in {len(set(model) & set(game))} measurements")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
