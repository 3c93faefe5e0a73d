#include "tools/level/route.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <queue>
#include <set>
#include <unordered_map>

#include <glm/geometric.hpp>

#include "app/game_loop.h"
#include "tools/level/parse.h"
#include "tools/level/play.h"

// A best-first search over short segments of held keys, jumps and aimed
// rockets, on copies of the headless level. A state's worth is the treasure
// it holds, its health and how near it is to the next treasure along a path
// guide drawn from the level's starting terrain. States are kept one per
// place (treasure held, position, terrain nearby), so the search spreads
// out instead of repeating itself, and backs up to older places when the
// nearest ones lead nowhere.
namespace level_tool {
namespace {

constexpr int kGuideBlock = 4;          // cells per guide block
// The guide looks one block around the player's block, so it needs three.
constexpr int kMinSearchCells = 3 * kGuideBlock;
constexpr float kGuideHalfBox = 6.0f;   // the player's half size (8) less the blocks' rounding
constexpr float kJumpReach = 36.0f;     // a held jump lifts the feet 34 cells
constexpr float kRocketReach = 130.0f;  // a rocket jump 110 or more
constexpr float kUnreachable = std::numeric_limits<float>::infinity();
constexpr int kPlaceCells = 8;          // the archive's grain
// A place's key keeps one bit per treasure above its position and terrain bits.
constexpr int kMaxTreasures = 24;
constexpr int kTerrainGrain = 48;       // solid cells near the player per step of the terrain key
constexpr float kAimReachCells = 100.0f;
constexpr float kEnemyAimCells = 350.0f;
constexpr int kCheckpointEvery = 30;
constexpr float kMinAimCells = 4.0f;    // the pointer's least distance out, even at the window's edge
constexpr long long kDefaultBudgetFrames = 3000000;
constexpr long long kDefaultMemoryMiB = 1200;
constexpr int kExitFound = 0, kExitGaveUp = 1;
constexpr int kReportEvery = 200;       // expansions between progress lines
// What the search trades against cells of progress: a rocket costs a little,
// so that routes blast and rocket-jump only where it pays.
constexpr double kTreasureWorth = 1e5, kHealthWorth = 2.0, kSecondWorth = 5.0, kEnemyWorth = 30.0, kRocketWorth = 50.0;

// One frame's input as the script holds it.
struct Frame {
  game::PlayerControls controls;
  int cursorX = 0, cursorY = 0;
};

// A guide step's cost, per cell of its length, by how the player makes it.
constexpr float kDiagonalLength = 1.41f;  // a diagonal step is about sqrt(2) blocks long
constexpr float kOnFoot = 1.0f;           // walking, falling, or climbing within a held jump
constexpr float kRocketAcross = 3.0f;     // sideways where only a rocket jump reaches the ground
constexpr float kOverTheVoid = 6.0f;      // sideways with no ground even a rocket jump reaches
constexpr float kRocketUp = 4.0f;         // upwards where only a rocket jump reaches the ground
// Added to the cost of entering a block, in cells.
constexpr float kBlastPenalty = 40.0f;   // solid cells to blast out of the way
constexpr float kLavaPenalty = 400.0f;   // lava in the box
// Rows down to the ground where there is none: beyond any jump's reach.
constexpr int kNoGround = 100000;

// Where a place's key puts its parts: one bit per treasure above the
// position (in place cells) and the terrain, and whether the player stands.
constexpr int kTreasureBitsAt = 64 - kMaxTreasures;
constexpr int kColumnBitsAt = 28;
constexpr int kRowBitsAt = 16;
constexpr int kTerrainBitsAt = 1;
// The terrain key's box around the player's cell.
constexpr int kTerrainSide = 48, kTerrainBelow = 32, kTerrainAbove = 48;

// The pointer's directions, y up; kAimEnemy aims at the nearest enemy.
constexpr float kAims[][2] = {{0, -1}, {1, 0.3f}, {-1, 0.3f}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}, {0, 1}};
constexpr int kAimDown = 0, kAimDownRight = 5, kAimDownLeft = 6, kAimEnemy = 8;

// Segment lengths and how long Space is held, in frames.
constexpr int kSegmentFrames = 20;
constexpr int kShuffleFrames = 6;      // a short step, to line up with an edge
constexpr int kFullJumpFrames = 10;    // Space held long enough for the highest jump
constexpr int kHopFrames = 3, kHopSegmentFrames = 12;
constexpr int kRocketJumpFrames = 30;  // the jump, the rocket under it and the flight
constexpr int kAirFrames = 10;         // shorter in the air, to steer the landing

// A segment: A or D held throughout, Space from its first frame, one rocket.
struct Action {
  int move = 0;         // -1 left, 0, 1 right
  int jumpFrames = 0;   // Space held for the first so many frames
  int fireFrame = -1;   // the frame the button goes down; the pointer moves the frame before
  int aim = kAimDown;
  int frames = kSegmentFrames;
};

std::vector<Action> GroundActions() {
  std::vector<Action> a;
  for (int m : {-1, 0, 1}) a.push_back({m, 0, -1, 0, kSegmentFrames});
  for (int m : {-1, 1}) a.push_back({m, 0, -1, 0, kShuffleFrames});
  for (int m : {-1, 0, 1}) a.push_back({m, kFullJumpFrames, -1, 0, kSegmentFrames});
  for (int m : {-1, 1}) a.push_back({m, kHopFrames, -1, 0, kHopSegmentFrames});
  for (int aim = 0; aim < kAimEnemy; ++aim) a.push_back({0, 0, 1, aim, kSegmentFrames});
  a.push_back({0, 0, 1, kAimEnemy, kSegmentFrames});
  for (int m : {-1, 0, 1}) a.push_back({m, kFullJumpFrames, 1, kAimDown, kRocketJumpFrames});
  a.push_back({1, kFullJumpFrames, 1, kAimDownLeft, kRocketJumpFrames});
  a.push_back({-1, kFullJumpFrames, 1, kAimDownRight, kRocketJumpFrames});
  return a;
}

std::vector<Action> AirActions() {
  std::vector<Action> a;
  for (int m : {-1, 0, 1}) a.push_back({m, 0, -1, 0, kAirFrames});
  a.push_back({0, 0, 1, kAimEnemy, kAirFrames});
  return a;
}

struct Window {
  int width = kDefaultWindowWidth, height = kDefaultWindowHeight;
  float dt = kDefaultFrameTime;
};

// Path costs in cells from every place to one treasure, over blocks where
// the player's box fits: going down is free, up needs ground within a jump
// (or, dearer, a rocket jump), stone may be blasted through at a price, lava
// costs dearly and obsidian never opens.
class Guide {
 public:
  Guide(const world::PixelGrid& grid, const std::vector<glm::vec2>& treasures) {
    w_ = static_cast<int>(grid.width) / kGuideBlock;
    h_ = static_cast<int>(grid.height) / kGuideBlock;
    const int W = static_cast<int>(grid.width), H = static_cast<int>(grid.height);
    auto sum = [&](auto test) {
      std::vector<int> s(static_cast<std::size_t>(W + 1) * (H + 1), 0);
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
          s[(y + 1) * (W + 1) + x + 1] = s[y * (W + 1) + x + 1] + s[(y + 1) * (W + 1) + x] -
                                         s[y * (W + 1) + x] + (test(grid.At(x, y).material) ? 1 : 0);
      return s;
    };
    const auto solid = sum([](world::Material m) { return world::IsSolid(m); });
    const auto obsidian = sum([](world::Material m) { return m == world::OBSIDIAN; });
    const auto lava = sum([](world::Material m) { return m == world::LAVA; });
    // Rows from each cell down to the nearest solid cell at or below it.
    std::vector<int> drop(static_cast<std::size_t>(W) * H);
    for (int x = 0; x < W; ++x) {
      int last = -kNoGround;
      for (int y = 0; y < H; ++y) {
        if (world::IsSolid(grid.At(x, y).material)) last = y;
        drop[y * W + x] = y - last;
      }
    }
    penalty_.assign(static_cast<std::size_t>(w_) * h_, kUnreachable);
    support_.assign(penalty_.size(), kUnreachable);
    for (int by = 0; by < h_; ++by) {
      for (int bx = 0; bx < w_; ++bx) {
        const glm::ivec2 c = Centre(bx, by);
        const int x0 = c.x - static_cast<int>(kGuideHalfBox), x1 = c.x + static_cast<int>(kGuideHalfBox);
        const int y0 = c.y - static_cast<int>(kGuideHalfBox), y1 = c.y + static_cast<int>(kGuideHalfBox);
        if (x0 < 0 || y0 < 1 || x1 > W || y1 > H) continue;
        auto count = [&](const std::vector<int>& s) {
          return s[y1 * (W + 1) + x1] - s[y0 * (W + 1) + x1] - s[y1 * (W + 1) + x0] + s[y0 * (W + 1) + x0];
        };
        if (count(obsidian) > 0) continue;
        float p = 0.0f;
        if (count(solid) > 0) p += kBlastPenalty;
        if (count(lava) > 0) p += kLavaPenalty;
        penalty_[Index(bx, by)] = p;
        int below = kNoGround;
        for (int x = x0; x < x1; ++x) below = std::min(below, drop[(y0 - 1) * W + x]);
        support_[Index(bx, by)] = static_cast<float>(below);
      }
    }
    for (glm::vec2 t : treasures) fields_.push_back(Field(t));
  }

