// The music's frequency spectrum, as the effects read it.
//
// The newest 4,096 frames of one channel are multiplied by a periodic Hann
// window 0.5 * (1 - cos(2*pi*n/4096)) and transformed by a real FFT; bin k
// (at k * rate / 4096 Hz) reads min(1, 2.5 * |X[k]| / 4096) for k = 0..2046,
// and the last bin is always 0. A full-scale sine at a bin centre reads
// 0.625 there. The result depends on the samples alone, so the same position
// of the same track always gives the same values.
#pragma once

#include <cstdint>

struct AudioTrack;

inline constexpr int kSpectrumBins = 2048;
inline constexpr int kSpectrumWindowFrames = 2 * kSpectrumBins;

// `frames` holds kSpectrumWindowFrames interleaved frames of `channels`
// channels, oldest first; writes kSpectrumBins values. A channel outside
// 0..channels-1 reads as silence.
void computeSpectrum(const float* frames, int channels, int channel, float* values);

// The spectrum of the kSpectrumWindowFrames frames of `track` that end just
// before frame `endFrame`; frames before the start or after the end of the
// track are silence. Waits for the decoder to pass `endFrame` first.
void trackSpectrum(AudioTrack& track, int64_t endFrame, int channel, float* values);
