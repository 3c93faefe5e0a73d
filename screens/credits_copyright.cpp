#include "screens/credits_copyright.h"

namespace {

ButtonScreenState state;

}  // namespace

const ButtonScreenTable kCreditsCopyrightTable{"copyright_Background_Texture", "Assets//copyright.png",
                                               kCreditPageButtons, CreditTier};

Credits_Copyright::Credits_Copyright() : ButtonScreen(kCreditsCopyrightTable, state) {}
