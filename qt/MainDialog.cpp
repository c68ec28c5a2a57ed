#include "qt/MainDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>

#include "editor/ControlIds.h"
#include "qt/MinimisedIcon.h"
#include "qt/NumberField.h"
#include "qt/QtPrompts.h"
#include "qt/Utf8Text.h"

namespace velmor {
namespace {

QIcon WindowIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/velmor/icon128_32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/velmor/icon128_16.png"), QSize(16, 16));
    return icon;
}

}  // namespace

MainDialog::MainDialog(Prompts* prompts, OpenOptions options)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_ownPrompts(prompts ? nullptr : std::make_unique<QtPrompts>(*this)),
      m_controls(*this, kMainWindowTemplate),
      m_editor(*this, prompts ? *prompts : *m_ownPrompts, std::move(options)),
      m_hIcon(WindowIcon()) {
    // Exit is the one default button, so that Enter in any field ends the window as Exit does.
    m_controls.get<QPushButton>(ids::kExit)->setDefault(true);
    ConnectControls();
    m_menu = std::make_unique<WindowMenu>(
        *this, kWindowMenu, [this](unsigned command) { m_editor.OnSysCommand(command); });
    m_editor.OnInitDialog();
    setWindowIcon(m_hIcon);
    setAcceptDrops(true);
    qApp->installEventFilter(this);
}

MainDialog::~MainDialog() {
    qApp->removeEventFilter(this);
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) {
        return false;
    }
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return dropped(static_cast<QDropEvent&>(*event));
        case QEvent::KeyPress:
            break;
        default:
            return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    for (const Shortcut& shortcut : kShortcuts) {
        const Qt::KeyboardModifiers wanted =
            shortcut.shift ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier;
        if (key->key() == Qt::Key_A + (shortcut.letter - 'A') && modifiers == wanted) {
            m_editor.OnSysCommand(shortcut.command);
            return true;
        }
    }
    return false;
}

// Buttons tell of a click, fields of every change of their text, lists of the player's pick only
// (activated, not a change by program).
void MainDialog::ConnectControls() {
    for (const ControlTemplate& each : kMainWindowTemplate.controls) {
        const int id = each.id;
        QWidget* widget = m_controls.control(id);
        const auto tell = [this, id](Notification notification) {
            return [this, id, notification] { m_editor.OnCommand(id, notification); };
        };
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            connect(button, &QAbstractButton::clicked, this, tell(Notification::clicked));
        } else if (auto* field = qobject_cast<NumberField*>(widget);
                   field && each.kind == ControlKind::numberField) {
            connect(field, &NumberField::textChanged, this, tell(Notification::changed));
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            connect(list, &QComboBox::activated, this, tell(Notification::picked));
        }
    }
}

std::string MainDialog::text(int id) const {
    QWidget* widget = control(id);
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        return list->currentIndex() < 0 ? std::string() : list->currentText().toStdString();
    }
    if (auto* field = qobject_cast<NumberField*>(widget)) {
        return field->text().toStdString();
    }
    return widget->property("text").toString().toStdString();
}

// Writing only what differs keeps the cursor where the player is typing.
void MainDialog::setText(int id, std::string_view text) {
    QWidget* widget = control(id);
    const QString shown = FromUtf8(text);
    if (auto* field = qobject_cast<NumberField*>(widget)) {
        if (field->text() != shown) {
            field->setText(shown);
        }
    } else if (widget->property("text").toString() != shown) {
        widget->setProperty("text", shown);
    }
}

bool MainDialog::isChecked(int id) const {
    return m_controls.get<QAbstractButton>(id)->isChecked();
}

void MainDialog::setChecked(int id, bool checked) {
    m_controls.get<QAbstractButton>(id)->setChecked(checked);
}

void MainDialog::setItems(int id, std::span<const std::string> items) {
    auto* list = m_controls.get<QComboBox>(id);
    list->clear();
    QStringList texts;
    for (const std::string& item : items) {
        texts.append(FromUtf8(item));
    }
    list->addItems(texts);
    list->setCurrentIndex(-1);
}

int MainDialog::picked(int id) const {
    return m_controls.get<QComboBox>(id)->currentIndex();
}

void MainDialog::pick(int id, int index) {
    m_controls.get<QComboBox>(id)->setCurrentIndex(index);
}

void MainDialog::setEnabled(int id, bool enabled) {
    control(id)->setEnabled(enabled);
}

// The window marks the focus itself: after the file dialog it gets the keyboard back only once the
// load is over, for a reason that draws no mark.
void MainDialog::focus(int id) {
    setAttribute(Qt::WA_KeyboardFocusChange);
    control(id)->setFocus(Qt::TabFocusReason);
    if (auto* field = m_controls.get<NumberField>(id)) {
        field->selectAll();
    }
}

void MainDialog::setArrows(int id, const ArrowRange& range) {
    m_controls.get<NumberField>(id)->setArrows(range);
}

void MainDialog::setTitle(std::string_view title) {
    setWindowTitle(FromUtf8(title));
}

// One file dropped anywhere on the window opens it, also over a field, which would take its name
// as text.
bool MainDialog::dropped(QDropEvent& event) {
    const QList<QUrl> urls = event.mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return false;
    }
    event.acceptProposedAction();
    if (event.type() == QEvent::Drop) {
        m_editor.OnOpenGame(std::filesystem::path(urls.front().toLocalFile().toStdU16String()));
    }
    return true;
}

void MainDialog::enableCommand(unsigned command, bool enabled) {
    m_menu->enable(command, enabled);
}

void MainDialog::endDialog() {
    accept();
}

void MainDialog::setProgressRange(int lower, int upper) {
    m_controls.get<QProgressBar>(ids::kProgress)->setRange(lower, upper);
}

void MainDialog::setProgressPosition(int position) {
    m_controls.get<QProgressBar>(ids::kProgress)->setValue(position);
}

void MainDialog::paintEvent(QPaintEvent* event) {
    if (!isMinimized()) {
        QDialog::paintEvent(event);
        return;
    }
    const int side = style()->pixelMetric(QStyle::PM_LargeIconSize);
    QPainter painter(this);
    const QPoint at = CentredIconPosition(rect().size(), QSize(side, side));
    painter.drawPixmap(at, m_hIcon.pixmap(side, side));
}

}  // namespace velmor
