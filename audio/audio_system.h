#pragma once

#include <cstdint>
#include <memory>

// The game's sound device. It keeps the shape of the FMOD Core API that the game
// code is written against (System, Sound, Channel, ChannelControl) and runs on
// OpenAL Soft, with files decoded by libsndfile.
//
// Differences a caller must know:
// - A Channel is a small value handle, not a pointer: declare `FMOD::Channel ch;`
//   and pass `&ch` to playSound. A default handle is empty; once its sound has
//   ended, been stopped, stolen or released, the handle goes stale. Every call
//   through an empty or stale handle does nothing and returns
//   FMOD_ERR_INVALID_HANDLE, so handles may safely outlive their sounds.
// - createSound never leaves the caller without a Sound: on failure it reports
//   the problem on standard output, returns the error and hands back a silent
//   Sound that plays nothing and can be released like any other.
// - Handles and sounds must not outlive the System they came from.

enum FMOD_RESULT : int {
    FMOD_OK = 0,
    FMOD_ERR_INVALID_PARAM,
    FMOD_ERR_INVALID_HANDLE,
    FMOD_ERR_UNINITIALIZED,
    FMOD_ERR_INITIALIZED,
    FMOD_ERR_OUTPUT_INIT,
    FMOD_ERR_FILE_NOTFOUND,
    FMOD_ERR_FILE_BAD,
    FMOD_ERR_FORMAT,
    FMOD_ERR_CHANNEL_ALLOC,
    FMOD_RESULT_COUNT
};

// Text for a result, for start-up failure messages.
const char* FMOD_ErrorString(FMOD_RESULT result);

using FMOD_MODE = unsigned int;
inline constexpr FMOD_MODE FMOD_DEFAULT = 0;
inline constexpr FMOD_MODE FMOD_LOOP_OFF = 1;
inline constexpr FMOD_MODE FMOD_LOOP_NORMAL = 2;

using FMOD_INITFLAGS = unsigned int;
inline constexpr FMOD_INITFLAGS FMOD_INIT_NORMAL = 0;

// Extended creation info is not supported; pass nullptr.
struct FMOD_CREATESOUNDEXINFO;

struct SoundData;

namespace FMOD {

struct Voice;
class System;
class Sound;
// Channel groups are not supported; pass nullptr.
class ChannelGroup;

class ChannelControl {
public:
    // Linear gain: 0 silent, 1 full. The value is kept as given (getVolume
    // reads it back); what reaches the speakers is limited to MAX_OUTPUT_GAIN.
    FMOD_RESULT setVolume(float volume);
    // Writes 0 through an empty or stale handle.
    FMOD_RESULT getVolume(float* volume) const;
    FMOD_RESULT setPaused(bool paused);
    FMOD_RESULT getPaused(bool* paused) const;
    // -1 full left ... +1 full right; values outside are clamped.
    FMOD_RESULT setPan(float pan);
    FMOD_RESULT getPan(float* pan) const;
    // Frequency multiplier, 1 = unchanged, 0 = held still; negatives count as 0.
    FMOD_RESULT setPitch(float pitch);
    FMOD_RESULT getPitch(float* pitch) const;
    FMOD_RESULT stop();
    // False (and FMOD_OK) once the sound has ended; a paused channel is playing.
    FMOD_RESULT isPlaying(bool* playing) const;

    bool operator==(const ChannelControl&) const = default;

protected:
    friend class System;
    Voice* Live() const;
    System* system = nullptr;
    std::uint32_t voice = 0;
    std::uint32_t generation = 0;
};

class Channel : public ChannelControl {
public:
    // -1 loops for ever, 0 plays once. Counted repeats are not supported
    // and return FMOD_ERR_INVALID_PARAM without a change.
    FMOD_RESULT setLoopCount(int loopCount);
    FMOD_RESULT getLoopCount(int* loopCount) const;
};

class Sound {
public:
    // Stops every channel playing this sound, frees it and deletes this object.
    FMOD_RESULT release();
    // Zero for a silent sound.
    FMOD_RESULT getLengthMs(unsigned int* lengthMs) const;

private:
    friend class System;
    Sound() = default;
    ~Sound() = default;
    System* system = nullptr;
    std::uint32_t buffer = 0;  // OpenAL buffer name; 0 for a silent sound
    FMOD_MODE mode = FMOD_DEFAULT;
    int channels = 0;
    unsigned int lengthMs = 0;
};

class System {
public:
    // Opens the default output device. Without one (a machine with no sound
    // card, a headless build server) the system still starts, silently: sounds
    // play and end in real time, advanced by update().
    FMOD_RESULT init(int maxChannels, FMOD_INITFLAGS flags, void* extraDriverData);
    // Renders into memory instead of a device; nothing advances except through
    // renderOffline. For tools and tests that listen to the output.
    FMOD_RESULT initOffline(int maxChannels, int sampleRate);
    // Mixes the next frameCount stereo frames, interleaved left/right, into out.
    FMOD_RESULT renderOffline(float* out, int frameCount);

    FMOD_RESULT createSound(const char* path, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO* exinfo,
                            Sound** sound);
    // Same as createSound, for samples already decoded (see audio/sound_data.h).
    FMOD_RESULT createSoundFromData(const SoundData& data, FMOD_MODE mode, Sound** sound);
    FMOD_RESULT playSound(Sound* sound, ChannelGroup* group, bool paused, Channel* channel);
    // Once per frame: retires finished channels and, when silent, advances playback.
    FMOD_RESULT update();
    // Number of channels currently playing or paused.
    FMOD_RESULT getChannelsPlaying(int* channels);
    // Stops everything and frees the device; sounds become silent but stay
    // valid until released.
    FMOD_RESULT close();
    // close, then delete this object.
    FMOD_RESULT release();

    // Most a channel's volume may reach at the output, whatever setVolume was given.
    static constexpr float MAX_OUTPUT_GAIN = 4.0f;  // 12 dB above full: headroom for 2x without harshness

    struct Impl;

private:
    friend FMOD_RESULT System_Create(System** system);
    friend class ChannelControl;
    friend class Channel;
    friend class Sound;
    System();
    ~System();
    std::unique_ptr<Impl> impl;
};

FMOD_RESULT System_Create(System** system);

}  // namespace FMOD

inline FMOD_RESULT FMOD_System_Create(FMOD::System** system) {
    return FMOD::System_Create(system);
}
