"""Small chiptune synthesiser shared by the music and the sound effects.

Everything here is plain NumPy and deterministic: noise comes from a
fixed-seed generator or from an NES-style LFSR, never from the clock.
"""

import numpy as np

SR = 44100


def midi_hz(m):
    return 440.0 * 2.0 ** ((np.asarray(m, dtype=np.float64) - 69.0) / 12.0)


# ----------------------------------------------------------------------------
# Oscillators. Each takes a per-sample frequency array (Hz) so that sweeps,
# vibrato and slides all come for free, and returns values in about [-1, 1].
# ----------------------------------------------------------------------------

def phase_of(freq, phase0=0.0):
    freq = np.asarray(freq, dtype=np.float64)
    ph = np.cumsum(freq) / SR + phase0
    # start at the given phase exactly (cumsum includes the first sample)
    ph -= freq[0] / SR
    return ph


def _polyblep(t, dt):
    """PolyBLEP residual for a unit upward step at t = 0 (t in [0, 1))."""
    out = np.zeros_like(t)
    m = t < dt
    x = t[m] / dt[m]
    out[m] = x + x - x * x - 1.0
    m = t > 1.0 - dt
    x = (t[m] - 1.0) / dt[m]
    out[m] = x * x + x + x + 1.0
    return out


def pulse(freq, duty=0.5, phase0=0.0):
    """Band-limited (PolyBLEP) pulse wave; duty may be a scalar or an array."""
    freq = np.asarray(freq, dtype=np.float64)
    ph = phase_of(freq, phase0)
    t = ph % 1.0
    dt = np.clip(np.abs(freq) / SR, 1e-9, 0.5)
    duty = np.broadcast_to(np.asarray(duty, dtype=np.float64), t.shape)
    y = np.where(t < duty, 1.0, -1.0)
    y += _polyblep(t, dt)
    y -= _polyblep((t - duty) % 1.0, dt)
    # remove the DC offset of an asymmetric pulse
    y -= 2.0 * duty - 1.0
    return y


def triangle(freq, steps=16, phase0=0.0):
    """NES-like triangle: optionally quantised to `steps` levels (0 = smooth)."""
    ph = phase_of(freq, phase0)
    t = ph % 1.0
    y = 4.0 * np.abs(t - 0.5) - 1.0
    if steps:
        q = (steps - 1) / 2.0
        y = np.round(y * q) / q
    return y


def sine(freq, phase0=0.0):
    return np.sin(2.0 * np.pi * phase_of(freq, phase0))


_LFSR_CACHE = {}


def lfsr_sequence(short=False):
    """The NES noise channel's 15-bit LFSR output (+1/-1), one full period."""
    key = bool(short)
    if key in _LFSR_CACHE:
        return _LFSR_CACHE[key]
    tap = 6 if short else 1
    reg = 1
    out = []
    seen = {}
    while True:
        if reg in seen:
            break
        seen[reg] = len(out)
        out.append(1.0 if (reg & 1) == 0 else -1.0)
        fb = (reg & 1) ^ ((reg >> tap) & 1)
        reg = (reg >> 1) | (fb << 14)
    seq = np.array(out[seen[reg]:], dtype=np.float64)
    _LFSR_CACHE[key] = seq
    return seq


def lfsr_noise(n, rate, short=False):
    """LFSR noise clocked at `rate` Hz (scalar or per-sample array)."""
    seq = lfsr_sequence(short)
    rate = np.broadcast_to(np.asarray(rate, dtype=np.float64), (n,))
    pos = np.cumsum(rate) / SR
    idx = np.floor(pos).astype(np.int64) % len(seq)
    return seq[idx]


# ----------------------------------------------------------------------------
# Envelopes and helpers
# ----------------------------------------------------------------------------

def t_axis(n):
    return np.arange(n, dtype=np.float64) / SR


def adsr(n_gate, attack=0.004, decay=0.08, sustain=0.7, release=0.04):
    """Gate of n_gate samples followed by a linear release; never starts or
    ends with a jump."""
    a = max(1, int(attack * SR))
    r = max(1, int(release * SR))
    n = n_gate + r
    env = np.empty(n)
    t = np.arange(n_gate, dtype=np.float64)
    g = np.where(t < a, t / a,
                 sustain + (1.0 - sustain) * np.exp(-(t - a) / max(1.0, decay * SR)))
    env[:n_gate] = g
    last = g[-1] if n_gate else 0.0
    env[n_gate:] = last * (1.0 - np.arange(1, r + 1) / r)
    return env


