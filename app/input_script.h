#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Scripted keyboard, mouse and gamepad input for tests and demos; the format is in
// docs/INPUT.md. Events reach the game through the same input layer as real ones.
struct ScriptEvent {
  enum Kind { KEY, MOUSE, CURSOR, FOCUS, STEP, CLOCK, PAD_BUTTON, PAD_AXIS, PAD_CONNECT };
  long frame = 0;
  Kind kind = KEY;
  int code = 0;       // key, button or pad axis number; focus or pad connection flag
  int action = 0;     // press (1), release (0) or a key's repeat (2)
  double x = 0.0, y = 0.0;
  float dt = 0.0f;    // STEP: the frame's time step, in seconds
  float value = 0.0f; // PAD_AXIS: the axis's new value, -1 to 1
  long long seconds = 0;  // CLOCK: the world's clock from this frame on
};

struct ParsedScript {
  std::vector<ScriptEvent> events;  // in frame order, file order within a frame
  // A recorded session's window, clock and first screen, as command-line
  // options ("--window", "1280x720", ...), for the options to check.
  std::vector<std::string> options;
  std::string error;                // "line N: reason" when the script is bad
};

ParsedScript ParseInputScript(std::string_view text);

// One event as a script line (no newline) that ParseInputScript reads back exactly.
std::string FormatScriptEvent(const ScriptEvent& event);

// Name or number of a key as GLFW numbers it: "SPACE", "A", "ESCAPE", "265"; -1 if unknown.
int KeyFromName(std::string_view name);

// Feeds a script's events, frame by frame, into the input layer.
class ScriptPlayer {
 public:
  explicit ScriptPlayer(std::vector<ScriptEvent> events);
  void Play(long frame);  // runs the events of this frame (and any missed earlier)
  bool Finished() const { return next_ >= events_.size(); }
  // The recorded time step of a frame not played yet, if the script has one.
  std::optional<float> Step(long frame) const;
  // Frames up to the last recorded time step: how long a recorded session ran.
  long StepFrames() const;
  // The world's clock as the frames played so far last recorded it.
  std::optional<long long> Clock() const { return clock_; }

 private:
  std::vector<ScriptEvent> events_;
  std::size_t next_ = 0;
  std::optional<long long> clock_;
};
