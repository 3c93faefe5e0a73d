#!/usr/bin/python3
"""Synthesises every sound effect and both music loops of the game into Assets/SFX and Assets/BGM.

Usage: generate_sounds.py [--out ROOT] [--only NAME ...] [--jobs N] [--list]
ROOT defaults to the repository root; NAME is a file name such as Explosion.ogg."""
import argparse
import os
import sys
import zlib
from concurrent.futures import ProcessPoolExecutor

import numpy as np
import soundfile as sf

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import effects  # noqa: E402
import music  # noqa: E402
from dsp import peak_normalise  # noqa: E402
from manifest import SOUNDS, SAMPLE_RATE  # noqa: E402

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))

# libsndfile's compression level (0 best .. 1 smallest): moderate for effects, lower quality
# for the long music loops to keep the repository small.
SFX_COMPRESSION = 0.3
MUSIC_COMPRESSION = 0.9
SFC_SET_COMPRESSION_LEVEL = 0x1301
# libvorbis through libsndfile can overflow its stack when handed minutes of audio in one call.
WRITE_BLOCK = 1 << 16


def explosion_menu(rng):
    # The menu's own take: a slightly deeper boom so it is not the same file re-encoded.
    return effects.explosion(rng, dur=1.6, boom=1.3, bright=3500.0)


def render(sound):
    # Seed from the file name: stable across runs and independent of the order of generation.
    rng = np.random.default_rng(zlib.crc32(sound.path.encode()))
    if sound.kind == "music":
        return getattr(music, sound.recipe)(rng)
    fn = explosion_menu if sound.recipe == "explosion_menu" else getattr(effects, sound.recipe)
    x = fn(rng)
    if sound.loop:
        x = x - x.mean()
    return peak_normalise(x, sound.peak)


def encode(path, data, compression):
    fmt, subtype = ("MP3", "MPEG_LAYER_III") if path.endswith(".mp3") else ("OGG", "VORBIS")
    channels = 1 if data.ndim == 1 else data.shape[1]
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with sf.SoundFile(path, "w", SAMPLE_RATE, channels, subtype, format=fmt) as f:
        try:
            level = sf._ffi.new("double*", compression)
            sf._snd.sf_command(f._file, SFC_SET_COMPRESSION_LEVEL, level, sf._ffi.sizeof("double"))
        except AttributeError:
            pass  # older python-soundfile: libsndfile's default quality
        for start in range(0, len(data), WRITE_BLOCK):
            f.write(data[start:start + WRITE_BLOCK].astype(np.float32))


def same_audio(a, b):
    try:
        x, rx = sf.read(a)
    except (RuntimeError, sf.LibsndfileError):
        return False
    y, ry = sf.read(b)
    return rx == ry and x.shape == y.shape and np.array_equal(x, y)


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=REPO, help="root under which Assets/SFX and Assets/BGM are written")
    ap.add_argument("--only", nargs="*", help="file names to make (default: all)")
    ap.add_argument("--jobs", type=int, default=0, help="processes to use (default: one per CPU)")
    ap.add_argument("--list", action="store_true", help="print the sounds and their events, make nothing")
    args = ap.parse_args(argv)
    chosen = [s for s in SOUNDS if not args.only or os.path.basename(s.path) in args.only]
    if args.only and len(chosen) != len(set(args.only)):
        ap.error("unknown name in --only")
    if args.list:
        for s in chosen:
            print(f"{s.path}\t{s.event}")
        return 0
    # Longest first, spread over processes: each sound has its own seed, so order does not matter.
    chosen.sort(key=lambda s: s.kind != "music")
    jobs = max(1, args.jobs or os.cpu_count() or 1)
    if jobs == 1:
        lines = [make(s, args.out) for s in chosen]
    else:
        with ProcessPoolExecutor(jobs) as pool:
            lines = list(pool.map(make, chosen, [args.out] * len(chosen)))
    print("\n".join(lines))
    return 0


def make(sound, out):
    data = render(sound)
    dest = os.path.join(out, sound.path)
    fresh = dest + ".new" + os.path.splitext(dest)[1]
    encode(fresh, data, MUSIC_COMPRESSION if sound.kind == "music" else SFX_COMPRESSION)
    # Ogg streams get a random serial number, so the bytes change on every run; keep the old
    # file when it decodes to exactly the same samples, so regenerating causes no churn.
    if os.path.exists(dest) and same_audio(dest, fresh):
        os.remove(fresh)
    else:
        os.replace(fresh, dest)
    peak = float(np.max(np.abs(data)))
    return f"{sound.path}: {data.shape[0] / SAMPLE_RATE:.2f} s, peak {peak:.3f}, {os.path.getsize(dest) // 1024} KB"


if __name__ == "__main__":
    sys.exit(main())
