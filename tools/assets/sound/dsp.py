"""Small numpy synthesis toolkit shared by the effect and music generators."""
import numpy as np

SR = 44100


def n_samples(dur, sr=SR):
    return int(round(dur * sr))


def times(dur, sr=SR):
    return np.arange(n_samples(dur, sr)) / sr


def phase_of(freq, sr=SR):
    """Integrated phase (radians) of a frequency that may change per sample."""
    freq = np.asarray(freq, dtype=np.float64)
    return 2 * np.pi * np.cumsum(freq) / sr


def sine(freq, n=None, sr=SR):
    if np.isscalar(freq):
        return np.sin(2 * np.pi * freq * np.arange(n) / sr)
    return np.sin(phase_of(freq, sr))


def additive(freq, n, partials, sr=SR, phase=None):
    """Band-limited harmonic tone: partials is a list of (ratio, amplitude, decay_per_s or 0).

    Partials above Nyquist are muted per sample, so sweeps never alias."""
    freq = np.broadcast_to(np.asarray(freq, dtype=np.float64), (n,))
    ph = phase_of(freq, sr) if phase is None else phase
    t = np.arange(n) / sr
    out = np.zeros(n)
    for ratio, amp, decay in partials:
        part = amp * np.sin(ratio * ph)
        part *= freq * ratio < 0.45 * sr
        if decay:
            part *= np.exp(-decay * t)
        out += part
    return out


def saw(freq, n, harmonics=24, tilt=1.0, sr=SR):
    return additive(freq, n, [(k, 1.0 / k ** tilt, 0) for k in range(1, harmonics + 1)], sr)


def square(freq, n, harmonics=15, tilt=1.0, sr=SR):
    return additive(freq, n, [(k, 1.0 / k ** tilt, 0) for k in range(1, 2 * harmonics, 2)], sr)


def env_ad(n, attack, decay, sr=SR, curve=1.0):
    """Linear attack then exponential decay (time constant `decay` seconds)."""
    t = np.arange(n) / sr
    a = np.clip(t / max(attack, 1e-6), 0, 1)
    d = np.exp(-np.maximum(t - attack, 0) / decay) ** curve
    return a * d


def env_adsr(n, a, d, s, r, hold, sr=SR):
    """Attack, decay to sustain level s, held for `hold` seconds from the start, then release."""
    t = np.arange(n) / sr
    e = np.where(t < a, t / max(a, 1e-6), s + (1 - s) * np.exp(-(t - a) / max(d, 1e-6)))
    rel = np.exp(-np.maximum(t - hold, 0) / max(r, 1e-6))
    return e * rel


def fade(x, fin=0.002, fout=0.01, sr=SR):
    """Short fades so one-shots start and end at zero without a click."""
    x = x.copy()
    a, b = n_samples(fin, sr), n_samples(fout, sr)
    if a:
        x[:a] *= np.linspace(0, 1, a) ** 2
    if b:
        x[-b:] *= np.linspace(1, 0, b) ** 2
    return x


def taper(x, seconds=0.008, sr=SR):
    """Fade the last few milliseconds of a note so cutting it off does not click."""
    k = min(len(x), n_samples(seconds, sr))
    x = x.copy()
    if k:
        x[-k:] *= 0.5 + 0.5 * np.cos(np.linspace(0, np.pi, k))
    return x


def fft_filter(x, response, sr=SR):
    """Zero-phase static filter; response(freqs) -> gain. Circular, so loops stay loops."""
    spec = np.fft.rfft(x, axis=0)
    f = np.fft.rfftfreq(x.shape[0], 1 / sr)
    g = response(f)
    if x.ndim == 2:
        g = g[:, None]
    return np.fft.irfft(spec * g, x.shape[0], axis=0)


def lowpass_resp(fc, order=2):
    return lambda f: 1 / np.sqrt(1 + (f / fc) ** (2 * order))


def highpass_resp(fc, order=2):
    return lambda f: 1 / np.sqrt(1 + (fc / np.maximum(f, 1e-3)) ** (2 * order))


def bandpass_resp(fc, q):
    """Gaussian bump on a log-frequency axis; q ~ octaves^-1."""
    return lambda f: np.exp(-0.5 * (np.log2(np.maximum(f, 1.0) / fc) * q) ** 2)


def shaped_noise(n, gain, rng, sr=SR, frame=1024, hop=256):
    """White noise filtered by a time-varying response gain(t, f) via STFT overlap-add."""
    x = rng.standard_normal(n)
    return stft_shape(x, gain, sr, frame, hop)


def stft_shape(x, gain, sr=SR, frame=1024, hop=256):
    n = len(x)
    pad = np.concatenate([np.zeros(frame), x, np.zeros(frame)])
    nfr = (len(pad) - frame) // hop + 1
    idx = np.arange(frame)[None, :] + hop * np.arange(nfr)[:, None]
    w = np.hanning(frame + 1)[:-1]
    spec = np.fft.rfft(pad[idx] * w, axis=1)
    tf = (np.arange(nfr) * hop + frame / 2 - frame) / sr
    f = np.fft.rfftfreq(frame, 1 / sr)
    spec *= gain(tf[:, None], f[None, :])
    frames = np.fft.irfft(spec, frame, axis=1) * w
    out = np.zeros(len(pad))
    for i in range(nfr):
        out[i * hop:i * hop + frame] += frames[i]
    out /= (w ** 2).sum() / hop
    return out[frame:frame + n]


def peak_normalise(x, peak):
    m = np.max(np.abs(x))
    return x * (peak / m) if m > 0 else x


def soft_clip(x, drive=1.0):
    return np.tanh(drive * x) / np.tanh(drive)


def midi_hz(m):
    return 440.0 * 2 ** ((np.asarray(m, dtype=np.float64) - 69) / 12)