  // From the player's centre (cells) to the nearest treasure not collected.
  float Distance(glm::vec2 at, const std::vector<bool>& collected) const {
    const int bx = std::clamp(static_cast<int>(at.x) / kGuideBlock, 1, w_ - 2);
    const int by = std::clamp(static_cast<int>(at.y) / kGuideBlock, 1, h_ - 2);
    float best = kUnreachable;
    for (std::size_t t = 0; t < fields_.size(); ++t) {
      if (collected[t]) continue;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) best = std::min(best, fields_[t][Index(bx + dx, by + dy)]);
    }
    return best;
  }

 private:
  glm::ivec2 Centre(int bx, int by) const {
    return {bx * kGuideBlock + kGuideBlock / 2, by * kGuideBlock + kGuideBlock / 2};
  }
  std::size_t Index(int bx, int by) const { return static_cast<std::size_t>(by) * w_ + bx; }

  // The cost of moving from a neighbour into block b in direction (dx, dy).
  float StepCost(std::size_t b, int dx, int dy) const {
    const float length = (dx != 0 && dy != 0) ? kDiagonalLength : 1.0f;
    const float s = support_[b];
    float k;
    if (dy < 0) k = kOnFoot;
    else if (dy == 0) k = s <= kJumpReach ? kOnFoot : s <= kRocketReach ? kRocketAcross : kOverTheVoid;
    else k = s <= kJumpReach ? kOnFoot : s <= kRocketReach ? kRocketUp : kUnreachable;
    return length * k * kGuideBlock + penalty_[b];
  }

