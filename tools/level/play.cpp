#include "tools/level/play.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>

#include "app/game_loop.h"
#include "app/game_state.h"
#include "app/input.h"
#include "app/input_script.h"
#include "app/trace.h"
#include "tools/level/parse.h"
#include "world/level_image.h"
#include "world/world_random.h"

namespace level_tool {
namespace {

constexpr long long kDefaultFrames = 36000;  // ten minutes at 60 frames a second
constexpr long long kFramesPastRoute = 300;  // a route that has not won by then will not
constexpr float kOffRouteCells = 1.0f;       // further from a checkpoint, the replay has gone wrong

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

// Counts, for each set piece, the changes of its box's cells that happen
// inside the view: a set piece that runs off screen is one no player saw.
class SetPieceWatch {
 public:
  SetPieceWatch(const std::vector<SetPiece>& pieces, const world::PixelGrid& grid) : pieces_(pieces) {
    for (const SetPiece& p : pieces_) last_.push_back(Box(grid, p));
    seen.assign(pieces_.size(), 0);
  }

  void Observe(const game::Level& level, int windowWidth, int windowHeight) {
    const float S = level.grid.cellSize;
    const glm::vec3 view = level.camera.position;
    const int viewX0 = static_cast<int>(std::floor(view.x / S)), viewY0 = static_cast<int>(std::floor(view.y / S));
    const int viewX1 = static_cast<int>(std::ceil((view.x + static_cast<float>(windowWidth)) / S));
    const int viewY1 = static_cast<int>(std::ceil((view.y + static_cast<float>(windowHeight)) / S));
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
      const SetPiece& p = pieces_[i];
      std::vector<world::Material> now = Box(level.grid, p);
      for (int y = p.y0; y < p.y1; ++y)
        for (int x = p.x0; x < p.x1; ++x) {
          const std::size_t at = static_cast<std::size_t>(y - p.y0) * static_cast<std::size_t>(p.x1 - p.x0) +
                                 static_cast<std::size_t>(x - p.x0);
          const bool inView = x >= viewX0 && x < viewX1 && y >= viewY0 && y < viewY1;
          seen[i] += inView && now[at] != last_[i][at] ? 1 : 0;
        }
      last_[i] = std::move(now);
    }
  }

  std::vector<int> seen;  // per set piece

 private:
  // The box's materials row by row; cells beyond the grid read as empty.
  static std::vector<world::Material> Box(const world::PixelGrid& grid, const SetPiece& p) {
    std::vector<world::Material> box;
    for (int y = p.y0; y < p.y1; ++y)
      for (int x = p.x0; x < p.x1; ++x)
        box.push_back(grid.InBounds(x, y) ? grid.At(x, y).material : world::CLEAR);
    return box;
  }

