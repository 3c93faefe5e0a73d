// The rules' sine and cosine against the C library and against the exact
// values, over the angles the bats' headings and the camera shake take.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "game/trig.h"

namespace {

constexpr int kSamples = 200000;  // per range, evenly spaced

std::uint32_t Bits(float x) {
  std::uint32_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  return bits;
}

// Units in the last place between a result and the exact value.
double UlpsOff(float result, long double exact) {
  const float rounded = static_cast<float>(exact);
  const long double ulp = std::nextafter(std::fabs(rounded), INFINITY) - std::fabs(rounded);
  return static_cast<double>(std::fabs(result - exact) / ulp);
}

struct Tally {
  int differing = 0;  // floats not equal, bit for bit, to the reference
  std::string first;  // the first of them, as "sin(x) = ours, reference"
  void Count(const char* name, float x, float ours, float reference) {
    if (Bits(ours) == Bits(reference)) return;
    if (differing++ > 0) return;
    std::ostringstream out;
    out.precision(9);
    out << name << "(" << x << ") = " << ours << ", not " << reference;
    first = out.str();
  }
};

const struct Range {
  const char* use;
  float low, high;
} kRanges[] = {
    {"within a turn: the camera shake's angle, a bat's heading", 0.0f, 6.2831855f},
    {"small angles of either sign, taken unreduced", -0.75f, 0.75f},
    {"a heading a fast turn threw beyond the turn", -120.0f, 120.0f},
    {"a heading left far out by turns near a wall", -1.0e6f, 1.0e6f},
};

float Sample(const Range& r, int i) { return r.low + (r.high - r.low) * (static_cast<float>(i) / kSamples); }

// The routes were found with Debian 12's glibc on a processor with fused
// multiply-add, whose sinf and cosf then take their FMA path; elsewhere the
// library's own results differ and there is nothing to compare.
TEST(Trig, EqualsTheCLibraryOverTheRulesAngles) {
#if defined(__x86_64__) && defined(__GLIBC__)
  if (!__builtin_cpu_supports("fma") || !__builtin_cpu_supports("avx2"))
    GTEST_SKIP() << "this processor has no fused multiply-add: glibc's sinf and cosf round otherwise";
#else
  GTEST_SKIP() << "the rules' values are glibc's on x86-64";
#endif
  for (const Range& r : kRanges) {
    Tally tally;
    for (int i = 0; i <= kSamples; ++i) {
      const float x = Sample(r, i);
      tally.Count("sin", x, game::Sine(x), std::sin(x));
      tally.Count("cos", x, game::Cosine(x), std::cos(x));
    }
    EXPECT_EQ(tally.differing, 0) << r.use << " [" << r.low << ", " << r.high << "]: " << tally.differing << " of "
                                  << 2 * (kSamples + 1) << " floats differ, first " << tally.first;
  }
}

TEST(Trig, StaysWithinOneUlpOfTheExactValue) {
  for (const Range& r : kRanges) {
    double worstSine = 0.0, worstCosine = 0.0;
    float worstSineAt = 0.0f, worstCosineAt = 0.0f;
    for (int i = 0; i <= kSamples; ++i) {
      const float x = Sample(r, i);
      const double s = UlpsOff(game::Sine(x), std::sin(static_cast<long double>(x)));
      const double c = UlpsOff(game::Cosine(x), std::cos(static_cast<long double>(x)));
      if (s > worstSine) worstSine = s, worstSineAt = x;
      if (c > worstCosine) worstCosine = c, worstCosineAt = x;
    }
    EXPECT_LT(worstSine, 1.0) << r.use << ": sin(" << worstSineAt << ")";
    EXPECT_LT(worstCosine, 1.0) << r.use << ": cos(" << worstCosineAt << ")";
  }
}

}  // namespace
