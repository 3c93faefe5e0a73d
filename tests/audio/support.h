#pragma once

// Test tones written with libsndfile, a loopback output to render them through,
// and measurements of the rendered stereo frames.

#include <sndfile.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "audio/audio.h"

namespace audio_test {

constexpr int RATE = 48000;
constexpr int WAV = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
constexpr int OGG = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
constexpr int MP3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;

struct Tone {
    float frequency = 480.0f;  // 100 samples per period at RATE
    float seconds = 0.2f;
    int channels = 1;
    int sampleRate = RATE;
    float amplitude = 0.25f;
    int format = WAV;
};

// A folder under the system's temp directory, removed with its files.
class TempDir {
public:
    TempDir();
    ~TempDir();
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

bool WriteTone(const std::string& path, const Tone& tone);
void WriteBytes(const std::string& path, const std::string& bytes);

// Over frames [begin, end) of interleaved stereo; channel 0 is left, 1 right.
float Rms(const std::vector<float>& stereo, int channel, int begin, int end);
float Rms(const std::vector<float>& stereo, int channel);
float Peak(const std::vector<float>& stereo);
// From rising zero crossings; 0 when there are fewer than two.
float Frequency(const std::vector<float>& stereo, int channel, int begin, int end);
// Frames in 1 ms windows that carry sound.
int SoundingFrames(const std::vector<float>& stereo);
int Frames(float seconds);

// A loopback system with RATE output and a temp folder for its sounds.
class AudioOutput : public ::testing::Test {
protected:
    void SetUp() override { Start(32); }
    void TearDown() override;
    void Start(int voices);
    audio::Sound* Load(const Tone& tone, unsigned mode = audio::DEFAULT);
    std::vector<float> Render(float seconds);

    audio::System* system = nullptr;
    TempDir dir;
    int filesWritten = 0;
};

}  // namespace audio_test
