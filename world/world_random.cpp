#include "world/world_random.h"

#include <cstdint>
#include <ctime>

namespace world {
namespace {

// The C runtime's constants, so that every platform draws the same numbers.
constexpr std::uint32_t kMultiplier = 214013u;
constexpr std::uint32_t kIncrement = 2531011u;
constexpr int kOutputShift = 16;      // the low bits cycle quickly; they are dropped
constexpr std::uint32_t kRandMax = 0x7FFFu;  // 15 bits: 0 to 32767

std::uint32_t randState = 1;
Clock currentClock = nullptr;
long long heldSeconds = 0;

}  // namespace

void srand(unsigned seed) { randState = static_cast<std::uint32_t>(seed); }

int rand() {
  randState = randState * kMultiplier + kIncrement;
  return static_cast<int>((randState >> kOutputShift) & kRandMax);
}

void SetClock(Clock clock) { currentClock = clock; }

long long Now() { return currentClock ? currentClock() : RealTime(); }

long long RealTime() { return static_cast<long long>(std::time(nullptr)); }

void HoldClock(long long seconds) {
  heldSeconds = seconds;
  currentClock = [] { return heldSeconds; };
}

}  // namespace world
