#include "world/world_random.h"

#include <cstdint>
#include <ctime>

namespace world {
namespace {

std::uint32_t randState = 1;
Clock currentClock = nullptr;
long long heldSeconds = 0;

}  // namespace

void srand(unsigned seed) { randState = static_cast<std::uint32_t>(seed); }

int rand() {
  randState = randState * 214013u + 2531011u;
  return static_cast<int>((randState >> 16) & 0x7FFFu);
}

void SetClock(Clock clock) { currentClock = clock; }

long long Now() { return currentClock ? currentClock() : RealTime(); }

long long RealTime() { return static_cast<long long>(std::time(nullptr)); }

void HoldClock(long long seconds) {
  heldSeconds = seconds;
  currentClock = [] { return heldSeconds; };
}

}  // namespace world
