#!/usr/bin/env python3
"""Renders the game's sounds as 16-bit WAV files into the folder given.

back.wav      a gentle music-box tune in C major, 16 bars at 96 beats per
              minute (40 s). Every note's tail that runs past the end is
              folded onto the beginning, so the file loops without a seam.
select.wav    a short rising blip: a letter is placed.
unselect.wav  a short falling blip: a letter is taken back.
oksel.wav     a quick rising bell arpeggio: the word is complete.
wrong.wav     two soft falling low notes: every letter is placed, but the
              word is not right.
"""
import array
import math
import sys
import wave

RATE = 44100
TAU = 2 * math.pi


def freq(midi):
    return 440.0 * 2 ** ((midi - 69) / 12)


def note_wave(f, seconds, partials, attack, decay, release=0.05):
    """Additive tone: partials are (multiple, level); an exponential decay
    with time constant `decay`, then a short release to exactly zero."""
    n = int(seconds * RATE)
    rel = int(release * RATE)
    out = array.array('f', bytes(4 * n))
    steps = [(TAU * f * m / RATE, lvl) for m, lvl in partials if f * m < RATE / 2.5]
    for i in range(n):
        t = i / RATE
        env = math.exp(-t / decay) * min(1.0, t / attack if attack > 0 else 1.0)
        if i > n - rel:
            env *= (n - i) / rel
        out[i] = env * sum(lvl * math.sin(w * i) for w, lvl in steps)
    return out


def mix_into(buf, wav, start, gain, wrap):
    """Adds wav at sample `start`; with wrap the part past the end continues
    at the beginning (the loop point stays continuous)."""
    length = len(buf)
    pos = 0
    while pos < len(wav):
        at = (start + pos) % length if wrap else start + pos
        if at >= length:
            return
        take = min(len(wav) - pos, length - at)
        seg = buf[at:at + take]
        buf[at:at + take] = array.array('f', [a + gain * b for a, b in zip(seg, wav[pos:pos + take])])
        pos += take


def write_wav(path, channels, level=0.6):
    """Scales the peak to `level` of full scale. The music stays well below
    the effects and the speech that play over it, so the mix does not clip."""
    peak = max(max(abs(x) for x in ch) for ch in channels) or 1.0
    scale = level / peak
    data = array.array('h')
    for frame in zip(*channels):
        data.extend(int(round(x * scale * 32767)) for x in frame)
    with wave.open(path, 'wb') as w:
        w.setnchannels(len(channels))
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(data.tobytes())


MUSIC_BOX = [(1, 1.0), (2, 0.28), (3, 0.08), (4.2, 0.04)]
SOFT_BASS = [(1, 1.0), (2, 0.18)]
PAD = [(1, 1.0), (2, 0.12), (3, 0.05)]

# Chords by bar (MIDI notes of the triad in the fourth octave) and the bass root.
C, Am, F, G, Dm, Em = (60, 64, 67), (57, 60, 64), (57, 60, 65), (55, 59, 62), (57, 62, 65), (55, 59, 64)
CHORDS = [C, Am, F, G, C, Am, Dm, G, F, G, Em, Am, F, G, C, G]
ROOTS = [36, 45, 41, 43, 36, 45, 38, 43, 41, 43, 40, 45, 41, 43, 36, 43]

# Melody by bar: (note, beat in bar, length in beats).
MELODY = [
    [(76, 0, 1), (79, 1, 1), (76, 2, 1), (72, 3, 1)],
    [(69, 0, 1), (72, 1, 1), (76, 2, 2)],
    [(77, 0, 1), (76, 1, .5), (74, 1.5, .5), (72, 2, 2)],
    [(74, 0, 1), (76, 1, 1), (74, 2, 1), (71, 3, 1)],
    [(76, 0, 1), (79, 1, 1), (84, 2, 1.5), (83, 3.5, .5)],
    [(81, 0, 1), (79, 1, 1), (76, 2, 2)],
    [(77, 0, 1), (76, 1, 1), (74, 2, 1), (69, 3, 1)],
    [(71, 0, 1), (74, 1, 1), (79, 2, 2)],
    [(81, 0, 1.5), (79, 1.5, .5), (77, 2, 1), (81, 3, 1)],
    [(79, 0, 1.5), (77, 1.5, .5), (76, 2, 1), (74, 3, 1)],
    [(76, 0, 1), (79, 1, 1), (83, 2, 2)],
    [(81, 0, 1), (79, 1, 1), (76, 2, 1), (72, 3, 1)],
    [(77, 0, 1), (81, 1, 1), (84, 2, 1), (81, 3, 1)],
    [(79, 0, 1), (83, 1, .5), (81, 1.5, .5), (79, 2, 1), (74, 3, 1)],
    [(76, 0, 1), (74, 1, 1), (72, 2, 2)],
    [(74, 0, 1), (71, 1, 1), (67, 2, 1), (74, 3, 1)],
]


