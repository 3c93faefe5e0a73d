#include "tools/level/play.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>

#include "app/input.h"
#include "app/input_script.h"
#include "app/trace.h"
#include "tools/level/parse.h"
#include "world/level_image.h"
#include "world/world_random.h"

namespace level_tool {
namespace {

constexpr int LevelState = 1;          // the level screen's state number in the game's trace
constexpr long long DefaultFrames = 36000;
constexpr long long FramesPastRoute = 300;  // a route that has not won by then will not
constexpr float OffRouteCells = 1.0f;
constexpr int KeyA = 'A', KeyD = 'D';

// The level screen's callbacks: Escape flips the pause, losing focus pauses.
bool paused = false;
bool focused = true;
void OnKey(int key, int, int action, int) {
  if (key == input::KEY_ESCAPE && action == input::PRESS) paused = !paused;
}
void OnFocus(int isFocused) {
  focused = isFocused != 0;
  if (!focused) paused = true;
}

// Prints which file could not be read, as `what`, and returns false.
bool ReadText(const std::string& path, const char* what, std::string& text) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!world::ReadFileBytes(path, bytes, error)) {
    std::fprintf(stderr, "sandrift-level: cannot read %s %s\n", what, path.c_str());
    return false;
  }
  text.assign(bytes.begin(), bytes.end());
  return true;
}

// Where a route found by `sandrift-level route` had the player: its
// "# at FRAME X Y" comments, in cells.
struct Checkpoint {
  long long frame;
  float x, y;
};
std::vector<Checkpoint> ReadCheckpoints(const std::string& script) {
  std::vector<Checkpoint> points;
  std::istringstream lines(script);
  for (std::string line; std::getline(lines, line);) {
    Checkpoint c;
    char tail;
    if (std::sscanf(line.c_str(), "# at %lld %f %f %c", &c.frame, &c.x, &c.y, &tail) == 3) points.push_back(c);
  }
  return points;
}

// Something a level must show during every route: at least `cells` cells
// of the box change material. One per line of the set-piece file:
// "LEVEL X0 Y0 X1 Y1 CELLS WHAT", LEVEL the level file's name without ".bmp".
struct SetPiece {
  int x0, y0, x1, y1, cells;
  std::string what;
};
std::vector<SetPiece> ReadSetPieces(const std::string& text, const std::string& levelPath) {
  std::string name = levelPath.substr(levelPath.find_last_of('/') + 1);
  name = name.substr(0, name.rfind(".bmp"));
  std::vector<SetPiece> pieces;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string level;
    SetPiece p;
    if (!(words >> level >> p.x0 >> p.y0 >> p.x1 >> p.y1 >> p.cells) || level != name) continue;
    std::getline(words >> std::ws, p.what);
    pieces.push_back(p);
  }
  return pieces;
}

int Changed(const world::PixelGrid& now, const std::vector<world::Material>& start, const SetPiece& p) {
  int n = 0;
  for (int y = std::max(p.y0, 0); y < std::min<int>(p.y1, now.height); ++y)
    for (int x = std::max(p.x0, 0); x < std::min<int>(p.x1, now.width); ++x)
      n += now.At(x, y).material != start[static_cast<std::size_t>(y) * now.width + x] ? 1 : 0;
  return n;
}

game::FrameInput ReadInput(int width, int height) {
  game::FrameInput in;
  in.controls.left = input::GetKey(KeyA) == input::PRESS;
  in.controls.right = input::GetKey(KeyD) == input::PRESS;
  in.controls.jump = input::GetKey(input::KEY_SPACE) == input::PRESS;
  in.controls.fire = input::GetMouseButton(input::MOUSE_BUTTON_LEFT) == input::PRESS;
  in.look = input::GetMouseButton(input::MOUSE_BUTTON_RIGHT) == input::PRESS;
  input::GetCursorPos(&in.cursorX, &in.cursorY);
  in.windowWidth = width;
  in.windowHeight = height;
  in.paused = paused;
  in.focused = focused;
  return in;
}

