#pragma once

#include "screens/button_screen.h"

// Its picture, buttons and their targets.
extern const ButtonScreenTable kCreditsPresidentTable;

// The credit page about the game, reached from the hub's first button.
class Credits_President : public ButtonScreen {
public:
  Credits_President();
};
