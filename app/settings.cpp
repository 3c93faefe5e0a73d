#include "app/settings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

int WindowWidth = 1600;
int WindowHeight = 900;
bool FullScreen = true;

namespace {

// Larger windows than this are no monitor's; GLFW would fail to create them.
constexpr long kMaxWindowEdge = 16384;

// strtol's rules: leading blanks and a sign, digits up to the first other
// character. False when the line has no number or it overflows an int.
bool ReadInteger(const std::string& line, long* value) {
  const char* begin = line.c_str();
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(begin, &end, 10);
  if (end == begin || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
  *value = v;
  return true;
}

}  // namespace

Settings ParseSettings(std::string_view text) {
  Settings settings;
  std::istringstream lines{std::string(text)};
  std::string line;
  long value = 0;

  if (std::getline(lines, line) && ReadInteger(line, &value) && value > 0 && value <= kMaxWindowEdge)
    settings.width = static_cast<int>(value);
  if (std::getline(lines, line) && ReadInteger(line, &value) && value > 0 && value <= kMaxWindowEdge)
    settings.height = static_cast<int>(value);
  if (std::getline(lines, line) && ReadInteger(line, &value)) settings.fullScreen = value != 0;
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
