// The About box: the banner, six lines about the editor, and OK.
#pragma once

#include <windows.h>

namespace velmor {

// Shows the About box on `owner` until the player closes it.
void ShowAboutBox(HINSTANCE instance, HWND owner);

}  // namespace velmor
