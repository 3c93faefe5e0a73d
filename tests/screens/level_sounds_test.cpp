// The level screen in process, with a hidden window and a loopback audio system,
// and the generator the screens share.
#include <vector>

#include <gtest/gtest.h>

#include "app/game_instance.h"
#include "app/game_state.h"
#include "audio/audio.h"
#include "game/random.h"
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
  game::Random random;
  const ScreenContext context{window, &text, system, &random};
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

// The menu and a level draw from the run's one generator, each going on from
// where the last left it: one frame of each, from two starting states.
TEST_F(GlTest, TheMenuAndTheLevelGoOnDrawingFromTheRunsOneGenerator) {
  TextRenderer text("Shaders//shader_font.vs", "Shaders//shader_font.fs");
  RegisterScreens();
  std::vector<std::uint32_t> states;
  for (const std::uint32_t start : {0u, 1000u}) {
    game::Random random{start};
    states.push_back(start);
    for (const int screen : {STATE_MAIN_MENU, STATE_LEVEL}) {
      SetState(screen);
      EnterScreen(ScreenContext{window, &text, nullptr, &random});
      ActiveScreen->Update(1.0 / 60);
      NextState = STATE_CREDITS;
      LeaveScreen();
      states.push_back(random.state);
    }
  }
  for (std::size_t i = 0; i < states.size(); ++i)
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(states[i], states[j]) << "states " << j << " and " << i;
}

}  // namespace
