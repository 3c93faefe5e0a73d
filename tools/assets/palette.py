"""The game's palette, read once from art/palette.txt."""
from pathlib import Path

PALETTE_FILE = Path(__file__).resolve().parent / "art" / "palette.txt"
CLEAR = (0, 0, 0, 0)


def parse(text):
    by_char, by_name = {".": CLEAR}, {}
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        char, name, value = line.split()
        if len(char) != 1 or char in by_char or name in by_name:
            raise ValueError(f"palette line {number}: {raw!r}")
        rgb = tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))
        by_char[char] = rgb + (255,)
        by_name[name] = rgb + (255,)
    return by_char, by_name


BY_CHAR, BY_NAME = parse(PALETTE_FILE.read_text(encoding="ascii"))


def colour(name, alpha=255):
    r, g, b, _ = BY_NAME[name]
    return (r, g, b, alpha)


class Colours:
    """Palette entries as attributes: P.sand, P.ink, ..."""

    def __getattr__(self, name):
        try:
            return BY_NAME[name]
        except KeyError:
            raise AttributeError(name) from None


P = Colours()