def render_back(path):
    beat = 60 / 96
    bar = 4 * beat
    length = int(round(len(CHORDS) * bar * RATE))
    left = array.array('f', bytes(4 * length))
    right = array.array('f', bytes(4 * length))
    cache = {}

    def tone(kind, midi, seconds):
        key = (kind, midi, seconds)
        if key not in cache:
            if kind == 'box':
                cache[key] = note_wave(freq(midi), seconds, MUSIC_BOX, 0.004, 0.45)
            elif kind == 'bass':
                cache[key] = note_wave(freq(midi), seconds, SOFT_BASS, 0.02, 0.9)
            else:
                cache[key] = note_wave(freq(midi), seconds, PAD, 0.35, 3.0, release=0.5)
        return cache[key]

    for b, (chord, root) in enumerate(zip(CHORDS, ROOTS)):
        start = b * bar
        for n in chord:
            w = tone('pad', n, round(bar + 0.4, 3))
            mix_into(left, w, int(start * RATE), 0.07, True)
            mix_into(right, w, int(start * RATE), 0.05, True)
        for half in (0, 2):
            w = tone('bass', root, round(2 * beat + 0.3, 3))
            at = int((start + half * beat) * RATE)
            mix_into(left, w, at, 0.30, True)
            mix_into(right, w, at, 0.30, True)
        for n, at_beat, beats in MELODY[b]:
            w = tone('box', n, round(beats * beat + 1.2, 3))
            at = int((start + at_beat * beat) * RATE)
            mix_into(left, w, at, 0.20, True)
            mix_into(right, w, at, 0.26, True)
            # A soft echo an eighth later on the other side gives some space.
            echo = at + int(beat / 2 * RATE)
            mix_into(left, w, echo, 0.07, True)
            mix_into(right, w, echo, 0.04, True)
    write_wav(path, [left, right], level=0.35)


def blip(f0, f1, seconds, decay):
    n = int(seconds * RATE)
    out = array.array('f', bytes(4 * n))
    phase = 0.0
    for i in range(n):
        t = i / RATE
        f = f0 + (f1 - f0) * min(1.0, t / (seconds * 0.6))
        phase += TAU * f / RATE
        env = math.exp(-t / decay) * min(1.0, t / 0.003) * min(1.0, (n - i) / (0.01 * RATE))
        out[i] = env * (math.sin(phase) + 0.2 * math.sin(2 * phase))
    return out


def render_oksel(path):
    n = int(0.75 * RATE)
    buf = array.array('f', bytes(4 * n))
    for k, midi in enumerate((72, 76, 79, 84)):
        w = note_wave(freq(midi), 0.75 - k * 0.07, MUSIC_BOX, 0.003, 0.22 + 0.06 * k)
        mix_into(buf, w, int(k * 0.07 * RATE), 0.8 if k < 3 else 1.0, False)
    write_wav(path, [buf])


def render_wrong(path):
    n = int(0.34 * RATE)
    buf = array.array('f', bytes(4 * n))
    # A gentle "uh-oh": a hollow, odd-partial tone a minor third down; it
    # tells the learner to look again without sounding like a punishment.
    hollow = [(1, 1.0), (3, 0.25), (5, 0.08)]
    mix_into(buf, note_wave(freq(58), 0.15, hollow, 0.006, 0.09), 0, 1.0, False)
    mix_into(buf, note_wave(freq(55), 0.2, hollow, 0.006, 0.11), int(0.14 * RATE), 1.0, False)
    write_wav(path, [buf], level=0.5)


def main():
    folder = sys.argv[1]
    render_back(folder + '/back.wav')
    write_wav(folder + '/select.wav', [blip(700, 1050, 0.12, 0.045)])
    write_wav(folder + '/unselect.wav', [blip(620, 400, 0.12, 0.045)])
    render_oksel(folder + '/oksel.wav')
    render_wrong(folder + '/wrong.wav')


if __name__ == '__main__':
    main()
