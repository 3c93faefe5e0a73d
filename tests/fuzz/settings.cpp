// Any settings file gives a window the game can open.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Settings s = ParseSettings({reinterpret_cast<const char*>(data), size});
  if (s.width < 1 || s.width > 16384 || s.height < 1 || s.height > 16384) std::abort();
  return 0;
}
