#include "sounds/WaveFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace sounds {

namespace {
void PutLittleEndian(std::ofstream& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}
} // namespace

void WriteWave(const std::string& path, const std::vector<double>& samples, int sampleRate)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot create " + path);
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    PutLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    PutLittleEndian(out, 16, 4);                              // format chunk size
    PutLittleEndian(out, 1, 2);                               // PCM
    PutLittleEndian(out, 1, 2);                               // mono
    PutLittleEndian(out, static_cast<uint32_t>(sampleRate), 4);
    PutLittleEndian(out, static_cast<uint32_t>(sampleRate * 2), 4); // bytes per second
    PutLittleEndian(out, 2, 2);                               // block align
    PutLittleEndian(out, 16, 2);                              // bits per sample
    out.write("data", 4);
    PutLittleEndian(out, dataBytes, 4);
    for (double sample : samples) {
        const auto value = static_cast<int16_t>(std::lround(std::clamp(sample, -1.0, 1.0) * 32767.0));
        PutLittleEndian(out, static_cast<uint16_t>(value), 2);
    }
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

} // namespace sounds
