#include <QAbstractItemView>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolTip>
#include <set>

#include "ui/AboutBox.h"
#include "ui/ControlIds.h"
#include "ui/DialogTemplate.h"
#include "ui/DialogUnits.h"
#include "ui/WindowTestSupport.h"

namespace velmor {
namespace {

using test::WindowTest;

constexpr int kBoundNumberFields[] = {
    ids::kFood,        ids::kGold,        ids::kBankGold,  ids::kMight, ids::kIntellect,
    ids::kPersonality, ids::kEndurance,   ids::kAccuracy,  ids::kSpeed, ids::kLuck,
    ids::kSkillLevel,  ids::kSkillPoints, ids::kExperience};

constexpr int kResistanceFields[] = {ids::kFireResistance,  ids::kAirResistance,
                                     ids::kWaterResistance, ids::kEarthResistance,
                                     ids::kMindResistance,  ids::kBodyResistance};

// Every control that a load enables, besides Save Game and Close Game.
const std::set<int> kEditingControls = {
    ids::kInfoPanel, ids::kCharacterList, ids::kSkillList, ids::kClassName, ids::kGold, ids::kFood,
    ids::kBankGold, ids::kMight, ids::kIntellect, ids::kPersonality, ids::kEndurance,
    ids::kAccuracy, ids::kSpeed, ids::kLuck, ids::kSkillLevel, ids::kSkillPoints, ids::kExperience,
    ids::kNormal, ids::kExpert, ids::kMaster, ids::kGrandmaster, ids::kSpellList, ids::kLearned,
    ids::kPromoted,
    // the arrows of the number fields above
    ids::kGoldSpin, ids::kFoodSpin, ids::kBankGoldSpin, ids::kMightSpin, ids::kIntellectSpin,
    ids::kPersonalitySpin, ids::kEnduranceSpin, ids::kAccuracySpin, ids::kSpeedSpin, ids::kLuckSpin,
    ids::kSkillLevelSpin, ids::kSkillPointsSpin, ids::kExperienceSpin};

// The template's controls that carry an ID, each with the state it must be in.
std::map<int, bool> ExpectedEnabled(bool loaded) {
    std::map<int, bool> expected;
    for (const ControlTemplate& control : kMainWindowTemplate.controls) {
        if (control.id == ids::kNone) {
            continue;
        }
        bool enabled = control.enabled;
        if (control.id == ids::kSaveGame || control.id == ids::kCloseGame ||
            kEditingControls.count(control.id) > 0) {
            enabled = loaded;
        } else if (control.id == ids::kLoadGame) {
            enabled = !loaded;
        }
        expected[control.id] = enabled;
    }
    return expected;
}

std::map<int, bool> ActualEnabled(const EditorWindow& window) {
    std::map<int, bool> actual;
    for (const ControlTemplate& control : kMainWindowTemplate.controls) {
        if (control.id != ids::kNone) {
            actual[control.id] = window.control(control.id)->isEnabled();
        }
    }
    return actual;
}

TEST_F(WindowTest, StartsWithoutAGame) {
    EXPECT_EQ(window.windowTitle(), "Velmor Saved Game Editor (v1.5)");
    EXPECT_EQ(get<QLabel>(ids::kStatusLine)->text(), "current game: <none>");
    for (const int id : kBoundNumberFields) {
        EXPECT_EQ(field(id)->text(), "0") << id;
    }
    for (const int id : kResistanceFields) {
        EXPECT_EQ(field(id)->text(), "") << id;
    }
    for (const int id : {ids::kCharacterList, ids::kSkillList, ids::kSpellList}) {
        EXPECT_EQ(get<QComboBox>(id)->count(), 0) << id;
    }
    EXPECT_EQ(get<QLineEdit>(ids::kClassName)->text(), "");
    EXPECT_EQ(get<QLabel>(ids::kInfoPanel)->text(), "");
    EXPECT_EQ(get<QProgressBar>(ids::kProgress)->value(), 0);
    EXPECT_EQ(ActualEnabled(window), ExpectedEnabled(false));
}

TEST_F(WindowTest, LoadedStateEnablesExactlyTheEditingControls) {
    window.SetLoadedState(true);
    EXPECT_EQ(ActualEnabled(window), ExpectedEnabled(true));
    for (const int id : kResistanceFields) {
        EXPECT_FALSE(control(id)->isEnabled());
        EXPECT_EQ(field(id)->text(), "");
    }
    window.SetLoadedState(false);
    EXPECT_EQ(ActualEnabled(window), ExpectedEnabled(false));
}

TEST_F(WindowTest, ControlsHaveTheirTemplatesKindAndText) {
    EXPECT_EQ(get<QPushButton>(ids::kLoadGame)->text(), "&Load Game...");
    EXPECT_EQ(get<QPushButton>(ids::kSaveGame)->text(), "&Save Game");
    EXPECT_EQ(get<QPushButton>(ids::kCloseGame)->text(), "&Close Game");
    EXPECT_EQ(get<QPushButton>(ids::kExit)->text(), "E&xit");
    EXPECT_EQ(get<QLabel>(ids::kSpeedLabel)->text(), "Speed:");
    EXPECT_EQ(get<QLabel>(ids::kSkillPointsLabel)->text(), "Skill Points");
    for (const int id : {ids::kCharacterList, ids::kSkillList, ids::kSpellList}) {
        EXPECT_FALSE(get<QComboBox>(id)->isEditable());
    }
    auto* className = get<QLineEdit>(ids::kClassName);
    EXPECT_TRUE(className->isReadOnly());
    EXPECT_TRUE(className->alignment() & Qt::AlignRight);
    for (const int id : {ids::kNormal, ids::kExpert, ids::kMaster, ids::kGrandmaster, ids::kLearned,
                         ids::kPromoted}) {
        auto* button = get<QPushButton>(id);
        EXPECT_TRUE(button->isCheckable() && button->isFlat()) << id;
    }
    EXPECT_FALSE(get<QProgressBar>(ids::kProgress)->isTextVisible());
    EXPECT_TRUE(get<QPushButton>(ids::kExit)->isDefault());
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the window has a fixed size";
}

// Positions come from dialog units through the dialog font, as on Windows.
TEST_F(WindowTest, ControlsStandWhereTheTemplatePutsThem) {
    const DialogUnits units(window.font());
    for (const ControlTemplate& control : kMainWindowTemplate.controls) {
        if (control.id == ids::kNone || control.kind == ControlKind::spin) {
            continue;
        }
        const QRect expected = units.rect(control.x, control.y, control.width, control.height);
        const QRect actual = window.control(control.id)->geometry();
        EXPECT_EQ(actual.topLeft(), expected.topLeft()) << control.id;
        EXPECT_EQ(actual.width(), expected.width()) << control.id;
    }
    EXPECT_EQ(window.width(), units.x(432));
    EXPECT_EQ(window.height(), units.y(286));
}

TEST_F(WindowTest, TabOrderIsTemplateOrder) {
    window.SetLoadedState(true);
    std::vector<QWidget*> expected;
    for (const ControlTemplate& control : kMainWindowTemplate.controls) {
        QWidget* widget = control.id == ids::kNone ? nullptr : window.control(control.id);
        if (widget && widget->focusPolicy() & Qt::TabFocus && widget->isEnabled() &&
            (expected.empty() || expected.back() != widget)) {
            expected.push_back(widget);
        }
    }
    std::vector<QWidget*> chain;
    for (QWidget* widget = window.nextInFocusChain(); widget != &window;
         widget = widget->nextInFocusChain()) {
        if (std::find(expected.begin(), expected.end(), widget) != expected.end()) {
            chain.push_back(widget);
        }
    }
    EXPECT_EQ(chain, expected);
}

// An open list shows as many entries as fit below its box within the template's dropped height.
TEST_F(WindowTest, OpenListsKeepToTheirDroppedHeight) {
    window.SetLoadedState(true);
    window.show();
    const DialogUnits units(window.font());
    for (const ControlTemplate& control : kMainWindowTemplate.controls) {
        if (control.kind != ControlKind::dropDownList) {
            continue;
        }
        auto* list = get<QComboBox>(control.id);
        for (int entry = 0; entry < 132; ++entry) {
            list->addItem(QString::number(entry));
        }
        list->showPopup();
        const QAbstractItemView* view = list->view();
        EXPECT_EQ(view->height() / view->sizeHintForRow(0), list->maxVisibleItems()) << control.id;
        EXPECT_LE(list->height() + view->window()->height(), units.y(control.height)) << control.id;
        list->hidePopup();
    }
}

// The flat push-like buttons stay flat at rest, and show the focus, the pointer over them and a
// press.
TEST_F(WindowTest, FlatButtonsShowFocusHoverAndPress) {
    window.SetLoadedState(true);
    window.show();
    QApplication::setActiveWindow(&window);
    for (const int id : {ids::kPromoted, ids::kNormal, ids::kExpert, ids::kMaster,
                         ids::kGrandmaster, ids::kLearned}) {
        auto* button = get<QPushButton>(id);
        const QImage atRest = button->grab().toImage();
        button->setFocus();
        EXPECT_TRUE(button->grab().toImage() != atRest) << "focus on " << id;
        button->clearFocus();
        button->setAttribute(Qt::WA_UnderMouse);
        EXPECT_TRUE(button->grab().toImage() != atRest) << "hover on " << id;
        button->setAttribute(Qt::WA_UnderMouse, false);
        button->setDown(true);
        EXPECT_TRUE(button->grab().toImage() != atRest) << "press on " << id;
        button->setDown(false);
    }
}

// A long path is shortened in its middle, so that the file name stays in sight; the text is one
// line that nothing cuts off; the bound text stays whole.
TEST_F(WindowTest, StatusLineShowsBothEndsOfALongPathOnOneWholeLine) {
    auto* status = get<QLabel>(ids::kStatusLine);
    const auto drawn = [status](const QString& folder, const QString& file) {
        status->setText("current game: /home/" + folder + "/" + file);
        return status->grab().toImage();
    };
    const QString folder(300, u'a');
    const QImage first = drawn(folder, "first.dkv");
    EXPECT_EQ(status->text().toStdString(),
              "current game: /home/" + folder.toStdString() + "/first.dkv");
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), status->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(status, &hover);
    EXPECT_EQ(QToolTip::text().toStdString(), status->text().toStdString());
    EXPECT_TRUE(drawn(folder, "other.dkv") != first) << "the file name shows";
    EXPECT_TRUE(drawn(QString(folder).replace(150, 1, u'b'), "first.dkv") == first)
        << "the middle is left out";