  std::vector<float> Field(glm::vec2 target) const {
    std::vector<float> d(penalty_.size(), kUnreachable);
    using Item = std::pair<float, std::size_t>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> open;
    const int tx = std::clamp(static_cast<int>(target.x) / kGuideBlock, 0, w_ - 1);
    const int ty = std::clamp(static_cast<int>(target.y) / kGuideBlock, 0, h_ - 1);
    d[Index(tx, ty)] = 0.0f;
    open.push({0.0f, Index(tx, ty)});
    while (!open.empty()) {
      const auto [cost, b] = open.top();
      open.pop();
      if (cost > d[b] || !std::isfinite(penalty_[b])) continue;
      const int bx = static_cast<int>(b % w_), by = static_cast<int>(b / w_);
      // Relax the moves that end in b, from each neighbour a.
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int ax = bx - dx, ay = by - dy;
          if ((dx == 0 && dy == 0) || ax < 0 || ay < 0 || ax >= w_ || ay >= h_) continue;
          const std::size_t a = Index(ax, ay);
          if (!std::isfinite(penalty_[a])) continue;
          const float next = cost + StepCost(b, dx, dy);
          if (next < d[a]) {
            d[a] = next;
            open.push({next, a});
          }
        }
      }
    }
    return d;
  }

  int w_ = 0, h_ = 0;
  std::vector<float> penalty_, support_;
  std::vector<std::vector<float>> fields_;
};

