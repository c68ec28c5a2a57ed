#include <QLineEdit>
#include <QTest>

#include "ui/ControlIds.h"
#include "ui/WindowTestSupport.h"

namespace velmor {
namespace {

using test::WindowTest;

class NumberFieldTest : public WindowTest {
protected:
    NumberFieldTest() {
        window.SetLoadedState(true);
        window.show();
        QApplication::setActiveWindow(&window);
    }

    // Sets the text as the player would leave it, then presses the key.
    QString stepFrom(int id, const QString& start, Qt::Key key, int times) {
        field(id)->setText(start);
        for (int i = 0; i < times; ++i) {
            QTest::keyClick(field(id), key);
        }
        return field(id)->text();
    }
};

// Up and Down stop at the ends of each field's range, write no thousands separators, and the page
// keys do nothing.
TEST_F(NumberFieldTest, UpAndDownStepWithinTheRangeAndPageKeysDoNot) {
    EXPECT_EQ(stepFrom(ids::kMight, "254", Qt::Key_Up, 3), "255");
    EXPECT_EQ(stepFrom(ids::kMight, "1", Qt::Key_Down, 3), "0");
    EXPECT_EQ(stepFrom(ids::kSkillLevel, "254", Qt::Key_Up, 2), "255");
    EXPECT_EQ(stepFrom(ids::kSkillPoints, "59999", Qt::Key_Up, 2), "60000");
    EXPECT_EQ(stepFrom(ids::kFood, "9999998", Qt::Key_Up, 2), "9999999");
    EXPECT_EQ(stepFrom(ids::kExperience, "999999998", Qt::Key_Up, 2), "999999999");
    EXPECT_EQ(stepFrom(ids::kGold, "999999", Qt::Key_Up, 1), "1000000");
    EXPECT_EQ(stepFrom(ids::kMight, "100", Qt::Key_PageUp, 1), "100");
    EXPECT_EQ(stepFrom(ids::kMight, "100", Qt::Key_PageDown, 1), "100");
}

TEST_F(NumberFieldTest, TypedDigitsStayEvenPastTheRange) {
    NumberField* might = field(ids::kMight);
    might->setFocus();
    might->setText("");
    QTest::keyClicks(might, "-300x-,.");
    EXPECT_EQ(might->text(), "300") << "only digits can be typed";
    might->clearFocus();
    EXPECT_EQ(might->text(), "300") << "nor does leaving the field change them";

    // A level shown below zero keeps its minus sign while its digits are edited.
    NumberField* level = field(ids::kSkillLevel);
    level->setText("-56");
    QTest::keyClick(level, Qt::Key_End);
    QTest::keyClick(level, Qt::Key_Backspace);
    EXPECT_EQ(level->text(), "-5");
}

// The arrows sit against the field's left edge; the text follows them and reads left to right.
TEST_F(NumberFieldTest, ArrowsSitAtTheLeftEdge) {
    NumberField* might = field(ids::kMight);
    might->setText("5");
    QTest::mouseClick(might, Qt::LeftButton, {}, QPoint(4, might->height() / 4));
    EXPECT_EQ(might->text(), "6");
    QTest::mouseClick(might, Qt::LeftButton, {}, QPoint(4, might->height() * 3 / 4));
    EXPECT_EQ(might->text(), "5");
    const QLineEdit* text = might->findChild<QLineEdit*>();
    EXPECT_TRUE(text->x() > 4 && text->isLeftToRight());
}

TEST_F(NumberFieldTest, ResistanceFieldsHaveNoArrows) {
    NumberField* fire = field(ids::kFireResistance);
    fire->setText("5");
    fire->stepBy(1);
    EXPECT_EQ(fire->text(), "5");
}

}  // namespace
}  // namespace velmor
