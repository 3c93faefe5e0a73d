#include "render/glyph.h"

GlyphQuad PlaceGlyph(const Glyph& ch, float penX, float penY, float scale) {
  const float xpos = penX + static_cast<float>(ch.bearing.x) * scale;
  const float ypos = penY - static_cast<float>(ch.size.y - ch.bearing.y) * scale;
  const float w = static_cast<float>(ch.size.x) * scale;
  const float h = static_cast<float>(ch.size.y) * scale;
  return {
      xpos,     ypos + h, 0.0f, 0.0f,
      xpos,     ypos,     0.0f, 1.0f,
      xpos + w, ypos,     1.0f, 1.0f,
      xpos,     ypos + h, 0.0f, 0.0f,
      xpos + w, ypos,     1.0f, 1.0f,
      xpos + w, ypos + h, 1.0f, 0.0f,
  };
}

float PenAdvance(const Glyph& ch, float scale) { return static_cast<float>(ch.advance >> kSubpixelBits) * scale; }
