#pragma once

// The world's own random generator and clock. The simulation must draw the
// same numbers on every platform, so it does not use the C library's rand.
namespace world {

// The classic C runtime generator: state = state * 214013 + 2531011 (mod 2^32),
// returning bits 16..30 of the new state (0 to 32767).
void srand(unsigned seed);
int rand();

// Whole seconds of calendar time. Injectable so that a run can be replayed:
// the game's and the level tool's --clock option install a fixed clock.
using Clock = long long (*)();
void SetClock(Clock clock);  // nullptr restores the real time()
long long Now();

}  // namespace world
