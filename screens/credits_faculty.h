#pragma once

#include "screens/button_screen.h"

// Its picture, buttons and their targets.
extern const ButtonScreenTable kCreditsFacultyTable;

// The credit page of the libraries the game is built on and their licences.
class Credits_Faculty : public ButtonScreen {
public:
  Credits_Faculty();
};
