// Loudness as a listener hears it: the K-weighting of broadcast loudness
// meters (a high shelf for the head's effect, a high-pass below 40 Hz), in
// LUFS. The generator levels its effects with it and the tests check the
// written files with it.
#pragma once

#include <span>
#include <vector>

namespace mkassets {

// One second-order filter section, its coefficients normalised by a0.
struct Biquad {
    double B0, B1, B2, A1, A2;
};
// The signal through the section, in place.
void Filter(std::vector<double>& signal, const Biquad& f);

// The signal through the two K-weighting filters, designed for `rate`.
std::vector<double> KWeighted(std::span<const double> samples, int rate);

// Loudness of a short sound: the K-weighted power over its loudest 400 ms
// (or over the whole sound when it is shorter), samples in -1..1.
double EffectLoudness(std::span<const double> samples, int rate);

// Integrated loudness of a long stereo signal with the standard gating: 400 ms
// blocks overlapping by three quarters, blocks below -70 LUFS and blocks more
// than 10 LU below the mean of the rest left out.
double IntegratedLoudness(std::span<const double> left, std::span<const double> right, int rate);

}  // namespace mkassets
