// The instruments of the soundtrack, synthesised as 8-bit tracker samples.
//
// A tonal instrument holds whole cycles of an exact length (32 bytes for
// tunes and chords, 64 for the bass), so that a note at C-2, which the
// players sound at about 8287 bytes a second, gives about 259 Hz (middle C)
// and the bass an octave lower. Its waves are sums of at most eight
// harmonics, so no cycle holds a partial above the sample's own Nyquist
// limit; its decay is baked in and its last cycles loop as the sustain.
// Drums are one-shot noise and swept tones made at the rate of the note they
// are played at; each song has a kit of its own.
#pragma once

#include <array>

#include "Tracker.h"

namespace mkassets {

struct Voice {
    int Period;                      // bytes per cycle
    std::array<double, 8> Harmonics; // amplitude of harmonics 1..8
    int DecayCycles;                 // cycles from full level to the sustain level
    double Sustain;                  // level held by the loop, 0..1
    double Damping;                  // how fast the upper harmonics fade during the decay
    int LoopCycles;                  // 0 = plays once
    int Volume;
};

Instrument TonalInstrument(const char* name, const Voice& voice);

struct DrumKit {
    double KickFrom;     // the kick's pitch falls from here (Hz) ...
    double KickTo;       // ... to here
    double KickDecay;    // seconds
    double KickClick;    // level of the beater's click, 0..1
    double SnareTone;    // Hz of the drum's body
    double SnareNoise;   // level of the wires, 0..1
    double SnareDecay;   // seconds
    double HatDecay;     // seconds
    double Brightness;   // 0 dull and soft .. 1 bright and hard
    int Volume;          // of every drum, 0..64
};

// Kick and snare are played at C-2, the hat an octave higher at C-3.
Instrument Kick(const DrumKit& kit);
Instrument Snare(const DrumKit& kit);
Instrument Hat(const DrumKit& kit);

}  // namespace mkassets
