#include "screens/credits_president.h"

namespace {

const ButtonScreenTable kTable{"president_Background_Texture", "Assets//president.png", kCreditPageButtons, CreditTier};
ButtonScreenState state;

}  // namespace

Credits_President::Credits_President() : ButtonScreen(kTable, state) {}
