#include "audio/audio_system.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "audio/sound_data.h"

namespace {

constexpr int MAX_CHANNELS_LIMIT = 4096;
// A frame that takes longer than this (a level load) does not make a silent
// system jump further ahead than a quarter of a second.
constexpr double MAX_SILENT_CATCH_UP_SECONDS = 0.25;
constexpr int SILENT_SAMPLE_RATE = 44100;
constexpr int RENDER_CHUNK_FRAMES = 1024;
// Far above any use in the game; keeps the resampler inside its range.
constexpr float MAX_PITCH = 10.0f;

const char* const RESULT_TEXT[] = {
    "No errors.",
    "An invalid parameter was passed to this function.",
    "An invalid object handle was used.",
    "A command issued was not supported before the system was initialized.",
    "Cannot call this command after the system has been initialized.",
    "Error initializing output device.",
    "File not found.",
    "Error loading file.",
    "Unsupported file or audio format.",
    "A channel could not be allocated.",
};
static_assert(std::size(RESULT_TEXT) == FMOD_RESULT_COUNT);

}  // namespace

namespace FMOD {

struct Voice {
    ALuint source = 0;
    std::uint32_t generation = 1;
    FMOD::Sound* sound = nullptr;  // null while the voice is free
    bool paused = false;
    float volume = 1.0f;
    float pan = 0.0f;
    float pitch = 1.0f;
    int loopCount = 0;
    std::uint64_t playOrder = 0;
};

struct System::Impl {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    LPALCRENDERSAMPLESSOFT renderSamples = nullptr;
    bool offline = false;      // rendered by renderOffline only
    bool clockDriven = false;  // silent stand-in for a missing device
    int sampleRate = 0;
    int maxChannels = 0;
    std::vector<Voice> voices;
    std::vector<Sound*> sounds;
    std::uint64_t playCounter = 0;
    std::chrono::steady_clock::time_point lastUpdate;
    std::vector<float> scratch;

    bool Initialized() const { return context != nullptr; }

    void MakeCurrent() const {
        if (alcGetCurrentContext() != context) alcMakeContextCurrent(context);
    }

    FMOD_RESULT OpenLoopback(int channels, int rate) {
        auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
            alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
        renderSamples =
            reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
        if (open == nullptr || renderSamples == nullptr) return FMOD_ERR_OUTPUT_INIT;
        device = open(nullptr);
        if (device == nullptr) return FMOD_ERR_OUTPUT_INIT;
        // Float output without a limiter keeps what is rendered a linear mix.
        const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
                                     ALC_FLOAT_SOFT, ALC_FREQUENCY, rate, ALC_MONO_SOURCES, channels,
                                     ALC_STEREO_SOURCES, 0, ALC_HRTF_SOFT, ALC_FALSE,
                                     ALC_OUTPUT_LIMITER_SOFT, ALC_FALSE, 0};
        return CreateContext(attributes, channels, rate);
    }

    FMOD_RESULT OpenDevice(int channels) {
        device = alcOpenDevice(nullptr);
        if (device == nullptr) return FMOD_ERR_OUTPUT_INIT;
        // HRTF would colour the plain left/right pan the game is mixed for.
        const ALCint attributes[] = {ALC_MONO_SOURCES, channels, ALC_STEREO_SOURCES, 0,
                                     ALC_HRTF_SOFT,    ALC_FALSE, 0};
        ALCint rate = 0;
        alcGetIntegerv(device, ALC_FREQUENCY, 1, &rate);
        return CreateContext(attributes, channels, rate);
    }

    FMOD_RESULT CreateContext(const ALCint* attributes, int channels, int rate) {
        context = alcCreateContext(device, attributes);
        if (context == nullptr || alcMakeContextCurrent(context) == ALC_FALSE) {
            CloseDevice();
            return FMOD_ERR_OUTPUT_INIT;
        }
        // Loudness comes from our own mix; OpenAL only places sounds left or right.
        alDistanceModel(AL_NONE);
        maxChannels = channels;
        sampleRate = rate;
        voices.reserve(static_cast<std::size_t>(channels));
        lastUpdate = std::chrono::steady_clock::now();
        return FMOD_OK;
    }

