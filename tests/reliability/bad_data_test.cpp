// The game on a copy of its data with files removed, replaced by garbage or
// cut in half, through every screen: it never crashes or raises a GL error,
// names what it could not use, and plays on or returns to the menu.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "screens/credits_president.h"
#include "screens/credits_screen.h"
#include "screens/defeat_screen.h"
#include "screens/victory_screen.h"
#include "tests/screens/game_run.h"

namespace fs = std::filesystem;

namespace {

enum class Damage { Missing, Garbage, Cut };
constexpr int kW = 768, kH = 432;

// Links to the real data, the damaged files written in their place.
std::string DamagedCopy(const std::string& name, const std::vector<fs::path>& files, Damage damage) {
  const fs::path root = TempPath(name);
  fs::remove_all(root);
  for (const char* dir : {"Assets", "Shaders", "Settings"})
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
      fs::create_directories((root / entry.path()).parent_path());
      if (!entry.is_directory()) fs::create_symlink(fs::absolute(entry.path()), root / entry.path());
    }
  std::mt19937 random(14);
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    fs::remove(root / file);
    if (damage == Damage::Missing) continue;
    if (damage == Damage::Cut) bytes.resize(bytes.size() / 2);
    if (damage == Damage::Garbage)
      for (char& c : bytes) c = static_cast<char>(random());
    std::ofstream(root / file, std::ios::binary) << bytes;
  }
  return root.string();
}

std::vector<fs::path> FilesUnder(const char* dir, std::initializer_list<const char*> extensions) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    for (const char* extension : extensions)
      if (entry.path().extension() == extension) files.push_back(entry.path());
  return files;
}

std::string Click(long frame, const ButtonScreenTable& table, std::size_t button) {
  return ClickButton(frame, table, button, kW, kH);
}

// Logo, menu, the credits hub and its four pages, controls, a level lost,
// paused and replayed, won twice over the victory screen, and the menu. Each
// step waits long enough for the menu's rocket to land on its button.
const std::string kEveryScreen =
    At(2, "key SPACE press") + At(3, "key SPACE release") + ClickAt(75, 461, 302) + Click(160, kCreditsScreenTable, 2) +
    Click(170, kCreditsPresidentTable, 0) + Click(180, kCreditsScreenTable, 3) + Click(190, kCreditsPresidentTable, 0) +
    Click(200, kCreditsScreenTable, 4) + Click(210, kCreditsPresidentTable, 0) + Click(220, kCreditsScreenTable, 5) +
    Click(230, kCreditsPresidentTable, 0) + Click(240, kCreditsScreenTable, 1) + ClickAt(320, 307, 302) +
    At(430, "key Y press") + At(431, "key Y release") + At(435, "key D press") + At(440, "key ESCAPE press") +
    At(441, "key ESCAPE release") + At(450, "key ESCAPE press") + At(451, "key ESCAPE release") +
    At(620, "key D release") + Click(630, kDefeatScreenTable, 0) + At(640, "key A press") +
    Click(730, kVictoryScreenTable, 0);
const std::vector<int> kEveryState = {6, 0, 3, 9, 3, 10, 3, 11, 3, 12, 3, 0, 2, 1, 8, 1, 7, 1, 0};

struct Group {
  const char* name;
  std::vector<fs::path> (*files)();
  std::vector<std::string> messages;  // printed whatever the damage, in the game's own words
  bool shippedLevels = false;         // played on Assets/Levels, which are damaged
};

void PrintTo(const Group& group, std::ostream* out) { *out << group.name; }
void PrintTo(Damage damage, std::ostream* out) { *out << static_cast<int>(damage); }

class BadData : public testing::TestWithParam<std::tuple<Group, Damage>> {};

