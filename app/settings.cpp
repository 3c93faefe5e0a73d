#include "app/settings.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "app/parse_integer.h"

int WindowWidth = Settings{}.width;
int WindowHeight = Settings{}.height;
bool FullScreen = true;

namespace {

// Windows editors may start the file with one.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::optional<int> ReadLine(std::istream& lines) {
  std::string line;
  if (!std::getline(lines, line)) return std::nullopt;
  return ParseInteger<int>(line, AfterDigits::Ignored);
}

std::optional<int> ReadEdge(std::istream& lines) {
  const std::optional<int> edge = ReadLine(lines);
  if (edge && *edge > 0) return edge;
  return std::nullopt;
}

}  // namespace

Settings ParseSettings(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  Settings settings;
  std::istringstream lines{std::string(text)};
  settings.width = ReadEdge(lines).value_or(settings.width);
  settings.height = ReadEdge(lines).value_or(settings.height);
  if (const std::optional<int> flag = ReadLine(lines)) settings.fullScreen = *flag != 0;
  return settings;
}

void LoadSettings(const char* path) {
  std::ifstream file(path);
  if (!file) return;
  std::stringstream text;
  text << file.rdbuf();
  Settings settings = ParseSettings(text.str());
  WindowWidth = settings.width;
  WindowHeight = settings.height;
  FullScreen = settings.fullScreen;
}

void FitWindowToScreen(const char* path, int screenWidth, int screenHeight) {
  if (WindowWidth <= screenWidth && WindowHeight <= screenHeight) return;
  const int width = std::min(WindowWidth, screenWidth), height = std::min(WindowHeight, screenHeight);
  std::printf("%s asks for a %d x %d window, larger than the screen (%d x %d); it opens at %d x %d\n", path,
              WindowWidth, WindowHeight, screenWidth, screenHeight, width, height);
  WindowWidth = width;
  WindowHeight = height;
}