    void CloseDevice() {
        if (context != nullptr) {
            if (alcGetCurrentContext() == context) alcMakeContextCurrent(nullptr);
            alcDestroyContext(context);
            context = nullptr;
        }
        if (device != nullptr) {
            alcCloseDevice(device);
            device = nullptr;
        }
    }

    // Frees a voice whose sound has ended; stale handles stop matching it.
    void Retire(Voice& voice) {
        alSourceStop(voice.source);
        alSourcei(voice.source, AL_BUFFER, 0);
        voice.sound = nullptr;
        voice.paused = false;
        if (++voice.generation == 0) voice.generation = 1;
    }

    bool StillPlaying(Voice& voice) {
        if (voice.sound == nullptr) return false;
        ALint state = AL_STOPPED;
        alGetSourcei(voice.source, AL_SOURCE_STATE, &state);
        if (state == AL_STOPPED) {
            Retire(voice);
            return false;
        }
        return true;
    }

    Voice* LiveVoice(std::uint32_t index, std::uint32_t generation) {
        if (!Initialized() || index >= voices.size()) return nullptr;
        Voice& voice = voices[index];
        if (voice.generation != generation) return nullptr;
        MakeCurrent();
        return StillPlaying(voice) ? &voice : nullptr;
    }

    void ApplyVolume(const Voice& voice) {
        alSourcef(voice.source, AL_GAIN, std::clamp(voice.volume, 0.0f, MAX_OUTPUT_GAIN));
    }

    void ApplyPan(const Voice& voice) {
        // A pan is a direction on the half circle in front of the listener.
        const float x = voice.pan;
        alSource3f(voice.source, AL_POSITION, x, 0.0f, -std::sqrt(std::max(0.0f, 1.0f - x * x)));
        if (voice.sound->channels == 2) {
            // Centred stereo plays untouched; a panned one is folded to mono and placed.
            const bool centred = voice.pan == 0.0f;
            alSourcei(voice.source, AL_DIRECT_CHANNELS_SOFT, centred ? AL_TRUE : AL_FALSE);
            alSourcei(voice.source, AL_SOURCE_SPATIALIZE_SOFT, centred ? AL_AUTO_SOFT : AL_TRUE);
        }
    }

    void ApplyPitch(const Voice& voice) { alSourcef(voice.source, AL_PITCH, voice.pitch); }

    void ApplyLoop(const Voice& voice) {
        alSourcei(voice.source, AL_LOOPING, voice.loopCount != 0 ? AL_TRUE : AL_FALSE);
    }

    // A free voice, a new one while under the limit, or else the one that has
    // played longest, preferring one-shots over loops (music keeps playing).
    Voice* AllocateVoice() {
        for (Voice& voice : voices)
            if (voice.sound == nullptr) return &voice;
        for (Voice& voice : voices)
            if (!StillPlaying(voice)) return &voice;
        if (static_cast<int>(voices.size()) < maxChannels) {
            ALuint source = 0;
            alGetError();
            alGenSources(1, &source);
            if (alGetError() == AL_NO_ERROR) {
                alSourcef(source, AL_MAX_GAIN, MAX_OUTPUT_GAIN);
                alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
                voices.push_back(Voice{source});
                return &voices.back();
            }
        }
        Voice* oldest = nullptr;
        for (Voice& voice : voices) {
            if (oldest == nullptr) {
                oldest = &voice;
                continue;
            }
            const bool looping = voice.loopCount != 0;
            const bool oldestLooping = oldest->loopCount != 0;
            if (looping != oldestLooping ? !looping : voice.playOrder < oldest->playOrder) oldest = &voice;
        }
        if (oldest != nullptr) Retire(*oldest);
        return oldest;
    }

    void StopVoicesOf(const Sound* sound) {
        for (Voice& voice : voices)
            if (voice.sound == sound) Retire(voice);
    }

    void Render(float* out, int frameCount) {
        MakeCurrent();
        while (frameCount > 0) {
            const int n = std::min(frameCount, RENDER_CHUNK_FRAMES);
            renderSamples(device, out, n);
            out += static_cast<std::ptrdiff_t>(n) * 2;
            frameCount -= n;
        }
    }

