#include "tools/level/play.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "app/input.h"
#include "app/input_script.h"
#include "app/trace.h"
#include "game/level.h"
#include "tools/level/parse.h"
#include "world/level_image.h"
#include "world/world_random.h"

namespace level_tool {
namespace {

constexpr int ExitBadFile = 2;
constexpr float MaxFrameTime = 0.03f;  // the game's loop clamps every frame to this
constexpr int LevelState = 1;          // the level screen's state number in the game's trace
constexpr long long DefaultFrames = 36000;
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

int Play(const std::string& levelPath, const std::vector<std::string>& options, std::string& usageError) {
  std::string scriptPath, tracePath;
  float dt = 1.0f / 60.0f;
  long long frames = DefaultFrames, width = 1536, height = 864;
  clockSeconds = 0;
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
      ok = ParseWhole(value, clockSeconds);
    } else if (option == "--frames") {
      ok = ParseWhole(value, frames) && frames >= 0;
    } else if (option == "--window") {
      const std::size_t x = value.find('x');
      ok = x != std::string::npos && ParseWhole(value.substr(0, x), width) &&
           ParseWhole(value.substr(x + 1), height) && width > 0 && height > 0 && width <= 16384 && height <= 16384;
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
  }

  world::SetClock(&FixedClock);
  std::vector<std::uint8_t> bytes;
  std::string error;
  std::unique_ptr<world::PixelGrid> grid;
  // The game's cell size: the view is 384 cells wide.
  const float S = static_cast<float>(width) / world::ViewCells;
  if (world::ReadFileBytes(levelPath, bytes, error)) grid = world::ParseLevelImage(bytes, S, error);
  if (!grid) {
    std::fprintf(stderr, "sandrift-level: %s: %s\n", levelPath.c_str(), error.c_str());
    return ExitBadFile;
  }
  if (!tracePath.empty() && !trace::Open(tracePath)) return ExitBadFile;

  game::Level level = game::MakeLevel(std::move(*grid));
  input::Reset();
  input::SetKeyCallback(OnKey);
  input::SetFocusCallback(OnFocus);
  paused = false;
  focused = true;
  ScriptPlayer player(std::move(script.events));
  trace::StateEntered(0, LevelState);
  long long frame = 0;
  for (; frame < frames && level.outcome == game::Outcome::None; ++frame) {
    player.Play(static_cast<long>(frame));
    game::StepLevel(level, ReadInput(static_cast<int>(width), static_cast<int>(height)), dt);
    TraceFrame(level);
    trace::EndFrame(static_cast<long>(frame), LevelState, dt);
  }
  trace::Close();

  const char* what = level.outcome == game::Outcome::Victory  ? "victory"
                     : level.outcome == game::Outcome::Defeat ? "defeat"
                                                              : "no outcome";
  std::printf("%s after %lld frames (%.2f s of play), treasure %u / %zu, health %d, enemies left %zu\n", what,
              frame, static_cast<double>(level.elapsedTime), level.treasuresCollected, level.treasures.size(),
              level.player.GetHealth(), game::ActiveEnemies(level));
  if (level.outcome == game::Outcome::Victory) return ExitVictory;
  return level.outcome == game::Outcome::Defeat ? ExitDefeat : ExitNoOutcome;
}

}  // namespace level_tool
