// The level screen in process, with a hidden window and a loopback audio system.
#include <gtest/gtest.h>

#include "app/game_state.h"
#include "audio/audio.h"
#include "render/text_renderer.h"
#include "screens/screens.h"
#include "tests/support/gl_context.h"

namespace {

// Winning leads through the victory screen to the next level; the menu leads back too.
TEST_F(GlTest, LevelSoundsAreDecodedOnceForTheRunNotOnEveryLevel) {
  TextRenderer text("Shaders//shader_font.vs", "Shaders//shader_font.fs");
  audio::System* system = nullptr;
  ASSERT_EQ(audio::System_Create(&system), audio::OK);
  ASSERT_EQ(system->initLoopback(64, 48000), audio::OK);
  RegisterScreens();
  const ScreenContext context{window, &text, system};
  SetState(STATE_LEVEL);
  EnterScreen(context);
  const int64_t decoded = system->soundStats().decoded;
  ASSERT_GT(decoded, 0);
  for (const int next : {STATE_VICTORY, STATE_MAIN_MENU}) {
    NextState = next;
    LeaveScreen();
    SetState(STATE_LEVEL);
    EnterScreen(context);
    EXPECT_EQ(system->soundStats().decoded, decoded) << "decoded again on the way back from state " << next;
  }
}

}  // namespace
