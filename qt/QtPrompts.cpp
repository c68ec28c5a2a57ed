#include "qt/QtPrompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "qt/AboutBox.h"
#include "qt/Utf8Text.h"

namespace velmor {

std::optional<std::filesystem::path> QtPrompts::chooseFile() {
    QFileDialog dialog(&m_window);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const FileFilter& filter : kSavedGameFilters) {
        filters.append(FromUtf8(filter.name) + " (" + FromUtf8(filter.pattern) + ")");
    }
    dialog.setNameFilters(filters);
    dialog.setDirectory(QDir::currentPath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QFileInfo chosen(dialog.selectedFiles().constFirst());
    QDir::setCurrent(chosen.absolutePath());
    return std::filesystem::path(chosen.absoluteFilePath().toStdU16String());
}

MessageAnswer QtPrompts::showMessage(std::string_view text, std::string_view caption,
                                     MessageStyle style) {
    QMessageBox box(&m_window);
    box.setWindowTitle(FromUtf8(caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(FromUtf8(text));
    switch (style) {
        case MessageStyle::iconError:
            box.setIcon(QMessageBox::Critical);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageStyle::yesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            break;
        case MessageStyle::ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::yes;
        case QMessageBox::No:
            return MessageAnswer::no;
        default:
            return MessageAnswer::ok;
    }
}

void QtPrompts::showAbout() {
    AboutBox about;
    about.exec();
}

}  // namespace velmor
