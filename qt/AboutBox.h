// The About box: the banner, six lines about the editor, and OK.
#pragma once

#include <QDialog>

#include "qt/DialogControls.h"

namespace velmor {

class AboutBox : public QDialog {
    Q_OBJECT

public:
    AboutBox();

    QWidget* control(int id) const { return m_controls.control(id); }

private:
    DialogControls m_controls;
};

}  // namespace velmor
