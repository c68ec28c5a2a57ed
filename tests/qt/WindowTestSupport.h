// What the Qt window's tests share: a fresh, shown window that copies pictures into a scratch
// folder, with prompts answered from a script.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "data/TemporaryDirectory.h"
#include "editor/ControlIds.h"
#include "qt/MainDialog.h"
#include "qt/NumberField.h"
#include "support/ScriptedPrompts.h"

namespace velmor::test {

class WindowTest : public ::testing::Test {
protected:
    WindowTest() : window(&prompts, {.picture = dir / "image.pcx"}) {
        window.show();
        QApplication::setActiveWindow(&window);
    }

    QWidget* control(int id) const { return window.control(id); }
    template <typename Control>
    Control* get(int id) const {
        auto* typed = qobject_cast<Control*>(window.control(id));
        EXPECT_NE(typed, nullptr) << "control " << id;
        return typed;
    }
    NumberField* field(int id) const { return get<NumberField>(id); }
    QString text(int id) const { return field(id)->text(); }
    void click(int id) { QTest::mouseClick(control(id), Qt::LeftButton); }

    TemporaryDirectory dir;
    ScriptedPrompts prompts;
    MainDialog window;
};

// The window with its editing controls on, as a load leaves them, but no game behind them.
class EditingWindowTest : public WindowTest {
protected:
    EditingWindowTest() { window.editor().SetLoadedState(true); }
};

// Runs `withDialog` on the next modal dialog that opens, then closes it.
inline void OnNextModalDialog(std::function<void(QDialog&)> withDialog) {
    QTimer::singleShot(0, [withDialog] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no modal dialog opened";
        withDialog(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
}

}  // namespace velmor::test
