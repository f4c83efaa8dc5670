// The system sound layer's own messages. ALSA prints a line for every device
// it cannot open (a machine without a sound card gets eight); the player says
// once, in its own words, that it plays without sound. Each system has its
// version in its subfolder.
#pragma once

// Call before the first sound device is opened.
void silenceAudioDriverMessages();
