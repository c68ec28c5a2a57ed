// The controls of a dialog, made from its template and found by their IDs.
#pragma once

#include <QDialog>
#include <unordered_map>

#include "editor/DialogTemplate.h"

namespace velmor {

class DialogControls {
public:
    // Gives the dialog its font, title and fixed size, and creates every control of the template as
    // its child, in template order, which is also the order of the Tab key.
    DialogControls(QDialog& dialog, const DialogTemplate& dialogTemplate);

    // The control with this ID; a spin's ID finds the number field whose arrows it is.
    QWidget* control(int id) const;

    template <typename Control>
    Control* get(int id) const {
        return qobject_cast<Control*>(control(id));
    }

private:
    std::unordered_map<int, QWidget*> m_byId;
};

}  // namespace velmor
