#include "screens/screens.h"

#include "app/game_state.h"
#include "screens/controls_screen.h"
#include "screens/logo_screen.h"
#include "screens/main_menu.h"
#include "screens/placeholder_screen.h"

namespace {

LogoScreen logoScreen;
ControlsScreen controlsScreen;
GameMainMenu mainMenu;

// Screens still to come; each state keeps its own object and resources.
PlaceholderScreen level("Level");
PlaceholderScreen credits("Credits");
PlaceholderScreen victory("Victory");
PlaceholderScreen defeat("Defeat");
PlaceholderScreen creditsPresident("Credits: president");
PlaceholderScreen creditsFaculty("Credits: faculty");
PlaceholderScreen creditsTeamMembers("Credits: team members");
PlaceholderScreen creditsCopyright("Credits: copyright");

}  // namespace

void RegisterScreens() {
  RegisterScreen(STATE_MAIN_MENU, &mainMenu);
  RegisterScreen(STATE_LEVEL, &level);
  RegisterScreen(STATE_CONTROLS, &controlsScreen);
  RegisterScreen(STATE_CREDITS, &credits);
  RegisterScreen(STATE_LOGO, &logoScreen);
  RegisterScreen(STATE_VICTORY, &victory);
  RegisterScreen(STATE_DEFEAT, &defeat);
  RegisterScreen(STATE_CREDITS_PRESIDENT, &creditsPresident);
  RegisterScreen(STATE_CREDITS_FACULTY, &creditsFaculty);
  RegisterScreen(STATE_CREDITS_TEAM_MEMBERS, &creditsTeamMembers);
  RegisterScreen(STATE_CREDITS_COPYRIGHT, &creditsCopyright);
}
