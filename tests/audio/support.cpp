#include "tests/audio/support.h"

#include <stdlib.h>

#include <cmath>
#include <fstream>
#include <numbers>

namespace audio_test {

constexpr int WINDOW_FRAMES = RATE / 1000;
constexpr float SOUNDING_RMS = 0.01f;  // far above quantisation noise, far below a test tone

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sandrift-audio-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

bool WriteTone(const std::string& path, const Tone& tone) {
    SF_INFO info{};
    info.samplerate = tone.sampleRate;
    info.channels = tone.channels;
    info.format = tone.format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    const int frames = int(std::lround(tone.seconds * tone.sampleRate));
    std::vector<float> samples(size_t(frames) * tone.channels);
    for (int i = 0; i < frames; ++i) {
        const float value = tone.amplitude * std::sin(2.0f * std::numbers::pi_v<float> * tone.frequency * float(i) /
                                                      float(tone.sampleRate));
        for (int c = 0; c < tone.channels; ++c) samples[size_t(i) * tone.channels + c] = value;
    }
    const bool written = sf_writef_float(file, samples.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

float Rms(const std::vector<float>& stereo, int channel, int begin, int end) {
    if (end <= begin) return 0.0f;
    double sum = 0.0;
    for (int i = begin; i < end; ++i) sum += double(stereo[size_t(i) * 2 + channel]) * stereo[size_t(i) * 2 + channel];
    return float(std::sqrt(sum / (end - begin)));
}

float Rms(const std::vector<float>& stereo, int channel) { return Rms(stereo, channel, 0, int(stereo.size() / 2)); }

float Peak(const std::vector<float>& stereo) {
    float peak = 0.0f;
    for (float sample : stereo) peak = std::max(peak, std::abs(sample));
    return peak;
}

float Frequency(const std::vector<float>& stereo, int channel, int begin, int end) {
    double first = -1.0;
    double last = -1.0;
    int crossings = 0;
    for (int i = begin + 1; i < end; ++i) {
        const float a = stereo[size_t(i - 1) * 2 + channel];
        const float b = stereo[size_t(i) * 2 + channel];
        if (a < 0.0f && b >= 0.0f) {
            const double at = (i - 1) + double(a) / (double(a) - double(b));
            if (crossings == 0) first = at;
            last = at;
            ++crossings;
        }
    }
    if (crossings < 2) return 0.0f;
    return float((crossings - 1) * double(RATE) / (last - first));
}

int SoundingFrames(const std::vector<float>& stereo) {
    const int frames = int(stereo.size() / 2);
    int sounding = 0;
    for (int begin = 0; begin + WINDOW_FRAMES <= frames; begin += WINDOW_FRAMES) {
        const int end = begin + WINDOW_FRAMES;
        if (std::max(Rms(stereo, 0, begin, end), Rms(stereo, 1, begin, end)) > SOUNDING_RMS) sounding += WINDOW_FRAMES;
    }
    return sounding;
}

int Frames(float seconds) { return int(std::lround(seconds * RATE)); }

void AudioOutput::Start(int voices) {
    if (system) system->release();
    system = nullptr;
    ASSERT_EQ(audio::System_Create(&system), audio::OK);
    ASSERT_EQ(system->initLoopback(voices, RATE), audio::OK);
}

void AudioOutput::TearDown() {
    if (system) system->release();
}

audio::Sound* AudioOutput::Load(const Tone& tone, unsigned mode) {
    const char* extension = tone.format == OGG ? ".ogg" : tone.format == MP3 ? ".mp3" : ".wav";
    const std::string path = dir.file("tone" + std::to_string(filesWritten++) + extension);
    EXPECT_TRUE(WriteTone(path, tone)) << path;
    audio::Sound* sound = nullptr;
    EXPECT_EQ(system->createSound(path.c_str(), mode, nullptr, &sound), audio::OK) << path;
    return sound;
}

std::vector<float> AudioOutput::Render(float seconds) {
    std::vector<float> stereo(size_t(Frames(seconds)) * 2);
    EXPECT_EQ(system->renderSamples(stereo.data(), Frames(seconds)), audio::OK);
    return stereo;
}

}  // namespace audio_test
