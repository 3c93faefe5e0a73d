#include "game/flags.h"

bool Muted = false;
bool ShowFps = false;
