#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <numbers>
#include <vector>

#include "audio/audio.h"
#include "audio/decode.h"

namespace audio {
namespace {

constexpr int kMaxChannels = 4096;  // OpenAL Soft mixes every source; more would only cost time
constexpr int kMinOutputRate = 8000;
constexpr int kMaxOutputRate = 192000;
constexpr int kSilentRate = 48000;
constexpr int kSilentChunkFrames = 1024;
constexpr int kMixChannels = 2;  // loopback devices mix interleaved stereo
// After a long hitch the silent device skips ahead instead of mixing seconds at once.
constexpr double kSilentMaxCatchUpSeconds = 0.25;
// A finite loop count queues at most this many passes ahead; update() queues the rest.
constexpr int kMaxQueuedPlays = 64;
// Spare stereo sources asked of implementations that count them apart from mono ones.
constexpr int kStereoSourceReserve = 16;
// OpenAL Soft's stereo speakers stand at +-30 degrees; a channel angled there is fully on that side.
constexpr float kSpeakerAngle = std::numbers::pi_v<float> / 6.0f;

enum class Output { None, Device, Silent, Loopback };

ALint SourceState(ALuint source) {
  ALint state = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

bool SourceStopped(ALuint source) { return SourceState(source) == AL_STOPPED; }

bool IsLoopSound(const unsigned mode) { return (mode & LOOP_NORMAL) != 0; }

constexpr uint32_t kNoSound = UINT32_MAX;

// Shared by every system, so a handle from a released system never matches a
// record of a newer one made at the same address.
uint64_t NextSoundSerial() {
  static uint64_t serial = 0;
  return ++serial;
}

// Every system not yet released. A sound handle is followed to its system only
// if it is here, and process exit closes their devices. Never destroyed, so
// destructors of other statics may still call in.
std::vector<System*>& LiveSystems() {
  static auto* systems = new std::vector<System*>;
  return *systems;
}

// No HRTF (a headphone user's binaural filter leaks pan +-1 to the other ear) and
// no limiter (it ducks loud mixes), so the device plays what tests measure on the loopback.
std::vector<ALCint> ContextAttributes(int maxChannels, int loopbackRate) {
  std::vector<ALCint> attributes = {ALC_HRTF_SOFT, ALC_FALSE, ALC_OUTPUT_LIMITER_SOFT, ALC_FALSE,
                                    ALC_MONO_SOURCES, maxChannels, ALC_STEREO_SOURCES, kStereoSourceReserve};
  if (loopbackRate > 0)
    attributes.insert(attributes.end(), {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
                                         ALC_FLOAT_SOFT, ALC_FREQUENCY, loopbackRate});
  attributes.push_back(0);
  return attributes;
}

struct Loopback {
  ALCdevice* device = nullptr;
  LPALCRENDERSAMPLESSOFT render = nullptr;
};

Loopback OpenLoopback() {
  if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) return {};
  auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
  auto render = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
  if (!open || !render) return {};
  return {open(nullptr), render};
}

}  // namespace

struct System::Voice {
  ALuint source = 0;
  uint32_t generation = 1;  // a default Channel holds 0 and so never matches
  bool active = false;
  bool paused = false;
  uint32_t sound = kNoSound;  // index of its sound's record
  float volume = 1.0f;
  float pan = 0.0f;
  float pitch = 1.0f;
  int loopCount = 0;
  int64_t unqueuedPlays = 0;  // passes of a finite loop not yet in the source's queue
  uint64_t serial = 0;        // start order, to take over the oldest voice first
};

struct System::SoundRecord {
  enum class Use { Free, Live, Releasing };  // Releasing: audio kept while a one-shot of it plays out
  Use use = Use::Free;
  uint64_t serial = 0;
  unsigned buffer = 0;  // the OpenAL buffer name; 0 when free
  unsigned mode = 0;
  int channels = 0;
  int sampleRate = 0;
  int64_t frames = 0;
};

struct System::State {
  Output output = Output::None;
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
  LPALCRENDERSAMPLESSOFT render = nullptr;
  std::vector<Voice> voices;
  std::vector<SoundRecord> sounds;
  std::vector<uint32_t> freeSounds;  // records whose audio is freed, for the next createSound
  int64_t decoded = 0;
  uint64_t nextSerial = 1;
  std::vector<float> silentMix;
  std::chrono::steady_clock::time_point lastSilentMix;
};

System::System() : state_(std::make_unique<State>()) { LiveSystems().push_back(this); }

System::~System() {
  closeOutput();
  std::erase(LiveSystems(), this);
}

void System::closeAllAtExit() {
  for (System* system : LiveSystems()) system->closeOutput();
}

Result System_Create(System** system) {
  if (!system) return ERR_INVALID_PARAM;
  *system = new (std::nothrow) System();
  return *system ? OK : ERR_MEMORY;
}

Result System::release() {
  delete this;
  return OK;
}

void System::makeCurrent() const {
  if (state_->context && alcGetCurrentContext() != state_->context) alcMakeContextCurrent(state_->context);
}

Result System::init(int maxChannels, unsigned flags, void* extraDriverData) {
  if (state_->output != Output::None) return ERR_INITIALIZED;
  if (maxChannels < 1 || maxChannels > kMaxChannels || flags != INIT_NORMAL) return ERR_INVALID_PARAM;
  return openOutput(maxChannels, static_cast<const char*>(extraDriverData), 0);
}

Result System::initLoopback(int maxChannels, int sampleRate) {
  if (state_->output != Output::None) return ERR_INITIALIZED;
  if (maxChannels < 1 || maxChannels > kMaxChannels) return ERR_INVALID_PARAM;
  if (sampleRate < kMinOutputRate || sampleRate > kMaxOutputRate) return ERR_INVALID_PARAM;
  return openOutput(maxChannels, nullptr, sampleRate);
}

Result System::openOutput(int maxChannels, const char* deviceName, int loopbackRate) {
  State& s = *state_;
  Output output = Output::Loopback;
  if (loopbackRate == 0) {
    s.device = alcOpenDevice(deviceName);
    s.context = s.device ? alcCreateContext(s.device, ContextAttributes(maxChannels, 0).data()) : nullptr;
    if (s.context) {
      output = Output::Device;
    } else {
      if (s.device) alcCloseDevice(s.device);
      s.device = nullptr;
      if (deviceName)
        std::printf("Audio: output device \"%s\" unavailable, continuing without sound\n", deviceName);
      else
        std::printf("Audio: no output device available, continuing without sound\n");
      output = Output::Silent;
      loopbackRate = kSilentRate;
    }
  }
  if (output != Output::Device) {
    const Loopback loopback = OpenLoopback();
    if (!loopback.device) return ERR_OUTPUT_INIT;
    s.device = loopback.device;
    s.render = loopback.render;
    s.context = alcCreateContext(s.device, ContextAttributes(maxChannels, loopbackRate).data());
    if (!s.context) {
      closeOutput();
      return ERR_OUTPUT_INIT;
    }
  }
  s.output = output;
  makeCurrent();
  // The game never releases its system. Registered after OpenAL Soft set itself
  // up, so this runs before its own teardown, which reports devices left open.
  [[maybe_unused]] static const bool closesAtExit = std::atexit(closeAllAtExit) == 0;

  alGetError();
  s.voices.reserve(size_t(maxChannels));
  while (int(s.voices.size()) < maxChannels) {
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) break;
    // Sources sit on a unit circle around the listener: direction pans, distance never attenuates.
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    alSourcef(source, AL_MAX_GAIN, kMaxVolume);
    s.voices.push_back(Voice{});
    s.voices.back().source = source;
  }
  if (s.voices.empty()) {
    closeOutput();
    return ERR_OUTPUT_INIT;
  }
  if (output == Output::Silent) {
    s.silentMix.assign(size_t(kSilentChunkFrames) * kMixChannels, 0.0f);
    s.lastSilentMix = std::chrono::steady_clock::now();
  }
  return OK;
}

