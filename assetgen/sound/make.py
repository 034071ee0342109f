#!/usr/bin/python3
"""Makes Vendrabolt's sound assets, then checks them.

Run from anywhere (paths are taken from this file's place):
    /usr/bin/python3 assetgen/sound/make.py [--skip-music] [--no-check]

Writes
    assets/sound/*.wav                 the 20 sound effects (16-bit PCM, 44.1 kHz, mono)
    assets/sound/<the five>.mp3        the music loops (44.1 kHz stereo, gapless)
    assets/json/CharacterSounds.json   sound set, character events
    assets/json/GameSounds.json        sound set, game events

Needs python3-numpy and lame (scripts/install-deps --assetgen).
Output is deterministic: fixed seeds, no time stamps, no ID3 tags.
"""

import json
import os
import subprocess
import sys
import tempfile
from multiprocessing import Pool
from pathlib import Path

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import numpy as np  # noqa: E402

import music  # noqa: E402
import mp3io  # noqa: E402
import sfx  # noqa: E402
from synth import SR, a_weight, db, fade_edges, loudest_window_rms, read_wav, rms, write_wav  # noqa: E402

ROOT = HERE.parent.parent
ASSETS = ROOT / "assets"
SOUND = ASSETS / "sound"
JSON = ASSETS / "json"

# effect loudness: the loudest 100 ms window of the A-weighted signal at this
# RMS (so a low thump and a high beep sound about as loud), peaks never above
# SFX_PEAK_DB
SFX_TARGET_DB = -17.0
SFX_PEAK_DB = -1.0

MUSIC_MIN_S, MUSIC_MAX_S = 30.0, 90.0


# ----------------------------------------------------------------------------
# effects
# ----------------------------------------------------------------------------

def normalise_effect(x):
    x = np.asarray(x, dtype=np.float64)
    x = x - np.mean(x)
    x = fade_edges(x, 0.002, 0.012)
    g = 10 ** (SFX_TARGET_DB / 20.0) / max(loudest_window_rms(a_weight(x)), 1e-9)
    peak = np.abs(x).max() * g
    cap = 10 ** (SFX_PEAK_DB / 20.0)
    if peak > cap:
        g *= cap / peak
    return x * g


def make_effects():
    SOUND.mkdir(parents=True, exist_ok=True)
    for event, base, maker, _label, _set, _vol in sfx.EFFECTS:
        y = normalise_effect(maker())
        write_wav(SOUND / (base + ".wav"), y)


# ----------------------------------------------------------------------------
# music
# ----------------------------------------------------------------------------

def _render_track(i):
    tr = music.TRACKS[i]()
    out = tr.render()
    return tr.name, tr.bpm, out


def make_music():
    SOUND.mkdir(parents=True, exist_ok=True)
    with Pool(min(5, os.cpu_count() or 1)) as pool:
        results = pool.map(_render_track, range(len(music.TRACKS)))
    info = []
    with tempfile.TemporaryDirectory() as tmp:
        for name, bpm, out in results:
            wav = Path(tmp) / "loop.wav"
            write_wav(wav, out)
            mp3io.encode(wav, SOUND / (name + ".mp3"))
            info.append((name, bpm, out.shape[1]))
    # kept for the checks: the exact loop length of every track
    return info


# ----------------------------------------------------------------------------
# sound sets
# ----------------------------------------------------------------------------

def sound_set(name, typ):
    events = []
    for event, base, _maker, label, set_name, vol in sfx.EFFECTS:
        if set_name != name:
            continue
        events.append({
            "name": label,
            "eventStart": event,
            "eventEnd": "",
            "file": "./assets/sound/" + base + ".wav",
            "loop": False,
            "volume": vol,
        })
    return {"name": name, "type": typ, "events": events}


def make_sound_sets():
    JSON.mkdir(parents=True, exist_ok=True)
    for name, typ in (("CharacterSounds", "CharacterSet"), ("GameSounds", "GeneralSet")):
        with open(JSON / (name + ".json"), "w", encoding="utf-8", newline="\n") as f:
            json.dump(sound_set(name, typ), f, indent=4)
            f.write("\n")


# ----------------------------------------------------------------------------
# checks
# ----------------------------------------------------------------------------

