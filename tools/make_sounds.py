#!/usr/bin/python3
"""Makes the program's four event sounds: sound1.bin (shutter), sound2.bin (burst),
sound3.bin (tick) and sound4.bin (alert), RIFF/WAVE files of 16-bit mono PCM.

Usage: make_sounds.py [output folder]   (default: the repository's assets folder)

Every sound is computed from fixed numbers and a seeded noise source, so a run
gives the same bytes each time.
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 22050
PEAK = 0.6


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def mix(base, sound, at_seconds, gain=1.0):
    start = int(RATE * at_seconds)
    if len(base) < start + len(sound):
        base.extend([0.0] * (start + len(sound) - len(base)))
    for i, v in enumerate(sound):
        base[start + i] += gain * v
    return base


def noise_click(rng, seconds, decay, cutoff, highpass):
    """Decaying noise, low-passed then high-passed: a mechanical click."""
    out, low, prev_low, high = [], 0.0, 0.0, 0.0
    a = 1.0 - math.exp(-2.0 * math.pi * cutoff / RATE)
    b = math.exp(-2.0 * math.pi * highpass / RATE)
    for i in range(int(RATE * seconds)):
        t = i / RATE
        low += a * (rng.uniform(-1.0, 1.0) - low)
        high = b * (high + low - prev_low)
        prev_low = low
        out.append(high * math.exp(-t / decay))
    return out


def tone(freqs, seconds, decay, attack=0.002):
    """A sum of sines (frequency, weight) with a short attack and an exponential decay."""
    out = []
    for i in range(int(RATE * seconds)):
        t = i / RATE
        envelope = min(1.0, t / attack) * math.exp(-t / decay)
        out.append(envelope * sum(w * math.sin(2.0 * math.pi * f * t) for f, w in freqs))
    return out


def shutter(rng):
    s = silence(0.26)
    mix(s, noise_click(rng, 0.05, 0.008, 6000, 400), 0.0)
    mix(s, tone([(180, 1.0)], 0.05, 0.012), 0.0, 0.5)
    mix(s, noise_click(rng, 0.07, 0.012, 4500, 300), 0.10, 0.9)
    mix(s, tone([(140, 1.0)], 0.06, 0.015), 0.10, 0.4)
    return s


def burst(rng):
    s = silence(0.48)
    for n in range(5):
        mix(s, noise_click(rng, 0.04, 0.006, 5500, 500), n * 0.075, 1.0 - 0.08 * n)
    return s


def tick(_rng):
    return tone([(1320, 1.0), (2640, 0.25)], 0.09, 0.014, attack=0.001)


def alert(_rng):
    bell = [(1.0, 1.0), (2.0, 0.35), (3.0, 0.12)]
    s = silence(0.62)
    mix(s, tone([(784 * k, w) for k, w in bell], 0.30, 0.09), 0.0)
    mix(s, tone([(1047 * k, w) for k, w in bell], 0.45, 0.13), 0.17)
    return s


def fade_out(samples, seconds=0.01):
    n = min(len(samples), int(RATE * seconds))
    for i in range(n):
        samples[len(samples) - n + i] *= 1.0 - (i + 1) / n
    return samples


def write_wave(path, samples):
    top = max(abs(v) for v in samples) or 1.0
    frames = b"".join(struct.pack("<h", int(round(32767 * PEAK * v / top))) for v in fade_out(samples))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "assets")
    os.makedirs(folder, exist_ok=True)
    for n, make in enumerate([shutter, burst, tick, alert], start=1):
        write_wave(os.path.join(folder, "sound%d.bin" % n), make(random.Random(n)))


if __name__ == "__main__":
    main()
