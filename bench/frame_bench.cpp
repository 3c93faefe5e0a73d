// Whole frames of the heaviest shipped level, The Last Dune (1152 x 648 cells,
// every kind of enemy, the most sand), as the game runs them: ProcessInput and
// Update, then Draw and the buffer swap, in a window on DISPLAY (Xvfb and
// Mesa's llvmpipe in CI). The player runs right from the start; every run
// plays the same frames (fixed step, fixed world clock).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include "app/game_instance.h"
#include "app/game_state.h"
#include "app/input.h"
#include "app/settings.h"
#include "audio/audio.h"
#include "game/random.h"
#include "render/coverage.h"
#include "render/sprite_renderer.h"
#include "render/text_renderer.h"
#include "screens/level_screen.h"
#include "screens/screens.h"
#include "world/world_random.h"

namespace {

constexpr float kFrame = 1.0f / 60.0f;

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// The level as the only one of a sequence, read from where the game keeps it.
std::string HeaviestLevelFolder() {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "sandrift-frame-bench";
  std::filesystem::create_directories(dir);
  std::filesystem::copy_file("Assets/Levels/level18.bmp", dir / "level0.bmp",
                             std::filesystem::copy_options::overwrite_existing);
  std::ofstream(dir / "levelNames.txt") << "The Last Dune\n";
  return dir.string();
}

// One window and context for every run: the screens keep their GL objects
// from one visit to the next, as in the game.
struct Window {
  GLFWwindow* window = nullptr;
  std::unique_ptr<TextRenderer> text;

  Window() {
    if (!glfwInit()) return;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    window = glfwCreateWindow(640, 360, "Sandrift frame bench", nullptr, nullptr);
    if (!window) return;
    glfwMakeContextCurrent(window);
    glfwSwapInterval(0);
    text = std::make_unique<TextRenderer>("Shaders//shader_font.vs", "Shaders//shader_font.fs");
    InitRenderData();
    text->LoadFont("Assets//threebyfive.ttf", "default");
    world::SetClock([] { return 1LL; });
    FullScreen = false;
    LevelsFolder = HeaviestLevelFolder();
    RegisterScreens();
  }

  bool Resize(int width, int height) {
    glfwSetWindowSize(window, width, height);
    for (int tries = 0; tries < 200; ++tries) {
      glfwPollEvents();
      int w = 0, h = 0;
      glfwGetFramebufferSize(window, &w, &h);
      if (w == width && h == height) {
        glViewport(0, 0, width, height);
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }
};

void BM_LevelFrame(benchmark::State& state) {
  static Window shared;
  if (!shared.window || !shared.Resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)))) {
    state.SkipWithError("no display with OpenGL 3.3 core: run under xvfb-run");
    return;
  }
  ClipToCoverage = state.range(2) != 0;
  SetState(STATE_LEVEL);
  static game::Random random;
  EnterScreen(ScreenContext{shared.window, shared.text.get(), nullptr, &random});
  input::OnKey(input::KEY_D, 0, input::PRESS, 0);

  double update = 0.0, draw = 0.0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    glfwPollEvents();
    ActiveScreen->ProcessInput(kFrame);
    ActiveScreen->Update(kFrame);
    const Clock::time_point updated = Clock::now();
    ActiveScreen->Draw();
    glFinish();  // llvmpipe rasterises when asked to finish
    glfwSwapBuffers(shared.window);
    const Clock::time_point drawn = Clock::now();
    update += Seconds(start, updated);
    draw += Seconds(updated, drawn);
  }
  const double frames = static_cast<double>(state.iterations());
  state.counters["fps"] = frames / (update + draw);
  state.counters["update_ms"] = 1000.0 * update / frames;
  state.counters["draw_ms"] = 1000.0 * draw / frames;
  state.counters["update_share"] = update / (update + draw);

  input::Reset();
  NextState = STATE_QUIT;
  LeaveScreen();
}

// Ten seconds of play from the level's start, drawing every layer whole
// (clipped 0) and only where it changes pixels (clipped 1).
BENCHMARK(BM_LevelFrame)
    ->ArgNames({"width", "height", "clipped"})
    ->Args({1152, 648, 0})
    ->Args({1152, 648, 1})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Iterations(600)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Entering the level from the menu or the victory screen: the level screen's
// Load and Initialize with the game's audio (loopback, so no device is needed)
// until the GL work is done. Leaving (Free, Unload) is outside the timing.
void BM_LevelStart(benchmark::State& state) {
  static Window shared;
  if (!shared.window || !shared.Resize(1152, 648)) {
    state.SkipWithError("no display with OpenGL 3.3 core: run under xvfb-run");
    return;
  }
  static audio::System* sound = [] {
    audio::System* system = nullptr;
    audio::System_Create(&system);
    system->initLoopback(512, 48000);
    return system;
  }();
  for (auto _ : state) {
    SetState(STATE_LEVEL);
    static game::Random random;
    EnterScreen(ScreenContext{shared.window, shared.text.get(), sound, &random});
    glFinish();
    state.PauseTiming();
    NextState = STATE_VICTORY;
    LeaveScreen();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LevelStart)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
