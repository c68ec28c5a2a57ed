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

TEST_F(WindowShellTest, EnterInAFieldEndsTheWindowAsExitDoes) {
    for (const int id : {ids::kMight, ids::kGold, ids::kSkillLevel}) {
        window.show();
        field(id)->setFocus();
        QTest::keyClick(field(id), Qt::Key_Return);
        EXPECT_FALSE(window.isVisible()) << id;
        EXPECT_EQ(window.result(), QDialog::Accepted) << id;
    }
}

TEST_F(WindowTest, OpensWithTheFocusOnLoadGame) {
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_EQ(QApplication::focusWidget(), control(ids::kLoadGame));
}

// Enter and Space press the focused button and nothing else; once the focus is in a field again,
// Enter presses Exit.
TEST_F(WindowShellTest, EnterAndSpacePressTheFocusedButton) {
    const int buttons[] = {ids::kLoadGame, ids::kSaveGame,    ids::kCloseGame,
                           ids::kPromoted, ids::kNormal,      ids::kExpert,
                           ids::kMaster,   ids::kGrandmaster, ids::kLearned};
    for (const int id : buttons) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
            if (id == ids::kSaveGame) {
                prompts.answers.push_back(MessageAnswer::no);  // Save asks first
            }
            window.SetLoadedState(id != ids::kLoadGame);
            window.show();
            auto* button = get<QPushButton>(id);
            const QSignalSpy clicks(button, &QPushButton::clicked);
            button->setFocus();
            QTest::keyClick(button, key);
            EXPECT_EQ(clicks.count(), 1) << id << " key " << key;
            EXPECT_TRUE(window.isVisible()) << id << " key " << key;
        }
    }
    field(ids::kMight)->setFocus();
    QTest::keyClick(field(ids::kMight), Qt::Key_Return);
    EXPECT_EQ(window.result(), QDialog::Accepted);

    window.show();
    control(ids::kExit)->setFocus();
    QTest::keyClick(control(ids::kExit), Qt::Key_Space);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(WindowShellTest, EnterWithAFieldThatIsNoNumberKeepsTheWindowOpen) {
    field(ids::kLuck)->setText("");
    field(ids::kMight)->setFocus();
    QTest::keyClick(field(ids::kMight), Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].caption, "Velmor");
    EXPECT_TRUE(field(ids::kLuck)->hasFocus()) << "the field that is no number gets the focus";
    EXPECT_EQ(field(ids::kLuck)->text(), "0") << "showing again the value it kept";

    field(ids::kLuck)->setText("");
    QTest::mouseClick(control(ids::kExit), Qt::LeftButton);
    EXPECT_TRUE(window.isVisible()) << "Exit takes every value too";
    EXPECT_EQ(prompts.shown.size(), 2u);
}

TEST_F(WindowShellTest, EscapeEndsTheWindowWithoutTakingValues) {
    field(ids::kLuck)->setText("");  // taking the values would fail
    QTest::keyClick(field(ids::kMight), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(WindowShellTest, TheCloseButtonEndsTheWindowWithoutTakingValues) {
    field(ids::kLuck)->setText("");
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(WindowShellTest, AboutBoxOpensFromTheMenuItemBelowAVisibleSeparator) {
    QAction* about = nullptr;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << "no menu opened";
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), 2);
        EXPECT_TRUE(items[0]->isSeparator());
        const QRect separator = menu->actionGeometry(items[0]);
        EXPECT_GT(separator.height(), 0) << "the separator is drawn";
        EXPECT_GT(separator.top(), menu->style()->pixelMetric(QStyle::PM_MenuPanelWidth))
            << "clear of the menu's frame";
        about = items[1];
        menu->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            window.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&window, &click);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text(), "&About Velmor...");

    QString title;
    OnNextModalDialog([&](QDialog& dialog) { title = dialog.windowTitle(); });
    about->trigger();
    EXPECT_EQ(title, "Velmor Saved Game Editor [v1.5] - About");
    EXPECT_TRUE(window.isVisible()) << "closing the box returns to the window";
}

TEST_F(WindowShellTest, OnlyTheAboutCommandOpensTheAboutBoxWhateverItsLowBits) {
    for (const unsigned command : {0x10u, 0x11u, 0x1Fu}) {
        bool opened = false;
        OnNextModalDialog([&](QDialog& dialog) { opened = qobject_cast<AboutBox*>(&dialog); });
        EXPECT_TRUE(window.OnSysCommand(command));
        EXPECT_TRUE(opened) << command;
    }
    for (const unsigned command : {0x0u, 0x20u, 0xF060u}) {
        EXPECT_FALSE(window.OnSysCommand(command)) << command;
    }
}

TEST(AboutBox, ShowsTheBannerSixNoticeLinesAndOk) {
    AboutBox about;
    EXPECT_EQ(about.windowTitle(), "Velmor Saved Game Editor [v1.5] - About");
    auto* banner = qobject_cast<QLabel*>(about.control(ids::about::kBanner));
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->pixmap().size(), QSize(349, 98));
    for (const int id : {1035, 1036, 1037, 1038, 1039, 1041}) {
        auto* line = qobject_cast<QLabel*>(about.control(id));
        ASSERT_NE(line, nullptr) << id;
        EXPECT_FALSE(line->text().isEmpty()) << id;
    }
    auto* ok = qobject_cast<QPushButton*>(about.control(ids::about::kOk));
    ASSERT_NE(ok, nullptr);
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
    const std::tuple<QSize, QPoint> cases[] = {
        {QSize(36, 36), QPoint(2, 2)},   {QSize(35, 35), QPoint(2, 2)},
        {QSize(32, 32), QPoint(0, 0)},   {QSize(0, 0), QPoint(-15, -15)},
        {QSize(1, 2), QPoint(-15, -14)},
    };
    for (const auto& [client, at] : cases) {
        EXPECT_EQ(CentredIconPosition(client, QSize(32, 32)), at);
    }
}

}  // namespace
}  // namespace velmor
