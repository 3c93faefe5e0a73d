#include <memory>

#include <gtest/gtest.h>

#include "render/shader.h"
#include "render/sprite_animation.h"
#include "render/sprite_renderer.h"
#include "render/texture.h"
#include "tests/render/render_fixture.h"

TEST(SpriteAnimation, LoopingSheetAdvancesOneFramePerCallAndWraps) {
  SpriteAnimation run{4, 0, 0.0f, 0.1f, true, false};
  const unsigned int expected[] = {1, 2, 3, 0, 1};
  for (unsigned int frame : expected) {
    run.Animate(0.25f);  // longer than two frame times: the surplus is dropped
    EXPECT_EQ(run.currentFrame, frame);
    EXPECT_EQ(run.frameTimer, 0.0f);
  }
}

TEST(SpriteAnimation, WaitsForAFullFrameTime) {
  SpriteAnimation run{4, 0, 0.0f, 0.1f, true, false};
  run.Animate(0.06f);
  EXPECT_EQ(run.currentFrame, 0u);
  run.Animate(0.06f);
  EXPECT_EQ(run.currentFrame, 1u);
}

TEST(SpriteAnimation, NonLoopingSheetStopsOnItsLastFrame) {
  SpriteAnimation explosion{9, 0, 0.0f, 0.05f, false, false};
  for (int change = 0; change < 8; ++change) explosion.Animate(0.05f);
  EXPECT_EQ(explosion.currentFrame, 8u);
  for (int more = 0; more < 5; ++more) explosion.Animate(0.05f);
  EXPECT_EQ(explosion.currentFrame, 8u);
  EXPECT_EQ(explosion.SheetIndex(), 9u) << "the last frame shows cell 0 of the sheet";
}

TEST(SpriteAnimation, PausedAndStillSpritesDoNotMove) {
  SpriteAnimation paused{4, 2, 0.03f, 0.1f, true, true};
  paused.Animate(1.0f);
  EXPECT_EQ(paused.currentFrame, 2u);
  EXPECT_EQ(paused.frameTimer, 0.03f);

  SpriteAnimation still{0, 0xFFFFFFFFu, 0.0f, 0.04167f, false, false};
  still.Animate(1.0f);
  EXPECT_EQ(still.currentFrame, 0xFFFFFFFFu);
  EXPECT_EQ(still.SheetIndex(), 0u);
}

TEST(SpriteAnimation, StartFrameMinusOneLoopsIntoFrameZero) {
  SpriteAnimation run{4, 0xFFFFFFFFu, 0.0f, 0.1f, true, false};
  run.Animate(0.1f);
  EXPECT_EQ(run.currentFrame, 0u);
}

class SpriteDrawTest : public RenderTest {
protected:
  void SetUp() override {
    RenderTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    shader = std::make_unique<Shader>(kSpriteVs, kSpriteFs);
    SetWindowProjection(*shader);
    // Left half red, right half green: shows turning and mirroring.
    halves = std::make_unique<Texture>(0, 0, 0);
    ASSERT_TRUE(halves->LoadFromFile(WritePng("halves.png", 2, 1, 4, {255, 0, 0, 255, 0, 255, 0, 255}).c_str()));
  }
  void TearDown() override {
    shader.reset();
    halves.reset();
    RenderTest::TearDown();
  }
  SpriteRenderer Still() { return SpriteRenderer(shader.get(), halves.get(), 0, 0xFFFFFFFFu, 0.04167f, false, false); }
  bool Drawn(int x, int y) { return !Same(ReadPixel(x, y), 0, 0, 0); }

  std::unique_ptr<Shader> shader;
  std::unique_ptr<Texture> halves;
};

TEST_F(SpriteDrawTest, SizeIsAHalfExtentAroundThePosition) {
  Still().DrawSprite(glm::vec2(0, 0), glm::vec2(100, 50), glm::vec2(16, 16), 0.0f);

  // Covers x 84 to 116 and y 34 to 66: pixels 84..115 and 34..65.
  for (int y : {34, 50, 65}) {
    EXPECT_TRUE(Drawn(84, y)) << y;
    EXPECT_TRUE(Drawn(115, y)) << y;
    EXPECT_FALSE(Drawn(83, y)) << y;
    EXPECT_FALSE(Drawn(116, y)) << y;
  }
  for (int x : {84, 100, 115}) {
    EXPECT_TRUE(Drawn(x, 34)) << x;
    EXPECT_TRUE(Drawn(x, 65)) << x;
    EXPECT_FALSE(Drawn(x, 33)) << x;
    EXPECT_FALSE(Drawn(x, 66)) << x;
  }
}

TEST_F(SpriteDrawTest, CameraIsTheWorldPointAtTheBottomLeft) {
  Still().DrawSprite(glm::vec2(50, 20), glm::vec2(100, 50), glm::vec2(16, 16), 0.0f);
  EXPECT_TRUE(Drawn(34, 14));
  EXPECT_TRUE(Drawn(65, 45));
  EXPECT_FALSE(Drawn(33, 30));
  EXPECT_FALSE(Drawn(66, 30));
  EXPECT_FALSE(Drawn(50, 46));
  EXPECT_FALSE(Drawn(100, 50));
}

TEST_F(SpriteDrawTest, PositiveRotationTurnsCounterClockwise) {
  Still().DrawSprite(glm::vec2(0, 0), glm::vec2(160, 90), glm::vec2(20, 10), 90.0f);
  // A quarter turn counter-clockwise takes the left (red) half to the bottom.
  EXPECT_TRUE(Same(ReadPixel(160, 75), 255, 0, 0));
  EXPECT_TRUE(Same(ReadPixel(160, 105), 0, 255, 0));
  EXPECT_FALSE(Drawn(175, 90));
  EXPECT_FALSE(Drawn(145, 90));
}

TEST_F(SpriteDrawTest, NegativeSizeMirrors) {
  Still().DrawSprite(glm::vec2(0, 0), glm::vec2(160, 90), glm::vec2(-20, 10), 0.0f);
  EXPECT_TRUE(Same(ReadPixel(150, 90), 0, 255, 0));
  EXPECT_TRUE(Same(ReadPixel(170, 90), 255, 0, 0));
}
