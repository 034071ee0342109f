"""The sound effects: one synthesised family (pulse and triangle waves, LFSR
and white noise, pitch sweeps). Each maker returns a mono float array; the
caller normalises them to one loudness and writes 16-bit WAVs."""

import numpy as np

from synth import (SR, midi_hz, pulse, triangle, sine, lfsr_noise, adsr, exp_decay,
                   fade_edges, sweep, t_axis, onepole_lowpass, onepole_highpass, bandpass,
                   kick, snare, tom)


def _n(sec):
    return int(round(sec * SR))


def _place(total, parts):
    """Sum (offset seconds, signal) pairs into one buffer of `total` seconds."""
    out = np.zeros(_n(total))
    for off, sig in parts:
        a = _n(off)
        b = min(len(out), a + len(sig))
        out[a:b] += sig[:b - a]
    return out


def _blip(f0, f1, dur, duty=0.25, tau=None, curve="exp"):
    n = _n(dur)
    f = sweep(f0, f1, n, curve)
    env = exp_decay(n, tau or dur * 0.5, attack=0.002)
    return pulse(f, duty) * env


# ---------------------------------------------------------------- character

def jump():
    # rising blip
    n = _n(0.14)
    t = t_axis(n)
    f = 280.0 * (760.0 / 280.0) ** np.clip(t / 0.09, 0, 1)
    env = adsr(_n(0.09), 0.002, 0.05, 0.6, 0.05)[:n]
    return pulse(f, 0.25) * env


def double_jump():
    # a higher rising blip with a second, higher flick
    a = _blip(520.0, 1250.0, 0.09, duty=0.25, tau=0.06)
    b = _blip(780.0, 1800.0, 0.08, duty=0.125, tau=0.05)
    return _place(0.2, [(0.0, a), (0.055, 0.8 * b)])


def wall_jump():
    # a slap: bright noise crack over a short falling square thump
    n = _n(0.16)
    t = t_axis(n)
    crack = lfsr_noise(n, 30000.0) * exp_decay(n, 0.018, attack=0.0005)
    crack = onepole_highpass(crack, 1200.0)
    f = 420.0 * (150.0 / 420.0) ** np.clip(t / 0.06, 0, 1)
    thump = pulse(f, 0.5) * exp_decay(n, 0.04, attack=0.001)
    up = _blip(400.0, 900.0, 0.07, duty=0.25, tau=0.04)
    return _place(0.16, [(0.0, 0.9 * crack + 0.55 * thump), (0.03, 0.35 * up)])


def punch_hit():
    # a thump with noise
    body = kick(length=0.3, f_hi=220.0, f_lo=55.0, tau_pitch=0.03, tau_amp=0.09, click=0.4,
                rng=np.random.default_rng(21))
    n = len(body)
    nz = lfsr_noise(n, 12000.0) * exp_decay(n, 0.05, attack=0.0005)
    nz = onepole_lowpass(nz, 5000.0)
    t = t_axis(n)
    crunch = pulse(130.0 * (70.0 / 130.0) ** np.clip(t / 0.1, 0, 1), 0.25) * exp_decay(n, 0.05)
    return body * 1.0 + 0.55 * nz + 0.3 * crunch


def punch_miss():
    # a whoosh: noise through a band that sweeps up and back down
    n = _n(0.22)
    t = t_axis(n)
    rng = np.random.default_rng(31)
    nz = rng.uniform(-1, 1, n)
    centre = 600.0 + 2600.0 * np.sin(np.pi * np.clip(t / 0.2, 0, 1)) ** 1.5
    y = onepole_lowpass(onepole_highpass(nz, centre * 0.5), centre * 1.6)
    y = onepole_lowpass(y, centre * 1.6)
    env = np.sin(np.pi * np.clip(t / 0.21, 0, 1)) ** 2
    return y * env


