"""The two music loops. They share key, sections, chords, tempo and length so the game can
cross-fade between them at any moment, and every note tail, echo and reverb wraps around the
loop end."""
from collections import namedtuple

import numpy as np

from dsp import (SR, n_samples, env_ad, env_adsr, fft_filter, lowpass_resp, highpass_resp,
                 bandpass_resp, soft_clip, midi_hz, taper)

BPM = 100
BEATS_PER_BAR = 4
BEAT = SR * 60 // BPM                     # 26460 samples: a whole number, so the grid never drifts
BAR = BEATS_PER_BAR * BEAT
SIXTEENTH = BEAT // 4
RMS_TARGET = 0.06                         # both loops equally loud, so the cross-fade keeps the level

# (bass root, chord tones around middle C)
CHORDS = {
    "Am": (45, [57, 60, 64]), "F": (41, [57, 60, 65]), "C": (48, [55, 60, 64]), "G": (43, [55, 59, 62]),
    "Dm": (38, [57, 62, 65]), "E": (40, [56, 59, 64]), "Em": (40, [55, 59, 64]),
}

# (section, bars per chord, chords). Every section ends on E, which resolves into the next
# section's A minor or F; the last E leads back to the top of the loop. Both loops play these
# sections at the same bars, so a cross-fade never changes the harmony.
SECTIONS = [
    ("intro", 2, "Am F Dm E"),
    ("theme", 2, "Am F C G Am F Dm E"),
    ("variation", 2, "F G Em Am Dm G C E"),
    ("breakdown", 2, "Am Dm F E"),
    ("return", 1, "Am F C G Am F Dm E"),      # the theme's chords at twice the pace: the finale
]

Span = namedtuple("Span", "bar bars section root tones")


def lay_out_spans():
    spans, bar = [], 0
    for section, per, names in SECTIONS:
        for name in names.split():
            spans.append(Span(bar, per, section, *CHORDS[name]))
            bar += per
    return spans


SPANS = lay_out_spans()
BARS = sum(s.bars for s in SPANS)         # 56 bars
LENGTH = BARS * BAR                       # 134.4 s
SPAN_OF_BAR = [s for s in SPANS for _ in range(s.bars)]
SECTION_START = {s.section: s.bar for s in reversed(SPANS)}


def chord_at(bar):
    s = SPAN_OF_BAR[bar % BARS]
    return s.root, s.tones


def bars():
    """(bar, section, bar within the section, root, chord tones) for every bar of the loop."""
    for b, s in enumerate(SPAN_OF_BAR):
        yield b, s.section, b - SECTION_START[s.section], s.root, s.tones


# Tunes as (bar, beat, note, length in beats) from the start of the section, two bars per chord.
CALL = [  # over Am F C G
    (0, 0, 69, 1), (0, 1, 72, 1), (0, 2, 76, 2), (1, 0, 81, 2), (1, 2, 76, 2),
    (2, 0, 77, 1), (2, 1, 76, 1), (2, 2, 72, 2), (3, 0, 69, 4),
    (4, 0, 72, 1), (4, 1, 76, 1), (4, 2, 79, 2), (5, 0, 84, 2), (5, 2, 79, 2),
    (6, 0, 79, 1), (6, 1, 74, 1), (6, 2, 71, 2), (7, 0, 74, 4)]
ANSWER = [  # over Am F Dm E, A minor pentatonic
    (0, 0, 76, 2), (0, 2, 72, 1), (0, 3, 74, 1), (1, 0, 76, 2), (1, 2, 81, 2),
    (2, 0, 79, 2), (2, 2, 76, 2), (3, 0, 72, 4),
    (4, 0, 76, 2), (4, 2, 79, 1), (4, 3, 81, 1), (5, 0, 84, 3), (5, 3, 81, 1),
    (6, 0, 80, 2), (6, 2, 76, 2), (7, 0, 71, 2), (7, 2, 76, 2)]
