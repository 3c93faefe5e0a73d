#include <gtest/gtest.h>

#include "app/settings.h"

namespace {

TEST(SettingsTest, ReadsWidthHeightAndFullScreenLikeStrtol) {
  Settings s = ParseSettings("1152\n648\n0\n");
  EXPECT_EQ(s.width, 1152);
  EXPECT_EQ(s.height, 648);
  EXPECT_FALSE(s.fullScreen);

  s = ParseSettings("  +1600 pixels wide\n900abc\n2\n");
  EXPECT_EQ(s.width, 1600);
  EXPECT_EQ(s.height, 900);
  EXPECT_TRUE(s.fullScreen);  // any non-zero flag is full-screen
}

TEST(SettingsTest, LinesAfterTheThirdAreIgnored) {
  Settings s = ParseSettings("800\n600\n0\n1\n1024\n");
  EXPECT_EQ(s.width, 800);
  EXPECT_FALSE(s.fullScreen);
}

TEST(SettingsTest, MissingLinesKeepTheirDefaults) {
  Settings s = ParseSettings("1280\n");
  EXPECT_EQ(s.width, 1280);
  EXPECT_EQ(s.height, 900);
  EXPECT_TRUE(s.fullScreen);

  s = ParseSettings("");
  EXPECT_EQ(s.width, 1600);
  EXPECT_EQ(s.height, 900);
  EXPECT_TRUE(s.fullScreen);
}

TEST(SettingsTest, BadOrOutOfRangeValuesKeepTheirDefaults) {
  Settings s = ParseSettings("wide\n-5\n99999999999999999999\n");
  EXPECT_EQ(s.width, 1600);   // not a number
  EXPECT_EQ(s.height, 900);   // no window has a negative size
  EXPECT_TRUE(s.fullScreen);  // outside the 32-bit range

  s = ParseSettings("0\n3000000000\n0\n");
  EXPECT_EQ(s.width, 1600);
  EXPECT_EQ(s.height, 900);
  EXPECT_FALSE(s.fullScreen);
}

TEST(SettingsTest, WindowsLineEndingsAreAccepted) {
  Settings s = ParseSettings("1536\r\n864\r\n0\r\n");
  EXPECT_EQ(s.width, 1536);
  EXPECT_EQ(s.height, 864);
  EXPECT_FALSE(s.fullScreen);
}

}  // namespace
