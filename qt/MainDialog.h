// The editor's one window in Qt: it draws the main window's template, shows what the editor
// writes into its controls, and passes every notification of a control to the editor.
#pragma once

#include <QDialog>
#include <QIcon>
#include <memory>

#include "editor/EditorWindow.h"
#include "qt/DialogControls.h"
#include "qt/SystemMenu.h"

class QDropEvent;

namespace velmor {

class MainDialog : public QDialog, public View {
    Q_OBJECT

public:
    // Without prompts of its own the window asks with Qt's dialogs; tests give a script.
    explicit MainDialog(Prompts* prompts = nullptr, OpenOptions options = {.picture = "image.pcx"});
    ~MainDialog() override;

    QWidget* control(int id) const { return m_controls.control(id); }
    EditorWindow& editor() { return m_editor; }

    // The icon that stands for the window while it is minimised and dragged.
    QIcon OnQueryDragIcon() const { return m_hIcon; }

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

protected:
    void paintEvent(QPaintEvent* event) override;
    // The editor's shortcuts and a dropped file, wherever the focus or the pointer is in the
    // window: a field's own undo and its taking a file's name as text give way.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectControls();
    bool dropped(QDropEvent& event);

    std::unique_ptr<Prompts> m_ownPrompts;
    DialogControls m_controls;
    EditorWindow m_editor;
    std::unique_ptr<WindowMenu> m_menu;
    QIcon m_hIcon;
};

}  // namespace velmor
