// Any names file gives one name per line, none holding a line break or overlong.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "screens/hud_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> names = ParseLevelNames({reinterpret_cast<const char*>(data), size});
  const std::size_t lines = std::count(data, data + size, '\n') + (size > 0 && data[size - 1] != '\n');
  if (names.size() != lines) std::abort();
  for (const std::string& name : names)
    if (name.find('\n') != std::string::npos || name.size() > kMaxLevelNameLength) std::abort();
  return 0;
}
