"""One-shot effects and the wind loop. Each recipe takes a seeded Generator and returns mono samples."""
import numpy as np

from dsp import (SR, n_samples, sine, additive, env_ad, fade, fft_filter, lowpass_resp,
                 highpass_resp, bandpass_resp, shaped_noise, soft_clip, midi_hz, phase_of, taper)


def formant_tone(f0, n, formants, harmonics=40, breath=0.0, rng=None):
    """Harmonic source whose partial levels follow vowel-like resonances as the pitch moves."""
    f0 = np.broadcast_to(np.asarray(f0, dtype=np.float64), (n,))
    ph = phase_of(f0)
    out = np.zeros(n)
    for k in range(1, harmonics + 1):
        fk = k * f0
        amp = sum(g * np.exp(-0.5 * (np.log2(np.maximum(fk, 1) / fc) * q) ** 2) for fc, g, q in formants)
        out += amp / k ** 0.5 * np.sin(k * ph) * (fk < 0.45 * SR)
    if breath and rng is not None:
        out += breath * fft_filter(rng.standard_normal(n), bandpass_resp(formants[0][0], 1.5))
    return out


def slow_noise(n, rng, fc):
    """Unit-deviation random wobble below fc Hz."""
    x = fft_filter(rng.standard_normal(n), lowpass_resp(fc, 2))
    return x / np.std(x)


def thump(n, f_start, f_end, tau_f, tau_a):
    t = np.arange(n) / SR
    f = f_end + (f_start - f_end) * np.exp(-t / tau_f)
    return sine(f) * env_ad(n, 0.002, tau_a)


def crackle(n, rng, rate, tau, start=0.0):
    """Sparse decaying clicks: debris, sizzle and splinters."""
    t = np.arange(n) / SR
    density = rate * np.exp(-np.maximum(t - start, 0) / tau) * (t >= start) / SR
    clicks = (rng.random(n) < density) * rng.uniform(-1, 1, n)
    return fft_filter(clicks, highpass_resp(1500, 2))


def explosion(rng, dur=1.8, boom=1.0, bright=5000.0):
    n = n_samples(dur)
    # The body darkens as it decays: cutoff falls from bright to a low rumble.
    body = shaped_noise(n, lambda tt, f: (np.clip(tt / 0.004, 0, 1) * np.exp(-np.maximum(tt, 0) / 0.45))
                        / np.sqrt(1 + (f / (180 + bright * np.exp(-np.maximum(tt, 0) / 0.12))) ** 4), rng)
    rumble = fft_filter(rng.standard_normal(n), lowpass_resp(110, 3)) * env_ad(n, 0.03, 0.7)
    wobble = 1 + 0.3 * slow_noise(n, rng, 6)
    low = thump(n, 120, 45, 0.12, 0.3) * boom
    sig = body / np.std(body[: n_samples(0.3)]) * 0.3 + rumble / np.std(rumble) * 0.3 * np.clip(wobble, 0.3, 2)
    sig += 0.45 * low + 0.5 * crackle(n, rng, 900, 0.25, 0.02)
    return fade(soft_clip(sig, 1.6), 0.0005, 0.2)


def rocket_launch(rng):
    n = n_samples(0.9)
    t = np.arange(n) / SR
    pop = thump(n, 160, 60, 0.03, 0.06) + 0.6 * fft_filter(rng.standard_normal(n), lowpass_resp(3000)) * env_ad(n, 0.001, 0.015)
    # A rising band of noise reads as the rocket leaving the tube.
    whoosh = shaped_noise(n, lambda tt, f: np.exp(-0.5 * (np.log2(np.maximum(f, 1) / (500 + 2200 * np.clip(tt / 0.5, 0, 1))) * 1.3) ** 2)
                          * np.clip(tt / 0.06, 0, 1) * np.exp(-np.maximum(tt - 0.1, 0) / 0.28), rng)
    hiss = fft_filter(rng.standard_normal(n), highpass_resp(4000)) * env_ad(n, 0.01, 0.25)
    flame = sine(70 + 30 * t) * env_ad(n, 0.02, 0.2) * (1 + 0.5 * np.sin(2 * np.pi * 35 * t))
    sig = 0.7 * pop + 1.2 * whoosh / np.max(np.abs(whoosh)) + 0.15 * hiss + 0.35 * flame
    return fade(soft_clip(sig, 1.3), 0.0005, 0.1)


