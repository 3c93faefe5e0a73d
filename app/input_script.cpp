#include "app/input_script.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <sstream>

#include "app/input.h"
#include "app/parse_integer.h"

namespace {

struct NamedKey {
  std::string_view name;
  int code;
};

// GLFW's numbers for the keys a player of this game uses.
constexpr NamedKey kKeyNames[] = {
    {"SPACE", 32},        {"APOSTROPHE", 39}, {"COMMA", 44},        {"MINUS", 45},
    {"PERIOD", 46},       {"SLASH", 47},      {"ESCAPE", 256},      {"ENTER", 257},
    {"TAB", 258},         {"BACKSPACE", 259}, {"INSERT", 260},      {"DELETE", 261},
    {"RIGHT", 262},       {"LEFT", 263},      {"DOWN", 264},        {"UP", 265},
    {"F1", 290},          {"F2", 291},        {"F3", 292},          {"F4", 293},
    {"F5", 294},          {"LEFT_SHIFT", 340}, {"LEFT_CONTROL", 341}, {"LEFT_ALT", 342},
    {"RIGHT_SHIFT", 344}, {"RIGHT_CONTROL", 345},
};

bool ParseNumber(std::string_view text, long* value) {
  const std::optional<long> n = ParseInteger<long>(text);
  if (n) *value = *n;
  return n.has_value();
}

// A whole recorded value: from_chars reads what to_chars wrote, digit for digit.
template <typename Real>
bool ParseReal(std::string_view text, Real* value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(*value);
}

template <typename Real>
std::string FormatReal(Real value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// Lines a recording starts with: the session's settings, as the options that set them.
const char* SessionOption(std::string_view word) {
  if (word == "window") return "--window";
  if (word == "clock") return "--clock";
  if (word == "state") return "--state";
  return nullptr;
}

std::string KeyName(int code) {
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return std::string(1, static_cast<char>(code));
  for (const NamedKey& key : kKeyNames)
    if (key.code == code) return std::string(key.name);
  return std::to_string(code);
}

constexpr std::string_view kButtonNames[] = {"LEFT", "RIGHT", "MIDDLE"};
// GLFW's gamepad buttons and axes, in its order, by its names.
constexpr std::string_view kPadButtonNames[input::kPadButtonCount] = {
    "A",          "B",           "X",       "Y",          "LEFT_BUMPER", "RIGHT_BUMPER", "BACK",     "START",
    "GUIDE",      "LEFT_THUMB",  "RIGHT_THUMB", "DPAD_UP", "DPAD_RIGHT", "DPAD_DOWN",    "DPAD_LEFT"};
constexpr std::string_view kPadAxisNames[input::kPadAxisCount] = {"LEFT_X",  "LEFT_Y",       "RIGHT_X",
                                                                  "RIGHT_Y", "LEFT_TRIGGER", "RIGHT_TRIGGER"};

// A name from the list, or its number.
template <std::size_t N>
int IndexFromName(const std::string_view (&names)[N], std::string_view name) {
  for (std::size_t i = 0; i < N; ++i)
    if (names[i] == name) return static_cast<int>(i);
  long n = -1;
  return ParseNumber(name, &n) && n >= 0 && n < static_cast<long>(N) ? static_cast<int>(n) : -1;
}
constexpr std::string_view kActionNames[] = {"release", "press", "repeat"};

int ButtonFromName(std::string_view name) {
  for (int i = 0; i < static_cast<int>(std::size(kButtonNames)); ++i)
    if (kButtonNames[i] == name) return i;
  long n = -1;
  return ParseNumber(name, &n) && n >= 0 && n < input::kMouseButtonCount ? static_cast<int>(n) : -1;
}

int ActionFromName(std::string_view name) {
  for (int i = 0; i < static_cast<int>(std::size(kActionNames)); ++i)
    if (kActionNames[i] == name) return i;
  return -1;
}

// "pad button A press", "pad axis RIGHT_X 0.75", "pad connect 1": the reason it is bad, or "".
std::string ParsePadEvent(const std::vector<std::string>& w, ScriptEvent& e) {
  const std::string what = w.size() > 2 ? w[2] : "";
  if (what == "button") {
    e.kind = ScriptEvent::PAD_BUTTON;
    if (w.size() != 5) return "pad button needs a name and press or release";
    e.code = IndexFromName(kPadButtonNames, w[3]);
    if (e.code < 0) return "unknown pad button '" + w[3] + "'";
    e.action = ActionFromName(w[4]);
    if (e.action != input::PRESS && e.action != input::RELEASE) return "'" + w[4] + "' is not press or release";
  } else if (what == "axis") {
    e.kind = ScriptEvent::PAD_AXIS;
    if (w.size() != 5) return "pad axis needs a name and a value";
    e.code = IndexFromName(kPadAxisNames, w[3]);
    if (e.code < 0) return "unknown pad axis '" + w[3] + "'";
    if (!ParseReal(w[4], &e.value) || e.value < -1.0f || e.value > 1.0f) return "a pad axis goes from -1 to 1";
  } else if (what == "connect") {
    e.kind = ScriptEvent::PAD_CONNECT;
    long connected = 0;
    if (w.size() != 4 || !ParseNumber(w[3], &connected) || (connected != 0 && connected != 1))
      return "pad connect needs 0 or 1";
    e.code = static_cast<int>(connected);
  } else {
    return "pad needs button, axis or connect";
  }
  return "";
}

}  // namespace

int KeyFromName(std::string_view name) {
  if (name.size() == 1) {
    char c = name[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
  }
  for (const NamedKey& key : kKeyNames)
    if (key.name == name) return key.code;
  long n = -1;
  return ParseNumber(name, &n) && n >= 0 && n < input::kKeyCount ? static_cast<int>(n) : -1;
}

ParsedScript ParseInputScript(std::string_view text) {
  ParsedScript script;
  std::istringstream lines{std::string(text)};
  std::string line;
  int lineNumber = 0;
  auto fail = [&](const std::string& reason) {
    script.events.clear();
    script.error = "line " + std::to_string(lineNumber) + ": " + reason;
    return script;
  };

  while (std::getline(lines, line)) {
    ++lineNumber;
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty()) continue;
    if (const char* option = SessionOption(w[0])) {
      if (w.size() != 2) return fail(w[0] + " needs one value");
      script.options.insert(script.options.end(), {option, w[1]});
      continue;
    }

    ScriptEvent e;
    if (!ParseNumber(w[0], &e.frame) || e.frame < 0) return fail("'" + w[0] + "' is not a frame number");
    if (w.size() < 2) return fail("missing event after the frame number");
    const std::string& kind = w[1];
    if (kind == "key" || kind == "mouse") {
      if (w.size() != 4) return fail(kind + " needs a name and press or release");
      e.kind = kind == "key" ? ScriptEvent::KEY : ScriptEvent::MOUSE;
      e.code = kind == "key" ? KeyFromName(w[2]) : ButtonFromName(w[2]);
      if (e.code < 0) return fail("unknown " + kind + " '" + w[2] + "'");
      e.action = ActionFromName(w[3]);
      // Only a held key repeats; a button's "repeat" would read as a release.
      if (e.action < 0 || (e.kind == ScriptEvent::MOUSE && e.action == input::REPEAT))
        return fail("'" + w[3] + "' is not press, release or a key's repeat");
    } else if (kind == "cursor") {
      if (w.size() != 4 || !ParseReal(w[2], &e.x) || !ParseReal(w[3], &e.y))
        return fail("cursor needs two numbers: x y");
      e.kind = ScriptEvent::CURSOR;
    } else if (kind == "dt") {
      if (w.size() != 3 || !ParseReal(w[2], &e.dt) || e.dt < 0.0f || e.dt > 1.0f)
        return fail("dt needs a time step from 0 to 1 seconds");
      e.kind = ScriptEvent::STEP;
    } else if (kind == "clock") {
      const std::optional<long long> seconds = w.size() == 3 ? ParseInteger<long long>(w[2]) : std::nullopt;
      if (!seconds || *seconds < 0) return fail("clock needs whole seconds, 0 or more");
      e.kind = ScriptEvent::CLOCK;
      e.seconds = *seconds;
    } else if (kind == "focus") {
      long focused = 0;
      if (w.size() != 3 || !ParseNumber(w[2], &focused) || (focused != 0 && focused != 1))
        return fail("focus needs 0 or 1");
      e.kind = ScriptEvent::FOCUS;
      e.code = static_cast<int>(focused);
    } else if (kind == "pad") {
      const std::string reason = ParsePadEvent(w, e);
      if (!reason.empty()) return fail(reason);
    } else {
      return fail("unknown event '" + kind + "'");
    }
    script.events.push_back(e);
  }
  std::stable_sort(script.events.begin(), script.events.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
  return script;
}

std::string FormatScriptEvent(const ScriptEvent& e) {
  const std::string frame = std::to_string(e.frame);
  switch (e.kind) {
    case ScriptEvent::KEY: return frame + " key " + KeyName(e.code) + " " + std::string(kActionNames[e.action]);
    case ScriptEvent::MOUSE: {
      const bool named = e.code >= 0 && e.code < static_cast<int>(std::size(kButtonNames));
      return frame + " mouse " + (named ? std::string(kButtonNames[e.code]) : std::to_string(e.code)) + " " +
             std::string(kActionNames[e.action]);
    }
    case ScriptEvent::CURSOR: return frame + " cursor " + FormatReal(e.x) + " " + FormatReal(e.y);
    case ScriptEvent::FOCUS: return frame + " focus " + std::to_string(e.code);
    case ScriptEvent::STEP: return frame + " dt " + FormatReal(e.dt);
    case ScriptEvent::CLOCK: return frame + " clock " + std::to_string(e.seconds);
    case ScriptEvent::PAD_BUTTON:
      return frame + " pad button " + std::string(kPadButtonNames[e.code]) + " " + std::string(kActionNames[e.action]);
    case ScriptEvent::PAD_AXIS: return frame + " pad axis " + std::string(kPadAxisNames[e.code]) + " " + FormatReal(e.value);
    case ScriptEvent::PAD_CONNECT: return frame + " pad connect " + std::to_string(e.code);
  }
  return frame;
}

ScriptPlayer::ScriptPlayer(std::vector<ScriptEvent> events) : events_(std::move(events)) {}

void ScriptPlayer::Play(long frame) {
  for (; next_ < events_.size() && events_[next_].frame <= frame; ++next_) {
    const ScriptEvent& e = events_[next_];
    switch (e.kind) {
      case ScriptEvent::KEY: input::OnKey(e.code, 0, e.action, 0); break;
      case ScriptEvent::MOUSE: input::OnMouseButton(e.code, e.action, 0); break;
      case ScriptEvent::CURSOR: input::OnCursorPos(e.x, e.y); break;
      case ScriptEvent::FOCUS: input::OnFocus(e.code); break;
      case ScriptEvent::STEP: break;
      case ScriptEvent::CLOCK: clock_ = e.seconds; break;
      case ScriptEvent::PAD_BUTTON: input::OnPadButton(e.code, e.action); break;
      case ScriptEvent::PAD_AXIS: input::OnPadAxis(e.code, e.value); break;
      case ScriptEvent::PAD_CONNECT: input::OnPadConnect(e.code); break;
    }
  }
}

std::optional<float> ScriptPlayer::Step(long frame) const {
  for (std::size_t i = next_; i < events_.size() && events_[i].frame <= frame; ++i)
    if (events_[i].frame == frame && events_[i].kind == ScriptEvent::STEP) return events_[i].dt;
  return std::nullopt;
}

long ScriptPlayer::StepFrames() const {
  long frames = 0;
  for (const ScriptEvent& e : events_)
    if (e.kind == ScriptEvent::STEP) frames = std::max(frames, e.frame + 1);
  return frames;
}
