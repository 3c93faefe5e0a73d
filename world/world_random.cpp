#include "world/world_random.h"

#include <array>
#include <cstdint>
#include <ctime>

namespace world {
namespace {

// The C runtime's constants, so that every platform draws the same numbers.
constexpr std::uint32_t kMultiplier = 214013u;
constexpr std::uint32_t kIncrement = 2531011u;
constexpr int kOutputShift = 16;      // the low bits cycle quickly; they are dropped
constexpr std::uint32_t kRandMax = 0x7FFFu;  // 15 bits: 0 to 32767

// One draw is the affine map s -> a s + c (mod 2^32); 2^k draws are that
// map composed with itself k times, so any count of draws is at most 64 of
// them, one per set bit.
struct Affine {
  std::uint32_t a, c;
};
constexpr std::array<Affine, 64> PowersOfTwoDraws() {
  std::array<Affine, 64> powers{};
  Affine p{kMultiplier, kIncrement};
  for (Affine& power : powers) {
    power = p;
    p = {p.a * p.a, p.a * p.c + p.c};  // p after p
  }
  return powers;
}
constexpr std::array<Affine, 64> kPowersOfTwoDraws = PowersOfTwoDraws();

std::uint32_t randState = 1;
Clock currentClock = nullptr;
long long heldSeconds = 0;

}  // namespace

void srand(unsigned seed) { randState = static_cast<std::uint32_t>(seed); }

int rand() {
  randState = randState * kMultiplier + kIncrement;
  return static_cast<int>((randState >> kOutputShift) & kRandMax);
}

void SkipDraws(unsigned long long count) {
  for (int bit = 0; count != 0; ++bit, count >>= 1) {
    if (count & 1) randState = kPowersOfTwoDraws[bit].a * randState + kPowersOfTwoDraws[bit].c;
  }
}

unsigned RandomState() { return randState; }

void SetClock(Clock clock) { currentClock = clock; }

long long Now() { return currentClock ? currentClock() : RealTime(); }

long long RealTime() { return static_cast<long long>(std::time(nullptr)); }

void HoldClock(long long seconds) {
  heldSeconds = seconds;
  currentClock = [] { return heldSeconds; };
}

}  // namespace world
