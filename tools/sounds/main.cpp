// Synthesises the game's four sounds. Usage: garvo_sounds SOUNDS_FOLDER
#include "sounds/Synth.h"
#include "sounds/WaveFile.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {
constexpr int SampleRate = 22050;

// Note frequencies in Hz (equal temperament, A4 = 440).
constexpr double C4 = 261.63, Eb4 = 311.13, G4 = 392.00, B3 = 246.94, A3 = 220.00, G3 = 196.00, D3 = 146.83;
constexpr double C5 = 523.25, E5 = 659.25, G5 = 783.99, C6 = 1046.50, E6 = 1318.51, G6 = 1567.98;

void Make(const std::string& path, const std::vector<sounds::TNote>& notes, sounds::TTimbre timbre, double length,
          double peak)
{
    sounds::WriteWave(path, sounds::Render(notes, timbre, length, SampleRate, peak), SampleRate);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SOUNDS_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    using sounds::TTimbre;
    try {
        // A letter found: a light rising two-note chime.
        Make(folder + "/key_success.wav", {{0.00, 0.06, C6, C6, 0.8}, {0.06, 0.12, G6, G6, 0.7}}, TTimbre::Bell, 0.32,
             0.55);
        // A letter missed: a short, soft falling knock.
        Make(folder + "/key_fail.wav", {{0.00, 0.16, G3, D3, 1.0}}, TTimbre::Soft, 0.26, 0.6);
        // The word found: a rising arpeggio that rings out.
        Make(folder + "/success.wav",
             {{0.00, 0.10, C5, C5, 0.8}, {0.10, 0.10, E5, E5, 0.8}, {0.20, 0.10, G5, G5, 0.8},
              {0.30, 0.55, C6, C6, 0.9}, {0.30, 0.55, E6, E6, 0.35}, {0.30, 0.55, G5, G5, 0.35}},
             TTimbre::Bell, 1.2, 0.7);
        // The word lost: a slow falling minor line that sinks at the end.
        Make(folder + "/fail.wav",
             {{0.00, 0.22, G4, G4, 0.8}, {0.26, 0.22, Eb4, Eb4, 0.8}, {0.52, 0.22, C4, C4, 0.8},
              {0.78, 0.50, B3, A3, 0.9}},
             TTimbre::Soft, 1.45, 0.65);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "garvo_sounds: %s\n", error.what());
        return 1;
    }
    return 0;
}
