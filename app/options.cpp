#include "app/options.h"

#include <cerrno>
#include <cstdlib>

namespace {

bool ParseLong(const std::string& text, long* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || errno == ERANGE) return false;
  *value = v;
  return true;
}

bool ParseSeconds(const std::string& text, float* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  float v = std::strtof(text.c_str(), &end);
  if (*end != '\0' || !(v > 0.0f) || v > 1.0f) return false;
  *value = v;
  return true;
}

bool ParseWindow(const std::string& text, int* width, int* height) {
  std::size_t x = text.find('x');
  long w = 0, h = 0;
  if (x == std::string::npos || !ParseLong(text.substr(0, x), &w) || !ParseLong(text.substr(x + 1), &h))
    return false;
  if (w <= 0 || h <= 0 || w > 16384 || h > 16384) return false;
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return true;
}

bool ParseScreenshot(const std::string& text, Screenshot* shot) {
  std::size_t colon = text.find(':');
  long frame = 0;
  if (colon == std::string::npos || !ParseLong(text.substr(0, colon), &frame) || frame < 0) return false;
  shot->frame = frame;
  shot->path = text.substr(colon + 1);
  return !shot->path.empty();
}

bool IsScreenState(long id) { return id >= 0 && id <= 12 && id != 4 && id != 5; }

}  // namespace

const char* OptionsHelp() {
  return "Usage: sandrift [options]\n"
         "  --frames N              quit after N frames\n"
         "  --fixed-dt S            every frame's time step is S seconds (still at most 0.03)\n"
         "  --clock T               the world's random seed clock always reads T seconds\n"
         "  --state N               start in state N instead of the logo screen (6)\n"
         "  --window WxH            windowed, W x H pixels, instead of Settings/Resolution.txt\n"
         "  --screenshot N:FILE.png save frame N as a PNG after it is drawn (repeatable)\n"
         "  --input FILE            play scripted keyboard and mouse input (docs/INPUT.md)\n"
         "  --trace FILE            write one JSON line per state change and per frame\n"
         "  --levels DIR            play the levels named in DIR/levelNames.txt instead of Assets/Levels\n"
         "  --gl-errors             print each OpenGL error and their count at exit (for tests)\n"
         "  --help                  show this help\n";
}

OptionsResult ParseOptions(const std::vector<std::string>& args) {
  OptionsResult result;
  Options& o = result.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") {
      o.help = true;
      continue;
    }
    if (name == "--gl-errors") {
      o.glErrors = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      result.error = name.rfind("--", 0) == 0 ? "option " + name + " needs a value"
                                              : "unknown option " + name;
      return result;
    }
    const std::string& value = args[++i];
    long number = 0;
    bool ok = true;
    if (name == "--frames") {
      ok = ParseLong(value, &number) && number >= 0;
      o.frames = number;
    } else if (name == "--fixed-dt") {
      ok = ParseSeconds(value, &o.fixedDt);
    } else if (name == "--clock") {
      ok = ParseLong(value, &number) && number >= 0;
      o.clock = number;
    } else if (name == "--state") {
      ok = ParseLong(value, &number) && IsScreenState(number);
      o.firstState = static_cast<int>(number);
    } else if (name == "--window") {
      ok = ParseWindow(value, &o.windowWidth, &o.windowHeight);
    } else if (name == "--screenshot") {
      Screenshot shot;
      ok = ParseScreenshot(value, &shot);
      o.screenshots.push_back(shot);
    } else if (name == "--input") {
      o.inputScript = value;
    } else if (name == "--trace") {
      o.tracePath = value;
    } else if (name == "--levels") {
      o.levelsFolder = value;
    } else {
      result.error = "unknown option " + name;
      return result;
    }
    if (!ok) {
      result.error = "bad value '" + value + "' for " + name;
      return result;
    }
  }
  return result;
}
