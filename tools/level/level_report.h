#pragma once

#include <string>
#include <vector>

#include "world/pixel_grid.h"

// What `sandrift-level info` prints about a level.
namespace level_tool {

// The camera shows 216 of 384 cells vertically in a 16:9 window and can
// scroll up to width x 9/16 rows: levels should be that tall.
inline constexpr double kViewAspect = 9.0 / 16.0;

struct LevelReport {
  std::vector<std::string> lines;
  std::vector<std::string> warnings;
};

LevelReport DescribeLevel(const world::PixelGrid& grid);

}  // namespace level_tool
