#include "screens/hud_text.h"

#include <cstdio>
#include <fstream>
#include <sstream>

std::string TimerText(float elapsed) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", elapsed);
  const std::size_t keep = elapsed < 10.0f ? 4 : elapsed < 100.0f ? 5 : 6;
  return std::string(text).substr(0, keep);
}

std::string CutAfterFirstDecimal(std::string text) {
  const std::size_t point = text.find('.');
  if (point != std::string::npos && point + 2 < text.size()) text.resize(point + 2);
  return text;
}

std::string FrameRateText(double dt) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", 1.0 / dt);
  return text;
}

std::vector<std::string> ParseLevelNames(std::string_view text, int* cut) {
  std::vector<std::string> names;
  std::istringstream lines{std::string(text)};
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kMaxLevelNameLength) {
      line.resize(kMaxLevelNameLength);
      if (cut) ++*cut;
    }
    names.push_back(line);
  }
  return names;
}

std::vector<std::string> ReadLevelNames(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::printf("Level names %s could not be read; the levels show no names\n", path.c_str());
    return {};
  }
  std::stringstream text;
  text << file.rdbuf();
  int cut = 0;
  std::vector<std::string> names = ParseLevelNames(text.str(), &cut);
  if (cut > 0)
    std::printf("Level names %s: %d of its names cut to %zu characters\n", path.c_str(), cut,
                kMaxLevelNameLength);
  return names;
}
