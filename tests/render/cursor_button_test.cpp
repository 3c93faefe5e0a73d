#include <memory>

#include <gtest/gtest.h>

#include "app/input.h"
#include "render/button.h"
#include "render/cursor.h"
#include "render/shader.h"
#include "render/sprite_renderer.h"
#include "render/texture.h"
#include "tests/render/render_fixture.h"

TEST(Button, HitOnlyStrictlyInside) {
  Button play;
  play.SetButton(glm::vec2(50, -20), glm::vec2(30, 10), nullptr);
  EXPECT_TRUE(play.HitTest(50, -20));
  EXPECT_TRUE(play.HitTest(79.9f, -10.1f));
  EXPECT_FALSE(play.HitTest(80, -20)) << "right edge";
  EXPECT_FALSE(play.HitTest(20, -20)) << "left edge";
  EXPECT_FALSE(play.HitTest(50, -10)) << "top edge";
  EXPECT_FALSE(play.HitTest(50, -30)) << "bottom edge";
}

TEST(Button, UnsetButtonIsNeverHit) {
  const Button unset;
  EXPECT_FALSE(unset.HitTest(0, 0));
}

TEST(Button, RawMouseBecomesCentreRelative) {
  // 1600 x 900: a button at the centre with half size (100, 50) spans window
  // pixels x 700..900 and y 400..500.
  Button quit;
  quit.SetButton(glm::vec2(0, 0), glm::vec2(100, 50), nullptr);
  const auto hit = [&](double rawX, double rawY) {
    const glm::vec2 p = CentreRelative(rawX, rawY, 1600, 900);
    return quit.HitTest(p.x, p.y);
  };
  EXPECT_TRUE(hit(800, 450));
  EXPECT_TRUE(hit(700.5, 400.5));
  EXPECT_TRUE(hit(899.5, 499.5));
  EXPECT_FALSE(hit(900, 450));
  EXPECT_FALSE(hit(800, 400));
  EXPECT_FALSE(hit(-5, 450)) << "outside the window is simply not a hit";

  // Odd sizes use whole-pixel halves, and raw y grows downwards.
  EXPECT_EQ(CentreRelative(0, 0, 801, 601), glm::vec2(-400, 300));
}

TEST(Cursor, StaysOnTheWindowWhenTheMouseLeavesIt) {
  Cursor cursor(nullptr, 16.0f);
  cursor.SetFromMouse(100, 200, 1600, 900);
  EXPECT_EQ(cursor.x, 100.0);
  EXPECT_EQ(cursor.y, 700.0) << "y is counted from the bottom";

  cursor.SetFromMouse(-20, 950, 1600, 900);
  EXPECT_EQ(cursor.x, 0.0);
  EXPECT_EQ(cursor.y, 0.0);

  cursor.SetFromMouse(1700, -30, 1600, 900);
  EXPECT_EQ(cursor.x, 1600.0);
  EXPECT_EQ(cursor.y, 900.0);
}

class PointerDrawTest : public RenderTest {
protected:
  void SetUp() override {
    RenderTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    input::Reset();
    shader = std::make_unique<Shader>(kSpriteVs, kSpriteFs);
    SetWindowProjection(*shader);
    white = std::make_unique<Texture>(0, 0, 0);
    ASSERT_TRUE(white->LoadFromFile(WritePng("white.png", 1, 1, 4, {255, 255, 255, 255}).c_str()));
    sprite = std::make_unique<SpriteRenderer>(shader.get(), white.get(), 0, 0xFFFFFFFFu, 0.04167f, false, false);
  }
  void TearDown() override {
    input::Reset();
    sprite.reset();
    white.reset();
    shader.reset();
    RenderTest::TearDown();
  }
  bool Lit(int x, int y) { return Same(ReadPixel(x, y), 255, 255, 255); }

  std::unique_ptr<Shader> shader;
  std::unique_ptr<Texture> white;
  std::unique_ptr<SpriteRenderer> sprite;
};

TEST_F(PointerDrawTest, CursorFollowsTheInputLayerAndIsDrawnCentredOnIt) {
  Cursor cursor(sprite.get(), 4.0f);
  input::OnCursorPos(30, 140);  // from the top-left of the 320 x 180 window
  cursor.UpdateCursor(window);
  EXPECT_EQ(cursor.x, 30.0);
  EXPECT_EQ(cursor.y, 40.0);

  cursor.DrawCursor();
  EXPECT_TRUE(Lit(26, 36));
  EXPECT_TRUE(Lit(33, 43));
  EXPECT_FALSE(Lit(25, 40));
  EXPECT_FALSE(Lit(34, 40));

  input::OnCursorPos(400, -10);
  cursor.UpdateCursor(window);
  EXPECT_EQ(cursor.x, double(kWidth));
  EXPECT_EQ(cursor.y, double(kHeight));
}

TEST_F(PointerDrawTest, ButtonIsDrawnRelativeToTheWindowCentre) {
  Button next;
  next.SetButton(glm::vec2(40, -20), glm::vec2(10, 5), sprite.get());
  next.DrawButton(kWidth, kHeight);
  // Centre at (160 + 40, 90 - 20): pixels x 190..209, y 65..74.
  EXPECT_TRUE(Lit(190, 65));
  EXPECT_TRUE(Lit(209, 74));
  EXPECT_FALSE(Lit(189, 70));
  EXPECT_FALSE(Lit(210, 70));
  EXPECT_FALSE(Lit(200, 64));
  EXPECT_FALSE(Lit(200, 75));
}
