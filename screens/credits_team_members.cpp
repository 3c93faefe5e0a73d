#include "screens/credits_team_members.h"

namespace {

const ButtonScreenTable kTable{"TeamMembers_Background_Texture", "Assets//members.png", kCreditPageButtons, CreditTier};
ButtonScreenState state;

}  // namespace

Credits_Team_Members::Credits_Team_Members() : ButtonScreen(kTable, state) {}
