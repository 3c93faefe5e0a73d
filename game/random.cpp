#include "game/random.h"

namespace game {
namespace {

std::uint32_t state = 0;

constexpr std::uint32_t kDivisor = 15;
constexpr std::uint32_t kMultiplier = 102102;
constexpr std::uint32_t kIncrement = 3726135379u;  // -568831917 modulo 2^32
constexpr float kTwoToMinus32 = 2.3283064365386963e-10f;

}  // namespace

float RandomFloat(float lo, float hi) {
  state = state / kDivisor * kMultiplier + kIncrement;  // wraps modulo 2^32
  if (hi == lo) return lo;
  return lo + static_cast<float>(state) * kTwoToMinus32 * (hi - lo);
}

std::uint32_t RandomState() { return state; }
void SetRandomState(std::uint32_t value) { state = value; }

}  // namespace game
