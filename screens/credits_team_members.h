#pragma once

#include "screens/button_screen.h"

// Its picture, buttons and their targets.
extern const ButtonScreenTable kCreditsTeamMembersTable;

// The credit page of the team's roles.
class Credits_Team_Members : public ButtonScreen {
public:
  Credits_Team_Members();
};
