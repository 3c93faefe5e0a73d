#pragma once

// GL objects are deleted only while a context is current: screens are static
// objects destroyed after the window, when no GL call may be made.
bool GlContextIsCurrent();
