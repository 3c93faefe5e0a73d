#include "screens/defeat_screen.h"

#include "app/game_state.h"

namespace {

// The level screen decides which level state 1 plays.
const ButtonEntry kButtons[] = {
    {"Button_Cursor_Texture", "Assets//restart_button.png", STATE_LEVEL, Spot::LOW, -0.3},
    {"Menu_Button_Texture", "Assets//mainmenu_button.png", STATE_MAIN_MENU, Spot::LOW, 0.3},
};
ButtonScreenState state;

}  // namespace

const ButtonScreenTable kDefeatScreenTable{"Defeat_Background_Texture", "Assets//defeat.png", kButtons, OutcomeTier};

DefeatScreen::DefeatScreen() : ButtonScreen(kDefeatScreenTable, state) {}
