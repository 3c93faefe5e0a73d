#pragma once

// Test tones written with libsndfile, a loopback output to render them through,
// and measurements of the rendered stereo frames (channel 0 left, 1 right).

#include <sndfile.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "audio/audio.h"

namespace audio_test {

using namespace audio;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

constexpr int RATE = 48000;
constexpr int WAV = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
constexpr int OGG = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
constexpr int MP3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;

inline int Frames(float seconds) { return int(std::lround(seconds * RATE)); }

struct Tone {
  float frequency = 480.0f;  // 100 samples per period at RATE
  float seconds = 0.2f;
  int channels = 1;
  int format = WAV;
};

inline bool WriteTone(const std::string& path, const Tone& tone) {
  SF_INFO info{0, RATE, tone.channels, tone.format, 0, 0};
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) return false;
  std::vector<float> samples;
  for (int i = 0; i < Frames(tone.seconds); ++i)
    samples.insert(samples.end(), tone.channels,
                   0.25f * std::sin(2.0f * std::numbers::pi_v<float> * tone.frequency * float(i) / RATE));
  const bool written = sf_writef_float(file, samples.data(), Frames(tone.seconds)) == Frames(tone.seconds);
  return sf_close(file) == 0 && written;
}

// Over frames [begin, end), or all of them.
inline float Rms(const std::vector<float>& stereo, int channel, int begin = 0, int end = -1) {
  if (end < 0) end = int(stereo.size() / 2);
  double sum = 0.0;
  for (int i = begin; i < end; ++i) sum += double(stereo[size_t(i) * 2 + channel]) * stereo[size_t(i) * 2 + channel];
  return end > begin ? float(std::sqrt(sum / (end - begin))) : 0.0f;
}

inline bool Silent(const std::vector<float>& stereo) {
  return std::all_of(stereo.begin(), stereo.end(), [](float sample) { return sample == 0.0f; });
}

// From rising zero crossings; 0 when there are fewer than two.
inline float Frequency(const std::vector<float>& stereo, int channel, int begin, int end) {
  double first = 0.0, last = 0.0;
  int crossings = 0;
  for (int i = begin + 1; i < end; ++i) {
    const float a = stereo[size_t(i - 1) * 2 + channel], b = stereo[size_t(i) * 2 + channel];
    if (a < 0.0f && b >= 0.0f) {
      last = (i - 1) + double(a) / (double(a) - double(b));
      if (crossings++ == 0) first = last;
    }
  }
  return crossings < 2 ? 0.0f : float((crossings - 1) * double(RATE) / (last - first));
}

// Frames in 1 ms windows that carry sound: far above quantisation noise, far below a test tone.
inline int SoundingFrames(const std::vector<float>& stereo) {
  const int window = RATE / 1000;
  int sounding = 0;
  for (int begin = 0; begin + window <= int(stereo.size() / 2); begin += window)
    if (std::max(Rms(stereo, 0, begin, begin + window), Rms(stereo, 1, begin, begin + window)) > 0.01f)
      sounding += window;
  return sounding;
}

// A loopback system with RATE output and a scratch folder for its sounds.
class AudioOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "sandrift-audio-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir = pattern;
    Start(32);
  }
  void TearDown() override {
    if (system) system->release();
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
  // A fresh system; not initialised when voices is 0.
  void Start(int voices) {
    if (system) system->release();
    system = nullptr;
    ASSERT_EQ(System_Create(&system), OK);
    if (voices) { ASSERT_EQ(system->initLoopback(voices, RATE), OK); }
  }
  std::string File(const std::string& name) const { return (dir / name).string(); }
  Sound Load(const Tone& tone, unsigned mode = DEFAULT) {
    const char* extension = tone.format == OGG ? ".ogg" : tone.format == MP3 ? ".mp3" : ".wav";
    const std::string path = File(std::to_string(files++) + extension);
    Sound sound;
    EXPECT_TRUE(WriteTone(path, tone)) << path;
    EXPECT_EQ(system->createSound(path.c_str(), mode, nullptr, &sound), OK) << path;
    return sound;
  }
  Channel Play(Sound sound, bool paused = false) {
    Channel channel;
    EXPECT_EQ(system->playSound(sound, nullptr, paused, &channel), OK);
    return channel;
  }
  static bool IsPlaying(const Channel& channel) {
    bool playing = false;
    return channel.isPlaying(&playing) == OK && playing;
  }
  std::vector<float> Render(float seconds) {
    std::vector<float> stereo(size_t(Frames(seconds)) * 2);
    EXPECT_EQ(system->renderSamples(stereo.data(), Frames(seconds)), OK);
    return stereo;
  }

  System* system = nullptr;
  std::filesystem::path dir;
  int files = 0;
};

}  // namespace audio_test
