#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "data/ArchiveBuilder.h"
#include "party/ByteOrder.h"
#include "party/GameVocabulary.h"
#include "savegame/FileFaults.h"
#include "savegame/Messages.h"
#include "savegame/PartyEntry.h"
#include "ui/ControlIds.h"
#include "ui/QtPrompts.h"
#include "ui/WindowTestSupport.h"

namespace velmor {
namespace {

using test::ArchiveBuilder;
using test::Bytes;
using test::Error;
using test::PartyBuilder;
using test::RecordBuilder;
using test::ShownMessage;
using test::WindowTest;

class CommandsTest : public WindowTest {
protected:
    CommandsTest() { window.show(); }

    void load(const ArchiveBuilder& archive) {
        built = archive;
        path = archive.writeTo(dir / "game.dkv");
        original = test::ReadWholeFile(path);
        prompts.files.push_back(path);
        QTest::mouseClick(control(ids::kLoadGame), Qt::LeftButton);
    }
    void loadParty(const PartyBuilder& party, std::string_view header = "Storm Keep") {
        load(ArchiveBuilder::Standard(party, header));
    }

    // Replaces the field's text by typing, one keystroke at a time, as the player does.
    void type(int id, const QString& text) {
        field(id)->selectAll();
        QTest::keyClicks(field(id), text);
    }
    void click(int id) { QTest::mouseClick(control(id), Qt::LeftButton); }
    // Moves the list's selection with the arrow keys, which the list reports as the player's
    // choice.
    void pick(int listId, int index) {
        auto* list = get<QComboBox>(listId);
        while (list->currentIndex() < index) {
            QTest::keyClick(list, Qt::Key_Down);
        }
        while (list->currentIndex() > index) {
            QTest::keyClick(list, Qt::Key_Up);
        }
    }
    bool checked(int id) { return get<QPushButton>(id)->isChecked(); }
    QString text(int id) { return field(id)->text(); }
    const CharacterRecord& record(std::size_t index) {
        return session.party.working.characters[index];
    }
    std::vector<bool> masteryButtons() {
        return {checked(ids::kNormal), checked(ids::kExpert), checked(ids::kMaster),
                checked(ids::kGrandmaster)};
    }
    void save(MessageAnswer answer) {
        prompts.answers.push_back(answer);
        click(ids::kSaveGame);
    }
    // The window as it stands without a game: what a failed load must leave alone.
    void expectNoGame() {
        EXPECT_EQ(window.windowTitle(), "Velmor Saved Game Editor (v1.5)");
        EXPECT_EQ(get<QLabel>(ids::kStatusLine)->text(), "current game: <none>");
        EXPECT_EQ(get<QComboBox>(ids::kCharacterList)->count(), 0);
        EXPECT_TRUE(control(ids::kLoadGame)->isEnabled());
        EXPECT_FALSE(control(ids::kSaveGame)->isEnabled() || control(ids::kMight)->isEnabled());
    }
    std::uint64_t recordOffset(std::size_t index) const {
        return built.dataPosition(2) + kCharacterTableOffset + index * kCharacterRecordSize;
    }

