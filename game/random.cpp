#include "game/random.h"

namespace game {
namespace {

constexpr std::uint32_t kDivisor = 15;
constexpr std::uint32_t kMultiplier = 102102;
constexpr std::uint32_t kIncrement = 3726135379u;  // -568831917 modulo 2^32
constexpr float kTwoToMinus32 = 2.3283064365386963e-10f;

}  // namespace

float RandomFloat(Random& random, float lo, float hi) {
  std::uint32_t& state = random.state;
  state = state / kDivisor * kMultiplier + kIncrement;  // wraps modulo 2^32
  if (hi == lo) return lo;
  return lo + static_cast<float>(state) * kTwoToMinus32 * (hi - lo);
}

}  // namespace game
