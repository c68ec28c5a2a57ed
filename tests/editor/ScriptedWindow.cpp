#include "editor/ScriptedWindow.h"

#include "editor/ControlIds.h"
#include "editor/DialogTemplate.h"

namespace velmor::test {
namespace {

bool IsNumberField(int id) {
    for (const ControlTemplate& each : kMainWindowTemplate.controls) {
        if (each.id == id) {
            return each.kind == ControlKind::numberField;
        }
    }
    return false;
}

}  // namespace

ScriptedWindow::ScriptedWindow(OpenOptions options) : editor(*this, *this, std::move(options)) {
    m_look.title = kMainWindowTemplate.title;
    for (const ControlTemplate& each : kMainWindowTemplate.controls) {
        if (each.id != ids::kNone) {
            m_look.controls[each.id].enabled = each.enabled;
        }
    }
    editor.OnInitDialog();
}

void ScriptedWindow::click(int id) {
    Control& button = m_look.controls.at(id);
    if (id == ids::kNormal || id == ids::kExpert || id == ids::kMaster || id == ids::kGrandmaster) {
        button.checked = true;
    } else if (id == ids::kLearned || id == ids::kPromoted) {
        button.checked = !button.checked;
    }
    editor.OnCommand(id, Notification::clicked);
}

void ScriptedWindow::type(int id, std::string_view text) {
    setText(id, text);
}

void ScriptedWindow::pickEntry(int id, int index) {
    pick(id, index);
    editor.OnCommand(id, Notification::picked);
}

void ScriptedWindow::press(int id, int steps) {
    const Control& field = (*this)[id];
    for (int step = 0; field.arrows && step < std::abs(steps); ++step) {
        if (const auto to = Stepped(field.text, steps < 0 ? -1 : 1, *field.arrows)) {
            setText(id, std::to_string(*to));
        }
    }
}

std::string ScriptedWindow::text(int id) const {
    const Control& control = (*this)[id];
    if (!control.items.empty()) {
        return control.picked < 0 ? "" : control.items.at(static_cast<std::size_t>(control.picked));
    }
    return control.text;
}

void ScriptedWindow::setText(int id, std::string_view text) {
    Control& control = m_look.controls.at(id);
    if (control.text != text) {
        control.text = text;
        if (IsNumberField(id)) {
            editor.OnCommand(id, Notification::changed);
        }
    }
}

void ScriptedWindow::setItems(int id, std::span<const std::string> items) {
    Control& list = m_look.controls.at(id);
    list.items.assign(items.begin(), items.end());
    list.picked = -1;
}

}  // namespace velmor::test
