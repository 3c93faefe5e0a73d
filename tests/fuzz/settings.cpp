// Any settings file gives a window the game can open: a positive size, which
// the fit to the screen then bounds.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Settings s = ParseSettings({reinterpret_cast<const char*>(data), size});
  if (s.width < 1 || s.height < 1) std::abort();
  WindowWidth = s.width;
  WindowHeight = s.height;
  FitWindowToScreen("fuzz", kMaxWindowEdge, kMaxWindowEdge);
  if (WindowWidth > kMaxWindowEdge || WindowHeight > kMaxWindowEdge) std::abort();
  return 0;
}
