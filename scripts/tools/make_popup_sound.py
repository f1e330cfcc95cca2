#!/usr/bin/env python3
"""Writes the blocked-popup sound: a short two-note falling chime, made from sine waves."""
import math
import struct
import sys
import wave

RATE = 22050


def tone(freq, seconds, volume):
    count = int(RATE * seconds)
    for i in range(count):
        t = i / RATE
        envelope = math.exp(-t * 18.0) * min(1.0, i / 80.0)
        value = math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(4 * math.pi * freq * t)
        yield volume * envelope * value / 1.3


def main(path):
    samples = list(tone(1318.5, 0.09, 0.6)) + list(tone(987.8, 0.16, 0.6))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(s * 32767)) for s in samples))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "kpp.wav")
