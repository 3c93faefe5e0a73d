#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>
#include <stb_image_write.h>

#include "render/resource_manager.h"
#include "render/sprite_renderer.h"
#include "render/texture.h"
#include "tests/support/gl_context.h"

constexpr const char* kSpriteVs = "Shaders//shader_sprite.vs";
constexpr const char* kSpriteFs = "Shaders//shader_sprite.fs";
constexpr const char* kFontVs = "Shaders//shader_font.vs";
constexpr const char* kFontFs = "Shaders//shader_font.fs";
constexpr const char* kFont = "Assets//threebyfive.ttf";
// Left half red, right half green: shows turning and mirroring.
inline const std::vector<std::uint8_t> kHalves = {255, 0, 0, 255, 0, 255, 0, 255};

// A hidden GL window prepared the way every screen prepares it: the shared
// quads built, alpha blending on, the sprite program given the window matrix,
// and a scratch folder for the test's files.
class RenderTest : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    InitRenderData();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    testing::internal::CaptureStdout();
    resources.LoadShader("SpriteShader", kSpriteVs, kSpriteFs);
    ASSERT_EQ(testing::internal::GetCapturedStdout(), "") << "the shipped program builds silently";
    sprite = resources.GetShader("SpriteShader");
    SetWindowProjection(*sprite);
    std::string pattern = (std::filesystem::temp_directory_path() / "sandrift_render_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    scratch = pattern;
  }
  void TearDown() override {
    if (!scratch.empty()) std::filesystem::remove_all(scratch);
    GlTest::TearDown();
    // A screen's statics are released after its window is gone: no GL call may
    // reach the driver then, so any that is made here is counted instead.
    const auto deleteTextures = std::exchange(epoxy_glDeleteTextures, [](GLsizei, const GLuint*) { ++lateGlCalls; });
    const auto deleteProgram = std::exchange(epoxy_glDeleteProgram, [](GLuint) { ++lateGlCalls; });
    const auto deleteBuffers = std::exchange(epoxy_glDeleteBuffers, [](GLsizei, const GLuint*) { ++lateGlCalls; });
    const auto deleteArrays = std::exchange(epoxy_glDeleteVertexArrays, [](GLsizei, const GLuint*) { ++lateGlCalls; });
    lateGlCalls = 0;
    ReleaseAfterTheWindow();
    epoxy_glDeleteTextures = deleteTextures;
    epoxy_glDeleteProgram = deleteProgram;
    epoxy_glDeleteBuffers = deleteBuffers;
    epoxy_glDeleteVertexArrays = deleteArrays;
    EXPECT_EQ(lateGlCalls, 0) << "GL calls after the context was gone";
  }
  virtual void ReleaseAfterTheWindow() { resources.Clear(); }
  static inline int lateGlCalls = 0;

  std::string WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream((scratch / name).string(), std::ios::binary) << bytes;
    return (scratch / name).string();
  }
  // `channels` 8-bit channels, rows top first.
  std::string WritePng(int width, int height, int channels, const std::vector<std::uint8_t>& pixels) {
    const std::string path = (scratch / ("image" + std::to_string(files++) + ".png")).string();
    EXPECT_NE(stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels), 0);
    return path;
  }
  Texture* LoadPng(int width, int height, int channels, const std::vector<std::uint8_t>& pixels,
                   unsigned int frames = 0) {
    const std::string path = WritePng(width, height, channels, pixels);
    resources.LoadTexture(path, path.c_str(), frames);
    EXPECT_EQ(resources.GetTexture(path)->width, unsigned(width));
    return resources.GetTexture(path);
  }
  // The orthographic window matrix a screen's Load sets on its programs.
  void SetWindowProjection(const Shader& shader) const {
    shader.Use();
    shader.SetMatrix4("projection", glm::ortho(0.0f, float(kWidth), 0.0f, float(kHeight)));
  }
  void DrawStill(Texture& texture, glm::vec2 camera, glm::vec2 position, glm::vec2 size, float rotation = 0.0f) {
    SpriteRenderer(sprite, &texture, 0, 0xFFFFFFFFu, 0.04167f, false, false)
        .DrawSprite(camera, position, size, rotation);
  }
  // Exactly the pixels [left, right] x [bottom, top] are drawn: the corners
  // are, their neighbours outside are not.
  void ExpectDrawnBox(int left, int bottom, int right, int top) const {
    for (int x : {left, right})
      for (int y : {bottom, top}) {
        EXPECT_TRUE(Drawn(x, y)) << "corner " << x << "," << y;
        EXPECT_FALSE(Drawn(x == left ? x - 1 : x + 1, y)) << "beside " << x << "," << y;
        EXPECT_FALSE(Drawn(x, y == bottom ? y - 1 : y + 1)) << "beyond " << x << "," << y;
      }
  }
  static std::tuple<int, int, int> Rgb(Rgba pixel) { return {pixel.r, pixel.g, pixel.b}; }
  bool Drawn(int x, int y) const { return Rgb(ReadPixel(x, y)) != std::tuple(0, 0, 0); }

  std::filesystem::path scratch;
  int files = 0;
  ResourceManager resources;
  Shader* sprite = nullptr;
};
