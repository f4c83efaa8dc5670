// The music path on the show's soundtrack: decoding the whole track, the time
// from starting the music to the first frame's spectrum (at a few start
// times, with the track still being decoded), and one spectrum of a decoded
// track. The track is VELMIRA_BENCH_MP3 when set, else the built show's.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "music/music.h"
#include "platform/audio_spectrum.h"
#include "platform/audio_track.h"

namespace {

const std::vector<uint8_t>& soundtrack() {
  static const std::vector<uint8_t> bytes = [] {
    const char* path = getenv("VELMIRA_BENCH_MP3");
    std::ifstream file(path ? std::string(path) : std::string(VELMIRA_SHOW_DIR) + "/quarno/velmira.mp3",
                       std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
  }();
  return bytes;
}

AudioTrackHandle openSoundtrack(benchmark::State& state) {
  std::string error;
  AudioTrackHandle track = openAudioTrack(soundtrack(), error);
  if (!track) state.SkipWithError(("no soundtrack: " + error).c_str());
  return track;
}

void BM_DecodeWholeTrack(benchmark::State& state) {
  for (auto _ : state) {
    AudioTrackHandle track = openSoundtrack(state);
    if (!track) return;
    waitForDecoder(*track, INT64_MAX);
    state.counters["seconds_of_audio"] =
        double(decodedFrames(*track)) / double(trackFormat(*track).rate);
  }
}
BENCHMARK(BM_DecodeWholeTrack)->Unit(benchmark::kMillisecond)->Iterations(5);

// startMusic, the first frame's reposition to the start time, one spectrum.
void BM_StartToFirstSpectrum(benchmark::State& state) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  std::vector<float> values(kSpectrumBins);
  for (auto _ : state) {
    if (!startMusicFromData(soundtrack(), MusicOutput::Speakers)) {
      state.SkipWithError("no soundtrack");
      return;
    }
    repositionMusic(float(state.range(0)) / 1000.0f);
    getSpectrum(values.data(), 0);
    state.PauseTiming();
    stopMusic();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartToFirstSpectrum)
    ->Arg(0)->Arg(1000)->Arg(30500)->Arg(130000)
    ->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SpectrumOfDecodedTrack(benchmark::State& state) {
  AudioTrackHandle track = openSoundtrack(state);
  if (!track) return;
  waitForDecoder(*track, INT64_MAX);
  std::vector<float> values(kSpectrumBins);
  int64_t frame = 0;
  for (auto _ : state) {
    trackSpectrum(*track, frame, 0, values.data());
    frame = (frame + 800) % decodedFrames(*track);
  }
}
BENCHMARK(BM_SpectrumOfDecodedTrack)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
