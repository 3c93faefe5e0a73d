#pragma once

// Sine and cosine for the rules (the bats' headings, the camera shake).
//
// A replay must take the same path on every system, and the C libraries'
// sinf and cosf do not agree in the last bit: MinGW's differ from glibc's,
// and glibc's own results depend on whether the processor has fused
// multiply-add. These compute what glibc 2.36 (Debian 12) computes on an
// x86-64 processor with FMA, the machine the committed routes were found on
// (Arm's optimized-routines method: a polynomial in double, the fused steps
// made explicit with std::fma, which rounds once on every system), and give
// the same bits wherever they run. About one result in eighty is not the
// correctly rounded one; the rules only need it to be the same everywhere.
namespace game {

float Sine(float radians);
float Cosine(float radians);

}  // namespace game
