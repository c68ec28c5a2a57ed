#include "qt/DialogControls.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include "qt/Buttons.h"
#include "qt/DialogUnits.h"
#include "qt/NumberField.h"
#include "qt/Picture.h"
#include "qt/StatusLine.h"
#include "qt/Utf8Text.h"

namespace velmor {
namespace {

QFont DialogFont() {
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QLabel* Label(const QString& text, Qt::Alignment alignment, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QFrame* Frame(QFrame::Shape shape, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(shape | QFrame::Sunken);
    return frame;
}

// Pictures, frames and group boxes are drawn over the controls they surround, as Windows draws
// them, and like Windows they let every click through.
void LetClicksThrough(QWidget* decoration) {
    decoration->setAttribute(Qt::WA_TransparentForMouseEvents);
    decoration->setFocusPolicy(Qt::NoFocus);
}

QWidget* Create(const ControlTemplate& control, QWidget* parent) {
    const QString text = FromUtf8(control.text);
    switch (control.kind) {
        case ControlKind::pushButton:
            return new WrappingButton(text, parent);
        case ControlKind::defaultPushButton: {
            auto* button = new QPushButton(text, parent);
            button->setDefault(true);
            return button;
        }
        case ControlKind::numberField:
            return new NumberField(parent);
        case ControlKind::label:
            return Label(text, Qt::AlignLeft | Qt::AlignTop, parent);
        case ControlKind::centredLabel:
            return Label(text, Qt::AlignHCenter | Qt::AlignTop, parent);
        case ControlKind::dropDownList: {
            auto* list = new QComboBox(parent);
            list->setEditable(false);
            list->setInsertPolicy(QComboBox::InsertAtBottom);
            // Opens as a list of maxVisibleItems entries below the box, not as a menu as tall as
            // the screen, which is how Qt's styles open a list that cannot be edited.
            list->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
            return list;
        }
        case ControlKind::classField: {
            auto* field = new QLineEdit(parent);
            field->setReadOnly(true);
            field->setAlignment(Qt::AlignRight);
            return field;
        }
        case ControlKind::checkButton:
            return new FlatButton(text, parent);
        case ControlKind::masteryButton:
            return new MasteryButton(text, parent);
        case ControlKind::picture: {
            auto* picture = new Picture(":/velmor/" + text + ".png", parent);
            LetClicksThrough(picture);
            return picture;
        }
        case ControlKind::textPanel: {
            auto* panel = Label(text, Qt::AlignLeft | Qt::AlignTop, parent);
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            return panel;
        }
        case ControlKind::statusLine:
            return new StatusLine(parent);
        case ControlKind::etchedFrame:
        case ControlKind::blackFrame: {
            auto* frame = Frame(QFrame::Box, parent);
            LetClicksThrough(frame);
            return frame;
        }
        case ControlKind::groupBox: {
            auto* group = new QGroupBox(text, parent);
            // The title stands at the left, also when Qt runs right to left.
            group->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
            LetClicksThrough(group);
            return group;
        }
        case ControlKind::progressBar: {
            auto* bar = new QProgressBar(parent);
            bar->setRange(0, 100);
            bar->setValue(0);
            bar->setTextVisible(false);
            return bar;
        }
        case ControlKind::spin:
            break;
    }
    return nullptr;
}

// Single-line fields and closed drop-down lists need at least their own height to show their text;
// a drop-down list's template height is the height of its open list.
QRect Placement(const ControlTemplate& control, QWidget* widget, const DialogUnits& units) {
    QRect rect = units.rect(control.x, control.y, control.width, control.height);
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        const int boxHeight = list->sizeHint().height();
        const int itemHeight = std::max(1, list->fontMetrics().height() + 2);
        list->setMaxVisibleItems(std::max(1, (rect.height() - boxHeight) / itemHeight));
        rect.setHeight(boxHeight);
    } else if (qobject_cast<NumberField*>(widget) || qobject_cast<QLineEdit*>(widget)) {
        rect.setHeight(std::max(rect.height(), widget->sizeHint().height()));
    }
    return rect;
}

}  // namespace

DialogControls::DialogControls(QDialog& dialog, const DialogTemplate& dialogTemplate) {
    dialog.setFont(DialogFont());
    dialog.setWindowTitle(FromUtf8(dialogTemplate.title));
    // The template places every control from the left, whatever the language's direction.
    dialog.setLayoutDirection(Qt::LeftToRight);
    const DialogUnits units(dialog.font());
    dialog.setFixedSize(units.x(dialogTemplate.width), units.y(dialogTemplate.height));

    QWidget* lastNumberField = nullptr;
    QWidget* firstToTakeFocus = nullptr;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = nullptr;
        if (control.kind == ControlKind::spin) {
            widget = lastNumberField;  // its arrows are part of the field
        } else {
            widget = Create(control, &dialog);
            widget->setGeometry(Placement(control, widget, units));
            widget->setEnabled(control.enabled);
            widget->setProperty("controlId", control.id);
            if (control.kind == ControlKind::numberField) {
                lastNumberField = widget;
            }
            if (!firstToTakeFocus && control.enabled && (widget->focusPolicy() & Qt::TabFocus)) {
                firstToTakeFocus = widget;
            }
        }
        if (control.id >= 0) {
            m_byId.emplace(control.id, widget);
        }
    }
    // As on Windows, the dialog opens with the focus on the first control that takes it. Push
    // buttons stay auto-default, as Qt makes them in a dialog: Enter presses the one that has the
    // focus, and the dialog's default button when no push button has it.
    if (firstToTakeFocus) {
        firstToTakeFocus->setFocus();
    }
}

QWidget* DialogControls::control(int id) const {
    const auto found = m_byId.find(id);
    return found == m_byId.end() ? nullptr : found->second;
}

}  // namespace velmor
