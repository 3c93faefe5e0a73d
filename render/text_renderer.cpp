#include "render/text_renderer.h"

#include <iostream>
#include <optional>
#include <utility>

#include <epoxy/gl.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "render/gl_context.h"
#include "render/shader.h"

namespace {

constexpr FT_UInt kPixelHeight = 48;
constexpr int kFirstCode = 0;
constexpr int kLastCode = 127;

// Rendered glyphs are stored top row first; their rows may be padded.
unsigned int UploadBitmap(const FT_Bitmap& bitmap) {
  glPixelStorei(GL_UNPACK_ROW_LENGTH, bitmap.pitch);
  unsigned int texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, static_cast<GLsizei>(bitmap.width),
               static_cast<GLsizei>(bitmap.rows), 0, GL_RED, GL_UNSIGNED_BYTE, bitmap.buffer);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return texture;
}

// True when every corner lies beyond the same clip plane, so the clipped quad is empty.
bool OutsideClipSpace(const glm::mat4& toClip, const GlyphQuad& quad) {
  constexpr int kCornerVertices[] = {0, 1, 2, 5};
  bool left = true, right = true, below = true, above = true;
  for (const int vertex : kCornerVertices) {
    const glm::vec4 p = toClip * glm::vec4(quad[vertex * kFloatsPerVertex], quad[vertex * kFloatsPerVertex + 1], 0, 1);
    left = left && p.x < -p.w;
    right = right && p.x > p.w;
    below = below && p.y < -p.w;
    above = above && p.y > p.w;
  }
  return left || right || below || above;
}

}  // namespace

GlyphQuadBuffers::GlyphQuadBuffers() {
  glGenVertexArrays(1, &vao_);
  glGenBuffers(1, &vbo_);
  glBindVertexArray(vao_);
  glBindBuffer(GL_ARRAY_BUFFER, vbo_);
  glBufferData(GL_ARRAY_BUFFER, sizeof(GlyphQuad), nullptr, GL_DYNAMIC_DRAW);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, kFloatsPerVertex, GL_FLOAT, GL_FALSE, kFloatsPerVertex * sizeof(float), nullptr);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindVertexArray(0);
}

GlyphQuadBuffers::~GlyphQuadBuffers() { Release(); }

GlyphQuadBuffers::GlyphQuadBuffers(GlyphQuadBuffers&& other) noexcept
    : vao_(std::exchange(other.vao_, 0)), vbo_(std::exchange(other.vbo_, 0)) {}

GlyphQuadBuffers& GlyphQuadBuffers::operator=(GlyphQuadBuffers&& other) noexcept {
  if (this != &other) {
    Release();
    vao_ = std::exchange(other.vao_, 0);
    vbo_ = std::exchange(other.vbo_, 0);
  }
  return *this;
}

void GlyphQuadBuffers::Upload(const GlyphQuad& quad) const {
  glBindVertexArray(vao_);
  glBindBuffer(GL_ARRAY_BUFFER, vbo_);
  glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(quad), quad.data());
}

void GlyphQuadBuffers::Release() {
  if (vao_ != 0 && GlContextIsCurrent()) {
    glDeleteBuffers(1, &vbo_);
    glDeleteVertexArrays(1, &vao_);
  }
  vao_ = vbo_ = 0;
}

TextRenderer::TextRenderer(const std::string&, const std::string&) {
  if (FT_Init_FreeType(&library)) {
    library = nullptr;
    std::cerr << "Could not init freetype library\n";
  }
}

TextRenderer::~TextRenderer() {
  if (GlContextIsCurrent())
    for (const auto& [name, glyphs] : fonts)
      for (const auto& [code, glyph] : glyphs) glDeleteTextures(1, &glyph.textureID);
  if (library) FT_Done_FreeType(library);
}

bool TextRenderer::LoadFont(const std::string& path, const std::string& name) {
  if (fonts.contains(name)) return true;
  FT_Face face = nullptr;
  if (!library || FT_New_Face(library, path.c_str(), 0, &face)) {
    std::cout << "ERROR::FREETYPE: Failed to load font" << std::endl << "  " << path << std::endl;
    return false;
  }
  FT_Set_Pixel_Sizes(face, 0, kPixelHeight);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

  GlyphMap glyphs;
  bool anyInk = false;
  for (int code = kFirstCode; code <= kLastCode; ++code) {
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER)) {
      std::cout << "ERROR::FREETYTPE: Failed to load Glyph" << std::endl;
      continue;
    }
    const FT_GlyphSlot slot = face->glyph;
    Glyph glyph;
    glyph.textureID = UploadBitmap(slot->bitmap);
    glyph.size = glm::ivec2(slot->bitmap.width, slot->bitmap.rows);
    glyph.bearing = glm::ivec2(slot->bitmap_left, slot->bitmap_top);
    glyph.advance = static_cast<unsigned int>(slot->advance.x);
    glyphs.emplace(static_cast<char>(code), glyph);
    anyInk = anyInk || glyph.size.y > 0;
  }
  FT_Done_Face(face);
  // FreeType reads a cut file's lost outlines as blank glyphs without a word.
  if (!anyInk) {
    for (const auto& [code, glyph] : glyphs) glDeleteTextures(1, &glyph.textureID);
    std::cout << "ERROR::FREETYPE: Failed to load font" << std::endl
              << "  " << path << " (no glyph has ink)" << std::endl;
    return false;
  }
  fonts.emplace(name, std::move(glyphs));
  return true;
}

void TextRenderer::RenderText(const std::string& text, float x, float y, float scale,
                              glm::vec3 colour, const std::string& name) {
  const auto font = fonts.find(name);
  if (font == fonts.end() || !shader) return;

  shader->Use();
  glUniform3f(glGetUniformLocation(shader->ID, "textColor"), colour.x, colour.y, colour.z);
  glActiveTexture(GL_TEXTURE0);
  // A glyph the projection puts wholly beyond one edge of clip space covers no
  // pixel: skipping it spares a draw call per character of an overlong line.
  std::optional<glm::mat4> toClip;
  if (const GLint at = glGetUniformLocation(shader->ID, "projection"); at >= 0) {
    toClip.emplace(1.0f);
    glGetUniformfv(shader->ID, at, &(*toClip)[0][0]);
  }
  LayoutText(font->second, text, x, y, scale, [this, &toClip](const Glyph& ch, const GlyphQuad& quad) {
    if (toClip && OutsideClipSpace(*toClip, quad)) return;
    quad_.Upload(quad);
    glBindTexture(GL_TEXTURE_2D, ch.textureID);
    glDrawArrays(GL_TRIANGLES, 0, kGlyphQuadVertices);
  });
}
