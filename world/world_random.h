#pragma once

// The world's own random generator and clock. The simulation must draw the
// same numbers on every platform, so it does not use the C library's rand.
namespace world {

// The classic C runtime generator: state = state * 214013 + 2531011 (mod 2^32),
// returning bits 16..30 of the new state (0 to 32767).
void srand(unsigned seed);
int rand();
// Leaves the generator where `count` calls of rand() would: the step passes
// over cells whose draws cannot change anything, yet every later draw must
// come out as if they had been drawn.
void SkipDraws(unsigned long long count);
// The generator's whole state: two runs whose states are equal draw alike.
unsigned RandomState();

// Whole seconds of calendar time. Injectable so that a run can be replayed:
// the game and the level tool hold one reading per frame (HoldClock).
using Clock = long long (*)();
void SetClock(Clock clock);  // nullptr restores the real time()
long long Now();
long long RealTime();  // the calendar's whole seconds, whatever clock is set
// Now() reads `seconds` until the clock is set again: a frame holds one
// reading for all it does, so that a recording can write down what it saw.
void HoldClock(long long seconds);

// A player's clock started at `start` (--clock-start): it reads start plus
// the whole seconds of play so far, the sum of every frame's step, as a real
// clock does at 60 frames a second; a stopped one (--clock) always reads
// start. A plain value, so that a copied level state (a search's) carries its
// time with it.
struct PlayClock {
  long long start = 0;
  bool running = false;
  double played = 0.0;  // seconds; a float sum would stop counting 1/60 s steps after a day of play

  long long Reading() const { return running ? start + static_cast<long long>(played) : start; }
  void Advance(float dt) { played += static_cast<double>(dt); }
};

}  // namespace world
