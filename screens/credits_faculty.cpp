#include "screens/credits_faculty.h"

namespace {

const ButtonScreenTable kTable{"Faculty_Background_Texture", "Assets//faculty.png", kCreditPageButtons, CreditTier};
ButtonScreenState state;

}  // namespace

Credits_Faculty::Credits_Faculty() : ButtonScreen(kTable, state) {}
