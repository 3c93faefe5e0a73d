#pragma once

#include "screens/button_screen.h"

// Its picture, buttons and their targets.
extern const ButtonScreenTable kVictoryScreenTable;

// Shown after a won level: on to the next level, or the main menu.
class VictoryScreen : public ButtonScreen {
public:
  VictoryScreen();
};
