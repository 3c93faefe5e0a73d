#include <tuple>

#include <gtest/gtest.h>

#include "app/settings.h"

namespace {

TEST(SettingsTest, EachLineIsReadAsStrtolReadsItOrKeepsItsDefault) {
  const struct { const char* text; int width, height; bool fullScreen; } cases[] = {
      {"1152\n648\n0\n", 1152, 648, false},
      {" \t+1152 pixels wide\n648abc\n2\n", 1152, 648, true},  // any non-zero flag is full-screen
      {"\xEF\xBB\xBF" "1280\n720\n0\n", 1280, 720, false},    // a byte-order mark
      {"1536\r\n864\r\n0\r\n", 1536, 864, false},
      {"800\n600\n0\n1\n1024\n", 800, 600, false},           // lines after the third are ignored
      {"1280\n", 1280, 900, true},
      {"", 1600, 900, true},
      {"wide\n-5\n99999999999999999999\n", 1600, 900, true},  // no number, no window, beyond 32 bits
      {"0\n3000000000\n0\n", 1600, 900, false},
      {"16384\n16385\n+-0\n", 16384, 16385, true},  // kept to the screen when the window opens
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
    const Settings s = ParseSettings(c.text);
    EXPECT_EQ(std::tuple(s.width, s.height, s.fullScreen), std::tuple(c.width, c.height, c.fullScreen));
  }
}

TEST(SettingsTest, AWindowLargerThanTheScreenIsShrunkEdgeByEdgeAndSaidSo) {
  WindowWidth = 16384;
  WindowHeight = 1000;
  testing::internal::CaptureStdout();
  FitWindowToScreen("f", 1920, 1080);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "f asks for a 16384 x 1000 window, larger than the screen (1920 x 1080); it opens at 1920 x 1000\n");
  EXPECT_EQ(std::make_pair(WindowWidth, WindowHeight), std::make_pair(1920, 1000));
  testing::internal::CaptureStdout();
  FitWindowToScreen("f", 1920, 1000);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "a window that fits";
}

}  // namespace
