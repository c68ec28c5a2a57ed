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
                  .value(PartySlot::gold, 4567)
                  .value(PartySlot::bankGold, 89)
                  .record(0, RecordBuilder(0)
                                 .name("Sir \xC9tienne")
                                 .infoText("Knight of the \xAB Rose \xBB")
                                 .classIndex(4)
                                 .number(CharacterNumber::might, 1000)
                                 .number(CharacterNumber::experience, 31337)
                                 .skill(0, 138)
                                 .spellByte(0, 1)
                                 .build()),
              "Storm Keep");

    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(window.windowTitle(), "Velmor Saved Game Editor (v1.5) - [Storm Keep]");
    EXPECT_EQ(get<QLabel>(ids::kStatusLine)->text(),
              "current game: " + QString::fromStdString(path.string()));
    EXPECT_EQ(text(ids::kFood), "123");
    EXPECT_EQ(text(ids::kGold), "4567");
    EXPECT_EQ(text(ids::kBankGold), "89");
    auto* characters = get<QComboBox>(ids::kCharacterList);
    ASSERT_EQ(characters->count(), 36);
    EXPECT_EQ(characters->currentIndex(), 0);
    EXPECT_EQ(characters->itemText(0), QString::fromUtf8("Sir \xC3\x89tienne"));
    EXPECT_EQ(characters->itemText(35), "Hero 35");
    EXPECT_EQ(get<QLineEdit>(ids::kClassName)->text(), "Knight");
    EXPECT_EQ(get<QLabel>(ids::kInfoPanel)->text(),
              QString::fromUtf8("Knight of the \xC2\xAB Rose \xC2\xBB"));
    EXPECT_EQ(text(ids::kMight), "1000") << "shown as stored, not capped";
    EXPECT_EQ(record(0).number(CharacterNumber::might), 1000u) << "showing writes nothing back";
    EXPECT_EQ(text(ids::kExperience), "31337");
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
    };
    for (const auto& [story, archive] : cases) {
        SCOPED_TRACE(story);
        prompts.shown.clear();
        const auto file = dir / "bad.dkv";
        std::filesystem::remove(file);
        if (archive) {
            archive->writeTo(file);
        }
        prompts.files.push_back(file);
        click(ids::kLoadGame);
        EXPECT_FALSE(prompts.shown.empty());
        EXPECT_EQ(window.windowTitle(), "Velmor Saved Game Editor (v1.5)");
        EXPECT_EQ(get<QLabel>(ids::kStatusLine)->text(), "current game: <none>");
        EXPECT_EQ(get<QComboBox>(ids::kCharacterList)->count(), 0);
        EXPECT_EQ(text(ids::kGold), "0");
        EXPECT_TRUE(control(ids::kLoadGame)->isEnabled());
        EXPECT_FALSE(control(ids::kSaveGame)->isEnabled());
        EXPECT_FALSE(control(ids::kMight)->isEnabled());
    }
}