void TraceFrame(const game::Level& level) {
  trace::Value("playerX", level.player.position.x);
  trace::Value("playerY", level.player.position.y);
  trace::Value("health", level.player.GetHealth());
  trace::Value("treasures", level.treasuresCollected);
  trace::Value("treasureTotal", static_cast<double>(level.treasures.size()));
  trace::Value("enemies", static_cast<double>(game::ActiveEnemies(level)));
  trace::Value("outcome", static_cast<double>(level.outcome));
}

}  // namespace

bool LoadLevel(const std::string& path, long long windowWidth, const world::PlayClock& clock, game::Level& level) {
  world::HoldClock(clock.Reading());
  std::string error;
  // The game's cell size: the view is 384 cells wide.
  const float S = static_cast<float>(windowWidth) / world::ViewCells;
  std::unique_ptr<world::PixelGrid> grid = world::ReadLevelImage(path, S, error);
  if (!grid) {
    std::fprintf(stderr, "sandrift-level: %s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  level = game::MakeLevel(std::move(*grid));
  return true;
}

int TakeClockOption(const std::string& option, const std::string& value, world::PlayClock& clock) {
  if (option != "--clock" && option != "--clock-start") return -1;
  if (!ParseWhole(value, clock.start)) return 0;
  clock.running = option == "--clock-start";
  return 1;
}

game::FrameResult StepAtClock(game::Level& level, const game::FrameInput& input, float dt, world::PlayClock& clock) {
  world::HoldClock(clock.Reading());
  const game::FrameResult result = game::StepLevel(level, input, dt);
  clock.Advance(dt);
  return result;
}

void RunStats::Observe(const game::Level& level, int windowWidth, int windowHeight) {
  const game::Player& p = level.player;
  if (p.GetHealth() < health_) healthLost += health_ - p.GetHealth();
  if (p.rocketCooldown > cooldown_) ++rocketsFired;  // a launch restarts the cooldown
  health_ = p.GetHealth();
  cooldown_ = p.rocketCooldown;
  const glm::vec3 view = level.camera.position;
  auto inView = [&](glm::vec3 at) {
    return at.x >= view.x && at.x < view.x + static_cast<float>(windowWidth) && at.y >= view.y &&
           at.y < view.y + static_cast<float>(windowHeight);
  };
  const auto& rockets = level.rockets.objects;
  flying_.resize(rockets.size(), false);
  for (std::size_t r = 0; r < rockets.size(); ++r) {
    if (rockets[r].active && !flying_[r] && !rockets[r].fromPlayer && !inView(rockets[r].position)) ++farRockets;
    flying_[r] = rockets[r].active;
  }
  std::size_t i = 0;
  ForEachEnemy(level, [&](const game::Character& e) {
    if (met_.size() <= i) met_.push_back(false);
    if (e.active && inView(e.position) && !met_[i]) {
      met_[i] = true;
      ++enemiesMet;
    }
    ++i;
  });
}

int Play(const std::string& levelPath, const std::vector<std::string>& options, std::string& usageError) {
  std::string scriptPath, tracePath, setPiecePath;
  float dt = 1.0f / 60.0f;
  long long frames = -1, width = 1536, height = 864;
  world::PlayClock clock;
  const bool parsed = ParseOptions(options, usageError, [&](const std::string& option, const std::string& value) {
    if (option == "--fixed-dt") return ParseFloat(value, dt) && dt > 0.0f ? 1 : 0;
    if (const int taken = TakeClockOption(option, value, clock); taken >= 0) return taken;
    if (option == "--frames") return ParseWhole(value, frames) && frames >= 0 ? 1 : 0;
    if (option == "--window") return ParseWindow(value, width, height) ? 1 : 0;
    std::string* path = option == "--input"        ? &scriptPath
                        : option == "--trace"      ? &tracePath
                        : option == "--set-pieces" ? &setPiecePath
                                                   : nullptr;
    if (!path) return -1;
    *path = value;
    return 1;
  });
  if (!parsed) return -1;
  dt = std::min(dt, MaxFrameTime);

  ParsedScript script;
  std::vector<Checkpoint> route;
  if (!scriptPath.empty()) {
    std::string text;
    if (!ReadText(scriptPath, "input script", text)) return ExitBadFile;
    script = ParseInputScript(text);
    if (!script.error.empty()) {
      std::fprintf(stderr, "sandrift-level: bad input script %s, %s\n", scriptPath.c_str(), script.error.c_str());
      return ExitBadFile;
    }
    route = ReadCheckpoints(text);
  }
  std::vector<SetPiece> setPieces;
  if (!setPiecePath.empty()) {
    std::string text;
    if (!ReadText(setPiecePath, "set pieces", text)) return ExitBadFile;
    setPieces = ReadSetPieces(text, levelPath);
  }
  if (frames < 0) frames = route.empty() ? DefaultFrames : route.back().frame + FramesPastRoute;

  game::Level level;
  if (!LoadLevel(levelPath, width, clock, level)) return ExitBadFile;
  if (!tracePath.empty() && !trace::Open(tracePath)) return ExitBadFile;
  std::vector<world::Material> start;
  for (const world::Cell& c : level.grid.cells) start.push_back(c.material);

  input::Reset();
  input::SetKeyCallback(OnKey);
  input::SetFocusCallback(OnFocus);
  paused = false;
  focused = true;
  ScriptPlayer player(std::move(script.events));
  trace::StateEntered(0, LevelState);
  RunStats stats;
  const Checkpoint* offRoute = nullptr;
  glm::vec2 offAt{0.0f};
  auto next = route.begin();
  const float S = level.grid.cellSize;
  long long frame = 0;
  for (; frame < frames && level.outcome == game::Outcome::None; ++frame) {
    input::BeginFrame();
    player.Play(static_cast<long>(frame));
    StepAtClock(level, ReadInput(static_cast<int>(width), static_cast<int>(height)), dt, clock);
    stats.Observe(level, static_cast<int>(width), static_cast<int>(height));
    TraceFrame(level);
    trace::EndFrame(static_cast<long>(frame), LevelState, dt);
    if (next != route.end() && next->frame == frame) {
      const glm::vec2 at(level.player.position.x / S, level.player.position.y / S);
      if (!offRoute && std::hypot(at.x - next->x, at.y - next->y) > OffRouteCells) {
        offRoute = &*next;
        offAt = at;
      }
      ++next;
    }
  }
  trace::Close();

  const char* what = level.outcome == game::Outcome::Victory  ? "victory"
                     : level.outcome == game::Outcome::Defeat ? "defeat"
                                                              : "no outcome";
  std::printf("%s after %lld frames (%.2f s of play), treasure %u / %zu, health %d, enemies left %zu, "
              "health lost %d, rockets %d, enemies met %d, enemy rockets from beyond the view %d\n",
              what, frame, static_cast<double>(level.elapsedTime), level.treasuresCollected, level.treasures.size(),
              level.player.GetHealth(), game::ActiveEnemies(level), stats.healthLost, stats.rocketsFired,
              stats.enemiesMet, stats.farRockets);
  int missing = 0;
  for (const SetPiece& p : setPieces) {
    const int changed = Changed(level.grid, start, p);
    std::printf("%s: %d of %d cells changed in %d,%d - %d,%d\n", p.what.c_str(), changed, p.cells, p.x0, p.y0, p.x1,
                p.y1);
    if (changed < p.cells) {
      std::printf("%s at %lldx%lld: %s did not happen\n", levelPath.c_str(), width, height, p.what.c_str());
      ++missing;
    }
  }
  if (level.outcome == game::Outcome::Victory) return missing ? ExitNoSetPiece : ExitVictory;
  if (offRoute) {
    std::printf("%s at %lldx%lld: the route went wrong at frame %lld: the player at %.1f, %.1f, "
                "the route's at %.1f, %.1f\n",
                levelPath.c_str(), width, height, offRoute->frame, offAt.x, offAt.y, offRoute->x, offRoute->y);
  } else if (!route.empty()) {
    std::printf("%s at %lldx%lld: the route went wrong at frame %lld: %s\n", levelPath.c_str(), width, height,
                frame - 1, what);
  }
  return level.outcome == game::Outcome::Defeat ? ExitDefeat : ExitNoOutcome;
}

}  // namespace level_tool
