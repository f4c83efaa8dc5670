#include "platform/audio_driver_messages.h"

#include <alsa/asoundlib.h>

namespace {

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void silenceAudioDriverMessages() { snd_lib_error_set_handler(ignoreAlsaMessage); }
