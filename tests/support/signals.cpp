#include "support/signals.h"

#if VELMIRA_HAVE_LAME
#include <lame.h>

std::vector<uint8_t> encodeMp3(const std::vector<float>& pcm, int rate, int channels, int kbps) {
  lame_global_flags* lame = lame_init();
  lame_set_in_samplerate(lame, rate);
  lame_set_out_samplerate(lame, rate);
  lame_set_num_channels(lame, channels);
  lame_set_mode(lame, channels == 1 ? MONO : STEREO);
  lame_set_brate(lame, kbps);
  lame_init_params(lame);
  const int frames = int(pcm.size() / size_t(channels));
  std::vector<uint8_t> mp3(size_t(frames) * 5 / 4 + 7200 * 2);
  // The encoder takes one array per channel.
  std::vector<float> left(static_cast<size_t>(frames)), right(static_cast<size_t>(frames));
  for (int n = 0; n < frames; ++n) {
    left[n] = pcm[size_t(n) * channels];
    right[n] = pcm[size_t(n) * channels + channels - 1];
  }
  int size = lame_encode_buffer_ieee_float(lame, left.data(), right.data(), frames, mp3.data(),
                                           int(mp3.size()));
  size += lame_encode_flush(lame, mp3.data() + size, int(mp3.size()) - size);
  // The header frame carries the encoder delay and padding, so a decoder
  // can return exactly the frames that went in.
  lame_get_lametag_frame(lame, mp3.data(), mp3.size());
  lame_close(lame);
  mp3.resize(size_t(size));
  return mp3;
}
#endif
