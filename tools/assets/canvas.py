"""Small drawing helpers shared by the picture generators.

Everything draws with palette colours onto RGBA PIL images; nothing here
anti-aliases, so every picture stays crisp pixel art when scaled with
nearest filtering.
"""
from pathlib import Path

from PIL import Image

import pixelfont
from palette import BY_CHAR, CLEAR, P, colour

ART = Path(__file__).resolve().parent / "art"


def new(width, height, fill=CLEAR):
    return Image.new("RGBA", (width, height), fill)


def rect(image, x, y, w, h, fill):
    """Filled rectangle; fill may carry alpha and replaces what is under it."""
    if w <= 0 or h <= 0:
        return
    image.paste(Image.new("RGBA", (w, h), fill), (x, y))


def _darker(rgba, amount):
    """The palette colour nearest to rgba darkened by amount (0..1)."""
    target = [v * (1 - amount) for v in rgba[:3]]
    choices = [v for v in BY_CHAR.values() if v[3] == 255]
    return min(choices, key=lambda p: sum((a - b) ** 2 for a, b in zip(p, target)))


def shade_rect(image, x, y, w, h, amount=0.6):
    """Darkens a region by swapping each colour for a darker palette colour,
    so shaded areas stay within the palette (unlike alpha blending)."""
    cache = {}
    pixels = image.load()
    for yy in range(y, y + h):
        for xx in range(x, x + w):
            p = pixels[xx, yy]
            if p[3] == 0:
                continue
            if p not in cache:
                cache[p] = _darker(p, amount)[:3] + (p[3],)
            pixels[xx, yy] = cache[p]


def outline(image, x, y, w, h, ink):
    rect(image, x, y, w, 1, ink)
    rect(image, x, y + h - 1, w, 1, ink)
    rect(image, x, y, 1, h, ink)
    rect(image, x + w - 1, y, 1, h, ink)


def bevel_box(image, x, y, w, h, face, light, shade, edge=P.ink):
    """A raised box: dark edge with cut corners, a lit top-left and a shaded bottom-right."""
    rect(image, x + 1, y, w - 2, h, edge)
    rect(image, x, y + 1, w, h - 2, edge)
    rect(image, x + 1, y + 1, w - 2, h - 2, face)
    rect(image, x + 1, y + 1, w - 2, 1, light)
    rect(image, x + 1, y + 1, 1, h - 2, light)
    rect(image, x + 1, y + h - 2, w - 2, 1, shade)
    rect(image, x + w - 2, y + 1, 1, h - 2, shade)


def text(image, x, y, string, ink, scale=1, shadow=None):
    if shadow is not None:
        drop = max(1, scale // 2)
        pixelfont.draw_text(image, x + drop, y + drop, string, shadow, scale)
    pixelfont.draw_text(image, x, y, string, ink, scale)


def text_centred(image, cx, y, string, ink, scale=1, shadow=None):
    x = cx - (pixelfont.text_width(string) * scale) // 2
    text(image, x, y, string, ink, scale, shadow)


def text_width(string, scale=1):
    return pixelfont.text_width(string) * scale


def load_grids(name):
    """Frames of a text-grid art file art/<name>.txt.

    Frames are blocks of rows separated by blank lines; '# ' starts a comment.
    Every character is a palette entry ('.' is transparent).
    """
    frames, rows = [], []
    lines = (ART / f"{name}.txt").read_text(encoding="ascii").splitlines()
    for number, raw in enumerate(lines + [""], 1):
        line = raw.rstrip()
        if line.startswith("# "):
            continue
        if not line:
            if rows:
                frames.append(grid_image(rows, f"{name}.txt near line {number}"))
                rows = []
            continue
        rows.append(line)
    return frames


def grid_image(rows, where="grid"):
    width = len(rows[0])
    if any(len(r) != width for r in rows):
        raise ValueError(f"{where}: ragged rows")
    image = new(width, len(rows))
    for y, row in enumerate(rows):
        for x, char in enumerate(row):
            if char not in BY_CHAR:
                raise ValueError(f"{where}: {char!r} is not in the palette")
            image.putpixel((x, y), BY_CHAR[char])
    return image


def sheet(frames):
    """Frames side by side, the layout the game's sprite sheets use."""
    w, h = frames[0].size
    if any(f.size != (w, h) for f in frames):
        raise ValueError("sheet frames differ in size")
    out = new(w * len(frames), h)
    for i, frame in enumerate(frames):
        out.paste(frame, (i * w, 0))
    return out


def recolour(image, mapping):
    """Swaps palette colours: mapping from colour to colour."""
    out = image.copy()
    pixels = out.load()
    for y in range(out.height):
        for x in range(out.width):
            if pixels[x, y] in mapping:
                pixels[x, y] = mapping[pixels[x, y]]
    return out


def scale(image, factor):
    return image.resize((image.width * factor, image.height * factor), Image.NEAREST)


def outline_shape(image, ink=P.ink):
    """Adds a one-pixel outline around every opaque shape of the image."""
    out = image.copy()
    src, dst = image.load(), out.load()
    for y in range(image.height):
        for x in range(image.width):
            if src[x, y][3]:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if 0 <= nx < image.width and 0 <= ny < image.height and src[nx, ny][3]:
                    dst[x, y] = ink
                    break
    return out


__all__ = ["new", "rect", "outline", "bevel_box", "text", "text_centred",
           "text_width", "shade_rect", "load_grids", "grid_image", "sheet", "recolour", "scale",
           "outline_shape", "P", "colour", "CLEAR"]
