#pragma once

class GameInstance;
class TextRenderer;
struct GLFWwindow;
namespace audio { class System; }
namespace game { struct Random; }

enum GameState : int {
  STATE_MAIN_MENU = 0,
  STATE_LEVEL = 1,
  STATE_CONTROLS = 2,
  STATE_CREDITS = 3,
  STATE_QUIT = 4,
  STATE_RESTART = 5,
  STATE_LOGO = 6,
  STATE_VICTORY = 7,
  STATE_DEFEAT = 8,
  STATE_CREDITS_PRESIDENT = 9,
  STATE_CREDITS_FACULTY = 10,
  STATE_CREDITS_TEAM_MEMBERS = 11,
  STATE_CREDITS_COPYRIGHT = 12,
};
constexpr int kStateCount = 13;

// The ids a screen can stand behind; quit and restart are requests, not screens.
constexpr bool IsScreenState(int id) {
  return id >= 0 && id < kStateCount && id != STATE_QUIT && id != STATE_RESTART;
}

// A screen leaves by writing NextState; the loop switches after the frame.
extern int CurrentState;
extern int PreviousState;
extern int NextState;
extern GameInstance* ActiveScreen;

// What the loop hands every screen before its Load.
struct ScreenContext {
  GLFWwindow* window = nullptr;
  TextRenderer* textRenderer = nullptr;
  audio::System* soundSystem = nullptr;
  game::Random* random = nullptr;
};

// The screen object behind each state id; quit and restart have none.
void RegisterScreen(int id, GameInstance* screen);

void SetState(int id);
void SelectScreen();

// Entering: a restart re-initialises the running screen, anything else selects,
// loads and initialises the requested one.
void EnterScreen(const ScreenContext& context);

// Leaving: Free, then Unload unless a screen other than the main menu restarts
// (the main menu reloads at once). An id no screen answers to quits.
void LeaveScreen();
