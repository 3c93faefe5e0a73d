#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include "app/data_dir.h"
#include "app/game_loop.h"
#include "app/game_state.h"
#include "app/input.h"
#include "app/input_script.h"
#include "app/options.h"
#include "app/recorder.h"
#include "app/screenshot.h"
#include "app/settings.h"
#include "app/trace.h"
#include "audio/audio.h"
#include "game/random.h"
#include "render/gl_errors.h"
#include "render/sprite_renderer.h"
#include "render/text_renderer.h"
#include "screens/level_screen.h"
#include "screens/screens.h"
#include "world/world_random.h"

namespace {

GLFWwindow* gameWindow = nullptr;
bool realInput = true;  // false while a script drives the input

// The world reseeds from its clock every step. The clock is read once as a
// frame begins and held for the whole frame, so that what the frame's steps
// saw is exactly what a recording writes down.
bool realClock = true;        // false under --clock or --clock-start
world::PlayClock playClock;
long long ReadClock() { return realClock ? world::RealTime() : playClock.Reading(); }

void KeyCallback(int key, int /*scancode*/, int action, int /*mods*/) {
  if (key == GLFW_KEY_ESCAPE && action == GLFW_PRESS) glfwSetWindowShouldClose(gameWindow, GLFW_TRUE);
}

void FramebufferSizeCallback(GLFWwindow* /*window*/, int width, int height) {
  glViewport(0, 0, width, height);
}

// Real events go through the one input layer; under a script they are ignored
// so that a run is the same whatever the mouse on the test machine does.
// A --record session writes them down as they arrive.
void OnGlfwKey(GLFWwindow*, int key, int scancode, int action, int mods) {
  if (!realInput) return;
  recorder::Key(key, action);
  input::OnKey(key, scancode, action, mods);
}
void OnGlfwMouseButton(GLFWwindow*, int button, int action, int mods) {
  if (!realInput) return;
  recorder::MouseButton(button, action);
  input::OnMouseButton(button, action, mods);
}
void OnGlfwCursorPos(GLFWwindow*, double x, double y) {
  if (!realInput) return;
  recorder::CursorPos(x, y);
  input::OnCursorPos(x, y);
}
void OnGlfwFocus(GLFWwindow*, int focused) {
  if (!realInput) return;
  recorder::Focus(focused);
  input::OnFocus(focused);
}

bool ReadFile(const std::string& path, std::string* text) {
  // A folder opens as a stream that reads nothing, which would be an empty script.
  std::error_code notFound;
  if (std::filesystem::is_directory(path, notFound)) return false;
  std::ifstream file(path);
  if (!file) return false;
  std::stringstream content;
  content << file.rdbuf();
  *text = content.str();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  OptionsResult parsed = ParseOptions(args);
  if (!parsed.error.empty()) {
    std::printf("sandrift: %s\n%s", parsed.error.c_str(), OptionsHelp());
    return 2;
  }
  Options& options = parsed.options;
  // A clock typed with a replay is the one it runs on, not the recording's.
  const bool clockTyped = options.clock.has_value();
  if (options.help) {
    std::printf("%s", OptionsHelp());
    return 0;
  }
  if (options.version) {
    std::printf("Sandrift %s\n", SANDRIFT_VERSION);
    return 0;
  }

  std::unique_ptr<ScriptPlayer> script;
  if (!options.inputScript.empty()) {
    std::string text;
    if (!ReadFile(options.inputScript, &text)) {
      std::printf("Could not read input script %s\n", options.inputScript.c_str());
      return 2;
    }
    ParsedScript events = ParseInputScript(text);
    if (!events.error.empty()) {
      std::printf("Bad input script %s, %s\n", options.inputScript.c_str(), events.error.c_str());
      return 2;
    }
    // A recording's window, clock and first screen go before the command
    // line, so that an option typed for the replay overrides them.
    if (!events.options.empty()) {
      args.insert(args.begin(), events.options.begin(), events.options.end());
      parsed = ParseOptions(args);
      if (!parsed.error.empty()) {
        std::printf("Bad input script %s, %s\n", options.inputScript.c_str(), parsed.error.c_str());
        return 2;
      }
    }
    script = std::make_unique<ScriptPlayer>(std::move(events.events));
    realInput = false;
  }
  AnchorFilePaths(options);
  if (!EnterDataFolder(options.dataDir)) return 2;

  if (options.clock) {
    realClock = false;
    playClock = {.start = *options.clock, .running = options.clockRuns};
  }
  long long heldClock = ReadClock();
  world::HoldClock(heldClock);
  if (!options.tracePath.empty() && !trace::Open(options.tracePath)) return 2;
  if (!options.recordPath.empty() && !recorder::Open(options.recordPath)) return 2;

  LoadSettings(kSettingsPath);
  if (options.windowWidth > 0) {
    WindowWidth = options.windowWidth;
    WindowHeight = options.windowHeight;
    FullScreen = false;
  }

  glfwInit();
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
  if (options.glErrors) glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
  GLFWmonitor* primary = glfwGetPrimaryMonitor();
  const GLFWvidmode* mode = primary ? glfwGetVideoMode(primary) : nullptr;
  // Full screen takes the monitor's closest mode by itself.
  if (options.windowWidth <= 0 && !(FullScreen && mode))
    FitWindowToScreen(kSettingsPath, mode ? mode->width : kMaxWindowEdge, mode ? mode->height : kMaxWindowEdge);
  GLFWmonitor* monitor = FullScreen ? primary : nullptr;
  gameWindow = glfwCreateWindow(WindowWidth, WindowHeight, "Sandrift", monitor, nullptr);
  if (gameWindow) glfwMakeContextCurrent(gameWindow);
  // libepoxy resolves entry points on first use; what can fail is getting a 3.3 core context.
  if (!gameWindow || epoxy_gl_version() < 33) {
    std::printf("Failed to initialize GLAD\n");
    glfwTerminate();
    return -1;
  }
  const bool countingGlErrors = options.glErrors && StartGlErrorCount();
  if (options.glErrors && !countingGlErrors) std::printf("GL errors cannot be counted: no debug output\n");

  if (!options.recordPath.empty()) {
    int width = 0, height = 0;
    glfwGetWindowSize(gameWindow, &width, &height);
    recorder::Start(width, height, heldClock, options.firstState);
  }

  input::SetKeyCallback(KeyCallback);
  glfwSetKeyCallback(gameWindow, OnGlfwKey);
  glfwSetMouseButtonCallback(gameWindow, OnGlfwMouseButton);
  glfwSetCursorPosCallback(gameWindow, OnGlfwCursorPos);
  glfwSetWindowFocusCallback(gameWindow, OnGlfwFocus);
  glfwSetFramebufferSizeCallback(gameWindow, FramebufferSizeCallback);
  glfwSetInputMode(gameWindow, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);

  auto textRenderer = std::make_unique<TextRenderer>("Shaders//shader_font.vs", "Shaders//shader_font.fs");
  textRenderer->LoadFont("Assets//threebyfive.ttf", "default");
  InitRenderData();

  audio::System* soundSystem = nullptr;
  audio::Result result = audio::System_Create(&soundSystem);
  if (result == audio::OK) result = soundSystem->init(512, audio::INIT_NORMAL, nullptr);
  if (result != audio::OK) {
    std::printf("FMOD error! (%d) %s\n", static_cast<int>(result), audio::ResultString(result));
    std::exit(-1);
  }

  if (!options.levelsFolder.empty()) LevelsFolder = options.levelsFolder;
  RegisterScreens();
  SetState(options.firstState);

  LoopPlatform platform;
  platform.now = [] { return static_cast<float>(glfwGetTime()); };
  long frameNumber = 0;
  platform.pollEvents = [&] {
    glfwPollEvents();
    // Scripted events of frame N arrive where real ones would: inside the poll.
    if (script) script->Play(frameNumber);
    const std::optional<long long> replayed = script && !clockTyped ? script->Clock() : std::nullopt;
    const long long reading = replayed ? *replayed : ReadClock();
    if (reading != heldClock) {
      heldClock = reading;
      world::HoldClock(reading);
      recorder::Clock(reading);
    }
  };
  platform.endFrame = [&](long frame, float dt) {
    for (const Screenshot& shot : options.screenshots) {
      if (shot.frame != frame) continue;
      int width = 0, height = 0;
      glfwGetFramebufferSize(gameWindow, &width, &height);
      SaveScreenshot(shot.path, width, height);
    }
    trace::EndFrame(frame, CurrentState, dt);
    recorder::EndFrame(frame, dt);
    playClock.Advance(dt);
    glfwSwapBuffers(gameWindow);
    frameNumber = frame + 1;
  };
  platform.closeRequested = [] { return glfwWindowShouldClose(gameWindow) != 0; };
  platform.stateEntered = [&](int state) { trace::StateEntered(frameNumber, state); };

  game::Random gameplayRandom;
  ScreenContext context{gameWindow, textRenderer.get(), soundSystem, &gameplayRandom};
  LoopOptions loopOptions{options.fixedDt, options.frames};
  if (script && options.fixedDt <= 0.0f) platform.replayedStep = [&](long frame) { return script->Step(frame); };
  // A recorded session's replay ends where the session did.
  if (script && options.frames < 0 && script->StepFrames() > 0) loopOptions.maxFrames = script->StepFrames();
  RunGameLoop(platform, context, loopOptions);

  trace::Close();
  recorder::Close();
  if (countingGlErrors) std::printf("GL errors: %ld\n", GlErrorCount());
  textRenderer.reset();  // its GL objects go while the context lives
  glfwTerminate();
  return 0;
}
