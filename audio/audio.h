#pragma once

// The game's audio layer: one System, Sounds loaded from .ogg/.mp3/.wav files,
// and Channels that are small value handles to playing voices.
// Mixing runs on OpenAL Soft; decoding on libsndfile.
// All calls come from the main thread.

#include <cstdint>
#include <memory>

#include <glm/vec3.hpp>

namespace audio {

// Stable numbers: the start-up failure message prints them.
enum Result {
  OK = 0,
  ERR_INVALID_PARAM,
  ERR_INVALID_HANDLE,
  ERR_UNINITIALIZED,
  ERR_INITIALIZED,
  ERR_MEMORY,
  ERR_FILE_NOTFOUND,
  ERR_FORMAT,
  ERR_OUTPUT_INIT,
  ERR_CHANNEL_ALLOC,
  ERR_UNSUPPORTED,
  ERR_INTERNAL,
  RESULT_COUNT
};

// Never null; codes outside the enum get a generic text.
const char* ResultString(Result result);

constexpr unsigned INIT_NORMAL = 0;

// Sound modes.
constexpr unsigned DEFAULT = 0;      // one-shot
constexpr unsigned LOOP_OFF = 1;     // one-shot, said explicitly
constexpr unsigned LOOP_NORMAL = 2;  // music and ambience: loops for ever unless told otherwise

constexpr float kMaxVolume = 16.0f;  // OpenAL Soft's mixing gain limit
constexpr float kMaxPitch = 16.0f;   // far beyond any use; keeps the resampler's step sane

class System;
class Sound;

// A value the caller keeps in a variable. Default-constructed it is empty.
// Through an empty handle, or one whose sound ended, was stopped, was stopped by
// its sound's release or had its voice taken by a newer sound, every call does
// nothing and returns ERR_INVALID_HANDLE. The System must outlive its handles.
class Channel {
 public:
  Channel() = default;

  // -1 loops for ever, 0 plays once, n plays n + 1 times. Only sounds made
  // with LOOP_NORMAL loop; for one-shot sounds it is accepted and ignored.
  Result setLoopCount(int loopCount);
  // Linear gain: 0 silent, 1 as recorded, clamped to [0, kMaxVolume].
  Result setVolume(float volume);
  Result getVolume(float* volume) const;  // 0 through a dead handle
  Result setPaused(bool paused);
  Result getPaused(bool* paused) const;   // false through a dead handle
  // -1 full left ... +1 full right, clamped.
  Result setPan(float pan);
  // Playback-rate multiplier, 1 unchanged, clamped to [0, kMaxPitch].
  Result setPitch(float pitch);
  Result stop();
  // True while the sound plays or waits paused.
  Result isPlaying(bool* playing) const;

 private:
  friend class System;
  Channel(System* system, uint32_t index, uint32_t generation)
      : system_(system), index_(index), generation_(generation) {}

  System* system_ = nullptr;
  uint32_t index_ = 0;
  uint32_t generation_ = 0;
};

// A value the caller keeps in a variable: decoded audio held by the output
// device, made by System::createSound. Default-constructed it is empty. Once
// released, the handle and every copy of it are dead, even after a newer sound
// takes over its record or its System is released: through a dead or empty
// handle every call does nothing and returns ERR_INVALID_HANDLE (the getters
// give 0).
class Sound {
 public:
  Sound() = default;

  // Its looping and paused channels stop now; playing one-shots play out, and
  // update() frees its audio once they end.
  Result release();

  int channelCount() const;
  int sampleRate() const;
  int64_t frameCount() const;

  // False when empty: never made, or its createSound failed.
  explicit operator bool() const { return system_ != nullptr; }

 private:
  friend class System;
  Sound(System* system, uint32_t index, uint64_t serial) : system_(system), index_(index), serial_(serial) {}

  System* system_ = nullptr;
  uint32_t index_ = 0;
  uint64_t serial_ = 0;  // unique to one createSound in the process, so no reused record answers to it
};

// What a system holds, for tests and tools.
struct SoundStats {
  int live = 0;        // made and not released
  int records = 0;     // live, released but still sounding, and free ones awaiting reuse
  int64_t decoded = 0; // files createSound has decoded
};

class System {
 public:
  System(const System&) = delete;
  System& operator=(const System&) = delete;

  // Opens the default output device, or the device named by extraDriverData
  // (a const char*) when given, without HRTF or limiter. Without a usable
  // device it falls back to a silent one, prints one line saying so, and
  // succeeds. At process exit the device closes by itself; the System stays
  // valid and answers ERR_UNINITIALIZED from then on.
  Result init(int maxChannels, unsigned flags, void* extraDriverData);
  // For tests and tools: no device; output is produced only by renderSamples.
  Result initLoopback(int maxChannels, int sampleRate);
  // Mixes the next `frames` frames of a loopback system into interleaved
  // stereo floats (left, right, left, ...).
  Result renderSamples(float* interleavedStereo, int frames);

  // A missing, undecodable or cut-short file prints one line naming it and
  // returns an error with *sound left empty. A released sound's record is
  // reused once its audio is freed.
  Result createSound(const char* path, unsigned mode, void* exinfo, Sound* sound);
  // An empty sound returns ERR_INVALID_PARAM; one that is not a live sound of
  // this system returns ERR_INVALID_HANDLE. When every voice is busy
  // the quietest, oldest one-shot voice is taken over; if all are looping the
  // request is dropped with ERR_CHANNEL_ALLOC. *channel, when given, is
  // written (empty on failure).
  Result playSound(Sound sound, void* channelGroup, bool paused, Channel* channel);
  // Once per frame: retires finished voices, tops up finite loops, frees the
  // audio of released sounds once silent, and drives the silent fallback device.
  Result update();

  // How many voices can sound at once (0 before init).
  int voiceCount() const;
  // True when init fell back to the silent device.
  bool isSilentFallback() const;
  SoundStats soundStats() const;

  // Frees every sound, voice and the device; the pointer is dead afterwards.
  // The game never calls it; tests and tools do.
  Result release();

 private:
  friend Result System_Create(System** system);
  friend class Channel;
  friend class Sound;
  struct State;
  struct Voice;
  struct SoundRecord;

  System();
  ~System();

  Voice* liveVoice(const Channel& channel);
  SoundRecord* liveSound(const Sound& sound) const;
  void retire(Voice& voice);
  void applyPan(Voice& voice);
  void applyLoopCount(Voice& voice);
  void topUpLoops(Voice& voice);
  Voice* acquireVoice();
  Result releaseSound(const Sound& sound);
  void freeSilentReleasedSounds();
  static void closeAllAtExit();
  Result openOutput(int maxChannels, const char* deviceName, int loopbackRate);
  void closeOutput();
  void makeCurrent() const;

  std::unique_ptr<State> state_;
};

Result System_Create(System** system);

// Volume, pan and pitch of a positional one-shot (see PlaySoundAt).
struct SoundPlacement {
  float volume;
  float pan;
  float pitch;
};

SoundPlacement PlaceSound(glm::vec3 sourcePos, glm::vec3 listenerPos, float cellSize, float volume,
                          float pitch);

// Plays `sound` unpaused into *channelSlot, then sets the volume, pan and
// pitch given by PlaceSound. Loud close by (up to 2), quieter with the square
// of the distance in cells, panned by horizontal offset (200 cells = full side).
void PlaySoundAt(System* system, Sound sound, Channel* channelSlot, glm::vec3 sourcePos,
                 glm::vec3 listenerPos, float cellSize, float volume, float pitch);

}  // namespace audio
