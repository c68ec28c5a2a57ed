#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include "savegame/Messages.h"
#include "ui/AboutBox.h"
#include "ui/ControlIds.h"
#include "ui/MinimisedIcon.h"
#include "ui/WindowTestSupport.h"

namespace velmor {
namespace {

using test::OnNextModalDialog;
using test::WindowTest;

class WindowShellTest : public WindowTest {
protected:
    WindowShellTest() {
        window.SetLoadedState(true);
        window.show();
        QApplication::setActiveWindow(&window);
    }
};

// Enter and Space press the focused button and nothing else. Enter in a field presses Exit, which
// takes every value and ends the window, also once a button has had the focus.
TEST_F(WindowShellTest, EnterAndSpacePressTheFocusedButtonAndEnterInAFieldExits) {
    const auto enterInAFieldExits = [this] {
        for (const int id : {ids::kMight, ids::kGold, ids::kSkillLevel}) {
            window.show();
            window.setResult(QDialog::Rejected);
            field(id)->setFocus();
            QTest::keyClick(field(id), Qt::Key_Return);
            EXPECT_TRUE(!window.isVisible() && window.result() == QDialog::Accepted) << id;
        }
    };
    enterInAFieldExits();
    prompts.answers.assign(3, MessageAnswer::no);  // Save asks first, once for each key
    for (const int id :
         {ids::kLoadGame, ids::kSaveGame, ids::kCloseGame, ids::kExit, ids::kPromoted, ids::kNormal,
          ids::kExpert, ids::kMaster, ids::kGrandmaster, ids::kLearned}) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
            window.SetLoadedState(id != ids::kLoadGame);
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
}

// With a field that is no number Enter keeps the window open, and that field shows again the value
// it kept, with the focus. Escape and the close button end the window without taking the values.
TEST_F(WindowShellTest, EnterChecksTheFieldsButEscapeAndTheCloseButtonDoNot) {
    field(ids::kLuck)->setText("");
    field(ids::kMight)->setFocus();
    QTest::keyClick(field(ids::kMight), Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(field(ids::kLuck)->hasFocus() && field(ids::kLuck)->text() == "0");
    const std::function<void()> ends[] = {
        [&] { QTest::keyClick(field(ids::kMight), Qt::Key_Escape); }, [&] { window.close(); }};
    for (const auto& end : ends) {
        window.show();
        window.setResult(QDialog::Accepted);
        field(ids::kLuck)->setText("");  // taking the values would fail
        end();
        EXPECT_TRUE(!window.isVisible() && window.result() == QDialog::Rejected);
    }
    EXPECT_EQ(
        prompts.shown,
        std::vector{test::Error("Please enter a whole number in this field, using digits only.")});
}

// Qt drops a separator at the top of a menu; this one shows, clear of the menu's frame.
TEST_F(WindowShellTest, AboutBoxOpensFromTheMenuItemBelowAVisibleSeparator) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu != nullptr && menu->actions().size() == 2) << "no menu of two items";
        const QRect separator = menu->actionGeometry(menu->actions()[0]);
        EXPECT_TRUE(menu->actions()[0]->isSeparator() && separator.height() > 0);
        EXPECT_GT(separator.top(), menu->style()->pixelMetric(QStyle::PM_MenuPanelWidth));
        EXPECT_EQ(menu->actions()[1]->text(), "&About Velmor...");
        OnNextModalDialog([&](QDialog& dialog) { opened = qobject_cast<AboutBox*>(&dialog); });
        menu->actions()[1]->trigger();
        menu->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            window.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&window, &click);
    EXPECT_TRUE(opened && window.isVisible()) << "closing the box returns to the window";
}

TEST_F(WindowShellTest, OnlyTheAboutCommandOpensTheAboutBoxWhateverItsLowBits) {
    for (const unsigned command : {0x10u, 0x11u, 0x1Fu}) {
        bool opened = false;
        OnNextModalDialog([&](QDialog& dialog) { opened = qobject_cast<AboutBox*>(&dialog); });
        EXPECT_TRUE(window.OnSysCommand(command) && opened) << command;
    }
    for (const unsigned command : {0x0u, 0x20u, 0xF060u}) {
        EXPECT_FALSE(window.OnSysCommand(command)) << command;
    }
}

TEST(AboutBox, ShowsTheBannerSixNoticeLinesAndOk) {
    AboutBox about;
    EXPECT_EQ(about.windowTitle(), "Velmor Saved Game Editor [v1.5] - About");
    auto* banner = qobject_cast<QLabel*>(about.control(ids::about::kBanner));
    auto* ok = qobject_cast<QPushButton*>(about.control(ids::about::kOk));
    ASSERT_TRUE(banner && ok);
    EXPECT_EQ(banner->pixmap().size(), QSize(349, 98));
    for (const int id : {1035, 1036, 1037, 1038, 1039, 1041}) {
        auto* line = qobject_cast<QLabel*>(about.control(id));
        EXPECT_TRUE(line && !line->text().isEmpty()) << id;
    }
    EXPECT_TRUE(ok->isDefault());
    about.show();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST_F(WindowShellTest, IconHasBothSizes) {
    const QIcon icon = window.OnQueryDragIcon();
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(32, 32), QSize(16, 16)}));
    EXPECT_EQ(window.windowIcon().cacheKey(), icon.cacheKey());
}

TEST(MinimisedIcon, IsCentredRoundingTowardZero) {
    const std::tuple<QSize, QPoint> cases[] = {{QSize(35, 35), QPoint(2, 2)},
                                               {QSize(0, 0), QPoint(-15, -15)},
                                               {QSize(1, 2), QPoint(-15, -14)}};
    for (const auto& [client, at] : cases) {
        EXPECT_EQ(CentredIconPosition(client, QSize(32, 32)), at);
    }
}

}  // namespace
}  // namespace velmor
