#pragma once

#include <string>

// One JSON object per line: a line per state change and per frame, with what
// an end-to-end test needs to check. Screens add their own values to the
// current frame's line (the player's position, health, treasures). With
// SANDRIFT_TRACE_HEAP set, each state line also carries the live heap in bytes
// ("heap"), a point the soak test can compare like with like.
namespace trace {

bool Open(const std::string& path);  // prints a message and returns false on failure
bool Enabled();
// Written with 17 significant digits, so every value reads back exactly.
void Value(const char* key, double value);
void StateEntered(long frame, int state);
void EndFrame(long frame, int state, float dt);
void Close();

}  // namespace trace