    void AdvanceSilently() {
        const auto now = std::chrono::steady_clock::now();
        const double seconds =
            std::min(std::chrono::duration<double>(now - lastUpdate).count(), MAX_SILENT_CATCH_UP_SECONDS);
        lastUpdate = now;
        const int frames = static_cast<int>(seconds * sampleRate);
        scratch.resize(static_cast<std::size_t>(RENDER_CHUNK_FRAMES) * 2);
        for (int left = frames; left > 0; left -= RENDER_CHUNK_FRAMES)
            Render(scratch.data(), std::min(left, RENDER_CHUNK_FRAMES));
    }

    void Close() {
        if (!Initialized()) return;
        MakeCurrent();
        for (Voice& voice : voices) {
            Retire(voice);
            alDeleteSources(1, &voice.source);
        }
        voices.clear();
        for (Sound* sound : sounds) {
            alDeleteBuffers(1, &sound->buffer);
            sound->buffer = 0;
            sound->system = nullptr;
        }
        sounds.clear();
        CloseDevice();
        offline = false;
        clockDriven = false;
    }
};

System::System() : impl(std::make_unique<Impl>()) {}

System::~System() { impl->Close(); }

FMOD_RESULT System_Create(System** system) {
    if (system == nullptr) return FMOD_ERR_INVALID_PARAM;
    *system = new System();
    return FMOD_OK;
}

FMOD_RESULT System::init(int maxChannels, FMOD_INITFLAGS, void*) {
    if (impl->Initialized()) return FMOD_ERR_INITIALIZED;
    if (maxChannels < 1 || maxChannels > MAX_CHANNELS_LIMIT) return FMOD_ERR_INVALID_PARAM;
    if (impl->OpenDevice(maxChannels) == FMOD_OK) return FMOD_OK;
    const FMOD_RESULT result = impl->OpenLoopback(maxChannels, SILENT_SAMPLE_RATE);
    if (result != FMOD_OK) return result;
    std::printf("Audio: no output device, playing silently\n");
    impl->clockDriven = true;
    return FMOD_OK;
}

FMOD_RESULT System::initOffline(int maxChannels, int sampleRate) {
    if (impl->Initialized()) return FMOD_ERR_INITIALIZED;
    if (maxChannels < 1 || maxChannels > MAX_CHANNELS_LIMIT || sampleRate < MIN_SAMPLE_RATE ||
        sampleRate > MAX_SAMPLE_RATE)
        return FMOD_ERR_INVALID_PARAM;
    const FMOD_RESULT result = impl->OpenLoopback(maxChannels, sampleRate);
    if (result == FMOD_OK) impl->offline = true;
    return result;
}

FMOD_RESULT System::renderOffline(float* out, int frameCount) {
    if (!impl->offline) return FMOD_ERR_UNINITIALIZED;
    if (out == nullptr || frameCount < 0) return FMOD_ERR_INVALID_PARAM;
    impl->Render(out, frameCount);
    return FMOD_OK;
}

FMOD_RESULT System::createSound(const char* path, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO* exinfo,
                                Sound** sound) {
    if (sound == nullptr) return FMOD_ERR_INVALID_PARAM;
    *sound = nullptr;
    if (!impl->Initialized()) return FMOD_ERR_UNINITIALIZED;
    if (exinfo != nullptr) return FMOD_ERR_INVALID_PARAM;
    SoundDecodeResult decoded = DecodeSoundFile(path);
    if (decoded.ok) return createSoundFromData(decoded.data, mode, sound);

    std::printf("ERROR::AUDIO: Failed to load sound %s: %s\n", path != nullptr ? path : "(null)",
                decoded.error.c_str());
    *sound = new Sound();
    (*sound)->system = this;
    (*sound)->mode = mode;
    impl->sounds.push_back(*sound);
    return decoded.fileMissing ? FMOD_ERR_FILE_NOTFOUND : FMOD_ERR_FORMAT;
}

