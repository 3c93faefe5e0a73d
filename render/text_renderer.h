#pragma once

#include <map>
#include <string>

#include <glm/glm.hpp>

#include "render/glyph.h"

struct FT_LibraryRec_;
class Shader;

// Draws strings in window pixels with glyphs rasterised by FreeType at 48
// pixels, one textured quad per character.
class TextRenderer {
public:
  FT_LibraryRec_* library = nullptr;   // FreeType's FT_Library
  std::map<std::string, GlyphMap> fonts;
  Shader* shader = nullptr;            // the screen's "FontShader", not owned
  unsigned int VAO = 0;                // glyph quad from InitRenderData
  unsigned int VBO = 0;

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
};
