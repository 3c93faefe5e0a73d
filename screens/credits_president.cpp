#include "screens/credits_president.h"

namespace {

ButtonScreenState state;

}  // namespace

const ButtonScreenTable kCreditsPresidentTable{"president_Background_Texture", "Assets//president.png",
                                               kCreditPageButtons, CreditTier};

Credits_President::Credits_President() : ButtonScreen(kCreditsPresidentTable, state) {}
