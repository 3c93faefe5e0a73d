// sandrift-level: what a level author needs without starting the game.
//   sandrift-level info FILE.bmp
//   sandrift-level simulate FILE.bmp --steps N [--dt SECONDS] [--clock T]
//                  [--view X,Y] (--text | --png OUT.png)
//   sandrift-level play FILE.bmp [--input SCRIPT] [--fixed-dt S] [--clock T | --clock-start T]
//                  [--window WxH] [--frames N] [--trace FILE] [--set-pieces FILE]
//   sandrift-level route FILE.bmp [--window WxH] [--fixed-dt S] [--clock T | --clock-start T]
//                  [--budget FRAMES] [--memory MB] > SCRIPT
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/parse_integer.h"
#include "app/png_file.h"
#include "tools/level/level_report.h"
#include "tools/level/parse.h"
#include "tools/level/play.h"
#include "tools/level/route.h"
#include "world/level_image.h"
#include "world/world_random.h"

namespace {

using level_tool::ParseFloat;

constexpr int kExitBadFile = 1;
constexpr int kExitUsage = 2;
constexpr float kLevelCellSize = 5.0f;  // a 1920-pixel window; the step does not depend on it
constexpr long long kMaxSteps = 100000000;

const char* const kUsage =
    "usage: sandrift-level info FILE.bmp\n"
    "       sandrift-level simulate FILE.bmp --steps N [--dt SECONDS] [--clock T]\n"
    "                      [--view X,Y] (--text | --png OUT.png)\n"
    "       sandrift-level play FILE.bmp [--input SCRIPT] [--fixed-dt S] [--clock T | --clock-start T]\n"
    "                      [--window WxH] [--frames N] [--trace FILE] [--set-pieces FILE]\n"
    "                      (exit 0 victory, 1 defeat, 3 neither within N frames,\n"
    "                      4 victory without a set piece seen in the view)\n"
    "       sandrift-level route FILE.bmp [--window WxH] [--fixed-dt S] [--clock T | --clock-start T]\n"
    "                      [--budget FRAMES] [--memory MB] > SCRIPT\n";

int UsageError(const std::string& message) {
  std::fprintf(stderr, "sandrift-level: %s\n%s", message.c_str(), kUsage);
  return kExitUsage;
}

// The game's loader, reporting as a command-line tool does: on standard error.
std::unique_ptr<world::PixelGrid> Load(const std::string& path) {
  std::string error;
  std::unique_ptr<world::PixelGrid> grid = world::ReadLevelImage(path, kLevelCellSize, error);
  if (!grid) std::fprintf(stderr, "sandrift-level: %s: %s\n", path.c_str(), error.c_str());
  return grid;
}

int Info(const std::string& path) {
  auto grid = Load(path);
  if (!grid) return kExitBadFile;
  const level_tool::LevelReport report = level_tool::DescribeLevel(*grid);
  std::printf("%s\n", path.c_str());
  for (const std::string& line : report.lines) std::printf("%s\n", line.c_str());
  for (const std::string& warning : report.warnings) std::printf("warning: %s\n", warning.c_str());
  return 0;
}

void PrintText(const world::PixelGrid& grid) {
  std::string line(grid.width + 1, '\n');
  for (int y = static_cast<int>(grid.height) - 1; y >= 0; --y) {
    for (int x = 0; x < static_cast<int>(grid.width); ++x) {
      line[x] = static_cast<char>('0' + grid.At(x, y).material);
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
}

bool WritePng(const world::PixelGrid& grid, const std::string& path) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(grid.cells.size() * kRgbaBytes);
  for (const world::Cell& c : grid.cells) rgba.insert(rgba.end(), {c.colour.r, c.colour.g, c.colour.b, c.colour.a});
  return WritePngFile(path, static_cast<int>(grid.width), static_cast<int>(grid.height), rgba);
}

int Simulate(const std::string& path, const std::vector<std::string>& options) {
  long long steps = -1;
  float dt = level_tool::kDefaultFrameTime;
  float viewX = 0.0f, viewY = 0.0f;
  bool text = false;
  std::string pngPath;
  for (std::size_t i = 0; i < options.size(); ++i) {
    const std::string& option = options[i];
    const bool hasValue = i + 1 < options.size();
    const std::string value = hasValue ? options[i + 1] : "";
    if (option == "--text") {
      text = true;
      continue;
    }
    if (option != "--steps" && option != "--dt" && option != "--clock" && option != "--view" &&
        option != "--png") {
      return UsageError("unknown option " + option);
    }
    if (!hasValue) return UsageError(option + " needs a value");
    ++i;
    if (option == "--steps") {
      const std::optional<long long> n = ParseInteger<long long>(value);
      if (!n || *n < 0 || *n > kMaxSteps) {
        return UsageError("--steps needs a whole number from 0 to " + std::to_string(kMaxSteps));
      }
      steps = *n;
    } else if (option == "--dt") {
      if (!ParseFloat(value, dt) || dt < 0.0f) return UsageError("--dt needs seconds, 0 or more");
    } else if (option == "--clock") {
      const std::optional<long long> clock = ParseInteger<long long>(value);
      if (!clock) return UsageError("--clock needs whole seconds");
      world::HoldClock(*clock);
    } else if (option == "--view") {
      const std::size_t comma = value.find(',');
      if (comma == std::string::npos || !ParseFloat(value.substr(0, comma), viewX) ||
          !ParseFloat(value.substr(comma + 1), viewY)) {
        return UsageError("--view needs X,Y in cells");
      }
    } else {
      pngPath = value;
    }
  }
  if (steps < 0) return UsageError("simulate needs --steps N");
  if (text == !pngPath.empty()) return UsageError("simulate needs exactly one of --text and --png OUT.png");

  auto grid = Load(path);
  if (!grid) return kExitBadFile;
  grid->viewOrigin = {viewX, viewY};
  for (long long i = 0; i < steps; ++i) grid->StepGrid(dt);

  if (text) {
    PrintText(*grid);
    return 0;
  }
  if (!WritePng(*grid, pngPath)) {
    std::fprintf(stderr, "sandrift-level: cannot write %s\n", pngPath.c_str());
    return kExitBadFile;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "info") return Info(args[1]);
  if (args.size() >= 2 && args[0] == "simulate") {
    return Simulate(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
  }
  if (args.size() >= 2 && (args[0] == "play" || args[0] == "route")) {
    std::string usageError;
    const std::vector<std::string> options(args.begin() + 2, args.end());
    const int code = args[0] == "play" ? level_tool::Play(args[1], options, usageError)
                                       : level_tool::Route(args[1], options, usageError);
    return code < 0 ? UsageError(usageError) : code;
  }
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  return UsageError(args.empty() ? "no command" : "unknown command or arguments");
}
