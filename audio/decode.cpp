#include "audio/decode.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace audio {
namespace {

constexpr int kMaxSampleRate = 384000;  // anything above is a corrupt header
constexpr sf_count_t kChunkFrames = 4096;
constexpr float kPcm16FullScale = 32767.0f;  // the largest 16-bit sample

int16_t ToPcm16(float sample) {
  const float clamped = std::clamp(sample, -1.0f, 1.0f);
  return int16_t(std::lrint(clamped * kPcm16FullScale));
}

bool FileOpens(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

Result Fail(DecodedAudio* out, const char** reason, Result result, const char* text) {
  *out = DecodedAudio{};
  *reason = text;
  return result;
}

}  // namespace

Result DecodeAudioFile(const char* path, DecodedAudio* out, const char** reason) {
  *out = DecodedAudio{};
  *reason = "";
  if (!path) return Fail(out, reason, ERR_INVALID_PARAM, "no path");

  SF_INFO info{};
  SNDFILE* file = sf_open(path, SFM_READ, &info);
  if (!file) {
    if (!FileOpens(path)) return Fail(out, reason, ERR_FILE_NOTFOUND, "file not found or unreadable");
    return Fail(out, reason, ERR_FORMAT, "not a decodable .ogg, .mp3 or .wav file");
  }
  struct Closer {
    SNDFILE* file;
    ~Closer() { sf_close(file); }
  } closer{file};

  if (info.channels != 1 && info.channels != 2)
    return Fail(out, reason, ERR_FORMAT, "only mono and stereo sounds are supported");
  if (info.samplerate <= 0 || info.samplerate > kMaxSampleRate)
    return Fail(out, reason, ERR_FORMAT, "implausible sample rate");

  const sf_count_t maxFrames = sf_count_t(kMaxSoundSeconds) * info.samplerate;
  // The header's frame count is only a hint: compressed streams may not know it.
  if (info.frames > 0) out->samples.reserve(size_t(std::min(info.frames, maxFrames)) * info.channels);
  out->channels = info.channels;
  out->sampleRate = info.samplerate;

  std::vector<float> chunk(size_t(kChunkFrames) * info.channels);
  sf_count_t total = 0;
  for (;;) {
    const sf_count_t got = sf_readf_float(file, chunk.data(), kChunkFrames);
    if (got <= 0) break;
    total += got;
    if (total > maxFrames) return Fail(out, reason, ERR_FORMAT, "longer than the sound length limit");
    for (sf_count_t i = 0; i < got * info.channels; ++i) out->samples.push_back(ToPcm16(chunk[size_t(i)]));
  }
  if (total == 0) return Fail(out, reason, ERR_FORMAT, "contains no audio");
  // The decoder stops quietly where data breaks off. The length comes from the
  // header (MP3) or the last Ogg page, and is SF_COUNT_MAX when that page is cut.
  if (total < info.frames) return Fail(out, reason, ERR_FORMAT, "cut short or damaged part-way");
  return OK;
}

}  // namespace audio
