"""MP3 encoding with LAME and decoding for the checks.

Decoding goes through libmpg123 (via ctypes), which is the decoder that
SDL2_mixer uses on Debian: it reads LAME's Info tag and drops the encoder
delay and padding (gapless), so what it gives back is exactly what the game
plays. Where libmpg123 cannot be loaded, `lame --decode` is the fallback.
"""

import ctypes
import ctypes.util
import os
import subprocess
import tempfile

import numpy as np

from synth import read_wav

LAME_ARGS = [
    "--quiet",
    "--noreplaygain",   # no gain analysis: nothing depends on it
    "-q", "2",
    "-b", "160", "--cbr",
    "-m", "j",
]
# LAME writes no ID3 tag unless asked, and its Info (Xing) tag holds only the
# encoder version, delay, padding and CRCs: no time stamp, so the output is
# byte-for-byte repeatable. The Info tag is kept on purpose: it is what lets
# a gapless decoder (mpg123, used by SDL2_mixer) loop without a gap.


def encode(wav_path, mp3_path):
    subprocess.run(["lame"] + LAME_ARGS + [str(wav_path), str(mp3_path)], check=True)


def _load_mpg123():
    name = ctypes.util.find_library("mpg123") or "libmpg123.so.0"
    try:
        lib = ctypes.CDLL(name)
    except OSError:
        return None
    lib.mpg123_new.restype = ctypes.c_void_p
    lib.mpg123_new.argtypes = [ctypes.c_char_p, ctypes.POINTER(ctypes.c_int)]
    lib.mpg123_open.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
    lib.mpg123_getformat.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_long),
                                     ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
    lib.mpg123_format_none.argtypes = [ctypes.c_void_p]
    lib.mpg123_format.argtypes = [ctypes.c_void_p, ctypes.c_long, ctypes.c_int, ctypes.c_int]
    lib.mpg123_read.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_size_t,
                                ctypes.POINTER(ctypes.c_size_t)]
    lib.mpg123_close.argtypes = [ctypes.c_void_p]
    lib.mpg123_delete.argtypes = [ctypes.c_void_p]
    lib.mpg123_param.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_long, ctypes.c_double]
    lib.mpg123_init()
    return lib


MPG123_DONE = -12
MPG123_NEW_FORMAT = -11
MPG123_OK = 0
MPG123_ENC_SIGNED_16 = 0xD0
MPG123_ADD_FLAGS = 2
MPG123_QUIET = 0x20


def decode_mpg123(path):
    lib = _load_mpg123()
    if lib is None:
        return None
    err = ctypes.c_int(0)
    mh = lib.mpg123_new(None, ctypes.byref(err))
    if not mh:
        return None
    try:
        lib.mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0)
        if lib.mpg123_open(mh, str(path).encode()) != MPG123_OK:
            return None
        rate = ctypes.c_long(0)
        ch = ctypes.c_int(0)
        enc = ctypes.c_int(0)
        lib.mpg123_getformat(mh, ctypes.byref(rate), ctypes.byref(ch), ctypes.byref(enc))
        lib.mpg123_format_none(mh)
        lib.mpg123_format(mh, rate.value, ch.value, MPG123_ENC_SIGNED_16)
        chunks = []
        size = 1 << 16
        buf = ctypes.create_string_buffer(size)
        done = ctypes.c_size_t(0)
        while True:
            r = lib.mpg123_read(mh, buf, size, ctypes.byref(done))
            if done.value:
                chunks.append(buf.raw[:done.value])
            if r == MPG123_DONE:
                break
            if r not in (MPG123_OK, MPG123_NEW_FORMAT):
                return None
        lib.mpg123_close(mh)
    finally:
        lib.mpg123_delete(mh)
    a = np.frombuffer(b"".join(chunks), dtype="<i2").astype(np.float64) / 32768.0
    a = a.reshape(-1, ch.value).T
    return a, int(rate.value), "libmpg123 (gapless, as SDL2_mixer)"


def decode_lame(path):
    fd, tmp = tempfile.mkstemp(suffix=".wav")
    os.close(fd)
    try:
        subprocess.run(["lame", "--quiet", "--decode", str(path), tmp], check=True)
        a, sr, ch = read_wav(tmp)
    finally:
        os.unlink(tmp)
    if a.ndim == 1:
        a = a[None, :]
    return a, sr, "lame --decode"


def decode(path):
    return decode_mpg123(path) or decode_lame(path)
