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
#include "app/pad_device.h"
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

// A start that cannot go on: a bad option or script, no data folder, or an
// output file that cannot be written, all found before any window opens.
constexpr int kExitCannotStart = 2;
constexpr int kExitNoWindow = -1;  // no window with an OpenGL 3.3 core context
// The shaders are GLSL 330 core; libepoxy numbers that version 33.
constexpr int kGlMajor = 3, kGlMinor = 3;
constexpr int kEpoxyGlVersion = kGlMajor * 10 + kGlMinor;
constexpr int kVoices = 512;  // sounds that can play at once

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

int RefuseOptions(const std::string& error) {
  std::printf("sandrift: %s\n%s", error.c_str(), OptionsHelp());
  return kExitCannotStart;
}

// --help and --version answer instead of running the game.
bool AnswerAbout(const Options& options) {
  if (options.help) {
    std::printf("%s", OptionsHelp());
    return true;
  }
  if (options.version) {
    std::printf("Sandrift %s\n", SANDRIFT_VERSION);
    return true;
  }
  return false;
}

// The --input script, whose events then stand in for real input. A
// recording's window, clock and first screen go before the command line, so
// that an option typed for the replay overrides them. Prints why and returns
// nullptr when the script cannot be used.
std::unique_ptr<ScriptPlayer> LoadInputScript(std::vector<std::string>& args, OptionsResult& parsed) {
  std::string text;
  if (!ReadFile(parsed.options.inputScript, &text)) {
    std::printf("Could not read input script %s\n", parsed.options.inputScript.c_str());
    return nullptr;
  }
  ParsedScript events = ParseInputScript(text);
  if (!events.error.empty()) {
    std::printf("Bad input script %s, %s\n", parsed.options.inputScript.c_str(), events.error.c_str());
    return nullptr;
  }
  if (!events.options.empty()) {
    args.insert(args.begin(), events.options.begin(), events.options.end());
    parsed = ParseOptions(args);
    if (!parsed.error.empty()) {
      std::printf("Bad input script %s, %s\n", parsed.options.inputScript.c_str(), parsed.error.c_str());
      return nullptr;
    }
  }
  auto script = std::make_unique<ScriptPlayer>(std::move(events.events));
  realInput = false;
  return script;
}

// The first frame's clock reading, held: the real clock's, or the one
// --clock or --clock-start typed.
long long StartClock(const Options& options) {
  if (options.clock) {
    realClock = false;
    playClock = {.start = *options.clock, .running = options.clockRuns};
  }
  const long long reading = ReadClock();
  world::HoldClock(reading);
  return reading;
}

bool OpenTraceAndRecording(const Options& options) {
  if (!options.tracePath.empty() && !trace::Open(options.tracePath)) return false;
  return options.recordPath.empty() || recorder::Open(options.recordPath);
}

// The settings file's window, unless --window chose one.
void ChooseWindowSize(const Options& options) {
  LoadSettings(kSettingsPath);
  if (options.windowWidth > 0) {
    WindowWidth = options.windowWidth;
    WindowHeight = options.windowHeight;
    FullScreen = false;
  }
}

void AskForGlContext(bool debugOutput) {
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, kGlMajor);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, kGlMinor);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
  if (debugOutput) glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
}

// The game's window, its context current; prints a line and returns false
// when there is none.
bool OpenGameWindow(const Options& options) {
  glfwInit();
  AskForGlContext(options.glErrors);
  GLFWmonitor* primary = glfwGetPrimaryMonitor();
  const GLFWvidmode* mode = primary ? glfwGetVideoMode(primary) : nullptr;
  // Full screen takes the monitor's closest mode by itself.
  if (options.windowWidth <= 0 && !(FullScreen && mode))
    FitWindowToScreen(kSettingsPath, mode ? mode->width : kMaxWindowEdge, mode ? mode->height : kMaxWindowEdge);
  GLFWmonitor* monitor = FullScreen ? primary : nullptr;
  gameWindow = glfwCreateWindow(WindowWidth, WindowHeight, "Sandrift", monitor, nullptr);
  if (gameWindow) glfwMakeContextCurrent(gameWindow);
  // libepoxy resolves entry points on first use; what can fail is getting a 3.3 core context.
  if (!gameWindow || epoxy_gl_version() < kEpoxyGlVersion) {
    std::printf("Failed to initialize GLAD\n");
    glfwTerminate();
    return false;
  }
  return true;
}

// True when --gl-errors asked and the driver's debug output counts them.
bool StartCountingGlErrors(const Options& options) {
  const bool counting = options.glErrors && StartGlErrorCount();
  if (options.glErrors && !counting) std::printf("GL errors cannot be counted: no debug output\n");
  return counting;
}

void StartRecording(long long clock, int firstState) {
  int width = 0, height = 0;
  glfwGetWindowSize(gameWindow, &width, &height);
  recorder::Start(width, height, clock, firstState);
}

