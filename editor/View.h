// What the editor needs of a window. Each window (Qt's, Windows') draws the dialog templates with
// its own controls, implements this by control ID, and passes every notification of a control to
// the editor; the editor decides what each one means. Texts are UTF-8.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "editor/ArrowSteps.h"
#include "savegame/Progress.h"

namespace velmor {

// What a control tells of the player's doing.
enum class Notification {
    clicked,  // a button; a check or mastery button has changed its own check first
    changed,  // a field's text, typed or stepped by its arrows
    picked,   // a list's entry, picked by the player; picking by program tells nothing
};

// A load and a save move the window's progress bar through the ProgressSink.
class View : public ProgressSink {
public:
    // A field's, label's or panel's text; a list's picked entry, or nothing.
    virtual std::string text(int id) const = 0;
    virtual void setText(int id, std::string_view text) = 0;

    virtual bool isChecked(int id) const = 0;
    virtual void setChecked(int id, bool checked) = 0;

    // A list's entries, in this order, none picked; no entries empties it.
    virtual void setItems(int id, std::span<const std::string> items) = 0;
    // The picked entry, -1 for none.
    virtual int picked(int id) const = 0;
    virtual void pick(int id, int index) = 0;

    virtual void setEnabled(int id, bool enabled) = 0;

    // Gives the control the keyboard's focus, marked as after a Tab, with a field's text selected.
    virtual void focus(int id) = 0;

    // What a number field's arrows step through; without it they do nothing.
    virtual void setArrows(int id, const ArrowRange& range) = 0;

    virtual void setTitle(std::string_view title) = 0;

    // Enables or disables a command of the window's menu.
    virtual void enableCommand(unsigned command, bool enabled) = 0;

    // Ends the window as its OK ends it.
    virtual void endDialog() = 0;
};

}  // namespace velmor
