#include <QAbstractItemView>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>

#include "ui/AboutBox.h"
#include "ui/DialogUnits.h"
#include "ui/WindowTestSupport.h"

namespace velmor {
namespace {

using test::EditingWindowTest;
using test::WindowTest;

// The dialog's title, fixed size, and each control's place, text and state come from its template,
// in dialog units through the dialog font, as on Windows; fields and lists take the height that
// they need. At two device pixels to the pixel every picture is drawn from its double-size version,
// pixel for pixel, not blown up from the small one.
template <typename Dialog>
void ExpectTemplate(const Dialog& dialog, const DialogTemplate& plan) {
    const DialogUnits units(dialog.font());
    EXPECT_EQ(dialog.windowTitle().toStdString(), plan.title);
    EXPECT_TRUE(dialog.minimumSize() == dialog.maximumSize() &&
                dialog.maximumSize() == QSize(units.x(plan.width), units.y(plan.height)));
    for (const ControlTemplate& control : plan.controls) {
        const QString text = QString::fromUtf8(control.text.data(), std::ssize(control.text));
        if (const QWidget* widget = dialog.control(control.id);
            widget && control.kind != ControlKind::spin) {
            QRect expected = units.rect(control.x, control.y, control.width, control.height);
            expected.setHeight(widget->height());
            EXPECT_EQ(widget->geometry(), expected) << control.id;
            EXPECT_EQ(widget->isEnabled(), control.enabled) << control.id;
            if (control.kind != ControlKind::picture && !text.isEmpty()) {
                const char* shows = control.kind == ControlKind::groupBox ? "title" : "text";
                EXPECT_EQ(widget->property(shows).toString(), text) << control.id;
            }
        }
        if (control.kind != ControlKind::picture) {
            continue;
        }
        const QImage sharp = QImage(QString(text).replace(".png", "@2x.png"))
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QList<QLabel*> labels = dialog.template findChildren<QLabel*>();
        const auto picture = std::ranges::find(
            labels, QPoint(units.x(control.x), units.y(control.y)), &QWidget::pos);
        ASSERT_TRUE(!sharp.isNull() && picture != labels.end()) << text.toStdString();
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
            << text.toStdString();
    }
}

// Without a game every field that the editor edits shows 0. The focus starts on Load, the first
// control that takes it; with a game Tab goes through the enabled controls in the template's order,
// an arrow being part of its field.
TEST_F(WindowTest, BothDialogsFollowTheirTemplates) {
    ExpectTemplate(window, kMainWindowTemplate);
    ExpectTemplate(AboutBox(), kAboutBoxTemplate);
    auto* className = get<QLineEdit>(ids::kClassName);
    EXPECT_TRUE(className->isReadOnly() && className->alignment() & Qt::AlignRight);
    EXPECT_FALSE(get<QProgressBar>(ids::kProgress)->isTextVisible());
    EXPECT_EQ(get<QLabel>(ids::kStatusLine)->text(), "current game: <none>");
    for (const auto& [id, value] : test::kNumberFields) {
        EXPECT_EQ(text(id) + text(ids::kSkillLevel), "00") << id;
    }

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
TEST_F(EditingWindowTest, ListsOpenWithinTheirDroppedHeight) {
    const DialogUnits units(window.font());
    for (const ControlTemplate& control : kMainWindowTemplate.controls) {
        if (control.kind == ControlKind::dropDownList) {
            auto* list = get<QComboBox>(control.id);
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
TEST_F(EditingWindowTest, FlatButtonsShowFocusHoverAndPress) {
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

// A long path is shortened in its middle, so that the file name stays in sight; the tooltip and the
// bound text keep it whole. The panel holds one whole line of text.
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

    EXPECT_GE(status->contentsRect().height(), status->fontMetrics().height()) << "one whole line";
}

// Qt's -reverse, or a right-to-left language, does not mirror the window.
TEST_F(WindowTest, LooksTheSameWhateverTheApplicationsDirection) {
    QImage looks[2];
    for (const Qt::LayoutDirection direction : {Qt::RightToLeft, Qt::LeftToRight}) {
        QGuiApplication::setLayoutDirection(direction);
        looks[direction] = EditorWindow(&prompts, {.files = &files}).grab().toImage();
    }
    EXPECT_TRUE(looks[Qt::RightToLeft] == looks[Qt::LeftToRight]);
}

TEST(DialogUnits, ConvertAsWindowsDoes) {
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.y(286), 465);                                  // 464.75, rounded up
    EXPECT_EQ(units.rect(10, 10, 38, 34), QRect(15, 16, 57, 55));  // 16.25 and 55.25, down
}

}  // namespace
}  // namespace velmor
