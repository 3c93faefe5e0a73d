// Run by the audio tests as the game runs: plays a sound on the default device,
// fully right at full gain, and quits without releasing the system.

#include <chrono>
#include <thread>

#include "audio/audio.h"

int main(int argc, char** argv) {
  audio::System* system = nullptr;
  audio::Sound sound;
  audio::Channel channel;
  if (argc != 2 || audio::System_Create(&system) != audio::OK ||
      system->init(8, audio::INIT_NORMAL, nullptr) != audio::OK ||
      system->createSound(argv[1], audio::DEFAULT, nullptr, &sound) != audio::OK)
    return 1;  // a sound that fails to load is named on standard output
  system->playSound(sound, nullptr, true, &channel);
  channel.setPan(1.0f);
  channel.setVolume(audio::kMaxVolume);
  channel.setPaused(false);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  return 0;
}