def gunshot(rng, dur, crack_tau, body_tau, tail_tau, thump_hz, body_fc, tail_gain):
    n = n_samples(dur)
    noise = rng.standard_normal(n)
    crack = fft_filter(noise, highpass_resp(1800)) * env_ad(n, 0.0003, crack_tau)
    body = fft_filter(rng.standard_normal(n), lowpass_resp(body_fc)) * env_ad(n, 0.001, body_tau)
    tail = fft_filter(rng.standard_normal(n), lowpass_resp(900, 2)) * env_ad(n, 0.01, tail_tau)
    low = thump(n, thump_hz, thump_hz * 0.4, 0.02, body_tau * 0.8)
    sig = 0.9 * crack + 0.9 * body + tail_gain * tail + 0.8 * low
    return fade(soft_clip(sig, 2.5), 0.0002, 0.03)


def rifle(rng):
    return gunshot(rng, 0.55, 0.012, 0.06, 0.16, 170, 2200, 0.35)


def machine_gun(rng):
    # Fired ten times a second: short and light so bursts stay distinct.
    return gunshot(rng, 0.16, 0.006, 0.025, 0.04, 230, 3000, 0.25)


def ricochet(rng):
    n = n_samples(0.5)
    t = np.arange(n) / SR
    hit = fft_filter(rng.standard_normal(n), highpass_resp(1200)) * env_ad(n, 0.0003, 0.006)
    f = 1100 + 1900 * np.exp(-t / 0.09) + 40 * np.sin(2 * np.pi * 23 * t)
    whine = additive(f, n, [(1, 1, 0), (2.01, 0.3, 8), (3.02, 0.15, 15)]) * env_ad(n, 0.004, 0.12)
    grit = crackle(n, rng, 500, 0.08, 0.003)
    sig = 0.8 * hit + 0.6 * whine + 0.4 * grit
    return fade(sig, 0.0002, 0.05)


def enemy_alert(rng):
    # Two rising square blips: the enemy's "!" as it spots the player.
    n = n_samples(0.5)
    t = np.arange(n) / SR
    sq = [(k, 1 / k, 0) for k in range(1, 12, 2)]
    a = additive(880.0, n, sq) * env_ad(n, 0.002, 0.03) * np.clip((0.08 - t) / 0.01, 0, 1)
    f2 = 1320 * (1 + 0.012 * np.sin(2 * np.pi * 14 * t))
    b = np.zeros(n)
    s = n_samples(0.08)
    b[s:] = additive(f2[s:], n - s, sq) * env_ad(n - s, 0.002, 0.14)
    sig = a + b
    sig = fft_filter(sig, lowpass_resp(6000, 1))
    return fade(sig, 0.0005, 0.05)


def hurt(rng, f_start, f_end, dur, formants, grit):
    n = n_samples(dur)
    t = np.arange(n) / SR
    f0 = f_end + (f_start - f_end) * np.exp(-t / (dur * 0.35))
    voice = formant_tone(f0, n, formants, breath=0.3, rng=rng) * env_ad(n, 0.008, dur * 0.3)
    voice *= 1 + grit * np.sin(2 * np.pi * 32 * t)
    smack = fft_filter(rng.standard_normal(n), lowpass_resp(2500)) * env_ad(n, 0.0005, 0.015)
    sig = voice / np.max(np.abs(voice)) + 0.5 * smack
    return fade(soft_clip(sig, 1.5), 0.0005, 0.03)


def player_hurt(rng):
    return hurt(rng, 420, 240, 0.3, [(700, 1.0, 2.5), (1200, 0.6, 3.0)], 0.2)