TEST_F(CommandsTest, ValueFieldsCapSilentlyAndStoreIntoTheirOwnField) {
    loadParty(PartyBuilder());
    pick(ids::kCharacterList, 2);
    struct Case {
        int id;
        QString typed;
        QString shown;
        std::uint32_t stored;
        std::function<std::uint32_t()> read;
    };
    const auto number = [this](CharacterNumber field) {
        return [this, field] { return record(2).number(field); };
    };
    const auto party = [this](PartySlot slot) {
        return [this, slot] { return session.party.working.values.value(slot); };
    };
    const Case cases[] = {
        {ids::kMight, "256", "255", 255, number(CharacterNumber::might)},
        {ids::kMight, "255", "255", 255, number(CharacterNumber::might)},
        {ids::kSpeed, "201", "201", 201, number(CharacterNumber::speed)},
        {ids::kAccuracy, "202", "202", 202, number(CharacterNumber::accuracy)},
        {ids::kLuck, "99999999999", "255", 255, number(CharacterNumber::luck)},
        {ids::kFood, "10000000", "9999999", 9'999'999, party(PartySlot::food)},
        {ids::kBankGold, "77", "77", 77, party(PartySlot::bankGold)},
        {ids::kExperience, "1000000000", "999999999", 999'999'999,
         number(CharacterNumber::experience)},
        {ids::kSkillPoints, "60001", "60000", 60'000, number(CharacterNumber::skillPoints)},
    };
    for (const Case& c : cases) {
        type(c.id, c.typed);
        EXPECT_EQ(text(c.id), c.shown) << c.id;
        EXPECT_EQ(c.read(), c.stored) << c.id;
    }
    EXPECT_TRUE(prompts.shown.empty()) << "caps are silent";
    EXPECT_EQ(record(2).number(CharacterNumber::speed), 201u);
    EXPECT_EQ(ReadU32(record(2).bytes(), 708), 201u) << "Speed lies at 708, above Accuracy";
    EXPECT_EQ(ReadU32(record(2).bytes(), 712), 202u);
}

TEST_F(CommandsTest, ArrowsStoreAsTypingDoes) {
    loadParty(
        PartyBuilder().record(0, RecordBuilder(0).number(CharacterNumber::might, 40).build()));
    QTest::keyClick(field(ids::kMight), Qt::Key_Up);
    EXPECT_EQ(record(0).number(CharacterNumber::might), 41u);
    field(ids::kMight)->stepBy(-1);
    EXPECT_EQ(record(0).number(CharacterNumber::might), 40u);
}

TEST_F(CommandsTest, PartyValuesStayWhenAnotherCharacterIsPicked) {
    loadParty(PartyBuilder());
    pick(ids::kCharacterList, 3);
    type(ids::kGold, "4242");
    pick(ids::kCharacterList, 7);
    EXPECT_EQ(text(ids::kGold), "4242");
    EXPECT_EQ(session.party.working.values.value(PartySlot::gold), 4242u);
    EXPECT_EQ(text(ids::kMight), QString::number(record(7).number(CharacterNumber::might)));
}

TEST_F(CommandsTest, SkillLevelFollowsTheThreeRules) {
    loadParty(PartyBuilder().record(0, RecordBuilder(0).skill(12, 138).skill(3, 0).build()));
    pick(ids::kSkillList, 12);
    EXPECT_EQ(text(ids::kSkillLevel), "10");
    EXPECT_EQ(masteryButtons(), (std::vector{false, false, true, false}));

    type(ids::kSkillLevel, "12");
    EXPECT_EQ(record(0).skill(12), 140);
    type(ids::kSkillLevel, "0");
    EXPECT_EQ(record(0).skill(12), 0);
    EXPECT_EQ(masteryButtons(), (std::vector{false, false, false, false}));
    type(ids::kSkillLevel, "5");
    EXPECT_EQ(record(0).skill(12), 5);
    EXPECT_EQ(masteryButtons(), (std::vector{true, false, false, false}));
    type(ids::kSkillLevel, "75");
    EXPECT_EQ(text(ids::kSkillLevel), "60");
    EXPECT_EQ(record(0).skill(12), 60);

    pick(ids::kSkillList, 3);
    EXPECT_EQ(text(ids::kSkillLevel), "0");
    EXPECT_EQ(masteryButtons(), (std::vector{false, false, false, false}));
    type(ids::kSkillLevel, "7");
    EXPECT_EQ(record(0).skill(3), 7);
}

TEST_F(CommandsTest, MasteryButtonsStoreTheShownLevel) {
    loadParty(PartyBuilder().record(0, RecordBuilder(0).skill(5, 20).skill(7, 200).build()));
    pick(ids::kSkillList, 5);
    click(ids::kExpert);
    EXPECT_EQ(record(0).skill(5), 84);
    EXPECT_EQ(masteryButtons(), (std::vector{false, true, false, false}));
    click(ids::kGrandmaster);
    EXPECT_EQ(record(0).skill(5), 276);
    click(ids::kGrandmaster);
    EXPECT_TRUE(checked(ids::kGrandmaster)) << "a click never unchecks a mastery";
    EXPECT_EQ(record(0).skill(5), 276);

    pick(ids::kSkillList, 7);  // a placeholder slot, stored as 200
    EXPECT_EQ(text(ids::kSkillLevel), "-56");
    EXPECT_EQ(masteryButtons(), (std::vector{false, false, false, true}));
}

TEST_F(CommandsTest, SpellsAreFoundByPositionNeverByName) {
    loadParty(
        PartyBuilder().record(0, RecordBuilder(0).spellByte(59, 0).spellByte(112, 2).build()));
    auto* spells = get<QComboBox>(ids::kSpellList);
    ASSERT_EQ(spells->itemText(59), "Charm");
    ASSERT_EQ(spells->itemText(112), "Charm");

    pick(ids::kSpellList, 112);
    EXPECT_FALSE(checked(ids::kLearned)) << "only a byte of exactly 1 is learned";
    click(ids::kLearned);
    EXPECT_EQ(record(0).bytes()[982], 1);
    EXPECT_EQ(record(0).bytes()[929], 0);
    pick(ids::kSpellList, 59);
    EXPECT_FALSE(checked(ids::kLearned));
    click(ids::kLearned);
    EXPECT_EQ(record(0).bytes()[929], 1);
    click(ids::kLearned);
    EXPECT_EQ(record(0).bytes()[929], 0);

    pick(ids::kCharacterList, 1);
    EXPECT_EQ(spells->currentIndex(), 0) << "a new character starts at the first spell";
    EXPECT_EQ(get<QComboBox>(ids::kSkillList)->currentIndex(), 0);
}

TEST_F(CommandsTest, PromotedBoxPromotesAndDemotes) {
    loadParty(PartyBuilder()
                  .record(0, RecordBuilder(0).classIndex(4).build())
                  .record(1, RecordBuilder(1).classIndex(15).build())
                  .record(2, RecordBuilder(2).classIndex(20).build()));
    auto* className = get<QLineEdit>(ids::kClassName);
    EXPECT_FALSE(checked(ids::kPromoted));
    click(ids::kPromoted);
    EXPECT_EQ(className->text(), "Champion");
    EXPECT_EQ(record(0).classIndex(), 5);
    click(ids::kPromoted);
    EXPECT_EQ(className->text(), "Knight");
    EXPECT_EQ(record(0).classIndex(), 4);

    pick(ids::kCharacterList, 1);
    EXPECT_TRUE(checked(ids::kPromoted));
    click(ids::kPromoted);
    EXPECT_EQ(className->text(), "Dragon");

    pick(ids::kCharacterList, 2);
    EXPECT_EQ(className->text(), "<unknown class 20>");
    EXPECT_FALSE(checked(ids::kPromoted));
}

TEST_F(CommandsTest, SaveAsksAndWritesExactlyTheEdits) {
    loadParty(PartyBuilder());
    type(ids::kGold, "5000");
    type(ids::kMight, "200");
    click(ids::kPromoted);

    save(MessageAnswer::no);
    EXPECT_EQ(prompts.shown, std::vector{kQuestion});
    EXPECT_EQ(test::ReadWholeFile(path), original);

    Bytes expected = original;
    WriteU32(expected, built.dataPosition(2) + 1860, 5000);
    WriteU32(expected, recordOffset(0) + 692, 200);
    expected[recordOffset(0) + 690] = record(0).classIndex();
    prompts.shown.clear();
    save(MessageAnswer::yes);
    EXPECT_EQ(
        prompts.shown,
        (std::vector{kQuestion, ShownMessage{"Save successful!", "Velmor", MessageStyle::ok}}));
    EXPECT_EQ(test::ReadWholeFile(path), expected);
    EXPECT_EQ(get<QProgressBar>(ids::kProgress)->value(), 0);
}

TEST_F(CommandsTest, ReadOnlySaveFailsAndALaterSaveSucceeds) {
    loadParty(PartyBuilder());
    type(ids::kGold, "5000");
    const auto perms = std::filesystem::status(path).permissions();
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    prompts.shown.clear();
    save(MessageAnswer::yes);
    EXPECT_EQ(prompts.shown, (std::vector{kQuestion, Error(messages::kCannotOpenFile)}));
    EXPECT_EQ(test::ReadWholeFile(path), original);

    std::filesystem::permissions(path, perms);
    prompts.shown.clear();
    save(MessageAnswer::yes);
    EXPECT_EQ(prompts.shown.back().text, "Save successful!");
    EXPECT_EQ(ReadU32(test::ReadWholeFile(path), built.dataPosition(2) + 1860), 5000u);
}

TEST_F(CommandsTest, CloseReturnsToTheStartState) {
    loadParty(PartyBuilder().record(
        0, RecordBuilder(0).skill(0, 70).spellByte(0, 1).classIndex(3).build()));
    type(ids::kMight, "99");
    click(ids::kCloseGame);

    EXPECT_EQ(window.windowTitle(), "Velmor Saved Game Editor (v1.5)");
    EXPECT_EQ(get<QLabel>(ids::kStatusLine)->text(), "current game: <none>");
    for (const int id : {ids::kFood, ids::kGold, ids::kBankGold, ids::kMight, ids::kIntellect,
                         ids::kPersonality, ids::kEndurance, ids::kAccuracy, ids::kSpeed,
                         ids::kLuck, ids::kSkillLevel, ids::kSkillPoints, ids::kExperience}) {
        EXPECT_EQ(text(id), "0") << id;
    }
    for (const int id : {ids::kCharacterList, ids::kSkillList, ids::kSpellList}) {
        EXPECT_EQ(get<QComboBox>(id)->count(), 0);
    }
    EXPECT_EQ(get<QLineEdit>(ids::kClassName)->text(), "");
    EXPECT_EQ(get<QLabel>(ids::kInfoPanel)->text(), "");
    for (const int id : {ids::kNormal, ids::kExpert, ids::kMaster, ids::kGrandmaster, ids::kLearned,
                         ids::kPromoted}) {
        EXPECT_FALSE(checked(id)) << id;
    }
    EXPECT_TRUE(control(ids::kLoadGame)->isEnabled());
    EXPECT_FALSE(control(ids::kSaveGame)->isEnabled());
    EXPECT_FALSE(control(ids::kCloseGame)->isEnabled());
    EXPECT_EQ(test::ReadWholeFile(path), original) << "close writes nothing";

    prompts.files.push_back(path);
    click(ids::kLoadGame);
    EXPECT_EQ(get<QComboBox>(ids::kCharacterList)->count(), 36);
    EXPECT_NE(text(ids::kMight), "99") << "the unsaved edit is gone";
}

// A disk that fails while the game is read: one message, and the window as it was.
TEST_F(CommandsTest, ALoadThatTheDiskFailsLeavesTheWindowAsItWas) {
    FileFaults::Arm(FileOperation::read, 3);
    load(ArchiveBuilder::Standard());
    FileFaults::Disarm();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].style, MessageStyle::iconError);
    EXPECT_EQ(window.windowTitle(), "Velmor Saved Game Editor (v1.5)");
    EXPECT_EQ(get<QComboBox>(ids::kCharacterList)->count(), 0);
    EXPECT_TRUE(control(ids::kLoadGame)->isEnabled());
    EXPECT_FALSE(control(ids::kSaveGame)->isEnabled());
}

TEST_F(CommandsTest, ASaveThatTheDiskFailsKeepsTheEditsForTheNextSave) {
    loadParty(PartyBuilder());
    type(ids::kGold, "5000");
    prompts.shown.clear();
    FileFaults::Arm(FileOperation::write, 2);
    save(MessageAnswer::yes);
    FileFaults::Disarm();
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].style, MessageStyle::iconError);
    EXPECT_EQ(text(ids::kGold), "5000");

    prompts.shown.clear();
    save(MessageAnswer::yes);
    EXPECT_EQ(prompts.shown.back().text, "Save successful!");
    EXPECT_EQ(ReadU32(test::ReadWholeFile(path), built.dataPosition(2) + 1860), 5000u);
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
