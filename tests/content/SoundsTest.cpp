// The four sounds the game plays by default are wave files any player reads: RIFF PCM, and short.
#include "content/ContentFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

uint32_t LittleEndian(const std::string& bytes, size_t at, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

TEST(Sounds, DefaultSoundsArePcmWavesOfAFewTenthsOfASecond)
{
    for (const char* name : {"key_success.wav", "key_fail.wav", "success.wav", "fail.wav"}) {
        const std::string bytes = content::ReadBytes(content::DataFolder() / "Sons" / name);
        ASSERT_GE(bytes.size(), 44u) << name;
        EXPECT_EQ(bytes.substr(0, 4), "RIFF") << name;
        EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ") << name;
        EXPECT_EQ(LittleEndian(bytes, 4, 4), bytes.size() - 8) << name;
        EXPECT_EQ(LittleEndian(bytes, 20, 2), 1u) << name; // PCM
        const uint32_t bytesPerSecond = LittleEndian(bytes, 28, 4);
        const uint32_t dataBytes = LittleEndian(bytes, 40, 4);
        ASSERT_GT(bytesPerSecond, 0u) << name;
        const double seconds = static_cast<double>(dataBytes) / bytesPerSecond;
        EXPECT_GT(seconds, 0.1) << name;
        EXPECT_LT(seconds, 2.0) << name;
    }
}

} // namespace
