#pragma once

#include <string>

#include "app/game_instance.h"

// The level being played: the sequence of levels from the names file, the
// frame of the rules, the pause menu with its confirmation dialog, the music
// and wind, and the head-up display.
class GamePixelTemplate : public GameInstance {
public:
  void Load() override;
  void Initialize() override;
  void ProcessInput(double dt) override;
  void Update(double dt) override;
  void Draw() override;
  void Free() override;
  void Unload() override;
};

// Where the names file and the level images are read from: "Assets//Levels"
// unless a test points it elsewhere.
extern std::string LevelsFolder;
