// The push buttons of the editor's dialogs that Qt's own do not cover.
#pragma once

#include <QPushButton>

namespace velmor {

// A push button whose caption wraps onto further lines when it does not fit on one.
class WrappingButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A mastery button: a click checks it and never unchecks it; the window unchecks the others.
// setChecked(false) still works, which a button group of one would refuse.
class MasteryButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void nextCheckState() override { setChecked(true); }
};

}  // namespace velmor
