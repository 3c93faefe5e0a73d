#include <unistd.h>

#include <cstdio>
#include <fstream>

#include <gtest/gtest.h>

#include "screens/hud_text.h"

namespace {

TEST(HudText, TimerKeepsTwoDecimalsAtEveryLength) {
  const struct { float seconds; const char* text; } cases[] = {
      {7.5f, "7.50"}, {9.999f, "9.99"}, {10.0f, "10.00"}, {42.125f, "42.12"}, {123.456f, "123.45"}};
  for (const auto& c : cases) EXPECT_EQ(TimerText(c.seconds), c.text) << c.seconds;
  EXPECT_EQ(CutAfterFirstDecimal("59.880239"), "59.8");
  EXPECT_EQ(CutAfterFirstDecimal(FrameRateText(1.0 / 60)), "60.0");
}

TEST(HudText, LevelNamesAreLinesEmptyOnesIncludedWithoutCarriageReturnsOverlongOnesCut) {
  EXPECT_EQ(ParseLevelNames("First Steps\r\n\r\nLast\n"), (std::vector<std::string>{"First Steps", "", "Last"}));
  // The file is named once however many names are cut.
  // Named by process: the same test may be running in another build.
  const std::string path = testing::TempDir() + "sandrift_hud_text_long_names_" + std::to_string(getpid()) + ".txt";
  std::ofstream(path) << std::string(1'000'000, 'W') << "\nShort\n" << std::string(257, 'W') << "\n";
  testing::internal::CaptureStdout();
  const std::vector<std::string> names = ReadLevelNames(path);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Level names " + path + ": 2 of its names cut to 256 characters\n");
  std::remove(path.c_str());
  EXPECT_EQ(names, (std::vector<std::string>{std::string(256, 'W'), "Short", std::string(256, 'W')}));
}

}  // namespace
