#!/usr/bin/env python3
"""Writes the default background music of the program directory
(package/files): a short swung phrase of a few notes, as a standard MIDI
file (swing01.mid, the file the settings name by default) and as a WAV file
of the same notes (swing01.wav), which today's browsers play themselves.
Standard library only; the output is the same on every run. The results
are committed, so the build never needs this; run it again only after
changing the tune here."""
import math
import os
import struct
import sys
import wave

# (MIDI note, length in thirds of a beat): long-short pairs of two thirds
# and one third give the swing.
TUNE = [(60, 2), (64, 1), (67, 2), (69, 1), (70, 2), (69, 1), (67, 3), (64, 3), (60, 6)]
TICKS_PER_QUARTER = 96
TEMPO_US_PER_QUARTER = 500000  # 120 beats a minute
THIRD_TICKS = TICKS_PER_QUARTER // 3


def variable_length(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)


def midi_bytes():
    track = bytearray()
    track += variable_length(0) + b"\xff\x51\x03" + TEMPO_US_PER_QUARTER.to_bytes(3, "big")
    track += variable_length(0) + b"\xc0\x00"  # piano
    for note, thirds in TUNE:
        ticks = thirds * THIRD_TICKS
        track += variable_length(0) + bytes([0x90, note, 90])
        track += variable_length(ticks) + bytes([0x80, note, 0])
    track += variable_length(0) + b"\xff\x2f\x00"
    header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS_PER_QUARTER)
    return header + b"MTrk" + struct.pack(">I", len(track)) + bytes(track)


def wav_frames(rate=8000):
    seconds_per_tick = TEMPO_US_PER_QUARTER / 1e6 / TICKS_PER_QUARTER
    frames = bytearray()
    for note, thirds in TUNE:
        frequency = 440.0 * 2 ** ((note - 69) / 12)
        count = int(thirds * THIRD_TICKS * seconds_per_tick * rate)
        for i in range(count):
            t = i / rate
            envelope = math.exp(-3.0 * t) * min(1.0, i / 50.0)
            sample = envelope * (0.6 * math.sin(2 * math.pi * frequency * t)
                                 + 0.2 * math.sin(4 * math.pi * frequency * t))
            frames.append(128 + int(sample * 100))  # 8-bit samples are unsigned
    return rate, bytes(frames)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "package", "files")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "swing01.mid"), "wb") as f:
        f.write(midi_bytes())
    rate, frames = wav_frames()
    with wave.open(os.path.join(folder, "swing01.wav"), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(rate)
        w.writeframes(frames)


if __name__ == "__main__":
    main()
