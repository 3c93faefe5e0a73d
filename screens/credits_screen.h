#pragma once

#include "screens/button_screen.h"

// Its picture, buttons and their targets.
extern const ButtonScreenTable kCreditsScreenTable;

// The credits hub: a button for each credit page, the main menu and quit.
class CreditsScreen : public ButtonScreen {
public:
  CreditsScreen();
};
