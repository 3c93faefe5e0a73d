#pragma once

#include <string>
#include <vector>

#include "game/level.h"

// `sandrift-level play`: a whole level run headless from an input script.
namespace level_tool {

inline constexpr int ExitVictory = 0;
inline constexpr int ExitDefeat = 1;
inline constexpr int ExitNoOutcome = 3;  // neither within the frames allowed
inline constexpr int ExitBadFile = 2;
inline constexpr int ExitNoSetPiece = 4;  // won, but something the level must show did not happen
inline constexpr float MaxFrameTime = 0.03f;  // the game's loop clamps every frame to this

// Runs the level and returns its exit code; 2 after printing why a file could
// not be used; -1 with `usageError` set for bad options.
int Play(const std::string& levelPath, const std::vector<std::string>& options, std::string& usageError);

// The level as the level screen makes it for a window `windowWidth` pixels
// wide, with the world's clock fixed at `clock` and the gameplay random
// generator at its start-up state. Prints why not and returns false.
bool LoadLevel(const std::string& path, long long windowWidth, long long clock, game::Level& level);

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
