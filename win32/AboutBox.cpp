#include "win32/AboutBox.h"

#include <vector>

#include "editor/DialogTemplate.h"
#include "win32/DialogBuilder.h"
#include "win32/Pictures.h"

namespace velmor {
namespace {

struct About {
    HINSTANCE instance;
    std::vector<Bitmap> pictures;
};

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            auto* about = reinterpret_cast<About*>(lParam);
            ShowPictures(dialog, kAboutBoxTemplate, about->instance, about->pictures);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

void ShowAboutBox(HINSTANCE instance, HWND owner) {
    static const DialogBytes plan = BuildDialog(kAboutBoxTemplate);
    About about{instance, {}};
    ::DialogBoxIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(plan.data()), owner,
                              AboutProc, reinterpret_cast<LPARAM>(&about));
}

}  // namespace velmor
