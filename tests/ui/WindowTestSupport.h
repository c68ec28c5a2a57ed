// What the window's tests share: prompts answered from a script, and a fresh, shown window that
// copies pictures into a scratch folder, on files that a test can make fail.
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
#include <deque>
#include <functional>

#include "data/TemporaryDirectory.h"
#include "support/FaultyFiles.h"
#include "ui/ControlIds.h"
#include "ui/EditorWindow.h"
#include "ui/NumberField.h"

namespace velmor::test {

// A message as shown: text, caption and style.
using ShownMessage = std::tuple<std::string, std::string, MessageStyle>;

inline ShownMessage Error(std::string_view text) {
    return {std::string(text), std::string(kMessageCaption), MessageStyle::iconError};
}

// Picks the file and gives the answers that the test queued, and records every message in order.
// Without a file queued the player cancels; a question nobody expected fails the test.
class ScriptedPrompts : public Prompts {
public:
    std::optional<std::filesystem::path> file;
    std::deque<MessageAnswer> answers;
    std::vector<ShownMessage> shown;
    std::function<void()> whileChoosing;  // as the file dialog would, while it is open

    std::optional<std::filesystem::path> chooseFile() override {
        if (whileChoosing) {
            whileChoosing();
        }
        return std::exchange(file, std::nullopt);
    }
    MessageAnswer showMessage(std::string_view text, std::string_view caption,
                              MessageStyle style) override {
        shown.emplace_back(text, caption, style);
        if (style != MessageStyle::yesNo) {
            return MessageAnswer::ok;
        }
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return MessageAnswer::no;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// The number fields that the editor edits and the value each shows: one of the party's, or one
// of the picked character's.
// clang-format off
inline const std::pair<int, const PartyField&> kNumberFields[] = {
    {ids::kFood, fields::kFood}, {ids::kGold, fields::kGold}, {ids::kBankGold, fields::kBankGold},
    {ids::kMight, fields::kMight}, {ids::kIntellect, fields::kIntellect},
    {ids::kPersonality, fields::kPersonality}, {ids::kEndurance, fields::kEndurance},
    {ids::kAccuracy, fields::kAccuracy}, {ids::kSpeed, fields::kSpeed}, {ids::kLuck, fields::kLuck},
    {ids::kExperience, fields::kExperience}, {ids::kSkillPoints, fields::kSkillPoints}};
// clang-format on

class WindowTest : public ::testing::Test {
protected:
    WindowTest() : window(&prompts, {.picture = dir / "image.pcx", .files = &files}) {
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
    bool checked(int id) const { return get<QPushButton>(id)->isChecked(); }
    void click(int id) { QTest::mouseClick(control(id), Qt::LeftButton); }

    TemporaryDirectory dir;
    FaultyFiles files;
    ScriptedPrompts prompts;
    EditorWindow window;
};

// The window with its editing controls on, as a load leaves them, but no game behind them.
class EditingWindowTest : public WindowTest {
protected:
    EditingWindowTest() { window.SetLoadedState(true); }
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