WANDER = [  # over the variation's F G Em Am Dm G C E, dotted like a folk tune
    (0, 0, 72, 1.5), (0, 1.5, 69, 0.5), (0, 2, 72, 1), (0, 3, 77, 1), (1, 0, 76, 2), (1, 2, 72, 2),
    (2, 0, 74, 1.5), (2, 1.5, 71, 0.5), (2, 2, 74, 1), (2, 3, 79, 1), (3, 0, 74, 2), (3, 2, 71, 2),
    (4, 0, 71, 1.5), (4, 1.5, 67, 0.5), (4, 2, 71, 1), (4, 3, 76, 1), (5, 0, 79, 3), (5, 3, 76, 1),
    (6, 0, 76, 2), (6, 2, 72, 1), (6, 3, 69, 1), (7, 0, 72, 4),
    (8, 0, 74, 1.5), (8, 1.5, 69, 0.5), (8, 2, 74, 1), (8, 3, 77, 1), (9, 0, 81, 2), (9, 2, 77, 2),
    (10, 0, 79, 1.5), (10, 1.5, 74, 0.5), (10, 2, 71, 1), (10, 3, 74, 1), (11, 0, 79, 4),
    (12, 0, 76, 1.5), (12, 1.5, 72, 0.5), (12, 2, 76, 1), (12, 3, 79, 1), (13, 0, 84, 2), (13, 2, 79, 2),
    (14, 0, 80, 2), (14, 2, 76, 1), (14, 3, 71, 1), (15, 0, 76, 2), (15, 2, 68, 2)]


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


def play_tune(mix, tune, bar, voice, pan, gain, pace=1):
    """Plays a tune from a bar; pace 2 fits its two bars per chord into one."""
    for b, beat, m, beats in tune:
        mix.add(at(bar, (b * BEATS_PER_BAR + beat) / pace), voice(m, beats / pace), pan, gain)


def bell_note(m, beats):
    return bell(m, beats * 60 / BPM + 1.5)


def soft_lead(m, beats):
    """A breathy held voice for the variation's tune: softer than the bells, so the section
    sounds new without getting louder."""
    held = beats * 60 / BPM
    n = n_samples(held + 0.4)
    f = float(midi_hz(m))
    return (wt(f, n, SOFT) + 0.5 * wt(f * 2 ** (7 / 1200), n, SOFT, 1000)) * env_adsr(n, 0.04, 0.3, 0.7, 0.12, 0.9 * held)


# ---- arrangements --------------------------------------------------------------------------

ARP_STEP = {"intro": 2.0, "theme": 1.0, "variation": 0.5, "return": 0.5}   # beats between notes


def explore(rng):
    """Calm. Intro: pad, long bass notes and a slow arpeggio. Theme: the bells' call and answer
    over a quarter-note arpeggio, soft kick and shaker. Variation: a softer voice's tune over a
    quicker arpeggio. Breakdown: pad and high bells only. Return: the theme at twice the pace."""
    pad, arp, dry = Mix(), Mix(), Mix()
    for s in SPANS:
        explore_pad(pad, s, rng)
    shk, soft_kick = shaker(rng), kick(0.0)
    for b, section, i, root, tones in bars():
        explore_bass(dry, b, section, i, root)
        explore_arpeggio(arp, b, section, i, tones)
        explore_percussion(dry, b, section, i, shk, soft_kick)
    explore_tunes(arp, pad)
    out = circular_reverb(pad.buf + circular_delay(arp.buf, 3 * SIXTEENTH, 0.35), rng, 2.2, 0.7, 0.45)
    out += circular_reverb(dry.buf, rng, 1.0, 0.25, 0.15)
    return finish(out)


def explore_pad(pad, s, rng):
    open_voicing = s.section == "breakdown"     # higher and hollower where the rhythm drops out
    voices = s.tones + [s.tones[0] + 12] + ([s.tones[2] + 12] if open_voicing else [])
    for m in voices:
        l, r = pad_voice(m, s.bars * BAR, 1.6, rng, HOLLOW if open_voicing else SOFT, 1.2 if open_voicing else 0.7)
        pad.add(at(s.bar), l, -0.6, 0.10)
        pad.add(at(s.bar), r, 0.6, 0.10)


def explore_bass(dry, b, section, i, root):
    if section == "intro" or (section == "breakdown" and i == 6):
        if i % 2 == 0:                          # one long note per chord; in the breakdown only the E
            dry.add(at(b), pure_bass(root, 7.5), 0, 0.3)
    elif section == "variation":
        dry.add(at(b), pure_bass(root, 1.5), 0, 0.35)
        dry.add(at(b, 1.5), pure_bass(root, 1.0), 0, 0.25)
        dry.add(at(b, 3), pure_bass(root + 7, 1.0), 0, 0.22)
    elif section != "breakdown":
        dry.add(at(b), pure_bass(root, 3.2), 0, 0.35)
        dry.add(at(b, 3), pure_bass(root + 7, 1.0), 0, 0.22)


