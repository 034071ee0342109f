"""The five music loops: a tiny sequencer on top of synth.py, and the tracks.

Every track is rendered into a circular buffer whose length is exactly the
loop: a note (or an echo, or a cymbal tail) that runs past the end wraps
round to the start. So the last bar flows into the first one sample-exactly,
and the MP3 only has to keep that (see make.py for the gapless encoding).
"""

import numpy as np

from synth import (SR, midi_hz, pulse, triangle, adsr, exp_decay, fade_edges,
                   kick, snare, hat, crash, tom, fft_filter, rms, db)

NOTE_PC = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}

MODES = {
    "major": [0, 2, 4, 5, 7, 9, 11],
    "minor": [0, 2, 3, 5, 7, 8, 10],
    "dorian": [0, 2, 3, 5, 7, 9, 10],
}


def parse_note(tok):
    """'F#5' -> MIDI number (C4 = 60)."""
    name = tok[0].upper()
    i = 1
    acc = 0
    while i < len(tok) and tok[i] in "#b":
        acc += 1 if tok[i] == "#" else -1
        i += 1
    octave = int(tok[i:])
    return 12 * (octave + 1) + NOTE_PC[name] + acc


def parse_pc(tok):
    pc = NOTE_PC[tok[0].upper()]
    for c in tok[1:]:
        if c == "#":
            pc += 1
        elif c == "b":
            pc -= 1
    return pc % 12


CHORD_QUALITIES = [
    ("maj7", [0, 4, 7, 11]),
    ("m7", [0, 3, 7, 10]),
    ("sus4", [0, 5, 7]),
    ("dim", [0, 3, 6]),
    ("m", [0, 3, 7]),
    ("7", [0, 4, 7, 10]),
    ("", [0, 4, 7]),
]


def parse_chord(sym):
    root_len = 2 if len(sym) > 1 and sym[1] in "#b" else 1
    root = parse_pc(sym[:root_len])
    q = sym[root_len:]
    for name, ivs in CHORD_QUALITIES:
        if q == name:
            return root, ivs
    raise ValueError("unknown chord " + sym)


def parse_melody(text):
    """'A4:2 C5:2 | r:4 ...' -> list of (step, length, midi or None); bars of 16."""
    events = []
    step = 0
    for bar_i, bar in enumerate(text.split("|")):
        bar_start = step
        for tok in bar.split():
            name, dur = tok.split(":")
            dur = int(dur)
            if name.lower() != "r":
                events.append((step, dur, parse_note(name)))
            step += dur
        if step - bar_start != 16:
            raise ValueError("bar %d of melody has %d steps: %r" % (bar_i, step - bar_start, bar))
    return events, step


def parse_chords(text):
    """'F | C | Bb C | F' -> list of (step, length, root_pc, intervals)."""
    out = []
    for b, bar in enumerate(text.split("|")):
        syms = bar.split()
        seg = 16 // len(syms)
        for k, s in enumerate(syms):
            root, ivs = parse_chord(s)
            out.append((b * 16 + k * seg, seg, root, ivs))
    return out


class Key:
    def __init__(self, tonic, mode):
        self.tonic = parse_pc(tonic)
        self.scale = [(self.tonic + i) % 12 for i in MODES[mode]]

    def degree_shift(self, midi, steps):
        """Move a note `steps` scale degrees (negative = down), snapping a
        note outside the scale to the nearest scale note first."""
        pcs = self.scale
        m = midi
        while m % 12 not in pcs:
            m -= 1
        direction = 1 if steps > 0 else -1
        for _ in range(abs(steps)):
            m += direction
            while m % 12 not in pcs:
                m += direction
        return m


# ----------------------------------------------------------------------------
# Loop buffer
# ----------------------------------------------------------------------------

class LoopBuffer:
    def __init__(self, n):
        self.n = n
        self.stems = {}

    def add(self, stem, start, sig, gain=1.0):
        buf = self.stems.setdefault(stem, np.zeros(self.n))
        sig = np.asarray(sig) * gain
        start %= self.n
        pos = 0
        while pos < len(sig):
            take = min(len(sig) - pos, self.n - start)
            buf[start:start + take] += sig[pos:pos + take]
            pos += take
            start = 0


# ----------------------------------------------------------------------------
# Instruments
# ----------------------------------------------------------------------------

