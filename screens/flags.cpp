#include "screens/flags.h"

bool Muted = false;
bool ShowFps = false;