def slime_pickup():
    # a wet bloop: a fast upward triangle/pulse glide with a bubble wobble
    n = _n(0.17)
    t = t_axis(n)
    f = 190.0 * (880.0 / 190.0) ** np.clip(t / 0.085, 0, 1)
    f *= 1.0 + 0.06 * np.sin(2 * np.pi * 38.0 * t)
    env = adsr(_n(0.1), 0.002, 0.05, 0.5, 0.07)[:n]
    y = 0.8 * triangle(f, steps=16) + 0.35 * pulse(f, 0.5)
    pop = _blip(1300.0, 1900.0, 0.04, duty=0.5, tau=0.015)
    return _place(0.17, [(0.0, y * env), (0.09, 0.3 * pop)])


def slime_full():
    # a low buzz: two detuned squares with a stutter ("no room")
    n = _n(0.34)
    t = t_axis(n)
    y = pulse(np.full(n, 92.5), 0.5) + pulse(np.full(n, 98.0), 0.25)
    gate = (np.floor(t / 0.085) % 2 == 0).astype(float)
    gate = onepole_lowpass(gate, 300.0)  # soft edges on the stutter
    env = adsr(_n(0.3), 0.003, 0.2, 0.8, 0.04)[:n]
    y = onepole_lowpass(y, 2500.0)
    return 0.6 * y * gate * env


def slime_deliver():
    # a bright chime: two quick notes, pulse 12.5 % over a triangle
    def bell(m, dur):
        n = _n(dur)
        f = np.full(n, float(midi_hz(m)))
        env = exp_decay(n, dur * 0.35, attack=0.002)
        return (0.6 * pulse(f, 0.125) + 0.6 * triangle(f * 2.0, steps=0)) * env
    return _place(0.42, [(0.0, bell(88, 0.18)), (0.07, bell(95, 0.35))])  # E6, B6


def slime_gold():
    # a sparkle arpeggio: C6 E6 G6 C7 E7 G7 with a shimmering echo
    notes = [84, 88, 91, 96, 100, 103]
    parts = []
    for i, m in enumerate(notes):
        n = _n(0.16)
        f = np.full(n, float(midi_hz(m)))
        f *= 1.0 + 0.004 * np.sin(2 * np.pi * 14.0 * t_axis(n))
        sig = pulse(f, 0.125 if i % 2 else 0.25) * exp_decay(n, 0.07, attack=0.001)
        parts.append((i * 0.045, sig))
        parts.append((i * 0.045 + 0.15, 0.35 * sig))
    sp = _place(0.65, parts)
    # glittery high noise under it
    n = len(sp)
    t = t_axis(n)
    glit = onepole_highpass(lfsr_noise(n, 40000.0, short=True), 6000.0)
    glit *= exp_decay(n, 0.18) * (0.5 + 0.5 * np.sin(2 * np.pi * 25 * t) ** 2)
    return sp + 0.12 * glit


def portal():
    # a warble that rises and falls, with fast vibrato
    n = _n(0.38)
    t = t_axis(n)
    u = np.clip(t / 0.36, 0, 1)
    f = 300.0 + 900.0 * np.sin(np.pi * u) ** 0.8
    f *= 1.0 + 0.12 * np.sin(2 * np.pi * 22.0 * t)
    env = np.sin(np.pi * u) ** 0.6
    y = 0.7 * pulse(f, 0.25) + 0.4 * triangle(f * 0.5, steps=16)
    return onepole_lowpass(y * env, 6000.0)


# ---------------------------------------------------------------- game

def countdown_beep():
    n = _n(0.18)
    f = np.full(n, float(midi_hz(81)))  # A5
    env = adsr(_n(0.13), 0.003, 0.08, 0.85, 0.05)[:n]
    return (0.8 * pulse(f, 0.5) + 0.3 * triangle(f, steps=0)) * env


def round_start():
    # the start horn: A5 + E6 + A6 stacked pulses, a little pitch scoop up
    n = _n(0.75)
    t = t_axis(n)
    scoop = 1.0 - 0.03 * np.exp(-t / 0.03)
    env = adsr(_n(0.62), 0.004, 0.3, 0.8, 0.13)[:n]
    trem = 1.0 + 0.05 * np.sin(2 * np.pi * 7.0 * t)
    y = np.zeros(n)
    for m, g, d in ((81, 0.5, 0.5), (88, 0.35, 0.25), (93, 0.3, 0.125), (69, 0.4, 0.5)):
        y += g * pulse(midi_hz(m) * scoop, d)
    y = onepole_lowpass(y, 7000.0)
    return y * env * trem