const game::Character* NearestEnemy(const game::Level& level) {
  const game::Character* best = nullptr;
  float bestDistance = kEnemyAimCells * level.grid.cellSize;
  ForEachEnemy(level, [&](const game::Character& e) {
    const float d = glm::length(e.position - level.player.position);
    if (e.active && d < bestDistance) {
      best = &e;
      bestDistance = d;
    }
  });
  return best;
}

// The pointer, in window pixels, that aims the next frame's rocket along
// `direction`: as far out as the window allows, up to kAimReachCells.
void AimPointer(const game::Level& level, glm::vec2 direction, const Window& w, Frame& f) {
  const float S = level.grid.cellSize;
  const glm::vec3 p = level.player.position + level.player.velocity * w.dt;  // where it fires from
  const glm::vec2 on(p.x - level.camera.position.x, p.y - level.camera.position.y);  // y up from the bottom
  const glm::vec2 d = glm::normalize(direction);
  float reach = kAimReachCells * S;
  if (d.x > 0.0f) reach = std::min(reach, (static_cast<float>(w.width) - 2.0f - on.x) / d.x);
  if (d.x < 0.0f) reach = std::min(reach, (1.0f - on.x) / d.x);
  if (d.y > 0.0f) reach = std::min(reach, (static_cast<float>(w.height) - 2.0f - on.y) / d.y);
  if (d.y < 0.0f) reach = std::min(reach, (1.0f - on.y) / d.y);
  reach = std::max(reach, kMinAimCells * S);
  f.cursorX = static_cast<int>(std::lround(on.x + d.x * reach));
  f.cursorY = static_cast<int>(std::lround(static_cast<float>(w.height) - (on.y + d.y * reach)));
}

game::FrameInput InputOf(const Frame& f, const Window& w) {
  game::FrameInput in;
  in.controls = f.controls;
  in.cursorX = f.cursorX;
  in.cursorY = f.cursorY;
  in.windowWidth = w.width;
  in.windowHeight = w.height;
  return in;
}

// The level (its random generator travels in it) with the world's clock,
// which lives outside it.
struct State {
  game::Level level;
  world::PlayClock clock;
  Frame last;  // the pointer stays where the last frame left it
  int rockets = 0;
};

// Called after each frame with the frame's input and the level it left.
using FrameHook = std::function<void(const Frame&, const game::Level&)>;

// Runs one segment.
void Run(State& s, const Action& a, const Window& w, const FrameHook* hook) {
  for (int k = 0; k < a.frames && s.level.outcome == game::Outcome::None; ++k) {
    Frame f = s.last;
    f.controls = {a.move < 0, a.move > 0, k < a.jumpFrames, k == a.fireFrame};
    if (k == a.fireFrame - 1) {
      const game::Character* enemy = a.aim == kAimEnemy ? NearestEnemy(s.level) : nullptr;
      const glm::vec2 d = enemy ? glm::vec2(enemy->position - s.level.player.position)
                                : glm::vec2(kAims[a.aim][0], kAims[a.aim][1]);
      AimPointer(s.level, d, w, f);
    }
    const float cooldown = s.level.player.rocketCooldown;
    StepAtClock(s.level, InputOf(f, w), w.dt, s.clock);
    if (s.level.player.rocketCooldown > cooldown) ++s.rockets;
    if (hook) (*hook)(f, s.level);
    s.last = f;
  }
}

std::vector<bool> Collected(const game::Level& level) {
  std::vector<bool> c;
  for (const auto& t : level.treasures) c.push_back(!t.active);
  return c;
}

int DeadEnemies(const game::Level& level) {
  const std::size_t all = level.bats.size() + level.meleeEnemies.size() + level.rifleEnemies.size() +
                          level.rocketEnemies.size() + level.gunners.size();
  return static_cast<int>(all - game::ActiveEnemies(level));
}

