// The level screen's sounds over its whole life, in process with a hidden
// window and a loopback audio system.
#include <cstdlib>

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "app/game_state.h"
#include "audio/audio.h"
#include "render/sprite_renderer.h"
#include "render/text_renderer.h"
#include "screens/level_screen.h"
#include "screens/screens.h"

namespace {

// Never destroyed: the screens' statics release their GL objects at exit.
GLFWwindow* HiddenWindow() {
  if (!glfwInit()) return nullptr;
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  GLFWwindow* window = glfwCreateWindow(384, 216, "level sounds", nullptr, nullptr);
  if (window) glfwMakeContextCurrent(window);
  return window;
}

TEST(LevelScreenSounds, AreDecodedOnceForTheRunAndLetGoWhenTheGameQuits) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display (run under xvfb-run)";
  GLFWwindow* window = HiddenWindow();
  ASSERT_NE(window, nullptr);
  TextRenderer text("Shaders//shader_font.vs", "Shaders//shader_font.fs");
  InitRenderData();
  audio::System* system = nullptr;
  ASSERT_TRUE(audio::System_Create(&system) == audio::OK && system->initLoopback(64, 48000) == audio::OK);
  LevelsFolder = "tests/data/levels";
  RegisterScreens();
  const ScreenContext context{window, &text, system};

  SetState(STATE_LEVEL);
  EnterScreen(context);
  const int64_t decoded = system->soundStats().decoded;
  ASSERT_GT(decoded, 0);
  // The next level, then the way back from the victory screen and from the menu.
  for (const int next : {STATE_RESTART, STATE_VICTORY, STATE_MAIN_MENU}) {
    NextState = next;
    LeaveScreen();
    if (next != STATE_RESTART) SetState(STATE_LEVEL);
    EnterScreen(context);
    EXPECT_EQ(system->soundStats().decoded, decoded) << "decoded again on the way back from state " << next;
  }
  NextState = STATE_QUIT;
  LeaveScreen();
  EXPECT_EQ(system->soundStats().live, 0);
}

}  // namespace
