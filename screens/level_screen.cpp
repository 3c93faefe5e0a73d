#include "screens/level_screen.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include "app/game_state.h"
#include "app/input.h"
#include "app/settings.h"
#include "app/trace.h"
#include "audio/audio.h"
#include "game/level.h"
#include "render/button.h"
#include "render/coverage.h"
#include "render/cursor.h"
#include "render/grid_view.h"
#include "render/sprite_renderer.h"
#include "render/text_renderer.h"
#include "screens/flags.h"
#include "screens/hud_text.h"
#include "screens/object_drawing.h"
#include "screens/screen_setup.h"
#include "screens/sound_player.h"
#include "world/level_image.h"

std::string LevelsFolder = "Assets//Levels";

namespace {

constexpr float kCursorSize = 16.0f;
constexpr float kWeaponHalfCells = 8.0f;
const glm::vec3 kWhite(1.0f);
const glm::vec3 kTextRim(20.0f / 255.0f, 12.0f / 255.0f, 28.0f / 255.0f);  // the pictures' ink
constexpr float kTextRimCells = 0.67f;  // two pixels in a 1152-wide window

// In the order they are loaded.
constexpr Picture kPictures[] = {
    {"OverlayTexture", "Assets//overlay.png", 0},
    {"optionsButtonTexture", "Assets//Sprites//options.png", 0},
    {"closeButtonTexture", "Assets//Sprites//close.png", 0},
    {"soundButtonTexture", "Assets//Sprites//unmute.png", 0},
    {"muteButtonTexture", "Assets//Sprites//mute.png", 0},
    {"backtomainButtonTexture", "Assets//Sprites//backtomain.png", 0},
    {"tomainButtonTexture", "Assets//Sprites//tomain.png", 0},
    {"backtogameButtonTexture", "Assets//Sprites//backtogame.png", 0},
    {"fpsButtonTexture", "Assets//Sprites//fps.png", 0},
    {"nofpsButtonTexture", "Assets//Sprites//nofps.png", 0},
    {"playerSprite", "Assets//Sprites//Pix//RunRight.png", 4},
    {"playerExplodeSprite", "Assets//Sprites//playerExplosion.png", 9},
    {"rocketLauncherSprite", "Assets//Sprites//Launcher.png", 0},
    {"rifleSprite", "Assets//Sprites//Rifle.png", 0},
    {"machineGunSprite", "Assets//Sprites//MachineGun.png", 0},
    {"rocketSprite", "Assets//Sprites//Rocket.png", 0},
    {"bulletSprite", "Assets//Sprites//Bullet.png", 0},
    {"explosionSprite", "Assets//Sprites//Explosion.png", 9},
    {"smokeSprite", "Assets//Sprites//Smoke.png", 4},
    {"winboxSprite", "Assets//Sprites//Treasure.png", 6},
    {"healboxSprite", "Assets//Sprites//Health.png", 2},
    {"batEnemySprite", "Assets//Sprites//Bat//Fly.png", 4},
    {"meleeEnemySprite", "Assets//Sprites//Melee//RunRight.png", 4},
    {"rifleEnemySprite", "Assets//Sprites//Rifle//RunRight.png", 4},
    {"rocketEnemySprite", "Assets//Sprites//Rocket//RunRight.png", 4},
    {"machineGunnerSprite", "Assets//Sprites//MachineGun//RunRight.png", 4},
    {"backtomainconfirmationSprite", "Assets//Sprites//backtomainconfirmation.png", 0},
    {"pauseSprite", "Assets//Sprites//pauseScreenSprite.png", 0},
    {"winSprite", "Assets//Sprites//winScreenSprite.png", 0},
    {"loseSprite", "Assets//Sprites//loseScreenSprite.png", 0},
    {"backgroundImage", "Assets//background.png", 0},
};

// The effects in the order they are created, with what the rules call them.
struct Effect {
  game::Sfx sfx;
  const char* path;
};
constexpr Effect kEffects[] = {
    {game::Sfx::EnemyAlert, "Assets//SFX//EnemyAlert.ogg"},   {game::Sfx::EnemyHurt, "Assets//SFX//EnemyHurt.ogg"},
    {game::Sfx::EnemyJump, "Assets//SFX//EnemyJump.ogg"},     {game::Sfx::EnemyStep, "Assets//SFX//EnemyStep.ogg"},
    {game::Sfx::Explosion, "Assets//SFX//Explosion.ogg"},     {game::Sfx::Healing, "Assets//SFX//Healing.ogg"},
    {game::Sfx::LavaHit, "Assets//SFX//LavaHit.ogg"},         {game::Sfx::MachineGun, "Assets//SFX//MachineGun.ogg"},
    {game::Sfx::PlayerDefeated, "Assets//SFX//PlayerDefeated.ogg"},
    {game::Sfx::PlayerHurt, "Assets//SFX//PlayerHurt.ogg"},   {game::Sfx::PlayerJump, "Assets//SFX//PlayerJump.ogg"},
    {game::Sfx::PlayerStep, "Assets//SFX//PlayerStep.ogg"},   {game::Sfx::Ricochet, "Assets//SFX//Ricochet.ogg"},
    {game::Sfx::Rifle, "Assets//SFX//Rifle.ogg"},             {game::Sfx::RocketLaunch, "Assets//SFX//RocketLaunch.ogg"},
    {game::Sfx::Treasure, "Assets//SFX//Treasure.ogg"},       {game::Sfx::WaterSplash, "Assets//SFX//WaterSplash.ogg"},
};
enum Loop { kWind, kAlert, kExplore, kLoopCount };
constexpr const char* kLoopPaths[kLoopCount] = {"Assets//SFX//Whoosh.ogg", "Assets//BGM//Alert.ogg",
                                                "Assets//BGM//Explore.ogg"};

enum ButtonId { kClose, kSound, kMute, kFps, kNoFps, kBackToMain, kToMain, kBackToGame, kButtonCount };
constexpr std::array<ButtonLayout, kButtonCount> kLayout{{
    {"closeButtonTexture", 0.42f, 0.37f, 40, 40},
    {"soundButtonTexture", 0.0f, -0.1f, 40, 40},
    {"muteButtonTexture", 0.0f, -0.1f, 40, 40},
    {"fpsButtonTexture", 0.0f, -0.2f, 42, 28},
    {"nofpsButtonTexture", 0.0f, -0.2f, 42, 28},
    {"backtomainButtonTexture", 0.0f, -0.3f, 70, 38.5f},
    {"tomainButtonTexture", -0.1f, -0.1f, 120, 80},
    {"backtogameButtonTexture", 0.1f, -0.1f, 120, 80},
}};

GLFWwindow* levelWindow = nullptr;

// The sequence; levelIndex lives for the whole run.
std::vector<std::string> levelNames;
unsigned levelCount = 0;
unsigned levelIndex = 0;
unsigned playingIndex = 0;  // the level on screen; levelIndex moves on as soon as it is won
std::string levelPath;
float cellSize = 0.0f;
float musicMix = 1.0f;  // kept across levels

bool gamePaused = false;
bool confirmOpen = false;
bool skipLatch = false;
bool restartLatch = false;
std::string fpsText;

std::optional<game::Level> level;  // absent when the image could not be read
// The latest frame's result: the next ProcessInput asks for victory from it,
// this frame's Draw for defeat.
game::FrameResult lastFrame;
GridView gridView;
std::optional<Cursor> cursor;

// Decoded once for the run: level changes and visits to other screens keep
// them, and the audio system frees them when the game ends.
SoundPlayer sounds;
std::array<audio::Sound, kLoopCount> loopSounds{};
audio::System* soundsMadeBy = nullptr;
std::array<audio::Channel, kLoopCount> loops;
audio::Channel explosionChannel;

std::array<std::optional<SpriteRenderer>, kButtonCount> buttonSprites;
std::array<Button, kButtonCount> buttons;
// Where the overlay draws anything, and whether the backdrop is opaque.
std::vector<PixelRect> overlayCoverage;
bool opaqueBackground = false;
std::optional<SpriteRenderer> pausePanel, confirmPanel, cursorOff, cursorOn, background, launcher, rifle, machineGun,
    overlay, treasureIcon, objects;
SheetTextures sheets;

std::string LevelPathOf(unsigned index) { return LevelsFolder + "/level" + std::to_string(index) + ".bmp"; }

// The next level, wrapping to the first after the last.
void AdvanceLevel() {
  levelIndex = levelIndex + 1 < levelCount ? levelIndex + 1 : 0;
  levelPath = LevelPathOf(levelIndex);
}

bool Down(int key) { return input::GetKey(key) == input::PRESS; }

bool Hit(ButtonId id) {
  double x = 0.0, y = 0.0;
  input::GetCursorPos(&x, &y);
  const glm::ivec2 size = WindowSize(levelWindow);
  const glm::vec2 at = CentreRelative(x, y, size.x, size.y);
  return buttons[id].HitTest(at.x, at.y);
}

void SetMusicVolumes() {
  loops[kExplore].setVolume(musicMix);
  loops[kAlert].setVolume(1.0f - musicMix);
}

void OnKey(int key, int /*scancode*/, int action, int /*mods*/) {
  if (key != input::KEY_ESCAPE || action != input::PRESS || (gamePaused && confirmOpen)) return;
  gamePaused = !gamePaused;
  glfwSetInputMode(levelWindow, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

void OnMouseButton(int button, int action, int /*mods*/) {
  if (!gamePaused || button != input::MOUSE_BUTTON_LEFT || action != input::PRESS) return;
  if (Hit(kClose) && !confirmOpen) gamePaused = false;
  if (ShowFps && Hit(kFps))
    ShowFps = false;
  else if (!ShowFps && Hit(kNoFps))
    ShowFps = true;
  if (Muted && Hit(kMute)) {
    Muted = false;
    SetMusicVolumes();
  } else if (!Muted && Hit(kSound)) {
    Muted = true;
    for (audio::Channel& c : loops) c.setVolume(0.0f);
  }
  if (Hit(kBackToMain)) confirmOpen = true;
  if (confirmOpen && Hit(kToMain)) {
    Muted = false;
    NextState = STATE_MAIN_MENU;
    return;
  }
  if (confirmOpen && Hit(kBackToGame)) {
    confirmOpen = false;
    gamePaused = false;
  }
}

void OnFocus(int focused) {
  if (!focused) gamePaused = true;
}

// A pad that goes mid-level leaves its player without controls: as when the
// window loses the focus, the level waits in its pause menu.
void OnPadConnect(int connected) {
  if (!connected) gamePaused = true;
}

// Paused, the pad points and clicks; playing, its right stick aims from the
// player's place on screen (the inverse of the rules' cursor-to-world step).
void SetPadForFrame() {
  const glm::ivec2 size = WindowSize(levelWindow);
  const game::Player& p = level->player;
  const glm::dvec2 player(static_cast<double>(p.position.x) - level->camera.position.x,
                          size.y - (static_cast<double>(p.position.y) - level->camera.position.y));
  SetPadLayout(levelWindow, gamePaused ? input::PadLayout::Menu : input::PadLayout::Play, player);
}

// Pressed now and not the frame before.
bool PressEdge(int key, bool& latch) {
  const bool down = Down(key);
  const bool edge = down && !latch;
  latch = down;
  return edge;
}

// The level after this one, or the main menu after the last.
void LeaveForNextLevel(int stateAfter) {
  AdvanceLevel();
  NextState = levelIndex == 0 ? STATE_MAIN_MENU : stateAfter;
}

game::FrameInput ReadFrameInput() {
  game::FrameInput in;
  in.controls = {Down(input::KEY_A), Down(input::KEY_D), Down(input::KEY_SPACE),
                 input::GetMouseButton(input::MOUSE_BUTTON_LEFT) == input::PRESS};
  in.look = input::GetMouseButton(input::MOUSE_BUTTON_RIGHT) == input::PRESS;
  input::GetCursorPos(&in.cursorX, &in.cursorY);
  const glm::ivec2 size = WindowSize(levelWindow);
  in.windowWidth = size.x;
  in.windowHeight = size.y;
  in.paused = gamePaused;
  in.focused = input::HasFocus();
  return in;
}

void StartLoops(audio::System* system) {
  if (!system) return;
  for (Loop l : {kAlert, kExplore, kWind}) {
    if (!loopSounds[l]) continue;
    system->playSound(loopSounds[l], nullptr, true, &loops[l]);
    loops[l].setLoopCount(-1);
  }
  loops[kAlert].setVolume(0.0f);
  loops[kExplore].setVolume(1.0f);
  loops[kWind].setVolume(0.0f);
  for (audio::Channel& c : loops) c.setPaused(false);
}

void ApplyFrameSound(const game::FrameResult& frame) {
  for (audio::Channel& c : loops) c.setPaused(frame.frozen);
  if (frame.frozen) return;
  if (Muted) {
    for (audio::Channel& c : loops) c.setVolume(0.0f);
  } else {
    loops[kExplore].setVolume(frame.exploreVolume);
    loops[kAlert].setVolume(frame.combatVolume);
    loops[kWind].setVolume(frame.windVolume);
    loops[kWind].setPitch(frame.windPitch);
  }
}

void TraceLevel() {
  if (!level) return;
  const game::Player& p = level->player;
  trace::Value("level", playingIndex);
  trace::Value("playerX", p.position.x);
  trace::Value("playerY", p.position.y);
  trace::Value("velocityX", p.velocity.x);
  trace::Value("velocityY", p.velocity.y);
  trace::Value("health", p.GetHealth());
  trace::Value("treasures", level->treasuresCollected);
  trace::Value("treasureTotal", static_cast<double>(level->treasures.size()));
  trace::Value("enemies", static_cast<double>(game::ActiveEnemies(*level)));
  trace::Value("paused", gamePaused ? 1 : 0);
  trace::Value("outcome", static_cast<int>(level->outcome));
  trace::Value("muted", Muted ? 1 : 0);
  float music = 0.0f, wind = 0.0f;
  loops[kExplore].getVolume(&music);
  loops[kWind].getVolume(&wind);
  trace::Value("musicVolume", music);
  trace::Value("windVolume", wind);
}

void DrawArmed(const SpriteRenderer& weapon, const game::Character& c) {
  DrawWithWeapon(weapon, level->camera, c, kWeaponHalfCells * cellSize,
                 [&] { DrawObject(*objects, sheets, level->camera, c); });
}

template <class T>
void DrawActive(const std::vector<T>& list) {
  for (const T& o : list)
    if (o.active) DrawObject(*objects, sheets, level->camera, o);
}
template <class T>
void DrawActive(const game::Pool<T>& pool) {
  DrawActive(pool.objects);
}

template <class T>
void DrawArmed(const std::vector<T>& list, const SpriteRenderer& weapon) {
  for (const T& e : list)
    if (e.active && e.visible) DrawArmed(weapon, e);
}

// Damage numbers and alert marks float over every colour of the sunset and
// over each other when hits come fast: a dark rim keeps each one readable.
void DrawFloatingText(TextRenderer& text, const game::TextParticle& t, glm::vec2 view) {
  const float x = t.position.x - view.x, y = t.position.y - view.y, rim = kTextRimCells * cellSize;
  for (const glm::vec2 offset : {glm::vec2(rim, 0.0f), glm::vec2(-rim, 0.0f), glm::vec2(0.0f, rim), glm::vec2(0.0f, -rim)})
    text.RenderText(t.text, x + offset.x, y + offset.y, t.scale.x, kTextRim, "default");
  text.RenderText(t.text, x, y, t.scale.x, t.colour, "default");
}

void DrawWorld(TextRenderer& text) {
  const game::Level& l = *level;
  if (l.player.active) DrawArmed(*launcher, l.player);
  DrawActive(l.rockets);
  DrawActive(l.bullets);
  DrawActive(l.bats);
  DrawActive(l.meleeEnemies);
  DrawArmed(l.rifleEnemies, *rifle);
  DrawArmed(l.rocketEnemies, *launcher);
  DrawArmed(l.gunners, *machineGun);

  const glm::vec2 view = CameraView(l.camera);
  const glm::ivec2 size = WindowSize(levelWindow);
  DrawWithin(CoverageOf(gridView.stagingPixels, gridView.texWidth, gridView.texHeight, Texels::Drawn, size.x, size.y),
             [] { gridView.DrawUploaded(); });

  DrawActive(l.treasures);
  DrawActive(l.healthBoxes);
  DrawActive(l.smoke);
  for (const game::TextParticle& t : l.text.objects)
    if (t.active) DrawFloatingText(text, t, view);
}

void DrawPauseMenu(int w, int h) {
  const glm::vec2 half(static_cast<float>(w / 2), static_cast<float>(h / 2));
  if (gamePaused) {
    pausePanel->DrawSprite(glm::vec2(0.0f), half, half, 0.0f);
    buttons[Muted ? kMute : kSound].DrawButton(w, h);
    buttons[ShowFps ? kFps : kNoFps].DrawButton(w, h);
    buttons[kBackToMain].DrawButton(w, h);
    buttons[kClose].DrawButton(w, h);
  }
  if (confirmOpen) {
    confirmPanel->DrawSprite(glm::vec2(0.0f), half, half, 0.0f);
    buttons[kToMain].DrawButton(w, h);
    buttons[kBackToGame].DrawButton(w, h);
  }
}

void DrawHud(TextRenderer& text, int w, int h) {
  DrawWithin(overlayCoverage, [] { overlay->DrawSprite(glm::vec2(0.0f), glm::vec2(0.0f), glm::vec2(1.0f), 0.0f); });
  if (playingIndex < levelNames.size()) text.RenderText(levelNames[playingIndex], 0.01f * w, 0.015f * h, 0.5f, kWhite);
  treasureIcon->DrawSprite(glm::vec2(0.0f), glm::vec2(0.05f * w, 0.95f * h), glm::vec2(0.013f * w), 0.0f);
  text.RenderText(level->treasureText, 0.07f * w, 0.93f * h, 0.77f, kWhite);
  text.RenderText(std::to_string(level->player.GetHealth()), 0.9f * w, 0.93f * h, 0.73f, kWhite);
  text.RenderText("Time Elapsed: " + TimerText(level->elapsedTime), 0.4f * w, 0.93f * h, 0.5f, kWhite);
  if (ShowFps) text.RenderText(CutAfterFirstDecimal(fpsText), 0.9f * w, 0.015f * h, 0.5f, glm::vec3(0, 1, 0));
}

}  // namespace

void GamePixelTemplate::Load() {
  levelWindow = window;
  levelNames = ReadLevelNames(LevelsFolder + "//levelNames.txt");
  levelCount = static_cast<unsigned>(levelNames.size());
  const glm::ivec2 size = WindowSize(window);
  cellSize = static_cast<float>(size.x) / world::kViewCells;
  input::SetKeyCallback(OnKey);
  input::SetMouseButtonCallback(OnMouseButton);
  input::SetFocusCallback(OnFocus);
  input::SetPadConnectCallback(OnPadConnect);

  const glm::mat4 projection = WindowProjection(window);
  LoadFontShader(*this, projection);
  EnableAlphaBlending();
  resources.LoadShader("GridShader", "Shaders//shader_texture.vs", "Shaders//shader_texture.fs");
  resources.LoadTexture("CursorTexture", "Assets//Sprites//crosshairOff.png", 0);
  resources.LoadTexture("CursorTextureOn", "Assets//Sprites/crosshairOn.png", 0);
  Shader* sprite = LoadProjectedShader(*this, "SpriteShader", "Shaders//shader_sprite.vs",
                                       "Shaders//shader_sprite.fs", projection);
  for (const Picture& p : kPictures) resources.LoadTexture(p.name, p.path, p.frames);

  if (soundsMadeBy != soundSystem) {
    sounds = SoundPlayer();
    loopSounds = {};
    soundsMadeBy = soundSystem;
  }
  sounds.system = soundSystem;
  sounds.explosionChannel = &explosionChannel;
  // One that failed to load is tried (and reported) again.
  for (const Effect& e : kEffects)
    if (soundSystem && !sounds[e.sfx]) soundSystem->createSound(e.path, audio::DEFAULT, nullptr, &sounds[e.sfx]);
  for (int l = 0; l < kLoopCount; ++l)
    if (soundSystem && !loopSounds[l])
      soundSystem->createSound(kLoopPaths[l], audio::LOOP_NORMAL, nullptr, &loopSounds[l]);
  levelPath = LevelPathOf(levelIndex);

  LayOutButtons(*this, sprite, kLayout, size.x, size.y, buttonSprites, buttons);
  pausePanel.emplace(StillPicture(*this, sprite, "pauseSprite"));
  confirmPanel.emplace(StillPicture(*this, sprite, "backtomainconfirmationSprite"));
  cursorOff.emplace(StillPicture(*this, sprite, "CursorTexture"));
  cursorOn.emplace(StillPicture(*this, sprite, "CursorTextureOn"));
  background.emplace(StillPicture(*this, sprite, "backgroundImage"));
  launcher.emplace(StillPicture(*this, sprite, "rocketLauncherSprite"));
  rifle.emplace(StillPicture(*this, sprite, "rifleSprite"));
  machineGun.emplace(StillPicture(*this, sprite, "machineGunSprite"));
  overlay.emplace(StillPicture(*this, resources.GetShader("GridShader"), "OverlayTexture"));
  const Texture* overlayTexture = overlay->texture;
  overlayCoverage = CoverageOf(TexturePixels(overlayTexture->ID, overlayTexture->width, overlayTexture->height),
                               overlayTexture->width, overlayTexture->height, Texels::Drawn, size.x, size.y);
  const Texture* backdrop = resources.GetTexture("backgroundImage");
  const std::vector<std::uint8_t> backdropPixels = TexturePixels(backdrop->ID, backdrop->width, backdrop->height);
  opaqueBackground = !backdropPixels.empty();
  for (std::size_t i = 3; i < backdropPixels.size(); i += 4)
    opaqueBackground = opaqueBackground && backdropPixels[i] == 255;
  treasureIcon.emplace(sprite, resources.GetTexture("winboxSprite"), 6, 0, 0.125f, true, false);
  objects.emplace(StillPicture(*this, sprite, "playerSprite"));
  sheets = SheetTexturesOf(resources);
}

void GamePixelTemplate::Initialize() {
  gamePaused = false;
  confirmOpen = false;
  // The reader says why an image is refused; the level is then never shown.
  std::unique_ptr<world::PixelGrid> grid = world::LoadLevelImage(cellSize, levelPath);
  if (!grid) {
    std::printf("Level %u (%s) could not be loaded; back to the main menu\n", levelIndex, levelPath.c_str());
    NextState = STATE_MAIN_MENU;
    return;
  }
  level.emplace(game::MakeLevel(std::move(*grid), musicMix, *random));
  // As the level stands before its first frame: alive, and won at once when
  // it holds no treasure.
  lastFrame = game::FrameResult();
  lastFrame.allTreasureCollected = level->treasures.empty();
  playingIndex = levelIndex;
  const glm::ivec2 size = WindowSize(window);
  gridView.CreateGridView(resources.GetShader("GridShader"), static_cast<unsigned>(size.x / cellSize),
                          static_cast<unsigned>(size.y / cellSize));
  cursor.emplace(&*cursorOff, kCursorSize);
  SetPadForFrame();
  StartLoops(soundSystem);
}

void GamePixelTemplate::ProcessInput(double /*dt*/) {
  if (!level) return;
  if (Down(input::KEY_Q) && gamePaused) NextState = STATE_QUIT;
  if (ShowFps && PressEdge(input::KEY_T, skipLatch)) {
    LeaveForNextLevel(STATE_RESTART);
    if (levelIndex == 0) return;
  }
  if (lastFrame.allTreasureCollected) {
    LeaveForNextLevel(STATE_VICTORY);
    if (levelIndex == 0) return;
  } else if (PressEdge(input::KEY_R, restartLatch)) {
    levelPath = LevelPathOf(levelIndex);
    NextState = STATE_RESTART;
  }
}

void GamePixelTemplate::Update(double dt) {
  if (soundSystem) soundSystem->update();
  if (!level) return;
  cursor->sprite = level->player.rocketCooldown < 0.0f ? &*cursorOn : &*cursorOff;
  double x = 0.0, y = 0.0;
  input::GetCursorPos(&x, &y);
  const glm::ivec2 size = WindowSize(window);
  cursor->SetFromMouse(x, y, size.x, size.y);
  fpsText = FrameRateText(dt);

  lastFrame = game::StepLevel(*level, ReadFrameInput(), static_cast<float>(dt));
  musicMix = level->musicMix;
  ApplyFrameSound(lastFrame);
  sounds.Play(lastFrame.sounds, Muted);
  if (!lastFrame.frozen) treasureIcon->Animate(static_cast<float>(dt));
  SetPadForFrame();
  TraceLevel();
}

void GamePixelTemplate::Draw() {
  // An opaque backdrop and the grid over it write every pixel whole.
  if (!level || !opaqueBackground || !ClipToCoverage) {
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  if (!level) return;
  const glm::ivec2 size = WindowSize(window);
  const float w = static_cast<float>(size.x), h = static_cast<float>(size.y);
  gridView.UploadGrid(level->grid);
  // The backdrop only shows where the grid's cells are not opaque; an opaque
  // picture blended is the picture itself.
  if (opaqueBackground) glDisable(GL_BLEND);
  DrawWithin(CoverageOf(gridView.stagingPixels, gridView.texWidth, gridView.texHeight, Texels::SeeThrough, size.x,
                        size.y),
             [&] { DrawBackdrop(*background, FullScreen, w, h); });
  glEnable(GL_BLEND);
  DrawWorld(*textRenderer);
  if (!lastFrame.playerAlive) NextState = STATE_DEFEAT;
  DrawPauseMenu(size.x, size.y);
  DrawHud(*textRenderer, size.x, size.y);
  cursor->DrawCursor();
}

void GamePixelTemplate::Free() {
  if (level) *random = level->random;
  level.reset();
  lastFrame = game::FrameResult();
  gridView.FreeGridView();
  cursor.reset();
  for (audio::Channel& c : loops) c.stop();
}

void GamePixelTemplate::Unload() {
  levelNames.clear();
  for (auto& s : buttonSprites) s.reset();
  for (Button& b : buttons) b = Button();
  for (auto* d : {&pausePanel, &confirmPanel, &cursorOff, &cursorOn, &background, &launcher, &rifle, &machineGun,
                  &overlay, &treasureIcon, &objects})
    d->reset();
  sheets = SheetTextures();
}
