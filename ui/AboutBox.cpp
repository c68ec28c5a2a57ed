#include "ui/AboutBox.h"

#include <QPushButton>

#include "ui/ControlIds.h"

namespace velmor {

AboutBox::AboutBox() : m_controls(*this, kAboutBoxTemplate) {
    connect(m_controls.get<QPushButton>(ids::about::kOk), &QPushButton::clicked, this,
            &QDialog::accept);
}

}  // namespace velmor
