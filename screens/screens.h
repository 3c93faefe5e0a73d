#pragma once

// Puts every screen object in the state table.
void RegisterScreens();
