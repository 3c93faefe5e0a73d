#include "screens/button_layout.h"

namespace {

constexpr SizeTier kLarge{100, 50, 300, 120, 70};
constexpr SizeTier kMedium{80, 40, 280, 100, 50};
constexpr SizeTier kSmall{70, 30, 260, 80, 40};
constexpr SizeTier kOutcome{100, 50, 0, 0, 0};

constexpr int kLargeFrom = 1650;
constexpr int kMediumFrom = 1200;

const glm::vec2 kBackHalfSize(50, 50);
constexpr double kBackLeft = 60;  // centre of the back arrow from the left edge
constexpr int kBackTop = 50;      // and from the top edge
constexpr double kLowDown = 0.8;  // share of H / 2 below the centre

}  // namespace

SizeTier CreditTier(int W) {
  if (W >= kLargeFrom) return kLarge;
  if (W >= kMediumFrom) return kMedium;
  return kSmall;
}

SizeTier OutcomeTier(int /*W*/) { return kOutcome; }

// Halves of W and H are truncated where the layout says W / 2 or H / 2 and
// exact where it says W x 0.5; the corner and back offsets are in double
// precision, the row factors in single precision.
Placement PlaceButton(Spot spot, double factor, const SizeTier& tier, int W, int H) {
  const glm::vec2 small(tier.smallHalfWidth, tier.halfHeight);
  const float bottom = static_cast<float>(-(H / 2) + tier.insetY);
  const float corner = static_cast<float>(W * 0.5 - tier.insetX);
  switch (spot) {
    case Spot::BOTTOM_RIGHT:
      return {{corner, bottom}, small};
    case Spot::BOTTOM_LEFT:
      return {{-corner, bottom}, small};
    case Spot::ROW:
      return {{0.0f, static_cast<float>(H / 2) * static_cast<float>(factor)},
              {tier.wideHalfWidth, tier.halfHeight}};
    case Spot::BACK:
      return {{static_cast<float>(kBackLeft - W * 0.5), static_cast<float>(H / 2 - kBackTop)}, kBackHalfSize};
    case Spot::LOW:
      return {{static_cast<float>((W / 2) * factor), static_cast<float>(-(H / 2) * kLowDown)}, small};
  }
  return {};
}

std::vector<Placement> LayOut(const ButtonScreenTable& table, int W, int H) {
  const SizeTier tier = table.tier(W);
  std::vector<Placement> places;
  for (const ButtonEntry& entry : table.buttons) places.push_back(PlaceButton(entry.spot, entry.factor, tier, W, H));
  return places;
}