// Solid cells around the player, coarsely: a blasted wall is a new place.
int TerrainKey(const world::PixelGrid& g, glm::ivec2 c) {
  int n = 0;
  for (int y = c.y - kTerrainBelow; y < c.y + kTerrainAbove; ++y)
    for (int x = c.x - kTerrainSide; x < c.x + kTerrainSide; ++x) n += world::IsSolid(g.MaterialAt(x, y)) ? 1 : 0;
  return n / kTerrainGrain;
}

struct Node {
  int parent = -1;
  Action action;
  long long frames = 0;
  int depth = 0;
  double worth = 0.0;  // within its place: health kept, time spent
  double priority = 0.0;
  bool replaced = false;
};

// A saved state: the level without its grid's cells, and the cells that
// differ from the start's (a few thousand of a few hundred thousand).
struct Packed {
  State state;
  std::vector<std::pair<std::uint32_t, world::Cell>> changed;
};

class Search {
 public:
  Search(State root, const Window& w, std::size_t memoryBytes)
      : w_(w), memoryBytes_(memoryBytes), guide_(root.level.grid, TreasureCells(root.level)) {
    nodes_.push_back(Node{});
    root_ = std::move(root);
    const game::Level& l = root_.level;
    stateBytes_ = sizeof(State) + l.rockets.objects.size() * sizeof(game::Rocket) +
                  l.bullets.objects.size() * sizeof(game::Bullet) + l.smoke.objects.size() * sizeof(game::Particle) +
                  l.text.objects.size() * sizeof(game::TextParticle) + l.grid.sleep.Bytes();
  }

  // The winning path's segments, or empty when the budget ran out.
  std::vector<Action> Find(long long budgetFrames) {
    const auto ground = GroundActions(), air = AirActions();
    open_.push({0.0, 0});
    long long spent = 0;
    while (!open_.empty() && spent < budgetFrames) {
      const auto [priority, index] = open_.top();
      open_.pop();
      if (nodes_[index].replaced) continue;
      if (expansions_ % kReportEvery == 0) {
        std::fprintf(stderr, "route: %d expansions, %lld frames run, %lld replayed, %zu states saved; at %lld: %.0f\n",
                     expansions_, spent, replayed_, saved_.size(), nodes_[index].frames, priority);
      }
      ++expansions_;
      const State parent = Restore(index);
      Forget(index);
      const auto& actions = parent.level.player.IsOnGround() ? ground : air;
      for (const Action& a : actions) {
        if (a.fireFrame >= 0 && !(parent.level.player.rocketCooldown < a.fireFrame * w_.dt)) continue;
        if (a.aim == kAimEnemy && !NearestEnemy(parent.level)) continue;
        child_ = parent;  // into the same buffers every time
        Run(child_, a, w_, nullptr);
        spent += a.frames;
        if (child_.level.outcome == game::Outcome::Victory) return Path(index, a);
        if (child_.level.outcome == game::Outcome::Defeat || !child_.level.player.IsAlive()) continue;
        Add(index, a, child_);
      }
    }
    std::fprintf(stderr, "route: gave up after %d expansions, %lld frames run\n", expansions_, spent);
    return {};
  }

  const State& Root() const { return root_; }

 private:
  static constexpr int kAnchorEvery = 8;  // expanded states kept for replays, one generation in so many

  static std::vector<glm::vec2> TreasureCells(const game::Level& level) {
    std::vector<glm::vec2> cells;
    for (const auto& t : level.treasures) cells.push_back(glm::vec2(t.position) / level.grid.cellSize);
    return cells;
  }

  std::vector<Action> Path(int index, const Action& last) const {
    std::vector<Action> path{last};
    for (int i = index; i > 0; i = nodes_[i].parent) path.push_back(nodes_[i].action);
    std::reverse(path.begin(), path.end());
    return path;
  }