def king_spawn():
    # the boss arrives: a low falling three-note fanfare over a rumble
    def brass(m, dur):
        n = _n(dur)
        t = t_axis(n)
        f = midi_hz(m) * (1.0 + 0.01 * np.sin(2 * np.pi * 6 * t) * np.clip((t - 0.1) / 0.1, 0, 1))
        env = adsr(_n(dur - 0.06), 0.006, 0.2, 0.75, 0.06)[:n]
        y = 0.55 * pulse(f, 0.5) + 0.45 * pulse(f * 1.5, 0.25) + 0.5 * triangle(f * 0.5, steps=16)
        return y * env
    parts = [(0.0, brass(50, 0.2)), (0.22, brass(49, 0.2)), (0.44, brass(43, 0.75))]  # D3 C#3 G2
    y = _place(1.25, parts)
    n = len(y)
    rumble = onepole_lowpass(lfsr_noise(n, 3000.0), 400.0) * exp_decay(n, 0.5, attack=0.05)
    k = kick(length=0.6, f_hi=120.0, f_lo=35.0, tau_amp=0.25, click=0.0)
    y += 0.9 * rumble + _place(1.25, [(0.44, 0.8 * k)])
    return onepole_lowpass(y, 5000.0)


def golden_spawn():
    # a quick shimmer trill, up and back (played three times together)
    notes = [91, 96, 100, 103, 100, 96]
    parts = []
    for i, m in enumerate(notes):
        n = _n(0.09)
        f = np.full(n, float(midi_hz(m)))
        parts.append((i * 0.035, (0.6 * triangle(f, steps=0) + 0.4 * pulse(f, 0.125)) * exp_decay(n, 0.05)))
    return _place(0.32, parts)


def normal_spawn():
    # a soft little plop (fires often, and up to ten times at once)
    n = _n(0.08)
    t = t_axis(n)
    f = 420.0 * (220.0 / 420.0) ** np.clip(t / 0.05, 0, 1)
    return triangle(f, steps=16) * exp_decay(n, 0.025, attack=0.002)


def meteor_spawn():
    # the falling whistle, from high, with a slight wobble, fading out
    n = _n(2.6)
    t = t_axis(n)
    u = np.clip(t / 2.6, 0, 1)
    f = 2400.0 * (700.0 / 2400.0) ** u
    f *= 1.0 + 0.012 * np.sin(2 * np.pi * 5.0 * t)
    env = np.clip(t / 0.25, 0, 1) * (1.0 - u) ** 1.2
    y = 0.75 * sine(f) + 0.25 * pulse(f, 0.5) * 0.5
    wind = onepole_lowpass(np.random.default_rng(41).uniform(-1, 1, n), 1500.0)
    return onepole_lowpass(y * env, 6000.0) + 0.5 * wind * env


def meteor_boom():
    # sent 1.5 s before impact: the last of the whistle, then the boom on
    # the impact itself (at 1.5 s)
    lead_in = 1.5
    n = _n(lead_in)
    t = t_axis(n)
    u = t / lead_in
    f = 900.0 * (180.0 / 900.0) ** u
    env = np.clip(t / 0.1, 0, 1) * (0.25 + 0.75 * u)
    whistle = (0.7 * sine(f) + 0.2 * pulse(f, 0.5)) * env
    whistle = onepole_lowpass(whistle, 4000.0)
    m = _n(1.6)
    tb = t_axis(m)
    nz = lfsr_noise(m, sweep(9000.0, 800.0, m)) * exp_decay(m, 0.35, attack=0.001)
    nz = onepole_lowpass(nz, sweep(6000.0, 300.0, m))
    k = kick(length=1.2, f_hi=110.0, f_lo=28.0, tau_pitch=0.08, tau_amp=0.4, click=0.6,
             rng=np.random.default_rng(51))
    crunch = pulse(sweep(90.0, 40.0, m), 0.25) * exp_decay(m, 0.2)
    boom = 1.0 * nz + _place(1.6, [(0.0, 1.1 * k)]) + 0.3 * onepole_lowpass(crunch, 1500.0)
    y = _place(lead_in + 1.6, [(0.0, 0.35 * whistle), (lead_in, boom)])
    return y


