#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "render/shader.h"
#include "tests/support/gl_context.h"

// A hidden GL window prepared the way every screen prepares it: the shared
// quads built, alpha blending on, and a scratch folder for the test's images.
class RenderTest : public GlTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a PNG of `channels` 8-bit channels, rows top first; returns its path.
  std::string WritePng(const std::string& name, int width, int height, int channels,
                       const std::vector<std::uint8_t>& pixels);
  std::string WriteFile(const std::string& name, const std::string& bytes);

  // The orthographic window matrix a screen's Load sets on its programs.
  void SetWindowProjection(const Shader& shader) const;

  static bool Same(Rgba pixel, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return pixel.r == r && pixel.g == g && pixel.b == b;
  }

  unsigned int glyphVAO = 0;
  unsigned int glyphVBO = 0;
  std::filesystem::path scratch;
};

constexpr const char* kSpriteVs = "Shaders//shader_sprite.vs";
constexpr const char* kSpriteFs = "Shaders//shader_sprite.fs";
constexpr const char* kTextureVs = "Shaders//shader_texture.vs";
constexpr const char* kTextureFs = "Shaders//shader_texture.fs";
constexpr const char* kFontVs = "Shaders//shader_font.vs";
constexpr const char* kFontFs = "Shaders//shader_font.fs";
