#pragma once

#include <string>
#include <vector>

// Runs the game binary as a player would, from the repository root, with the
// testing options, and collects what it printed and traced.
struct GameRun {
  int exitCode = -1;
  std::string output;
  std::vector<std::string> traceLines;

  // Frame at which the given state was entered, or -1.
  long FrameEntering(int state) const;
  std::vector<int> StatesEntered() const;
  long LastFrame() const;
};

// `script` is the content of an --input file ("" for none); `environment`
// is put before the command ("DISPLAY= " runs it without a display).
GameRun RunGame(const std::vector<std::string>& args, const std::string& script = "",
                const std::string& environment = "");

// Where tests may write files; removed by the OS's tmp cleaning.
std::string TempPath(const std::string& name);

// An integer field of a JSON trace line, or -1.
long TraceField(const std::string& line, const std::string& key);
