#include <tuple>

#include <gtest/gtest.h>

#include "app/options.h"

namespace {

using Args = std::vector<std::string>;

TEST(OptionsTest, NoOptionsMeansTheNormalGame) {
  const OptionsResult r = ParseOptions({});
  const Options& o = r.options;
  EXPECT_TRUE(r.error.empty());
  EXPECT_EQ(std::tuple(o.frames, o.fixedDt, o.clock.has_value(), o.windowWidth, o.help),
            std::tuple(-1L, 0.0f, false, 0, false))
      << "endless, in real time, in the settings' window";
  EXPECT_EQ(o.firstState, STATE_LOGO);
}

TEST(OptionsTest, ReadsEveryTestingOption) {
  const OptionsResult r = ParseOptions({"--frames", "300", "--fixed-dt", "0.016", "--clock", "1234", "--state", "2",
                                        "--window", "768x432", "--screenshot", "10:a.png", "--screenshot", "20:b.png",
                                        "--input", "in.txt", "--trace", "t.jsonl", "--data", "/opt/sandrift",
                                        "--levels", "tests/data/levels", "--version", "-h"});
  ASSERT_TRUE(r.error.empty()) << r.error;
  const Options& o = r.options;
  EXPECT_EQ(std::tuple(o.frames, o.clock, o.firstState, o.help), std::tuple(300L, 1234LL, 2, true));
  EXPECT_FLOAT_EQ(o.fixedDt, 0.016f);
  EXPECT_EQ(std::tuple(o.windowWidth, o.windowHeight), std::tuple(768, 432));
  ASSERT_EQ(o.screenshots.size(), 2u);
  EXPECT_EQ(std::tuple(o.screenshots[1].frame, o.screenshots[1].path), std::tuple(20L, "b.png"));
  EXPECT_EQ(std::tuple(o.inputScript, o.tracePath, o.levelsFolder, o.dataDir, o.version),
            std::tuple("in.txt", "t.jsonl", "tests/data/levels", "/opt/sandrift", true));
  EXPECT_EQ(ParseOptions({"--record", "bug.txt"}).options.recordPath, "bug.txt");
}

TEST(OptionsTest, AcceptsTheEdgesOfEachRange) {
  for (const Args& args : {Args{"--fixed-dt", "1"}, Args{"--state", "0"}, Args{"--state", "12"},
                           Args{"--window", "8192x1"}, Args{"--frames", "+0"}, Args{"--screenshot", "0:a.png"}}) {
    EXPECT_EQ(ParseOptions(args).error, "") << args[0] << " " << args[1];
  }
}

TEST(OptionsTest, RefusesWhatWouldRunAWrongGameAndSaysWhy) {
  const Args badValues[] = {
      {"--frames", "-3"},    {"--frames", "3x"},     {"--frames", "ten"},      {"--fixed-dt", "0"},
      {"--fixed-dt", "1.5"}, {"--fixed-dt", "abc"},  {"--clock", "-1"},        {"--clock-start", "x"},
      {"--state", "4"},      {"--state", "5"},       {"--state", "13"},        {"--state", "-1"},
      {"--window", "800"},   {"--window", "0x600"},  {"--window", "800x8193"}, {"--screenshot", "5"},
      {"--screenshot", "x:a.png"}, {"--screenshot", "5:"}};
  for (const Args& args : badValues) EXPECT_EQ(ParseOptions(args).error, "bad value '" + args[1] + "' for " + args[0]);
  EXPECT_EQ(ParseOptions({"--frames"}).error, "option --frames needs a value");
  for (const Args& args : {Args{"--bogus"}, Args{"--bogus", "1"}, Args{"stray"}})
    EXPECT_EQ(ParseOptions(args).error, "unknown option " + args[0]);
  EXPECT_EQ(ParseOptions({"--record", "a.txt", "--input", "b.txt"}).error, "--record cannot be used with --input");
}

TEST(OptionsTest, TheLaterOfTheTwoClocksWinsSoAReplayCanRunOnAnother) {
  const Options running = ParseOptions({"--clock", "17", "--clock-start", "5"}).options;
  EXPECT_EQ(running.clock, 5);
  EXPECT_TRUE(running.clockRuns);
  const Options fixed = ParseOptions({"--clock-start", "5", "--clock", "17"}).options;
  EXPECT_EQ(fixed.clock, 17);
  EXPECT_FALSE(fixed.clockRuns);
}

}  // namespace
