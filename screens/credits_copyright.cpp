#include "screens/credits_copyright.h"

namespace {

const ButtonScreenTable kTable{"copyright_Background_Texture", "Assets//copyright.png", kCreditPageButtons, CreditTier};
ButtonScreenState state;

}  // namespace

Credits_Copyright::Credits_Copyright() : ButtonScreen(kTable, state) {}
