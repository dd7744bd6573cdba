#pragma once

#include <QByteArray>

#include <vector>

namespace datagen {

constexpr int kSampleRate = 44100;

// A snare drum roll that loops seamlessly: its length is a whole number of strokes and every
// stroke's tail wraps round to the start, so the last sample runs into the first.
std::vector<double> snareRoll();
// A struck bell with a natural decay that ends in silence.
std::vector<double> bell();
// 16-bit mono PCM WAV file bytes.
QByteArray toWav(const std::vector<double>& samples);

} // namespace datagen
