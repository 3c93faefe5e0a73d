#pragma once

#include <string>
#include <vector>

#include "game/level.h"
#include "world/world_random.h"

// `sandrift-level play`: a whole level run headless from an input script.
namespace level_tool {

inline constexpr int kExitVictory = 0;
inline constexpr int kExitDefeat = 1;
inline constexpr int kExitNoOutcome = 3;  // neither within the frames allowed
inline constexpr int kExitBadFile = 2;
inline constexpr int kExitNoSetPiece = 4;  // won, but something the level must show did not happen in the view

// Both commands run the level in this window, a frame every 1/60 s, unless told otherwise.
inline constexpr int kDefaultWindowWidth = 1536;
inline constexpr int kDefaultWindowHeight = 864;
inline constexpr float kDefaultFrameTime = 1.0f / 60.0f;

// Runs the level and returns its exit code; 2 after printing why a file could
// not be used; -1 with `usageError` set for bad options.
int Play(const std::string& levelPath, const std::vector<std::string>& options, std::string& usageError);

// The level as the level screen makes it for a window `windowWidth` pixels
// wide, read at the clock's first second, with the gameplay random generator
// at its start-up state. Prints why not and returns false.
bool LoadLevel(const std::string& path, long long windowWidth, const world::PlayClock& clock, game::Level& level);

// Reads --clock T (one fixed second) or --clock-start T (T plus the seconds
// played); 1, 0 or -1 as ParseOptions' `take` answers.
int TakeClockOption(const std::string& option, const std::string& value, world::PlayClock& clock);

// One frame of the level at the clock's reading; the clock then moves on by dt.
game::FrameResult StepAtClock(game::Level& level, const game::FrameInput& input, float dt, world::PlayClock& clock);

// Every enemy of the level, alive or not, in marker order by kind.
template <class F>
void ForEachEnemy(const game::Level& level, F&& f) {
  for (const auto& e : level.bats) f(e);
  for (const auto& e : level.meleeEnemies) f(e);
  for (const auto& e : level.rifleEnemies) f(e);
  for (const auto& e : level.rocketEnemies) f(e);
  for (const auto& e : level.gunners) f(e);
}

// What a run cost the player, counted frame by frame with Observe.
struct RunStats {
  int healthLost = 0;
  int rocketsFired = 0;
  int enemiesMet = 0;  // enemies that were ever alive inside the view
  int farRockets = 0;  // enemy rockets launched from outside the view

  // After each StepLevel, with the frame's window size.
  void Observe(const game::Level& level, int windowWidth, int windowHeight);

 private:
  int health_ = game::kPlayerHealth;  // as the level starts
  float cooldown_ = 0.0f;
  std::vector<bool> met_;
  std::vector<bool> flying_;
};

}  // namespace level_tool
