#include <gtest/gtest.h>

#include "app/game_state.h"
#include "app/input.h"
#include "screens/credits_president.h"
#include "screens/credits_screen.h"
#include "screens/victory_screen.h"

namespace {

void ExpectLayout(const ButtonScreenTable& table, int W, int H, const std::vector<Placement>& expected) {
  std::vector<Placement> places = LayOut(table, W, H);
  ASSERT_EQ(places.size(), expected.size());
  for (std::size_t i = 0; i < places.size(); ++i) {
    EXPECT_EQ(places[i].position, expected[i].position) << "button " << i;
    EXPECT_EQ(places[i].halfSize, expected[i].halfSize) << "button " << i;
  }
}

// The back arrow keeps its size in the small tier; odd sizes halve to whole
// pixels where the layout halves W or H, exactly where it halves W x 0.5.
TEST(ButtonLayout, OddWindowSizes) {
  ExpectLayout(kCreditsPresidentTable, 1199, 675, {{{-539.5f, 287}, {50, 50}}, {{-519.5f, -297}, {70, 30}}});
  ExpectLayout(kCreditsScreenTable, 1601, 901,
               {{{700.5f, -400}, {80, 40}}, {{-700.5f, -400}, {80, 40}}, {{0, 157.5f}, {280, 40}},
                {{0, 45}, {280, 40}}, {{0, -67.5f}, {280, 40}}, {{0, -180}, {280, 40}}});
  ExpectLayout(kVictoryScreenTable, 1001, 601, {{{-150, -240}, {100, 50}}, {{150, -240}, {100, 50}}});
}

TEST(ButtonLayout, CreditTiersChangeAt1200And1650PixelsWide) {
  EXPECT_EQ(CreditTier(1199).smallHalfWidth, 70);
  EXPECT_EQ(CreditTier(1200).smallHalfWidth, 80);
  EXPECT_EQ(CreditTier(1649).smallHalfWidth, 80);
  EXPECT_EQ(CreditTier(1650).smallHalfWidth, 100);
}

// The start-up key callback closes the window on Escape as well, so a run of
// the game cannot tell whether the screen itself asks to quit; this can.
TEST(ButtonScreen, EscapeRequestsQuit) {
  CreditsScreen hub;
  input::Reset();
  input::OnKey(input::KEY_ESCAPE, 0, input::PRESS, 0);
  NextState = STATE_CREDITS;
  hub.ProcessInput(0.0);
  EXPECT_EQ(NextState, STATE_QUIT);
}

}  // namespace
