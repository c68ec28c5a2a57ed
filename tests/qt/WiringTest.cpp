#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>

#include "data/ArchiveBuilder.h"
#include "qt/EditorApp.h"
#include "qt/QtPrompts.h"
#include "qt/WindowTestSupport.h"
#include "savegame/Messages.h"

namespace velmor {
namespace {

using namespace test;

// Every kind of notification reaches the editor, and what the editor writes reaches the widgets:
// a click loads a game, whose texts show, with the focus marked on the characters at once, as
// after a Tab; a picked skill, a stepped level, a clicked mastery and typed digits each edit the
// party; Save asks and saves; Close empties the window.
TEST_F(WindowTest, EveryNotificationReachesTheEditorAndEveryWriteTheWindow) {
    const CharacterRecord hero = RecordBuilder().name("Sir \xC9tienne").skill(1, 84).build();
    const auto path = ArchiveBuilder::Standard(PartyBuilder().record(0, hero), "Storm Keep")
                          .writeTo(dir / "game.dkv");
    prompts.file = path;
    // The file dialog takes the keyboard, and the window has it back only once the load is over.
    prompts.whileChoosing = [] { QApplication::setActiveWindow(nullptr); };
    click(ids::kLoadGame);
    QApplication::setActiveWindow(&window);
    auto* characters = get<QComboBox>(ids::kCharacterList);
    EXPECT_EQ((QStringList{window.windowTitle(), get<QLabel>(ids::kStatusLine)->text(),
                           characters->itemText(0)}),
              (QStringList{"Velmor Saved Game Editor (v1.5) - [Storm Keep]",
                           "current game: " + QString::fromStdString(path.string()),
                           "Sir \u00C9tienne"}));
    const QImage focusedByLoad = characters->grab().toImage();
    QTest::keyClick(characters, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_TRUE(characters->hasFocus() && characters->grab().toImage() == focusedByLoad);

    QTest::keyClick(get<QComboBox>(ids::kSkillList), Qt::Key_Down);
    EXPECT_TRUE(text(ids::kSkillLevel) == "20" && get<QPushButton>(ids::kExpert)->isChecked());
    QTest::keyClick(field(ids::kSkillLevel), Qt::Key_Up);
    click(ids::kMaster);
    field(ids::kMight)->setFocus();
    field(ids::kMight)->selectAll();
    QTest::keyClicks(field(ids::kMight), "77");
    const CharacterRecord& edited = window.editor().game()->party().characters[0];
    EXPECT_EQ(edited.skill(1), 128 + 21);
    EXPECT_EQ(edited.number(fields::kMight), 77u);
    // The editor's undo, not the field's own, wherever the focus is; and back.
    QTest::keyClick(field(ids::kMight), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(text(ids::kMight) != "77" && edited.number(fields::kMight) != 77u);
    QTest::keyClick(field(ids::kMight), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(text(ids::kMight) == "77" && edited.number(fields::kMight) == 77u);

    prompts.answers = {MessageAnswer::yes};
    click(ids::kSaveGame);
    EXPECT_EQ(prompts.shownTexts(),
              (std::vector<std::string>{std::string(messages::kSaveQuestion),
                                        std::string(messages::kSaveSuccessful)}));
    click(ids::kCloseGame);
    EXPECT_TRUE(characters->count() == 0 && text(ids::kMight) == "0" &&
                window.windowTitle() == "Velmor Saved Game Editor (v1.5)");
    const auto saved = SavedGame::Open(path).game;
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->party().characters[0].number(fields::kMight), 77u);
}

// A game named on the command line opens once the window shows; a file dropped anywhere on the
// window opens too, also over a field, which takes no text from it.
TEST(QtWindow, GamesOpenFromTheCommandLineAndByADrop) {
    TemporaryDirectory dir;
    const auto first = ArchiveBuilder::Standard(PartyBuilder(), "First").writeTo(dir / "a.dkv");
    const auto second = ArchiveBuilder::Standard(PartyBuilder(), "Second").writeTo(dir / "b.dkv");
    const auto previous = std::filesystem::current_path();
    QString title;
    int waited = 0;
    std::function<void()> whenOpened = [&] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* window = qobject_cast<MainDialog*>(modal);
        if (!window || !window->editor().game()) {
            // A game that does not open ends what shows, down to the window, and so the test.
            if (++waited > 300 && modal) {
                modal->reject();
                if (window) {
                    return;
                }
            }
            QTimer::singleShot(10, whenOpened);
            return;
        }
        auto* might = window->control(ids::kMight);
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(QString::fromStdString(second.string()))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(might, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(might, &drop);
        title = window->windowTitle() + " " + qobject_cast<NumberField*>(might)->text();
        window->reject();
    };
    QTimer::singleShot(0, whenOpened);
    EditorApp().InitInstance(first);
    std::filesystem::current_path(previous);
    EXPECT_EQ(title.toStdString(), "Velmor Saved Game Editor (v1.5) - [Second] 10");
}

// With the real dialogs, not the script: the file dialog offers the saved-game filters, hands back
// a name typed for a file that does not exist and moves the working directory beside it. Enter
// answers a message box with its default button: Yes for a question.
TEST(QtPrompts, RealDialogsAnswer) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    TemporaryDirectory dir;
    QWidget window;
    QtPrompts prompts(window);
    const auto previous = std::filesystem::current_path();
    OnNextModalDialog([&](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        ASSERT_TRUE(files && files->nameFilters() ==
                                 QStringList({"Orn Saved Games (*.dkv)", "All Files (*)"}));
        files->selectFile(QString::fromStdString((dir / "typed.dkv").string()));
        dialog.accept();
    });
    const auto chosen = prompts.chooseFile().value_or("");
    const auto now = std::filesystem::current_path();
    std::filesystem::current_path(previous);
    EXPECT_EQ(std::filesystem::weakly_canonical(chosen),
              std::filesystem::weakly_canonical(dir / "typed.dkv"));
    EXPECT_EQ(std::filesystem::canonical(now), std::filesystem::canonical(dir.path()));
    OnNextModalDialog([](QDialog&) {});
    EXPECT_FALSE(prompts.chooseFile().has_value()) << "cancel";

    using Box = QMessageBox;
    const std::tuple<MessageStyle, Box::Icon, Box::StandardButtons, MessageAnswer> boxes[] = {
        {MessageStyle::yesNo, Box::NoIcon, Box::Yes | Box::No, MessageAnswer::yes},
        {MessageStyle::iconError, Box::Critical, Box::Ok, MessageAnswer::ok},
        {MessageStyle::ok, Box::NoIcon, Box::Ok, MessageAnswer::ok},
    };
    for (const auto& [style, icon, buttons, answer] : boxes) {
        OnNextModalDialog([&](QDialog& dialog) {
            auto* box = qobject_cast<Box*>(&dialog);
            ASSERT_TRUE(box && box->icon() == icon && box->standardButtons() == buttons);
            EXPECT_EQ(box->windowTitle() + box->text(), "Velmor<b>!");
            QTest::keyClick(box, Qt::Key_Return);
        });
        EXPECT_EQ(prompts.showMessage("<b>!", "Velmor", style), answer);
    }
}

}  // namespace
}  // namespace velmor
