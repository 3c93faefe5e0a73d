#include "app/input_script.h"

#include <algorithm>
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

int ButtonFromName(std::string_view name) {
  if (name == "LEFT") return 0;
  if (name == "RIGHT") return 1;
  if (name == "MIDDLE") return 2;
  const std::optional<int> n = ParseInteger<int>(name);
  return n && *n >= 0 && *n < input::kMouseButtonCount ? *n : -1;
}

int ActionFromName(std::string_view name) {
  if (name == "press") return input::PRESS;
  if (name == "release") return input::RELEASE;
  return -1;
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
  const std::optional<int> n = ParseInteger<int>(name);
  return n && *n >= 0 && *n < input::kKeyCount ? *n : -1;
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

    ScriptEvent e;
    const std::optional<long> frame = ParseInteger<long>(w[0]);
    if (!frame || *frame < 0) return fail("'" + w[0] + "' is not a frame number");
    e.frame = *frame;
    if (w.size() < 2) return fail("missing event after the frame number");
    const std::string& kind = w[1];
    if (kind == "key" || kind == "mouse") {
      if (w.size() != 4) return fail(kind + " needs a name and press or release");
      e.kind = kind == "key" ? ScriptEvent::KEY : ScriptEvent::MOUSE;
      e.code = kind == "key" ? KeyFromName(w[2]) : ButtonFromName(w[2]);
      if (e.code < 0) return fail("unknown " + kind + " '" + w[2] + "'");
      e.action = ActionFromName(w[3]);
      if (e.action < 0) return fail("'" + w[3] + "' is neither press nor release");
    } else if (kind == "cursor") {
      const std::optional<long> x = w.size() == 4 ? ParseInteger<long>(w[2]) : std::nullopt;
      const std::optional<long> y = w.size() == 4 ? ParseInteger<long>(w[3]) : std::nullopt;
      if (!x || !y) return fail("cursor needs two whole numbers: x y");
      e.kind = ScriptEvent::CURSOR;
      e.x = static_cast<double>(*x);
      e.y = static_cast<double>(*y);
    } else if (kind == "focus") {
      const std::optional<int> focused = w.size() == 3 ? ParseInteger<int>(w[2]) : std::nullopt;
      if (!focused || (*focused != 0 && *focused != 1)) return fail("focus needs 0 or 1");
      e.kind = ScriptEvent::FOCUS;
      e.code = *focused;
    } else {
      return fail("unknown event '" + kind + "'");
    }
    script.events.push_back(e);
  }
  std::stable_sort(script.events.begin(), script.events.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
  return script;
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
    }
  }
}
