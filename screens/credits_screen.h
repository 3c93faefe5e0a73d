#pragma once

#include "screens/button_screen.h"

// The credits hub: a button for each credit page, the main menu and quit.
class CreditsScreen : public ButtonScreen {
public:
  CreditsScreen();
};
