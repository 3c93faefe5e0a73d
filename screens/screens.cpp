#include "screens/screens.h"

#include "app/game_state.h"
#include "screens/controls_screen.h"
#include "screens/credits_copyright.h"
#include "screens/credits_faculty.h"
#include "screens/credits_president.h"
#include "screens/credits_screen.h"
#include "screens/credits_team_members.h"
#include "screens/defeat_screen.h"
#include "screens/level_screen.h"
#include "screens/logo_screen.h"
#include "screens/main_menu.h"
#include "screens/victory_screen.h"

namespace {

LogoScreen logoScreen;
ControlsScreen controlsScreen;
GameMainMenu mainMenu;
GamePixelTemplate level;
CreditsScreen creditsScreen;
Credits_President creditsPresident;
Credits_Faculty creditsFaculty;
Credits_Team_Members creditsTeamMembers;
Credits_Copyright creditsCopyright;
VictoryScreen victoryScreen;
DefeatScreen defeatScreen;

}  // namespace

void RegisterScreens() {
  RegisterScreen(STATE_MAIN_MENU, &mainMenu);
  RegisterScreen(STATE_LEVEL, &level);
  RegisterScreen(STATE_CONTROLS, &controlsScreen);
  RegisterScreen(STATE_CREDITS, &creditsScreen);
  RegisterScreen(STATE_LOGO, &logoScreen);
  RegisterScreen(STATE_VICTORY, &victoryScreen);
  RegisterScreen(STATE_DEFEAT, &defeatScreen);
  RegisterScreen(STATE_CREDITS_PRESIDENT, &creditsPresident);
  RegisterScreen(STATE_CREDITS_FACULTY, &creditsFaculty);
  RegisterScreen(STATE_CREDITS_TEAM_MEMBERS, &creditsTeamMembers);
  RegisterScreen(STATE_CREDITS_COPYRIGHT, &creditsCopyright);
}