TEST_P(BadData, EveryScreenRunsAndTheDamagedFilesAreNamed) {
  const auto& [group, damage] = GetParam();
  const std::vector<fs::path> files = group.files();
  std::vector<std::string> args = {"--window", "768x432", "--fixed-dt", "0.0166667", "--clock", "1", "--frames", "800"};
  if (!group.shippedLevels) args.insert(args.end(), {"--levels", fs::absolute("tests/data/levels").string()});
  GameRun run = RunGame(args, kEveryScreen, "ALSOFT_DRIVERS=none", DamagedCopy(group.name, files, damage));
  ASSERT_EQ(run.exitCode, 0) << run.output;

  const std::vector<int> states = run.StatesEntered();
  if (group.shippedLevels) {
    ASSERT_GE(std::count(states.begin(), states.end(), 1), 1);
    std::vector<int> afterLevel;  // the state entered after each level, -1 for none
    for (std::size_t i = 0; i < states.size(); ++i)
      if (states[i] == 1) afterLevel.push_back(i + 1 < states.size() ? states[i + 1] : -1);
    EXPECT_EQ(afterLevel, std::vector<int>(afterLevel.size(), 0)) << "a refused level goes to the menu";
  } else {
    EXPECT_EQ(states, kEveryState) << run.output;
  }
  for (auto at = run.output.find("//"); at != std::string::npos; at = run.output.find("//", at))
    run.output.erase(at, 1);
  for (const std::string& message : group.messages) EXPECT_NE(run.output.find(message), std::string::npos) << message;
  for (const fs::path& file : files) {
    // Garbage in a text file is read as names.
    if (damage == Damage::Missing || file.extension() != ".txt") {
      EXPECT_NE(run.output.find(file.string()), std::string::npos) << file << " not named in\n" << run.output;
    }
  }
}

// Every file a screen loads, in groups that break independently.
const Group kGroups[] = {
    {"shaders", [] { return FilesUnder("Shaders", {".vs", ".fs"}); }, {"ERROR::SHADER"}},
    {"font_and_sounds", [] { return FilesUnder("Assets", {".ttf", ".ogg", ".mp3"}); },
     {"ERROR::FREETYPE: Failed to load font", "Audio: no output device available"}},
    {"pictures",
     [] {
       std::vector<fs::path> files = FilesUnder("Assets", {".png"});
       // Drawn for the record; no screen loads them.
       for (const char* unused : {"Assets/menu.png", "Assets/testbutton.png", "Assets/cursorOnOld.png"})
         std::erase(files, fs::path(unused));
       return files;
     },
     {}},
    {"levels",
     [] {
       return std::vector<fs::path>{"Assets/Levels/level0.bmp", "Assets/Levels/menu_a.bmp",
                                    "Assets/Levels/levelNames.txt"};
     },
     {"back to the main menu"}, true},
};
const char* const kDamageNames[] = {"Missing", "Garbage", "Cut"};
INSTANTIATE_TEST_SUITE_P(All, BadData,
                         testing::Combine(testing::ValuesIn(kGroups),
                                          testing::Values(Damage::Missing, Damage::Garbage, Damage::Cut)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "_" +
                                  kDamageNames[static_cast<int>(std::get<1>(info.param))];
                         });

// The window comes from the settings file, so these runs only pass the logo
// and the menu; the defaults stand in for what cannot be read, silently.
class BadSettings : public testing::TestWithParam<Damage> {};

TEST_P(BadSettings, TheGameStartsWithTheDefaults) {
  const std::string root = DamagedCopy("settings", {"Settings/Resolution.txt"}, GetParam());
  GameRun run = RunGame({"--fixed-dt", "0.0166667", "--frames", "30"}, At(10, "key SPACE press"), "", root);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.StatesEntered(), (std::vector<int>{6, 0}));
}
INSTANTIATE_TEST_SUITE_P(All, BadSettings, testing::Values(Damage::Missing, Damage::Garbage, Damage::Cut),
                         [](const auto& info) { return kDamageNames[static_cast<int>(info.param)]; });

}  // namespace
