#include "tools/level/play.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>

#include "app/input.h"
#include "app/input_script.h"
#include "app/trace.h"
#include "game/random.h"
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

long long clockSeconds = 0;
long long FixedClock() { return clockSeconds; }

bool ReadText(const std::string& path, std::string& text) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!world::ReadFileBytes(path, bytes, error)) return false;
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

template <class F>
void ForEachEnemy(const game::Level& level, F&& f) {
  for (const auto& e : level.bats) f(e);
  for (const auto& e : level.meleeEnemies) f(e);
  for (const auto& e : level.rifleEnemies) f(e);
  for (const auto& e : level.rocketEnemies) f(e);
  for (const auto& e : level.gunners) f(e);
}

}  // namespace

bool LoadLevel(const std::string& path, long long windowWidth, long long clock, game::Level& level) {
  clockSeconds = clock;
  world::SetClock(&FixedClock);
  game::SetRandomState(0);
  std::vector<std::uint8_t> bytes;
  std::string error;
  std::unique_ptr<world::PixelGrid> grid;
  // The game's cell size: the view is 384 cells wide.
  const float S = static_cast<float>(windowWidth) / world::ViewCells;
  if (world::ReadFileBytes(path, bytes, error)) grid = world::ParseLevelImage(bytes, S, error);
  if (!grid) {
    std::fprintf(stderr, "sandrift-level: %s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  level = game::MakeLevel(std::move(*grid));
  return true;
}

void RunStats::Observe(const game::Level& level, int windowWidth, int windowHeight) {
  const game::Player& p = level.player;
  if (health_ >= 0 && p.GetHealth() < health_) healthLost += health_ - p.GetHealth();
  if (health_ >= 0 && p.rocketCooldown > cooldown_) ++rocketsFired;  // a launch restarts the cooldown
  health_ = p.GetHealth();
  cooldown_ = p.rocketCooldown;
  const glm::vec3 view = level.camera.position;
  std::size_t i = 0;
  ForEachEnemy(level, [&](const game::Character& e) {
    if (met_.size() <= i) met_.push_back(false);
    const bool inView = e.position.x >= view.x && e.position.x < view.x + static_cast<float>(windowWidth) &&
                        e.position.y >= view.y && e.position.y < view.y + static_cast<float>(windowHeight);
    if (e.active && inView && !met_[i]) {
      met_[i] = true;
      ++enemiesMet;
    }
    ++i;
  });
}

int Play(const std::string& levelPath, const std::vector<std::string>& options, std::string& usageError) {
  std::string scriptPath, tracePath;
  float dt = 1.0f / 60.0f;
  long long frames = -1, width = 1536, height = 864, clock = 0;
  for (std::size_t i = 0; i < options.size(); i += 2) {
    const std::string& option = options[i];
    if (i + 1 >= options.size()) {
      usageError = option + " needs a value";
      return -1;
    }
    const std::string& value = options[i + 1];
    bool ok = true;
    if (option == "--input") {
      scriptPath = value;
    } else if (option == "--trace") {
      tracePath = value;
    } else if (option == "--fixed-dt") {
      ok = ParseFloat(value, dt) && dt > 0.0f;
    } else if (option == "--clock") {
      ok = ParseWhole(value, clock);
    } else if (option == "--frames") {
      ok = ParseWhole(value, frames) && frames >= 0;
    } else if (option == "--window") {
      ok = ParseWindow(value, width, height);
    } else {
      usageError = "unknown option " + option;
      return -1;
    }
    if (!ok) {
      usageError = "bad value for " + option + ": " + value;
      return -1;
    }
  }
  dt = std::min(dt, MaxFrameTime);

  ParsedScript script;
  std::vector<Checkpoint> route;
  if (!scriptPath.empty()) {
    std::string text;
    if (!ReadText(scriptPath, text)) {
      std::fprintf(stderr, "sandrift-level: cannot read input script %s\n", scriptPath.c_str());
      return ExitBadFile;
    }
    script = ParseInputScript(text);
    if (!script.error.empty()) {
      std::fprintf(stderr, "sandrift-level: bad input script %s, %s\n", scriptPath.c_str(), script.error.c_str());
      return ExitBadFile;
    }
    route = ReadCheckpoints(text);
  }
  if (frames < 0) frames = route.empty() ? DefaultFrames : route.back().frame + FramesPastRoute;

  game::Level level;
  if (!LoadLevel(levelPath, width, clock, level)) return ExitBadFile;
  if (!tracePath.empty() && !trace::Open(tracePath)) return ExitBadFile;

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
    player.Play(static_cast<long>(frame));
    game::StepLevel(level, ReadInput(static_cast<int>(width), static_cast<int>(height)), dt);
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
              "health lost %d, rockets %d, enemies met %d\n",
              what, frame, static_cast<double>(level.elapsedTime), level.treasuresCollected, level.treasures.size(),
              level.player.GetHealth(), game::ActiveEnemies(level), stats.healthLost, stats.rocketsFired,
              stats.enemiesMet);
  if (level.outcome == game::Outcome::Victory) return ExitVictory;
  if (offRoute) {
    std::printf("%s at %lldx%lld: the route went wrong at frame %lld: the player at %.1f, %.1f, the route's at %.1f, %.1f\n",
                levelPath.c_str(), width, height, offRoute->frame, offAt.x, offAt.y, offRoute->x, offRoute->y);
  } else if (!route.empty()) {
    std::printf("%s at %lldx%lld: the route went wrong at frame %lld: %s\n", levelPath.c_str(), width, height,
                frame - 1, what);
  }
  return level.outcome == game::Outcome::Defeat ? ExitDefeat : ExitNoOutcome;
}

}  // namespace level_tool