def exp_decay(n, tau, attack=0.002):
    t = t_axis(n)
    env = np.exp(-t / tau)
    a = max(1, int(attack * SR))
    env[:a] *= np.arange(a) / a
    return env


def fade_edges(x, fade_in=0.002, fade_out=0.01):
    x = np.array(x, dtype=np.float64, copy=True)
    n = x.shape[-1]
    fi = min(n // 2, max(1, int(fade_in * SR)))
    fo = min(n // 2, max(1, int(fade_out * SR)))
    x[..., :fi] *= np.linspace(0.0, 1.0, fi, endpoint=False)
    x[..., n - fo:] *= np.linspace(1.0, 0.0, fo)
    return x


def sweep(f0, f1, n, curve="exp"):
    """Frequency ramp from f0 to f1 over n samples."""
    u = np.linspace(0.0, 1.0, n)
    if curve == "exp":
        return f0 * (f1 / f0) ** u
    return f0 + (f1 - f0) * u


# ----------------------------------------------------------------------------
# Filters. fft_filter is circular, which is exactly right for a loop buffer;
# onepole_* are simple IIR loops for the short effects.
# ----------------------------------------------------------------------------

def fft_filter(x, lowpass=None, highpass=None, order=2):
    """Zero-phase Butterworth-magnitude filter along the last axis (circular)."""
    n = x.shape[-1]
    spec = np.fft.rfft(x, axis=-1)
    f = np.fft.rfftfreq(n, 1.0 / SR)
    h = np.ones_like(f)
    if lowpass:
        h *= 1.0 / np.sqrt(1.0 + (f / lowpass) ** (2 * order))
    if highpass:
        with np.errstate(divide="ignore"):
            r = np.where(f > 0, highpass / np.maximum(f, 1e-9), np.inf)
        h *= 1.0 / np.sqrt(1.0 + r ** (2 * order))
    return np.fft.irfft(spec * h, n=n, axis=-1)


def onepole_lowpass(x, cutoff):
    """Time-varying one-pole low-pass; cutoff scalar or per-sample (Hz)."""
    x = np.asarray(x, dtype=np.float64)
    c = np.broadcast_to(np.asarray(cutoff, dtype=np.float64), x.shape)
    a = 1.0 - np.exp(-2.0 * np.pi * np.clip(c, 1.0, SR * 0.49) / SR)
    y = np.empty_like(x)
    s = 0.0
    for i in range(len(x)):
        s += a[i] * (x[i] - s)
        y[i] = s
    return y


def onepole_highpass(x, cutoff):
    return np.asarray(x, dtype=np.float64) - onepole_lowpass(x, cutoff)


def bandpass(x, lo, hi):
    return onepole_lowpass(onepole_highpass(x, lo), hi)


# ----------------------------------------------------------------------------
# Drum voices (used by the music and by a few effects)
# ----------------------------------------------------------------------------

def kick(length=0.28, f_hi=160.0, f_lo=48.0, tau_pitch=0.035, tau_amp=0.13, click=0.25, rng=None):
    n = int(length * SR)
    t = t_axis(n)
    f = f_lo + (f_hi - f_lo) * np.exp(-t / tau_pitch)
    body = sine(f) * 0.8 + triangle(f, steps=0) * 0.2
    env = exp_decay(n, tau_amp, attack=0.0008)
    y = body * env
    if click:
        rng = rng or np.random.default_rng(1)
        cn = int(0.004 * SR)
        y[:cn] += click * rng.uniform(-1, 1, cn) * np.linspace(1, 0, cn)
    return fade_edges(y, 0.0005, 0.02)


def snare(length=0.22, tone=185.0, tau_noise=0.065, tau_tone=0.04, noise_rate=24000.0, mix=0.75):
    n = int(length * SR)
    t = t_axis(n)
    nz = lfsr_noise(n, noise_rate) * exp_decay(n, tau_noise, attack=0.0005)
    f = tone * (1.0 + 0.5 * np.exp(-t / 0.01))
    tn = triangle(f, steps=0) * exp_decay(n, tau_tone, attack=0.0005)
    return fade_edges(mix * nz + (1.0 - mix) * tn, 0.0005, 0.02)


def hat(length=0.05, tau=0.014, seed=3):
    n = int(length * SR)
    rng = np.random.default_rng(seed)
    nz = rng.uniform(-1, 1, n + 1)
    nz = np.diff(nz) * 0.5  # crude high-pass: bright, thin
    return fade_edges(nz * exp_decay(n, tau, attack=0.0005), 0.0005, 0.01)


def crash(length=1.4, tau=0.45, seed=5):
    n = int(length * SR)
    rng = np.random.default_rng(seed)
    nz = rng.uniform(-1, 1, n + 1)
    nz = np.diff(nz) * 0.5 + 0.3 * lfsr_noise(n, 30000.0)
    return fade_edges(nz * exp_decay(n, tau, attack=0.001), 0.001, 0.2)


def tom(f0=160.0, length=0.25, tau=0.11):
    n = int(length * SR)
    t = t_axis(n)
    f = f0 * (0.6 + 0.4 * np.exp(-t / 0.06))
    return fade_edges(triangle(f, steps=16) * exp_decay(n, tau, attack=0.0008), 0.0005, 0.02)


# ----------------------------------------------------------------------------
# Levels
# ----------------------------------------------------------------------------

def db(x):
    return 20.0 * np.log10(max(float(x), 1e-12))


def rms(x):
    x = np.asarray(x, dtype=np.float64)
    return float(np.sqrt(np.mean(x * x))) if x.size else 0.0


def loudest_window_rms(x, win=0.1):
    """RMS of the loudest window of `win` seconds (short-term loudness)."""
    x = np.asarray(x, dtype=np.float64)
    if x.ndim > 1:
        x = x.mean(axis=0)
    w = max(1, int(win * SR))
    if len(x) <= w:
        return float(np.sqrt(np.sum(x * x) / w))
    c = np.concatenate([[0.0], np.cumsum(x * x)])
    e = c[w:] - c[:-w]
    return float(np.sqrt(e.max() / w))


def to_int16(x):
    return np.clip(np.round(np.asarray(x) * 32767.0), -32768, 32767).astype(np.int16)


def write_wav(path, x):
    """16-bit PCM WAV; x is mono (n,) or stereo (2, n), values in [-1, 1]."""
    import wave
    x = np.asarray(x)
    if x.ndim == 1:
        data = to_int16(x)
        ch = 1
    else:
        data = to_int16(x.T).reshape(-1)
        ch = x.shape[0]
    with wave.open(str(path), "wb") as w:
        w.setnchannels(ch)
        w.setsampwidth(2)
        w.setframerate(SR)
        w.writeframes(data.astype("<i2").tobytes())


def read_wav(path):
    import wave
    with wave.open(str(path), "rb") as w:
        ch = w.getnchannels()
        sr = w.getframerate()
        sw = w.getsampwidth()
        raw = w.readframes(w.getnframes())
    assert sw == 2
    a = np.frombuffer(raw, dtype="<i2").astype(np.float64) / 32768.0
    if ch > 1:
        a = a.reshape(-1, ch).T
    return a, sr, ch


def a_weight(x):
    """The signal through an A-weighting curve (FFT, zero-phase), so that
    levels can be compared roughly as the ear hears them."""
    x = np.asarray(x, dtype=np.float64)
    n = x.shape[-1]
    pad = 1 << int(np.ceil(np.log2(n + SR // 10)))
    f = np.fft.rfftfreq(pad, 1.0 / SR)
    f2 = f * f

    def curve(f2):
        return (12194.0 ** 2 * f2 * f2) / ((f2 + 20.6 ** 2) * np.sqrt((f2 + 107.7 ** 2) * (f2 + 737.9 ** 2))
                                           * (f2 + 12194.0 ** 2))
    h = curve(f2) / curve(1000.0 ** 2)
    return np.fft.irfft(np.fft.rfft(x, n=pad, axis=-1) * h, n=pad, axis=-1)[..., :n]