    ArchiveBuilder built;
    std::filesystem::path path;
    Bytes original;
};

const ShownMessage kQuestion{std::string(messages::kSaveQuestion), "Velmor", MessageStyle::yesNo};

TEST_F(CommandsTest, LoadFillsTheWindow) {
    loadParty(PartyBuilder()
                  .value(PartySlot::food, 123)
                  .value(PartySlot::bankGold, 89)
                  .record(0, RecordBuilder(0)
                                 .name("Sir \xC9tienne")
                                 .infoText("Knight of the \xAB Rose \xBB")
                                 .classIndex(4)
                                 .number(CharacterNumber::might, 1000)
                                 .skill(0, 138)
                                 .spellByte(0, 1)
                                 .build()),
              "Storm Keep");

    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(window.windowTitle(), "Velmor Saved Game Editor (v1.5) - [Storm Keep]");
    EXPECT_EQ(get<QLabel>(ids::kStatusLine)->text(),
              "current game: " + QString::fromStdString(path.string()));
    EXPECT_EQ(text(ids::kFood) + " " + text(ids::kGold) + " " + text(ids::kBankGold),
              "123 2000 89");
    auto* characters = get<QComboBox>(ids::kCharacterList);
    ASSERT_EQ(characters->count(), 36);
    EXPECT_EQ(characters->currentIndex(), 0);
    EXPECT_EQ(characters->itemText(0), QString::fromUtf8("Sir \xC3\x89tienne"));
    EXPECT_EQ(characters->itemText(35), "Hero 35");
    EXPECT_EQ(get<QLineEdit>(ids::kClassName)->text(), "Knight");
    EXPECT_EQ(get<QLabel>(ids::kInfoPanel)->text(),
              QString::fromUtf8("Knight of the \xC2\xAB Rose \xC2\xBB"));
    EXPECT_EQ(text(ids::kMight), "1000") << "shown as stored, and no handler caps it";
    EXPECT_EQ(record(0).number(CharacterNumber::might), 1000u);
    EXPECT_EQ(get<QComboBox>(ids::kSkillList)->count(), 39);
    EXPECT_EQ(get<QComboBox>(ids::kSpellList)->count(), 132);
    EXPECT_EQ(text(ids::kSkillLevel), "10");
    EXPECT_EQ(masteryButtons(), (std::vector{false, false, true, false}));
    EXPECT_TRUE(checked(ids::kLearned));
    EXPECT_FALSE(control(ids::kLoadGame)->isEnabled());
    EXPECT_TRUE(control(ids::kSaveGame)->isEnabled());
    EXPECT_EQ(get<QProgressBar>(ids::kProgress)->value(), 0);
}

TEST_F(CommandsTest, FailedLoadsLeaveTheWindowAsItWas) {
    const std::pair<const char*, std::optional<ArchiveBuilder>> cases[] = {
        {"missing file", std::nullopt},
        {"not an archive", ArchiveBuilder::Standard().signature("PK\x03")},
        {"no party", ArchiveBuilder().entry("header.bin", Bytes(20, 'x'))},
        {"the disk fails", ArchiveBuilder::Standard()},
    };
    for (const auto& [story, archive] : cases) {
        SCOPED_TRACE(story);
        prompts.shown.clear();
        const auto file = dir / "bad.dkv";
        std::filesystem::remove(file);
        if (archive) {
            archive->writeTo(file);
        }
        if (std::string_view(story) == "the disk fails") {
            FileFaults::Arm(FileOperation::read, 3);
        }
        prompts.files.push_back(file);
        click(ids::kLoadGame);
        FileFaults::Disarm();
        EXPECT_FALSE(prompts.shown.empty());
        expectNoGame();
    }
}

TEST_F(CommandsTest, ValueFieldsCapSilentlyAndStoreIntoTheirOwnField) {
    loadParty(PartyBuilder());
    pick(ids::kCharacterList, 2);
    const std::tuple<int, QString, QString, std::size_t> cases[] = {
        // field, typed, shown, where the value lands (negative: a party slot)
        {ids::kMight, "256", "255", 692},
        {ids::kMight, "255", "255", 692},
        {ids::kSpeed, "201", "201", 708},  // Speed lies above Accuracy, though shown below it
        {ids::kAccuracy, "202", "202", 712},
        {ids::kLuck, "99999999999", "255", 716},
        {ids::kExperience, "1000000000", "999999999", 0},
        {ids::kSkillPoints, "60001", "60000", 6996},
    };
    for (const auto& [id, typed, shown, offset] : cases) {
        type(id, typed);
        EXPECT_EQ(text(id), shown) << id;
        EXPECT_EQ(QString::number(ReadU32(record(2).bytes(), offset)), shown) << id;
    }
    type(ids::kFood, "10000000");
    EXPECT_EQ(text(ids::kFood), "9999999");
    EXPECT_EQ(session.party.working.values.value(PartySlot::food), 9'999'999u);
    EXPECT_TRUE(prompts.shown.empty()) << "caps are silent";

    // The arrows store as typing does; party values stay when another character is picked.
    field(ids::kMight)->stepBy(-1);
    EXPECT_EQ(record(2).number(CharacterNumber::might), 254u);
    type(ids::kGold, "4242");
    pick(ids::kCharacterList, 7);
    EXPECT_EQ(text(ids::kGold), "4242");
    EXPECT_EQ(text(ids::kMight), QString::number(record(7).number(CharacterNumber::might)));
}

TEST_F(CommandsTest, SkillLevelAndMasteryButtons) {
    loadParty(PartyBuilder().record(
        0, RecordBuilder(0).skill(12, 138).skill(3, 0).skill(5, 20).skill(7, 200).build()));
    pick(ids::kSkillList, 12);
    EXPECT_EQ(text(ids::kSkillLevel), "10");
    const std::tuple<QString, SkillValue, std::vector<bool>> typing[] = {
        {"12", 140, {false, false, true, false}},
        {"0", 0, {false, false, false, false}},  // a level of 0 unlearns the skill
        {"5", 5, {true, false, false, false}},   // a level typed over 0 makes it Normal
        {"75", 60, {true, false, false, false}},
    };
    for (const auto& [typed, stored, buttons] : typing) {
        type(ids::kSkillLevel, typed);
        EXPECT_EQ(record(0).skill(12), stored) << typed.toStdString();
        EXPECT_EQ(masteryButtons(), buttons) << typed.toStdString();
    }
    EXPECT_EQ(text(ids::kSkillLevel), "60");

    pick(ids::kSkillList, 5);  // Normal 20
    click(ids::kExpert);
    EXPECT_EQ(record(0).skill(5), 84);
    click(ids::kGrandmaster);
    click(ids::kGrandmaster);
    EXPECT_EQ(record(0).skill(5), 276);
    EXPECT_EQ(masteryButtons(), (std::vector{false, false, false, true}))
        << "a click never unchecks a mastery, and unchecks the others";

    pick(ids::kSkillList, 7);  // a placeholder slot, stored as 200
    EXPECT_EQ(text(ids::kSkillLevel), "-56");
}

TEST_F(CommandsTest, SpellsAndPromotion) {
    loadParty(
        PartyBuilder()
            .record(0, RecordBuilder(0).spellByte(59, 0).spellByte(112, 2).classIndex(4).build())
            .record(1, RecordBuilder(1).classIndex(20).build()));
    auto* spells = get<QComboBox>(ids::kSpellList);
    ASSERT_EQ(spells->itemText(59), spells->itemText(112)) << "two spells named Charm";
    pick(ids::kSpellList, 112);
    EXPECT_FALSE(checked(ids::kLearned)) << "only a byte of exactly 1 is learned";
    click(ids::kLearned);
    pick(ids::kSpellList, 59);
    EXPECT_FALSE(checked(ids::kLearned));
    click(ids::kLearned);
    click(ids::kLearned);
    EXPECT_EQ(record(0).bytes()[982], 1);
    EXPECT_EQ(record(0).bytes()[929], 0);

    auto* className = get<QLineEdit>(ids::kClassName);
    click(ids::kPromoted);
    EXPECT_EQ(className->text(), "Champion");
    EXPECT_EQ(record(0).classIndex(), 5);
    click(ids::kPromoted);
    EXPECT_EQ(className->text(), "Knight");

    pick(ids::kCharacterList, 1);
    EXPECT_EQ(spells->currentIndex(), 0) << "a new character starts at the first spell";
    EXPECT_EQ(className->text(), "<unknown class 20>");
    EXPECT_FALSE(checked(ids::kPromoted));
}

TEST_F(CommandsTest, SaveAsksWritesExactlyTheEditsAndSurvivesFailures) {
    loadParty(PartyBuilder());
    type(ids::kGold, "5000");
    type(ids::kMight, "200");
    save(MessageAnswer::no);
    EXPECT_EQ(prompts.shown, std::vector{kQuestion});
    EXPECT_EQ(test::ReadWholeFile(path), original);

    // Refused by a read-only file, then by a failing disk: the edits stay for the next try.
    const auto perms = std::filesystem::status(path).permissions();
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    prompts.shown.clear();
    save(MessageAnswer::yes);
    EXPECT_EQ(prompts.shown, (std::vector{kQuestion, Error(messages::kCannotOpenFile)}));
    std::filesystem::permissions(path, perms);
    FileFaults::Arm(FileOperation::write, 2);
    save(MessageAnswer::yes);
    FileFaults::Disarm();
    EXPECT_EQ(prompts.shown.back().style, MessageStyle::iconError);
    EXPECT_EQ(text(ids::kGold), "5000");

    test::WriteWholeFile(path, original);
    Bytes expected = original;
    WriteU32(expected, built.dataPosition(2) + 1860, 5000);
    WriteU32(expected, recordOffset(0) + 692, 200);
    prompts.shown.clear();
    save(MessageAnswer::yes);
    EXPECT_EQ(
        prompts.shown,
        (std::vector{kQuestion, ShownMessage{"Save successful!", "Velmor", MessageStyle::ok}}));
    EXPECT_EQ(test::ReadWholeFile(path), expected);
    EXPECT_EQ(get<QProgressBar>(ids::kProgress)->value(), 0);
}

TEST_F(CommandsTest, CloseReturnsToTheStartState) {
    loadParty(PartyBuilder().record(
        0, RecordBuilder(0).skill(0, 70).spellByte(0, 1).classIndex(3).build()));
    type(ids::kMight, "99");
    click(ids::kCloseGame);

    expectNoGame();
    for (const int id : {ids::kFood, ids::kGold, ids::kBankGold, ids::kMight, ids::kIntellect,
                         ids::kPersonality, ids::kEndurance, ids::kAccuracy, ids::kSpeed,
                         ids::kLuck, ids::kSkillLevel, ids::kSkillPoints, ids::kExperience}) {
        EXPECT_EQ(text(id), "0") << id;
    }
    EXPECT_EQ(get<QComboBox>(ids::kSkillList)->count() + get<QComboBox>(ids::kSpellList)->count(),
              0);
    EXPECT_EQ(get<QLineEdit>(ids::kClassName)->text() + get<QLabel>(ids::kInfoPanel)->text(), "");
    for (const int id : {ids::kNormal, ids::kExpert, ids::kMaster, ids::kGrandmaster, ids::kLearned,
                         ids::kPromoted}) {
        EXPECT_FALSE(checked(id)) << id;
    }
    EXPECT_FALSE(control(ids::kCloseGame)->isEnabled());
    EXPECT_EQ(test::ReadWholeFile(path), original) << "close writes nothing";

    prompts.files.push_back(path);
    click(ids::kLoadGame);
    EXPECT_EQ(get<QComboBox>(ids::kCharacterList)->count(), 36);
    EXPECT_NE(text(ids::kMight), "99") << "the unsaved edit is gone";
}

// With the real dialogs, not the script: the file dialog hands back a name typed for a file that
// does not exist and moves the working directory beside it; the question's default is Yes.
TEST(QtPrompts, RealDialogsAnswer) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    test::TemporaryDirectory dir;
    QWidget window;
    QtPrompts prompts(window);
    const auto previous = std::filesystem::current_path();

