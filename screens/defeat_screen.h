#pragma once

#include "screens/button_screen.h"

// Its picture, buttons and their targets.
extern const ButtonScreenTable kDefeatScreenTable;

// Shown after a lost level: try the level again, or the main menu.
class DefeatScreen : public ButtonScreen {
public:
  DefeatScreen();
};
