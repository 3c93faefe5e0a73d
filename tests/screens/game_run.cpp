#include "tests/screens/game_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

std::string TempPath(const std::string& name) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("sandrift-test-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

long TraceField(const std::string& line, const std::string& key) {
  std::string pattern = "\"" + key + "\":";
  std::size_t at = line.find(pattern);
  if (at == std::string::npos) return -1;
  return std::strtol(line.c_str() + at + pattern.size(), nullptr, 10);
}

GameRun RunGame(const std::vector<std::string>& args, const std::string& script,
                const std::string& environment) {
  static int runNumber = 0;
  ++runNumber;
  std::string tracePath = TempPath("trace" + std::to_string(runNumber) + ".jsonl");
  std::string outPath = TempPath("out" + std::to_string(runNumber) + ".txt");

  // In sanitizer builds the game's memory errors still fail the run, but the
  // GL driver's own leaks at exit are not the game's to answer for.
  std::string command = environment + " ASAN_OPTIONS=detect_leaks=0 " + std::string(SANDRIFT_BINARY) + " --trace " + tracePath;
  if (!script.empty()) {
    std::string scriptPath = TempPath("input" + std::to_string(runNumber) + ".txt");
    std::ofstream(scriptPath) << script;
    command += " --input " + scriptPath;
  }
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " > " + outPath + " 2>&1";

  GameRun run;
  int status = std::system(command.c_str());
  run.exitCode = WIFEXITED(status) ? static_cast<signed char>(WEXITSTATUS(status)) : -1000;
  run.output = ReadAll(outPath);
  std::istringstream lines(ReadAll(tracePath));
  for (std::string line; std::getline(lines, line);) run.traceLines.push_back(line);
  return run;
}

long GameRun::FrameEntering(int state) const {
  for (const std::string& line : traceLines)
    if (line.find("\"event\":\"state\"") != std::string::npos && TraceField(line, "state") == state)
      return TraceField(line, "frame");
  return -1;
}

std::vector<int> GameRun::StatesEntered() const {
  std::vector<int> states;
  for (const std::string& line : traceLines)
    if (line.find("\"event\":\"state\"") != std::string::npos)
      states.push_back(static_cast<int>(TraceField(line, "state")));
  return states;
}

long GameRun::LastFrame() const {
  long last = -1;
  for (const std::string& line : traceLines)
    if (line.find("\"event\":\"frame\"") != std::string::npos) last = TraceField(line, "frame");
  return last;
}