    test::OnNextModalDialog([&](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->nameFilters(), (QStringList{"Orn Saved Games (*.dkv)", "All Files (*)"}));
        files->selectFile(QString::fromStdString((dir / "typed.dkv").string()));
        static_cast<QDialog*>(files)->accept();
    });
    const auto chosen = prompts.chooseFile();
    const auto now = std::filesystem::current_path();
    std::filesystem::current_path(previous);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(std::filesystem::weakly_canonical(*chosen),
              std::filesystem::weakly_canonical(dir / "typed.dkv"));
    EXPECT_EQ(std::filesystem::canonical(now), std::filesystem::canonical(dir.path()));

    test::OnNextModalDialog([](QDialog&) {});
    EXPECT_FALSE(prompts.chooseFile().has_value()) << "cancel";

    test::OnNextModalDialog([](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Velmor");
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        box->defaultButton()->click();
    });
    EXPECT_EQ(prompts.showMessage("Sure?", "Velmor", MessageStyle::yesNo), MessageAnswer::yes);

    test::OnNextModalDialog([](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->text(), "ERROR: <bad>!");
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(prompts.showMessage("ERROR: <bad>!", "Velmor", MessageStyle::iconError),
              MessageAnswer::ok);
}

}  // namespace
}  // namespace velmor
