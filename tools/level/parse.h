#pragma once

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

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

// Reads "--name value" pairs with `take(name, value)`, which answers 1 for a
// good value, 0 for a bad one and -1 for a name it does not know. False, with
// `usageError` set, on the first that is not good.
template <class Take>
bool ParseOptions(const std::vector<std::string>& options, std::string& usageError, Take take) {
  for (std::size_t i = 0; i < options.size(); i += 2) {
    const std::string& option = options[i];
    if (i + 1 >= options.size()) {
      usageError = option + " needs a value";
      return false;
    }
    const int taken = take(option, options[i + 1]);
    if (taken < 0) usageError = "unknown option " + option;
    if (taken == 0) usageError = "bad value for " + option + ": " + options[i + 1];
    if (taken != 1) return false;
  }
  return true;
}

}  // namespace level_tool
