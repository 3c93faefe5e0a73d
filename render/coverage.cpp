#include "render/coverage.h"

#include <algorithm>
#include <cstdlib>

#include <epoxy/gl.h>

bool ClipToCoverage = std::getenv("SANDRIFT_DRAW_WHOLE") == nullptr;

namespace {

// Texel rows per band, and gaps narrower than this many texels are filled:
// a few rectangles cost less than many draws.
constexpr int kBandRows = 32;
constexpr int kJoinGap = 16;
constexpr std::size_t kTexelBytes = 4;  // RGBA
constexpr std::size_t kAlphaByte = 3;
constexpr std::uint8_t kOpaque = 255;

struct Run {
  int first, end;  // texel columns [first, end)
  friend bool operator==(const Run&, const Run&) = default;
};

}  // namespace

std::vector<PixelRect> CoverageOf(std::span<const std::uint8_t> rgba, int texWidth, int texHeight, Texels counted,
                                  int W, int H) {
  if (texWidth <= 0 || texHeight <= 0 || rgba.size() < static_cast<std::size_t>(texWidth) * texHeight * kTexelBytes)
    return {PixelRect{0, 0, W, H}};
  std::vector<PixelRect> rects;
  std::vector<char> marked(texWidth);
  std::vector<Run> previous;
  std::size_t previousFirstRect = 0;
  for (int top = 0; top < texHeight; top += kBandRows) {
    const int bottom = std::min(texHeight, top + kBandRows);
    // A texel more on every side: a pixel on a band's edge may sample its
    // neighbour. The rectangles themselves never overlap, so no pixel is
    // blended twice.
    std::fill(marked.begin(), marked.end(), 0);
    for (int row = std::max(0, top - 1); row < std::min(texHeight, bottom + 1); ++row) {
      const std::uint8_t* alpha = &rgba[static_cast<std::size_t>(row) * texWidth * kTexelBytes + kAlphaByte];
      for (int column = 0; column < texWidth; ++column, alpha += kTexelBytes)
        marked[column] |= counted == Texels::Drawn ? *alpha > 0 : *alpha < kOpaque;
    }
    std::vector<Run> runs;
    for (int column = 0; column < texWidth; ++column) {
      const bool near = marked[column] || (column > 0 && marked[column - 1]) ||
                        (column + 1 < texWidth && marked[column + 1]);
      if (!near) continue;
      if (!runs.empty() && column - runs.back().end < kJoinGap)
        runs.back().end = column + 1;
      else
        runs.push_back({column, column + 1});
    }
    const int low = H - bottom * H / texHeight, high = H - top * H / texHeight;  // window rows, from the bottom
    if (!runs.empty() && runs == previous) {
      for (std::size_t i = previousFirstRect; i < rects.size(); ++i) {
        rects[i].height += rects[i].y - low;
        rects[i].y = low;
      }
      continue;
    }
    previous = runs;
    previousFirstRect = rects.size();
    for (const Run& run : runs) {
      const int left = run.first * W / texWidth, right = run.end * W / texWidth;
      rects.push_back({left, low, right - left, high - low});
    }
  }
  return rects;
}

void DrawWithin(const std::vector<PixelRect>& rects, const std::function<void()>& draw) {
  if (!ClipToCoverage) {
    draw();
    return;
  }
  glEnable(GL_SCISSOR_TEST);
  for (const PixelRect& r : rects) {
    glScissor(r.x, r.y, r.width, r.height);
    draw();
  }
  glDisable(GL_SCISSOR_TEST);
}

std::vector<std::uint8_t> TexturePixels(unsigned int texture, int width, int height) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(std::max(width, 0)) * std::max(height, 0) * kTexelBytes);
  if (pixels.empty()) return pixels;
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}