  // Keeps the child when its place is new or it is worth more there.
  void Add(int parent, const Action& a, State& child) {
    const game::Level& l = child.level;
    const long long frames = nodes_[parent].frames + a.frames;
    const float S = l.grid.cellSize;
    const glm::vec2 at(l.player.position.x / S, l.player.position.y / S);
    const std::vector<bool> collected = Collected(l);
    std::uint64_t mask = 0;
    for (std::size_t t = 0; t < collected.size(); ++t) mask |= collected[t] ? (1ull << t) : 0;
    const glm::ivec2 cell(static_cast<int>(at.x), static_cast<int>(at.y));
    const std::uint64_t key = (mask << kTreasureBitsAt) ^
                              (static_cast<std::uint64_t>(cell.x / kPlaceCells) << kColumnBitsAt) ^
                              (static_cast<std::uint64_t>(cell.y / kPlaceCells) << kRowBitsAt) ^
                              (static_cast<std::uint64_t>(TerrainKey(l.grid, cell)) << kTerrainBitsAt) ^
                              (l.player.IsOnGround() ? 1u : 0u);
    const double worth = kHealthWorth * l.player.GetHealth() - kSecondWorth * frames * w_.dt +
                         kEnemyWorth * DeadEnemies(l) - kRocketWorth * child.rockets;
    auto found = places_.find(key);
    if (found != places_.end() && nodes_[found->second].worth >= worth) return;
    const float distance = guide_.Distance(at, collected);
    if (!std::isfinite(distance)) return;
    if (found != places_.end()) {
      nodes_[found->second].replaced = true;
      Forget(found->second);
    }
    const int index = static_cast<int>(nodes_.size());
    const double priority = kTreasureWorth * static_cast<double>(std::popcount(mask)) - distance + worth;
    nodes_.push_back(Node{parent, a, frames, nodes_[parent].depth + 1, worth, priority, false});
    places_[key] = index;
    open_.push({priority, index});
    Save(index, child);
  }

  std::size_t Bytes(const Packed& p) const { return stateBytes_ + p.changed.size() * sizeof(p.changed[0]); }

  // Saves a state, giving up the least promising saved ones beyond the memory allowed.
  void Save(int index, State& state) {
    Packed p;
    const std::vector<world::Cell>& start = root_.level.grid.cells;
    std::vector<world::Cell> cells;
    cells.swap(state.level.grid.cells);
    for (std::size_t i = 0; i < cells.size(); ++i)
      if (std::memcmp(&cells[i], &start[i], sizeof(world::Cell)) != 0)
        p.changed.emplace_back(static_cast<std::uint32_t>(i), cells[i]);
    p.state = state;
    cells.swap(state.level.grid.cells);
    bytes_ += Bytes(p);
    saved_.emplace(index, std::move(p));
    byPriority_.insert({nodes_[index].priority, index});
    while (bytes_ > memoryBytes_ && !byPriority_.empty()) Drop(byPriority_.begin()->second);
  }

  void Drop(int index) {
    auto it = saved_.find(index);
    if (it == saved_.end()) return;
    bytes_ -= Bytes(it->second);
    byPriority_.erase({nodes_[index].priority, index});
    saved_.erase(it);
  }

  // An expanded or replaced state is needed again only to replay its descendants.
  void Forget(int index) {
    if (nodes_[index].depth % kAnchorEvery != 0) Drop(index);
  }

  // The state after node `index`: unpacked, or replayed from the nearest
  // saved ancestor.
  State Restore(int index) {
    std::vector<int> chain;
    int i = index;
    for (; i > 0 && !saved_.count(i); i = nodes_[i].parent) chain.push_back(i);
    State s;
    if (i == 0) {
      s = root_;
    } else {
      const Packed& p = saved_.at(i);
      s = p.state;
      s.level.grid.cells = root_.level.grid.cells;
      for (const auto& [at, cell] : p.changed) s.level.grid.cells[at] = cell;
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      Run(s, nodes_[*it].action, w_, nullptr);
      replayed_ += nodes_[*it].action.frames;
    }
    return s;
  }

  Window w_;
  std::size_t memoryBytes_;
  std::size_t stateBytes_ = 0;
  std::size_t bytes_ = 0;
  Guide guide_;
  State root_;
  State child_;
  std::vector<Node> nodes_;
  std::unordered_map<std::uint64_t, int> places_;
  std::priority_queue<std::pair<double, int>> open_;
  std::unordered_map<int, Packed> saved_;
  std::set<std::pair<double, int>> byPriority_;
  int expansions_ = 0;
  long long replayed_ = 0;
};

