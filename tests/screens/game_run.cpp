#include "tests/screens/game_run.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <stb_image.h>

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// A number in a JSON trace line, or NaN.
double TraceValue(const std::string& line, const std::string& key) {
  const std::size_t at = line.find("\"" + key + "\":");
  return at == std::string::npos ? std::nan("") : std::strtod(line.c_str() + at + key.size() + 3, nullptr);
}

bool Is(const std::string& line, const char* event) {
  return line.find("\"event\":\"" + std::string(event) + "\"") != std::string::npos;
}

}  // namespace

std::string At(long frame, const std::string& event) { return std::to_string(frame) + " " + event + "\n"; }

std::string ClickAt(long frame, float x, float y) {
  return At(frame - 1, "cursor " + std::to_string(std::lround(x)) + " " + std::to_string(std::lround(y))) +
         At(frame, "mouse LEFT press") + At(frame + 2, "mouse LEFT release");
}

std::string ClickButton(long frame, const ButtonScreenTable& table, std::size_t button, int W, int H) {
  const glm::vec2 c = LayOut(table, W, H)[button].position;
  return ClickAt(frame, W / 2 + c.x, H / 2 - c.y);
}

// The folder is this process's own, named by its id: emptied when first used,
// since an earlier process with the same id may have left its traces there
// (a stale trace read as this run's fails the test), and removed at exit.
std::string TempPath(const std::string& name) {
  static const std::filesystem::path dir = [] {
    const std::filesystem::path own =
        std::filesystem::temp_directory_path() / ("sandrift-test-" + std::to_string(getpid()));
    std::filesystem::remove_all(own);
    std::filesystem::create_directories(own);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                      ("sandrift-test-" + std::to_string(getpid())),
                                  ignored);
    });
    return own;
  }();
  return (dir / name).string();
}

std::string Click(long frame, glm::ivec2 at) {
  return std::to_string(frame - 1) + " cursor " + std::to_string(at.x) + " " + std::to_string(at.y) + "\n" +
         std::to_string(frame) + " mouse LEFT press\n" + std::to_string(frame + 1) + " mouse LEFT release\n";
}

glm::ivec2 ButtonPixel(const ButtonScreenTable& table, std::size_t button, int W, int H) {
  const glm::vec2 centre = LayOut(table, W, H)[button].position;
  return {static_cast<int>(std::lround(W / 2 + centre.x)), static_cast<int>(std::lround(H / 2 - centre.y))};
}

GameRun RunGame(const std::vector<std::string>& args, const std::string& script,
                const std::string& environment, const std::string& directory) {
  static std::atomic<int> nextRun = 0;  // runs may overlap, from threads
  const int runNumber = ++nextRun;
  std::string tracePath = TempPath("trace" + std::to_string(runNumber) + ".jsonl");
  std::string outPath = TempPath("out" + std::to_string(runNumber) + ".txt");

  // In sanitizer builds the game's leaks fail the run as its memory errors
  // do; SANDRIFT_GAME_ENV keeps the GL driver's own ones apart.
  std::string command = (directory.empty() ? "" : "cd '" + directory + "' && ") + "exec env " SANDRIFT_GAME_ENV " " +
                        environment + " " + std::string(SANDRIFT_BINARY) + " --gl-errors --trace " + tracePath;
  if (!script.empty()) {
    std::string scriptPath = TempPath("input" + std::to_string(runNumber) + ".txt");
    std::ofstream(scriptPath) << script;
    command += " --input " + scriptPath;
  }
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " > " + outPath + " 2>&1";

  GameRun run;
  pid_t pid = 0;
  int status = -1;
  const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
  if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) == 0)
    waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? static_cast<signed char>(WEXITSTATUS(status)) : -1000;
  run.output = ReadAll(outPath);
  std::istringstream lines(ReadAll(tracePath));
  for (std::string line; std::getline(lines, line);) run.traceLines.push_back(line);
  // Every run that drew a frame must have counted no OpenGL error.
  const std::size_t count = run.output.rfind("GL errors: ");
  if (run.LastFrame() >= 0 && (count == std::string::npos || std::atol(run.output.c_str() + count + 11) != 0))
    ADD_FAILURE() << "OpenGL errors, or none counted:\n" << run.output;
  return run;
}

long GameRun::FrameEntering(int state) const {
  for (const std::string& line : traceLines)
    if (Is(line, "state") && TraceValue(line, "state") == state) return static_cast<long>(TraceValue(line, "frame"));
  return -1;
}

std::vector<double> GameRun::StateValues(const std::string& key) const {
  std::vector<double> values;
  for (const std::string& line : traceLines)
    if (Is(line, "state")) values.push_back(TraceValue(line, key));
  return values;
}

std::vector<int> GameRun::StatesEntered() const {
  std::vector<int> states;
  for (const std::string& line : traceLines)
    if (Is(line, "state")) states.push_back(static_cast<int>(TraceValue(line, "state")));
  return states;
}

long GameRun::LastFrame() const {
  long last = -1;
  for (const std::string& line : traceLines)
    if (Is(line, "frame")) last = static_cast<long>(TraceValue(line, "frame"));
  return last;
}

double GameRun::Field(long frame, const std::string& key) const {
  for (const std::string& line : traceLines)
    if (Is(line, "frame") && TraceValue(line, "frame") == frame) return TraceValue(line, key);
  return std::nan("");
}

Image LoadPng(const std::string& path) {
  Image image;
  int channels = 0;
  unsigned char* data = stbi_load(path.c_str(), &image.width, &image.height, &channels, 4);
  if (data) {
    image.rgba.assign(data, data + static_cast<std::size_t>(image.width) * image.height * 4);
    stbi_image_free(data);
  }
  return image;
}

double ShareShowing(const Image& shot, const Image& picture, WindowRect where,
                    const std::function<bool(int x, int y)>& skip) {
  constexpr int kStep = 7;
  constexpr int kTolerance = 8;
  int matches = 0, samples = 0;
  for (int y = static_cast<int>(where.top) + 2; y < where.top + where.height - 2; y += kStep) {
    for (int x = static_cast<int>(where.left) + 2; x < where.left + where.width - 2; x += kStep) {
      if (x < 0 || y < 0 || x >= shot.width || y >= shot.height || (skip && skip(x, y))) continue;
      // Nearest-texel sampling at the pixel's centre, as the GPU does.
      int u = static_cast<int>((x + 0.5f - where.left) / where.width * picture.width);
      int v = static_cast<int>((y + 0.5f - where.top) / where.height * picture.height);
      const unsigned char* texel = picture.At(u, v);
      if (texel[3] != 255) continue;
      const unsigned char* pixel = shot.At(x, y);
      ++samples;
      if (std::abs(pixel[0] - texel[0]) <= kTolerance && std::abs(pixel[1] - texel[1]) <= kTolerance &&
          std::abs(pixel[2] - texel[2]) <= kTolerance)
        ++matches;
    }
  }
  return samples ? static_cast<double>(matches) / samples : 0.0;
}