void System::closeOutput() {
  State& s = *state_;
  if (s.context) {
    makeCurrent();
    for (Voice& voice : s.voices) {
      alSourceStop(voice.source);
      alSourcei(voice.source, AL_BUFFER, 0);
      alDeleteSources(1, &voice.source);
    }
    for (SoundRecord& sound : s.sounds)
      if (sound.buffer) alDeleteBuffers(1, &sound.buffer);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(s.context);
  }
  if (s.device) alcCloseDevice(s.device);
  s.voices.clear();
  s.sounds.clear();
  s.freeSounds.clear();
  s.context = nullptr;
  s.device = nullptr;
  s.render = nullptr;
  s.output = Output::None;
}
Result System::renderSamples(float* interleavedStereo, int frames) {
  State& s = *state_;
  if (s.output == Output::None) return ERR_UNINITIALIZED;
  if (s.output != Output::Loopback) return ERR_UNSUPPORTED;
  if (!interleavedStereo || frames < 0) return ERR_INVALID_PARAM;
  s.render(s.device, interleavedStereo, frames);
  return OK;
}

Result System::update() {
  State& s = *state_;
  if (s.output == Output::None) return ERR_UNINITIALIZED;
  makeCurrent();
  if (s.output == Output::Silent) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point now = Clock::now();
    const double elapsed = std::chrono::duration<double>(now - s.lastSilentMix).count();
    int64_t frames = int64_t(std::min(elapsed, kSilentMaxCatchUpSeconds) * kSilentRate);
    if (elapsed > kSilentMaxCatchUpSeconds) {
      s.lastSilentMix = now;
    } else {
      // Advance by whole frames only, so fractions carry into the next update.
      s.lastSilentMix += std::chrono::duration_cast<Clock::duration>(
          std::chrono::duration<double>(double(frames) / kSilentRate));
    }
    while (frames > 0) {
      const int chunk = int(std::min<int64_t>(frames, kSilentChunkFrames));
      s.render(s.device, s.silentMix.data(), chunk);
      frames -= chunk;
    }
  }
  for (Voice& voice : s.voices) {
    if (!voice.active) continue;
    if (SourceStopped(voice.source))
      retire(voice);
    else if (voice.unqueuedPlays > 0)
      topUpLoops(voice);
  }
  freeSilentReleasedSounds();
  return OK;
}

