// Any bytes must either build a consistent grid or be refused with a reason;
// a small accepted level must also survive frames of play, firing, with its
// markers wherever the bytes put them.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/level.h"
#include "world/level_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr float kCell = 5.0f;
  std::string error;
  auto grid = world::ParseLevelImage({data, size}, kCell, error);
  if (!grid) {
    if (error.empty()) std::abort();
    return 0;
  }
  if (grid->cells.size() != static_cast<std::size_t>(grid->width) * grid->height) std::abort();
  if (grid->cells.size() > 1 << 16) return 0;
  game::Level level = game::MakeLevel(std::move(*grid));
  game::FrameInput input;
  input.windowWidth = 1920;
  input.windowHeight = 1080;
  input.cursorX = data[size - 1] * 8.0;
  input.cursorY = 540.0;
  for (int frame = 0; frame < 8; ++frame) {
    input.controls = {frame % 3 == 0, frame % 3 == 1, frame == 2, frame % 2 == 0};
    game::StepLevel(level, input, 1.0f / 60.0f);
  }
  return 0;
}
