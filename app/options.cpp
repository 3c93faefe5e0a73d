#include "app/options.h"

#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>

#include "app/game_state.h"
#include "app/parse_integer.h"
#include "app/settings.h"

namespace {

// The loop clamps every step to kMaxFrameTime anyway; a longer value is a
// typo (milliseconds for seconds), not a request.
constexpr float kMaxFixedDt = 1.0f;

bool ParseCount(const std::string& text, long* value) {
  const std::optional<long> n = ParseInteger<long>(text);
  if (!n || *n < 0) return false;
  *value = *n;
  return true;
}

bool ParseSeconds(const std::string& text, float* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  float v = std::strtof(text.c_str(), &end);
  if (*end != '\0' || !(v > 0.0f) || v > kMaxFixedDt) return false;
  *value = v;
  return true;
}

bool ParseEdge(std::string_view text, int* edge) {
  const std::optional<int> n = ParseInteger<int>(text);
  if (!n || *n <= 0 || *n > kMaxWindowEdge) return false;
  *edge = *n;
  return true;
}

bool ParseWindow(const std::string& text, Options& o) {
  const std::size_t x = text.find('x');
  return x != std::string::npos && ParseEdge(std::string_view(text).substr(0, x), &o.windowWidth) &&
         ParseEdge(std::string_view(text).substr(x + 1), &o.windowHeight);
}

bool ParseScreenshot(const std::string& text, Options& o) {
  const std::size_t colon = text.find(':');
  Screenshot shot;
  if (colon == std::string::npos || !ParseCount(text.substr(0, colon), &shot.frame)) return false;
  shot.path = text.substr(colon + 1);
  if (shot.path.empty()) return false;
  o.screenshots.push_back(std::move(shot));
  return true;
}

bool ParseState(const std::string& text, Options& o) {
  const std::optional<int> id = ParseInteger<int>(text);
  if (!id || !IsScreenState(*id)) return false;
  o.firstState = *id;
  return true;
}

// The later of --clock and --clock-start wins, so that one typed with a
// replay overrides the recording's clock.
bool ParseClock(const std::string& text, bool runs, Options& o) {
  long clock = 0;
  if (!ParseCount(text, &clock)) return false;
  o.clock = clock;
  o.clockRuns = runs;
  return true;
}

// Every option that takes a value; reading one false means a bad value.
struct ValueOption {
  std::string_view name;
  bool (*read)(const std::string& value, Options& o);
};
constexpr ValueOption kValueOptions[] = {
    {"--frames", [](const std::string& v, Options& o) { return ParseCount(v, &o.frames); }},
    {"--fixed-dt", [](const std::string& v, Options& o) { return ParseSeconds(v, &o.fixedDt); }},
    {"--clock", [](const std::string& v, Options& o) { return ParseClock(v, false, o); }},
    {"--clock-start", [](const std::string& v, Options& o) { return ParseClock(v, true, o); }},
    {"--state", ParseState},
    {"--window", ParseWindow},
    {"--screenshot", ParseScreenshot},
    {"--input", [](const std::string& v, Options& o) { o.inputScript = v; return true; }},
    {"--trace", [](const std::string& v, Options& o) { o.tracePath = v; return true; }},
    {"--levels", [](const std::string& v, Options& o) { o.levelsFolder = v; return true; }},
    {"--record", [](const std::string& v, Options& o) { o.recordPath = v; return true; }},
    {"--data", [](const std::string& v, Options& o) { o.dataDir = v; return true; }},
};

}  // namespace

const char* OptionsHelp() {
  return "Usage: sandrift [options]\n"
         "  --frames N              quit after N frames\n"
         "  --fixed-dt S            every frame's time step is S seconds (still at most 0.03)\n"
         "  --clock T               the world's random seed clock always reads T seconds\n"
         "  --clock-start T         the world's clock reads T plus the whole seconds played\n"
         "  --state N               start in state N instead of the logo screen (6)\n"
         "  --window WxH            windowed, W x H pixels, instead of Settings/Resolution.txt\n"
         "  --screenshot N:FILE     save frame N as a PNG after it is drawn (repeatable)\n"
         "  --input FILE            play scripted keyboard, mouse and pad input (docs/INPUT.md)\n"
         "  --trace FILE            write one JSON line per state change and per frame\n"
         "  --levels DIR            play the levels named in DIR/levelNames.txt instead of Assets/Levels\n"
         "  --record FILE           write this session's input as a script --input replays\n"
         "  --data DIR              read Assets/, Shaders/ and Settings/ from DIR\n"
         "  --version               show the version\n"
         "  --gl-errors             print each OpenGL error and their count at exit (for tests)\n"
         "  --help                  show this help\n";
}

OptionsResult ParseOptions(const std::vector<std::string>& args) {
  OptionsResult result;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") {
      result.options.help = true;
      continue;
    }
    if (name == "--version") {
      result.options.version = true;
      continue;
    }
    if (name == "--gl-errors") {
      result.options.glErrors = true;
      continue;
    }
    const ValueOption* option = nullptr;
    for (const ValueOption& known : kValueOptions)
      if (known.name == name) option = &known;
    if (!option) {
      result.error = "unknown option " + name;
      return result;
    }
    if (i + 1 >= args.size()) {
      result.error = "option " + name + " needs a value";
      return result;
    }
    const std::string& value = args[++i];
    if (!option->read(value, result.options)) {
      result.error = "bad value '" + value + "' for " + name;
      return result;
    }
  }
  // Under --input the real devices are ignored, so there would be nothing to record.
  const Options& o = result.options;
  if (!o.recordPath.empty() && !o.inputScript.empty()) result.error = "--record cannot be used with --input";
  return result;
}
