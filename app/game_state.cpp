#include "app/game_state.h"

#include <array>
#include <cstdio>

#include "app/game_instance.h"

int CurrentState = STATE_LOGO;
int PreviousState = STATE_LOGO;
int NextState = STATE_LOGO;
GameInstance* ActiveScreen = nullptr;

namespace {

std::array<GameInstance*, kStateCount> screens{};

}  // namespace

void RegisterScreen(int id, GameInstance* screen) {
  if (IsScreenState(id)) screens[id] = screen;
}

void SetState(int id) {
  CurrentState = id;
  PreviousState = id;
  NextState = id;
}

void SelectScreen() {
  if (IsScreenState(NextState) && screens[NextState]) ActiveScreen = screens[NextState];
}

void EnterScreen(const ScreenContext& context) {
  if (CurrentState == STATE_RESTART) {
    CurrentState = PreviousState;
    NextState = PreviousState;
  } else {
    SelectScreen();
    ActiveScreen->window = context.window;
    ActiveScreen->textRenderer = context.textRenderer;
    ActiveScreen->soundSystem = context.soundSystem;
    ActiveScreen->random = context.random;
    ActiveScreen->Load();
  }
  ActiveScreen->Initialize();
}

void LeaveScreen() {
  // An id outside the table (or one with no screen behind it) would leave the
  // loop without a screen to run; end the game cleanly instead.
  if (NextState != STATE_QUIT && NextState != STATE_RESTART &&
      !(IsScreenState(NextState) && screens[NextState])) {
    std::printf("Unknown game state %d requested; quitting\n", NextState);
    std::fflush(stdout);
    NextState = STATE_QUIT;
  }

  ActiveScreen->Free();
  if (NextState == STATE_RESTART) {
    if (CurrentState == STATE_MAIN_MENU) {
      ActiveScreen->Unload();
      ActiveScreen->Load();
    }
  } else {
    ActiveScreen->Unload();
  }
  PreviousState = CurrentState;
  CurrentState = NextState;
}
