#include "Synth.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <random>

namespace datagen {

namespace {

// Second-order band-pass (RBJ cookbook), run over a buffer in place.
void bandPass(std::vector<double>& x, double centre, double q)
{
    const double w0 = 2 * M_PI * centre / kSampleRate;
    const double alpha = std::sin(w0) / (2 * q);
    const double a0 = 1 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0;
    const double a1 = -2 * std::cos(w0) / a0, a2 = (1 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (double& v : x) {
        const double y = b0 * v + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = v;
        y2 = y1;
        y1 = y;
        v = y;
    }
}

std::vector<double> snareStroke(std::mt19937& rng)
{
    const int n = int(0.32 * kSampleRate);
    std::normal_distribution<double> noise(0.0, 1.0);
    const size_t len = static_cast<size_t>(n);
    std::vector<double> wires(len), click(len), out(len);
    for (int i = 0; i < n; ++i) {
        wires[size_t(i)] = noise(rng);
        click[size_t(i)] = noise(rng);
    }
    bandPass(wires, 4200, 0.55);
    bandPass(click, 2200, 1.2);
    double phase1 = 0, phase2 = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kSampleRate;
        // The head: a drum tone whose pitch drops as the skin settles.
        const double f = 190 + 70 * std::exp(-t / 0.008);
        phase1 += 2 * M_PI * f / kSampleRate;
        phase2 += 2 * M_PI * f * 1.59 / kSampleRate;
        const double head = 0.55 * std::sin(phase1) * std::exp(-t / 0.04) +
                            0.22 * std::sin(phase2) * std::exp(-t / 0.025);
        const double rattle = 1.1 * wires[size_t(i)] * std::exp(-t / 0.075);
        const double stick = 1.4 * click[size_t(i)] * std::exp(-t / 0.0025);
        const double attack = std::min(1.0, t / 0.0007);
        out[size_t(i)] = attack * (head + rattle + stick);
    }
    // A small room: a few early reflections.
    const struct {
        double ms, gain;
    } taps[] = {{9.5, 0.22}, {15.3, 0.16}, {23.1, 0.11}, {34.7, 0.07}};
    std::vector<double> room = out;
    for (const auto& tap : taps) {
        const int d = int(tap.ms * kSampleRate / 1000);
        for (int i = d; i < n; ++i)
            room[size_t(i)] += tap.gain * out[size_t(i - d)];
    }
    // Fade the tail so the stroke ends in silence.
    const int fade = int(0.05 * kSampleRate);
    for (int i = 0; i < fade; ++i)
        room[size_t(n - 1 - i)] *= double(i) / fade;
    return room;
}

void normalise(std::vector<double>& x, double peak)
{
    double m = 0;
    for (double v : x)
        m = std::max(m, std::abs(v));
    if (m > 0)
        for (double& v : x)
            v *= peak / m;
}

} // namespace

std::vector<double> snareRoll()
{
    // 40 strokes in exactly two seconds, each followed by a softer bounce (a press roll).
    constexpr int strokes = 40;
    constexpr int period = kSampleRate * 2 / strokes;
    constexpr int length = period * strokes;
    std::mt19937 rng(7031);
    std::uniform_real_distribution<double> u(-1, 1);
    std::vector<double> loop(size_t(length), 0.0);
    auto place = [&](const std::vector<double>& s, int at, double gain) {
        for (size_t i = 0; i < s.size(); ++i)
            loop[size_t((at + int(i)) % length)] += gain * s[i];
    };
    for (int k = 0; k < strokes; ++k) {
        const double hand = (k % 2 == 0) ? 1.0 : 0.86;
        const double velocity = hand * (1.0 + 0.06 * u(rng));
        const int at = k * period + (k == 0 ? 0 : int(u(rng) * 60));
        place(snareStroke(rng), (at + length) % length, velocity);
        place(snareStroke(rng), (at + int(0.017 * kSampleRate)) % length, 0.42 * velocity);
    }
    normalise(loop, 0.7);

    // Start the loop at an upward zero crossing just before the first stroke, so the file
    // begins and ends near silence and playback opens on a hit.
    int best = 0;
    double bestScore = 1e9;
    for (int i = length - 400; i < length; ++i) {
        const double a = loop[size_t(i - 1)], b = loop[size_t(i % length)];
        if (a < 0 && b >= 0) {
            const double score = std::abs(a) + std::abs(b);
            if (score < bestScore) {
                bestScore = score;
                best = i % length;
            }
        }
    }
    std::rotate(loop.begin(), loop.begin() + best, loop.end());
    return loop;
}

std::vector<double> bell()
{
    const int n = int(2.6 * kSampleRate);
    const double f0 = 1318.5; // E6
    const struct {
        double ratio, amp, decay;
    } partials[] = {{0.5, 0.10, 2.2},  {1.0, 1.00, 1.5},  {1.0016, 0.18, 1.3}, {2.0, 0.30, 0.8},
                    {2.76, 0.24, 0.5}, {4.07, 0.11, 0.3}, {5.40, 0.07, 0.18}};
    std::vector<double> out(size_t(n), 0.0);
    for (const auto& pt : partials) {
        const double w = 2 * M_PI * f0 * pt.ratio / kSampleRate;
        for (int i = 0; i < n; ++i) {
            const double t = double(i) / kSampleRate;
            out[size_t(i)] += pt.amp * std::sin(w * i) * std::exp(-t / pt.decay);
        }
    }
    // The strike: a short bright tick.
    std::mt19937 rng(99);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::vector<double> tick(size_t(0.01 * kSampleRate));
    for (double& v : tick)
        v = noise(rng);
    bandPass(tick, 6000, 0.8);
    for (size_t i = 0; i < tick.size(); ++i)
        out[i] += 0.35 * tick[i] * std::exp(-double(i) / (0.002 * kSampleRate));
    // A short attack and a gentle close, so both ends are silent.
    const int attack = int(0.0015 * kSampleRate), release = int(0.35 * kSampleRate);
    for (int i = 0; i < attack; ++i)
        out[size_t(i)] *= double(i) / attack;
    for (int i = 0; i < release; ++i)
        out[size_t(n - 1 - i)] *= 0.5 - 0.5 * std::cos(M_PI * i / release);
    normalise(out, 0.8);
    return out;
}

QByteArray toWav(const std::vector<double>& samples)
{
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    auto u16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    out.append("RIFF", 4);
    u32(36 + dataBytes);
    out.append("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kSampleRate);
    u32(kSampleRate * 2);
    u16(2);
    u16(16);
    out.append("data", 4);
    u32(dataBytes);
    for (double v : samples)
        u16(quint16(qint16(std::lround(std::clamp(v, -1.0, 1.0) * 32767))));
    return out;
}

} // namespace datagen
