#pragma once
// Writes 16-bit PCM mono RIFF wave files, the form every sound player reads.
#include <string>
#include <vector>

namespace sounds {

// Samples run from -1 to 1; values beyond are clipped. Throws std::runtime_error on failure.
void WriteWave(const std::string& path, const std::vector<double>& samples, int sampleRate);

} // namespace sounds
