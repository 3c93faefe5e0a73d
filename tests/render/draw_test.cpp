#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "render/button.h"
#include "render/cursor.h"
#include "game/sprite_animation.h"
#include "tests/render/render_fixture.h"

TEST(SpriteAnimation, AdvancesAtMostOneFramePerFrameTime) {
  // `frames`: the frame after each step.
  struct Case { const char* what; SpriteAnimation start; std::vector<float> steps; std::vector<unsigned> frames; };
  const Case cases[] = {
      {"loops, drops surplus time", {4, 0, 0.0f, 0.1f, true, false}, {.25f, .06f, .06f, .25f, .25f}, {1, 1, 2, 3, 0}},
      {"one-shot stops on its last frame", {3, 0, 0.0f, 0.05f, false, false}, {0.05f, 0.05f, 0.05f}, {1, 2, 2}},
      {"paused", {4, 2, 0.03f, 0.1f, true, true}, {1.0f}, {2}},
      {"still", {0, 0xFFFFFFFFu, 0.0f, 0.04167f, false, false}, {1.0f}, {0xFFFFFFFFu}},
      {"start frame -1 loops into frame 0", {4, 0xFFFFFFFFu, 0.0f, 0.1f, true, false}, {0.1f}, {0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SpriteAnimation animation = c.start;
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      animation.Animate(c.steps[i]);
      EXPECT_EQ(animation.currentFrame, c.frames[i]) << "after step " << i;
    }
  }
}

TEST_F(RenderTest, SizeIsAHalfExtentTurnedAndMirroredAboutThePosition) {
  // The drawn pixels, and a pixel in each half of the image.
  struct Case { glm::vec2 camera, at, size; float rotation; int left, bottom, right, top; glm::ivec2 red, green; };
  const Case cases[] = {
      {{0, 0}, {100, 50}, {16, 16}, 0.0f, 84, 34, 115, 65, {90, 50}, {110, 50}},
      {{50, 20}, {100, 50}, {16, 16}, 0.0f, 34, 14, 65, 45, {40, 30}, {60, 30}},  // camera at the bottom-left
      {{0, 0}, {160, 90}, {20, 10}, 90.0f, 150, 70, 169, 109, {160, 75}, {160, 105}},  // counter-clockwise
      {{0, 0}, {160, 90}, {-20, 10}, 0.0f, 140, 80, 179, 99, {170, 90}, {150, 90}},
  };
  const auto halves = LoadPng(2, 1, 4, kHalves);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "camera " << c.camera.x << " size " << c.size.x << " rotation " << c.rotation);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawStill(*halves, c.camera, c.at, c.size, c.rotation);
    ExpectDrawnBox(c.left, c.bottom, c.right, c.top);
    EXPECT_EQ(Rgb(ReadPixel(c.red.x, c.red.y)), std::tuple(255, 0, 0));
    EXPECT_EQ(Rgb(ReadPixel(c.green.x, c.green.y)), std::tuple(0, 255, 0));
  }
}

TEST_F(RenderTest, NearestFilteringScalesTexelsToHardBlocks) {
  // Every texel of a 16 x 16 image has its own colour: red from x, green from y.
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) pixels.insert(pixels.end(), {std::uint8_t(x * 16), std::uint8_t(y * 16), 77, 255});
  const auto grid = LoadPng(16, 16, 4, pixels);
  DrawStill(*grid, glm::vec2(0), glm::vec2(160, 90), glm::vec2(32, 32));  // 64 x 64 pixels from (128, 58)

  for (int py = 58; py < 122; ++py)
    for (int px = 128; px < 192; ++px)  // 4 x 4 pixels per texel; the first image row is the top
      ASSERT_EQ(Rgb(ReadPixel(px, py)), std::tuple((px - 128) / 4 * 16, (121 - py) / 4 * 16, 77)) << px << "," << py;
}

