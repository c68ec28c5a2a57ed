#include <QLineEdit>
#include <QTest>

#include "ui/ControlIds.h"
#include "ui/WindowTestSupport.h"

namespace velmor {
namespace {

using test::WindowTest;

class NumberFieldTest : public WindowTest {
protected:
    NumberFieldTest() { window.SetLoadedState(true); }

    // Sets the text as the player would leave it, then steps with the key.
    QString stepFrom(int id, const QString& start, Qt::Key key, int times) {
        NumberField* number = field(id);
        number->setText(start);
        for (int i = 0; i < times; ++i) {
            QTest::keyClick(number, key);
        }
        return number->text();
    }
};

TEST_F(NumberFieldTest, ArrowsStopAtTheEndsOfTheRangeWithoutWrapping) {
    EXPECT_EQ(stepFrom(ids::kMight, "254", Qt::Key_Up, 3), "255");
    EXPECT_EQ(stepFrom(ids::kMight, "1", Qt::Key_Down, 3), "0");
    EXPECT_EQ(stepFrom(ids::kSkillLevel, "254", Qt::Key_Up, 2), "255");
    EXPECT_EQ(stepFrom(ids::kSkillPoints, "59999", Qt::Key_Up, 2), "60000");
    EXPECT_EQ(stepFrom(ids::kFood, "9999998", Qt::Key_Up, 2), "9999999");
    EXPECT_EQ(stepFrom(ids::kExperience, "999999998", Qt::Key_Up, 2), "999999999");
}

TEST_F(NumberFieldTest, SteppedNumbersHaveNoThousandsSeparators) {
    EXPECT_EQ(stepFrom(ids::kGold, "999999", Qt::Key_Up, 1), "1000000");
    field(ids::kBankGold)->setText("999999");
    field(ids::kBankGold)->stepBy(1);  // as a click on the up arrow does
    EXPECT_EQ(field(ids::kBankGold)->text(), "1000000");
}

TEST_F(NumberFieldTest, TypedDigitsStayEvenPastTheRange) {
    NumberField* might = field(ids::kMight);
    might->setText("");
    QTest::keyClicks(might, "300");
    EXPECT_EQ(might->text(), "300");
    QTest::keyClicks(might, "x-,.");
    EXPECT_EQ(might->text(), "300") << "only digits can be typed";
    might->clearFocus();
    EXPECT_EQ(might->text(), "300");

    // A level shown below zero keeps its minus sign while its digits are edited.
    NumberField* level = field(ids::kSkillLevel);
    level->setText("-56");
    level->setFocus();
    QTest::keyClick(level, Qt::Key_End);
    QTest::keyClick(level, Qt::Key_Backspace);
    EXPECT_EQ(level->text(), "-5");
    level->setText("5");
    QTest::keyClick(level, Qt::Key_Home);
    QTest::keyClicks(level, "-");
    EXPECT_EQ(level->text(), "5");
}

TEST_F(NumberFieldTest, PageKeysDoNothing) {
    EXPECT_EQ(stepFrom(ids::kMight, "100", Qt::Key_PageUp, 1), "100");
    EXPECT_EQ(stepFrom(ids::kMight, "100", Qt::Key_PageDown, 1), "100");
}

// The arrows sit against the field's left edge; the text follows them and reads left to right.
TEST_F(NumberFieldTest, ArrowsSitAtTheLeftEdge) {
    window.show();
    NumberField* might = field(ids::kMight);
    might->setText("5");
    QTest::mouseClick(might, Qt::LeftButton, {}, QPoint(4, might->height() / 4));
    EXPECT_EQ(might->text(), "6");
    QTest::mouseClick(might, Qt::LeftButton, {}, QPoint(4, might->height() * 3 / 4));
    EXPECT_EQ(might->text(), "5");
    const QLineEdit* text = might->findChild<QLineEdit*>();
    EXPECT_GT(text->x(), 4);
    EXPECT_TRUE(text->isLeftToRight());
}

TEST_F(NumberFieldTest, ResistanceFieldsHaveNoArrows) {
    NumberField* fire = field(ids::kFireResistance);
    fire->setEnabled(true);
    fire->setText("5");
    fire->stepBy(1);
    EXPECT_EQ(fire->text(), "5");
}

}  // namespace
}  // namespace velmor
