// Our pictures and icon from the program's resources.
#pragma once

#include <string_view>
#include <vector>

#include "editor/DialogTemplate.h"
#include "win32/Handles.h"

namespace velmor {

// The picture that a template names ("food136"), drawn over the dialog's face colour, at twice
// its size on a screen of 144 dots per inch and more; nothing for a name of no picture of ours.
Bitmap LoadPicture(HINSTANCE instance, std::string_view name, UINT dpi);

// Puts every picture that the template names into its control; the window keeps the bitmaps for
// as long as it shows them.
void ShowPictures(HWND dialog, const DialogTemplate& plan, HINSTANCE instance,
                  std::vector<Bitmap>& keep);

// The window icon at the size that Windows shows it big or small on this screen.
Icon LoadWindowIcon(HINSTANCE instance, bool small, UINT dpi);

}  // namespace velmor
