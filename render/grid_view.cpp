#include "render/grid_view.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <utility>

#include <epoxy/gl.h>
#include <glm/glm.hpp>

#include "render/gl_context.h"
#include "render/shader.h"
#include "render/sprite_renderer.h"
#include "world/pixel_grid.h"

namespace {

constexpr std::uint8_t kMissingCell[4] = {255, 0, 0, 255};  // red until the first draw: never meant to show
constexpr float kBorderColour[4] = {0.0f, 1.0f, 1.0f, 1.0f};
constexpr int kQuadIndexCount = 6;
constexpr std::size_t kTexelBytes = 4;  // RGBA, as a cell's colour holds them
static_assert(sizeof(world::Rgba) == kTexelBytes);

void ClearTexels(std::uint8_t* row, long long first, long long last) {
  if (first < last) std::memset(row + first * kTexelBytes, 0, static_cast<std::size_t>(last - first) * kTexelBytes);
}

}  // namespace

GridView::~GridView() { FreeGridView(); }

GridView::GridView(GridView&& other) noexcept { *this = std::move(other); }

GridView& GridView::operator=(GridView&& other) noexcept {
  if (this != &other) {
    FreeGridView();
    shader = other.shader;
    texWidth = other.texWidth;
    texHeight = other.texHeight;
    quad = other.quad;
    initialPixels = std::move(other.initialPixels);
    stagingPixels = std::move(other.stagingPixels);
    texture = std::exchange(other.texture, 0);
  }
  return *this;
}

void GridView::CreateGridView(Shader* shader_, unsigned int texWidth_, unsigned int texHeight_) {
  FreeGridView();
  shader = shader_;
  texWidth = texWidth_;
  texHeight = texHeight_;
  quad = quadVAO;

  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
  glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, kBorderColour);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);

  const std::size_t texels = static_cast<std::size_t>(texWidth) * texHeight;
  initialPixels.resize(texels * kTexelBytes);
  for (std::size_t i = 0; i < texels; ++i) std::memcpy(&initialPixels[i * kTexelBytes], kMissingCell, kTexelBytes);
  stagingPixels = initialPixels;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);  // RGBA rows are always whole words
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(texWidth), static_cast<GLsizei>(texHeight), 0,
               GL_RGBA, GL_UNSIGNED_BYTE, initialPixels.data());
}

void GridView::DrawGrid(const world::PixelGrid& grid, Shader* override) {
  UploadGrid(grid);
  DrawUploaded(override);
}

void GridView::UploadGrid(const world::PixelGrid& grid) {
  assert(texture != 0 && "UploadGrid before CreateGridView");
  // Texture row 0 is the top of the window, so view row j goes to texel row
  // texHeight - 1 - j: cell row oy ends up at the bottom.
  const long long ox = world::TruncateToCell(grid.viewOrigin.x);
  const long long oy = world::TruncateToCell(grid.viewOrigin.y);
  const long long firstColumn = std::clamp(-ox, 0ll, static_cast<long long>(texWidth));
  const long long lastColumn =
      std::clamp(static_cast<long long>(grid.width) - ox, firstColumn, static_cast<long long>(texWidth));
  for (long long j = 0; j < texHeight; ++j) {
    std::uint8_t* row = &stagingPixels[(texHeight - 1 - j) * texWidth * kTexelBytes];
    const long long y = oy + j;
    if (y < 0 || y >= grid.height) {
      ClearTexels(row, 0, texWidth);
      continue;
    }
    // Beyond the grid's sides nothing is drawn, so the backdrop shows there
    // instead of whatever these texels held when the view was elsewhere.
    ClearTexels(row, 0, firstColumn);
    ClearTexels(row, lastColumn, texWidth);
    if (firstColumn == lastColumn) continue;
    const world::Cell* cell = &grid.At(static_cast<int>(ox + firstColumn), static_cast<int>(y));
    for (long long i = firstColumn; i < lastColumn; ++i, ++cell) {
      std::memcpy(&row[i * kTexelBytes], &cell->colour, kTexelBytes);
    }
  }

  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, static_cast<GLsizei>(texWidth), static_cast<GLsizei>(texHeight),
                  GL_RGBA, GL_UNSIGNED_BYTE, stagingPixels.data());
}

void GridView::DrawUploaded(Shader* override) const {
  Shader* program = override ? override : shader;
  assert(program && texture != 0 && "DrawUploaded before CreateGridView");
  program->Use();
  program->SetMatrix4("model", glm::mat4(1.0f));
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, texture);
  program->SetInteger("texture", 0);
  glBindVertexArray(quad);
  glDrawElements(GL_TRIANGLES, kQuadIndexCount, GL_UNSIGNED_INT, nullptr);
  glBindVertexArray(0);
}

void GridView::FreeGridView() {
  std::vector<std::uint8_t>().swap(initialPixels);
  std::vector<std::uint8_t>().swap(stagingPixels);
  if (texture != 0 && GlContextIsCurrent()) glDeleteTextures(1, &texture);
  texture = 0;
}