FMOD_RESULT System::createSoundFromData(const SoundData& data, FMOD_MODE mode, Sound** sound) {
    if (sound == nullptr) return FMOD_ERR_INVALID_PARAM;
    *sound = nullptr;
    if (!impl->Initialized()) return FMOD_ERR_UNINITIALIZED;
    if ((data.channels != 1 && data.channels != 2) || data.sampleRate < MIN_SAMPLE_RATE ||
        data.sampleRate > MAX_SAMPLE_RATE || data.samples.empty() ||
        data.samples.size() % static_cast<std::size_t>(data.channels) != 0)
        return FMOD_ERR_FORMAT;

    impl->MakeCurrent();
    ALuint buffer = 0;
    alGetError();
    alGenBuffers(1, &buffer);
    alBufferData(buffer, data.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, data.samples.data(),
                 static_cast<ALsizei>(data.samples.size() * sizeof(std::int16_t)), data.sampleRate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        return FMOD_ERR_FORMAT;
    }
    *sound = new Sound();
    (*sound)->system = this;
    (*sound)->buffer = buffer;
    (*sound)->mode = mode;
    (*sound)->channels = data.channels;
    (*sound)->lengthMs = static_cast<unsigned int>(data.FrameCount() * 1000 / data.sampleRate);
    impl->sounds.push_back(*sound);
    return FMOD_OK;
}

FMOD_RESULT System::playSound(Sound* sound, ChannelGroup* group, bool paused, Channel* channel) {
    if (channel != nullptr) *channel = Channel{};
    if (!impl->Initialized()) return FMOD_ERR_UNINITIALIZED;
    if (sound == nullptr || sound->system != this || group != nullptr) return FMOD_ERR_INVALID_PARAM;
    if (sound->buffer == 0) return FMOD_ERR_FILE_BAD;

    impl->MakeCurrent();
    Voice* voice = impl->AllocateVoice();
    if (voice == nullptr) return FMOD_ERR_CHANNEL_ALLOC;
    voice->sound = sound;
    voice->paused = paused;
    voice->volume = 1.0f;
    voice->pan = 0.0f;
    voice->pitch = 1.0f;
    voice->loopCount = (sound->mode & FMOD_LOOP_NORMAL) != 0 ? -1 : 0;
    voice->playOrder = ++impl->playCounter;
    alSourcei(voice->source, AL_BUFFER, static_cast<ALint>(sound->buffer));
    impl->ApplyVolume(*voice);
    impl->ApplyPan(*voice);
    impl->ApplyPitch(*voice);
    impl->ApplyLoop(*voice);
    if (!paused) alSourcePlay(voice->source);

    if (channel != nullptr) {
        channel->system = this;
        channel->voice = static_cast<std::uint32_t>(voice - impl->voices.data());
        channel->generation = voice->generation;
    }
    return FMOD_OK;
}

FMOD_RESULT System::update() {
    if (!impl->Initialized()) return FMOD_ERR_UNINITIALIZED;
    impl->MakeCurrent();
    if (impl->clockDriven) impl->AdvanceSilently();
    for (Voice& voice : impl->voices) impl->StillPlaying(voice);
    return FMOD_OK;
}

FMOD_RESULT System::getChannelsPlaying(int* channels) {
    if (channels == nullptr) return FMOD_ERR_INVALID_PARAM;
    *channels = 0;
    if (!impl->Initialized()) return FMOD_ERR_UNINITIALIZED;
    impl->MakeCurrent();
    for (Voice& voice : impl->voices)
        if (impl->StillPlaying(voice)) ++*channels;
    return FMOD_OK;
}

FMOD_RESULT System::close() {
    impl->Close();
    return FMOD_OK;
}

FMOD_RESULT System::release() {
    delete this;
    return FMOD_OK;
}

FMOD_RESULT Sound::release() {
    if (system != nullptr) {
        System::Impl& impl = *system->impl;
        impl.MakeCurrent();
        impl.StopVoicesOf(this);
        if (buffer != 0) alDeleteBuffers(1, &buffer);
        std::erase(impl.sounds, this);
    }
    delete this;
    return FMOD_OK;
}

FMOD_RESULT Sound::getLengthMs(unsigned int* length) const {
    if (length == nullptr) return FMOD_ERR_INVALID_PARAM;
    *length = lengthMs;
    return FMOD_OK;
}

// Handles are resolved on every call, so a stale one finds nothing.
Voice* ChannelControl::Live() const {
    return system != nullptr ? system->impl->LiveVoice(voice, generation) : nullptr;
}

FMOD_RESULT ChannelControl::setVolume(float volume) {
    if (std::isnan(volume)) return FMOD_ERR_INVALID_PARAM;
    Voice* live = Live();
    if (live == nullptr) return FMOD_ERR_INVALID_HANDLE;
    live->volume = std::max(volume, 0.0f);
    system->impl->ApplyVolume(*live);
    return FMOD_OK;
}

