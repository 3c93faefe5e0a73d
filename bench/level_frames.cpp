// Plays a given number of the level benchmark's frames, putting the scene
// back every kFramesPerScene frames as BM_LevelFrame does, and prints a
// checksum of what the frames left. For instruction counts, which a loaded
// machine does not disturb:
//   valgrind --tool=callgrind --toggle-collect='game::StepLevel*' build/bench/sandrift_level_frames 118
// counts the 30 frames that set the scene up too: subtract a run of 0 frames.
// and for a change meant to keep every result: the same checksum before and after.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/level_scene.h"

namespace bench {
namespace {

// FNV-1a over the bytes of plain values.
struct Checksum {
  std::uint64_t h = 14695981039346656037ull;
  template <class T>
  void Add(const T& value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (unsigned char b : bytes) h = (h ^ b) * 1099511628211ull;
  }
};

void AddObject(Checksum& sum, const GameObject& o) {
  sum.Add(o.active);
  sum.Add(o.visible);
  sum.Add(o.position);
  sum.Add(o.velocity);
  sum.Add(o.acceleration);
  sum.Add(o.scale);
  sum.Add(o.rotation);
  sum.Add(o.materialGround);
}

void AddCharacter(Checksum& sum, Character& c) {
  AddObject(sum, c);
  sum.Add(c.GetHealth());
  sum.Add(c.target);
  sum.Add(c.invulnerable);
}

std::uint64_t ChecksumOf(Scene& s) {
  Checksum sum;
  Level& l = s.level;
  sum.Add(l.random.state);
  for (const world::Cell& c : l.grid.cells) {
    sum.Add(c.material);
    sum.Add(c.velocityX);
    sum.Add(c.velocityY);
  }
  AddCharacter(sum, l.player);
  for (auto& e : l.meleeEnemies) AddCharacter(sum, e);
  for (auto& e : l.rifleEnemies) AddCharacter(sum, e);
  for (auto& e : l.rocketEnemies) AddCharacter(sum, e);
  for (auto& e : l.gunners) AddCharacter(sum, e);
  for (const auto& o : l.rockets.objects) AddObject(sum, o);
  for (const auto& o : l.bullets.objects) AddObject(sum, o);
  for (const auto& o : l.smoke.objects) AddObject(sum, o);
  for (const auto& o : l.text.objects) AddObject(sum, o);
  for (const SoundEvent& e : l.sounds.Events()) {
    sum.Add(e.sound);
    sum.Add(e.source);
    sum.Add(e.volume);
    sum.Add(e.pitch);
  }
  return sum.h;
}

}  // namespace

std::uint64_t PlayFrames(const Scene& start, int frames) {
  Scene scene = start;
  Checksum sum;
  for (int i = 1; i <= frames; ++i) {
    if (i % kFramesPerScene == 0) {
      sum.Add(ChecksumOf(scene));
      scene = start;
    }
    scene.Step();
  }
  sum.Add(ChecksumOf(scene));
  return sum.h;
}

}  // namespace bench

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 120;
  const bench::Scene start;
  std::printf("%d frames, checksum %016llx\n", frames,
              static_cast<unsigned long long>(bench::PlayFrames(start, frames)));
}
