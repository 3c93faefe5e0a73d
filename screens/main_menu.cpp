#include "screens/main_menu.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include "app/game_state.h"
#include "app/input.h"
#include "app/settings.h"
#include "app/trace.h"
#include "audio/audio.h"
#include "game/menu.h"
#include "render/button.h"
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

namespace {

constexpr float kCursorSize = 16.0f;
constexpr float kLauncherHalfCells = 8.0f;
constexpr float kFullScreenWidth = 1920.0f, kFullScreenHeight = 1080.0f;
constexpr int kWindowedWidth = 1152, kWindowedHeight = 648;
// The title is drawn at the backdrop's own scale in a window: one art pixel is
// 1.8 cells of 1/384 of the width. Its picture is 100 x 18 art pixels.
constexpr float kTitleArtPixel = 1.8f / 384.0f;
constexpr float kTitleHalfWidth = 50.0f, kTitleHalfHeight = 9.0f;
// Its centre, as a fraction of the window above the middle: low enough that the
// sandbox help in the top-left corner stays clear of it at every window size.
constexpr float kTitleHeight = 0.24f;

// Keys 1 to 5 pick these selections; 6 alternates ICE and OBSIDIAN.
constexpr int kSelectionOfKey[5] = {0, 4, 3, 2, 1};
constexpr int kIce = 5, kObsidian = 6;
// The pad's shoulder buttons step through the choices in the keys' order.
constexpr std::array<int, 7> kStepOrder = {0, 4, 3, 2, 1, kIce, kObsidian};

enum ButtonId {
  kPlay, kControls, kCredits, kQuit, kOptions, kClose, kSandboxOn, kSandboxOff, kConfirmQuit, kBackToMenu,
  kMuted, kSoundOn, kWindowed, kFullScreen, kFpsOn, kFpsOff, kButtonCount
};

constexpr std::array<ButtonLayout, kButtonCount> kLayout{{
    {"playButtonTexture", -0.3f, -0.2f, 93, 51},
    {"controlButtonTexture", -0.1f, -0.2f, 93, 51},
    {"creditButtonTexture", 0.1f, -0.2f, 93, 51},
    {"quitButtonTexture", 0.3f, -0.2f, 93, 51},
    {"optionsButtonTexture", 0.45f, 0.4f, 45, 45},
    {"closeButtonTexture", 0.45f, 0.4f, 40, 40},
    {"sandboxButtonTexture", -0.45f, 0.4f, 50, 40},
    {"offsandboxButtonTexture", -0.45f, 0.4f, 50, 40},
    {"quitButtonTexture", 0.1f, -0.1f, 120, 80},
    {"backtomainButtonTexture", -0.1f, -0.1f, 120, 80},
    {"muteButtonTexture", 0.0f, -0.1f, 40, 40},
    {"soundButtonTexture", 0.0f, -0.1f, 40, 40},
    {"windowButtonTexture", 0.0f, -0.2f, 40, 40},
    {"fullscreenButtonTexture", 0.0f, -0.2f, 40, 40},
    {"fpsButtonTexture", 0.0f, -0.3f, 42, 28},
    {"nofpsButtonTexture", 0.0f, -0.3f, 42, 28},
}};

constexpr Picture kPictures[] = {
    {"playButtonTexture", "Assets//play.png", 0},
    {"quitButtonTexture", "Assets//quit.png", 0},
    {"creditButtonTexture", "Assets//credit.png", 0},
    {"controlButtonTexture", "Assets//control.png", 0},
    {"optionsButtonTexture", "Assets//Sprites//options.png", 0},
    {"closeButtonTexture", "Assets//Sprites//close.png", 0},
    {"sandboxButtonTexture", "Assets//Sprites//sandbox.png", 0},
    {"offsandboxButtonTexture", "Assets//Sprites//offsandbox.png", 0},
    {"backtomainButtonTexture", "Assets//Sprites//backtomain.png", 0},
    {"soundButtonTexture", "Assets//Sprites//unmute.png", 0},
    {"muteButtonTexture", "Assets//Sprites//mute.png", 0},
    {"windowButtonTexture", "Assets//Sprites//windowed.png", 0},
    {"fullscreenButtonTexture", "Assets//Sprites//fullscreen.png", 0},
    {"fpsButtonTexture", "Assets//Sprites//fps.png", 0},
    {"nofpsButtonTexture", "Assets//Sprites//nofps.png", 0},
    {"CursorTexture", "Assets//cursorOff.png", 0},
    {"CursorTextureOn", "Assets//cursorOn.png", 0},
    {"explosionSprite", "Assets//Sprites//Explosion.png", 9},
    {"smokeSprite", "Assets//Sprites//Smoke.png", 4},
    {"rocketSprite", "Assets//Sprites//Rocket.png", 0},
    {"playerSprite", "Assets//Sprites//Pix//RunRight.png", 4},
    {"rocketLauncherSprite", "Assets//Sprites//Launcher.png", 0},
    {"pauseSprite", "Assets//Sprites//optionsScreenSprite.png", 0},
    {"QuitConfirmationSprite", "Assets//Sprites//QuitConfirmation.png", 0},
    {"backgroundImage", "Assets//background.png", 0},
    {"titleTexture", "Assets//title.png", 0},
};

GLFWwindow* menuWindow = nullptr;
int W = 0, H = 0;
float S = 0.0f;

// Kept for the whole run, across visits.
bool optionsOpen = false;
bool quitConfirmOpen = false;
bool sandboxMode = false;
int selection = game::kStartBlock;
bool sixWasDown = false;

game::MenuWorld menu;
game::MenuInput menuInput;  // read as the frame begins, stepped in its update
GridView gridView;
glm::vec2 mouse(0.0f);  // centre-relative, y up
std::string fpsText;
SoundPlayer sounds;
audio::Sound explosionSound;
audio::Channel explosionChannel;

std::array<std::optional<SpriteRenderer>, kButtonCount> buttonSprites;
std::array<Button, kButtonCount> buttons;
std::optional<SpriteRenderer> background, title, launcher, optionsPicture, quitPicture, cursorOff, cursorOn, objects;
SheetTextures sheets;
std::optional<Cursor> cursor;

bool Hit(ButtonId id) { return buttons[id].HitTest(mouse.x, mouse.y); }

void SetWindowMode(bool fullScreen) {
  FullScreen = fullScreen;
  if (fullScreen) {
    glfwSetWindowMonitor(menuWindow, glfwGetPrimaryMonitor(), 0, 0, kFullScreenWidth, kFullScreenHeight,
                         GLFW_DONT_CARE);
    glfwSetWindowSize(menuWindow, kFullScreenWidth, kFullScreenHeight);
  } else {
    glfwSetWindowMonitor(menuWindow, nullptr, 0, 0, kWindowedWidth, kWindowedHeight, GLFW_DONT_CARE);
    glfwSetWindowSize(menuWindow, kWindowedWidth, kWindowedHeight);
  }
  NextState = STATE_RESTART;
}

// Only what is on screen reacts: the quit dialog's two buttons while it is
// open, the overlay's buttons while the options are shown, else the options
// button.
void OnMouseButton(int button, int action, int /*mods*/) {
  if (button != input::MOUSE_BUTTON_LEFT || action != input::PRESS) return;
  if (quitConfirmOpen) {
    if (Hit(kConfirmQuit))
      NextState = STATE_QUIT;
    else if (Hit(kBackToMenu))
      quitConfirmOpen = false;
    return;
  }
  if (!optionsOpen) {
    if (Hit(kOptions)) optionsOpen = true;
    return;
  }
  if (Hit(kSandboxOn)) sandboxMode = !sandboxMode;
  if (Hit(kClose)) optionsOpen = false;
  if (Hit(kFpsOn)) ShowFps = !ShowFps;
  if (Hit(kSoundOn)) Muted = !Muted;
  if (Hit(kWindowed)) SetWindowMode(!FullScreen);
}

void OnKey(int key, int /*scancode*/, int action, int /*mods*/) {
  if (key == input::KEY_ESCAPE && action == input::PRESS && optionsOpen) {
    optionsOpen = false;
    glfwSetInputMode(menuWindow, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
  }
}

bool Down(int key) { return input::GetKey(key) == input::PRESS; }
bool ButtonDown(int button) { return input::GetMouseButton(button) == input::PRESS; }

void ChooseBlock() {
  for (int i = 0; i < 5; ++i)
    if (Down(input::KEY_1 + i)) selection = kSelectionOfKey[i];
  const bool six = Down(input::KEY_6);
  if (six && !sixWasDown) selection = selection == kIce ? kObsidian : kIce;
  sixWasDown = six;
  if (const int step = input::PadChoiceStep()) {
    const int count = static_cast<int>(kStepOrder.size());
    int at = 0;
    while (at < count && kStepOrder[at] != selection) ++at;
    selection = kStepOrder[(at % count + step + count) % count];
  }
}

game::PlayerControls ReadControls() {
  return {Down(input::KEY_A), Down(input::KEY_D), Down(input::KEY_SPACE), ButtonDown(input::MOUSE_BUTTON_LEFT)};
}

// The title's buttons answer only while no overlay covers them.
game::PendingButton::Which HeldMenuButton() {
  if (!ButtonDown(input::MOUSE_BUTTON_LEFT) || optionsOpen || quitConfirmOpen) return game::PendingButton::None;
  if (Hit(kQuit)) return game::PendingButton::Quit;
  if (Hit(kPlay)) return game::PendingButton::Play;
  if (Hit(kControls)) return game::PendingButton::Controls;
  if (Hit(kCredits)) return game::PendingButton::Credits;
  return game::PendingButton::None;
}

game::MenuInput ReadMenuInput() {
  game::MenuInput in;
  game::FrameInput& frame = in.frame;
  input::GetCursorPos(&frame.cursorX, &frame.cursorY);
  const glm::ivec2 size = WindowSize(menuWindow);
  frame.windowWidth = size.x;
  frame.windowHeight = size.y;
  frame.controls = ReadControls();
  frame.paused = optionsOpen;
  if (sandboxMode && ButtonDown(input::MOUSE_BUTTON_RIGHT)) in.paint = game::kBlockChoices[selection].material;
  mouse = CentreRelative(frame.cursorX, frame.cursorY, size.x, size.y);
  in.button = HeldMenuButton();
  return in;
}

void ActOn(game::PendingButton::Which button) {
  switch (button) {
    case game::PendingButton::Credits: NextState = STATE_CREDITS; break;
    case game::PendingButton::Controls: NextState = STATE_CONTROLS; break;
    case game::PendingButton::Play: NextState = STATE_LEVEL; break;
    case game::PendingButton::Quit: quitConfirmOpen = true; break;
    case game::PendingButton::None: break;
  }
}

void UpdateCursor() {
  double x = 0.0, y = 0.0;
  input::GetCursorPos(&x, &y);
  const glm::ivec2 size = WindowSize(menuWindow);
  cursor->SetFromMouse(x, y, size.x, size.y);
}

void TracePlayer(const game::MenuFrame& frame) {
  trace::Value("playerX", frame.playerPosition.x);
  trace::Value("playerY", frame.playerPosition.y);
  trace::Value("velocityX", frame.playerVelocity.x);
  trace::Value("velocityY", frame.playerVelocity.y);
  trace::Value("health", frame.playerHealth);
  trace::Value("onGround", frame.playerOnGround ? 1 : 0);
  trace::Value("block", selection);
  trace::Value("rockets", static_cast<double>(frame.rocketsInFlight));
  trace::Value("windowWidth", W);
  trace::Value("muted", Muted ? 1 : 0);
  trace::Value("showFps", ShowFps ? 1 : 0);
}

void DrawPlayerAndLauncher() {
  const game::Player& p = menu.player;
  if (p.active)
    DrawWithWeapon(*launcher, menu.camera, p, kLauncherHalfCells * S,
                   [&] { DrawObject(*objects, sheets, menu.camera, p); });
}

void DrawOverlays(int width, int height) {
  const glm::vec2 half(width * 0.5f, height * 0.5f);
  if (optionsOpen) {
    optionsPicture->DrawSprite(glm::vec2(0.0f), half, half, 0.0f);
    buttons[FullScreen ? kFullScreen : kWindowed].DrawButton(width, height);
    buttons[Muted ? kMuted : kSoundOn].DrawButton(width, height);
    buttons[ShowFps ? kFpsOn : kFpsOff].DrawButton(width, height);
    buttons[sandboxMode ? kSandboxOn : kSandboxOff].DrawButton(width, height);
    buttons[kClose].DrawButton(width, height);
  } else {
    buttons[kOptions].DrawButton(width, height);
  }
  if (quitConfirmOpen) {
    quitPicture->DrawSprite(glm::vec2(0.0f), half, half, 0.0f);
    buttons[kConfirmQuit].DrawButton(width, height);
    buttons[kBackToMenu].DrawButton(width, height);
  }
}

void DrawTexts(TextRenderer& text, int width, int height) {
  if (ShowFps) text.RenderText(fpsText, 0.9f * width, 0.015f * height, 0.5f, glm::vec3(0.0f, 1.0f, 0.0f), "default");
  if (!sandboxMode) return;
  const float shade = width / 1920.0f;
  const glm::vec3 colour(shade, shade, 1.0f);
  const float x = 0.03f * width;
  text.RenderText("RIGHT-CLICK to place blocks!", x, 0.95f * height, 0.5f, colour, "default");
  text.RenderText("PRESS 1 - 6 to choose blocks!", x, 0.9f * height, 0.5f, colour, "default");
  text.RenderText(std::string("Current Block: ") + game::kBlockChoices[selection].name, x, 0.85f * height, 0.5f,
                  colour, "default");
}

}  // namespace

void GameMainMenu::Load() {
  menuWindow = window;
  const glm::ivec2 size = WindowSize(window);
  W = size.x;
  H = size.y;
  input::SetKeyCallback(OnKey);
  input::SetMouseButtonCallback(OnMouseButton);

  const glm::mat4 projection = WindowProjection(window);
  LoadFontShader(*this, projection);
  Shader* sprite = LoadProjectedShader(*this, "SpriteShader", "Shaders//shader_sprite.vs",
                                       "Shaders//shader_sprite.fs", projection);
  resources.LoadShader("GridShader", "Shaders//shader_texture.vs", "Shaders//shader_texture.fs", nullptr);
  EnableAlphaBlending();
  for (const Picture& p : kPictures) resources.LoadTexture(p.name, p.path, p.frames, 0, 0);
  S = static_cast<float>(W) / world::kViewCells;

  LayOutButtons(*this, sprite, kLayout, W, H, buttonSprites, buttons);
  background.emplace(StillPicture(*this, sprite, "backgroundImage"));
  title.emplace(StillPicture(*this, sprite, "titleTexture"));
  launcher.emplace(StillPicture(*this, sprite, "rocketLauncherSprite"));
  optionsPicture.emplace(StillPicture(*this, sprite, "pauseSprite"));
  quitPicture.emplace(StillPicture(*this, sprite, "QuitConfirmationSprite"));
  cursorOff.emplace(StillPicture(*this, sprite, "CursorTexture"));
  cursorOn.emplace(StillPicture(*this, sprite, "CursorTextureOn"));
  objects.emplace(StillPicture(*this, sprite, "playerSprite"));
  sheets = SheetTexturesOf(resources);

  if (soundSystem) soundSystem->createSound("Assets//SFX//Explosion.mp3", audio::DEFAULT, nullptr, &explosionSound);
  sounds.system = soundSystem;
  sounds[game::Sfx::Explosion] = explosionSound;
  sounds.explosionChannel = &explosionChannel;
}

void GameMainMenu::Initialize() {
  cursor.emplace(&*cursorOff, kCursorSize);
  std::unique_ptr<world::PixelGrid> grid = world::LoadLevelImage(S, "Assets//Levels/menu_a.bmp");
  // A missing or refused image has been reported; the menu still runs, over an empty world.
  world::PixelGrid world = grid ? std::move(*grid) : world::PixelGrid(static_cast<std::uint32_t>(world::kViewCells),
                                                                      216, S);
  game::BuildMenuWorld(menu, std::move(world));
  menu.random = *random;
  SetPadLayout(window, sandboxMode ? input::PadLayout::Sandbox : input::PadLayout::Menu);
  gridView.CreateGridView(resources.GetShader("GridShader"), static_cast<unsigned>(W / S),
                          static_cast<unsigned>(H / S));
}

void GameMainMenu::ProcessInput(double /*dt*/) {
  SetPadLayout(window, sandboxMode ? input::PadLayout::Sandbox : input::PadLayout::Menu);
  if (optionsOpen && Down(input::KEY_Q)) NextState = STATE_QUIT;
  if (sandboxMode) ChooseBlock();
  menuInput = ReadMenuInput();
}

void GameMainMenu::Update(double dt) {
  UpdateCursor();
  if (soundSystem) soundSystem->update();
  fpsText = CutAfterFirstDecimal(FrameRateText(dt));
  const game::MenuFrame frame = game::StepMenu(menu, menuInput, static_cast<float>(dt));
  cursor->sprite = frame.launcherReady ? &*cursorOn : &*cursorOff;
  ActOn(frame.button);
  TracePlayer(frame);
  sounds.Play(frame.sounds, Muted);
}

void GameMainMenu::Draw() {
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  const glm::ivec2 size = WindowSize(window);
  const float w = static_cast<float>(size.x), h = static_cast<float>(size.y);
  DrawBackdrop(*background, FullScreen, w, h);
  const float artPixel = kTitleArtPixel * w;
  title->DrawSprite(glm::vec2(-w / 2, -h / 2), glm::vec2(0.0f, kTitleHeight * h),
                    glm::vec2(kTitleHalfWidth * artPixel, kTitleHalfHeight * artPixel), 0.0f);
  for (ButtonId id : {kQuit, kPlay, kCredits, kControls}) buttons[id].DrawButton(size.x, size.y);

  DrawPlayerAndLauncher();
  for (const game::Particle& p : menu.particles.objects)
    if (p.active) DrawObject(*objects, sheets, menu.camera, p);
  for (const game::Rocket& r : menu.rockets.objects)
    if (r.active) DrawObject(*objects, sheets, menu.camera, r);
  gridView.DrawGrid(menu.grid);

  DrawOverlays(size.x, size.y);
  DrawTexts(*textRenderer, size.x, size.y);
  cursor->DrawCursor();
}

void GameMainMenu::Free() {
  *random = menu.random;
  cursor.reset();
  menu = game::MenuWorld();
  gridView.FreeGridView();
}

void GameMainMenu::Unload() {
  explosionSound.release();
  explosionSound = audio::Sound();
  sounds = SoundPlayer();
  for (auto& s : buttonSprites) s.reset();
  for (Button& b : buttons) b = Button();
  background.reset();
  title.reset();
  launcher.reset();
  optionsPicture.reset();
  quitPicture.reset();
  cursorOff.reset();
  cursorOn.reset();
  objects.reset();
  sheets = SheetTextures();
}
