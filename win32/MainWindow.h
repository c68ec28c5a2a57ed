// The editor's one window on Windows: a dialog built in memory from the main window's template,
// made of Windows' own controls. It shows what the editor writes into its controls and passes
// every notification of a control to the editor.
#pragma once

#include <windows.h>
// Needs the types of windows.h.
#include <commctrl.h>
#include <shellapi.h>

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "editor/EditorWindow.h"
#include "win32/DialogBuilder.h"
#include "win32/Handles.h"

namespace velmor {

class MainWindow final : public View {
public:
    // Without prompts of its own the window asks with Windows' dialogs; tests give a script.
    explicit MainWindow(HINSTANCE instance, Prompts* prompts = nullptr,
                        OpenOptions options = {.picture = "image.pcx"});
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Makes the window and runs it until it ends, with `game` opened once it shows.
    void run(const std::optional<std::filesystem::path>& game = std::nullopt);
    // Makes the window without running it, for tests that send it messages; it ends with the
    // object.
    HWND create();
    ~MainWindow() override;

    HWND handle() const { return m_window; }
    EditorWindow& editor() { return m_editor; }
    // How the window ended: IDOK as OK ends it, IDCANCEL as Escape does; nothing while it runs.
    std::optional<INT_PTR> result() const { return m_result; }

    // The View.
    std::string text(int id) const override;
    void setText(int id, std::string_view text) override;
    bool isChecked(int id) const override;
    void setChecked(int id, bool checked) override;
    void setItems(int id, std::span<const std::string> items) override;
    int picked(int id) const override;
    void pick(int id, int index) override;
    void setEnabled(int id, bool enabled) override;
    void focus(int id) override;
    void setArrows(int id, const ArrowRange& range) override;
    void setTitle(std::string_view title) override;
    void enableCommand(unsigned command, bool enabled) override;
    void endDialog() override;
    void setProgressRange(int lower, int upper) override;
    void setProgressPosition(int position) override;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onInitDialog();
    void onCommand(int id, int code);
    bool onArrows(const NMUPDOWN& step);
    void onDrop(HDROP files);
    void paintIcon();
    void endDialog(INT_PTR result);
    HWND item(int id) const { return ::GetDlgItem(m_window, id); }

    HINSTANCE m_instance;
    DialogBytes m_plan;
    HWND m_window = nullptr;
    std::unique_ptr<Prompts> m_ownPrompts;
    EditorWindow m_editor;
    std::map<int, ArrowRange> m_arrows;
    Icon m_icon;
    Icon m_smallIcon;
    std::vector<Bitmap> m_pictures;
    std::optional<INT_PTR> m_result;
};

}  // namespace velmor