def explore_arpeggio(arp, b, section, i, tones):
    if section not in ARP_STEP or (section == "intro" and i < 2):
        return
    notes = [tones[0] + 12, tones[1] + 12, tones[2] + 12, tones[0] + 24]
    shape = [0, 2, 1, 3, 1, 2, 3, 2] if section == "variation" else [0, 1, 2, 3, 2, 1, 2, 3]
    step = ARP_STEP[section]
    for j in range(int(BEATS_PER_BAR / step)):
        arp.add(at(b, j * step), pluck(notes[shape[j % 8]], 1.2, 0.35, MELLOW), -0.35 if j % 2 else 0.35, 0.16)


def explore_percussion(dry, b, section, i, shk, soft_kick):
    if section == "breakdown" or (section == "intro" and i < 4):
        return
    if section != "intro":
        dry.add(at(b), soft_kick, 0, 0.35)
    if section in ("variation", "return"):
        dry.add(at(b, 2.5 if section == "variation" else 2), soft_kick, 0, 0.25)
    for e in range(8):
        dry.add(at(b, e * 0.5), shk, 0.4, 0.05 if e % 2 == 0 else 0.09)


def explore_tunes(arp, pad):
    theme, ret = SECTION_START["theme"], SECTION_START["return"]
    play_tune(arp, CALL, theme, bell_note, 0.15, 0.16)
    play_tune(arp, ANSWER, theme + 8, bell_note, 0.15, 0.22)
    play_tune(pad, WANDER, SECTION_START["variation"], soft_lead, -0.15, 0.2)
    play_tune(arp, CALL, ret, bell_note, 0.15, 0.2, pace=2)
    play_tune(arp, ANSWER, ret + 4, bell_note, 0.15, 0.2, pace=2)
    for b, section, i, root, tones in bars():
        if section == "breakdown":              # two high chord tones a bar, far apart in the stereo field
            arp.add(at(b), bell(tones[i % 3] + 24, 3.0), 0.3, 0.1)
            arp.add(at(b, 2.5), bell(tones[(i + 1) % 3] + 24, 2.5), -0.3, 0.08)


def pure_bass(m, beats):
    n = n_samples(beats * 60 / BPM)
    f = float(midi_hz(m))
    env = env_adsr(n, 0.02, 0.4, 0.6, 0.06, n / SR - 0.25)
    return wt(f, n, PURE) * env


# Alert bass patterns: semitones above the root per sixteenth, None for a rest.
OSTINATO = [0, 0, 12, 0, 0, 12, 0, 7, 0, 0, 12, 0, 0, 12, 7, 12]
SYNCOPATED = [0, None, 12, 0, None, 7, 12, None, 0, None, 12, 0, 7, None, 12, 7]
PULSE = [0, None, 12, None] * 4
STABS_AT = {"theme": (0, 3, 6, 10, 12), "return": (0, 3, 6, 10, 12), "variation": (2, 6, 10, 14)}  # sixteenths
Kit = namedtuple("Kit", "kick snare hats open_hat crash")


def alert(rng):
    """Tense, on the same sections. Intro: kick, hats and an eighth-note bass pulse. Theme: snare,
    a sixteenth bass ostinato, syncopated stabs, octave pulses on top. Variation: a syncopated bass,
    off-beat stabs and open hats, and an E-F half-step on top against every chord. Breakdown: no
    kick, a held bass and a snare roll building back. Return: everything, at the doubled chord pace."""
    drums, bass, stabs, top, pad = Mix(), Mix(), Mix(), Mix(), Mix()
    kit = Kit(kick(), snare(rng), [hat(rng, 0.018), hat(rng, 0.03)], hat(rng, 0.12), crash(rng))
    for b, section, i, root, tones in bars():
        alert_drums(drums, kit, b, section, i)
        alert_bass(bass, b, section, i, root)
        alert_stabs(stabs, b, section, tones)
        alert_top(top, b, section, i, tones)
    for s in SPANS:
        # The whole chord, quietly, so the harmony is as plain as in the exploration loop.
        for m, gain in [(s.tones[0] - 12, 0.12)] + [(m, 0.12 if s.section == "breakdown" else 0.07) for m in s.tones]:
            l, r = pad_voice(m, s.bars * BAR, 1.0, rng, HOLLOW, 0.3)
            pad.add(at(s.bar), l, -0.5, gain)
            pad.add(at(s.bar), r, 0.5, gain)
    out = drums.buf + bass.buf + circular_reverb(stabs.buf + top.buf + pad.buf, rng, 1.5, 0.4, 0.35)
    out = circular_reverb(out, rng, 0.8, 0.15, 0.08, 300)
    return finish(out)


