#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Decoded audio, 16-bit, mono or stereo interleaved.
struct SoundData {
    int channels = 0;
    int sampleRate = 0;
    std::vector<std::int16_t> samples;

    std::size_t FrameCount() const { return channels > 0 ? samples.size() / channels : 0; }
};

struct SoundDecodeResult {
    bool ok = false;
    bool fileMissing = false;
    std::string error;  // why decoding failed, for the load report
    SoundData data;
};

// Anything longer is refused: no sound of the game runs this long, and a
// corrupt header must not make us allocate without bound.
inline constexpr double MAX_SOUND_SECONDS = 600.0;
inline constexpr int MIN_SAMPLE_RATE = 1000;
inline constexpr int MAX_SAMPLE_RATE = 384000;

// Any container libsndfile reads (OGG Vorbis, MP3, WAV, FLAC...). More than two
// channels are averaged down to mono.
SoundDecodeResult DecodeSound(std::span<const std::byte> bytes);

// Reads the whole file, then decodes it.
SoundDecodeResult DecodeSoundFile(const char* path);