    // The ink of the text is as tall as the same text drawn with room to spare.
    const auto inkRows = [](const QImage& image, const QRect& area) {
        int rows = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (qGray(image.pixel(x, y)) < 128) {
                    ++rows;
                    break;
                }
            }
        }
        return rows;
    };
    const QString text = "current game: /Gjq/yp.dkv";
    status->setText(text);
    QImage free(status->width(), 3 * status->height(), QImage::Format_RGB32);
    free.fill(Qt::white);
    QPainter painter(&free);
    painter.setFont(status->font());
    painter.drawText(free.rect(), Qt::AlignCenter, text);
    painter.end();
    EXPECT_EQ(inkRows(status->grab().toImage(), status->contentsRect()),
              inkRows(free, free.rect()));
}

// Qt's -reverse, or a right-to-left language, does not mirror the window.
TEST_F(WindowTest, LooksTheSameWhateverTheApplicationsDirection) {
    struct AnotherWindow : WindowTest {
        using WindowTest::window;
        void TestBody() override {}
    };
    const QImage leftToRight = window.grab().toImage();
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    const QImage built = AnotherWindow().window.grab().toImage();
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    EXPECT_TRUE(built == leftToRight);
}

// At two device pixels to the pixel every picture of both windows is drawn from its double-size
// version, pixel for pixel, not blown up from the small one.
TEST_F(WindowTest, PicturesUseTheirDoubleSizeVersionsAtTwiceTheDensity) {
    AboutBox about;
    const std::pair<QWidget*, const DialogTemplate*> dialogs[] = {{&window, &kMainWindowTemplate},
                                                                  {&about, &kAboutBoxTemplate}};
    for (const auto& [dialog, dialogTemplate] : dialogs) {
        const DialogUnits units(dialog->font());
        for (const ControlTemplate& control : dialogTemplate->controls) {
            if (control.kind != ControlKind::picture) {
                continue;
            }
            const QString name =
                QString::fromUtf8(control.text.data(), static_cast<qsizetype>(control.text.size()));
            const QImage sharp = QImage(QString(name).replace(".png", "@2x.png"))
                                     .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            ASSERT_FALSE(sharp.isNull()) << name.toStdString();
            QLabel* picture = nullptr;
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                if (label->pos() == units.rect(control.x, control.y, 0, 0).topLeft()) {
                    picture = label;
                }
            }
            ASSERT_NE(picture, nullptr) << name.toStdString();

            QImage drawn(picture->size() * 2, QImage::Format_ARGB32_Premultiplied);
            drawn.setDevicePixelRatio(2);
            drawn.fill(Qt::transparent);
            picture->render(&drawn, {}, {}, QWidget::DrawChildren);
            const QRect frame = picture->contentsRect();
            const QRect at =
                QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, sharp.size() / 2, frame);
            const QRect shown = at.intersected(frame.adjusted(1, 1, -1, -1));  // the frame's edge
            EXPECT_TRUE(drawn.copy(QRect(shown.topLeft() * 2, shown.size() * 2)) ==
                        sharp.copy(QRect((shown.topLeft() - at.topLeft()) * 2, shown.size() * 2)))
                << name.toStdString();
        }
    }
}

TEST(DialogUnits, ConvertAsWindowsDoes) {
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.x(4), 6);
    EXPECT_EQ(units.x(432), 648);
    EXPECT_EQ(units.y(8), 13);
    EXPECT_EQ(units.y(286), 465);  // 464.75, rounded to the nearest
    EXPECT_EQ(units.y(15), 24);    // 24.375
    EXPECT_EQ(units.rect(10, 10, 38, 34), QRect(15, 16, 57, 55));
}

}  // namespace
}  // namespace velmor
