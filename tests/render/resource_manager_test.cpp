#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/resource_manager.h"
#include "render/text_renderer.h"
#include "tests/render/render_fixture.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

// Screens are static objects built before any window exists.
TEST(ResourceManagerWithoutContext, StartsEmptyAndThrowsOnUnknownNames) {
  ResourceManager resources;
  EXPECT_THROW(resources.GetShader("SpriteShader"), std::out_of_range);
  EXPECT_THROW(resources.GetTexture("CursorTexture"), std::out_of_range);
}

using ResourceManagerTest = RenderTest;

TEST_F(ResourceManagerTest, FirstLoadOfANameWins) {
  const std::string small = WritePng("small.png", 2, 2, 4, std::vector<std::uint8_t>(2 * 2 * 4, 255));
  const std::string wide = WritePng("wide.png", 8, 4, 4, std::vector<std::uint8_t>(8 * 4 * 4, 255));
  ResourceManager resources;

  resources.LoadTexture("Button_Cursor_Texture", small.c_str(), 0, 0, 0);
  Texture* first = resources.GetTexture("Button_Cursor_Texture");
  resources.LoadTexture("Button_Cursor_Texture", wide.c_str(), 4, 0, 0);

  EXPECT_EQ(resources.GetTexture("Button_Cursor_Texture"), first);
  EXPECT_EQ(first->width, 2u);
  EXPECT_EQ(first->height, 2u);
  EXPECT_EQ(first->frames, 0u);

  resources.LoadShader("FontShader", kFontVs, kFontFs, nullptr);
  Shader* shader = resources.GetShader("FontShader");
  CaptureStdout();
  resources.LoadShader("FontShader", "Shaders//gone.vs", "Shaders//gone.fs", nullptr);
  EXPECT_EQ(GetCapturedStdout(), "") << "a present name reads no file";
  EXPECT_EQ(resources.GetShader("FontShader"), shader);
}

TEST_F(ResourceManagerTest, NamesBelongToOneManager) {
  ResourceManager credits;
  ResourceManager victory;
  const std::string image = WritePng("a.png", 1, 1, 4, {1, 2, 3, 255});
  credits.LoadTexture("CursorTexture", image.c_str(), 0);
  EXPECT_NO_THROW(credits.GetTexture("CursorTexture"));
  EXPECT_THROW(victory.GetTexture("CursorTexture"), std::out_of_range);
  EXPECT_THROW(credits.GetTexture("cursortexture"), std::out_of_range);
}

TEST_F(ResourceManagerTest, UnloadableImagesAreNamedAndRegisteredEmpty) {
  const std::string missing = (scratch / "missing.png").string();
  const std::string garbage = WriteFile("garbage.png", "not a picture at all");
  ResourceManager resources;

  CaptureStdout();
  resources.LoadTexture("OverlayTexture", missing.c_str(), 0);
  const std::string missingOut = GetCapturedStdout();
  CaptureStdout();
  resources.LoadTexture("MenuTexture", garbage.c_str(), 0);
  const std::string garbageOut = GetCapturedStdout();

  EXPECT_EQ(missingOut, "ERROR::TEXTURE: Failed to load " + missing + ": can't fopen\n");
  EXPECT_EQ(garbageOut.rfind("ERROR::TEXTURE: Failed to load " + garbage + ": ", 0), 0u) << garbageOut;
  EXPECT_GT(garbageOut.size(), ("ERROR::TEXTURE: Failed to load " + garbage + ": \n").size())
      << "stb_image's reason is given";
  for (const char* name : {"OverlayTexture", "MenuTexture"}) {
    const Texture* texture = resources.GetTexture(name);
    EXPECT_EQ(texture->width, 0u) << name;
    EXPECT_EQ(texture->height, 0u) << name;
  }
}

TEST_F(ResourceManagerTest, ClearReleasesTheTexturesWhileTheContextLives) {
  const std::string image = WritePng("a.png", 1, 1, 4, {1, 2, 3, 255});
  ResourceManager resources;
  resources.LoadTexture("CursorTexture", image.c_str(), 0);
  const unsigned int id = resources.GetTexture("CursorTexture")->ID;
  ASSERT_TRUE(glIsTexture(id));

  resources.Clear();

  EXPECT_FALSE(glIsTexture(id));
  EXPECT_THROW(resources.GetTexture("CursorTexture"), std::out_of_range);
}

// Screens are static objects: their managers and the text renderer die after
// the window and its context are gone, and must make no GL call then.
class OutlivesTheContextTest : public RenderTest {
protected:
  ResourceManager resources;
  std::unique_ptr<TextRenderer> text;
};

TEST_F(OutlivesTheContextTest, ResourcesAreReleasedSafelyAfterTheWindow) {
  const std::string image = WritePng("a.png", 1, 1, 4, {1, 2, 3, 255});
  resources.LoadTexture("CursorTexture", image.c_str(), 0);
  resources.LoadShader("FontShader", kFontVs, kFontFs);
  text = std::make_unique<TextRenderer>(kFontVs, kFontFs);
  ASSERT_TRUE(text->LoadFont("Assets//threebyfive.ttf", "default"));
}
