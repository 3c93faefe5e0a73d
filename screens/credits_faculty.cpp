#include "screens/credits_faculty.h"

namespace {

ButtonScreenState state;

}  // namespace

const ButtonScreenTable kCreditsFacultyTable{"Faculty_Background_Texture", "Assets//faculty.png",
                                             kCreditPageButtons, CreditTier};

Credits_Faculty::Credits_Faculty() : ButtonScreen(kCreditsFacultyTable, state) {}