FMOD_RESULT ChannelControl::getVolume(float* volume) const {
    if (volume == nullptr) return FMOD_ERR_INVALID_PARAM;
    const Voice* live = Live();
    *volume = live != nullptr ? live->volume : 0.0f;
    return live != nullptr ? FMOD_OK : FMOD_ERR_INVALID_HANDLE;
}

FMOD_RESULT ChannelControl::setPaused(bool paused) {
    Voice* live = Live();
    if (live == nullptr) return FMOD_ERR_INVALID_HANDLE;
    if (paused != live->paused) {
        if (paused) alSourcePause(live->source);
        else alSourcePlay(live->source);
        live->paused = paused;
    }
    return FMOD_OK;
}

FMOD_RESULT ChannelControl::getPaused(bool* paused) const {
    if (paused == nullptr) return FMOD_ERR_INVALID_PARAM;
    const Voice* live = Live();
    *paused = live != nullptr && live->paused;
    return live != nullptr ? FMOD_OK : FMOD_ERR_INVALID_HANDLE;
}

FMOD_RESULT ChannelControl::setPan(float pan) {
    if (std::isnan(pan)) return FMOD_ERR_INVALID_PARAM;
    Voice* live = Live();
    if (live == nullptr) return FMOD_ERR_INVALID_HANDLE;
    live->pan = std::clamp(pan, -1.0f, 1.0f);
    system->impl->ApplyPan(*live);
    return FMOD_OK;
}

FMOD_RESULT ChannelControl::getPan(float* pan) const {
    if (pan == nullptr) return FMOD_ERR_INVALID_PARAM;
    const Voice* live = Live();
    *pan = live != nullptr ? live->pan : 0.0f;
    return live != nullptr ? FMOD_OK : FMOD_ERR_INVALID_HANDLE;
}

FMOD_RESULT ChannelControl::setPitch(float pitch) {
    if (std::isnan(pitch)) return FMOD_ERR_INVALID_PARAM;
    Voice* live = Live();
    if (live == nullptr) return FMOD_ERR_INVALID_HANDLE;
    live->pitch = std::clamp(pitch, 0.0f, MAX_PITCH);
    system->impl->ApplyPitch(*live);
    return FMOD_OK;
}

FMOD_RESULT ChannelControl::getPitch(float* pitch) const {
    if (pitch == nullptr) return FMOD_ERR_INVALID_PARAM;
    const Voice* live = Live();
    *pitch = live != nullptr ? live->pitch : 0.0f;
    return live != nullptr ? FMOD_OK : FMOD_ERR_INVALID_HANDLE;
}

FMOD_RESULT ChannelControl::stop() {
    Voice* live = Live();
    if (live == nullptr) return FMOD_ERR_INVALID_HANDLE;
    system->impl->Retire(*live);
    return FMOD_OK;
}

FMOD_RESULT ChannelControl::isPlaying(bool* playing) const {
    if (playing == nullptr) return FMOD_ERR_INVALID_PARAM;
    *playing = Live() != nullptr;
    return system != nullptr ? FMOD_OK : FMOD_ERR_INVALID_HANDLE;
}

FMOD_RESULT Channel::setLoopCount(int loopCount) {
    if (loopCount < -1 || loopCount > 0) return FMOD_ERR_INVALID_PARAM;
    Voice* live = Live();
    if (live == nullptr) return FMOD_ERR_INVALID_HANDLE;
    live->loopCount = loopCount;
    system->impl->ApplyLoop(*live);
    return FMOD_OK;
}

FMOD_RESULT Channel::getLoopCount(int* loopCount) const {
    if (loopCount == nullptr) return FMOD_ERR_INVALID_PARAM;
    const Voice* live = Live();
    *loopCount = live != nullptr ? live->loopCount : 0;
    return live != nullptr ? FMOD_OK : FMOD_ERR_INVALID_HANDLE;
}

}  // namespace FMOD

const char* FMOD_ErrorString(FMOD_RESULT result) {
    const auto index = static_cast<std::size_t>(result);
    return index < std::size(RESULT_TEXT) ? RESULT_TEXT[index] : "Unknown error.";
}
