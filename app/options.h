#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/game_state.h"

// Command-line options. With none given the game behaves as a player expects:
// real time, the settings file's window, the logo screen first.
struct Screenshot {
  long frame = 0;
  std::string path;
};

struct Options {
  long frames = -1;                 // --frames N: quit after N frames
  float fixedDt = 0.0f;             // --fixed-dt S: every frame's dt is S
  std::optional<long long> clock;   // --clock T or --clock-start T: the world's seeding clock
  bool clockRuns = false;           // --clock-start: it moves on with the seconds played
  int firstState = STATE_LOGO;      // --state N
  int windowWidth = 0;              // --window WxH (0: from the settings file)
  int windowHeight = 0;
  std::vector<Screenshot> screenshots;  // --screenshot N:FILE.png, repeatable
  std::string inputScript;          // --input FILE
  std::string tracePath;            // --trace FILE
  std::string levelsFolder;         // --levels DIR: the level sequence's names file and images
  std::string recordPath;           // --record FILE
  std::string dataDir;              // --data DIR (empty: found as installed)
  bool glErrors = false;            // --gl-errors: count OpenGL errors, print the count at exit
  bool help = false;
  bool version = false;
};

struct OptionsResult {
  Options options;
  std::string error;  // empty when the command line was understood
};

OptionsResult ParseOptions(const std::vector<std::string>& args);
const char* OptionsHelp();