// Replays the path from the start and prints it as an input script, with
// the player's place every kCheckpointEvery frames for `play` to compare.
void PrintRoute(const std::string& levelPath, const State& root, const std::vector<Action>& path, const Window& w) {
  State s = root;
  RunStats stats;
  std::vector<std::string> lines;
  Frame before;
  long long n = 0;
  const float S = s.level.grid.cellSize;
  char text[128];
  auto line = [&](const char* format, auto... values) {
    std::snprintf(text, sizeof text, format, n, values...);
    lines.push_back(text);
  };
  auto key = [&](bool now, bool was, const char* name) {
    if (now != was) line("%lld %s %s", name, now ? "press" : "release");
  };
  const FrameHook emit = [&](const Frame& f, const game::Level& level) {
    if (n == 0 || f.cursorX != before.cursorX || f.cursorY != before.cursorY)
      line("%lld cursor %d %d", f.cursorX, f.cursorY);
    key(f.controls.left, before.controls.left, "key A");
    key(f.controls.right, before.controls.right, "key D");
    key(f.controls.jump, before.controls.jump, "key SPACE");
    key(f.controls.fire, before.controls.fire, "mouse LEFT");
    before = f;
    stats.Observe(level, w.width, w.height);
    if (n % kCheckpointEvery == 0)
      line("# at %lld %.2f %.2f", level.player.position.x / S, level.player.position.y / S);
    ++n;
  };
  for (const Action& a : path) Run(s, a, w, &emit);
  const std::string name = levelPath.substr(levelPath.find_last_of('/') + 1);
  std::printf("# %s at %dx%d, frames of %.9g s, %s %lld: a route found by sandrift-level route\n", name.c_str(),
              w.width, w.height, static_cast<double>(w.dt), root.clock.running ? "--clock-start" : "--clock",
              root.clock.start);
  std::printf("# %s after %lld frames (%.1f s), health lost %d, rockets %d, enemies met %d\n",
              s.level.outcome == game::Outcome::Victory ? "victory" : "no victory", n,
              static_cast<double>(n) * w.dt, stats.healthLost, stats.rocketsFired, stats.enemiesMet);
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
}

}  // namespace

int Route(const std::string& levelPath, const std::vector<std::string>& options, std::string& usageError) {
  Window w;
  long long width = w.width, height = w.height, budget = kDefaultBudgetFrames, memory = kDefaultMemoryMiB;
  State root;
  const bool parsed = ParseOptions(options, usageError, [&](const std::string& option, const std::string& value) {
    if (option == "--window") return ParseWindow(value, width, height) ? 1 : 0;
    if (option == "--fixed-dt") return ParseFloat(value, w.dt) && w.dt > 0.0f ? 1 : 0;
    if (const int taken = TakeClockOption(option, value, root.clock); taken >= 0) return taken;
    if (option == "--budget") return ParseWhole(value, budget) && budget > 0 ? 1 : 0;
    if (option == "--memory") return ParseWhole(value, memory) && memory > 0 ? 1 : 0;
    return -1;
  });
  if (!parsed) return -1;
  w.width = static_cast<int>(width);
  w.height = static_cast<int>(height);
  w.dt = std::min(w.dt, kMaxFrameTime);

  if (!LoadLevel(levelPath, width, root.clock, root.level)) return kExitBadFile;
  const world::PixelGrid& grid = root.level.grid;
  if (root.level.treasures.size() > static_cast<std::size_t>(kMaxTreasures)) {
    std::printf("%s: %zu treasure boxes; a route can be searched for at most %d\n", levelPath.c_str(),
                root.level.treasures.size(), kMaxTreasures);
    return kExitBadFile;
  }
  if (grid.width < kMinSearchCells || grid.height < kMinSearchCells) {
    std::printf("%s: %u x %u cells; a route can be searched for in at least %d x %d\n", levelPath.c_str(),
                grid.width, grid.height, kMinSearchCells, kMinSearchCells);
    return kExitBadFile;
  }
  Search search(root, w, static_cast<std::size_t>(memory) << 20);
  const std::vector<Action> path = search.Find(budget);
  if (path.empty()) return kExitGaveUp;
  PrintRoute(levelPath, search.Root(), path, w);
  return kExitFound;
}

}  // namespace level_tool
