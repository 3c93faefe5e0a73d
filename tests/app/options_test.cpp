#include <gtest/gtest.h>

#include "app/options.h"

namespace {

OptionsResult Parse(std::vector<std::string> args) { return ParseOptions(args); }

TEST(OptionsTest, NoOptionsMeansTheNormalGame) {
  OptionsResult r = Parse({});
  EXPECT_TRUE(r.error.empty());
  EXPECT_EQ(r.options.frames, -1);
  EXPECT_EQ(r.options.fixedDt, 0.0f);
  EXPECT_FALSE(r.options.clock.has_value());
  EXPECT_EQ(r.options.firstState, 6);
  EXPECT_EQ(r.options.windowWidth, 0);
}

TEST(OptionsTest, ReadsEveryTestingOption) {
  OptionsResult r = Parse({"--frames", "300", "--fixed-dt", "0.016", "--clock", "1234", "--state", "2",
                           "--window", "768x432", "--screenshot", "10:a.png", "--screenshot", "20:b.png",
                           "--input", "in.txt", "--trace", "t.jsonl", "--data", "/opt/sandrift", "--version"});
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
  EXPECT_EQ(o.dataDir, "/opt/sandrift");
  EXPECT_TRUE(o.version);
  EXPECT_EQ(Parse({"--record", "bug.txt"}).options.recordPath, "bug.txt");
}

TEST(OptionsTest, RejectsWhatWouldRunAWrongGame) {
  for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
           {"--frames", "-3"},      {"--frames", "ten"},   {"--fixed-dt", "0"},
           {"--fixed-dt", "abc"},   {"--state", "4"},      {"--state", "5"},
           {"--state", "13"},       {"--window", "800"},   {"--window", "0x600"},
           {"--screenshot", "5"},   {"--screenshot", "x:a.png"}, {"--frames"},
           {"--bogus", "1"},        {"stray"},             {"--record", "a.txt", "--input", "b.txt"}}) {
    OptionsResult r = Parse(bad);
    EXPECT_FALSE(r.error.empty()) << bad[0];
  }
}

TEST(OptionsTest, HelpNeedsNoValue) {
  OptionsResult r = Parse({"--help"});
  EXPECT_TRUE(r.error.empty());
  EXPECT_TRUE(r.options.help);
  EXPECT_NE(std::string(OptionsHelp()).find("--screenshot"), std::string::npos);
}

}  // namespace
