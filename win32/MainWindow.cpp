#include "win32/MainWindow.h"

#include <commctrl.h>

#include <climits>

#include "editor/ControlIds.h"
#include "win32/Pictures.h"
#include "win32/WideText.h"
#include "win32/WindowsPrompts.h"

namespace velmor {
namespace {

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsList(HWND control) {
    wchar_t name[16]{};
    ::GetClassNameW(control, name, 16);
    return ::lstrcmpiW(name, L"COMBOBOX") == 0;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, Prompts* prompts, OpenOptions options)
    : m_instance(instance),
      m_plan(BuildDialog(kMainWindowTemplate)),
      m_ownPrompts(prompts ? nullptr : std::make_unique<WindowsPrompts>(instance, m_window)),
      m_editor(*this, prompts ? *prompts : *m_ownPrompts, std::move(options)) {}

MainWindow::~MainWindow() {
    if (m_window) {
        ::DestroyWindow(m_window);
    }
}

// A loop of the window's own rather than a modal dialog's, so that the editor's shortcuts come
// before the dialog's keys and a field's own undo.
void MainWindow::run(const std::optional<std::filesystem::path>& game) {
    if (!create()) {
        return;
    }
    ::ShowWindow(m_window, SW_SHOWNORMAL);
    if (game) {
        m_editor.OnOpenGame(*game);
    }
    std::vector<ACCEL> keys;
    for (const Shortcut& shortcut : kShortcuts) {
        keys.push_back({static_cast<BYTE>(FVIRTKEY | FCONTROL | (shortcut.shift ? FSHIFT : 0)),
                        static_cast<WORD>(shortcut.letter), static_cast<WORD>(shortcut.command)});
    }
    const std::unique_ptr<std::remove_pointer_t<HACCEL>, decltype(&::DestroyAcceleratorTable)>
        shortcuts(::CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())),
                  &::DestroyAcceleratorTable);
    MSG message;
    while (!m_result && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!::TranslateAcceleratorW(m_window, shortcuts.get(), &message) &&
            !::IsDialogMessageW(m_window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

HWND MainWindow::create() {
    return ::CreateDialogIndirectParamW(m_instance,
                                        reinterpret_cast<LPCDLGTEMPLATEW>(m_plan.data()), nullptr,
                                        Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<MainWindow*>(lParam);
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->m_window = window;
    }
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, DWLP_USER));
    return self ? self->handleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            onInitDialog();
            return FALSE;  // the focus is placed already
        case WM_COMMAND:
            // A shortcut comes from no control, and says 1 where a control's notification would.
            if (lParam == 0 && HIWORD(wParam) == 1) {
                m_editor.OnSysCommand(LOWORD(wParam));
            } else {
                onCommand(LOWORD(wParam), HIWORD(wParam));
            }
            return TRUE;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->code == UDN_DELTAPOS) {
                // The arrows step as the editor says; the control's own step is cancelled.
                ::SetWindowLongPtrW(m_window, DWLP_MSGRESULT,
                                    onArrows(*reinterpret_cast<const NMUPDOWN*>(lParam)));
                return TRUE;
            }
            return FALSE;
        case WM_SYSCOMMAND:
            return m_editor.OnSysCommand(static_cast<unsigned>(wParam)) ? TRUE : FALSE;
        case WM_PAINT:
            if (::IsIconic(m_window)) {
                paintIcon();
                return TRUE;
            }
            return FALSE;
        case WM_DROPFILES:
            onDrop(reinterpret_cast<HDROP>(wParam));
            return TRUE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(m_icon.get());
        default:
            return FALSE;
    }
}

void MainWindow::onInitDialog() {
    const UINT dpi = ::GetDpiForWindow(m_window);
    m_icon = LoadWindowIcon(m_instance, false, dpi);
    m_smallIcon = LoadWindowIcon(m_instance, true, dpi);
    ::SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon.get()));
    ::SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.get()));
    if (HMENU menu = ::GetSystemMenu(m_window, FALSE)) {
        for (const MenuItem& entry : kWindowMenu) {
            if (entry.text.empty()) {
                ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            } else {
                ::AppendMenuW(menu, MF_STRING, entry.command, Widen(entry.text).c_str());
            }
        }
    }
    ShowPictures(m_window, kMainWindowTemplate, m_instance, m_pictures);
    ::DragAcceptFiles(m_window, TRUE);
    // Up counts up, and no number stops the arrows before the editor has seen the step.
    for (const ControlTemplate& control : kMainWindowTemplate.controls) {
        if (control.kind == ControlKind::spin) {
            ::SendMessageW(item(control.id), UDM_SETRANGE32, static_cast<WPARAM>(INT_MIN), INT_MAX);
        }
    }
    // Enter anywhere presses Exit, as the default button, unless a push button has the focus.
    // The first control that takes the focus gets it as Tab gives it, which makes a push button
    // the default for as long as it has the focus.
    ::SendMessageW(m_window, DM_SETDEFID, ids::kExit, 0);
    ::SendMessageW(m_window, WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(::GetNextDlgTabItem(m_window, nullptr, FALSE)), TRUE);
    m_editor.OnInitDialog();
}

