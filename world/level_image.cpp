#include "world/level_image.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <optional>

#include "world/world_random.h"

namespace world {
namespace {

constexpr std::size_t HeaderBytes = 38;  // file header and the info fields read
constexpr std::uint32_t MinInfoHeaderBytes = 40;  // BITMAPINFOHEADER and its successors
constexpr std::uint16_t BitsPerPixel = 24;
constexpr std::uint32_t NoCompression = 0;  // BI_RGB
constexpr int DarkStoneOneIn = 10;
// Five times a level at the cell limit; a file larger than this is no level.
constexpr std::size_t MaxFileBytes = 64u << 20;

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

constexpr std::uint8_t PlayerStartRed = 100;

const ColourEntry ColourTable[] = {
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
  if (r == PlayerStartRed && g == 0 && b == 0) {
    grid.playerSpawn = {x, y};
    grid.playerSpawnFound = true;
    return;
  }
  for (const ColourEntry& entry : ColourTable) {
    if (entry.r != r || entry.g != g || entry.b != b) continue;
    if (entry.markers) {
      (grid.*entry.markers).push_back({x, y});
    } else if (entry.material == STONE) {
      grid.SetCell(x, y, STONE, 0.0f, 0.0f, rand() % DarkStoneOneIn == 0);
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

std::optional<PixelLayout> CheckHeader(std::span<const std::uint8_t> bytes, std::string& error) {
  if (bytes.size() < HeaderBytes) {
    error = "too short for a BMP header";
    return std::nullopt;
  }
  if (bytes[0] != 'B' || bytes[1] != 'M') {
    error = "not a BMP file (no BM signature)";
    return std::nullopt;
  }
  const std::uint32_t pixelOffset = ReadU32(bytes, 10);
  const std::uint32_t infoSize = ReadU32(bytes, 14);
  const auto signedWidth = static_cast<std::int32_t>(ReadU32(bytes, 18));
  const auto signedHeight = static_cast<std::int32_t>(ReadU32(bytes, 22));
  const std::uint16_t bits = ReadU16(bytes, 28);
  const std::uint32_t compression = ReadU32(bytes, 30);
  // Older headers (OS/2, 12 bytes) place width and height elsewhere.
  if (infoSize < MinInfoHeaderBytes) {
    error = "unsupported BMP header of " + std::to_string(infoSize) + " bytes; save as a Windows BMP";
    return std::nullopt;
  }
  if (bits != BitsPerPixel) {
    error = std::to_string(bits) + " bits per pixel; levels must be 24-bit";
    return std::nullopt;
  }
  if (compression != NoCompression) {
    error = "compressed pixels; levels must be uncompressed";
    return std::nullopt;
  }
  if (signedHeight < 0) {
    error = "rows stored top-down (negative height); save the level bottom-up";
    return std::nullopt;
  }
  if (signedWidth <= 0 || signedHeight == 0) {
    error = "empty image (width " + std::to_string(signedWidth) + ", height " +
            std::to_string(signedHeight) + ")";
    return std::nullopt;
  }
  const auto width = static_cast<std::uint32_t>(signedWidth);
  const auto height = static_cast<std::uint32_t>(signedHeight);
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width > MaxLevelSide || height > MaxLevelSide) {
    error = "image too large: " + size + ", a side may be at most " + std::to_string(MaxLevelSide) + " cells";
    return std::nullopt;
  }
  const std::uint64_t cells = static_cast<std::uint64_t>(width) * height;
  if (cells > MaxLevelCells) {
    error = "image too large: " + size + " is " + std::to_string(cells) + " cells, a level may have at most " +
            std::to_string(MaxLevelCells);
    return std::nullopt;
  }
  const std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * 3;
  return PixelLayout{width, height, pixelOffset, rowBytes, (rowBytes + 3) / 4 * 4};
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
  std::uint8_t chunk[1 << 16];
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
  if (!ReadFilePrefix(path, MaxFileBytes, bytes, whole, error)) return false;
  if (!whole) {
    error = "file too large for a level";
    return false;
  }
  return true;
}

std::unique_ptr<PixelGrid> ParseLevelImage(std::span<const std::uint8_t> bytes, float cellSize,
                                           std::string& error) {
  const std::optional<PixelLayout> layout = CheckHeader(bytes, error);
  if (!layout) return nullptr;
  const auto [width, height, pixelOffset, rowBytes, stride] = *layout;
  // The last row's padding is not required: nothing reads it.
  const std::uint64_t pixelEnd = pixelOffset + stride * (height - 1) + rowBytes;
  if (pixelEnd > bytes.size()) {
    error = "file truncated: the pixel rows need " + std::to_string(pixelEnd) + " bytes, the file has " +
            std::to_string(bytes.size());
    return nullptr;
  }

  std::unique_ptr<PixelGrid> grid;
  try {
    grid = std::make_unique<PixelGrid>();
    grid->cells.resize(static_cast<std::size_t>(width) * height);
  } catch (const std::bad_alloc&) {
    error = "not enough memory for " + std::to_string(width) + " x " + std::to_string(height) + " cells";
    return nullptr;
  }
  grid->cellSize = cellSize;
  grid->width = width;
  grid->height = height;
  grid->gridScale = static_cast<float>(width) / ViewCells;
  try {
    grid->ReserveStepWindow();
  } catch (const std::bad_alloc&) {
    error = "not enough memory for the simulation window";
    return nullptr;
  }

  srand(static_cast<unsigned>(Now()));
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::uint8_t* row = bytes.data() + pixelOffset + stride * y;
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint8_t* bgr = row + 3 * x;
      ApplyPixel(*grid, static_cast<int>(x), static_cast<int>(y), bgr[2], bgr[1], bgr[0]);
    }
  }
  return grid;
}

std::unique_ptr<PixelGrid> ReadLevelImage(const std::string& path, float cellSize, std::string& error) {
  std::vector<std::uint8_t> bytes;
  bool whole = false;
  if (!ReadFilePrefix(path, HeaderBytes, bytes, whole, error) || !CheckHeader(bytes, error)) return nullptr;
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
