#!/usr/bin/python3
"""Checks the game's sound files: present, decodable, audible, unclipped, loop seams, music
tempo and length, and that regenerating them reproduces the same audio.

Run from the repository root: test_sounds.py Files | test_sounds.py Regenerate"""
import os
import re
import sys
import tempfile
import unittest

import numpy as np
import soundfile as sf

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
GEN_DIR = os.path.join(REPO, "tools", "assets", "sound")
sys.path.insert(0, GEN_DIR)

import music  # noqa: E402
from manifest import SOUNDS, SAMPLE_RATE  # noqa: E402

CODE_DIRS = ["app", "game", "screens", "audio"]
PATH_RE = re.compile(r'"(Assets//(?:SFX|BGM)//[^"]+)"')

# The game's sound table: the level's twenty sounds plus the main menu's explosion.
GAME_SOUNDS = {
    "Assets//SFX//" + n for n in (
        "EnemyAlert.ogg", "EnemyHurt.ogg", "EnemyJump.ogg", "EnemyStep.ogg", "Explosion.ogg",
        "Healing.ogg", "LavaHit.ogg", "MachineGun.ogg", "PlayerDefeated.ogg", "PlayerHurt.ogg",
        "PlayerJump.ogg", "PlayerStep.ogg", "Ricochet.ogg", "Rifle.ogg", "RocketLaunch.ogg",
        "Treasure.ogg", "WaterSplash.ogg", "Whoosh.ogg", "Explosion.mp3")
} | {"Assets//BGM//Alert.ogg", "Assets//BGM//Explore.ogg"}

POSITIONAL_GAIN = 2.0   # the loudest gain the game gives a positional effect
HOP = 256
BAR = SAMPLE_RATE * 240 // music.BPM    # four beats
MIN_LOOP_SECONDS = 120  # shorter, and a player hears the same few bars over and over
MUSIC = ["Assets//BGM//Explore.ogg", "Assets//BGM//Alert.ogg"]


def code_sound_paths(repo=REPO):
    found = {}
    for d in CODE_DIRS:
        for root, _, files in os.walk(os.path.join(repo, d)):
            for f in files:
                if f.endswith((".cpp", ".h", ".hpp", ".cc")):
                    p = os.path.join(root, f)
                    with open(p, encoding="utf-8", errors="replace") as fh:
                        for m in PATH_RE.finditer(fh.read()):
                            found.setdefault(m.group(1), os.path.relpath(p, repo))
    return found


def read(path):
    x, sr = sf.read(path, always_2d=True, dtype="float64")
    return x, sr


def loudest_window_rms(x, seconds=0.05):
    m = x.mean(axis=1)
    w = min(len(m), int(seconds * SAMPLE_RATE))
    c = np.concatenate([[0.0], np.cumsum(m ** 2)])
    return float(np.sqrt(((c[w:] - c[:-w]) / w).max()))


def block_rms(x, seconds=0.1):
    m = x.mean(axis=1)
    w = int(seconds * SAMPLE_RATE)
    k = len(m) // w
    return np.sqrt((m[:k * w].reshape(k, w) ** 2).mean(axis=1))


def seam_is_smooth(x):
    """The jump from the last sample to the first is no bigger than the file's own
    99th-percentile sample-to-sample step, in every channel."""
    jump = np.abs(x[0] - x[-1])
    typical = np.percentile(np.abs(np.diff(x, axis=0)), 99, axis=0)
    return bool(np.all(jump <= typical)), jump, typical


def level_step(x, at, seconds=0.2):
    """Ratio of the louder to the quieter of the RMS levels just before and just after a sample
    position, wrapping around the loop."""
    w = int(seconds * SAMPLE_RATE)
    before = np.take(x, np.arange(at - w, at), axis=0, mode="wrap")
    after = np.take(x, np.arange(at, at + w), axis=0, mode="wrap")
    a, b = np.sqrt(np.mean(before ** 2)), np.sqrt(np.mean(after ** 2))
    return max(a, b) / min(a, b)


