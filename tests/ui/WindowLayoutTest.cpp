#include <QAbstractItemView>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <ranges>

#include "ui/AboutBox.h"
#include "ui/ControlIds.h"
#include "ui/DialogTemplate.h"
#include "ui/DialogUnits.h"
#include "ui/WindowTestSupport.h"

namespace velmor {
namespace {

using test::WindowTest;

constexpr int kResistanceFields[] = {ids::kFireResistance,  ids::kAirResistance,
                                     ids::kWaterResistance, ids::kEarthResistance,
                                     ids::kMindResistance,  ids::kBodyResistance};

// The window while it holds no game, with its editing controls on or off. Those are the controls
// that the template turns off, but for the resistance fields, which the editor does not edit; Load
// is on only while they are off. An arrow's ID stands for its field.
void ExpectNoGame(const EditorWindow& window, bool editing) {
    for (const ControlTemplate& control : kMainWindowTemplate.controls) {
        if (const QWidget* widget = window.control(control.id)) {
            const bool resistance = std::ranges::any_of(
                kResistanceFields, [&](int id) { return window.control(id) == widget; });
            const bool enabled =
                !resistance &&
                (control.id == ids::kLoadGame ? !editing : control.enabled || editing);
            EXPECT_EQ(widget->isEnabled(), enabled) << control.id << (editing ? " editing" : "");
            if (control.kind == ControlKind::numberField) {
                EXPECT_EQ(widget->property("text").toString(), resistance ? "" : "0") << control.id;
            }
        }
    }
}

TEST_F(WindowTest, StartsWithoutAGameAndEnablesExactlyTheEditingControlsWithOne) {
    EXPECT_EQ(window.windowTitle(), "Velmor Saved Game Editor (v1.5)");
    EXPECT_EQ(get<QLabel>(ids::kStatusLine)->text(), "current game: <none>");
    for (const int id : {ids::kCharacterList, ids::kSkillList, ids::kSpellList}) {
        EXPECT_EQ(get<QComboBox>(id)->count(), 0) << id;
    }
    EXPECT_EQ(get<QLineEdit>(ids::kClassName)->text() + get<QLabel>(ids::kInfoPanel)->text(), "");
    EXPECT_EQ(get<QProgressBar>(ids::kProgress)->value(), 0);
    ExpectNoGame(window, false);
    window.SetLoadedState(true);
    ExpectNoGame(window, true);
    window.SetLoadedState(false);
    ExpectNoGame(window, false);
}

TEST_F(WindowTest, ControlsHaveTheirTemplatesKindAndText) {
    EXPECT_EQ(get<QPushButton>(ids::kLoadGame)->text(), "&Load Game...");
    EXPECT_EQ(get<QPushButton>(ids::kSaveGame)->text(), "&Save Game");
    EXPECT_EQ(get<QPushButton>(ids::kCloseGame)->text(), "&Close Game");
    EXPECT_EQ(get<QPushButton>(ids::kExit)->text(), "E&xit");
    EXPECT_EQ(get<QLabel>(ids::kSpeedLabel)->text(), "Speed:");
    EXPECT_EQ(get<QLabel>(ids::kSkillPointsLabel)->text(), "Skill Points");
    EXPECT_TRUE(get<QLineEdit>(ids::kClassName)->isReadOnly());
    EXPECT_TRUE(get<QLineEdit>(ids::kClassName)->alignment() & Qt::AlignRight);
    EXPECT_FALSE(get<QProgressBar>(ids::kProgress)->isTextVisible());
}

// Positions come from dialog units through the dialog font, as on Windows; fields and lists take
// the height that they need. The window's size is fixed.
TEST_F(WindowTest, WindowAndControlsStandWhereTheTemplatePutsThem) {
    const DialogUnits units(window.font());
    for (const ControlTemplate& control : kMainWindowTemplate.controls) {
        if (control.id != ids::kNone && control.kind != ControlKind::spin) {
            const QRect actual = window.control(control.id)->geometry();
            QRect expected = units.rect(control.x, control.y, control.width, control.height);
            expected.setHeight(actual.height());
            EXPECT_EQ(actual, expected) << control.id;
        }
    }
    EXPECT_TRUE(window.minimumSize() == window.maximumSize() &&
                window.maximumSize() == QSize(units.x(432), units.y(286)));
}

// The window opens with the focus on Load, the first control that takes it; Tab then goes through
// the enabled controls in the template's order, an arrow being part of its field.
TEST_F(WindowTest, FocusStartsOnLoadGameAndTabFollowsTheTemplate) {
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_EQ(QApplication::focusWidget(), control(ids::kLoadGame));

    window.SetLoadedState(true);
    std::vector<QWidget*> expected;
    for (const ControlTemplate& control : kMainWindowTemplate.controls) {
        QWidget* widget = window.control(control.id);
        if (widget && widget->focusPolicy() & Qt::TabFocus && widget->isEnabled() &&
            std::ranges::count(expected, widget) == 0) {
            expected.push_back(widget);
        }
    }
    std::vector<QWidget*> chain;
    for (QWidget* widget = &window; (widget = widget->nextInFocusChain()) != &window;) {
        if (std::ranges::count(expected, widget) > 0) {
            chain.push_back(widget);
        }
    }
    EXPECT_EQ(chain, expected);
}

// An open list shows as many entries as fit below its box within the template's dropped height.
TEST_F(WindowTest, ListsCannotBeEditedAndOpenWithinTheirDroppedHeight) {
    window.SetLoadedState(true);
    window.show();
    const DialogUnits units(window.font());
    for (const ControlTemplate& control : kMainWindowTemplate.controls) {
        if (control.kind == ControlKind::dropDownList) {
            auto* list = get<QComboBox>(control.id);
            EXPECT_FALSE(list->isEditable()) << control.id;
            list->addItems(QStringList(132, "entry"));
            list->showPopup();
            const QAbstractItemView* view = list->view();
            EXPECT_EQ(view->height() / view->sizeHintForRow(0), list->maxVisibleItems())
                << control.id;
            EXPECT_LE(list->height() + view->window()->height(), units.y(control.height))
                << control.id;
            list->hidePopup();
        }
    }
}

// The flat push-like check buttons stay flat at rest, and show the focus, the pointer over them and
// a press.
TEST_F(WindowTest, FlatButtonsShowFocusHoverAndPress) {
    window.SetLoadedState(true);
    window.show();
    QApplication::setActiveWindow(&window);
    for (const int id : {ids::kPromoted, ids::kNormal, ids::kExpert, ids::kMaster,
                         ids::kGrandmaster, ids::kLearned}) {
        auto* button = get<QPushButton>(id);
        EXPECT_TRUE(button->isCheckable() && button->isFlat()) << id;
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

// A long path is shortened in its middle, so that the file name stays in sight; the tooltip and the
// bound text keep it whole. The text is one line that nothing cuts off.
TEST_F(WindowTest, StatusLineShowsBothEndsOfALongPathOnOneWholeLine) {
    auto* status = get<QLabel>(ids::kStatusLine);
    const auto drawn = [status](const QString& text) {
        status->setText(text);
        return status->grab().toImage();
    };
    const QString folder = "current game: /home/" + QString(300, u'a');
    const QImage first = drawn(folder + "/first.dkv");
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), status->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(status, &hover);
    EXPECT_TRUE(status->text() == folder + "/first.dkv" && QToolTip::text() == status->text())
        << "the whole path stays in the text and shows in the tooltip";
    EXPECT_TRUE(drawn(folder + "/other.dkv") != first) << "the file name shows";
    EXPECT_TRUE(drawn(QString(folder).replace(170, 1, u'b') + "/first.dkv") == first)
        << "the middle is left out";

    // The ink of the text is as tall as the same text drawn with room to spare.
    const auto inkRows = [](QWidget& widget, const QRect& area) {
        const QImage image = widget.grab(area).toImage();
        int rows = 0;
        for (int y = 0; y < image.height(); ++y) {
            rows += std::ranges::any_of(std::views::iota(0, image.width()),
                                        [&](int x) { return qGray(image.pixel(x, y)) < 128; });
        }
        return rows;
    };
    QLabel free("current game: /Gjq/yp.dkv");
    free.setFont(status->font());
    free.resize(status->width(), 3 * status->height());
    status->setText(free.text());
    EXPECT_EQ(inkRows(*status, status->contentsRect()), inkRows(free, free.rect()));
}

// Qt's -reverse, or a right-to-left language, does not mirror the window.
TEST_F(WindowTest, LooksTheSameWhateverTheApplicationsDirection) {
    const QImage leftToRight = window.grab().toImage();
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    const QImage built = EditorWindow(&prompts, {.files = &files}).grab().toImage();
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
            const QString name = QString::fromUtf8(control.text);
            const QImage sharp = QImage(QString(name).replace(".png", "@2x.png"))
                                     .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            const QList<QLabel*> labels = dialog->findChildren<QLabel*>();
            const auto picture = std::ranges::find(
                labels, QPoint(units.x(control.x), units.y(control.y)), &QWidget::pos);
            ASSERT_TRUE(!sharp.isNull() && picture != labels.end()) << name.toStdString();

            QImage drawn((*picture)->size() * 2, QImage::Format_ARGB32_Premultiplied);
            drawn.setDevicePixelRatio(2);
            drawn.fill(Qt::transparent);
            (*picture)->render(&drawn, {}, {}, QWidget::DrawChildren);
            const QRect frame = (*picture)->contentsRect();
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
    EXPECT_EQ(units.y(286), 465);                                  // 464.75, rounded up
    EXPECT_EQ(units.rect(10, 10, 38, 34), QRect(15, 16, 57, 55));  // 16.25 and 55.25, down
}

}  // namespace
}  // namespace velmor
