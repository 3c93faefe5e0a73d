// libFuzzer target: any bytes must either build a consistent grid or be
// refused with a reason; a small accepted grid must also survive a step.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "world/level_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  auto grid = world::ParseLevelImage({data, size}, 5.0f, error);
  if (!grid) {
    if (error.empty()) std::abort();
    return 0;
  }
  if (grid->cells.size() != static_cast<std::size_t>(grid->width) * grid->height) std::abort();
  if (grid->cells.size() <= 1 << 16) grid->StepGrid(1.0f / 60.0f);
  return 0;
}
