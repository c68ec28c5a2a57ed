// The editor on Windows: its one window, run once. Windows' own controls of the sixth version draw
// it; nothing is saved at the end.
#include <windows.h>
// Needs the types of windows.h.
#include <commctrl.h>

#include "savegame/FileSystem.h"
#include "win32/MainWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    velmor::TellOversizedWritesAsErrors();
    const INITCOMMONCONTROLSEX controls{
        sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    velmor::MainWindow window(instance);
    window.run();
    return 0;
}
