#pragma once

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/parse_integer.h"

// Whole-string number parsing for the tool's options.
namespace level_tool {

inline bool ParseWhole(const std::string& text, long long& value) {
  const std::optional<long long> n = ParseInteger<long long>(text);
  if (n) value = *n;
  return n.has_value();
}

inline bool ParseFloat(const std::string& text, float& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtof(text.c_str(), &end);
  return errno == 0 && *end == '\0' && std::isfinite(value);
}

// "WxH", each side 1 to 16384 pixels.
inline bool ParseWindow(const std::string& text, long long& width, long long& height) {
  const std::size_t x = text.find('x');
  return x != std::string::npos && ParseWhole(text.substr(0, x), width) && ParseWhole(text.substr(x + 1), height) &&
         width > 0 && height > 0 && width <= 16384 && height <= 16384;
}

}  // namespace level_tool
