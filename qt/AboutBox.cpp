#include "qt/AboutBox.h"

#include <QPushButton>

#include "editor/ControlIds.h"

namespace velmor {

AboutBox::AboutBox() : m_controls(*this, kAboutBoxTemplate) {
    connect(m_controls.get<QPushButton>(ids::about::kOk), &QPushButton::clicked, this,
            &QDialog::accept);
}

}  // namespace velmor
