#include <iterator>

#include "audio/audio.h"

namespace audio {
namespace {

const char* const kResultTexts[] = {
    "No errors.",
    "An invalid parameter was passed to this function.",
    "An invalid object handle was used.",
    "The audio system has not been initialized yet.",
    "The audio system was initialized twice.",
    "Not enough memory or resources.",
    "File not found.",
    "Unsupported file or audio format.",
    "Error initializing the output device, including the silent fallback.",
    "No channel could be allocated: every voice is playing a looping sound.",
    "A command was issued that is not supported by this audio system.",
    "An error occurred in the audio output that should not have happened.",
};
static_assert(std::size(kResultTexts) == RESULT_COUNT, "one text per result code");

}  // namespace

const char* ResultString(Result result) {
  if (result < 0 || result >= RESULT_COUNT) return "Unknown error code.";
  return kResultTexts[result];
}

}  // namespace audio
