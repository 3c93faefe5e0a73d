// A long seeded session through the real binary, under the sanitizers in CI:
// menu painting and rockets, the credits, the controls, levels won, lost,
// paused and left, cycle after cycle. It must play every frame without an
// error, visit every screen, and keep its live heap flat.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/game_state.h"
#include "screens/credits_president.h"
#include "screens/credits_screen.h"
#include "screens/victory_screen.h"
#include "tests/screens/game_run.h"

namespace fs = std::filesystem;

namespace {

constexpr int kW = 768, kH = 432;
// Where no button of the menu, the level, its pause menu or the victory and
// defeat screens lies: random clicks and painting there change no screen.
constexpr int kSafeLeft = 100, kSafeRight = 668, kSafeTop = 70, kSafeBottom = 220;

class Session {
public:
  explicit Session(unsigned seed) : random_(seed) {}

  // From the main menu back to it.
  void Cycle(int number) {
    if (number == 0) {  // sandbox mode on, for good
      Click(5, 730, 43);
      Click(10, 38, 43);
      Click(10, 730, 43);
    }
    RandomPlay(300, true);
    Click(70, 461, 302);  // credits, once the launcher has cooled down; its rocket must land
    for (std::size_t page = 2; page < 6; ++page) {
      Click(page == 2 ? 120 : 10, kCreditsScreenTable, page);
      Click(10, kCreditsPresidentTable, 0);
    }
    Click(10, kCreditsScreenTable, 1);
    Click(70, 307, 302);  // controls
    Event(120, "key Y press");
    Event(1, "key Y release");
    // The small level is lost in the first cycle and won in the second; then
    // the shipped one is played at random.
    if (number < 2) {
      Event(1, number == 0 ? "key D press" : "key A press");
      Event(220, number == 0 ? "key D release" : "key A release");
    } else {
      RandomPlay(500, false);
    }
    // Home from a victory or defeat screen, or through the pause menu.
    Click(10, kVictoryScreenTable, 1);
    Event(10, "focus 0");
    Event(1, "focus 1");
    Click(5, 384, 346);
    Click(10, 307, 259);
    frame += 10;
  }

  long frame = 0;
  const std::string& Script() const { return script_; }

private:
  void Event(long after, const std::string& event) { script_ += At(frame += after, event); }
  void Click(long after, float x, float y) { script_ += ClickAt(frame += after, x, y); }
  void Click(long after, const ButtonScreenTable& table, std::size_t button) {
    script_ += ClickButton(frame += after, table, button, kW, kH);
  }
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  std::string SafePointer(long at) {
    const int x = Uniform(kSafeLeft, kSafeRight);
    return At(at, "cursor " + std::to_string(x) + " " + std::to_string(Uniform(kSafeTop, kSafeBottom)));
  }

  // Running, jumping and firing, and in the menu painting and choosing blocks,
  // in the level looking and pausing.
  void RandomPlay(long frames, bool menu) {
    const long end = frame + frames;
    while (frame < end - 45) {
      const int gap = Uniform(3, 12), length = Uniform(2, 30), kind = Uniform(0, 3);
      const long at = frame + gap;
      if (kind == 0) {
        script_ += SafePointer(at - 1);
        script_ += At(at, "mouse LEFT press") + At(at + 2, "mouse LEFT release");
      } else if (kind == 1) {
        const int which = Uniform(0, 2);
        const std::string key = which == 0 ? "SPACE" : which == 1 ? "A" : "D";
        script_ += At(at, "key " + key + " press") + At(at + length, "key " + key + " release");
      } else if (kind == 2) {
        script_ += SafePointer(at) + At(at, "mouse RIGHT press");
        script_ += SafePointer(at + length / 2);
        script_ += SafePointer(at + length) + At(at + length, "mouse RIGHT release");
      } else if (menu) {
        const std::string key = std::to_string(Uniform(1, 6));
        script_ += At(at, "key " + key + " press") + At(at + 1, "key " + key + " release");
      } else {
        script_ += At(at, "focus 0") + At(at + 1, "focus 1") + ClickAt(at + length, 700, 56);  // pause, close
      }
      frame = at + length + 2;
    }
    frame = end;
  }

  std::mt19937 random_;
  std::string script_;
};

TEST(Soak, ASeededSessionPlaysEveryFrameVisitsEveryScreenAndKeepsItsHeapFlat) {
  // The small walk-left level, then the heaviest shipped one, with every kind of enemy.
  const fs::path levels = TempPath("soak_levels");
  fs::create_directories(levels);
  fs::copy_file("tests/data/levels/level0.bmp", levels / "level0.bmp", fs::copy_options::overwrite_existing);
  fs::copy_file("Assets/Levels/level18.bmp", levels / "level1.bmp", fs::copy_options::overwrite_existing);
  std::ofstream(levels / "levelNames.txt") << "Walk\nThe Last Dune\n";

  Session session(14);
  long warmUpEnd = 0;  // once the heaviest level has been played (in the third cycle)
  for (int cycle = 0; session.frame < SANDRIFT_SOAK_FRAMES; ++cycle) {
    if (cycle == 3) warmUpEnd = session.frame;
    session.Cycle(cycle);
  }
  // glibc's per-thread caches hold freed blocks that its count takes as live.
  const GameRun run = RunGame({"--window", "768x432", "--fixed-dt", "0.0166667", "--clock", "1", "--state", "0",
                               "--levels", levels.string(), "--frames", std::to_string(session.frame)},
                              session.Script(), "SANDRIFT_TRACE_HEAP=1 GLIBC_TUNABLES=glibc.malloc.tcache_count=0");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.LastFrame(), session.frame - 1);
  const std::vector<int> entered = run.StatesEntered();
  EXPECT_EQ(std::set<int>(entered.begin(), entered.end()), (std::set<int>{0, 1, 2, 3, 7, 8, 9, 10, 11, 12}));

  // Like with like: the heap as each cycle enters the main menu from the
  // credits, once every screen has loaded what it keeps for good. Resident
  // memory would hold the allocator's high-water mark instead.
  const std::vector<double> frames = run.StateValues("frame"), heap = run.StateValues("heap");
  std::vector<double> kilobytes;
  std::printf("%ld frames, %zu screen changes; live heap KB entering the menu from the credits:", session.frame,
              entered.size());
  for (std::size_t i = 1; i < entered.size(); ++i)
    if (entered[i] == STATE_MAIN_MENU && entered[i - 1] == STATE_CREDITS && frames[i] > warmUpEnd) {
      kilobytes.push_back(heap[i] / 1024);
      std::printf(" %.1f", kilobytes.back());
    }
  std::printf("\n");
  ASSERT_GE(kilobytes.size(), 4u);
  // Losing what one level load makes (a texture, a sound) costs tens of KB a
  // cycle; the driver's caches creep by a few KB at most. The lowest sample of
  // each half is compared, so that a sample caught amid a passing allocation
  // does not count.
  constexpr double kGrowthPerCycleKB = 8;
  const std::size_t half = kilobytes.size() / 2;
  const double earlier = *std::min_element(kilobytes.begin(), kilobytes.begin() + half);
  const double later = *std::min_element(kilobytes.begin() + half, kilobytes.end());
  EXPECT_LE(later - earlier, kGrowthPerCycleKB * half) << "the live heap grows from cycle to cycle";
}

}  // namespace
