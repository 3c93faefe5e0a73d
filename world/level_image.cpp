#include "world/level_image.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <optional>

#include "world/world_random.h"

namespace world {
namespace {

constexpr std::size_t kHeaderBytes = 38;  // file header and the info fields read
// Where the fields read lie, in bytes from the start of the file.
constexpr std::size_t kPixelOffsetField = 10;
constexpr std::size_t kInfoSizeField = 14;
constexpr std::size_t kWidthField = 18;
constexpr std::size_t kHeightField = 22;
constexpr std::size_t kBitsField = 28;
constexpr std::size_t kCompressionField = 30;
constexpr std::uint32_t kMinInfoHeaderBytes = 40;  // BITMAPINFOHEADER and its successors
constexpr std::uint16_t kBitsPerPixel = 24;
constexpr std::uint64_t kBytesPerPixel = kBitsPerPixel / 8;  // blue, green, red
constexpr std::uint64_t kRowAlignment = 4;  // each row is padded to whole 32-bit words
constexpr std::uint32_t kNoCompression = 0;  // BI_RGB
constexpr int kDarkStoneOneIn = 10;
// Five times a level at the cell limit; a file larger than this is no level.
constexpr std::size_t kMaxFileBytes = 64u << 20;
constexpr std::size_t kReadChunkBytes = 1 << 16;  // a stack buffer's worth per fread

std::uint16_t ReadU16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t ReadU32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

struct ColourEntry {
  std::uint8_t r, g, b;
  Material material;  // CLEAR for markers
  std::vector<CellPos> PixelGrid::*markers;  // nullptr for materials and the player start
};

constexpr std::uint8_t kPlayerStartRed = 100;

const ColourEntry kColourTable[] = {
    {255, 255, 0, SAND, nullptr},
    {128, 128, 128, OBSIDIAN, nullptr},
    {0, 200, 200, ICE, nullptr},
    {255, 0, 0, LAVA, nullptr},
    {0, 0, 255, WATER, nullptr},
    {0, 0, 0, STONE, nullptr},
    {0, 100, 0, CLEAR, &PixelGrid::treasureMarkers},
    {255, 0, 255, CLEAR, &PixelGrid::healthMarkers},
    {51, 204, 255, CLEAR, &PixelGrid::batMarkers},
    {102, 102, 102, CLEAR, &PixelGrid::meleeMarkers},
    {102, 102, 153, CLEAR, &PixelGrid::rifleMarkers},
    {153, 102, 102, CLEAR, &PixelGrid::rocketMarkers},
    {102, 153, 102, CLEAR, &PixelGrid::gunnerMarkers},
};

void ApplyPixel(PixelGrid& grid, int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  grid.ClearCell(x, y);
  if (r == kPlayerStartRed && g == 0 && b == 0) {
    grid.playerSpawn = {x, y};
    grid.playerSpawnFound = true;
    return;
  }
  for (const ColourEntry& entry : kColourTable) {
    if (entry.r != r || entry.g != g || entry.b != b) continue;
    if (entry.markers) {
      (grid.*entry.markers).push_back({x, y});
    } else if (entry.material == STONE) {
      grid.SetCell(x, y, STONE, 0.0f, 0.0f, rand() % kDarkStoneOneIn == 0);
    } else {
      grid.SetCell(x, y, entry.material, 0.0f, 0.0f, false);
    }
    return;
  }
}

// Where the pixel rows lie, from a header that passed every check.
struct PixelLayout {
  std::uint32_t width, height;
  std::uint64_t offset, rowBytes, stride;
};

// The header's fields, as stored; nothing checked yet.
struct HeaderFields {
  std::uint32_t pixelOffset, infoSize;
  std::int32_t width, height;
  std::uint16_t bits;
  std::uint32_t compression;
};

HeaderFields ReadHeaderFields(std::span<const std::uint8_t> bytes) {
  return {ReadU32(bytes, kPixelOffsetField),
          ReadU32(bytes, kInfoSizeField),
          static_cast<std::int32_t>(ReadU32(bytes, kWidthField)),
          static_cast<std::int32_t>(ReadU32(bytes, kHeightField)),
          ReadU16(bytes, kBitsField),
          ReadU32(bytes, kCompressionField)};
}

bool CheckSignature(std::span<const std::uint8_t> bytes, std::string& error) {
  if (bytes.size() < kHeaderBytes) {
    error = "too short for a BMP header";
    return false;
  }
  if (bytes[0] != 'B' || bytes[1] != 'M') {
    error = "not a BMP file (no BM signature)";
    return false;
  }
  return true;
}

// The kinds of BMP a level may be: uncompressed 24-bit rows, bottom row first.
bool CheckFormat(const HeaderFields& header, std::string& error) {
  // Older headers (OS/2, 12 bytes) place width and height elsewhere.
  if (header.infoSize < kMinInfoHeaderBytes) {
    error = "unsupported BMP header of " + std::to_string(header.infoSize) + " bytes; save as a Windows BMP";
    return false;
  }
  if (header.bits != kBitsPerPixel) {
    error = std::to_string(header.bits) + " bits per pixel; levels must be 24-bit";
    return false;
  }
  if (header.compression != kNoCompression) {
    error = "compressed pixels; levels must be uncompressed";
    return false;
  }
  if (header.height < 0) {
    error = "rows stored top-down (negative height); save the level bottom-up";
    return false;
  }
  if (header.width <= 0 || header.height == 0) {
    error = "empty image (width " + std::to_string(header.width) + ", height " + std::to_string(header.height) +
            ")";
    return false;
  }
  return true;
}

bool CheckSize(std::uint32_t width, std::uint32_t height, std::string& error) {
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width > kMaxLevelSide || height > kMaxLevelSide) {
    error = "image too large: " + size + ", a side may be at most " + std::to_string(kMaxLevelSide) + " cells";
    return false;
  }
  const std::uint64_t cells = static_cast<std::uint64_t>(width) * height;
  if (cells > kMaxLevelCells) {
    error = "image too large: " + size + " is " + std::to_string(cells) + " cells, a level may have at most " +
            std::to_string(kMaxLevelCells);
    return false;
  }
  return true;
}

std::optional<PixelLayout> CheckHeader(std::span<const std::uint8_t> bytes, std::string& error) {
  if (!CheckSignature(bytes, error)) return std::nullopt;
  const HeaderFields header = ReadHeaderFields(bytes);
  if (!CheckFormat(header, error)) return std::nullopt;
  const auto width = static_cast<std::uint32_t>(header.width);
  const auto height = static_cast<std::uint32_t>(header.height);
  if (!CheckSize(width, height, error)) return std::nullopt;
  const std::uint64_t rowBytes = width * kBytesPerPixel;
  const std::uint64_t stride = (rowBytes + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
  return PixelLayout{width, height, header.pixelOffset, rowBytes, stride};
}

// Reads the file's first `limit` bytes; `whole` says whether that was all of it.
bool ReadFilePrefix(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes, bool& whole,
                    std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error = "cannot open the file";
    return false;
  }
  bytes.clear();
  whole = true;
  std::uint8_t chunk[kReadChunkBytes];
  std::size_t got;
  while ((got = std::fread(chunk, 1, std::min(sizeof chunk, limit + 1 - bytes.size()), file)) > 0) {
    if (bytes.size() + got > limit) {
      bytes.insert(bytes.end(), chunk, chunk + (limit - bytes.size()));
      whole = false;
      break;
    }
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    error = "cannot read the file";
    return false;
  }
  return true;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) {
  bool whole = false;
  if (!ReadFilePrefix(path, kMaxFileBytes, bytes, whole, error)) return false;
  if (!whole) {
    error = "file too large for a level";
    return false;
  }
  return true;
}

namespace {

// The file must hold every row up to the last one's pixels.
bool CheckPixelExtent(const PixelLayout& layout, std::size_t fileBytes, std::string& error) {
  // The last row's padding is not required: nothing reads it.
  const std::uint64_t pixelEnd = layout.offset + layout.stride * (layout.height - 1) + layout.rowBytes;
  if (pixelEnd > fileBytes) {
    error = "file truncated: the pixel rows need " + std::to_string(pixelEnd) + " bytes, the file has " +
            std::to_string(fileBytes);
    return false;
  }
  return true;
}

// A grid of the layout's size with room for its simulation window, or
// nullptr with the reason when memory runs out.
std::unique_ptr<PixelGrid> AllocateGrid(const PixelLayout& layout, float cellSize, std::string& error) {
  std::unique_ptr<PixelGrid> grid;
  try {
    grid = std::make_unique<PixelGrid>();
    grid->cells.resize(static_cast<std::size_t>(layout.width) * layout.height);
  } catch (const std::bad_alloc&) {
    error = "not enough memory for " + std::to_string(layout.width) + " x " + std::to_string(layout.height) +
            " cells";
    return nullptr;
  }
  grid->cellSize = cellSize;
  grid->width = layout.width;
  grid->height = layout.height;
  grid->gridScale = static_cast<float>(layout.width) / kViewCells;
  try {
    grid->PrepareStep();
  } catch (const std::bad_alloc&) {
    error = "not enough memory for the simulation window";
    return nullptr;
  }
  return grid;
}

// Dark stones draw from the world's generator, seeded here, in row order.
void FillCells(PixelGrid& grid, std::span<const std::uint8_t> bytes, const PixelLayout& layout) {
  srand(static_cast<unsigned>(Now()));
  for (std::uint32_t y = 0; y < layout.height; ++y) {
    const std::uint8_t* row = bytes.data() + layout.offset + layout.stride * y;
    for (std::uint32_t x = 0; x < layout.width; ++x) {
      const std::uint8_t* bgr = row + kBytesPerPixel * x;
      ApplyPixel(grid, static_cast<int>(x), static_cast<int>(y), bgr[2], bgr[1], bgr[0]);
    }
  }
}

}  // namespace

std::unique_ptr<PixelGrid> ParseLevelImage(std::span<const std::uint8_t> bytes, float cellSize,
                                           std::string& error) {
  const std::optional<PixelLayout> layout = CheckHeader(bytes, error);
  if (!layout || !CheckPixelExtent(*layout, bytes.size(), error)) return nullptr;
  std::unique_ptr<PixelGrid> grid = AllocateGrid(*layout, cellSize, error);
  if (grid) FillCells(*grid, bytes, *layout);
  return grid;
}

std::unique_ptr<PixelGrid> ReadLevelImage(const std::string& path, float cellSize, std::string& error) {
  std::vector<std::uint8_t> bytes;
  bool whole = false;
  if (!ReadFilePrefix(path, kHeaderBytes, bytes, whole, error) || !CheckHeader(bytes, error)) return nullptr;
  if (!ReadFileBytes(path, bytes, error)) return nullptr;
  return ParseLevelImage(bytes, cellSize, error);
}

std::unique_ptr<PixelGrid> LoadLevelImage(float cellSize, const std::string& path) {
  std::string error;
  std::unique_ptr<PixelGrid> grid = ReadLevelImage(path, cellSize, error);
  if (!grid) std::printf("Level image %s: %s\n", path.c_str(), error.c_str());
  return grid;
}

}  // namespace world