def menu_press():
    # a click: a short high blip dropping to a lower one
    a = _blip(1500.0, 1400.0, 0.025, duty=0.5, tau=0.01)
    b = _blip(750.0, 700.0, 0.05, duty=0.25, tau=0.02)
    n = _n(0.004)
    tick = np.random.default_rng(61).uniform(-1, 1, n) * np.linspace(1, 0, n)
    return _place(0.09, [(0.0, 0.5 * tick), (0.0, a), (0.02, 0.8 * b)])


def menu_hover():
    # a tick
    n = _n(0.035)
    f = np.full(n, 2200.0)
    return (0.7 * triangle(f, steps=16) + 0.3 * pulse(f, 0.5)) * exp_decay(n, 0.008, attack=0.001)


def zone_change():
    # a two-tone "ding-dong" with a swoosh: the goal has moved
    def tone(m, dur):
        n = _n(dur)
        f = np.full(n, float(midi_hz(m)))
        return (0.55 * pulse(f, 0.25) + 0.5 * triangle(f, steps=0)) * exp_decay(n, dur * 0.4)
    n = _n(0.7)
    t = t_axis(n)
    sw = onepole_highpass(np.random.default_rng(71).uniform(-1, 1, n), sweep(300.0, 4000.0, n))
    sw = onepole_lowpass(sw, sweep(1000.0, 8000.0, n)) * np.sin(np.pi * np.clip(t / 0.35, 0, 1)) ** 2
    return _place(0.7, [(0.0, 0.35 * sw), (0.05, tone(84, 0.25)), (0.2, tone(91, 0.5))])  # C6 G6


# event name -> (file base name, maker, binding label, set, volume)
EFFECTS = [
    ("jump", "jump", jump, "Jump", "CharacterSounds", 0.7),
    ("doubleJump", "doubleJump", double_jump, "Double Jump", "CharacterSounds", 0.7),
    ("wallJump", "wallJump", wall_jump, "Wall Jump", "CharacterSounds", 0.7),
    ("punchHit", "punchHit", punch_hit, "Punch Hit", "CharacterSounds", 0.85),
    ("punchMiss", "punchMiss", punch_miss, "Punch Miss", "CharacterSounds", 0.5),
    ("slimePickup", "slimePickup", slime_pickup, "Slime Pickup", "CharacterSounds", 0.6),
    ("slimeFull", "slimeFull", slime_full, "Slime Full", "CharacterSounds", 0.6),
    ("portal", "portal", portal, "Portal", "CharacterSounds", 0.45),
    ("slimeDeliver", "slimeDeliver", slime_deliver, "Slime Deliver", "CharacterSounds", 0.7),
    ("slimeGold", "slimeGold", slime_gold, "Slime Gold", "CharacterSounds", 0.8),
    ("countdownBeep", "countdownBeep", countdown_beep, "Countdown Beep", "GameSounds", 0.75),
    ("roundStart", "roundStart", round_start, "Round Start", "GameSounds", 0.85),
    ("kingSpawn", "kingSpawn", king_spawn, "King Spawn", "GameSounds", 0.9),
    ("goldenSpawn", "goldenSpawn", golden_spawn, "Golden Spawn", "GameSounds", 0.3),
    ("normalSpawn", "normalSpawn", normal_spawn, "Normal Spawn", "GameSounds", 0.15),
    ("meteorSpawn", "meteorSpawn", meteor_spawn, "Meteor Spawn", "GameSounds", 0.7),
    ("meteorBoom", "meteorBoom", meteor_boom, "Meteor Boom", "GameSounds", 0.9),
    ("menuPress", "menuPress", menu_press, "Menu Press", "GameSounds", 0.6),
    ("menuHover", "menuHover", menu_hover, "Menu Hover", "GameSounds", 0.5),
    ("zoneChange", "zoneChange", zone_change, "Zone Change", "GameSounds", 0.75),
]
