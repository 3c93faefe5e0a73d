#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// A picture stretched over the whole window changes no pixel where the texels
// it samples are fully transparent (blending them leaves the pixel as it was),
// and hides everything drawn before it where they are opaque. Drawing it, or
// what lies under it, only inside the rectangles that matter fills fewer
// pixels on a software rasteriser and leaves every pixel as it was.

// Window pixels from the bottom-left corner, as glScissor takes them.
struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Which texels count: those a picture draws (alpha above 0), or those through
// which what lies under it shows (alpha below 255).
enum class Texels { Drawn, SeeThrough };

// Rectangles of a W x H window, none overlapping, holding every pixel that
// samples a counted texel of an RGBA8 picture of texWidth x texHeight
// stretched over it (row 0 at the top), in bands of a few rows.
std::vector<PixelRect> CoverageOf(std::span<const std::uint8_t> rgba, int texWidth, int texHeight, Texels counted,
                                  int W, int H);

// Runs `draw` once clipped to each rectangle: the same pixels as one
// unclipped draw. With clipping off (SANDRIFT_DRAW_WHOLE set in the
// environment, or `ClipToCoverage` false) it runs once, unclipped.
void DrawWithin(const std::vector<PixelRect>& rects, const std::function<void()>& draw);
extern bool ClipToCoverage;

// An RGBA8 copy of a texture's image, read back from OpenGL.
std::vector<std::uint8_t> TexturePixels(unsigned int texture, int width, int height);