def lead_note(midi, n_gate, duty=0.25, vib_depth=0.004, vib_rate=5.5, vib_delay=0.18,
              attack=0.004, decay=0.12, sustain=0.65, release=0.05, duty_sweep=None,
              slide_from=None):
    env = adsr(n_gate, attack, decay, sustain, release)
    n = len(env)
    t = np.arange(n) / SR
    f = midi_hz(midi) * np.ones(n)
    if slide_from is not None:
        f0 = midi_hz(slide_from)
        k = np.exp(-t / 0.025)
        f = f * (f0 / f) ** k
    vib = np.clip((t - vib_delay) / 0.15, 0.0, 1.0)
    f = f * (1.0 + vib_depth * vib * np.sin(2 * np.pi * vib_rate * t))
    d = duty
    if duty_sweep is not None:
        d = duty_sweep + (duty - duty_sweep) * np.clip(t / 0.05, 0, 1)
    return pulse(f, d) * env


def bass_note(midi, n_gate, pulse_mix=0.3, release=0.02):
    env = adsr(n_gate, 0.003, 0.09, 0.8, release)
    n = len(env)
    f = midi_hz(midi) * np.ones(n)
    y = triangle(f, steps=16) + pulse_mix * pulse(f * 2.0, 0.5) * 0.5
    return y * env


def arp_frames(tones, n_gate, rate=50.0, duty=0.125, release=0.03):
    env = adsr(n_gate, 0.003, 0.2, 0.6, release)
    n = len(env)
    t = np.arange(n) / SR
    idx = np.floor(t * rate).astype(int) % len(tones)
    f = midi_hz(np.asarray(tones))[idx]
    return pulse(f, duty) * env


def arp_note(midi, n_gate, duty=0.125):
    env = adsr(n_gate, 0.002, 0.05, 0.35, 0.02)
    f = midi_hz(midi) * np.ones(len(env))
    return pulse(f, duty) * env


# ----------------------------------------------------------------------------
# Drum patterns: one row per voice, 16 steps a bar. x = hit, X = accent,
# g = ghost. Voices: K kick, S snare, h closed hat, o open hat, C crash,
# T/M/L toms.
# ----------------------------------------------------------------------------

DRUMS = {
    "bounce": {"K": "x.....x.x.......", "S": "....x.......x..g", "h": "x.x.x.x.x.x.x.x."},
    "bounce_full": {"K": "x.....x.x.x.....", "S": "....x.......x.gg", "h": "xxx.xxx.xxx.xxx.", "o": "..............x."},
    "light": {"K": "x.......x.......", "S": "............x...", "h": "..x...x...x...x."},
    "rock": {"K": "x.......x.x.....", "S": "....x.......x...", "h": "x.x.x.x.x.x.x.x."},
    "rock_full": {"K": "x.....x.x.x...x.", "S": "....x..g....x...", "h": "xxxxxxxxxxxxxxxx", "o": "......x.......x."},
    "drive": {"K": "x...x...x...x...", "S": "....x.......x...", "h": "..x...x...x...x.", "o": "..x...x...x...x."},
    "drive_full": {"K": "x...x...x...x.x.", "S": "....x..g....x..g", "h": "xxxxxxxxxxxxxxxx", "o": "..x...x...x...x."},
    "half": {"K": "x.........x.....", "S": "........x.......", "h": "x...x...x...x..."},
    "funk": {"K": "x..x..x...x..x..", "S": "....x..g.g..x..g", "h": "x.xxx.xxx.xxx.xx", "o": "......x.......x."},
    "funk_light": {"K": "x.........x.....", "S": "....x.......x...", "h": "x.x.x.x.x.x.x.x."},
    "chase": {"K": "x.x...x.x.x...x.", "S": "....x.......x...", "h": "xxxxxxxxxxxxxxxx", "o": "..x...x...x...x."},
    "chase_full": {"K": "x.x.x.x.x.x.x.x.", "S": "....x..g....x.gg", "h": "xxxxxxxxxxxxxxxx", "o": "..x...x...x...x."},
    "pulse": {"K": "x...x...x...x...", "h": "..x...x...x...x."},
    "none": {},
}

