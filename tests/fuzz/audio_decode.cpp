// Any sound file's bytes either decode to mono or stereo 16-bit audio within
// the length limit or are refused with a reason, leaving nothing behind.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "audio/decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // In memory (tmpfs) where there is one: the decoder reads files.
  static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                  "/sandrift-fuzz-sound-" + std::to_string(getpid());
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  audio::DecodedAudio decoded;
  const char* reason = nullptr;
  if (audio::DecodeAudioFile(path.c_str(), &decoded, &reason) != audio::OK) {
    if (!decoded.samples.empty() || !reason || !*reason) std::abort();
    return 0;
  }
  if ((decoded.channels != 1 && decoded.channels != 2) || decoded.samples.empty() ||
      decoded.samples.size() % decoded.channels != 0 ||
      decoded.frames() > std::int64_t{audio::kMaxSoundSeconds} * decoded.sampleRate)
    std::abort();
  return 0;
}
