#pragma once

// Whole-file decoding into 16-bit PCM. Internal to the audio layer.

#include <cstdint>
#include <vector>

#include "audio/audio.h"

namespace audio {

// Longer files would need streaming; nothing in the game comes close.
constexpr int kMaxSoundSeconds = 600;

struct DecodedAudio {
  int channels = 0;    // 1 or 2
  int sampleRate = 0;
  std::vector<int16_t> samples;  // interleaved

  int64_t frames() const { return channels ? int64_t(samples.size()) / channels : 0; }
};

// On failure *reason names the cause (static text) and `out` is left empty.
Result DecodeAudioFile(const char* path, DecodedAudio* out, const char** reason);

}  // namespace audio
