#include <QAbstractItemView>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>

#include "qt/AboutBox.h"
#include "qt/DialogUnits.h"
#include "qt/WindowTestSupport.h"

namespace velmor {
namespace {

using test::EditingWindowTest;
using test::WindowTest;

// A dialog's title, fixed size, and each control's place, text and state come from its template,
// in dialog units through the dialog font, as on Windows; fields and lists take the height that
// they need, and an open list shows as many entries as fit within the template's height. Tab goes
// through the controls in the template's order, an arrow being part of its field. Every picture
// shows whole in its frame, and at two device pixels to the pixel it is drawn from its
// double-size version, pixel for pixel.
template <typename Dialog>
void ExpectTemplate(const Dialog& dialog, const DialogTemplate& plan) {
    const DialogUnits units(dialog.font());
    EXPECT_EQ(dialog.windowTitle().toStdString(), plan.title);
    EXPECT_TRUE(dialog.minimumSize() == dialog.maximumSize() &&
                dialog.maximumSize() == QSize(units.x(plan.width), units.y(plan.height)));
    std::vector<const QWidget*> tabOrder;
    for (const ControlTemplate& control : plan.controls) {
        const QString text = QString::fromUtf8(control.text.data(), std::ssize(control.text));
        QWidget* widget = dialog.control(control.id);
        if (widget && control.kind != ControlKind::spin) {
            QRect expected = units.rect(control.x, control.y, control.width, control.height);
            expected.setHeight(widget->height());
            EXPECT_EQ(widget->geometry(), expected) << control.id;
            EXPECT_EQ(widget->isEnabled(), control.enabled) << control.id;
            if (control.kind != ControlKind::picture && !text.isEmpty()) {
                const char* shows = control.kind == ControlKind::groupBox ? "title" : "text";
                EXPECT_EQ(widget->property(shows).toString(), text) << control.id;
            }
            if (widget->focusPolicy() & Qt::TabFocus) {
                tabOrder.push_back(widget);
            }
        }
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            list->addItems(QStringList(132, "entry"));
            list->showPopup();
            const QAbstractItemView* view = list->view();
            EXPECT_EQ(view->height() / view->sizeHintForRow(0), list->maxVisibleItems());
            EXPECT_LE(list->height() + view->window()->height(), units.y(control.height));
            list->hidePopup();
        }
        if (control.kind != ControlKind::picture) {
            continue;
        }
        const QImage sharp = QImage(":/velmor/" + text + "@2x.png")
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
        EXPECT_TRUE(frame.contains(at)) << text.toStdString() << " is cut off by its frame";
        const QRect shown = at.intersected(frame.adjusted(1, 1, -1, -1));  // the frame's edge
        EXPECT_TRUE(drawn.copy(QRect(shown.topLeft() * 2, shown.size() * 2)) ==
                    sharp.copy(QRect((shown.topLeft() - at.topLeft()) * 2, shown.size() * 2)))
            << text.toStdString();
    }
    std::vector<const QWidget*> chain;
    for (const QWidget* widget = &dialog; (widget = widget->nextInFocusChain()) != &dialog;) {
        if (std::ranges::count(tabOrder, widget) > 0) {
            chain.push_back(widget);
        }
    }
    EXPECT_EQ(chain, tabOrder);
}

// The window opens on its template, which leaves the class name read-only and right-aligned, and
// the progress bar empty, without its text. What the window shows without a game is checked
// against a closed game in the commands' tests. Qt's -reverse, or a right-to-left language, does
// not mirror the window. Dialog units round as Windows rounds them.
TEST_F(WindowTest, BothDialogsFollowTheirTemplates) {
    ExpectTemplate(window, kMainWindowTemplate);
    ExpectTemplate(AboutBox(), kAboutBoxTemplate);
    auto* className = get<QLineEdit>(ids::kClassName);
    EXPECT_TRUE(className->isReadOnly() && className->alignment() & Qt::AlignRight);
    EXPECT_TRUE(get<QProgressBar>(ids::kProgress)->value() == 0 &&
                !get<QProgressBar>(ids::kProgress)->isTextVisible());
    const QImage leftToRight = MainDialog(&prompts).grab().toImage();
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    EXPECT_TRUE(MainDialog(&prompts).grab().toImage() == leftToRight);
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.y(286), 465);                                  // 464.75, rounded up
    EXPECT_EQ(units.rect(10, 10, 38, 34), QRect(15, 16, 57, 55));  // 16.25 and 55.25, down
}

// The flat push-like check buttons stay flat at rest, and show the focus, the pointer over them and
// a press. Which of them is a check button and which a mastery button shows in what a click does.
TEST_F(EditingWindowTest, FlatButtonsShowFocusHoverAndPress) {
    for (const int id : {ids::kPromoted, ids::kNormal}) {  // a check button and a mastery button
        auto* button = get<QPushButton>(id);
        const QImage atRest = button->grab().toImage();
        const std::function<void(bool)> states[] = {
            [button](bool on) { on ? button->setFocus() : button->clearFocus(); },
            [button](bool on) { button->setAttribute(Qt::WA_UnderMouse, on); },
            [button](bool on) { button->setDown(on); }};
        for (const auto& state : states) {
            state(true);
            EXPECT_TRUE(button->isFlat() && button->grab().toImage() != atRest) << id;
            state(false);
        }
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

}  // namespace
}  // namespace velmor
