// The level screen through the real binary, on small levels from tests/data:
// the sequence of levels, defeat, pause, replay and skip, and bad level data.
#include <chrono>
#include <string>
#include <thread>
#include <tuple>

#include <gtest/gtest.h>

#include "screens/button_screen.h"
#include "screens/defeat_screen.h"
#include "screens/victory_screen.h"
#include "tests/screens/game_run.h"

namespace {

constexpr int kW = 768, kH = 432;

GameRun RunLevel(const std::string& folder, long frames, const std::string& script) {
  return RunGame({"--state", "1", "--levels", "tests/data/" + folder, "--window", "768x432", "--fixed-dt",
                  "0.0166667", "--clock", "1", "--frames", std::to_string(frames)},
                 script);
}

// Pause menu buttons, window pixels from the top-left.
const glm::ivec2 kSound{384, 259}, kFps{384, 302}, kBackToMain{384, 346}, kToMain{307, 259}, kBackToGame{461, 259};

TEST(LevelScreen, WinningLeadsToTheNextLevelAndAfterTheLastToTheMenu) {
  // Walking left wins the small level in under a second.
  GameRun run =
      RunLevel("levels", 300, At(0, "key A press") + Click(100, ButtonPixel(kVictoryScreenTable, 0, kW, kH)));
  ASSERT_EQ(run.StatesEntered(), (std::vector<int>{1, 7, 1, 0})) << run.output;
  EXPECT_EQ(run.Field(run.FrameEntering(7) - 1, "treasures"), run.Field(run.FrameEntering(7) - 1, "treasureTotal"));
  EXPECT_EQ(run.Field(run.FrameEntering(0) - 1, "level"), 1);
}

TEST(LevelScreen, ALevelWithoutTreasureIsWonBeforeItsFirstStep) {
  const GameRun run = RunLevel("levels_empty", 5, "");  // its only level: winning it ends on the menu
  ASSERT_EQ(run.StatesEntered(), (std::vector<int>{1, 0})) << run.output;
  EXPECT_EQ(run.FrameEntering(0), 1);
}

TEST(LevelScreen, LavaDefeatsAndTheDefeatScreenReplaysTheSameLevel) {
  GameRun lava = RunLevel("levels", 300, At(0, "key D press") + At(190, "key D release") +
                                             Click(200, ButtonPixel(kDefeatScreenTable, 0, kW, kH)));
  ASSERT_EQ(lava.StatesEntered(), (std::vector<int>{1, 8, 1})) << lava.output;
  EXPECT_EQ(std::tuple(lava.Field(299, "level"), lava.Field(299, "health")), std::tuple(0, 100)) << "a fresh start";
}

TEST(LevelScreen, AWindowOpenedMeanwhileDoesNotFreezeAScriptedRun) {
  // A game started later on the same display takes the focus, as parallel
  // tests' games do; only the script's focus events may pause the level.
  std::thread later([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    RunGame({"--frames", "20", "--window", "320x180"});
  });
  GameRun run = RunLevel("levels", 250, At(0, "key D press"));
  later.join();
  EXPECT_EQ(run.StatesEntered(), (std::vector<int>{1, 8})) << "walked into the lava";
}

TEST(LevelScreen, PauseFreezesTheWorldAndItsMenuLeadsBackToTheMainMenu) {
  const std::string script = At(0, "key D press") + At(10, "key ESCAPE press") + At(11, "key ESCAPE release") +
                             Click(20, kSound) + Click(25, kBackToMain) + At(30, "key ESCAPE press") +
                             At(31, "key ESCAPE release") +  // nothing in the dialog
                             Click(40, kBackToGame) + At(60, "focus 0") + At(62, "focus 1") + Click(80, kBackToMain) +
                             Click(85, kToMain);
  GameRun run = RunLevel("levels", 200, script);
  ASSERT_EQ(run.StatesEntered(), (std::vector<int>{1, 0})) << run.output;
  EXPECT_EQ(run.Field(12, "playerX"), run.Field(39, "playerX")) << "frozen while paused";
  EXPECT_EQ(run.Field(35, "paused"), 1) << "Escape does nothing in the dialog";
  EXPECT_EQ(run.Field(21, "muted"), 1);
  EXPECT_EQ(run.Field(21, "musicVolume"), 0) << "silent at once";
  EXPECT_NE(run.Field(45, "playerX"), run.Field(50, "playerX")) << "back to the game";
  EXPECT_EQ(run.Field(75, "paused"), 1) << "lost focus pauses; regaining it stays paused";
  EXPECT_EQ(run.Field(run.FrameEntering(0) + 1, "muted"), 0) << "the way to the menu clears mute";
}

TEST(LevelScreen, RReplaysAndTSkipsOnlyWhileTheCounterShows) {
  const std::string script = At(0, "key D press") + At(20, "key T press") + At(21, "key T release") +
                             At(30, "key R press") + At(31, "key R release") + At(40, "key ESCAPE press") +
                             At(41, "key ESCAPE release") + Click(45, kFps) + At(50, "key T press");
  GameRun run = RunLevel("levels", 120, script);
  EXPECT_EQ(run.StatesEntered(), (std::vector<int>{1, 1, 1})) << run.output;
  EXPECT_EQ(run.Field(25, "level"), 0) << "T without the counter does nothing";
  EXPECT_LT(run.Field(32, "playerX"), run.Field(29, "playerX")) << "R started the level again";
  EXPECT_EQ(run.Field(100, "level"), 1) << "held T skips exactly one level";
}

// Tapped, then held from the next frame: the jump held from the tap's frame, not one a frame late.
TEST(LevelScreen, ATapOfSpaceWithinOneFrameIsReadForThatFrame) {
  const std::string press = At(30, "key SPACE press"), release = At(50, "key SPACE release");
  const GameRun held = RunLevel("levels", 60, press + release);
  const GameRun tapped =
      RunLevel("levels", 60, press + At(30, "key SPACE release") + At(31, "key SPACE press") + release);
  EXPECT_GT(held.Field(45, "playerY"), held.Field(29, "playerY") + 20) << "held, it jumps";
  for (const long frame : {31, 45}) EXPECT_EQ(tapped.Field(frame, "playerY"), held.Field(frame, "playerY")) << frame;
}

TEST(LevelScreen, MissingOrBrokenLevelDataReturnsToTheMenu) {
  for (const char* folder : {"nowhere", "levels_bad"}) {
    GameRun run = RunLevel(folder, 10, "");
    EXPECT_EQ(std::tuple(run.exitCode, run.StatesEntered()), std::tuple(0, std::vector<int>{1, 0}))
        << folder << run.output;
    EXPECT_NE(run.output.find("level0.bmp"), std::string::npos) << run.output;
  }
}

}  // namespace