TEST_F(RenderTest, RgbImageIsOpaqueAndTransparentTexelsShowWhatIsBehind) {
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  DrawStill(*LoadPng(1, 1, 3, {200, 10, 20}), glm::vec2(0), glm::vec2(60, 90), glm::vec2(10, 10));
  DrawStill(*LoadPng(2, 1, 4, {0, 255, 0, 0, 0, 255, 0, 255}), glm::vec2(0), glm::vec2(200, 90), glm::vec2(20, 10));

  EXPECT_EQ(Rgb(ReadPixel(60, 90)), std::tuple(200, 10, 20));
  EXPECT_EQ(Rgb(ReadPixel(190, 90)), std::tuple(0, 0, 255)) << "alpha 0 left half";
  EXPECT_EQ(Rgb(ReadPixel(210, 90)), std::tuple(0, 255, 0));
}

TEST_F(RenderTest, SheetShowsTheCellAfterTheCurrentFrameWrappingToCellZero) {
  const std::uint8_t cells[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
  std::vector<std::uint8_t> pixels;  // 4 cells of 2 x 2 side by side
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 8; ++x) pixels.insert(pixels.end(), {cells[x / 2][0], cells[x / 2][1], cells[x / 2][2], 255});
  const auto sheet = LoadPng(8, 2, 4, pixels, 4);
  SpriteRenderer smoke(sprite, sheet, 4, 0, 0.1f, true, false);

  for (unsigned int frame = 0; frame < 4; ++frame) {
    smoke.currentFrame = frame;
    smoke.DrawSprite(glm::vec2(0.0f), glm::vec2(40.0f + 60.0f * frame, 90.0f), glm::vec2(20, 20), 0.0f);
    const auto& want = cells[(frame + 1) % 4];
    for (int dx : {-19, 0, 19})
      for (int dy : {-19, 0, 19})
        EXPECT_EQ(Rgb(ReadPixel(40 + 60 * frame + dx, 90 + dy)), Rgb(Rgba{want[0], want[1], want[2], 255}))
            << "frame " << frame << " at offset " << dx << "," << dy;
  }

  // An image that is no sheet shows whole whatever frame its sprite is on.
  const auto still = LoadPng(2, 1, 4, kHalves);
  SpriteRenderer(sprite, still, 4, 2, 0.1f, true, false)
      .DrawSprite(glm::vec2(0.0f), glm::vec2(160, 150), glm::vec2(40, 20), 0.0f);
  EXPECT_EQ(Rgb(ReadPixel(121, 150)), std::tuple(255, 0, 0));
  EXPECT_EQ(Rgb(ReadPixel(198, 150)), std::tuple(0, 255, 0));
}

TEST_F(RenderTest, CursorFollowsTheMouseOnTheWindowAndButtonsSitAboutTheCentre) {
  const auto white = LoadPng(1, 1, 4, {255, 255, 255, 255});
  SpriteRenderer image(sprite, white, 0, 0xFFFFFFFFu, 0.04167f, false, false);
  Cursor cursor(&image, 4.0f);
  // The mouse from the top-left of the 320 x 180 window; the cursor from the
  // bottom-left, kept on the window.
  const struct { double rawX, rawY, x, y; } moves[] = {{-20, 200, 0, 0}, {400, -10, 320, 180}, {30, 140, 30, 40}};
  for (const auto& m : moves) {
    cursor.SetFromMouse(m.rawX, m.rawY, kWidth, kHeight);
    EXPECT_EQ(std::tuple(cursor.x, cursor.y), std::tuple(m.x, m.y)) << m.rawX << ", " << m.rawY;
  }
  cursor.DrawCursor();
  ExpectDrawnBox(26, 36, 33, 43);

  glClear(GL_COLOR_BUFFER_BIT);
  Button next;
  next.SetButton(glm::vec2(40, -20), glm::vec2(10, 5), &image);
  next.DrawButton(kWidth, kHeight);
  ExpectDrawnBox(190, 65, 209, 74);  // centred on (160 + 40, 90 - 20)
}
