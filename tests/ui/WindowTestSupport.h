// What the window's tests share: a fresh window with scripted prompts, copying pictures into a
// scratch folder, on files that a test can make fail.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>

#include "data/TemporaryDirectory.h"
#include "support/FaultyFiles.h"
#include "ui/EditorWindow.h"
#include "ui/NumberField.h"
#include "ui/ScriptedPrompts.h"

namespace velmor::test {

class WindowTest : public ::testing::Test {
protected:
    WindowTest() : window(&prompts, {.picture = dir / "image.pcx", .files = &files}) {}

    QWidget* control(int id) const { return window.control(id); }
    template <typename Control>
    Control* get(int id) const {
        auto* typed = qobject_cast<Control*>(window.control(id));
        EXPECT_NE(typed, nullptr) << "control " << id;
        return typed;
    }
    NumberField* field(int id) const { return get<NumberField>(id); }

    TemporaryDirectory dir;
    FaultyFiles files;
    ScriptedPrompts prompts;
    EditorWindow window;
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
