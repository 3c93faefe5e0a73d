#pragma once

#include "screens/button_screen.h"

// The credit page of the team's roles.
class Credits_Team_Members : public ButtonScreen {
public:
  Credits_Team_Members();
};
