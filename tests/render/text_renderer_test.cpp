#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/glyph.h"
#include "render/shader.h"
#include "render/text_renderer.h"
#include "tests/render/render_fixture.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

struct Box {
  float left, right, bottom, top;
};

Box Bounds(const GlyphQuad& quad) {
  Box box{quad[0], quad[0], quad[1], quad[1]};
  for (int v = 0; v < 6; ++v) {
    box.left = std::min(box.left, quad[v * 4]);
    box.right = std::max(box.right, quad[v * 4]);
    box.bottom = std::min(box.bottom, quad[v * 4 + 1]);
    box.top = std::max(box.top, quad[v * 4 + 1]);
  }
  return box;
}

GlyphMap HandMadeFont() {
  GlyphMap glyphs;
  glyphs['A'] = Glyph{1, {30, 40}, {2, 40}, 32 * 64 + 63};  // a fraction short of 33 pixels
  glyphs['B'] = Glyph{2, {20, 40}, {4, 40}, 40 * 64};
  glyphs[' '] = Glyph{3, {0, 0}, {0, 0}, 24 * 64};
  glyphs['p'] = Glyph{4, {24, 48}, {0, 32}, 32 * 64};  // 16 pixels below the baseline
  return glyphs;
}

std::vector<Box> Layout(const GlyphMap& glyphs, const std::string& text, float x, float y, float scale) {
  std::vector<Box> boxes;
  LayoutText(glyphs, text, x, y, scale, [&](const Glyph&, const GlyphQuad& quad) { boxes.push_back(Bounds(quad)); });
  return boxes;
}

}  // namespace

TEST(GlyphLayout, PenAdvancesByWholeScaledPixels) {
  const std::vector<Box> boxes = Layout(HandMadeFont(), "AB", 10.0f, 100.0f, 2.0f);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].left, 10.0f + 2 * 2);
  EXPECT_EQ(boxes[0].right, 10.0f + 2 * 2 + 2 * 30);
  // B's pen stands at x + 2 * (advance of A >> 6): the 63/64 of A is dropped.
  EXPECT_EQ(boxes[1].left, 10.0f + 2 * 32 + 2 * 4);
}

TEST(GlyphLayout, QuadHangsFromTheBaselineByItsBearing) {
  const std::vector<Box> boxes = Layout(HandMadeFont(), "Ap", 0.0f, 100.0f, 1.0f);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].bottom, 100.0f);
  EXPECT_EQ(boxes[0].top, 140.0f);
  EXPECT_EQ(boxes[1].bottom, 100.0f - 16);
  EXPECT_EQ(boxes[1].top, 100.0f + 32);

  // The top of the bitmap (its first row) maps to v = 0.
  const GlyphQuad quad = PlaceGlyph(HandMadeFont().at('A'), 0.0f, 100.0f, 1.0f);
  for (int v = 0; v < 6; ++v) EXPECT_EQ(quad[v * 4 + 3], quad[v * 4 + 1] == 140.0f ? 0.0f : 1.0f) << v;
}

TEST(GlyphLayout, SpaceAdvancesAndMissingGlyphsAreSkipped) {
  const std::vector<Box> spaced = Layout(HandMadeFont(), "A B", 0.0f, 0.0f, 1.0f);
  ASSERT_EQ(spaced.size(), 3u);
  EXPECT_EQ(spaced[1].left, spaced[1].right) << "the space's quad is degenerate";
  EXPECT_EQ(spaced[2].left, 32.0f + 24.0f + 4.0f);

  // 0xE9 and 'Z' have no glyph: nothing is drawn for them and the pen stays.
  const std::vector<Box> skipped = Layout(HandMadeFont(), "A\xE9ZB", 0.0f, 0.0f, 1.0f);
  ASSERT_EQ(skipped.size(), 2u);
  EXPECT_EQ(skipped[1].left, 32.0f + 4.0f);
}

class TextRendererTest : public RenderTest {
protected:
  static constexpr const char* kFont = "Assets//threebyfive.ttf";

  void SetUp() override {
    RenderTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(std::filesystem::exists(kFont));
    fontShader = std::make_unique<Shader>(kFontVs, kFontFs);
    SetWindowProjection(*fontShader);
    text = std::make_unique<TextRenderer>(kFontVs, kFontFs);
    text->VAO = glyphVAO;
    text->VBO = glyphVBO;
    text->shader = fontShader.get();
    CaptureStdout();
    const bool loaded = text->LoadFont(kFont, "default");
    ASSERT_EQ(GetCapturedStdout(), "");
    ASSERT_TRUE(loaded);
  }
  void TearDown() override {
    text.reset();
    fontShader.reset();
    RenderTest::TearDown();
  }
  void Clear() {
    glClear(GL_COLOR_BUFFER_BIT);
  }
  bool Blank() {
    const std::vector<std::uint8_t> pixels = ReadFramebuffer();
    return std::all_of(pixels.begin(), pixels.end(), [n = 0](std::uint8_t value) mutable {
      return n++ % 4 == 3 || value == 0;
    });
  }
  // Lowest and highest rows with any lit pixel, or {-1, -1}.
  std::pair<int, int> LitRows() {
    const std::vector<std::uint8_t> pixels = ReadFramebuffer();
    int low = -1, high = -1;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (pixels[(y * kWidth + x) * 4] != 0) {
          if (low < 0) low = y;
          high = y;
        }
    return {low, high};
  }
  int LitInRow(int y) {
    int lit = 0;
    for (int x = 0; x < kWidth; ++x) lit += ReadPixel(x, y).r != 0;
    return lit;
  }
  const Glyph& GlyphOf(char c) { return text->fonts.at("default").at(c); }