def onset_strength(x):
    """Positive spectral flux per hop of HOP samples."""
    m = x.mean(axis=1)
    n = 1024
    frames = np.lib.stride_tricks.sliding_window_view(np.concatenate([m, m[:n]]), n)[::HOP]
    mag = np.log1p(100 * np.abs(np.fft.rfft(frames * np.hanning(n), axis=1)))
    flux = np.maximum(np.diff(mag, axis=0, prepend=mag[-1:]), 0).sum(axis=1)
    # Frame i is centred at i*HOP + n/2; shift so index i means sample i*HOP.
    return np.roll(flux, n // 2 // HOP)


def grid_contrast(x, step):
    """Mean onset strength on a grid of `step` samples from sample 0, over the mean half a step
    off it: well above 1 when the notes fall on that grid."""
    flux = onset_strength(x)
    frames = len(flux)

    def mean_at(offset):
        pos = np.round((np.arange(0, len(x), step) + offset) / HOP).astype(int) % frames
        return np.mean(np.maximum(flux[pos], np.maximum(flux[(pos + 1) % frames], flux[pos - 1])))

    return mean_at(0) / mean_at(step / 2)


def bars_of(x):
    m = x.mean(axis=1)
    return m[:len(m) // BAR * BAR].reshape(-1, BAR)


def bar_levels(x):
    """Per bar, the level in dB of 16 log-spaced bands in each of its sixteenth notes."""
    seg = bars_of(x).reshape(-1, 16, BAR // 16)
    power = np.abs(np.fft.rfft(seg * np.hanning(BAR // 16), axis=2)) ** 2
    edges = np.searchsorted(np.fft.rfftfreq(BAR // 16, 1 / SAMPLE_RATE), np.geomspace(50, 12000, 17))
    return 10 * np.log10(np.add.reduceat(power, edges, axis=2)[:, :, :-1] + 1e-9)


def bar_chroma(x):
    """Per bar, the spectrum from 80 Hz to 2 kHz gathered into the twelve pitch classes, centred
    and normalised so that a dot product is a correlation."""
    spec = np.abs(np.fft.rfft(bars_of(x), axis=1))
    f = np.fft.rfftfreq(BAR, 1 / SAMPLE_RATE)
    keep = (f > 80) & (f < 2000)
    pitch_class = np.round(12 * np.log2(f[keep] / 440)).astype(int) % 12
    c = np.stack([np.bincount(pitch_class, weights=s[keep], minlength=12) for s in spec])
    c -= c.mean(axis=1, keepdims=True)
    return c / np.linalg.norm(c, axis=1, keepdims=True)


def longest_run(flags):
    """Most True flags in a row in a loop that repeats forever."""
    run = best = 0
    for flag in np.concatenate([flags, flags]):
        run = run + 1 if flag else 0
        best = max(best, run)
    return best if best < 2 * len(flags) else np.inf


class Files(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.audio = {}
        for s in SOUNDS:
            p = os.path.join(REPO, s.path)
            if os.path.exists(p):
                cls.audio[s.game_path] = read(p)
        cls.music_rms = np.mean([np.sqrt(np.mean(cls.audio[s.game_path][0] ** 2))
                                 for s in SOUNDS if s.kind == "music" and s.game_path in cls.audio])

    def test_manifest_matches_the_games_sound_table(self):
        self.assertEqual({s.game_path for s in SOUNDS}, GAME_SOUNDS)

    def test_every_sound_named_in_code_is_made_and_present(self):
        for path, where in code_sound_paths().items():
            with self.subTest(path=path, named_in=where):
                self.assertIn(path, GAME_SOUNDS, "code names a sound the generator does not make")
                self.assertTrue(os.path.isfile(os.path.join(REPO, path.replace("//", "/"))))

    def test_code_path_collector_finds_literals(self):
        with tempfile.TemporaryDirectory() as tmp:
            os.makedirs(os.path.join(tmp, "game"))
            with open(os.path.join(tmp, "game", "x.cpp"), "w") as f:
                f.write('Load("Assets//SFX//Rifle.ogg"); Play("Assets//BGM//Alert.ogg");\n'
                        'Tex("Assets//Sprites//Bullet.png");\n')
            self.assertEqual(set(code_sound_paths(tmp)), {"Assets//SFX//Rifle.ogg", "Assets//BGM//Alert.ogg"})

    def test_files_exist_with_their_format_and_channels(self):
        for s in SOUNDS:
            with self.subTest(sound=s.path):
                self.assertIn(s.game_path, self.audio, "missing file")
                info = sf.info(os.path.join(REPO, s.path))
                self.assertEqual(info.format, "MP3" if s.path.endswith(".mp3") else "OGG")
                x, sr = self.audio[s.game_path]
                self.assertEqual(sr, SAMPLE_RATE)
                self.assertEqual(x.shape[1], s.channels)
                self.assertGreater(len(x), 0.05 * sr)

    def test_not_silent_and_audible_next_to_the_music(self):
        self.assertGreater(self.music_rms, 0.01)
        for s in SOUNDS:
            with self.subTest(sound=s.path):
                x, _ = self.audio[s.game_path]
                self.assertGreater(np.sqrt(np.mean(x ** 2)), 0.005)
                if s.kind == "sfx":
                    # Its loudest 50 ms must at least match the music's average level.
                    self.assertGreaterEqual(loudest_window_rms(x), self.music_rms)

    def test_no_clipping(self):
        for s in SOUNDS:
            with self.subTest(sound=s.path):
                x, _ = self.audio[s.game_path]
                peak = np.max(np.abs(x))
                self.assertLess(peak, 1.0)
                if s.kind == "sfx":
                    # Headroom for the game's positional gain, allowing for codec overshoot.
                    self.assertLess(peak * POSITIONAL_GAIN, 1.25)

    def test_one_shots_end_in_silence(self):
        for s in SOUNDS:
            if s.loop:
                continue
            with self.subTest(sound=s.path):
                x, _ = self.audio[s.game_path]
                tail = x[-int(0.005 * SAMPLE_RATE):]
                self.assertLess(np.max(np.abs(tail)), 0.01, "cut off while still sounding")

    def test_loops_join_without_a_click(self):
        for s in SOUNDS:
            if not s.loop:
                continue
            with self.subTest(sound=s.path):
                x, _ = self.audio[s.game_path]
                ok, jump, typical = seam_is_smooth(x)
                self.assertTrue(ok, f"jump {jump} over typical step {typical}")
                # The level changes across the seam no more than across any bar line (or, for
                # the wind, any quarter second) inside the loop: nothing fades at the ends.
                period = SAMPLE_RATE * 240 // music.BPM if s.kind == "music" else SAMPLE_RATE // 4
                inner = [level_step(x, p) for p in range(period, len(x) - period + 1, period)]
                self.assertLessEqual(level_step(x, 0), 1.1 * max(inner))

    def test_seam_check_catches_a_bad_cut(self):
        # Cutting the music at arbitrary points must look like a click to the seam check.
        x, _ = self.audio["Assets//BGM//Explore.ogg"]
        cuts = [int(len(x) * f) for f in (0.13, 0.29, 0.41, 0.57, 0.66, 0.78, 0.91)]
        caught = sum(not seam_is_smooth(x[:c])[0] for c in cuts)
        self.assertGreaterEqual(caught, 5)

    def test_music_loops_share_length_and_tempo(self):
        beat = SAMPLE_RATE * 60 / music.BPM
        lengths = [len(self.audio[p][0]) for p in MUSIC]
        self.assertEqual(lengths[0], lengths[1])
        self.assertGreaterEqual(lengths[0] / SAMPLE_RATE, MIN_LOOP_SECONDS)
        self.assertEqual(lengths[0] % BAR, 0, "not a whole number of bars")
        for s in SOUNDS:
            if s.kind != "music":
                continue
            with self.subTest(sound=s.path):
                x, _ = self.audio[s.game_path]
                # Notes start on the sixteenth-note grid of the shared tempo, counted from
                # sample 0, so the two loops stay in step through a cross-fade ...
                self.assertGreater(grid_contrast(x, beat / 4), 2.0)
                # ... and a nearby tempo does not fit.
                self.assertGreater(grid_contrast(x, beat / 4), 1.5 * grid_contrast(x, beat / 4 * 1.06))

    def test_music_does_not_come_back_within_two_minutes(self):
        # At no shift of a whole number of bars below two minutes does a minute of bars in a row
        # sound like (within 3 dB on average) the bars that much later, the loop played over and over.
        for path in MUSIC:
            levels = bar_levels(self.audio[path][0])
            runs = {shift: longest_run(np.abs(levels - np.roll(levels, -shift, axis=0)).mean(axis=(1, 2)) < 3)
                    for shift in range(1, int(np.ceil(MIN_LOOP_SECONDS * SAMPLE_RATE / BAR)))}
            self.assertEqual({k: v for k, v in runs.items() if v * BAR >= 60 * SAMPLE_RATE}, {},
                             f"{path}: shift: bars in a row that sound alike (inf: all)")

    def test_music_loops_play_the_same_chord_at_the_same_time(self):
        corr = np.sum(bar_chroma(self.audio[MUSIC[0]][0]) * bar_chroma(self.audio[MUSIC[1]][0]), axis=1)
        self.assertEqual({b: round(c, 2) for b, c in enumerate(corr) if c < 0.5}, {}, "bar: pitch class correlation")

    def test_music_loops_differ(self):
        a = block_rms(self.audio["Assets//BGM//Explore.ogg"][0])
        b = block_rms(self.audio["Assets//BGM//Alert.ogg"][0])
        self.assertGreater(np.mean(np.abs(a - b)) / np.mean(a), 0.1)


class Regenerate(unittest.TestCase):
    def test_regenerating_reproduces_the_audio(self):
        import generate_sounds
        with tempfile.TemporaryDirectory() as tmp:
            for s in SOUNDS:
                with self.subTest(sound=s.path):
                    fresh = generate_sounds.render(s)
                    if s.kind == "sfx":
                        # Effects go through the encoder too; the long music loops are compared
                        # as rendered, to keep this test quick.
                        generate_sounds.encode(os.path.join(tmp, s.path), fresh, generate_sounds.SFX_COMPRESSION)
                        new, _ = read(os.path.join(tmp, s.path))
                    else:
                        new = fresh.reshape(len(fresh), -1)
                    old, _ = read(os.path.join(REPO, s.path))
                    self.assertEqual(new.shape[1], old.shape[1])
                    slack = 2304 if s.path.endswith(".mp3") else 0
                    self.assertLessEqual(abs(len(old) - len(new)), slack)
                    rms_old, rms_new = np.sqrt(np.mean(old ** 2)), np.sqrt(np.mean(new ** 2))
                    self.assertAlmostEqual(rms_new / rms_old, 1.0, delta=0.03)
                    a, b = block_rms(old, 0.02), block_rms(new, 0.02)
                    k = min(len(a), len(b))
                    self.assertLess(np.max(np.abs(a[:k] - b[:k])), 0.1 * np.max(a) + 1e-4)


if __name__ == "__main__":
    unittest.main()
