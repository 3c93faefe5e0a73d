#include "game/level.h"

#include <cstdio>
#include <utility>

#include <glm/geometric.hpp>

#include "game/particles.h"
#include "game/random.h"
#include "game/weapons.h"

namespace game {
namespace {

constexpr float kBoxHalfSizeCells = 8.0f;
constexpr unsigned kTreasureFrames = 6;
constexpr float kTreasureFrameTime = 0.125f;
constexpr unsigned kHealthFrames = 2;
constexpr float kHealthFrameTime = 0.1f;
constexpr int kHealthBoxHeal = 25;

constexpr float kShakeDamping = 10.0f;  // per second: a shake is gone in about 0.1 s
constexpr double kLookShare = 0.5;      // of the way to the cursor, while looking
constexpr float kWindVolumePerSpeed2 = 0.00003f;  // full volume at about 183 cells per second
constexpr float kWindPitchPerSpeed = 0.02f;
constexpr float kMinWindPitch = 0.8f, kMaxWindPitch = 1.2f;

glm::vec3 AtCell(world::CellPos c, float S) {
  return glm::vec3(static_cast<float>(c.x) * S, static_cast<float>(c.y) * S, 0.0f);
}

GameObject MakeBox(Sheet sheet, unsigned frames, float frameTime, float S, glm::vec3 position) {
  const float half = kBoxHalfSizeCells * S;
  GameObject box(MakeSprite(sheet, frames, 0, frameTime, true, false), position, glm::vec3(0.0f), glm::vec3(0.0f),
                 0.0f, 0.0f, glm::vec2(half, half), 0.0f, true);
  box.active = true;
  return box;
}

template <class T, class Make>
std::vector<T> OnePerMarker(const std::vector<world::CellPos>& markers, float S, Make make) {
  std::vector<T> objects;
  objects.reserve(markers.size());
  for (world::CellPos m : markers) objects.push_back(make(AtCell(m, S)));
  return objects;
}

Playfield FieldOf(Level& level) {
  Playfield f;
  f.grid = &level.grid;
  f.cellSize = level.grid.cellSize;
  f.player = &level.player;
  f.camera = &level.camera;
  f.bats = level.bats;
  f.meleeEnemies = level.meleeEnemies;
  f.rifleEnemies = level.rifleEnemies;
  f.rocketEnemies = level.rocketEnemies;
  f.gunners = level.gunners;
  f.rockets = &level.rockets;
  f.bullets = &level.bullets;
  f.smoke = &level.smoke;
  f.text = &level.text;
  f.sounds = &level.sounds;
  f.random = &level.random;
  return f;
}

void SetTreasureText(Level& level) {
  char text[32];
  const int n = std::snprintf(text, sizeof text, "%u / %zu", level.treasuresCollected, level.treasures.size());
  level.treasureText.assign(text, static_cast<std::size_t>(n));  // short: stays in the string's own buffer
}

void UpdateTreasures(Level& level, const Playfield& field, float dt) {
  for (GameObject& box : level.treasures) {
    if (!box.active) continue;
    box.Integrate(dt, field.cellSize);  // only animates: a box never moves
    if (!Overlaps(box, level.player)) continue;
    ++level.treasuresCollected;
    field.PlayPlain(Sfx::Treasure);
    box.active = false;
  }
}

// A player at full health passes through and leaves the box for later.
void UpdateHealthBoxes(Level& level, const Playfield& field, float dt) {
  Player& player = level.player;
  for (GameObject& box : level.healthBoxes) {
    if (!box.active) continue;
    box.Integrate(dt, field.cellSize);
    if (!Overlaps(box, player) || !(player.GetHealth() < player.GetMaxHealth())) continue;
    field.PlayPlain(Sfx::Healing);
    player.AddHealth(kHealthBoxHeal);
    box.active = false;
  }
}

// A full cross-fade takes one second; the wind grows with the player's speed.
void MixMusicAndWind(Level& level, bool combat, float dt) {
  if (combat) {
    level.musicMix -= dt;
    if (level.musicMix < 0.0f) level.musicMix = 0.0f;
  } else {
    level.musicMix += dt;
    if (level.musicMix > 1.0f) level.musicMix = 1.0f;
  }
  const float v = glm::length(level.player.velocity) / level.grid.cellSize;
  level.windVolume = v * v * kWindVolumePerSpeed2;
  if (level.windVolume > 1.0f) level.windVolume = 1.0f;
  level.windPitch = RandomFloat(level.random, kMinWindPitch, kMaxWindPitch) * v * kWindPitchPerSpeed;
}

// The world is simulated around the view as drawn, shake included, so the
// screen draws the grid from this origin and the next step centres on it.
void ViewFromCamera(Level& level) {
  const Camera& c = level.camera;
  const float S = level.grid.cellSize;
  level.grid.viewOrigin = {(c.position.x + c.shake.x) / S, (c.position.y + c.shake.y) / S};
}

FrameResult ResultOf(Level& level, bool frozen) {
  FrameResult r;
  r.sounds = level.sounds.Events();
  r.frozen = frozen;
  r.exploreVolume = level.musicMix;
  r.combatVolume = 1.0f - level.musicMix;
  r.windVolume = level.windVolume;
  r.windPitch = level.windPitch;
  r.playerAlive = level.player.IsAlive();
  r.allTreasureCollected = level.treasuresCollected == level.treasures.size();
  return r;
}

}  // namespace

Level MakeLevel(world::PixelGrid grid, float musicMix, Random random) {
  Level level;
  const float S = grid.cellSize;
  level.grid = std::move(grid);
  const world::PixelGrid& g = level.grid;
  level.player = MakePlayer(S, AtCell(g.playerSpawn, S));
  level.player.active = true;
  level.player.rocketCooldown = 0.0f;
  level.camera = Camera(GameObject(StillSprite(Sheet::None), glm::vec3(0.0f), glm::vec3(0.0f), glm::vec3(0.0f), 0.0f,
                                   0.0f, glm::vec2(1.0f), 0.0f, false),
                        glm::vec3(0.0f));
  level.camera.active = true;
  level.treasures = OnePerMarker<GameObject>(g.treasureMarkers, S, [&](glm::vec3 p) {
    return MakeBox(Sheet::Treasure, kTreasureFrames, kTreasureFrameTime, S, p);
  });
  level.healthBoxes = OnePerMarker<GameObject>(g.healthMarkers, S, [&](glm::vec3 p) {
    return MakeBox(Sheet::Health, kHealthFrames, kHealthFrameTime, S, p);
  });
  level.bats = OnePerMarker<BatEnemy>(g.batMarkers, S, [&](glm::vec3 p) { return MakeBat(S, p); });
  level.meleeEnemies =
      OnePerMarker<GroundCharacter>(g.meleeMarkers, S, [&](glm::vec3 p) { return MakeMeleeEnemy(S, p); });
  level.rifleEnemies = OnePerMarker<RifleEnemy>(g.rifleMarkers, S, [&](glm::vec3 p) { return MakeRifleEnemy(S, p); });
  level.rocketEnemies =
      OnePerMarker<RocketEnemy>(g.rocketMarkers, S, [&](glm::vec3 p) { return MakeRocketEnemy(S, p); });
  level.gunners = OnePerMarker<MachineGunner>(g.gunnerMarkers, S, [&](glm::vec3 p) { return MakeGunner(S, p); });
  level.rockets = MakeRocketPool();
  level.bullets = MakeBulletPool();
  level.smoke = MakeSmokePool();
  level.text = MakeTextPool();
  level.scout = MakeScout(S);
  level.musicMix = musicMix;
  level.random = random;
  for (BatEnemy& bat : level.bats) bat.turnRate = RandomFloat(level.random, -kBatTurnRateLimit, kBatTurnRateLimit);
  ViewFromCamera(level);
  SetTreasureText(level);
  return level;
}

void UpdateCamera(Camera& camera, Player& player, const FrameInput& input, const world::PixelGrid& grid, float dt,
                  Random& random) {
  const int W = input.windowWidth, H = input.windowHeight;
  float baseX = player.position.x - static_cast<float>(W / 2);
  float baseY = player.position.y - static_cast<float>(H / 2);
  // The cursor in the world, through last frame's camera, in double precision.
  const double wx = input.cursorX + camera.position.x;
  const double wy = (H - input.cursorY) + camera.position.y;
  player.target = glm::vec3(static_cast<float>(wx), static_cast<float>(wy), 0.0f);
  const double dx = wx - player.position.x, dy = wy - player.position.y;

  camera.ShuffleShake(random);
  camera.DampShake(1.0f - kShakeDamping * dt);
  if (input.look) {
    baseX = static_cast<float>(baseX + dx * kLookShare);
    baseY = static_cast<float>(baseY + dy * kLookShare);
  }

  // Both limits scale with the level's width, so the vertical one fits the
  // level's top only for levels shaped like the window.
  const float width = static_cast<float>(W), height = static_cast<float>(H);
  float x = baseX, y = baseY;
  if (x < 0.0f) x = 0.0f;
  if (x > width * grid.gridScale - width) x = width * grid.gridScale - width;
  if (y < 0.0f) y = 0.0f;
  if (y > height * grid.gridScale - height) y = height * grid.gridScale - height;
  // A window taller than 16:9 would see above the top of a 16:9 level there.
  if (16 * H > 9 * W) {
    const float top = static_cast<float>(grid.height) * grid.cellSize - height;
    if (y > top) y = top;
    if (y < 0.0f) y = 0.0f;  // a level lower than the window rests on its bottom edge
  }
  camera.SetTarget(glm::vec3(x, y, 0.0f));
  camera.CameraFollow(dt);
}

FrameResult StepLevel(Level& level, const FrameInput& input, float dt) {
  level.sounds.Clear();
  if (input.paused || !input.focused) return ResultOf(level, true);

  const Playfield field = FieldOf(level);
  const float S = level.grid.cellSize;
  Player& player = level.player;
  level.elapsedTime += dt;
  // The input rules of the screen's ProcessInput, fire first, before the world moves.
  TryFirePlayerRocket(player, input.controls, level.rockets, field, false);
  PlayJumpSound(player, input.controls, field);
  if (player.active) ApplyPlayerControls(player, input.controls, dt);

  level.grid.StepGrid(dt);
  SetTreasureText(level);
  UpdatePlayer(player, field, dt);
  UpdateParticles(level.smoke, dt, S);
  UpdateParticles(level.text, dt, S);
  UpdateTreasures(level, field, dt);
  UpdateHealthBoxes(level, field, dt);
  const bool combat = UpdateEnemies(field, level.scout, dt);
  UpdateRockets(level.rockets, field, dt);
  UpdateBullets(level.bullets, field, dt);
  UpdateCamera(level.camera, player, input, level.grid, dt, level.random);
  if (level.treasuresCollected == level.treasures.size()) player.active = false;
  MixMusicAndWind(level, combat, dt);
  ViewFromCamera(level);

  const FrameResult result = ResultOf(level, false);
  if (level.outcome == Outcome::None && !result.playerAlive) level.outcome = Outcome::Defeat;
  if (level.outcome == Outcome::None && result.allTreasureCollected) level.outcome = Outcome::Victory;
  return result;
}

std::size_t ActiveEnemies(const Level& level) {
  std::size_t n = 0;
  auto count = [&n](const auto& collection) {
    for (const auto& e : collection) n += e.active ? 1 : 0;
  };
  count(level.bats);
  count(level.meleeEnemies);
  count(level.rifleEnemies);
  count(level.rocketEnemies);
  count(level.gunners);
  return n;
}

}  // namespace game