void MainWindow::onCommand(int id, int code) {
    if (id == IDCANCEL) {  // Escape and the close button end the window, taking no value
        endDialog(IDCANCEL);
        return;
    }
    if (code == BN_CLICKED) {
        m_editor.OnCommand(id, Notification::clicked);
    } else if (code == EN_CHANGE) {
        m_editor.OnCommand(id, Notification::changed);
    } else if (code == CBN_SELCHANGE) {
        m_editor.OnCommand(id, Notification::picked);
    }
}

// One file dropped anywhere on the window opens it.
void MainWindow::onDrop(HDROP files) {
    const bool one = ::DragQueryFileW(files, 0xFFFFFFFF, nullptr, 0) == 1;
    std::wstring name(static_cast<std::size_t>(::DragQueryFileW(files, 0, nullptr, 0)) + 1, L'\0');
    name.resize(::DragQueryFileW(files, 0, name.data(), static_cast<UINT>(name.size())));
    ::DragFinish(files);
    if (one) {
        m_editor.OnOpenGame(std::filesystem::path(name));
    }
}

bool MainWindow::onArrows(const NMUPDOWN& step) {
    const HWND field =
        reinterpret_cast<HWND>(::SendMessageW(step.hdr.hwndFrom, UDM_GETBUDDY, 0, 0));
    const auto range = m_arrows.find(::GetDlgCtrlID(field));
    if (range == m_arrows.end()) {
        return true;
    }
    if (const auto to = Stepped(Narrow(WindowText(field)), step.iDelta, range->second)) {
        ::SetWindowTextW(field, std::to_wstring(*to).c_str());
    }
    return true;
}

void MainWindow::paintIcon() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_window, &paint);
    ::SendMessageW(m_window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(m_window, &client);
    const int side = ::GetSystemMetrics(SM_CXICON);
    // Centred in signed arithmetic, as a client area smaller than the icon needs.
    ::DrawIcon(dc, (client.right - side + 1) / 2, (client.bottom - side + 1) / 2, m_icon.get());
    ::EndPaint(m_window, &paint);
}

std::string MainWindow::text(int id) const {
    HWND control = item(id);
    if (IsList(control)) {
        const auto index = ::SendMessageW(control, CB_GETCURSEL, 0, 0);
        if (index == CB_ERR) {
            return {};
        }
        const auto at = static_cast<WPARAM>(index);
        std::wstring entry(
            static_cast<std::size_t>(::SendMessageW(control, CB_GETLBTEXTLEN, at, 0)) + 1, L'\0');
        entry.resize(static_cast<std::size_t>(
            ::SendMessageW(control, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(entry.data()))));
        return Narrow(entry);
    }
    return Narrow(WindowText(control));
}

// Writing only what differs keeps the caret where the player is typing.
void MainWindow::setText(int id, std::string_view text) {
    const std::wstring wide = Widen(text);
    if (WindowText(item(id)) != wide) {
        ::SetWindowTextW(item(id), wide.c_str());
    }
}

bool MainWindow::isChecked(int id) const {
    return ::IsDlgButtonChecked(m_window, id) == BST_CHECKED;
}

void MainWindow::setChecked(int id, bool checked) {
    ::CheckDlgButton(m_window, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void MainWindow::setItems(int id, std::span<const std::string> items) {
    HWND list = item(id);
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : items) {
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
    }
}

int MainWindow::picked(int id) const {
    const auto index = ::SendMessageW(item(id), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void MainWindow::pick(int id, int index) {
    ::SendMessageW(item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void MainWindow::setEnabled(int id, bool enabled) {
    ::EnableWindow(item(id), enabled);
}

// Moved as Tab moves it, which selects a field's text, and marked as after a key.
void MainWindow::focus(int id) {
    ::SendMessageW(m_window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(id)), TRUE);
    ::SendMessageW(m_window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void MainWindow::setArrows(int id, const ArrowRange& range) {
    m_arrows[id] = range;
}

void MainWindow::setTitle(std::string_view title) {
    ::SetWindowTextW(m_window, Widen(title).c_str());
}

void MainWindow::endDialog() {
    endDialog(IDOK);
}

void MainWindow::endDialog(INT_PTR result) {
    m_result = result;
    ::ShowWindow(m_window, SW_HIDE);
}

void MainWindow::enableCommand(unsigned command, bool enabled) {
    const UINT state = enabled ? MF_ENABLED : MF_GRAYED;
    ::EnableMenuItem(::GetSystemMenu(m_window, FALSE), command, MF_BYCOMMAND | state);
}

void MainWindow::setProgressRange(int lower, int upper) {
    ::SendMessageW(item(ids::kProgress), PBM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

void MainWindow::setProgressPosition(int position) {
    ::SendMessageW(item(ids::kProgress), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

}  // namespace velmor