int System::voiceCount() const { return int(state_->voices.size()); }

bool System::isSilentFallback() const { return state_->output == Output::Silent; }

SoundStats System::soundStats() const {
  const State& s = *state_;
  const auto live = std::count_if(s.sounds.begin(), s.sounds.end(),
                                  [](const SoundRecord& sound) { return sound.use == SoundRecord::Use::Live; });
  return {int(live), int(s.sounds.size()), s.decoded};
}

System::SoundRecord* System::liveSound(const Sound& sound) const {
  State& s = *state_;
  if (sound.system_ != this || sound.index_ >= s.sounds.size()) return nullptr;
  SoundRecord& record = s.sounds[sound.index_];
  return record.use == SoundRecord::Use::Live && record.serial == sound.serial_ ? &record : nullptr;
}

Result System::createSound(const char* path, unsigned mode, void* exinfo, Sound* sound) {
  if (!sound) return ERR_INVALID_PARAM;
  *sound = Sound{};
  State& s = *state_;
  if (s.output == Output::None) return ERR_UNINITIALIZED;
  const bool knownMode = (mode & ~(LOOP_OFF | LOOP_NORMAL)) == 0 && mode != (LOOP_OFF | LOOP_NORMAL);
  if (!path || exinfo || !knownMode) return ERR_INVALID_PARAM;

  DecodedAudio pcm;
  const char* reason = "";
  if (const Result decoded = DecodeAudioFile(path, &pcm, &reason); decoded != OK) {
    std::printf("Audio: cannot load sound \"%s\": %s\n", path, reason);
    return decoded;
  }
  ++s.decoded;

  makeCurrent();
  alGetError();
  ALuint buffer = 0;
  alGenBuffers(1, &buffer);
  if (alGetError() == AL_NO_ERROR) {
    const ALenum format = pcm.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    alBufferData(buffer, format, pcm.samples.data(), ALsizei(pcm.samples.size() * sizeof(int16_t)),
                 pcm.sampleRate);
    if (alGetError() == AL_NO_ERROR) {
      if (s.freeSounds.empty()) {
        s.sounds.emplace_back();
        s.freeSounds.push_back(uint32_t(s.sounds.size() - 1));
      }
      const uint32_t index = s.freeSounds.back();
      s.freeSounds.pop_back();
      const uint64_t serial = NextSoundSerial();
      s.sounds[index] = {SoundRecord::Use::Live, serial, buffer, mode, pcm.channels, pcm.sampleRate,
                         pcm.frames()};
      *sound = Sound(this, index, serial);
      return OK;
    }
    alDeleteBuffers(1, &buffer);
  }
  std::printf("Audio: cannot load sound \"%s\": out of audio memory\n", path);
  return ERR_MEMORY;
}

