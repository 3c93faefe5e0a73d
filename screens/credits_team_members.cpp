#include "screens/credits_team_members.h"

namespace {

ButtonScreenState state;

}  // namespace

const ButtonScreenTable kCreditsTeamMembersTable{"TeamMembers_Background_Texture", "Assets//members.png",
                                                 kCreditPageButtons, CreditTier};

Credits_Team_Members::Credits_Team_Members() : ButtonScreen(kCreditsTeamMembersTable, state) {}
