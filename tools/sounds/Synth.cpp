#include "sounds/Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sounds {

namespace {
constexpr double Attack = 0.006;
constexpr double Release = 0.04;

struct TPartial {
    double ratio;
    double level;
    double decay; // per second
};

std::vector<TPartial> Partials(TTimbre timbre)
{
    if (timbre == TTimbre::Bell)
        return {{1.0, 1.0, 6.0}, {2.0, 0.35, 10.0}, {3.0, 0.12, 16.0}, {4.2, 0.05, 24.0}};
    return {{1.0, 1.0, 3.0}, {2.0, 0.18, 5.0}, {3.0, 0.06, 8.0}};
}

double Envelope(double t, double duration)
{
    if (t < Attack)
        return t / Attack;
    if (t > duration)
        return std::max(0.0, 1.0 - (t - duration) / Release);
    return 1.0;
}
} // namespace

std::vector<double> Render(const std::vector<TNote>& notes, TTimbre timbre, double length, int sampleRate,
                           double peak)
{
    std::vector<double> buffer(static_cast<size_t>(length * sampleRate), 0.0);
    const std::vector<TPartial> partials = Partials(timbre);
    const double vibrato = timbre == TTimbre::Soft ? 0.006 : 0.0;
    for (const TNote& note : notes) {
        const auto first = static_cast<size_t>(note.start * sampleRate);
        const double span = note.duration + Release;
        double phase = 0.0; // integrated so a glide stays smooth
        for (size_t i = first; i < buffer.size(); ++i) {
            const double t = static_cast<double>(i - first) / sampleRate;
            if (t > span)
                break;
            const double progress = std::min(1.0, t / note.duration);
            const double frequency = note.frequency * std::pow(note.glideTo / note.frequency, progress) *
                                     (1.0 + vibrato * std::sin(2 * std::numbers::pi * 5.5 * t));
            phase += 2 * std::numbers::pi * frequency / sampleRate;
            double value = 0.0;
            for (const TPartial& partial : partials)
                value += partial.level * std::exp(-partial.decay * t) * std::sin(partial.ratio * phase);
            buffer[i] += note.volume * Envelope(t, note.duration) * value;
        }
    }
    double loudest = 0.0;
    for (double sample : buffer)
        loudest = std::max(loudest, std::abs(sample));
    if (loudest > 0.0)
        for (double& sample : buffer)
            sample *= peak / loudest;
    return buffer;
}

} // namespace sounds
