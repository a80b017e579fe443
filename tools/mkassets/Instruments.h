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
//
// Besides the plain additive voice, each song has instruments of its own,
// each a recipe of its own: the title's plucked string and glass chimes,
// the space scene's flute and choir, the battle's swept pulse and ride
// cymbal, the crawl's singing voice and church bells. Their waves reach up
// to the 15th harmonic, the most a 32-byte cycle holds, so the tunes carry
// a top end above 4 kHz.
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

// The common frame of the songs' own instruments: cycles of 32 bytes, a
// decay from the attack to the sustain level, then a loop of whole cycles in
// which every change the instrument makes (a sweep, a beat, a breath) comes
// round exactly once, so the loop is seamless. Without a loop the sound
// fades out and plays once.
struct Tone {
    int DecayCycles;
    double Sustain;  // level at the end of the decay, 0..1
    int LoopCycles;  // 0 = plays once
    int Volume;
};

// A plucked string: a bright pick that dulls as it rings; `brightness` 0..1.
Instrument Pluck(const char* name, const Tone& tone, double brightness);
// Glass chimes: a tone modulated at `ratio` times its pitch, the modulation
// (`depth`, in radians) dying away to a third of its start.
Instrument Glass(const char* name, const Tone& tone, int ratio, double depth);
// A flute: few harmonics and a breath of noise, stronger at the attack.
Instrument Flute(const char* name, const Tone& tone, double breath);
// A choir: three voices a few cents apart, sung on an open vowel, swelling in.
Instrument Choir(const char* name, const Tone& tone);
// A pulse wave whose width sweeps from a square to a thin pulse and back once
// per loop, `sweep` 0..1 of the way.
Instrument SweptPulse(const char* name, const Tone& tone, double sweep);
// A singing voice: a bowed, breathy tone shaped by two vowel formants.
Instrument SingingVoice(const char* name, const Tone& tone);
// A church bell: the partials of a bell (hum, prime, minor third, fifth,
// nominal and above) dying the faster the higher they sit. Plays once.
Instrument Bell(const char* name, int decayCycles, int volume);

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

// The kick is played at C-2, the snare at C-3 and the hat and the ride at B-3,
// the highest note, so that their noise reaches up to 15 kHz.
Instrument Kick(const DrumKit& kit);
Instrument Snare(const DrumKit& kit);
Instrument Hat(const DrumKit& kit);
// A ride cymbal: a cluster of metallic partials over a hiss, ringing long.
Instrument Ride(const DrumKit& kit);

}  // namespace mkassets
