#include "win32/DialogBuilder.h"

#include <windows.h>
// Needs the types of windows.h.
#include <commctrl.h>

#include <cstring>

#include "win32/WideText.h"

namespace velmor {
namespace {

// The dialog's font, as the original window's.
constexpr wchar_t kFont[] = L"MS Sans Serif";
constexpr WORD kFontPoints = 8;

struct Kind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle = 0;
    bool hasText = true;
};

Kind KindOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::pushButton:
            return {L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP};
        case ControlKind::defaultPushButton:
            return {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP};
        case ControlKind::numberField:
            return {L"EDIT", ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
        case ControlKind::spin:
            return {
                UPDOWN_CLASSW,
                UDS_ALIGNLEFT | UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                0, false};
        case ControlKind::label:
            return {L"STATIC", SS_LEFT};
        case ControlKind::centredLabel:
            return {L"STATIC", SS_CENTER};
        case ControlKind::dropDownList:
            return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
        case ControlKind::classField:
            return {L"EDIT", ES_READONLY | ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
        case ControlKind::checkButton:
            return {L"BUTTON", BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_FLAT | WS_TABSTOP};
        case ControlKind::masteryButton:
            return {L"BUTTON", BS_AUTORADIOBUTTON | BS_PUSHLIKE | BS_FLAT | WS_GROUP | WS_TABSTOP};
        case ControlKind::picture:
            return {L"STATIC", SS_BITMAP | SS_CENTERIMAGE | SS_SUNKEN, 0, false};
        case ControlKind::textPanel:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_SUNKEN};
        case ControlKind::statusLine:
            return {L"STATIC", SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS | SS_NOPREFIX | SS_SUNKEN};
        case ControlKind::etchedFrame:
            return {L"STATIC", SS_ETCHEDFRAME, 0, false};
        case ControlKind::blackFrame:
            return {L"STATIC", SS_BLACKFRAME, 0, false};
        case ControlKind::groupBox:
            return {L"BUTTON", BS_GROUPBOX};
        case ControlKind::progressBar:
            return {PROGRESS_CLASSW, PBS_SMOOTH | WS_BORDER, 0, false};
    }
    return {L"STATIC", 0};
}

// Appends to a byte buffer in the layout that DLGTEMPLATEEX prescribes.
class Writer {
public:
    template <typename Value>
    void put(Value value) {
        const auto at = m_bytes.size();
        m_bytes.resize(at + sizeof value);
        std::memcpy(m_bytes.data() + at, &value, sizeof value);
    }
    void putText(std::wstring_view text) {
        for (const wchar_t c : text) {
            put(static_cast<WORD>(c));
        }
        put(WORD{0});
    }
    void align() {
        while (m_bytes.size() % 4 != 0) {
            m_bytes.push_back(0);
        }
    }
    DialogBytes finish() {
        align();
        DialogBytes words(m_bytes.size() / 4);
        std::memcpy(words.data(), m_bytes.data(), m_bytes.size());
        return words;
    }

private:
    std::vector<unsigned char> m_bytes;
};

}  // namespace

DialogBytes BuildDialog(const DialogTemplate& dialog) {
    Writer out;
    out.put(WORD{1});       // dlgVer
    out.put(WORD{0xFFFF});  // signature: an extended template
    out.put(DWORD{0});      // helpID
    out.put(DWORD{0});      // exStyle
    out.put(
        DWORD{DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX});
    out.put(static_cast<WORD>(dialog.controls.size()));
    out.put(short{0});
    out.put(short{0});
    out.put(static_cast<short>(dialog.width));
    out.put(static_cast<short>(dialog.height));
    out.put(WORD{0});  // no menu
    out.put(WORD{0});  // the standard dialog class
    out.putText(Widen(dialog.title));
    out.put(kFontPoints);
    out.put(WORD{FW_NORMAL});
    out.put(BYTE{0});  // not italic
    out.put(BYTE{DEFAULT_CHARSET});
    out.putText(kFont);
    for (const ControlTemplate& control : dialog.controls) {
        const Kind kind = KindOf(control.kind);
        out.align();
        out.put(DWORD{0});  // helpID
        out.put(kind.exStyle);
        out.put(DWORD{WS_CHILD | WS_VISIBLE | kind.style | (control.enabled ? 0u : WS_DISABLED)});
        out.put(static_cast<short>(control.x));
        out.put(static_cast<short>(control.y));
        out.put(static_cast<short>(control.width));
        out.put(static_cast<short>(control.height));
        out.put(static_cast<DWORD>(control.id));
        out.putText(kind.windowClass);
        out.putText(kind.hasText ? Widen(control.text) : L"");
        out.put(WORD{0});  // no creation data
    }
    return out.finish();
}

}  // namespace velmor
