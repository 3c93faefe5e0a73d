"""The two music loops. They share key, chords, tempo and length so the game can cross-fade
between them at any moment, and every note tail, echo and reverb wraps around the loop end."""
import numpy as np

from dsp import (SR, n_samples, env_ad, env_adsr, fft_filter, lowpass_resp, highpass_resp,
                 bandpass_resp, soft_clip, midi_hz, taper)

BPM = 100
BARS = 16
BEATS_PER_BAR = 4
BEAT = SR * 60 // BPM                     # 26460 samples: a whole number, so the grid never drifts
LENGTH = BARS * BEATS_PER_BAR * BEAT      # 38.4 s
SIXTEENTH = BEAT // 4
RMS_TARGET = 0.06                         # both loops equally loud, so the cross-fade keeps the level

# (root, chord tones) per two bars: Am F C G Am F Dm E, the E leading back to the top of the loop.
CHORDS = [
    (45, [57, 60, 64]), (41, [57, 60, 65]), (48, [55, 60, 64]), (43, [55, 59, 62]),
    (45, [57, 60, 64]), (41, [57, 60, 65]), (38, [57, 62, 65]), (40, [56, 59, 64]),
]
BARS_PER_CHORD = 2


def chord_at(bar):
    return CHORDS[(bar // BARS_PER_CHORD) % len(CHORDS)]


def table(partials, size=4096):
    ph = 2 * np.pi * np.arange(size) / size
    w = sum(a * np.sin(k * ph) for k, a in partials)
    return w / np.max(np.abs(w))


SOFT = table([(k, 1 / k ** 1.6) for k in range(1, 11)])
BRIGHT = table([(k, 1 / k) for k in range(1, 31)])
MELLOW = table([(k, 1 / k ** 1.3) for k in range(1, 21)])   # few enough partials for A5 plucks
HOLLOW = table([(k, 1 / k ** 1.2) for k in range(1, 16, 2)])
PURE = table([(1, 1.0), (2, 0.25)])


def wt(freq, n, tab, phase0=0.0):
    """Wavetable oscillator: one table lookup per sample, cheap for long notes."""
    size = len(tab)                       # a power of two: the phase wraps by masking
    inc = int(round(freq * size / SR * (1 << 24)))
    ph = int(phase0 * (1 << 24)) + np.arange(n, dtype=np.int64) * inc
    i = (ph >> 24) & (size - 1)
    frac = (ph & 0xFFFFFF) * (1.0 / (1 << 24))
    return tab[i] + (tab[(i + 1) & (size - 1)] - tab[i]) * frac


class Mix:
    def __init__(self):
        self.buf = np.zeros((LENGTH, 2))

    def add(self, start, sig, pan=0.0, gain=1.0):
        """Add a mono signal at a sample position, wrapping its tail to the loop start."""
        a = (pan + 1) * np.pi / 4
        gl, gr = np.cos(a) * np.sqrt(2) * gain, np.sin(a) * np.sqrt(2) * gain
        sig = taper(sig)
        start %= LENGTH
        pos = 0
        while pos < len(sig):
            take = min(len(sig) - pos, LENGTH - start)
            self.buf[start:start + take, 0] += sig[pos:pos + take] * gl
            self.buf[start:start + take, 1] += sig[pos:pos + take] * gr
            pos += take
            start = 0

    def add_stereo(self, other, gain=1.0):
        self.buf += other * gain


def circular_reverb(x, rng, seconds=1.8, tau=0.5, wet=0.25, hp=200):
    """Convolution with a decaying noise tail, computed circularly so the tail wraps."""
    n = n_samples(seconds)
    t = np.arange(n) / SR
    out = np.empty_like(x)
    for ch in range(2):
        ir = rng.standard_normal(n) * np.exp(-t / tau)
        ir = fft_filter(ir, lambda f: lowpass_resp(5000, 1)(f) * highpass_resp(hp, 1)(f))
        ir /= np.sqrt(np.sum(ir ** 2))
        irl = np.zeros(LENGTH)
        irl[:n] = ir
        out[:, ch] = np.fft.irfft(np.fft.rfft(x[:, ch]) * np.fft.rfft(irl), LENGTH)
    return x + wet * out


def circular_delay(x, delay, feedback, taps=4, pingpong=True):
    out = x.copy()
    g = 1.0
    for i in range(1, taps + 1):
        g *= feedback
        echo = np.roll(x, delay * i, axis=0)
        if pingpong and i % 2:
            echo = echo[:, ::-1]
        out += g * echo
    return out


# ---- instruments ---------------------------------------------------------------------------

def pad_voice(m, n, release, rng, tab=SOFT, attack=0.7):
    f = float(midi_hz(m))
    env = env_adsr(n + n_samples(release), attack, 1.0, 0.8, release / 3, n / SR)
    k = len(env)
    left = sum(wt(f * 2 ** (c / 1200), k, tab, rng.random() * 4096) for c in (-6, 4)) / 2
    right = sum(wt(f * 2 ** (c / 1200), k, tab, rng.random() * 4096) for c in (-4, 7)) / 2
    return left * env, right * env


def pluck(m, dur, bright=1.0, tab_hi=BRIGHT, tab_lo=PURE):
    n = n_samples(dur)
    f = float(midi_hz(m))
    return (bright * wt(f, n, tab_hi) * env_ad(n, 0.002, 0.05) + wt(f, n, tab_lo) * env_ad(n, 0.003, dur * 0.35))


def bell(m, dur, index=2.0):
    n = n_samples(dur)
    t = np.arange(n) / SR
    f = float(midi_hz(m))
    mod = index * np.exp(-t / 0.3) * np.sin(2 * np.pi * f * 3.5 * t)
    return np.sin(2 * np.pi * f * t + mod) * env_ad(n, 0.004, dur * 0.3)


def kick(gain_click=0.3):
    n = n_samples(0.4)
    t = np.arange(n) / SR
    f = 52 + 110 * np.exp(-t / 0.03)
    body = np.sin(2 * np.pi * np.cumsum(f) / SR) * env_ad(n, 0.001, 0.14)
    click = np.sin(2 * np.pi * 1800 * t) * env_ad(n, 0.0003, 0.003)
    return soft_clip(body + gain_click * click, 1.5)


def snare(rng):
    n = n_samples(0.3)
    t = np.arange(n) / SR
    tone = np.sin(2 * np.pi * (185 + 40 * np.exp(-t / 0.01)) * t) * env_ad(n, 0.001, 0.05)
    rattle = fft_filter(rng.standard_normal(n), bandpass_resp(4000, 0.7)) * env_ad(n, 0.001, 0.09)
    return 0.6 * tone + 0.8 * rattle / np.max(np.abs(rattle))


def hat(rng, decay):
    n = n_samples(decay * 6)
    x = fft_filter(rng.standard_normal(n), highpass_resp(7000, 3)) * env_ad(n, 0.0005, decay)
    return x / np.max(np.abs(x))


def shaker(rng):
    n = n_samples(0.09)
    x = fft_filter(rng.standard_normal(n), bandpass_resp(6500, 1.2)) * env_ad(n, 0.012, 0.025)
    return x / np.max(np.abs(x))


def tom(m):
    n = n_samples(0.45)
    t = np.arange(n) / SR
    f = float(midi_hz(m)) * (1 + 0.5 * np.exp(-t / 0.02))
    return np.sin(2 * np.pi * np.cumsum(f) / SR) * env_ad(n, 0.001, 0.15)


def crash(rng):
    n = n_samples(2.5)
    x = fft_filter(rng.standard_normal(n), highpass_resp(3500, 2)) * env_ad(n, 0.002, 0.7)
    return x / np.max(np.abs(x))


def at(bar, beat=0.0):
    return int(round((bar * BEATS_PER_BAR + beat) * BEAT))


# ---- arrangements --------------------------------------------------------------------------

def explore(rng):
    """Calm: warm pad, soft arpeggio with echoes, a bell tune, a gentle shaker pulse."""
    pad, arp, dry = Mix(), Mix(), Mix()
    chord_len = BARS_PER_CHORD * BEATS_PER_BAR * BEAT
    for i, (root, tones) in enumerate(CHORDS):
        start = i * chord_len
        for m in tones + [tones[0] + 12]:
            l, r = pad_voice(m, chord_len, 1.6, rng)
            pad.add(start, l, -0.6, 0.10)
            pad.add(start, r, 0.6, 0.10)
        for bar in range(BARS_PER_CHORD):
            b = i * BARS_PER_CHORD + bar
            dry.add(at(b), pure_bass(root, 3.2), 0, 0.35)
            dry.add(at(b, 3), pure_bass(root + 7, 1.0), 0, 0.22)
    # Arpeggio: quarters in the first half, eighths in the second.
    shape = [0, 1, 2, 3, 2, 1, 2, 3]
    for b in range(BARS):
        root, tones = chord_at(b)
        notes = [tones[0] + 12, tones[1] + 12, tones[2] + 12, tones[0] + 24]
        step = 1.0 if b < BARS // 2 else 0.5
        for j in range(int(BEATS_PER_BAR / step)):
            m = notes[shape[j % len(shape)]]
            arp.add(at(b, j * step), pluck(m, 1.2, 0.35, MELLOW), -0.35 if j % 2 else 0.35, 0.16)
    # Bell tune over the second half, A minor pentatonic: (bar, beat, note, length in beats).
    tune = [(8, 0, 76, 2), (8, 2, 72, 1), (8, 3, 74, 1), (9, 0, 76, 2), (9, 2, 81, 2),
            (10, 0, 79, 2), (10, 2, 76, 2), (11, 0, 72, 4),
            (12, 0, 76, 2), (12, 2, 79, 1), (12, 3, 81, 1), (13, 0, 84, 3), (13, 3, 81, 1),
            (14, 0, 80, 2), (14, 2, 76, 2), (15, 0, 71, 2), (15, 2, 76, 2)]
    for bar, beat, m, length in tune:
        arp.add(at(bar, beat), bell(m, length * 60 / BPM + 1.5), 0.15, 0.22)
    shk = shaker(rng)
    soft_kick = kick(0.0)
    for b in range(BARS):
        dry.add(at(b), soft_kick, 0, 0.35)
        for e in range(8):
            dry.add(at(b, e * 0.5), shk, 0.4, 0.05 if e % 2 == 0 else 0.09)
    out = circular_reverb(pad.buf + circular_delay(arp.buf, 3 * SIXTEENTH, 0.35), rng, 2.2, 0.7, 0.45)
    out += circular_reverb(dry.buf, rng, 1.0, 0.25, 0.15)
    return finish(out)


def pure_bass(m, beats):
    n = n_samples(beats * 60 / BPM)
    f = float(midi_hz(m))
    env = env_adsr(n, 0.02, 0.4, 0.6, 0.06, n / SR - 0.25)
    return wt(f, n, PURE) * env


def alert(rng):
    """Tense: four-on-the-floor drums, a sixteenth-note bass ostinato, syncopated stabs and a
    half-step ostinato on top, over the same chords as the exploration loop."""
    drums, bass, stabs, top, pad = Mix(), Mix(), Mix(), Mix(), Mix()
    k, s = kick(), snare(rng)
    hats = [hat(rng, 0.018), hat(rng, 0.03)]
    open_hat = hat(rng, 0.12)
    for b in range(BARS):
        root, tones = chord_at(b)
        for beat in range(BEATS_PER_BAR):
            drums.add(at(b, beat), k, 0, 0.5)
            if beat % 2:
                drums.add(at(b, beat), s, 0.05, 0.7)
        if b % 2:
            drums.add(at(b, 3.5), k, 0, 0.35)
        for x in range(16):
            accent = x % 4 == 2
            drums.add(at(b, x / 4), hats[accent], 0.3, 0.18 if accent else 0.1)
        if b % 4 == 3:
            drums.add(at(b, 3.5), open_hat, 0.3, 0.15)
        # Bass: sixteenths on the root with octave and fifth jumps.
        pattern = [0, 0, 12, 0, 0, 12, 0, 7, 0, 0, 12, 0, 0, 12, 7, 12]
        base = root if root >= 40 else root + 12
        for x, d in enumerate(pattern):
            note = base + d
            n = SIXTEENTH
            f = float(midi_hz(note))
            env = env_ad(n, 0.002, 0.06)
            bass.add(at(b, x / 4), (0.8 * wt(f, n, BRIGHT) + 0.5 * wt(f / 2, n, PURE)) * env, 0, 0.35)
        # Stabs on syncopated sixteenths.
        for x in (0, 3, 6, 10, 12):
            dur = 0.22
            n = n_samples(dur)
            env = env_ad(n, 0.003, 0.07)
            for j, m in enumerate(tones):
                stabs.add(at(b, x / 4), wt(float(midi_hz(m)), n, BRIGHT, 1000 * j) * env, (j - 1) * 0.5, 0.2)
        # Top line: octave pulses on the root, then in the second half an E-F half-step
        # against every chord to wind the tension up.
        for e in range(8):
            if b < BARS // 2:
                m = tones[0] + (12 if e % 2 == 0 else 24)
            else:
                m = 76 if e % 2 == 0 else 77
            top.add(at(b, e * 0.5), pluck(m, 0.4, 0.6, HOLLOW, HOLLOW), 0.45 if e % 2 else -0.45, 0.12)
    for i, (root, tones) in enumerate(CHORDS):
        l, r = pad_voice(tones[0] - 12, BARS_PER_CHORD * BEATS_PER_BAR * BEAT, 1.0, rng, HOLLOW, 0.3)
        pad.add(i * BARS_PER_CHORD * BEATS_PER_BAR * BEAT, l, -0.5, 0.12)
        pad.add(i * BARS_PER_CHORD * BEATS_PER_BAR * BEAT, r, 0.5, 0.12)
    cr = crash(rng)
    for b in (0, 8):
        drums.add(at(b), cr, -0.3, 0.2)
    for b in (7, 15):
        for x, m in enumerate([50, 47, 45, 43]):
            drums.add(at(b, 3 + x / 4), tom(m), 0.4 - 0.25 * x, 0.6)
    out = drums.buf + bass.buf + circular_reverb(stabs.buf + top.buf + pad.buf, rng, 1.5, 0.4, 0.35)
    out = circular_reverb(out, rng, 0.8, 0.15, 0.08, 300)
    return finish(out)


def finish(x):
    # Sub-audible rumble only eats headroom.
    x = fft_filter(x, highpass_resp(28, 2))
    rms = np.sqrt(np.mean(x ** 2))
    return x * (RMS_TARGET / rms)
