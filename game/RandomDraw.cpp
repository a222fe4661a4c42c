#include "game/RandomDraw.h"

#include <array>
#include <random>

namespace game {
namespace {

std::mt19937& Generator()
{
    static std::mt19937 generator = [] {
        std::random_device device;
        std::array<std::random_device::result_type, std::mt19937::state_size> entropy;
        for (auto& value : entropy)
            value = device();
        std::seed_seq seed(entropy.begin(), entropy.end());
        return std::mt19937(seed);
    }();
    return generator;
}

} // namespace

std::optional<int32_t> RandomInRange(int32_t low, int32_t high)
{
    if (high < low)
        return std::nullopt;
    return std::uniform_int_distribution<int32_t>(low, high)(Generator());
}

} // namespace game