  const std::vector<SetPiece>& pieces_;
  std::vector<std::vector<world::Material>> last_;
};

int Changed(const world::PixelGrid& now, const std::vector<world::Material>& start, const SetPiece& p) {
  int n = 0;
  for (int y = std::max(p.y0, 0); y < std::min<int>(p.y1, now.height); ++y)
    for (int x = std::max(p.x0, 0); x < std::min<int>(p.x1, now.width); ++x)
      n += now.At(x, y).material != start[static_cast<std::size_t>(y) * now.width + x] ? 1 : 0;
  return n;
}

game::FrameInput ReadInput(int width, int height) {
  game::FrameInput in;
  in.controls.left = input::GetKey(input::KEY_A) == input::PRESS;
  in.controls.right = input::GetKey(input::KEY_D) == input::PRESS;
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
  const float S = static_cast<float>(windowWidth) / world::kViewCells;
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

namespace {

struct PlayOptions {
  std::string scriptPath, tracePath, setPiecePath;
  float dt = kDefaultFrameTime;
  long long frames = -1, width = kDefaultWindowWidth, height = kDefaultWindowHeight;
  world::PlayClock clock;
};

bool ParsePlayOptions(const std::vector<std::string>& options, std::string& usageError, PlayOptions& o) {
  const bool parsed = ParseOptions(options, usageError, [&](const std::string& option, const std::string& value) {
    if (option == "--fixed-dt") return ParseFloat(value, o.dt) && o.dt > 0.0f ? 1 : 0;
    if (const int taken = TakeClockOption(option, value, o.clock); taken >= 0) return taken;
    if (option == "--frames") return ParseWhole(value, o.frames) && o.frames >= 0 ? 1 : 0;
    if (option == "--window") return ParseWindow(value, o.width, o.height) ? 1 : 0;
    std::string* path = option == "--input"        ? &o.scriptPath
                        : option == "--trace"      ? &o.tracePath
                        : option == "--set-pieces" ? &o.setPiecePath
                                                   : nullptr;
    if (!path) return -1;
    *path = value;
    return 1;
  });
  if (parsed) o.dt = std::min(o.dt, kMaxFrameTime);
  return parsed;
}

// The input script and the route's checkpoints in it; prints why and
// returns false when the script cannot be used.
bool ReadScript(const std::string& path, ParsedScript& script, std::vector<Checkpoint>& route) {
  std::string text;
  if (!ReadText(path, "input script", text)) return false;
  script = ParseInputScript(text);
  if (!script.error.empty()) {
    std::fprintf(stderr, "sandrift-level: bad input script %s, %s\n", path.c_str(), script.error.c_str());
    return false;
  }
  route = ReadCheckpoints(text);
  return true;
}

bool ReadSetPieceFile(const std::string& path, const std::string& levelPath, std::vector<SetPiece>& pieces) {
  std::string text;
  if (!ReadText(path, "set pieces", text)) return false;
  pieces = ReadSetPieces(text, levelPath);
  return true;
}

std::vector<world::Material> Materials(const world::PixelGrid& grid) {
  std::vector<world::Material> materials;
  for (const world::Cell& c : grid.cells) materials.push_back(c.material);
  return materials;
}

// The level screen's input as it is entered: nothing held, unpaused, focused.
void ResetInput() {
  input::Reset();
  input::SetKeyCallback(OnKey);
  input::SetFocusCallback(OnFocus);
  paused = false;
  focused = true;
}

// Follows a route's checkpoints frame by frame and keeps the first one the
// player missed, with where the player was instead.
class RouteWatch {
 public:
  explicit RouteWatch(const std::vector<Checkpoint>& route) : next_(route.begin()), end_(route.end()) {}

  void Check(long long frame, const game::Level& level) {
    if (next_ == end_ || next_->frame != frame) return;
    const float S = level.grid.cellSize;
    const glm::vec2 at(level.player.position.x / S, level.player.position.y / S);
    if (!offRoute && std::hypot(at.x - next_->x, at.y - next_->y) > kOffRouteCells) {
      offRoute = &*next_;
      offAt = at;
    }
    ++next_;
  }

  const Checkpoint* offRoute = nullptr;
  glm::vec2 offAt{0.0f};

 private:
  std::vector<Checkpoint>::const_iterator next_, end_;
};

// Plays frames until the level ends or the frames run out, tracing each;
// returns how many were played.
long long PlayFrames(game::Level& level, ScriptPlayer& player, PlayOptions& o, RunStats& stats, RouteWatch& watch,
                     SetPieceWatch& setPieces) {
  const int width = static_cast<int>(o.width), height = static_cast<int>(o.height);
  trace::StateEntered(0, STATE_LEVEL);
  long long frame = 0;
  for (; frame < o.frames && level.outcome == game::Outcome::None; ++frame) {
    input::BeginFrame();
    player.Play(static_cast<long>(frame));
    StepAtClock(level, ReadInput(width, height), o.dt, o.clock);
    stats.Observe(level, width, height);
    setPieces.Observe(level, width, height);
    TraceFrame(level);
    trace::EndFrame(static_cast<long>(frame), STATE_LEVEL, o.dt);
    watch.Check(frame, level);
  }
  trace::Close();
  return frame;
}

const char* OutcomeName(game::Outcome outcome) {
  return outcome == game::Outcome::Victory  ? "victory"
         : outcome == game::Outcome::Defeat ? "defeat"
                                            : "no outcome";
}

void PrintSummary(const game::Level& level, long long frames, const RunStats& stats) {
  std::printf("%s after %lld frames (%.2f s of play), treasure %u / %zu, health %d, enemies left %zu, "
              "health lost %d, rockets %d, enemies met %d, enemy rockets from beyond the view %d\n",
              OutcomeName(level.outcome), frames, static_cast<double>(level.elapsedTime), level.treasuresCollected,
              level.treasures.size(), level.player.GetHealth(), game::ActiveEnemies(level), stats.healthLost,
              stats.rocketsFired, stats.enemiesMet, stats.farRockets);
}

// Prints each set piece's count of changed cells and of changes seen in the
// view; returns how many did not happen where a player saw them.
int ReportSetPieces(const std::vector<SetPiece>& setPieces, const SetPieceWatch& watch, const game::Level& level,
                    const std::vector<world::Material>& start, const std::string& levelPath, const PlayOptions& o) {
  int missing = 0;
  for (std::size_t i = 0; i < setPieces.size(); ++i) {
    const SetPiece& p = setPieces[i];
    const int changed = Changed(level.grid, start, p);
    std::printf("%s: %d of %d cells changed in %d,%d - %d,%d, %d changes seen in the view\n", p.what.c_str(), changed,
                p.cells, p.x0, p.y0, p.x1, p.y1, watch.seen[i]);
    if (changed < p.cells) {
      std::printf("%s at %lldx%lld: %s did not happen\n", levelPath.c_str(), o.width, o.height, p.what.c_str());
      ++missing;
    } else if (watch.seen[i] < p.cells) {
      std::printf("%s at %lldx%lld: %s happened out of the view\n", levelPath.c_str(), o.width, o.height,
                  p.what.c_str());
      ++missing;
    }
  }
  return missing;
}

// A route that did not win went wrong where the player first left it, or,
// if it never did, at the end.
void ReportRouteMiss(const std::string& levelPath, const PlayOptions& o, const RouteWatch& watch, bool hadRoute,
                     long long frames, game::Outcome outcome) {
  if (watch.offRoute) {
    std::printf("%s at %lldx%lld: the route went wrong at frame %lld: the player at %.1f, %.1f, "
                "the route's at %.1f, %.1f\n",
                levelPath.c_str(), o.width, o.height, watch.offRoute->frame, watch.offAt.x, watch.offAt.y,
                watch.offRoute->x, watch.offRoute->y);
  } else if (hadRoute) {
    std::printf("%s at %lldx%lld: the route went wrong at frame %lld: %s\n", levelPath.c_str(), o.width, o.height,
                frames - 1, OutcomeName(outcome));
  }
}

}  // namespace

int Play(const std::string& levelPath, const std::vector<std::string>& options, std::string& usageError) {
  PlayOptions o;
  if (!ParsePlayOptions(options, usageError, o)) return -1;
  ParsedScript script;
  std::vector<Checkpoint> route;
  if (!o.scriptPath.empty() && !ReadScript(o.scriptPath, script, route)) return kExitBadFile;
  std::vector<SetPiece> setPieces;
  if (!o.setPiecePath.empty() && !ReadSetPieceFile(o.setPiecePath, levelPath, setPieces)) return kExitBadFile;
  if (o.frames < 0) o.frames = route.empty() ? kDefaultFrames : route.back().frame + kFramesPastRoute;

  game::Level level;
  if (!LoadLevel(levelPath, o.width, o.clock, level)) return kExitBadFile;
  if (!o.tracePath.empty() && !trace::Open(o.tracePath)) return kExitBadFile;
  const std::vector<world::Material> start = Materials(level.grid);

  ResetInput();
  ScriptPlayer player(std::move(script.events));
  RouteWatch watch(route);
  RunStats stats;
  SetPieceWatch setPieceWatch(setPieces, level.grid);
  const long long frames = PlayFrames(level, player, o, stats, watch, setPieceWatch);

  PrintSummary(level, frames, stats);
  const int missing = ReportSetPieces(setPieces, setPieceWatch, level, start, levelPath, o);
  if (level.outcome == game::Outcome::Victory) return missing ? kExitNoSetPiece : kExitVictory;
  ReportRouteMiss(levelPath, o, watch, !route.empty(), frames, level.outcome);
  return level.outcome == game::Outcome::Defeat ? kExitDefeat : kExitNoOutcome;
}

}  // namespace level_tool