namespace {

// The handle's system, if it still exists; a released one is never dereferenced.
System* OwnerOf(System* system) {
  const std::vector<System*>& systems = LiveSystems();
  return std::find(systems.begin(), systems.end(), system) != systems.end() ? system : nullptr;
}

}  // namespace

Result Sound::release() {
  System* system = OwnerOf(system_);
  return system ? system->releaseSound(*this) : ERR_INVALID_HANDLE;
}

int Sound::channelCount() const {
  const System* system = OwnerOf(system_);
  const System::SoundRecord* record = system ? system->liveSound(*this) : nullptr;
  return record ? record->channels : 0;
}

int Sound::sampleRate() const {
  const System* system = OwnerOf(system_);
  const System::SoundRecord* record = system ? system->liveSound(*this) : nullptr;
  return record ? record->sampleRate : 0;
}

int64_t Sound::frameCount() const {
  const System* system = OwnerOf(system_);
  const System::SoundRecord* record = system ? system->liveSound(*this) : nullptr;
  return record ? record->frames : 0;
}

Result System::releaseSound(const Sound& sound) {
  SoundRecord* record = liveSound(sound);
  if (!record) return ERR_INVALID_HANDLE;
  State& s = *state_;
  record->use = SoundRecord::Use::Releasing;
  makeCurrent();
  // A chime or death cry still sounding when its screen unloads is heard to the end.
  for (Voice& voice : s.voices)
    if (voice.active && voice.sound == sound.index_ &&
        (IsLoopSound(record->mode) || SourceState(voice.source) != AL_PLAYING))
      retire(voice);
  freeSilentReleasedSounds();
  return OK;
}

void System::freeSilentReleasedSounds() {
  State& s = *state_;
  for (uint32_t index = 0; index < s.sounds.size(); ++index) {
    SoundRecord& record = s.sounds[index];
    if (record.use != SoundRecord::Use::Releasing) continue;
    const bool sounding = std::any_of(s.voices.begin(), s.voices.end(),
                                      [&](const Voice& voice) { return voice.active && voice.sound == index; });
    if (sounding) continue;
    alDeleteBuffers(1, &record.buffer);
    record = SoundRecord{};
    s.freeSounds.push_back(index);
  }
}

