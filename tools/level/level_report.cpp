#include "tools/level/level_report.h"

#include <cmath>
#include <cstdio>

namespace level_tool {
namespace {

using world::PixelGrid;

std::string Format(const char* format, auto... args) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

constexpr const char* kMaterialNames[] = {"sand", "obsidian", "ice", "lava", "water", "stone", "steam", "clear"};
static_assert(std::size(kMaterialNames) == world::kMaterialCount);

}  // namespace

LevelReport DescribeLevel(const PixelGrid& grid) {
  LevelReport report;
  report.lines.push_back(Format("size: %u x %u cells (%.2f views wide)", grid.width, grid.height,
                                grid.width / static_cast<double>(world::kViewCells)));
  if (grid.playerSpawnFound) {
    report.lines.push_back(Format("player start: %d, %d", grid.playerSpawn.x, grid.playerSpawn.y));
  } else {
    report.lines.push_back("player start: none");
  }

  const struct {
    const char* name;
    const std::vector<world::CellPos>& list;
  } markers[] = {
      {"treasure", grid.treasureMarkers}, {"health", grid.healthMarkers}, {"bat", grid.batMarkers},
      {"melee", grid.meleeMarkers},       {"rifle", grid.rifleMarkers},   {"rocket", grid.rocketMarkers},
      {"gunner", grid.gunnerMarkers},
  };
  std::string markerLine = "markers:";
  for (const auto& m : markers) markerLine += Format(" %s %zu", m.name, m.list.size());
  report.lines.push_back(markerLine);

  std::size_t counts[world::kMaterialCount] = {};
  std::size_t darkStones = 0;
  for (const world::Cell& c : grid.cells) {
    ++counts[c.material];
    darkStones += c.material == world::STONE && c.dark;
  }
  std::string materialLine = "materials:";
  for (int m = 0; m < world::kMaterialCount; ++m) materialLine += Format(" %s %zu", kMaterialNames[m], counts[m]);
  report.lines.push_back(materialLine);

  if (!grid.playerSpawnFound) {
    report.warnings.push_back("no player start (colour 100, 0, 0): the player starts at cell 0, 0");
  }
  if (grid.treasureMarkers.empty()) {
    report.warnings.push_back("no treasure (colour 0, 100, 0): the level is won at once");
  }
  if (grid.width < world::kViewCells) {
    report.warnings.push_back(Format("narrower than %d cells: the view shows beyond the right edge",
                                     static_cast<int>(world::kViewCells)));
  }
  const auto reachable = static_cast<std::uint32_t>(std::ceil(grid.width * kViewAspect));
  if (grid.height > reachable) {
    report.warnings.push_back(Format("taller than width x 9/16 = %u rows: the camera cannot reach the top "
                                     "%u rows; make the level %u x %u",
                                     reachable, grid.height - reachable, grid.width, reachable));
  } else if (grid.height < reachable) {
    report.warnings.push_back(Format("shorter than width x 9/16 = %u rows: the camera scrolls above the "
                                     "top edge; make the level %u x %u",
                                     reachable, grid.width, reachable));
  }
  return report;
}

}  // namespace level_tool