FILLS = {
    "snare": {"K": "x.......x.......", "S": "........x.xxxxXX"},
    "toms": {"K": "x.......x.......", "S": "........x.x.", "T": "............x.x.", "M": ".............x..", "L": "..............xx"},
    "roll": {"K": "x...x...x...x...", "S": "x.x.x.x.xxxxXXXX"},
    "stop": {"K": "x...............", "S": "x...........x.xx"},
}

# bass patterns: (step, semitones above the root, length in steps)
BASS = {
    "bounce": [(0, 0, 3), (4, 12, 2), (6, 7, 2), (8, 0, 3), (12, 12, 2), (14, 7, 2)],
    "octaves8": [(s, 12 if (s // 2) % 2 else 0, 2) for s in range(0, 16, 2)],
    "drive8": [(0, 0, 2), (2, 0, 2), (4, 12, 2), (6, 0, 2), (8, 0, 2), (10, 0, 2), (12, 12, 2), (14, 7, 2)],
    "drive16": [(s, 12 if s % 4 == 2 else 0, 1) for s in range(16)],
    "funk": [(0, 0, 2), (3, 0, 1), (4, 12, 1), (6, 0, 2), (9, 7, 1), (10, 10, 2), (12, 12, 1), (14, 7, 2)],
    "half": [(0, 0, 7), (8, 7, 7)],
    "whole": [(0, 0, 14)],
    "walk": [(0, 0, 4), (4, 4, 4), (8, 7, 4), (12, 12, 4)],
}


class Track:
    def __init__(self, name, bpm, key, sections, order, swing=0.0, lead=None,
                 bass_base=33, levels=None, echo_steps=3, echo_fb=0.32, seed=0):
        self.name = name
        self.step = int(round(SR * 60.0 / bpm / 4.0))  # samples per 16th
        self.bpm = SR * 60.0 / self.step / 4.0
        self.key = key
        self.sections = sections
        self.order = order
        self.swing = swing
        self.lead = lead or {}
        self.bass_base = bass_base
        lv = dict(lead=0.20, harm=0.085, arp=0.07, bass=0.30, kick=0.42, snare=0.30,
                  hat=0.09, crash=0.08, tom=0.25)
        lv.update(levels or {})
        self.levels = lv
        self.echo_steps = echo_steps
        self.echo_fb = echo_fb
        self.seed = seed

    def bars(self):
        return sum(self.sections[s]["bars"] for s, _ in self.order)

    def t(self, step):
        """Sample position of a (whole or fractional) step, with swing."""
        base = int(round(step * self.step))
        if self.swing and int(step) % 2 == 1 and step == int(step):
            base += int(round(self.swing * self.step))
        return base

    def render(self):
        n = self.bars() * 16 * self.step
        buf = LoopBuffer(n)
        rng = np.random.default_rng(self.seed)
        kit = {
            "K": [kick(rng=np.random.default_rng(self.seed + 11))],
            "S": [snare()],
            "h": [hat(seed=self.seed * 7 + i) for i in range(4)],
            "o": [hat(length=0.22, tau=0.08, seed=self.seed * 7 + 9)],
            "C": [crash(seed=self.seed + 3)],
            "T": [tom(220.0)], "M": [tom(165.0)], "L": [tom(120.0)],
        }
        stem_of = {"K": "kick", "S": "snare", "h": "hat", "o": "hat", "C": "crash",
                   "T": "tom", "M": "tom", "L": "tom"}
        bar0 = 0
        for sec_name, var in self.order:
            sec = dict(self.sections[sec_name])
            sec.update(var or {})
            self._render_section(buf, sec, bar0, kit, stem_of, rng)
            bar0 += sec["bars"]
        return self._mix(buf)

    # -- one section -----------------------------------------------------
    def _render_section(self, buf, sec, bar0, kit, stem_of, rng):
        s0 = bar0 * 16
        bars = sec["bars"]
        chords = parse_chords(sec["chords"])
        lead_cfg = dict(self.lead)
        lead_cfg.update(sec.get("lead_cfg", {}))
        gate = lead_cfg.pop("gate", 0.85)
        octave = lead_cfg.pop("octave", 0)

        # lead and harmony
        if sec.get("lead"):
            events, total = parse_melody(sec["lead"])
            assert total == bars * 16, (self.name, total)
            prev = None
            for st, ln, m in events:
                m += 12 * octave
                start = self.t(s0 + st)
                end = self.t(s0 + st + ln)
                ng = max(int((end - start) * gate), int(0.03 * SR))
                slide = prev if (sec.get("slide") and prev is not None and abs(prev - m) <= 2 and ln >= 4) else None
                buf.add("lead", start, lead_note(m, ng, slide_from=slide, **lead_cfg),
                        self.levels["lead"] * sec.get("lead_gain", 1.0))
                if sec.get("harmony"):
                    h = self.key.degree_shift(m, -sec["harmony"])
                    hd = sec.get("harm_duty", 0.5)
                    buf.add("harm", start, lead_note(h, ng, duty=hd, vib_depth=0.003,
                                                     sustain=0.5, release=0.06),
                            self.levels["harm"])
                prev = m

        # counter melody (optional, its own line)
        if sec.get("counter"):
            events, total = parse_melody(sec["counter"])
            assert total == bars * 16, (self.name, "counter", total)
            for st, ln, m in events:
                start = self.t(s0 + st)
                end = self.t(s0 + st + ln)
                ng = max(int((end - start) * 0.8), int(0.03 * SR))
                buf.add("harm", start, lead_note(m, ng, duty=0.5, vib_depth=0.003, sustain=0.55,
                                                 release=0.06), self.levels["harm"] * 1.1)

        # bass
        style = sec.get("bass", "drive8")
        pat = BASS[style]
        for cst, cln, root, ivs in chords:
            base = self.bass_base + (root - self.bass_base) % 12
            for st, iv, ln in pat:
                # patterns are written per bar; a half-bar chord takes the
                # half of the pattern that falls inside it
                bar_step = cst % 16
                if not (bar_step <= st < bar_step + cln):
                    continue
                m = base + iv
                # a minor chord turns a major-third step into a minor one
                if iv % 12 == 4 and 3 in ivs:
                    m -= 1
                a = self.t(s0 + (cst - bar_step) + st)
                b = self.t(s0 + (cst - bar_step) + st + ln)
                ng = max(int((b - a) * 0.9), int(0.02 * SR))
                buf.add("bass", a, bass_note(m, ng, pulse_mix=sec.get("bass_pulse", 0.3)),
                        self.levels["bass"])
            # passing note into the next chord at the end of the section
        # arpeggio / chord layer
        arp = sec.get("arp")
        if arp:
            lo = sec.get("arp_low", 64)
            for cst, cln, root, ivs in chords:
                tones = []
                base = lo + (root - lo) % 12
                for iv in ivs:
                    tones.append(base + iv)
                if len(tones) == 3:
                    tones.append(base + 12)
                a = self.t(s0 + cst)
                b = self.t(s0 + cst + cln)
                if arp == "frames":
                    buf.add("arp", a, arp_frames(tones, int((b - a) * 0.97)), self.levels["arp"])
                elif arp in ("up16", "updown16"):
                    seq = tones if arp == "up16" else tones + tones[-2:0:-1]
                    for k in range(cln):
                        aa = self.t(s0 + cst + k)
                        bb = self.t(s0 + cst + k + 1)
                        buf.add("arp", aa, arp_note(seq[k % len(seq)], int((bb - aa) * 0.7)),
                                self.levels["arp"] * 1.3)
                elif arp == "stabs":
                    for k in range(2, cln, 4):
                        aa = self.t(s0 + cst + k)
                        buf.add("arp", aa, arp_frames(tones, int(self.step * 1.2), rate=60.0, duty=0.25),
                                self.levels["arp"] * 1.2)

        # drums
        for b in range(bars):
            last = b == bars - 1
            pat = DRUMS[sec.get("drums", "rock")]
            if last and sec.get("fill"):
                fill = FILLS[sec["fill"]]
                merged = {k: v for k, v in pat.items() if k in ("h",)}
                merged["h"] = pat.get("h", "")[:8] + "." * 8 if pat.get("h") else ""
                merged.update(fill)
                pat = merged
            rows = dict(pat)
            if b == 0 and sec.get("crash", True) and sec.get("drums", "rock") != "none":
                rows["C"] = "x"
            for voice, row in rows.items():
                for k, ch in enumerate(row):
                    if ch == ".":
                        continue
                    g = {"x": 1.0, "X": 1.25, "g": 0.35}[ch]
                    if voice == "h" and k % 4 != 0:
                        g *= 0.7
                    samples = kit[voice]
                    smp = samples[(b * 16 + k) % len(samples)]
                    buf.add(stem_of[voice], self.t(s0 + b * 16 + k), smp,
                            self.levels[stem_of[voice]] * g)

    # -- mix -------------------------------------------------------------
    def _mix(self, buf):
        n = buf.n
        st = {k: v for k, v in buf.stems.items()}
        z = np.zeros(n)
        if "bass" in st:
            st["bass"] = fft_filter(st["bass"], lowpass=1800.0, highpass=30.0)
        if "hat" in st:
            st["hat"] = fft_filter(st["hat"], highpass=5000.0)
        if "crash" in st:
            st["crash"] = fft_filter(st["crash"], highpass=3000.0, lowpass=12000.0)
        for k in ("lead", "harm", "arp"):
            if k in st:
                st[k] = fft_filter(st[k], lowpass=7000.0, highpass=120.0)
        pans = {"lead": -0.08, "harm": 0.35, "arp": -0.4, "bass": 0.0, "kick": 0.0,
                "snare": 0.05, "hat": 0.3, "crash": -0.2, "tom": 0.15}
        L = z.copy()
        R = z.copy()
        for k, v in st.items():
            p = pans.get(k, 0.0)
            ang = (p + 1.0) * np.pi / 4.0
            L += v * np.cos(ang) * np.sqrt(2.0) * 0.7071
            R += v * np.sin(ang) * np.sqrt(2.0) * 0.7071
        # ping-pong echo of the lead (circular, so it wraps across the seam)
        if "lead" in st and self.echo_steps:
            d = self.echo_steps * self.step
            src = fft_filter(st["lead"] + 0.5 * st.get("arp", z), lowpass=4000.0)
            g = 0.34
            for k in range(1, 6):
                tap = np.roll(src, k * d) * g
                if k % 2:
                    R += tap
                    L += 0.35 * tap
                else:
                    L += tap
                    R += 0.35 * tap
                g *= self.echo_fb
        # a touch of stereo width from a short Haas delay on the harmony
        if "harm" in st:
            R += 0.25 * np.roll(st["harm"], int(0.011 * SR))
        out = np.stack([L, R])
        out -= out.mean(axis=1, keepdims=True)
        # moderate level: RMS near -18 dBFS, peaks kept under -3 dBFS
        target_rms = 10 ** (-18.0 / 20.0)
        g = target_rms / max(rms(out), 1e-9)
        peak = np.abs(out).max() * g
        limit = 10 ** (-3.0 / 20.0)
        if peak > limit:
            g *= limit / peak
        return out * g


# ----------------------------------------------------------------------------
# The tracks
# ----------------------------------------------------------------------------

def sarnek():
    """Main menu and level select: bouncy, sunny, F major, 112 BPM."""
    key = Key("F", "major")
    A = dict(bars=8, chords="F | C | Dm | Bb | F | C | Bb C | F",
             lead="A4:2 C5:2 F5:3 E5:1 F5:2 A5:2 G5:2 F5:2 | E5:2 G5:2 C5:2 E5:2 D5:4 C5:4 |"
                  " D5:2 F5:2 A5:3 G5:1 F5:2 E5:2 D5:4 | F5:6 D5:2 Bb4:4 C5:4 |"
                  " A4:2 C5:2 F5:3 E5:1 F5:2 A5:2 C6:4 | Bb5:2 A5:2 G5:2 A5:2 G5:2 E5:2 C5:4 |"
                  " D5:2 F5:2 Bb5:4 A5:2 G5:2 E5:4 | F5:8 r:4 C5:2 E5:2",
             bass="bounce", drums="bounce", arp="stabs", fill="snare")
    B = dict(bars=8, chords="Bb | C | Am | Dm | Gm | C | F | C7",
             lead="D6:4 C6:2 Bb5:2 A5:4 F5:4 | G5:4 A5:2 Bb5:2 C6:8 |"
                  " C6:2 A5:2 E5:2 A5:2 C6:2 D6:2 E6:4 | D6:6 C6:2 A5:4 F5:4 |"
                  " Bb5:4 A5:2 G5:2 D5:4 G5:4 | A5:2 Bb5:2 C6:4 Bb5:2 A5:2 G5:4 |"
                  " A5:4 C6:4 F6:4 E6:2 D6:2 | C6:4 Bb5:2 A5:2 G5:2 E5:2 C5:4",
             bass="walk", drums="bounce_full", arp="up16", fill="toms", harmony=2, slide=True,
             lead_cfg=dict(gate=0.92))
    C = dict(bars=8, chords="Dm | Bb | F | C | Dm | Bb | Gm | C",
             lead="A5:3 A5:3 A5:2 G5:2 F5:2 E5:4 | D5:3 D5:3 D5:2 F5:8 |"
                  " C5:3 C5:3 C5:2 D5:2 F5:2 A5:4 | G5:12 r:4 |"
                  " A5:3 A5:3 A5:2 Bb5:2 C6:2 D6:4 | F6:3 D6:3 Bb5:2 D6:8 |"
                  " C6:3 Bb5:3 G5:2 Bb5:2 A5:2 G5:4 | C6:8 Bb5:2 A5:2 G5:2 E5:2",
             counter="F3:16 | F3:16 | A3:16 | G3:16 | F3:16 | F3:16 | G3:8 Bb3:8 | C4:8 E4:8",
             bass="half", drums="light", arp="frames", fill="roll", lead_cfg=dict(duty=0.125))
    order = [("A", None), ("B", None), ("A", dict(harmony=2, drums="bounce_full", arp="up16")), ("C", None)]
    return Track("Sarnek's Music Track", 112, key, dict(A=A, B=B, C=C), order, swing=0.18,
                 lead=dict(duty=0.25, gate=0.62, vib_depth=0.003), bass_base=33,
                 levels=dict(kick=0.36, snare=0.25), echo_steps=3, seed=1)


def almighty_dollar():
    """Match track and credits: confident, celebratory, Bb major, 124 BPM."""
    key = Key("Bb", "major")
    A = dict(bars=8, chords="Bb | F | Gm | Eb | Bb | F | Eb | F",
             lead="F4:2 Bb4:2 D5:2 F5:4 D5:2 Eb5:2 F5:2 | C5:2 F5:2 A5:4 G5:2 F5:2 C5:4 |"
                  " D5:2 G5:2 Bb5:4 A5:2 G5:2 D5:4 | Eb5:4 G5:4 F5:2 Eb5:2 D5:2 C5:2 |"
                  " F4:2 Bb4:2 D5:2 F5:4 Bb5:2 A5:2 Bb5:2 | C6:6 A5:2 F5:4 A5:4 |"
                  " G5:4 Bb5:2 G5:2 F5:2 Eb5:2 D5:2 C5:2 | D5:2 C5:2 A4:4 C5:4 r:4",
             bass="octaves8", drums="rock", arp="stabs", fill="snare")
    B = dict(bars=8, chords="Eb | F | Dm | Gm | Cm | F | Bb | F",
             lead="G5:3 G5:3 G5:2 Bb5:4 G5:4 | A5:3 A5:3 A5:2 C6:4 A5:4 |"
                  " F5:3 F5:3 F5:2 A5:2 G5:2 F5:2 D5:2 | G5:8 r:4 D5:2 F5:2 |"
                  " Eb5:3 G5:3 C6:2 Bb5:2 G5:2 Eb5:4 | F5:3 A5:3 C6:2 Eb6:4 D6:2 C6:2 |"
                  " D6:6 C6:2 Bb5:4 D6:4 | C6:8 r:4 A5:2 C6:2",
             bass="drive8", drums="rock", arp="up16", fill="toms", lead_cfg=dict(duty=0.125))
    C = dict(bars=8, chords="Gm | Eb | Bb | F | Gm | Eb | Cm F | Bb",
             lead="Bb5:4 D6:4 C6:2 Bb5:2 A5:4 | Bb5:4 G5:4 Eb6:8 |"
                  " D6:4 C6:2 Bb5:2 F5:4 Bb5:4 | A5:8 C6:4 A5:4 |"
                  " Bb5:4 D6:4 F6:4 D6:4 | Eb6:4 D6:2 C6:2 Bb5:4 G5:4 |"
                  " C6:4 Eb6:4 D6:4 C6:4 | Bb5:12 r:4",
             bass="drive8", drums="rock_full", arp="frames", fill="roll", harmony=2, slide=True,
             lead_cfg=dict(gate=0.93))
    order = [("A", None), ("B", None), ("C", None),
             ("A", dict(harmony=5, drums="rock_full", arp="up16", harm_duty=0.25))]
    return Track("AlmightyDollar", 124, key, dict(A=A, B=B, C=C), order,
                 lead=dict(duty=0.25, gate=0.8), bass_base=33, seed=2)


def distinction():
    """Match track: heroic and driving, E minor, 132 BPM."""
    key = Key("E", "minor")
    A = dict(bars=8, chords="Em | C | G | D | Em | C | Am | B",
             lead="E5:4 B4:2 E5:2 G5:4 F#5:2 E5:2 | G5:4 E5:2 G5:2 C6:4 B5:2 A5:2 |"
                  " B5:4 G5:2 B5:2 D6:4 C6:2 B5:2 | A5:6 F#5:2 D5:8 |"
                  " E5:4 B4:2 E5:2 G5:4 A5:2 B5:2 | C6:4 B5:2 A5:2 G5:4 E5:4 |"
                  " A5:4 C6:4 E6:4 D6:2 C6:2 | B5:6 A5:2 F#5:4 D#5:4",
             bass="drive8", drums="drive", arp="up16", fill="snare")
    B = dict(bars=8, chords="C | D | Bm | Em | C | D | Em | D",
             lead="r:2 G5:2 G5:2 E5:2 G5:3 A5:3 G5:2 | r:2 F#5:2 F#5:2 D5:2 F#5:3 A5:3 F#5:2 |"
                  " r:2 D5:2 F#5:2 B5:2 D6:3 C#6:3 B5:2 | G5:8 E5:4 B4:4 |"
                  " r:2 G5:2 G5:2 E5:2 G5:3 C6:3 B5:2 | A5:2 B5:2 A5:2 F#5:2 D5:4 F#5:4 |"
                  " E5:2 G5:2 B5:2 E6:2 D6:4 B5:4 | A5:4 F#5:4 D5:4 F#5:4",
             bass="octaves8", drums="drive_full", arp="stabs", fill="toms", harmony=2,
             lead_cfg=dict(duty=0.125))
    C = dict(bars=8, chords="Am | Em | C | B | Am | Em | C | B",
             lead="E5:8 A5:8 | G5:8 B5:8 | C6:8 B5:4 G5:4 | F#5:12 D#5:4 |"
                  " A5:8 C6:8 | B5:8 E6:8 | G6:4 E6:4 C6:4 E6:4 | D#6:8 B5:4 F#5:2 D#5:2",
             bass="half", drums="half", arp="frames", fill="roll", slide=True,
             lead_cfg=dict(gate=0.95, vib_depth=0.006))
    order = [("A", None), ("B", None), ("C", None),
             ("A", dict(harmony=2, drums="drive_full"))]
    return Track("Distinction_loop", 132, key, dict(A=A, B=B, C=C), order,
                 lead=dict(duty=0.25, gate=0.82), bass_base=33, seed=3)


def autopilot():
    """Match track: cool, steady, machine-like groove, A dorian, 140 BPM."""
    key = Key("A", "dorian")
    A = dict(bars=8, chords="Am7 | D | Am7 | D | Cmaj7 | G | Em | D",
             lead="A5:3 C6:3 E6:2 D6:4 C6:2 A5:2 | B5:3 A5:3 F#5:2 A5:8 |"
                  " A5:3 C6:3 E6:2 G6:4 E6:2 D6:2 | F#6:6 E6:2 D6:4 A5:4 |"
                  " G5:3 B5:3 E6:2 D6:4 B5:2 G5:2 | D6:3 B5:3 G5:2 A5:4 B5:4 |"
                  " E6:2 D6:2 B5:2 G5:2 E5:4 G5:4 | F#5:8 r:4 E5:2 G5:2",
             bass="funk", drums="funk", arp="updown16", fill="snare", arp_low=57)
    B = dict(bars=8, chords="Cmaj7 | D | Bm | Em | Cmaj7 | D | E | E7",
             lead="E6:4 r:2 E6:2 D6:2 C6:2 B5:4 | A5:4 r:2 A5:2 B5:2 C6:2 D6:4 |"
                  " F#6:4 r:2 F#6:2 E6:2 D6:2 B5:4 | G5:8 B5:4 E6:4 |"
                  " E6:4 r:2 E6:2 G6:2 E6:2 C6:4 | D6:4 r:2 D6:2 F#6:2 D6:2 A5:4 |"
                  " G#5:4 B5:4 E6:4 D6:2 B5:2 | G#5:8 B5:4 r:4",
             bass="octaves8", drums="funk", arp="updown16", fill="toms", harmony=2, arp_low=57,
             lead_cfg=dict(duty=0.125))
    C = dict(bars=8, chords="Am | G | D | D | Am | G | D | E",
             lead="r:16 | r:8 D6:2 B5:2 G5:4 | A5:16 | r:8 F#5:2 A5:2 D6:4 |"
                  " E6:8 C6:8 | D6:8 B5:8 | A5:4 D6:4 F#6:4 A6:4 | G#6:8 E6:4 B5:4",
             bass="funk", drums="funk_light", arp="updown16", fill="roll", arp_low=57, slide=True,
             lead_cfg=dict(gate=0.9, vib_depth=0.006))
    order = [("A", None), ("B", None), ("C", None), ("A", dict(harmony=2))]
    return Track("AutoPilot_loop", 140, key, dict(A=A, B=B, C=C), order,
                 lead=dict(duty=0.25, gate=0.75), bass_base=33, echo_steps=3,
                 levels=dict(arp=0.06), seed=4)


def keeping_up():
    """Match track: frantic chase, C minor, 150 BPM."""
    key = Key("C", "minor")
    A = dict(bars=8, chords="Cm | Ab | Bb | Cm | Cm | Ab | Fm | G",
             lead="C5:2 Eb5:2 G5:2 C6:2 Bb5:2 G5:2 Eb5:2 G5:2 | Ab5:4 G5:2 F5:2 Eb5:4 C5:4 |"
                  " D5:2 F5:2 Bb5:2 D6:2 C6:2 Bb5:2 F5:2 Bb5:2 | C6:6 Bb5:2 G5:8 |"
                  " C5:2 Eb5:2 G5:2 C6:2 D6:2 Eb6:2 D6:2 C6:2 | Ab5:4 C6:4 Eb6:4 C6:4 |"
                  " F6:2 Eb6:2 C6:2 Ab5:2 F5:4 Ab5:4 | G5:4 B5:4 D6:2 B5:2 G5:2 B4:2",
             bass="drive16", drums="chase", arp="frames", fill="snare", bass_pulse=0.4)
    B = dict(bars=8, chords="Eb | Bb | Cm | Ab | Eb | Bb | Fm | G",
             lead="G5:3 G5:3 Bb5:2 Eb6:4 D6:2 Bb5:2 | F5:3 F5:3 Bb5:2 D6:4 C6:2 Bb5:2 |"
                  " Eb5:3 G5:3 C6:2 Eb6:4 D6:2 C6:2 | C6:8 Ab5:4 Eb5:4 |"
                  " G5:3 Bb5:3 Eb6:2 G6:4 F6:2 Eb6:2 | D6:3 F6:3 D6:2 Bb5:4 F5:4 |"
                  " Ab5:2 C6:2 F6:2 Eb6:2 C6:2 Ab5:2 F5:2 Ab5:2 | G5:4 D6:4 B5:4 G5:4",
             bass="drive8", drums="chase_full", arp="up16", fill="toms", harmony=2,
             lead_cfg=dict(duty=0.125))
    C = dict(bars=8, chords="Ab | Bb | Cm | Cm | Ab | Bb | G | G",
             lead="Eb6:8 C6:8 | D6:8 F6:8 | G6:8 Eb6:4 C6:4 | G5:16 |"
                  " Ab5:4 C6:4 Eb6:4 Ab6:4 | G6:4 F6:4 D6:4 Bb5:4 | B5:4 D6:4 G6:4 F6:4 |"
                  " D6:2 B5:2 G5:2 D5:2 B4:2 G4:2 B4:2 D5:2",
             bass="octaves8", drums="pulse", arp="stabs", fill="roll", slide=True,
             lead_cfg=dict(gate=0.95, vib_depth=0.006))
    order = [("A", None), ("B", None), ("C", None),
             ("A", dict(harmony=2, drums="chase_full", arp="up16"))]
    return Track("KeepingUp_loop", 150, key, dict(A=A, B=B, C=C), order,
                 lead=dict(duty=0.25, gate=0.78), bass_base=33, echo_steps=2, echo_fb=0.28,
                 levels=dict(hat=0.08), seed=5)


TRACKS = [sarnek, almighty_dollar, distinction, autopilot, keeping_up]
