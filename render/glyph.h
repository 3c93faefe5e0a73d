#pragma once

#include <array>
#include <map>
#include <string_view>

#include <glm/glm.hpp>

// One rasterised character of a font.
struct Glyph {
  unsigned int textureID = 0;     // coverage bitmap in the red channel
  glm::ivec2 size{0, 0};          // bitmap width and rows, pixels
  glm::ivec2 bearing{0, 0};       // pen to bitmap left edge; baseline up to top row
  unsigned int advance = 0;       // 26.6 fixed point (1/64 pixel)
};

inline constexpr int kSubpixelBits = 6;  // an advance's fraction of a pixel: 1/64

// Keyed by signed character code: codes 128-255 never have an entry.
using GlyphMap = std::map<char, Glyph>;

// Six (x, y, u, v) vertices, two triangles, top row at v = 0.
inline constexpr int kGlyphQuadVertices = 6;
inline constexpr int kFloatsPerVertex = 4;
using GlyphQuad = std::array<float, kGlyphQuadVertices * kFloatsPerVertex>;

// The glyph's quad when the pen stands at (penX, penY) on the baseline.
GlyphQuad PlaceGlyph(const Glyph& ch, float penX, float penY, float scale);

// Whole pixels only: the 1/64 fractions of each advance are dropped before scaling.
float PenAdvance(const Glyph& ch, float scale);

// Lays out `text` from the left end of its baseline, calling draw(glyph, quad)
// for each character in order. Characters without a glyph are skipped and do
// not move the pen.
template <typename Draw>
void LayoutText(const GlyphMap& glyphs, std::string_view text, float x, float y, float scale,
                Draw&& draw) {
  for (const char c : text) {
    const auto found = glyphs.find(c);
    if (found == glyphs.end()) continue;
    draw(found->second, PlaceGlyph(found->second, x, y, scale));
    x += PenAdvance(found->second, scale);
  }
}
