#include <algorithm>
#include <cmath>
#include <cstdint>

#include "game/cells.h"
#include "game/game_object.h"

// Movement against the cell grid: objects sample a few cells around them
// instead of colliding with exact shapes.
namespace game {

using world::CLEAR;
using world::IsSolid;
using world::LAVA;
using world::Material;
using world::OBSIDIAN;
using world::SAND;
using world::STEAM;
using world::STONE;
using world::WATER;

namespace {

constexpr int kGroundProbeRows = 3;  // how far under the feet the ground is looked for
constexpr float kLavaDensity = 2500.0f;
constexpr float kWaterDensity = 1000.0f;
constexpr float kAirDensity = 1.225f;
constexpr float kStoneTraction = 1.0f;
constexpr float kSandTraction = 0.6f;
constexpr float kIceTraction = 0.2f;
constexpr float kFloorBounce = 0.1f;  // share of vertical speed kept off a floor or ceiling
constexpr float kWallBounce = 0.5f;
constexpr float kDragScale = 0.00003f;

constexpr float kLavaThrowCells = 100.0f;  // cells per second out of lava
constexpr int kLavaDamage = 20;
constexpr float kLavaInvulnerability = 0.2f;
constexpr float kSteamThrowCells = 10.0f;
constexpr int kSteamDamage = 1;
constexpr float kChokeInterval = 0.1f;  // one point of damage per 0.1 s buried or drowning
constexpr float kBreathSeconds = 10.0f;  // under water before drowning starts

float DensityOf(Material m) {
  if (m == LAVA) return kLavaDensity;
  if (m == WATER) return kWaterDensity;
  return kAirDensity;
}

bool Either(Material a, Material b, Material m) { return a == m || b == m; }

bool IsHazard(Material m) { return m == LAVA || m == STEAM; }

// Moves v toward 0 by `amount`, stopping at 0.
float Slow(float v, float amount) {
  if (amount > std::abs(v)) return 0.0f;
  return v > 0.0f ? v - amount : v + amount;
}

void Hurt(Character& c, int amount) { c.AddHealth(-amount); }

// Thrown away from the hazard: up out of a floor, left off a right wall, ...
// sides: below, right, left, above.
void ThrowAndBurn(Character& c, const Material (&sides)[4], float S) {
  const glm::vec2 away[4] = {{0.0f, 1.0f}, {-1.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, -1.0f}};

  for (int i = 0; i < 4; ++i) {
    if (sides[i] != LAVA) continue;
    if (away[i].x != 0.0f) c.velocity.x = away[i].x * kLavaThrowCells * S;
    if (away[i].y != 0.0f) c.velocity.y = away[i].y * kLavaThrowCells * S;
    // One burn per invulnerability window, however many sides touch lava.
    if (c.invulnerable <= 0.0f) {
      Hurt(c, kLavaDamage);
      c.invulnerable = kLavaInvulnerability;
    }
  }
  for (int i = 0; i < 4; ++i) {
    if (sides[i] != STEAM) continue;
    if (away[i].x != 0.0f) c.velocity.x = away[i].x * kSteamThrowCells * S;
    if (away[i].y != 0.0f) c.velocity.y = away[i].y * kSteamThrowCells * S;
    Hurt(c, kSteamDamage);
  }
}

}  // namespace

void GameObject::SenseCells(const world::PixelGrid& grid, float S) {
  const float hx = std::abs(scale.x), hy = std::abs(scale.y);
  const int column = ToCell(position.x, S);
  const int row = ToCell(position.y, S);
  const int footRow = ToCell(position.y - hy, S);
  materialAbove = grid.MaterialAt(column, ToCell(position.y + hy, S));
  materialRight = grid.MaterialAt(ToCell(position.x + hx, S), row);
  materialBelow = grid.MaterialAt(column, footRow);
  materialLeft = grid.MaterialAt(ToCell(position.x - hx, S), row);

  // The first solid cell within three under the feet, else the third one.
  // Beyond the grid there is no ground, as there are no walls.
  for (int depth = 1; depth <= kGroundProbeRows; ++depth) {
    if (depth > 1 && IsSolid(materialGround)) break;
    materialGround = grid.MaterialAt(column, footRow - depth);
  }

  density = (DensityOf(materialAbove) + DensityOf(materialRight) + DensityOf(materialBelow) +
             DensityOf(materialLeft)) /
            4.0f;

  const Material b = materialBelow, g = materialGround;
  if (Either(b, g, STONE) || Either(b, g, OBSIDIAN))
    traction = kStoneTraction;
  else if (Either(b, g, SAND))
    traction = kSandTraction;
  else if (Either(b, g, world::ICE))
    traction = kIceTraction;
  else
    traction = 0.0f;
}

void GameObject::Integrate(float dt, float S) { Step(dt, S, false); }

void Walker::Integrate(float dt, float S) {
  // Solid at head and feet: the two pushes cancel, and gravity alone would
  // sink a buried walker through the floor a little every frame.
  Step(dt, S, collidesWithGrid && IsSolid(materialBelow) && IsSolid(materialAbove));
}

void GameObject::Step(float dt, float S, bool holdFromSinking) {
  if (collidesWithGrid) {
    // Pushed back a whole cell whatever the velocity: a walker whose foot
    // cell is solid rises a cell a step, which is how it climbs low steps.
    if (IsSolid(materialBelow)) {
      if (velocity.y < 0.0f) velocity.y = -velocity.y * kFloorBounce;
      position.y += S;
    }
    if (IsSolid(materialRight)) {
      if (velocity.x > 0.0f) velocity.x = -velocity.x * kWallBounce;
      position.x -= S;
    }
    if (IsSolid(materialLeft)) {
      if (velocity.x < 0.0f) velocity.x = -velocity.x * kWallBounce;
      position.x += S;
    }
    if (IsSolid(materialAbove)) {
      if (velocity.y > 0.0f) velocity.y = -velocity.y * kFloorBounce;
      position.y -= S;
    }
  }

  velocity += acceleration * dt;

  const float mass = GetMass();
  if (mass != 0.0f) {
    const float k = (std::abs(scale.x) + std::abs(scale.y)) * drag * 0.5f * density;
    const float dragY = k * (velocity.y * velocity.y) * kDragScale * dt / mass;
    const float dragX =
        k * (velocity.x * velocity.x) * kDragScale * dt / mass + traction * kGravityCells * dt * S;
    velocity.x = Slow(velocity.x, dragX);
    velocity.y = Slow(velocity.y, dragY);
  }
  if (holdFromSinking && velocity.y < 0.0f) velocity.y = 0.0f;

  position += velocity * dt;
  sprite.Animate(dt);
}

void Character::ApplyEnvironment(float dt, float S) {
  const Material sides[4] = {materialBelow, materialRight, materialLeft, materialAbove};
  // Most steps touch neither lava nor steam (a walker's look-ahead runs
  // dozens a frame): one test of the four sides instead of two rounds of them.
  if (std::any_of(sides, sides + 4, IsHazard)) ThrowAndBurn(*this, sides, S);

  auto choke = [&] {
    drownTimer += dt;
    if (drownTimer >= kChokeInterval) {
      Hurt(*this, 1);
      drownTimer -= kChokeInterval;
    }
  };
  if (IsSolid(materialBelow) && IsSolid(materialLeft) && IsSolid(materialRight) && IsSolid(materialAbove))
    choke();
  if (materialAbove == WATER) {
    submergedTime += dt;
    if (submergedTime >= kBreathSeconds) choke();
  } else {
    submergedTime = 0.0f;
  }
}

namespace {

// A sight line's ends in cells, and the one grid it crosses.
struct Segment {
  float x0, y0, x1, y1;
  const world::PixelGrid& grid;
  float S;
};

// kInside: both ends lie a cell or more inside the grid. Every point the walk
// computes lies between the ends then, up to a rounding far smaller than that
// cell, so its cell is on the grid and needs neither the bounds test nor the
// guards against NaN and runaway values: a sight line is walked over hundreds
// of cells, for every walker, every frame. The cells tested are the same.
template <bool kInside>
bool Blocks(const world::PixelGrid& grid, int x, int y) {
  if (!kInside && !grid.InBounds(x, y)) return false;
  return world::IsOccupied(grid.At(x, y).material);
}

template <bool kInside>
int Trunc(float v) {
  if (kInside) return static_cast<int>(v);
  return v == v ? static_cast<int>(world::TruncateToCell(v)) : -kOffGridCell;
}

template <bool kInside>
bool Clear(const Segment& s, glm::vec3* hitOut) {
  const float x0 = s.x0, y0 = s.y0, x1 = s.x1, y1 = s.y1, S = s.S;
  const int width = static_cast<int>(s.grid.width), height = static_cast<int>(s.grid.height);

  auto columnBlocks = [&](int c) {
    const float y = (y1 - y0) * ((static_cast<float>(c) - x0) / (x1 - x0)) + y0;
    if (!Blocks<kInside>(s.grid, c, Trunc<kInside>(y))) return false;
    if (hitOut) *hitOut = glm::vec3(static_cast<float>(c) * S, y * S, 0.0f);
    return true;
  };
  auto rowBlocks = [&](int r) {
    const float x = (x1 - x0) * ((static_cast<float>(r) - y0) / (y1 - y0)) + x0;
    if (!Blocks<kInside>(s.grid, Trunc<kInside>(x), r)) return false;
    if (hitOut) *hitOut = glm::vec3(x * S, static_cast<float>(r) * S, 0.0f);
    return true;
  };

  const int cx0 = Trunc<kInside>(x0), cx1 = Trunc<kInside>(x1), cy0 = Trunc<kInside>(y0), cy1 = Trunc<kInside>(y1);
  if (x1 > x0) {
    for (int c = std::max(cx0 + 1, 0); c < cx1 && c < width; ++c)
      if (columnBlocks(c)) return false;
  } else if (cx0 > cx1) {
    for (int c = std::min(cx0, width - 1); c > cx1 && c >= 0; --c)
      if (columnBlocks(c)) return false;
  }
  if (y1 > y0) {
    for (int r = std::max(cy0 + 1, 0); r < cy1 && r < height; ++r)
      if (rowBlocks(r)) return false;
  } else if (cy0 > cy1) {
    for (int r = std::min(cy0, height - 1); r > cy1 && r >= 0; --r)
      if (rowBlocks(r)) return false;
  }
  return true;
}

bool WellInside(float v, std::uint32_t cells) { return 1.0f <= v && v < static_cast<float>(cells) - 1.0f; }

}  // namespace

// Walks the columns, then the rows, crossed by the segment; at each it tests
// the one cell the segment passes there. Going right or up the start column
// (row) is skipped, going left or down it is tested; the end cell never is.
// Only columns and rows inside the grid can block, so the walk is limited to them.
bool LineOfSight(const GameObject& from, glm::vec3 point, const world::PixelGrid& grid, float S,
                 glm::vec3* hitOut) {
  const Segment s{from.position.x / S, from.position.y / S, point.x / S, point.y / S, grid, S};
  if (!(std::isfinite(s.x0) && std::isfinite(s.y0) && std::isfinite(s.x1) && std::isfinite(s.y1))) return true;
  if (WellInside(s.x0, grid.width) && WellInside(s.x1, grid.width) && WellInside(s.y0, grid.height) &&
      WellInside(s.y1, grid.height))
    return Clear<true>(s, hitOut);
  return Clear<false>(s, hitOut);
}

}  // namespace game
