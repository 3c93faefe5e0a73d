#pragma once

// Options shared by the main menu and the level screen; false at start, not saved.
extern bool Muted;    // no sound effects; the music channels are silenced by the screens
extern bool ShowFps;  // frame-rate counter in the head-up display
