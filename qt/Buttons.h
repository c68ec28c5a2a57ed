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

// A flat, push-like check box or radio button. At rest only its caption shows, and a sunken
// face while it is checked or pressed; it rises under the pointer and while it has the focus,
// which is outlined, so that the player sees what a click or a key would press.
class FlatButton : public QPushButton {
public:
    explicit FlatButton(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A mastery button: a click checks it and never unchecks it; the window unchecks the others.
// setChecked(false) still works, which a button group of one would refuse.
class MasteryButton : public FlatButton {
public:
    using FlatButton::FlatButton;

protected:
    void nextCheckState() override { setChecked(true); }
};

}  // namespace velmor