def check_effects(problems):
    print("effects (loudest 100 ms A-weighted RMS / plain RMS / peak / length):")
    for event, base, *_ in sfx.EFFECTS:
        path = SOUND / (base + ".wav")
        a, sr, ch = read_wav(path)
        ok = sr == SR and ch == 1
        lw = db(loudest_window_rms(a_weight(a)))
        lp = db(loudest_window_rms(a))
        pk = db(np.abs(a).max())
        edge = max(abs(a[0]), abs(a[-1]))
        if not ok:
            problems.append("%s: not 44.1 kHz mono" % path.name)
        if pk > SFX_PEAK_DB + 0.05:
            problems.append("%s: peak %.1f dBFS" % (path.name, pk))
        if lw < SFX_TARGET_DB - 6.0:
            problems.append("%s: only %.1f dBFS loud" % (path.name, lw))
        if edge > 1e-3:
            problems.append("%s: starts or ends off zero (click)" % path.name)
        print("  %-18s %6.1f dB %6.1f dB %6.1f dB %5.2f s" % (path.name, lw, lp, pk, a.shape[-1] / sr))


def check_music(problems, lengths=None):
    print("music (decoded):")
    for fn in music.TRACKS:
        tr = fn()
        path = SOUND / (tr.name + ".mp3")
        if not path.exists():
            problems.append("%s missing" % path.name)
            continue
        with open(path, "rb") as f:
            head = f.read(3)
        if head == b"ID3":
            problems.append("%s has an ID3 tag" % path.name)
        a, sr, how = mp3io.decode(path)
        n = a.shape[1]
        expect = tr.bars() * 16 * tr.step
        dur = n / sr
        pk = db(np.abs(a).max())
        level = db(rms(a))
        # the seam: the step from the last sample to the first, against the
        # steps inside the music
        d = np.abs(np.diff(a, axis=1))
        typical = np.percentile(d, 99.9)
        seam = np.abs(a[:, 0] - a[:, -1]).max()
        # short-term level just before and after the seam against the mean
        w = int(0.05 * sr)
        tail = rms(a[:, -w:])
        headr = rms(a[:, :w])
        line = ("  %-26s %5.1f s %7.3f BPM %2d ch %5d Hz rms %5.1f dB peak %5.1f dB "
                "seam %.4f (p99.9 step %.4f) 50ms tail/head %.1f/%.1f dB [%s]"
                % (path.name, dur, tr.bpm, a.shape[0], sr, level, pk, seam, typical,
                   db(tail), db(headr), how))
        print(line)
        if sr != SR or a.shape[0] != 2:
            problems.append("%s: not 44.1 kHz stereo" % path.name)
        if not (MUSIC_MIN_S <= dur <= MUSIC_MAX_S):
            problems.append("%s: %.1f s long" % (path.name, dur))
        if how.startswith("libmpg123") and n != expect:
            problems.append("%s: decodes to %d samples, loop is %d (not gapless)" % (path.name, n, expect))
        if pk > -0.3:
            problems.append("%s: peak %.1f dBFS" % (path.name, pk))
        if not (-24.0 <= level <= -14.0):
            problems.append("%s: level %.1f dBFS" % (path.name, level))
        if seam > typical:
            problems.append("%s: seam step %.4f above the music's own %.4f" % (path.name, seam, typical))
        if min(db(tail), db(headr)) < level - 15.0:
            problems.append("%s: a near-silent gap at the seam" % path.name)


def check_sets(problems):
    names = set()
    for name in ("CharacterSounds", "GameSounds"):
        path = JSON / (name + ".json")
        doc = json.loads(path.read_text(encoding="utf-8"))
        if doc.get("name") != name:
            problems.append("%s: root name %r" % (path.name, doc.get("name")))
        for ev in doc["events"]:
            for k, t in (("name", str), ("eventStart", str), ("eventEnd", str), ("file", str),
                         ("loop", bool), ("volume", (int, float))):
                if not isinstance(ev.get(k), t):
                    problems.append("%s: %r lacks %s" % (path.name, ev.get("name"), k))
            f = ROOT / ev["file"]
            if not f.exists():
                problems.append("%s: %s missing" % (path.name, ev["file"]))
            names.add(ev["eventStart"])
    fired = {"jump", "doubleJump", "wallJump", "punchHit", "punchMiss", "slimePickup",
             "slimeFull", "portal", "slimeDeliver", "slimeGold", "countdownBeep",
             "roundStart", "kingSpawn", "goldenSpawn", "normalSpawn", "meteorSpawn",
             "meteorBoom", "menuPress", "menuHover", "zoneChange"}
    for ev in sorted(fired - names):
        problems.append("event %s has no binding" % ev)


def main(argv):
    skip_music = "--skip-music" in argv
    make_effects()
    if not skip_music:
        make_music()
    make_sound_sets()
    if "--no-check" in argv:
        return 0
    problems = []
    check_effects(problems)
    if not skip_music:
        check_music(problems)
    check_sets(problems)
    if problems:
        print("PROBLEMS:")
        for p in problems:
            print("  " + p)
        return 1
    print("sound assets OK")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
