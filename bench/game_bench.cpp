// One frame of the gameplay steps at full load: every pool full.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "game/particles.h"
#include "game/player.h"
#include "game/random.h"
#include "game/weapons.h"
#include "world/pixel_grid.h"

using namespace game;

namespace {

constexpr float kFrame = 1.0f / 60.0f;
constexpr float kCell = 5.0f;  // a 1920 x 1080 window
constexpr int kWidth = 1536, kHeight = 864;
constexpr int kGround = 300;   // rows of terrain under the open sky

std::uint32_t Hash(int x, int y) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

// Stone ground with sand on top, a water pool and a lava pool, open air above.
void PaintWorld(world::PixelGrid& grid) {
  for (int x = 0; x < kWidth; ++x) {
    const int surface = kGround + static_cast<int>(Hash(x / 32, 0) % 24);
    for (int y = 0; y < surface; ++y) {
      world::Material m = world::STONE;
      if (y > surface - 6) m = world::SAND;
      if (x > 400 && x < 520 && y > kGround - 40) m = world::WATER;
      if (x > 900 && x < 960 && y > kGround - 20) m = world::LAVA;
      grid.SetCell(x, y, m, 0.0f, 0.0f, false);
    }
  }
}

struct Scene {
  world::PixelGrid grid{kWidth, kHeight, kCell};
  Player player;
  Camera camera;
  std::vector<BatEnemy> bats;
  std::vector<GroundCharacter> melee;
  std::vector<RifleEnemy> rifles;
  std::vector<RocketEnemy> rocketEnemies;
  std::vector<MachineGunner> gunners;
  RocketPool rockets = MakeRocketPool();
  BulletPool bullets = MakeBulletPool();
  ParticlePool smoke = MakeSmokePool();
  TextParticlePool text = MakeTextPool();
  Random random;
  Playfield field;

  Scene() {
    PaintWorld(grid);
    player = PlayerOnFloor(200);
    for (int i = 0; i < 6; ++i) {
      const Walker w = PlayerOnFloor(300 + i * 180);
      melee.emplace_back(w);
      rifles.emplace_back(w);
      rocketEnemies.emplace_back(w);
      gunners.emplace_back(w);
      bats.emplace_back(FlyingCharacter(w, 100 * kCell, 200 * kCell), kCell);
      bats.back().position.y += 200 * kCell;
      bats.back().turnRate = RandomFloat(random, -kBatTurnRateLimit, kBatTurnRateLimit);
    }
    random = Random{1};
    // Projectiles and particles spread over the sky, flying every way.
    auto skyPoint = [](int i, int n) {
      return glm::vec3((40.0f + (i * 997 % n) * (kWidth - 80.0f) / n) * kCell,
                       (kGround + 80.0f + (i * 31 % 400)) * kCell, 0.0f);
    };
    for (std::size_t i = 0; i < rockets.objects.size(); ++i) {
      Rocket& r = rockets.objects[i];
      r.position = glm::vec3((60.0f + (i % 20) * 70.0f) * kCell, (kGround + 100.0f + (i / 20) * 60.0f) * kCell, 0);
      r.velocity = glm::vec3(RandomFloat(random, -300, 300), RandomFloat(random, -300, 300), 0) * kCell;
      r.scale = glm::vec2(4 * kCell);
      r.SetMass(0.5f);
      r.drag = 0.05f;
      r.active = true;
    }
    for (std::size_t i = 0; i < bullets.objects.size(); ++i) {
      Bullet& b = bullets.objects[i];
      b.position = skyPoint(static_cast<int>(i), 500) + glm::vec3(0, 0, 0);
      b.velocity = glm::vec3(RandomFloat(random, -200, 200), RandomFloat(random, -200, 200), 0) * kCell;
      b.scale = glm::vec2(4 * kCell);
      b.damage = 20;
      b.active = true;
    }
    for (std::size_t i = 0; i < smoke.objects.size(); ++i) {
      Particle& p = smoke.objects[i];
      p.position = skyPoint(static_cast<int>(i), 1000);
      p.velocity = glm::vec3(RandomFloat(random, -50, 50), RandomFloat(random, -50, 50), 0) * kCell;
      p.acceleration = glm::vec3(0, 98.1f * kCell, 0);
      p.sprite = MakeSprite(Sheet::Smoke, 4, 0, kDefaultFrameTime, true, false);
      p.scale = glm::vec2(2 * kCell);
      p.drag = 1.5f;
      p.SetMass(0.5f);
      p.lifetime = 4.0f;
      p.active = true;
    }
    for (std::size_t i = 0; i < text.objects.size(); ++i) {
      TextParticle& t = text.objects[i];
      t.position = skyPoint(static_cast<int>(i), 1000);
      t.velocity = glm::vec3(0, 50 * kCell, 0);
      t.acceleration = glm::vec3(0, -98.1f * kCell, 0);
      t.text = "25";
      t.scale = glm::vec2(1.0f);
      t.lifetime = 2.0f;
      t.active = true;
    }
    field.grid = &grid;
    field.cellSize = kCell;
    field.player = &player;
    field.camera = &camera;
    field.bats = bats;
    field.meleeEnemies = melee;
    field.rifleEnemies = rifles;
    field.rocketEnemies = rocketEnemies;
    field.gunners = gunners;
    field.smoke = &smoke;
    field.text = &text;
    field.random = &random;
  }

  Player PlayerOnFloor(float x) {
    Player p = MakePlayer(kCell, glm::vec3(x * kCell, (kGround + 40.0f) * kCell, 0));
    p.active = true;
    SimulatePlayer(p, grid, kCell, {}, 120, kFrame);
    return p;
  }

  void Frame() {
    UpdatePlayer(player, field, kFrame);
    UpdateParticles(smoke, kFrame, kCell);
    UpdateParticles(text, kFrame, kCell);
    UpdateRockets(rockets, field, kFrame);
    UpdateBullets(bullets, field, kFrame);
  }
};

// Copies without reallocating: same sizes, short strings.
template <class T>
void Restore(std::vector<T>& to, const std::vector<T>& from) {
  std::copy(from.begin(), from.end(), to.begin());
}

void BM_GameFrameFullLoad(benchmark::State& state) {
  Scene scene;
  const Scene start = scene;
  std::size_t live = 0;
  for (auto _ : state) {
    state.PauseTiming();
    scene.player = start.player;
    Restore(scene.rockets.objects, start.rockets.objects);
    Restore(scene.bullets.objects, start.bullets.objects);
    Restore(scene.smoke.objects, start.smoke.objects);
    Restore(scene.text.objects, start.text.objects);
    state.ResumeTiming();
    scene.Frame();
    live = scene.rockets.ActiveCount() + scene.bullets.ActiveCount();
    benchmark::DoNotOptimize(live);
  }
  state.counters["projectiles_left"] = static_cast<double>(live);
  state.SetItemsProcessed(state.iterations() * (100 + 500 + 1000 + 1000));
}
BENCHMARK(BM_GameFrameFullLoad)->Unit(benchmark::kMicrosecond);

}  // namespace
