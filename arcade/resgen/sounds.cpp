#include "sounds.h"

#include "wav_io.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace resgen {
namespace {

constexpr double kRate = kSampleRate;

enum class Wave { Pulse, Triangle, Noise, ShortNoise };

// One note or sweep: the frequency moves exponentially from f0 to f1 over the
// note, the volume follows an attack/decay envelope.
struct Note {
    double start;   // seconds
    double length;  // seconds
    Wave wave;
    double f0, f1;  // Hz (for noise: the register clock rate)
    double volume;  // 0..1
    double duty = 0.5;
    double attack = 0.002;
    double decay_power = 1.0; // 1 linear fade, >1 faster drop, 0 flat (with a short release)
    double vibrato_hz = 0.0;
    double vibrato_depth = 0.0; // fraction of the frequency
};

class Mixer {
public:
    explicit Mixer(double seconds) : buf_(static_cast<std::size_t>(seconds * kRate), 0.0) {}

    void add(const Note& n) {
        const auto first = static_cast<std::size_t>(n.start * kRate);
        const auto count = static_cast<std::size_t>(n.length * kRate);
        double phase = 0.0;
        std::uint16_t lfsr = 1;
        double noise_level = 1.0;
        for (std::size_t i = 0; i < count && first + i < buf_.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double u = t / n.length; // 0..1 through the note
            double f = n.f0 * std::pow(n.f1 / n.f0, u);
            if (n.vibrato_depth > 0) f *= 1.0 + n.vibrato_depth * std::sin(2 * M_PI * n.vibrato_hz * t);
            const double prev = phase;
            phase += f / kRate;
            double v = 0.0;
            switch (n.wave) {
            case Wave::Pulse: v = std::fmod(phase, 1.0) < n.duty ? 1.0 : -1.0; break;
            case Wave::Triangle: {
                const double p = std::fmod(phase, 1.0);
                v = p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
                break;
            }
            case Wave::Noise:
            case Wave::ShortNoise:
                // Clock the 15-bit shift register once per whole period passed.
                for (int k = static_cast<int>(std::floor(phase) - std::floor(prev)); k > 0; --k) {
                    const int tap = n.wave == Wave::Noise ? 1 : 6;
                    const int bit = (lfsr ^ (lfsr >> tap)) & 1;
                    lfsr = static_cast<std::uint16_t>((lfsr >> 1) | (bit << 14));
                    noise_level = (lfsr & 1) ? 1.0 : -1.0;
                }
                v = noise_level;
                break;
            }
            double env = 1.0;
            if (t < n.attack) env = t / n.attack;
            if (n.decay_power > 0) env *= std::pow(1.0 - u, n.decay_power);
            else if (u > 0.9) env *= (1.0 - u) / 0.1;
            buf_[first + i] += v * env * n.volume;
        }
    }

    std::vector<std::int16_t> render() const {
        std::vector<std::int16_t> out(buf_.size());
        for (std::size_t i = 0; i < buf_.size(); ++i) {
            const double v = std::clamp(buf_[i], -1.0, 1.0);
            out[i] = static_cast<std::int16_t>(std::lround(v * 30000.0));
        }
        return out;
    }

private:
    std::vector<double> buf_;
};

double note_hz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

std::vector<std::int16_t> choose() {
    Mixer m(0.09);
    m.add({0.0, 0.04, Wave::Pulse, note_hz(81), note_hz(81), 0.35, 0.25, 0.001, 0.3});
    m.add({0.035, 0.05, Wave::Pulse, note_hz(88), note_hz(88), 0.35, 0.25, 0.001, 1.5});
    return m.render();
}

std::vector<std::int16_t> select_sound() {
    Mixer m(0.26);
    const int notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i)
        m.add({0.045 * i, i == 3 ? 0.12 : 0.05, Wave::Pulse, note_hz(notes[i]), note_hz(notes[i]), 0.4, 0.5,
               0.001, i == 3 ? 1.5 : 0.3});
    return m.render();
}

std::vector<std::int16_t> drop() {
    Mixer m(0.22);
    m.add({0.0, 0.22, Wave::Pulse, 900, 140, 0.45, 0.5, 0.002, 1.2});
    m.add({0.0, 0.05, Wave::Noise, 9000, 4000, 0.15, 0.5, 0.001, 2.0});
    return m.render();
}

std::vector<std::int16_t> propeller() {
    Mixer m(0.08);
    // Repeats ten times a second while thrusting, so it stays soft.
    m.add({0.0, 0.08, Wave::ShortNoise, 2600, 1800, 0.25, 0.5, 0.002, 1.6});
    m.add({0.0, 0.06, Wave::Triangle, 110, 80, 0.35, 0.5, 0.002, 1.0});
    return m.render();
}

std::vector<std::int16_t> throw_sound() {
    Mixer m(0.1);
    m.add({0.0, 0.1, Wave::Pulse, 320, 1500, 0.4, 0.125, 0.001, 1.3});
    return m.render();
}

std::vector<std::int16_t> hit() {
    Mixer m(0.16);
    m.add({0.0, 0.16, Wave::Noise, 12000, 1500, 0.6, 0.5, 0.001, 2.0});
    m.add({0.0, 0.06, Wave::Pulse, 220, 60, 0.35, 0.5, 0.001, 1.5});
    return m.render();
}

std::vector<std::int16_t> hurt() {
    Mixer m(0.36);
    // Played at gain 1.75: kept lower so the mix does not clip.
    m.add({0.0, 0.36, Wave::Pulse, 660, 110, 0.3, 0.25, 0.002, 1.0, 24.0, 0.06});
    m.add({0.0, 0.08, Wave::Noise, 6000, 2000, 0.2, 0.5, 0.001, 2.0});
    return m.render();
}

std::vector<std::int16_t> one_up() {
    Mixer m(0.5);
    const int notes[] = {76, 79, 88, 84, 86, 91};
    for (int i = 0; i < 6; ++i)
        m.add({0.07 * i, i == 5 ? 0.15 : 0.075, Wave::Pulse, note_hz(notes[i]), note_hz(notes[i]), 0.35, 0.5,
               0.001, i == 5 ? 1.2 : 0.0});
    return m.render();
}

std::vector<std::int16_t> laser() {
    Mixer m(0.55);
    for (int i = 0; i < 8; ++i)
        m.add({0.065 * i, 0.065, Wave::Pulse, 2200, 500, 0.32 * (1.0 - i / 10.0), 0.25, 0.001, 0.5});
    m.add({0.0, 0.55, Wave::Triangle, 160, 90, 0.35, 0.5, 0.003, 1.0});
    return m.render();
}

} // namespace

std::vector<std::int16_t> synthesise(std::string_view file) {
    if (file == "choose.wav") return choose();
    if (file == "select.wav") return select_sound();
    if (file == "drop.wav") return drop();
    if (file == "propeller.wav") return propeller();
    if (file == "throw.wav") return throw_sound();
    if (file == "hit.wav") return hit();
    if (file == "hurt.wav") return hurt();
    if (file == "1up.wav") return one_up();
    if (file == "laser.wav") return laser();
    return {};
}

} // namespace resgen
