#pragma once

#include "screens/button_screen.h"

// Its picture, buttons and their targets.
extern const ButtonScreenTable kCreditsCopyrightTable;

// The credit page with the game's licence and the third-party notices.
class Credits_Copyright : public ButtonScreen {
public:
  Credits_Copyright();
};
