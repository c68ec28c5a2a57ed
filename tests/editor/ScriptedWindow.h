// A window for the editor's tests: every control of the main window's template as plain data,
// doing what a toolkit's controls do on their own (a check button turns its check over when
// clicked, a mastery button checks itself, a field's arrows step as the editor set them, a
// field's text changed by the program tells of it as typing does), and prompts answered from a
// script.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editor/EditorWindow.h"
#include "support/ScriptedPrompts.h"

namespace velmor::test {

class ScriptedWindow final : public View, public ScriptedPrompts {
public:
    // What a control shows.
    struct Control {
        std::string text;
        bool checked = false;
        bool enabled = true;
        std::vector<std::string> items;
        int picked = -1;
        std::optional<ArrowRange> arrows;

        friend bool operator==(const Control&, const Control&) = default;
    };
    // What the whole window shows.
    struct Look {
        std::string title;
        std::map<int, Control> controls;
        std::map<unsigned, bool> commands;  // the menu's, enabled or not
        int focused = 0;

        friend bool operator==(const Look&, const Look&) = default;
    };

    // Made and initialised as a window opens.
    explicit ScriptedWindow(OpenOptions options);

    // The player's doing, passed to the editor as a window passes it.
    void click(int id);
    void type(int id, std::string_view text);
    void pickEntry(int id, int index);
    // The field's arrows, or the Up and Down keys, `steps` times one way.
    void press(int id, int steps);

    const Control& operator[](int id) const { return m_look.controls.at(id); }
    const Look& look() const { return m_look; }
    bool ended() const { return m_ended; }

    EditorWindow editor;

    // The View.
    std::string text(int id) const override;
    void setText(int id, std::string_view text) override;
    bool isChecked(int id) const override { return (*this)[id].checked; }
    void setChecked(int id, bool checked) override { m_look.controls.at(id).checked = checked; }
    void setItems(int id, std::span<const std::string> items) override;
    int picked(int id) const override { return (*this)[id].picked; }
    void pick(int id, int index) override { m_look.controls.at(id).picked = index; }
    void setEnabled(int id, bool enabled) override { m_look.controls.at(id).enabled = enabled; }
    void focus(int id) override { m_look.focused = id; }
    void setArrows(int id, const ArrowRange& range) override {
        m_look.controls.at(id).arrows = range;
    }
    void setTitle(std::string_view title) override { m_look.title = title; }
    void enableCommand(unsigned command, bool enabled) override {
        m_look.commands[command] = enabled;
    }
    void endDialog() override { m_ended = true; }
    void setProgressRange(int, int upper) override { progressTop = upper; }
    void setProgressPosition(int position) override { progress = position; }
    int progressTop = 0;
    int progress = 0;

private:
    Look m_look;
    bool m_ended = false;
};

}  // namespace velmor::test