def enemy_hurt(rng):
    return hurt(rng, 190, 95, 0.38, [(500, 1.0, 2.5), (1000, 0.7, 3.0), (2600, 0.2, 3)], 0.45)


def player_defeated(rng):
    n = n_samples(1.6)
    sig = np.zeros(n)
    tri = [(k, (1 / k ** 2) * (-1) ** ((k - 1) // 2), 0) for k in range(1, 14, 2)]
    # Falling minor line, the last note sliding away.
    for i, m in enumerate([69, 65, 62]):
        s = n_samples(0.16 * i)
        m_n = n_samples(0.2)
        sig[s:s + m_n] += taper(additive(midi_hz(m), m_n, tri) * env_ad(m_n, 0.005, 0.09))
    s = n_samples(0.48)
    m_n = n - s
    tt = np.arange(m_n) / SR
    f = midi_hz(61) * 2 ** (-2.2 * np.clip(tt / 0.9, 0, 1) ** 1.5) * (1 + 0.02 * np.sin(2 * np.pi * 6 * tt))
    sig[s:] += additive(f, m_n, tri) * env_ad(m_n, 0.01, 0.45)
    puff = shaped_noise(n, lambda tt, ff: np.exp(-np.maximum(tt, 0) / 0.25) / np.sqrt(1 + (ff / (300 + 3000 * np.exp(-np.maximum(tt, 0) / 0.1))) ** 4), rng)
    sig = sig + 0.8 * puff / np.max(np.abs(puff)) + 0.6 * thump(n, 120, 40, 0.08, 0.25)
    return fade(soft_clip(sig, 1.2), 0.0005, 0.1)


def jump(rng, f_start, f_end, dur, thud):
    n = n_samples(dur)
    t = np.arange(n) / SR
    f = f_start * (f_end / f_start) ** np.clip(t / (dur * 0.6), 0, 1)
    tone = additive(f, n, [(1, 1, 0), (2, 0.35, 10), (3, 0.2, 20)]) * env_ad(n, 0.004, dur * 0.35)
    air = fft_filter(rng.standard_normal(n), bandpass_resp(1800, 1.2)) * env_ad(n, 0.002, 0.04)
    sig = tone + 0.3 * air + thud * thump(n, 140, 60, 0.02, 0.04)
    return fade(sig, 0.0005, 0.03)


def player_jump(rng):
    return jump(rng, 320, 760, 0.2, 0.3)


def enemy_jump(rng):
    return jump(rng, 140, 330, 0.28, 0.8)


def step(rng, band, tau, low_hz, low_gain, dur):
    n = n_samples(dur)
    scuff = fft_filter(rng.standard_normal(n), bandpass_resp(band, 1.6)) * env_ad(n, 0.001, tau)
    grains = crackle(n, rng, 3000, tau * 1.5)
    scuff /= np.max(np.abs(scuff))
    sig = 0.8 * scuff + 0.3 * grains / max(np.max(np.abs(grains)), 1e-9) + low_gain * thump(n, low_hz, low_hz * 0.6, 0.01, tau * 1.3)
    return fade(sig, 0.0003, 0.01)


def player_step(rng):
    return step(rng, 900, 0.015, 120, 0.4, 0.09)


def enemy_step(rng):
    return step(rng, 500, 0.022, 75, 0.8, 0.14)


def bell_notes(notes, spacing, ring, n, bright=1.0):
    sig = np.zeros(n)
    for i, m in enumerate(notes):
        s = n_samples(spacing * i)
        k = n - s
        f = float(midi_hz(m))
        sig[s:] += additive(f, k, [(1, 1, 0), (2, 0.4 * bright, 6), (3, 0.25 * bright, 10), (4.2, 0.12 * bright, 18)]) * env_ad(k, 0.002, ring)
    return sig


def healing(rng):
    n = n_samples(0.9)
    t = np.arange(n) / SR
    sig = bell_notes([72, 76, 79, 84], 0.07, 0.22, n, 0.6)
    shimmer = sine(2093 * (1 + 0.003 * np.sin(2 * np.pi * 7 * t)), n) * env_ad(n, 0.15, 0.25) * (0.6 + 0.4 * np.sin(2 * np.pi * 11 * t))
    sig = sig + 0.25 * shimmer
    return fade(sig, 0.0005, 0.08)


def treasure(rng):
    # The classic two-step coin chime, with a sparkle on top.
    n = n_samples(0.75)
    sig = bell_notes([83, 88], 0.075, 0.25, n, 1.0)
    sparkle = fft_filter(rng.standard_normal(n), highpass_resp(7000)) * env_ad(n, 0.08, 0.12)
    sparkle *= 0.5 + 0.5 * np.sign(np.sin(2 * np.pi * 30 * np.arange(n) / SR))
    sig = sig + 0.2 * sparkle + 0.3 * bell_notes([95], 0.0, 0.15, n, 0.3)
    return fade(sig, 0.0005, 0.06)


def blips(n, rng, count, lo, hi, start, spread, rise, dur):
    sig = np.zeros(n)
    for _ in range(count):
        s = n_samples(start + rng.random() * spread)
        k = min(n_samples(dur), n - s)
        if k <= 0:
            continue
        tt = np.arange(k) / SR
        f0 = rng.uniform(lo, hi)
        sig[s:s + k] += rng.uniform(0.4, 1.0) * taper(sine(f0 * (1 + rise * tt / dur)) * env_ad(k, 0.002, dur * 0.3))
    return sig


def lava_hit(rng):
    n = n_samples(0.8)
    flutter = np.clip(1 + 0.6 * slow_noise(n, rng, 40), 0, 2)
    sizzle = fft_filter(rng.standard_normal(n), bandpass_resp(5000, 0.8)) * env_ad(n, 0.01, 0.35) * flutter
    bubbles = blips(n, rng, 7, 180, 420, 0.03, 0.5, 1.5, 0.06)
    sig = sizzle / np.max(np.abs(sizzle)) + 0.6 * bubbles + 0.5 * crackle(n, rng, 1500, 0.2)
    return fade(sig, 0.0005, 0.08)


def water_splash(rng):
    n = n_samples(0.7)
    splash = shaped_noise(n, lambda tt, f: np.exp(-0.5 * (np.log2(np.maximum(f, 1) / (900 + 1500 * np.exp(-np.maximum(tt, 0) / 0.1))) * 0.9) ** 2)
                          * np.clip(tt / 0.006, 0, 1) * np.exp(-np.maximum(tt, 0) / 0.13), rng)
    drops = blips(n, rng, 9, 900, 2200, 0.05, 0.45, 0.8, 0.04)
    plop = thump(n, 260, 120, 0.03, 0.05)
    sig = splash / np.max(np.abs(splash)) + 0.35 * drops + 0.5 * plop
    return fade(sig, 0.0005, 0.06)


def wind_loop(rng, dur=4.0):
    """Wind whose noise, gusts and timbre are all periodic in the loop length, so it loops seamlessly."""
    n = n_samples(dur)
    t = np.arange(n) / SR

    def periodic_noise(resp):
        # Filtering in the frequency domain of the whole loop keeps the noise circular.
        return fft_filter(rng.standard_normal(n), resp)

    low = periodic_noise(bandpass_resp(350, 1.1))
    high = periodic_noise(bandpass_resp(1100, 1.4))
    low /= np.std(low)
    high /= np.std(high)
    # Gust envelopes: whole numbers of cycles per loop.
    g1 = 0.65 + 0.25 * np.sin(2 * np.pi * 1 * t / dur + 0.4) + 0.1 * np.sin(2 * np.pi * 3 * t / dur + 1.3)
    g2 = 0.5 + 0.3 * np.sin(2 * np.pi * 2 * t / dur + 2.1) + 0.2 * np.sin(2 * np.pi * 5 * t / dur)
    return g1 * low + 0.6 * np.clip(g2, 0, None) * high