void ConnectInput() {
  input::SetKeyCallback(KeyCallback);
  glfwSetKeyCallback(gameWindow, OnGlfwKey);
  glfwSetMouseButtonCallback(gameWindow, OnGlfwMouseButton);
  glfwSetCursorPosCallback(gameWindow, OnGlfwCursorPos);
  glfwSetWindowFocusCallback(gameWindow, OnGlfwFocus);
  glfwSetFramebufferSizeCallback(gameWindow, FramebufferSizeCallback);
  glfwSetInputMode(gameWindow, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
  pad_device::LoadMappings();
}

std::unique_ptr<TextRenderer> LoadTextRenderer() {
  auto textRenderer = std::make_unique<TextRenderer>("Shaders//shader_font.vs", "Shaders//shader_font.fs");
  textRenderer->LoadFont("Assets//threebyfive.ttf", "default");
  return textRenderer;
}

// Without an output device the system falls back to a silent one; only a
// system that cannot start at all ends the game.
audio::System* StartAudio() {
  audio::System* soundSystem = nullptr;
  audio::Result result = audio::System_Create(&soundSystem);
  if (result == audio::OK) result = soundSystem->init(kVoices, audio::INIT_NORMAL, nullptr);
  if (result != audio::OK) {
    std::printf("FMOD error! (%d) %s\n", static_cast<int>(result), audio::ResultString(result));
    std::exit(-1);
  }
  return soundSystem;
}

void StartScreens(const Options& options) {
  if (!options.levelsFolder.empty()) LevelsFolder = options.levelsFolder;
  RegisterScreens();
  SetState(options.firstState);
}

// What the frames of a run share with the loop's callbacks.
struct Session {
  const Options& options;
  ScriptPlayer* script;  // null when real input drives the game
  bool clockTyped;       // a clock typed with a replay is the one it runs on, not the recording's
  long long heldClock;   // the reading every step of the frame sees
  long frameNumber = 0;  // the frame under way
};

// Scripted events of frame N arrive where real ones would: inside the poll,
// where the real pad is read when no script plays.
// Then the frame's clock is read, and a change is held and recorded.
void PollFrame(Session& s) {
  glfwPollEvents();
  if (!s.script) pad_device::Poll();
  if (s.script) s.script->Play(s.frameNumber);
  const std::optional<long long> replayed = s.script && !s.clockTyped ? s.script->Clock() : std::nullopt;
  const long long reading = replayed ? *replayed : ReadClock();
  if (reading != s.heldClock) {
    s.heldClock = reading;
    world::HoldClock(reading);
    recorder::Clock(reading);
  }
}

// After the frame is drawn: its screenshots and its lines, then the swap.
void EndFrame(Session& s, long frame, float dt) {
  for (const Screenshot& shot : s.options.screenshots) {
    if (shot.frame != frame) continue;
    int width = 0, height = 0;
    glfwGetFramebufferSize(gameWindow, &width, &height);
    SaveScreenshot(shot.path, width, height);
  }
  trace::EndFrame(frame, CurrentState, dt);
  recorder::EndFrame(frame, dt);
  playClock.Advance(dt);
  glfwSwapBuffers(gameWindow);
  s.frameNumber = frame + 1;
}

LoopPlatform MakePlatform(Session& s) {
  LoopPlatform platform;
  platform.now = [] { return static_cast<float>(glfwGetTime()); };
  platform.pollEvents = [&s] { PollFrame(s); };
  platform.endFrame = [&s](long frame, float dt) { EndFrame(s, frame, dt); };
  platform.closeRequested = [] { return glfwWindowShouldClose(gameWindow) != 0; };
  platform.stateEntered = [&s](int state) { trace::StateEntered(s.frameNumber, state); };
  if (s.script && s.options.fixedDt <= 0.0f) platform.replayedStep = [&s](long frame) { return s.script->Step(frame); };
  return platform;
}

LoopOptions MakeLoopOptions(const Options& options, const ScriptPlayer* script) {
  LoopOptions loopOptions{options.fixedDt, options.frames};
  // A recorded session's replay ends where the session did.
  if (script && options.frames < 0 && script->StepFrames() > 0) loopOptions.maxFrames = script->StepFrames();
  return loopOptions;
}

void ShutDown(bool countingGlErrors, std::unique_ptr<TextRenderer> textRenderer) {
  trace::Close();
  recorder::Close();
  if (countingGlErrors) std::printf("GL errors: %ld\n", GlErrorCount());
  textRenderer.reset();  // its GL objects go while the context lives
  glfwTerminate();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  OptionsResult parsed = ParseOptions(args);
  if (!parsed.error.empty()) return RefuseOptions(parsed.error);
  Options& options = parsed.options;
  const bool clockTyped = options.clock.has_value();  // before a recording's options join in
  if (AnswerAbout(options)) return 0;

  std::unique_ptr<ScriptPlayer> script;
  if (!options.inputScript.empty()) {
    script = LoadInputScript(args, parsed);
    if (!script) return kExitCannotStart;
  }
  AnchorFilePaths(options);
  if (!EnterDataFolder(options.dataDir)) return kExitCannotStart;
  Session session{options, script.get(), clockTyped, StartClock(options)};
  if (!OpenTraceAndRecording(options)) return kExitCannotStart;
  ChooseWindowSize(options);

  if (!OpenGameWindow(options)) return kExitNoWindow;
  const bool countingGlErrors = StartCountingGlErrors(options);
  if (!options.recordPath.empty()) StartRecording(session.heldClock, options.firstState);
  ConnectInput();
  std::unique_ptr<TextRenderer> textRenderer = LoadTextRenderer();
  InitRenderData();
  audio::System* soundSystem = StartAudio();
  StartScreens(options);

  game::Random gameplayRandom;  // one sequence through the whole run, handed from screen to screen
  RunGameLoop(MakePlatform(session), ScreenContext{gameWindow, textRenderer.get(), soundSystem, &gameplayRandom},
              MakeLoopOptions(options, script.get()));
  ShutDown(countingGlErrors, std::move(textRenderer));
  return 0;
}
