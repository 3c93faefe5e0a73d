#pragma once

#include <map>
#include <string>

#include <glm/glm.hpp>

#include "render/glyph.h"

struct FT_LibraryRec_;
class Shader;

// The vertex array and 96-byte buffer one glyph quad at a time is drawn from.
// Made with a current context; move-only, deleted while a context is current.
class GlyphQuadBuffers {
 public:
  GlyphQuadBuffers();
  ~GlyphQuadBuffers();
  GlyphQuadBuffers(GlyphQuadBuffers&& other) noexcept;
  GlyphQuadBuffers& operator=(GlyphQuadBuffers&& other) noexcept;

  unsigned int VertexArray() const { return vao_; }
  // Binds the array and uploads `quad` for the next draw.
  void Upload(const GlyphQuad& quad) const;

 private:
  void Release();
  unsigned int vao_ = 0;
  unsigned int vbo_ = 0;
};

// Draws strings in window pixels with glyphs rasterised by FreeType at 48
// pixels, one textured quad per character. Needs a current context.
class TextRenderer {
 public:
  FT_LibraryRec_* library = nullptr;   // FreeType's FT_Library
  std::map<std::string, GlyphMap> fonts;
  Shader* shader = nullptr;            // the screen's "FontShader", not owned

  // The paths are not used: the font program arrives later through `shader`.
  TextRenderer(const std::string& vertexPath, const std::string& fragmentPath);
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  // Rasterises character codes 0-127 under `name`. A name already loaded keeps
  // its first font. Returns whether `name` now holds a font.
  bool LoadFont(const std::string& path, const std::string& name);

  // Draws `text` with the left end of its baseline at (x, y), window pixels from
  // the bottom-left. `colour` goes to "textColor" unchanged.
  void RenderText(const std::string& text, float x, float y, float scale, glm::vec3 colour,
                  const std::string& name = "default");

 private:
  GlyphQuadBuffers quad_;
};