Result System::playSound(Sound sound, void* /*channelGroup*/, bool paused, Channel* channel) {
  if (channel) *channel = Channel{};
  State& s = *state_;
  if (s.output == Output::None) return ERR_UNINITIALIZED;
  if (!sound) return ERR_INVALID_PARAM;
  const SoundRecord* record = liveSound(sound);
  if (!record) return ERR_INVALID_HANDLE;
  const unsigned mode = record->mode;
  ALuint buffer = record->buffer;
  makeCurrent();
  Voice* voice = acquireVoice();
  if (!voice) return ERR_CHANNEL_ALLOC;

  voice->active = true;
  voice->paused = paused;
  voice->sound = sound.index_;
  voice->volume = 1.0f;
  voice->pan = 0.0f;
  voice->pitch = 1.0f;
  voice->loopCount = IsLoopSound(mode) ? -1 : 0;
  voice->unqueuedPlays = 0;
  voice->serial = s.nextSerial++;

  alGetError();
  const ALuint source = voice->source;
  alSourcef(source, AL_GAIN, voice->volume);
  alSourcef(source, AL_PITCH, voice->pitch);
  applyPan(*voice);
  alSourcei(source, AL_LOOPING, voice->loopCount < 0 ? AL_TRUE : AL_FALSE);
  alSourceQueueBuffers(source, 1, &buffer);
  if (!paused) alSourcePlay(source);
  if (alGetError() != AL_NO_ERROR) {
    retire(*voice);
    return ERR_INTERNAL;
  }
  if (channel) *channel = Channel(this, uint32_t(voice - s.voices.data()), voice->generation);
  return OK;
}

System::Voice* System::acquireVoice() {
  Voice* victim = nullptr;
  for (Voice& voice : state_->voices) {
    if (voice.active && SourceStopped(voice.source)) retire(voice);
    if (!voice.active) return &voice;
    // Music and ambience are never cut off for a one-shot.
    if (IsLoopSound(state_->sounds[voice.sound].mode)) continue;
    if (!victim || voice.volume < victim->volume ||
        (voice.volume == victim->volume && voice.serial < victim->serial))
      victim = &voice;
  }
  if (victim) retire(*victim);
  return victim;
}

void System::retire(Voice& voice) {
  // Rewound, not merely stopped: a stopped source would read as finished when reused paused.
  alSourceRewind(voice.source);
  alSourcei(voice.source, AL_BUFFER, 0);
  voice.active = false;
  voice.sound = kNoSound;
  voice.unqueuedPlays = 0;
  if (++voice.generation == 0) voice.generation = 1;
}

System::Voice* System::liveVoice(const Channel& channel) {
  State& s = *state_;
  if (channel.index_ >= s.voices.size()) return nullptr;
  Voice& voice = s.voices[channel.index_];
  if (!voice.active || voice.generation != channel.generation_) return nullptr;
  makeCurrent();
  if (SourceStopped(voice.source)) {
    retire(voice);
    return nullptr;
  }
  return &voice;
}

void System::applyPan(Voice& voice) {
  const float pan = voice.pan;
  // Mono: the source's direction; its sine is the pan.
  alSource3f(voice.source, AL_POSITION, pan, 0.0f, -std::sqrt(1.0f - pan * pan));
  // Stereo: panning right swings the left channel over to the right speaker, and vice versa.
  const ALfloat angles[2] = {kSpeakerAngle - std::max(pan, 0.0f) * 2.0f * kSpeakerAngle,
                             -kSpeakerAngle - std::min(pan, 0.0f) * 2.0f * kSpeakerAngle};
  alSourcefv(voice.source, AL_STEREO_ANGLES, angles);
}

void System::applyLoopCount(Voice& voice) {
  if (!IsLoopSound(state_->sounds[voice.sound].mode)) return;
  const ALuint source = voice.source;
  if (voice.loopCount < 0) {
    alSourcei(source, AL_LOOPING, AL_TRUE);
    voice.unqueuedPlays = 0;
    return;
  }
  alSourcei(source, AL_LOOPING, AL_FALSE);
  ALint queued = 0;
  ALint processed = 0;
  alGetSourcei(source, AL_BUFFERS_QUEUED, &queued);
  alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
  int64_t pending = queued - processed;  // counts the pass now playing
  const int64_t wanted = int64_t(voice.loopCount) + 1;
  // Passes already queued cannot be withdrawn once playing; before the start they can.
  if (pending > wanted && SourceState(source) == AL_INITIAL) {
    alSourcei(source, AL_BUFFER, 0);
    pending = 0;
  }
  voice.unqueuedPlays = std::max<int64_t>(0, wanted - pending);
  topUpLoops(voice);
}

