// One level frame (StepLevel) of a typical level with 50 walkers on the
// ground, full pools and the player running; beside it its two costly parts
// and their plain versions, on the same scene.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/level_scene.h"
#include "tests/world/reference_step.h"

using namespace game;
using bench::kCell;
using bench::kFrame;
using bench::kFramesPerScene;
using bench::Scene;

namespace {

const Scene& Start() {
  static const Scene scene;
  return scene;
}

// Runs `step` once per iteration on a copy of the scene, putting the copy
// back every kFramesPerScene iterations outside the timing.
template <class Step>
void OnTheScene(benchmark::State& state, Step step) {
  Scene scene = Start();
  int frames = 0;
  for (auto _ : state) {
    if (++frames == kFramesPerScene) {
      state.PauseTiming();
      scene = Start();
      frames = 0;
      state.ResumeTiming();
    }
    step(scene);
  }
  state.counters["walkers_grounded"] = Start().Grounded();
}

void BM_LevelFrame(benchmark::State& state) {
  OnTheScene(state, [](Scene& s) { s.Step(); });
}
BENCHMARK(BM_LevelFrame)->Unit(benchmark::kMicrosecond);

void BM_LevelGridStep(benchmark::State& state) {
  OnTheScene(state, [](Scene& s) { s.level.grid.StepGrid(kFrame); });
}
BENCHMARK(BM_LevelGridStep)->Unit(benchmark::kMicrosecond);

void BM_LevelGridStepPlain(benchmark::State& state) {
  OnTheScene(state, [](Scene& s) { world_test::ReferenceStep{s.level.grid, kFrame, {}}.Run(); });
}
BENCHMARK(BM_LevelGridStepPlain)->Unit(benchmark::kMicrosecond);

// The look-ahead of every walker standing on the ground, as one frame runs it.
template <class Look>
void LookAheadOfGrounded(Scene& s, Look look) {
  auto each = [&](auto& walkers) {
    for (auto& w : walkers)
      if (w.active && w.IsOnGround()) benchmark::DoNotOptimize(look(w, s.level));
  };
  each(s.level.meleeEnemies);
  each(s.level.rifleEnemies);
  each(s.level.rocketEnemies);
  each(s.level.gunners);
}

void BM_LevelLookAhead(benchmark::State& state) {
  OnTheScene(state, [](Scene& s) {
    LookAheadOfGrounded(s, [](const GroundCharacter& w, Level& l) { return LookAhead(w, l.grid, l.scout); });
  });
}
BENCHMARK(BM_LevelLookAhead)->Unit(benchmark::kMicrosecond);

void BM_LevelLookAheadFreshWalker(benchmark::State& state) {
  OnTheScene(state, [](Scene& s) {
    LookAheadOfGrounded(s, [](const GroundCharacter& w, Level& l) {
      auto scout = std::make_unique<Scout>(MakeScout(kCell));  // built and freed every call
      return LookAhead(w, l.grid, *scout);
    });
  });
}
BENCHMARK(BM_LevelLookAheadFreshWalker)->Unit(benchmark::kMicrosecond);

}  // namespace
