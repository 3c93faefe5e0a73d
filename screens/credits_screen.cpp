#include "screens/credits_screen.h"

#include "app/game_state.h"

namespace {

const ButtonEntry kButtons[] = {
    {"Button_Quit_Button_Texture", "Assets//quit_button.png", STATE_QUIT, Spot::BOTTOM_RIGHT},
    {"Button_MainMenu_Button_Texture", "Assets//mainmenu_button.png", STATE_MAIN_MENU, Spot::BOTTOM_LEFT},
    {"Button_President_Button_Texture", "Assets//president_button.png", STATE_CREDITS_PRESIDENT, Spot::ROW, 0.35},
    {"Button_Faculty_Button_Texture", "Assets//faculty_button.png", STATE_CREDITS_FACULTY, Spot::ROW, 0.1},
    {"Button_Members_Button_Texture", "Assets//members_button.png", STATE_CREDITS_TEAM_MEMBERS, Spot::ROW, -0.15},
    {"Button_Copyright_Button_Texture", "Assets//copyright_button.png", STATE_CREDITS_COPYRIGHT, Spot::ROW, -0.4},
};
ButtonScreenState state;

}  // namespace

const ButtonScreenTable kCreditsScreenTable{"Credits_Background_Texture", "Assets//credits.png", kButtons, CreditTier};

CreditsScreen::CreditsScreen() : ButtonScreen(kCreditsScreenTable, state) {}
