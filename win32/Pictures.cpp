#include "win32/Pictures.h"

#include <vector>

#include "editor/DialogTemplate.h"
#include "win32/ResourceIds.h"

namespace velmor {
namespace {

struct Named {
    std::string_view name;
    int id;
};
constexpr Named kPictures[] = {{"banner129", VELMOR_BITMAP_ABOUT_BANNER},
                               {"banner135", VELMOR_BITMAP_BANNER},
                               {"food136", VELMOR_BITMAP_FOOD},
                               {"gold137", VELMOR_BITMAP_GOLD},
                               {"bank140", VELMOR_BITMAP_BANK_GOLD}};

}  // namespace

Bitmap LoadPicture(HINSTANCE instance, std::string_view name, UINT dpi) {
    int id = 0;
    for (const Named& picture : kPictures) {
        if (picture.name == name) {
            id = picture.id + (dpi >= 144 ? VELMOR_DOUBLE_SIZE : 0);
        }
    }
    // Kept with its alpha, premultiplied, as the drawing script writes it.
    Bitmap drawn(static_cast<HBITMAP>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP size{};
    if (!drawn || !::GetObjectW(drawn.get(), sizeof size, &size)) {
        return nullptr;
    }
    // A picture control draws a bitmap as it is, so the face colour goes under it here.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = size.bmWidth;
    format.bmiHeader.biHeight = size.bmHeight;
    format.bmiHeader.biPlanes = 1;
    // Without alpha, so that the control draws this bitmap itself rather than a copy of it that
    // nobody would free.
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    Bitmap shown(::CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    HDC from = ::CreateCompatibleDC(screen);
    HDC to = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    const HGDIOBJ oldFrom = ::SelectObject(from, drawn.get());
    const HGDIOBJ oldTo = ::SelectObject(to, shown.get());
    const RECT all{0, 0, size.bmWidth, size.bmHeight};
    ::FillRect(to, &all, ::GetSysColorBrush(COLOR_BTNFACE));
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(to, 0, 0, size.bmWidth, size.bmHeight, from, 0, 0, size.bmWidth, size.bmHeight,
                 blend);
    ::SelectObject(from, oldFrom);
    ::SelectObject(to, oldTo);
    ::DeleteDC(from);
    ::DeleteDC(to);
    return shown;
}

void ShowPictures(HWND dialog, const DialogTemplate& plan, HINSTANCE instance,
                  std::vector<Bitmap>& keep) {
    const UINT dpi = ::GetDpiForWindow(dialog);
    // The dialog's children come in the template's order, pictures without an ID of their own
    // among them.
    HWND child = ::GetWindow(dialog, GW_CHILD);
    for (const ControlTemplate& control : plan.controls) {
        if (!child) {
            return;
        }
        if (control.kind == ControlKind::picture) {
            if (Bitmap bitmap = LoadPicture(instance, control.text, dpi)) {
                ::SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP,
                               reinterpret_cast<LPARAM>(bitmap.get()));
                keep.push_back(std::move(bitmap));
            }
        }
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
}

Icon LoadWindowIcon(HINSTANCE instance, bool small, UINT dpi) {
    const int side = ::GetSystemMetricsForDpi(small ? SM_CXSMICON : SM_CXICON, dpi);
    return Icon(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(VELMOR_ICON), IMAGE_ICON, side, side, 0)));
}

}  // namespace velmor
