#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include "qt/AboutBox.h"
#include "qt/MinimisedIcon.h"
#include "qt/WindowTestSupport.h"

namespace velmor {
namespace {

using test::OnNextModalDialog;
using WindowShellTest = test::EditingWindowTest;
using NumberFieldTest = test::EditingWindowTest;

// Enter and Space press the focused button and nothing else. Enter in a field presses Exit, which
// takes every value and ends the window, also once a button has had the focus; while a field holds
// no number the window stays, and that field shows again the value it kept, with the focus. Escape
// and the close button end the window without taking the values.
TEST_F(WindowShellTest, KeysPressTheFocusedButtonAndOnlyEnterTakesTheValues) {
    const auto enterInAFieldExits = [this] {
        window.show();
        window.setResult(QDialog::Rejected);
        field(ids::kGold)->setFocus();
        QTest::keyClick(field(ids::kGold), Qt::Key_Return);
        EXPECT_TRUE(!window.isVisible() && window.result() == QDialog::Accepted);
    };
    enterInAFieldExits();
    prompts.answers.assign(3, MessageAnswer::no);  // Save asks first, once for each key
    for (const int id :
         {ids::kLoadGame, ids::kSaveGame, ids::kCloseGame, ids::kExit, ids::kPromoted, ids::kNormal,
          ids::kExpert, ids::kMaster, ids::kGrandmaster, ids::kLearned}) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
            window.editor().SetLoadedState(id != ids::kLoadGame);
            window.show();
            auto* button = get<QPushButton>(id);
            const QSignalSpy clicks(button, &QPushButton::clicked);
            button->setFocus();
            QTest::keyClick(button, key);
            EXPECT_TRUE(clicks.count() == 1 && window.isVisible() == (id != ids::kExit))
                << id << " key " << key;
        }
    }
    enterInAFieldExits();

    prompts.shown.clear();
    window.show();
    QApplication::setActiveWindow(&window);
    field(ids::kLuck)->setText("");
    QTest::keyClick(field(ids::kGold), Qt::Key_Return);
    EXPECT_TRUE(window.isVisible() && field(ids::kLuck)->hasFocus() && text(ids::kLuck) == "0");
    const std::function<void()> ends[] = {
        [&] { QTest::keyClick(field(ids::kLuck), Qt::Key_Escape); }, [&] { window.close(); }};
    for (const auto& end : ends) {
        window.show();
        window.setResult(QDialog::Accepted);
        field(ids::kLuck)->setText("");  // taking the values would fail
        end();
        EXPECT_TRUE(!window.isVisible() && window.result() == QDialog::Rejected);
    }
    EXPECT_EQ(prompts.shown.size(), 1u) << "the refused field is told once";
}

// The window's menu holds Undo and Redo, off without a game, and the About item below a separator,
// with no separator above them, which would have nothing to separate. The item opens the About
// box, whose default button OK closes it.
TEST(QtWindow, AboutBoxOpensFromTheMenu) {
    MainDialog window;
    window.show();
    bool closedWithOk = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << "no menu";
        const QList<QAction*> items = menu->actions();
        menu->close();
        ASSERT_EQ(items.size(), 4);
        EXPECT_TRUE(items[0]->text() == "&Undo\tCtrl+Z" && !items[0]->isEnabled() &&
                    items[1]->text() == "&Redo\tCtrl+Y" && !items[1]->isEnabled() &&
                    items[2]->isSeparator() && items[3]->text() == "&About Velmor...");
        OnNextModalDialog([&](QDialog& dialog) {
            auto* about = qobject_cast<AboutBox*>(&dialog);
            auto* ok =
                about ? qobject_cast<QPushButton*>(about->control(ids::about::kOk)) : nullptr;
            ASSERT_TRUE(ok && ok->isDefault());
            QTest::mouseClick(ok, Qt::LeftButton);
            closedWithOk = about->result() == QDialog::Accepted;
        });
        items[3]->trigger();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            window.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&window, &click);
    EXPECT_TRUE(closedWithOk && window.isVisible()) << "closing the box returns to the window";
}

// A minimised window's icon is centred in signed arithmetic that rounds toward zero.
TEST_F(WindowShellTest, IconHasBothSizesAndIsCentredWhenMinimised) {
    const QIcon icon = window.OnQueryDragIcon();
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(32, 32), QSize(16, 16)}));
    EXPECT_EQ(window.windowIcon().cacheKey(), icon.cacheKey());
    EXPECT_EQ(CentredIconPosition(QSize(1, 2), QSize(32, 32)), QPoint(-15, -14));  // -14.5 up
}

// The arrows sit against the field's left edge, and the text follows them, reading left to right;
// a click on them steps the number, and the page keys do nothing. Only digits can be typed, even
// past the range, and leaving the field keeps them. A level shown below zero keeps its minus sign
// while its digits are edited.
TEST_F(NumberFieldTest, ArrowsStepAtTheLeftAndOnlyDigitsCanBeTyped) {
    field(ids::kMight)->setText("100");
    QTest::keyClick(field(ids::kMight), Qt::Key_PageUp);
    QTest::keyClick(field(ids::kMight), Qt::Key_PageDown);
    EXPECT_EQ(text(ids::kMight), "100");
    NumberField* might = field(ids::kMight);
    might->setText("0");
    QTest::mouseClick(might, Qt::LeftButton, {}, QPoint(4, might->height() / 4));
    EXPECT_EQ(might->text(), "1");
    might->setText("255");
    QTest::mouseClick(might, Qt::LeftButton, {}, QPoint(4, might->height() * 3 / 4));
    EXPECT_EQ(might->text(), "254");
    const QLineEdit* edit = might->findChild<QLineEdit*>();
    EXPECT_TRUE(edit->x() > 4 && edit->isLeftToRight());

    might->setFocus();
    might->setText("");
    QTest::keyClicks(might, "-300x-,.");
    might->clearFocus();
    EXPECT_EQ(might->text(), "300");
    field(ids::kSkillLevel)->setText("-56");
    QTest::keyClick(field(ids::kSkillLevel), Qt::Key_End);
    QTest::keyClick(field(ids::kSkillLevel), Qt::Key_Backspace);
    EXPECT_EQ(text(ids::kSkillLevel), "-5");
}

}  // namespace
}  // namespace velmor
