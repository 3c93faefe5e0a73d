#include <gtest/gtest.h>

#include "app/options.h"

namespace {

using Args = std::vector<std::string>;

TEST(OptionsTest, NoOptionsMeansTheNormalGame) {
  const OptionsResult r = ParseOptions({});
  EXPECT_TRUE(r.error.empty());
  EXPECT_EQ(r.options.frames, -1);
  EXPECT_EQ(r.options.fixedDt, 0.0f);
  EXPECT_FALSE(r.options.clock.has_value());
  EXPECT_EQ(r.options.firstState, 6);
  EXPECT_EQ(r.options.windowWidth, 0);
  EXPECT_FALSE(r.options.help);
}

TEST(OptionsTest, ReadsEveryTestingOption) {
  const OptionsResult r = ParseOptions({"--frames", "300", "--fixed-dt", "0.016", "--clock", "1234", "--state", "2",
                                        "--window", "768x432", "--screenshot", "10:a.png", "--screenshot", "20:b.png",
                                        "--input", "in.txt", "--trace", "t.jsonl", "-h"});
  ASSERT_TRUE(r.error.empty()) << r.error;
  const Options& o = r.options;
  EXPECT_EQ(o.frames, 300);
  EXPECT_FLOAT_EQ(o.fixedDt, 0.016f);
  EXPECT_EQ(o.clock.value(), 1234);
  EXPECT_EQ(o.firstState, 2);
  EXPECT_EQ(o.windowWidth, 768);
  EXPECT_EQ(o.windowHeight, 432);
  ASSERT_EQ(o.screenshots.size(), 2u);
  EXPECT_EQ(o.screenshots[1].frame, 20);
  EXPECT_EQ(o.screenshots[1].path, "b.png");
  EXPECT_EQ(o.inputScript, "in.txt");
  EXPECT_EQ(o.tracePath, "t.jsonl");
  EXPECT_TRUE(o.help);
}

TEST(OptionsTest, AcceptsTheEdgesOfEachRange) {
  for (const Args& args : {Args{"--fixed-dt", "1"}, Args{"--state", "0"}, Args{"--state", "12"},
                           Args{"--window", "16384x1"}, Args{"--frames", "+0"}, Args{"--screenshot", "0:a.png"}}) {
    EXPECT_EQ(ParseOptions(args).error, "") << args[0] << " " << args[1];
  }
}

TEST(OptionsTest, RefusesWhatWouldRunAWrongGameAndSaysWhy) {
  const struct { Args args; const char* error; } cases[] = {
      {{"--frames", "-3"}, "bad value '-3' for --frames"},
      {{"--frames", "3x"}, "bad value"},
      {{"--frames", "ten"}, "bad value"},
      {{"--fixed-dt", "0"}, "bad value"},
      {{"--fixed-dt", "1.5"}, "bad value"},
      {{"--fixed-dt", "abc"}, "bad value"},
      {{"--clock", "-1"}, "bad value"},
      {{"--state", "4"}, "bad value"},
      {{"--state", "5"}, "bad value"},
      {{"--state", "13"}, "bad value"},
      {{"--state", "-1"}, "bad value"},
      {{"--window", "800"}, "bad value"},
      {{"--window", "0x600"}, "bad value"},
      {{"--window", "800x16385"}, "bad value"},
      {{"--screenshot", "5"}, "bad value"},
      {{"--screenshot", "x:a.png"}, "bad value"},
      {{"--screenshot", "5:"}, "bad value"},
      {{"--frames"}, "option --frames needs a value"},
      {{"--bogus"}, "unknown option --bogus"},
      {{"--bogus", "1"}, "unknown option --bogus"},
      {{"stray"}, "unknown option stray"},
  };
  for (const auto& c : cases) {
    const std::string error = ParseOptions(c.args).error;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.args[0] << ": " << error;
  }
}

}  // namespace
