#pragma once
// A tiny additive synthesiser: notes with a timbre, mixed into one buffer.
#include <vector>

namespace sounds {

enum class TTimbre {
    Bell, // bright, quick ring: letters found, the word found
    Soft, // round and low, slightly wavering: misses and the lost word
};

struct TNote {
    double start;     // seconds
    double duration;  // seconds until the release begins
    double frequency; // Hz at the start
    double glideTo;   // Hz at the end (equal to Frequency for a steady pitch)
    double volume;    // 0..1
};

// Mixes Notes into a buffer of Length seconds, then scales the loudest sample to Peak.
std::vector<double> Render(const std::vector<TNote>& notes, TTimbre timbre, double length, int sampleRate,
                           double peak);

} // namespace sounds