  std::unique_ptr<Shader> fontShader;
  std::unique_ptr<TextRenderer> text;
};

TEST_F(TextRendererTest, DrawsEachCharacterAtThePenAsItAdvances) {
  const glm::vec3 white(255, 255, 255);  // components above 1 saturate
  text->RenderText("AB", 10.0f, 60.0f, 2.0f, white, "default");
  const std::vector<std::uint8_t> together = ReadFramebuffer();
  ASSERT_FALSE(Blank());

  Clear();
  text->RenderText("A", 10.0f, 60.0f, 2.0f, white, "default");
  text->RenderText("B", 10.0f + 2.0f * float(GlyphOf('A').advance >> 6), 60.0f, 2.0f, white, "default");
  EXPECT_TRUE(ReadFramebuffer() == together);

  Clear();
  text->RenderText("A\xE9\x80" "B", 10.0f, 60.0f, 2.0f, white, "default");
  EXPECT_TRUE(ReadFramebuffer() == together) << "characters above 127 are skipped";
}

TEST_F(TextRendererTest, TextSitsOnItsBaselineWithDescendersBelow) {
  const Glyph& capital = GlyphOf('A');
  ASSERT_EQ(capital.bearing.y, capital.size.y) << "a capital has no descender";
  text->RenderText("A", 20.0f, 40.0f, 1.0f, glm::vec3(1, 1, 1), "default");
  EXPECT_EQ(LitRows(), std::make_pair(40, 40 + capital.size.y - 1));

  Clear();
  const Glyph& p = GlyphOf('p');
  ASSERT_GT(p.size.y, p.bearing.y) << "the font's p has a descender";
  text->RenderText("p", 20.0f, 40.0f, 1.0f, glm::vec3(1, 1, 1), "default");
  EXPECT_EQ(LitRows().first, 40 - (p.size.y - p.bearing.y));

  // Upright: a T's bar is its top row.
  Clear();
  text->RenderText("T", 20.0f, 40.0f, 1.0f, glm::vec3(1, 1, 1), "default");
  const auto [bottom, top] = LitRows();
  EXPECT_GT(LitInRow(top), 2 * LitInRow(bottom));
}

TEST_F(TextRendererTest, ColourIsPassedUnchanged) {
  text->RenderText("H", 20.0f, 40.0f, 1.0f, glm::vec3(1.0f, 0.0f, 0.6f), "default");
  const std::vector<std::uint8_t> pixels = ReadFramebuffer();
  bool fullyCovered = false;
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    EXPECT_EQ(pixels[i + 1], 0);
    EXPECT_LE(pixels[i + 2], pixels[i]);
    fullyCovered = fullyCovered || (pixels[i] == 255 && pixels[i + 2] == 153);
  }
  EXPECT_TRUE(fullyCovered);
}

TEST_F(TextRendererTest, NothingIsDrawnWithoutGlyphsToDraw) {
  text->RenderText("", 20.0f, 40.0f, 1.0f, glm::vec3(1, 1, 1), "default");
  text->RenderText("HELLO", 20.0f, 40.0f, 1.0f, glm::vec3(1, 1, 1), "never loaded");
  text->RenderText("\xC3\xA9\xFF", 20.0f, 40.0f, 1.0f, glm::vec3(1, 1, 1), "default");
  EXPECT_TRUE(Blank());
}

TEST_F(TextRendererTest, MissingFontIsReportedAndNotRegistered) {
  CaptureStdout();
  EXPECT_FALSE(text->LoadFont("Assets//no_such_font.ttf", "other"));
  EXPECT_EQ(GetCapturedStdout(), "ERROR::FREETYPE: Failed to load font\n  Assets//no_such_font.ttf\n");
  EXPECT_FALSE(text->fonts.contains("other"));
}

TEST_F(TextRendererTest, FirstFontLoadedUnderANameStays) {
  const unsigned int firstA = GlyphOf('A').textureID;
  CaptureStdout();
  EXPECT_TRUE(text->LoadFont("Assets//no_such_font.ttf", "default"));
  EXPECT_EQ(GetCapturedStdout(), "") << "a name already loaded opens no file";
  EXPECT_EQ(GlyphOf('A').textureID, firstA);
  EXPECT_EQ(text->fonts.at("default").size(), 128u);
}
