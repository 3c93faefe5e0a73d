#include "audio/sound_data.h"

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

// A file bigger than this is not one of our sounds; refuse before reading it.
constexpr long MAX_SOUND_FILE_BYTES = 256L * 1024 * 1024;
constexpr sf_count_t DECODE_CHUNK_FRAMES = 4096;

struct MemoryReader {
    std::span<const std::byte> bytes;
    sf_count_t position = 0;
};

sf_count_t MemoryLength(void* user) {
    return static_cast<sf_count_t>(static_cast<MemoryReader*>(user)->bytes.size());
}

sf_count_t MemorySeek(sf_count_t offset, int whence, void* user) {
    auto* reader = static_cast<MemoryReader*>(user);
    const sf_count_t size = static_cast<sf_count_t>(reader->bytes.size());
    sf_count_t base = 0;
    if (whence == SEEK_CUR) base = reader->position;
    else if (whence == SEEK_END) base = size;
    else if (whence != SEEK_SET) return -1;
    // Hostile offsets must neither overflow nor leave the buffer.
    if ((offset > 0 && base > std::numeric_limits<sf_count_t>::max() - offset)) return -1;
    const sf_count_t target = base + offset;
    if (target < 0) return -1;
    reader->position = std::min(target, size);
    return reader->position;
}

sf_count_t MemoryRead(void* out, sf_count_t count, void* user) {
    auto* reader = static_cast<MemoryReader*>(user);
    const sf_count_t size = static_cast<sf_count_t>(reader->bytes.size());
    if (count <= 0 || reader->position >= size) return 0;
    const sf_count_t n = std::min(count, size - reader->position);
    std::memcpy(out, reader->bytes.data() + reader->position, static_cast<std::size_t>(n));
    reader->position += n;
    return n;
}

sf_count_t MemoryWrite(const void*, sf_count_t, void*) { return 0; }

sf_count_t MemoryTell(void* user) { return static_cast<MemoryReader*>(user)->position; }

SoundDecodeResult Failure(std::string error) {
    SoundDecodeResult result;
    result.error = std::move(error);
    return result;
}

}  // namespace

SoundDecodeResult DecodeSound(std::span<const std::byte> bytes) {
    if (bytes.empty()) return Failure("empty file");

    MemoryReader reader{bytes};
    SF_VIRTUAL_IO io{MemoryLength, MemorySeek, MemoryRead, MemoryWrite, MemoryTell};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &reader);
    if (file == nullptr) return Failure(std::string("not a readable sound: ") + sf_strerror(nullptr));

    SoundDecodeResult result;
    if (info.channels < 1) {
        result.error = "no channels";
    } else if (info.samplerate < MIN_SAMPLE_RATE || info.samplerate > MAX_SAMPLE_RATE) {
        result.error = "unsupported sample rate " + std::to_string(info.samplerate);
    } else {
        const int inChannels = info.channels;
        const int outChannels = inChannels <= 2 ? inChannels : 1;
        const auto maxFrames = static_cast<sf_count_t>(MAX_SOUND_SECONDS * info.samplerate);
        std::vector<std::int16_t> chunk(static_cast<std::size_t>(DECODE_CHUNK_FRAMES) * inChannels);
        std::vector<std::int16_t>& out = result.data.samples;
        sf_count_t total = 0;
        // The header's frame count is not trusted: decode until the data ends.
        for (;;) {
            const sf_count_t got = sf_readf_short(file, chunk.data(), DECODE_CHUNK_FRAMES);
            if (got <= 0) break;
            total += got;
            if (total > maxFrames) {
                result.error = "longer than the longest sound allowed";
                break;
            }
            if (outChannels == inChannels) {
                out.insert(out.end(), chunk.begin(), chunk.begin() + got * inChannels);
            } else {
                for (sf_count_t f = 0; f < got; ++f) {
                    int sum = 0;
                    for (int c = 0; c < inChannels; ++c) sum += chunk[f * inChannels + c];
                    out.push_back(static_cast<std::int16_t>(sum / inChannels));
                }
            }
        }
        if (result.error.empty() && sf_error(file) != SF_ERR_NO_ERROR)
            result.error = std::string("decoding failed: ") + sf_strerror(file);
        if (result.error.empty() && out.empty()) result.error = "no audio in file";
        if (result.error.empty()) {
            result.ok = true;
            result.data.channels = outChannels;
            result.data.sampleRate = info.samplerate;
        }
    }
    sf_close(file);
    if (!result.ok) result.data = SoundData{};
    return result;
}

SoundDecodeResult DecodeSoundFile(const char* path) {
    if (path == nullptr) return Failure("no path");
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        SoundDecodeResult result = Failure(std::strerror(errno));
        result.fileMissing = true;
        return result;
    }
    std::vector<std::byte> bytes;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    std::rewind(file);
    if (size < 0 || size > MAX_SOUND_FILE_BYTES) {
        std::fclose(file);
        return Failure(size < 0 ? "cannot read file" : "file too large");
    }
    bytes.resize(static_cast<std::size_t>(size));
    const std::size_t read = size > 0 ? std::fread(bytes.data(), 1, bytes.size(), file) : 0;
    std::fclose(file);
    if (read != bytes.size()) return Failure("cannot read file");
    return DecodeSound(bytes);
}