def alert_drums(drums, kit, b, section, i):
    if section != "breakdown":
        for beat in range(BEATS_PER_BAR):
            drums.add(at(b, beat), kit.kick, 0, 0.5)
        if b % 2 and section != "intro":
            drums.add(at(b, 3.5), kit.kick, 0, 0.35)
    if section not in ("intro", "breakdown"):
        for beat in (1, 3):
            drums.add(at(b, beat), kit.snare, 0.05, 0.7)
        if section == "variation":
            drums.add(at(b, 3.75), kit.snare, 0.05, 0.3)
    step = 0.5 if section == "intro" and i < 4 else 0.25
    for x in range(int(BEATS_PER_BAR / step)):
        accent = x * step % 1 == 0.5
        quiet = 0.5 if section == "breakdown" else 1.0
        drums.add(at(b, x * step), kit.hats[accent], 0.3, (0.18 if accent else 0.1) * quiet)
    if section in ("variation", "return"):
        for beat in (0.5, 1.5, 2.5, 3.5):
            drums.add(at(b, beat), kit.open_hat, -0.2, 0.08)
    elif b % 4 == 3:
        drums.add(at(b, 3.5), kit.open_hat, 0.3, 0.15)
    if section == "breakdown" and i >= 4:
        snare_roll(drums, kit, b, i - 4)
    if (i == 0 and section != "breakdown") or (section == "return" and i == 4):
        drums.add(at(b), kit.crash, -0.3, 0.2)
    if i % 8 == 7 and section != "breakdown":
        for x, m in enumerate([50, 47, 45, 43]):
            drums.add(at(b, 3 + x / 4), tom(m), 0.4 - 0.25 * x, 0.6)


def snare_roll(drums, kit, b, k):
    """The breakdown's last four bars: quarters, quarters, eighths, sixteenths, ever louder."""
    step = [1.0, 1.0, 0.5, 0.25][k]
    for x in range(int(BEATS_PER_BAR / step)):
        progress = (k + x * step / BEATS_PER_BAR) / 4
        drums.add(at(b, x * step), kit.snare, 0.05, 0.15 + 0.45 * progress)


def bass_note(m, n, decay=0.06):
    f = float(midi_hz(m))
    return (0.8 * wt(f, n, BRIGHT) + 0.5 * wt(f / 2, n, PURE)) * env_ad(n, 0.002, decay)


def alert_bass(bass, b, section, i, root):
    base = root if root >= 40 else root + 12
    if section == "breakdown" and i < 6:
        if i % 2 == 0:                          # one held note per chord until the roll brings the pulse back
            bass.add(at(b), bass_note(base, 2 * BAR, 1.5), 0, 0.3)
        return
    pattern = {"intro": PULSE, "variation": SYNCOPATED}.get(section, OSTINATO)
    for x, d in enumerate(pattern):
        if d is not None:
            bass.add(at(b, x / 4), bass_note(base + d, SIXTEENTH), 0, 0.35)


def alert_stabs(stabs, b, section, tones):
    n = n_samples(0.22)
    env = env_ad(n, 0.003, 0.07)
    for x in STABS_AT.get(section, ()):
        for j, m in enumerate(tones):
            stabs.add(at(b, x / 4), wt(float(midi_hz(m)), n, BRIGHT, 1000 * j) * env, (j - 1) * 0.5, 0.2)


def alert_top(top, b, section, i, tones):
    """Octave pulses on the root; the E-F half-step against every chord winds the tension up."""
    if section == "breakdown":
        for beat in range(BEATS_PER_BAR):
            top.add(at(b, beat), pluck(76, 0.4, 0.6, HOLLOW, HOLLOW), 0.2, 0.08)
        return
    if section == "intro" and i < 4:
        return
    half_step = section == "variation" or (section == "return" and i >= 4)
    for e in range(8):
        m = (76 if e % 2 == 0 else 77) if half_step else tones[0] + (12 if e % 2 == 0 else 24)
        top.add(at(b, e * 0.5), pluck(m, 0.4, 0.6, HOLLOW, HOLLOW), 0.45 if e % 2 else -0.45, 0.12)


def finish(x):
    # Sub-audible rumble only eats headroom.
    x = fft_filter(x, highpass_resp(28, 2))
    rms = np.sqrt(np.mean(x ** 2))
    return x * (RMS_TARGET / rms)