void System::topUpLoops(Voice& voice) {
  const ALuint source = voice.source;
  ALint processed = 0;
  alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
  ALuint done[kMaxQueuedPlays];
  while (processed > 0) {
    const ALint batch = std::min<ALint>(processed, kMaxQueuedPlays);
    alSourceUnqueueBuffers(source, batch, done);
    processed -= batch;
  }
  ALint queued = 0;
  alGetSourcei(source, AL_BUFFERS_QUEUED, &queued);
  ALuint buffer = state_->sounds[voice.sound].buffer;
  for (; queued < kMaxQueuedPlays && voice.unqueuedPlays > 0; ++queued, --voice.unqueuedPlays)
    alSourceQueueBuffers(source, 1, &buffer);
}

Result Channel::setLoopCount(int loopCount) {
  System::Voice* voice = system_ ? system_->liveVoice(*this) : nullptr;
  if (!voice) return ERR_INVALID_HANDLE;
  if (loopCount < -1) return ERR_INVALID_PARAM;
  voice->loopCount = loopCount;
  system_->applyLoopCount(*voice);
  return OK;
}

Result Channel::setVolume(float volume) {
  System::Voice* voice = system_ ? system_->liveVoice(*this) : nullptr;
  if (!voice) return ERR_INVALID_HANDLE;
  if (std::isnan(volume)) return ERR_INVALID_PARAM;
  voice->volume = std::clamp(volume, 0.0f, kMaxVolume);
  alSourcef(voice->source, AL_GAIN, voice->volume);
  return OK;
}

Result Channel::getVolume(float* volume) const {
  if (!volume) return ERR_INVALID_PARAM;
  *volume = 0.0f;
  const System::Voice* voice = system_ ? system_->liveVoice(*this) : nullptr;
  if (!voice) return ERR_INVALID_HANDLE;
  *volume = voice->volume;
  return OK;
}

Result Channel::setPaused(bool paused) {
  System::Voice* voice = system_ ? system_->liveVoice(*this) : nullptr;
  if (!voice) return ERR_INVALID_HANDLE;
  const ALint state = SourceState(voice->source);
  if (paused && state == AL_PLAYING) alSourcePause(voice->source);
  if (!paused && (state == AL_PAUSED || state == AL_INITIAL)) alSourcePlay(voice->source);
  voice->paused = paused;
  return OK;
}

Result Channel::getPaused(bool* paused) const {
  if (!paused) return ERR_INVALID_PARAM;
  *paused = false;
  const System::Voice* voice = system_ ? system_->liveVoice(*this) : nullptr;
  if (!voice) return ERR_INVALID_HANDLE;
  *paused = voice->paused;
  return OK;
}

Result Channel::setPan(float pan) {
  System::Voice* voice = system_ ? system_->liveVoice(*this) : nullptr;
  if (!voice) return ERR_INVALID_HANDLE;
  if (std::isnan(pan)) return ERR_INVALID_PARAM;
  voice->pan = std::clamp(pan, -1.0f, 1.0f);
  system_->applyPan(*voice);
  return OK;
}

Result Channel::setPitch(float pitch) {
  System::Voice* voice = system_ ? system_->liveVoice(*this) : nullptr;
  if (!voice) return ERR_INVALID_HANDLE;
  if (std::isnan(pitch)) return ERR_INVALID_PARAM;
  voice->pitch = std::clamp(pitch, 0.0f, kMaxPitch);
  alSourcef(voice->source, AL_PITCH, voice->pitch);
  return OK;
}

Result Channel::stop() {
  System::Voice* voice = system_ ? system_->liveVoice(*this) : nullptr;
  if (!voice) return ERR_INVALID_HANDLE;
  system_->retire(*voice);
  return OK;
}

Result Channel::isPlaying(bool* playing) const {
  if (!playing) return ERR_INVALID_PARAM;
  *playing = false;
  const System::Voice* voice = system_ ? system_->liveVoice(*this) : nullptr;
  if (!voice) return ERR_INVALID_HANDLE;
  *playing = true;
  return OK;
}

}  // namespace audio
