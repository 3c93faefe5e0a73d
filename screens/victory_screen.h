#pragma once

#include "screens/button_screen.h"

// Shown after a won level: on to the next level, or the main menu.
class VictoryScreen : public ButtonScreen {
public:
  VictoryScreen();
};
