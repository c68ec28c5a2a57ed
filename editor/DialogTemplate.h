// A dialog described as Windows describes one: controls in order, placed in dialog units.
#pragma once

#include <span>
#include <string_view>

namespace velmor {

enum class ControlKind {
    pushButton,         // multi-line caption
    defaultPushButton,  // the one button that Enter presses
    numberField,        // digits only, with border
    spin,               // the arrows of the number field just before it
    label,
    centredLabel,
    dropDownList,   // unsorted, not editable
    classField,     // read-only, right-aligned, any text
    checkButton,    // push-like, flat check box
    masteryButton,  // push-like, flat radio button that starts its own group
    picture,        // text names the picture ("food136"); sunken, centred and clipped
    textPanel,      // sunken static text
    statusLine,     // sunken static text on one line, shortened in the middle
    etchedFrame,
    blackFrame,
    groupBox,
    progressBar,  // smooth, with border
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    std::string_view text;
    int x, y, width, height;
    bool enabled = true;
};

struct DialogTemplate {
    std::string_view title;
    int width, height;
    std::span<const ControlTemplate> controls;
};

// Template 102: the main window.
extern const DialogTemplate kMainWindowTemplate;
// Template 100: the About box.
extern const DialogTemplate kAboutBoxTemplate;

}  // namespace velmor
