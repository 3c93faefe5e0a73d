#!/usr/bin/env python3
"""Prints the project's test-to-code ratio in non-blank lines.

Tests are everything under tests/; code is the game, its libraries and its
tools (C++ and the Python asset generators). Benchmarks count as neither.
Exits 1 when the ratio is above the limit given with --max.
"""
import argparse
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
CODE_DIRS = ["app", "audio", "game", "render", "screens", "world", "tools"]
SUFFIXES = {".cpp", ".h", ".py"}


def count_lines(directory):
    by_language = {"C++": 0, "Python": 0}
    for path in sorted((ROOT / directory).rglob("*")):
        if path.suffix not in SUFFIXES or not path.is_file():
            continue
        lines = sum(1 for line in path.read_text(encoding="utf-8").splitlines() if line.strip())
        by_language["Python" if path.suffix == ".py" else "C++"] += lines
    return by_language


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--max", type=float, help="fail when the ratio is above this")
    args = parser.parse_args()

    tests = count_lines("tests")
    code = {"C++": 0, "Python": 0}
    for directory in CODE_DIRS:
        for language, n in count_lines(directory).items():
            code[language] += n
    for language in code:
        print(f"{language:7s} tests {tests[language]:6d}  code {code[language]:6d}  "
              f"ratio {tests[language] / max(code[language], 1):.2f}")
    ratio = sum(tests.values()) / max(sum(code.values()), 1)
    print(f"all     tests {sum(tests.values()):6d}  code {sum(code.values()):6d}  ratio {ratio:.2f}")
    if args.max is not None and ratio > args.max:
        print(f"test/code ratio {ratio:.2f} is above {args.max}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
