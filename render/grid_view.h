#pragma once

#include <cstdint>
#include <vector>

class Shader;
namespace world {
struct PixelGrid;
}

// The visible cells of a PixelGrid as one texture stretched over the window:
// one texel per cell, nearest filtering, so each cell is a sharp S x S square.
// Owns its GL texture: move-only.
class GridView {
 public:
  Shader* shader = nullptr;     // the grid program ("GridShader"), not owned
  unsigned int texWidth = 0;    // view size in cells
  unsigned int texHeight = 0;
  unsigned int quad = 0;        // the shared full-window quad (quadVAO)
  std::vector<std::uint8_t> initialPixels;  // RGBA8, opaque red until the first draw
  std::vector<std::uint8_t> stagingPixels;  // rewritten and uploaded every frame
  unsigned int texture = 0;

  GridView() = default;
  ~GridView();
  GridView(const GridView&) = delete;
  GridView& operator=(const GridView&) = delete;
  GridView(GridView&& other) noexcept;
  GridView& operator=(GridView&& other) noexcept;

  // Needs a current context and InitRenderData's shared quad.
  void CreateGridView(Shader* shader, unsigned int texWidth, unsigned int texHeight);
  // Draws the view whose bottom-left cell is the grid's viewOrigin, truncated
  // toward zero. Texels whose cell lies outside the grid are transparent.
  void DrawGrid(const world::PixelGrid& grid, Shader* override = nullptr);
  // DrawGrid in two halves: the staging pixels and the texture first, so that
  // a screen can see which cells are drawn before it draws what lies under them.
  void UploadGrid(const world::PixelGrid& grid);
  void DrawUploaded(Shader* override = nullptr) const;
  // Releases the pixel buffers and the texture.
  void FreeGridView();
};
