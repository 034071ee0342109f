#!/usr/bin/env python3
"""Writes the small sound files of tests/data/audio/formats/ with the common
encoders (sox, lame, oggenc, flac, opusenc; scripts/install-deps --assetgen
installs them): one file for each kind of file a content maker may drop in,
each a short 440 Hz sine at half of full scale, a few KB.

    python3 assetgen/make_sound_samples.py

The output is repeatable (fixed Ogg serial numbers, no dither) and
committed. The lengths the sound tests expect are in their own table
(tests/audio/SoundFormatsTest.cpp).
"""

import pathlib
import subprocess
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUT = ROOT / "tests" / "data" / "audio" / "formats"


def run(*args):
    subprocess.run([str(a) for a in args], check=True)


def tone(path, seconds, rate, channels, *encoding):
    run("sox", "-D", "-n", "-r", rate, "-c", channels, *encoding, path, "synth", seconds, "sine", "440", "vol", "0.5")


def chunk(name, body):
    return name + len(body).to_bytes(4, "little") + body + (b"\0" if len(body) % 2 else b"")


def with_list_chunks(wav):
    """The same WAV with two LIST chunks between "fmt " and "data", as audio
    editors write them."""
    data = wav.read_bytes()
    at = data.index(b"data")
    info = chunk(b"LIST", b"INFO" + chunk(b"ISFT", b"vendrabolt sample maker\0") + chunk(b"ICMT", b"a tone\0"))
    adtl = chunk(b"LIST", b"adtl" + chunk(b"labl", (1).to_bytes(4, "little") + b"start\0"))
    body = data[12:at] + info + adtl + data[at:]
    wav.write_bytes(b"RIFF" + (4 + len(body)).to_bytes(4, "little") + b"WAVE" + body)


def id3v2_size(data):
    size = 0
    for byte in data[6:10]:
        size = (size << 7) | (byte & 0x7F)
    return 10 + size


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        scratch = pathlib.Path(scratch)
        # WAV: 8 kHz, a quarter of a second.
        tone(OUT / "wav-u8-mono.wav", 0.25, 8000, 1, "-b", "8", "-e", "unsigned-integer")
        tone(OUT / "wav-s16-stereo-list.wav", 0.25, 8000, 2, "-b", "16")
        with_list_chunks(OUT / "wav-s16-stereo-list.wav")
        # sox writes WAVE_FORMAT_EXTENSIBLE for more than 16 bits unless told "wavpcm".
        tone(OUT / "wav-s24-stereo-extensible.wav", 0.25, 8000, 2, "-b", "24")
        tone(OUT / "wav-s32-mono.wav", 0.25, 8000, 1, "-b", "32", "-t", "wavpcm")
        tone(OUT / "wav-f32-mono.wav", 0.25, 8000, 1, "-e", "floating-point", "-b", "32")

        # MP3: half a second, from 44.1, 22.05 (MPEG-2) and 11.025 kHz (MPEG-2.5).
        source = {}
        for rate in (44100, 22050, 11025):
            source[rate] = scratch / f"tone{rate}.wav"
            tone(source[rate], 0.5, rate, 1, "-b", "16")
        lame = ["lame", "--quiet", "--noreplaygain"]
        run(*lame, "-b", "64", source[44100], OUT / "mp3-cbr-xing.mp3")
        run(*lame, "-t", "-b", "64", source[44100], OUT / "mp3-cbr-no-xing.mp3")
        run(*lame, "-V", "5", source[44100], OUT / "mp3-vbr-xing.mp3")
        run(*lame, "-t", "-V", "5", source[44100], OUT / "mp3-vbr-no-xing.mp3")
        run(*lame, "--freeformat", "-b", "96", source[44100], OUT / "mp3-free-format.mp3")
        run(*lame, "-b", "64", "--id3v1-only", "--tt", "Tone", "--ta", "Vendrabolt", source[44100],
            OUT / "mp3-id3v1.mp3")
        run(*lame, "-b", "64", "--id3v2-only", "--tt", "Tone", "--ta", "Vendrabolt", source[44100],
            OUT / "mp3-id3v2.mp3")
        tagged = (OUT / "mp3-id3v2.mp3").read_bytes()
        tag, frames = tagged[: id3v2_size(tagged)], tagged[id3v2_size(tagged):]
        (OUT / "mp3-two-id3v2.mp3").write_bytes(tag + tag + frames)
        (OUT / "mp3-bytes-after-id3v2.mp3").write_bytes(tag + b"\0\x11junk between tag and frame" * 4 + frames)
        run(*lame, "-b", "64", source[22050], OUT / "mp3-mpeg2-22khz.mp3")
        run(*lame, "-b", "32", source[11025], OUT / "mp3-mpeg25-11khz.mp3")

        # Ogg Vorbis at the lowest and highest quality, the second with a
        # comment header of 6 KB that spans Ogg pages; Ogg Opus; FLAC.
        tone(source[22050].with_name("short22050.wav"), 0.3, 22050, 1, "-b", "16")
        short = source[22050].with_name("short22050.wav")
        run("oggenc", "--quiet", "-s", "1", "-q", "-1", short, "-o", OUT / "vorbis-q-1.ogg")
        run("oggenc", "--quiet", "-s", "2", "-q", "10", "-c", "COMMENT=" + "a long comment " * 400, short,
            "-o", OUT / "vorbis-q10-long-comment.ogg")
        run("opusenc", "--quiet", "--serial", "3", "--bitrate", "24", short, OUT / "opus-mono.opus")
        run("flac", "--silent", "--force", "-o", OUT / "flac-s16-mono.flac", short)

        # Clicks of a few milliseconds, shorter than what a resampler looks ahead.
        clicks = {}
        for name, seconds, rate in (("opus", 0.010, 48000), ("flac", 0.008, 48000), ("vorbis", 0.015, 22050),
                                    ("mp3", 0.010, 22050)):
            clicks[name] = scratch / f"{name}-click.wav"
            tone(clicks[name], seconds, rate, 1, "-b", "16")
        run("opusenc", "--quiet", "--serial", "4", "--bitrate", "24", clicks["opus"], OUT / "opus-10ms.opus")
        run("flac", "--silent", "--force", "--no-padding", "-o", OUT / "flac-8ms-48khz.flac", clicks["flac"])
        run("oggenc", "--quiet", "-s", "5", "-q", "3", clicks["vorbis"], "-o", OUT / "vorbis-15ms-22khz.ogg")
        run(*lame, "-b", "64", clicks["mp3"], OUT / "mp3-10ms-22khz.mp3")
        # Four frames, fewer than the MP3 frame finder looks for in a row: the
        # sound tests follow it with the tags and bytes that end a file's sound.
        tone(scratch / "clip.wav", 0.040, 44100, 1, "-b", "16")
        run(*lame, "-b", "64", scratch / "clip.wav", OUT / "mp3-40ms-44khz.mp3")


if __name__ == "__main__":
    main()
