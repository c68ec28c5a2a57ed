#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <random>

#include "data/ArchiveBuilder.h"
#include "party/ByteFields.h"
#include "party/NumberText.h"
#include "savegame/Messages.h"
#include "savegame/PartyEntry.h"
#include "ui/ControlIds.h"
#include "ui/QtPrompts.h"
#include "ui/WindowTestSupport.h"

namespace velmor {
namespace {

using namespace test;

class CommandsTest : public WindowTest {
protected:
    CommandsTest() {
        window.show();
        QApplication::setActiveWindow(&window);
    }

    void load(const ArchiveBuilder& archive) {
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
    const Party& party() { return window.game()->party(); }
    const CharacterRecord& record(std::size_t index) { return party().characters[index]; }
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
    std::filesystem::path path;
    Bytes original;
};

const ShownMessage kQuestion{std::string(messages::kSaveQuestion), "Velmor", MessageStyle::yesNo};

TEST_F(CommandsTest, LoadFillsTheWindow) {
    loadParty(PartyBuilder()
                  .value(fields::kFood, 123)
                  .value(fields::kBankGold, 89)
                  .record(0, RecordBuilder(0)
                                 .name("Sir \xC9tienne")
                                 .infoText("Knight of the \xAB Rose \xBB")
                                 .classIndex(4)
                                 .number(fields::kMight, 1000)
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
    EXPECT_EQ(record(0).number(fields::kMight), 1000u);
    EXPECT_EQ(get<QComboBox>(ids::kSkillList)->count(), 39);
    EXPECT_EQ(get<QComboBox>(ids::kSpellList)->count(), 132);
    EXPECT_EQ(text(ids::kSkillLevel), "10");
    EXPECT_EQ(masteryButtons(), (std::vector{false, false, true, false}));
    EXPECT_TRUE(checked(ids::kLearned));
    EXPECT_FALSE(control(ids::kLoadGame)->isEnabled());
    EXPECT_TRUE(control(ids::kSaveGame)->isEnabled());
    EXPECT_TRUE(characters->hasFocus()) << "not Save, where Enter would ask to save";
    EXPECT_EQ(get<QProgressBar>(ids::kProgress)->value(), 0);
    EXPECT_EQ(ReadWholeFile(dir / "image.pcx"), Noise(5000, 11));
}

// A cancelled choice shows nothing; a failed load shows its messages, in the game's own words,
// and leaves the window as it was.
TEST_F(CommandsTest, FailedLoadsLeaveTheWindowAsItWas) {
    const ShownMessage noHeader =
        Error("ERROR: cannot locate \"header.bin\" resource!\nattempting to continue load...");
    const ShownMessage noPicture =
        Error("ERROR: cannot locate \"image.pcx\" resource!\nattempting to continue load...");
    const ShownMessage noParty = Error(
        "ERROR: cannot locate \"party.bin\" resource!\ncannot continue without character "
        "information!!!");
    const std::tuple<const char*, std::optional<ArchiveBuilder>, std::vector<ShownMessage>>
        cases[] = {
            {"cancelled", std::nullopt, {}},
            {"missing file", std::nullopt, {Error("ERROR: cannot open file!")}},
            {"not an archive",
             ArchiveBuilder::Standard().signature("PK\x03"),
             {Error("ERROR: invalid or corrupt file!")}},
            {"no entries",
             ArchiveBuilder::Standard().entryCount(0),
             {Error("ERROR: cannot find any information in file!")}},
            {"no party",
             ArchiveBuilder().entry("other", Bytes(20)),
             {noHeader, noPicture, noParty}},
            {"the disk fails", ArchiveBuilder::Standard(), {}},
        };
    for (const auto& [story, archive, messages] : cases) {
        SCOPED_TRACE(story);
        prompts.shown.clear();
        const auto file = dir / "bad.dkv";
        std::filesystem::remove(file);
        if (archive) {
            archive->writeTo(file);
        }
        if (std::string_view(story) != "cancelled") {
            prompts.files.push_back(file);
        }
        if (std::string_view(story) == "the disk fails") {
            files.arm(FileOperation::read, 3);
            click(ids::kLoadGame);
            files.disarm();
            ASSERT_EQ(prompts.shown.size(), 1u);
            EXPECT_EQ(prompts.shown[0].text.rfind("ERROR: cannot read", 0), 0u);
        } else {
            click(ids::kLoadGame);
            EXPECT_EQ(prompts.shown, messages);
        }
        expectNoGame();
    }
}

// Where each number field's value lives, as the game lays it out: in the party values, or in the
// record of the character picked. Written here apart from the window's own bindings.
struct Place {
    int field;
    bool inRecord;
    std::size_t offset;
};
constexpr Place kNumberPlaces[] = {
    {ids::kFood, false, 0},       {ids::kGold, false, 12},      {ids::kBankGold, false, 16},
    {ids::kMight, true, 692},     {ids::kIntellect, true, 696}, {ids::kPersonality, true, 700},
    {ids::kEndurance, true, 704}, {ids::kAccuracy, true, 712},  {ids::kSpeed, true, 708},
    {ids::kLuck, true, 716},      {ids::kExperience, true, 0},  {ids::kSkillPoints, true, 6996},
};

// Random typing, deleting and picking, as a restless player does it: after every step each field
// shows what a save would write, and at the end a save writes exactly that.
TEST_F(CommandsTest, WhatTheWindowShowsIsWhatASaveWrites) {
    loadParty(PartyBuilder().record(0, RecordBuilder(0).skill(0, 200).skill(1, 400).build()));
    std::mt19937 random(11);
    const auto any = [&random](int below) {
        return std::uniform_int_distribution<int>(0, below - 1)(random);
    };
    const auto digits = [&](int count) {
        QString typed;
        for (int i = 0; i < count; ++i) {
            typed += QChar(u'0' + any(10));
        }
        return typed;
    };
    std::vector<int> fields;
    for (const Place& place : kNumberPlaces) {
        fields.push_back(place.field);
    }
    fields.push_back(ids::kSkillLevel);
    for (int step = 0; step < 300; ++step) {
        const int id = fields[static_cast<std::size_t>(any(static_cast<int>(fields.size())))];
        std::string story;
        switch (any(6)) {
            case 0:
                pick(ids::kCharacterList, any(36));
                story = "picked a character";
                break;
            case 1:
                pick(ids::kSkillList, any(5));
                story = "picked a skill";
                break;
            case 2:
                field(id)->selectAll();
                QTest::keyClick(field(id), Qt::Key_Delete);
                story = "emptied " + std::to_string(id);
                break;
            case 3:
                field(id)->setFocus();
                QTest::keyClick(field(id), Qt::Key_End);
                QTest::keyClick(field(id), Qt::Key_Backspace);
                story = "took the last digit of " + std::to_string(id);
                break;
            default:
                type(id, (id == ids::kSkillLevel && any(3) == 0 ? "-" : "") + digits(any(12)));
                story = "typed " + field(id)->text().toStdString() + " into " + std::to_string(id);
        }
        SCOPED_TRACE("step " + std::to_string(step) + ": " + story);
        const auto c =
            static_cast<std::size_t>(get<QComboBox>(ids::kCharacterList)->currentIndex());
        for (const Place& place : kNumberPlaces) {
            const auto& bytes = place.inRecord
                                    ? std::span<const std::uint8_t>(record(c).bytes())
                                    : std::span<const std::uint8_t>(party().values.bytes());
            ASSERT_EQ(ParseUnsigned(text(place.field).toStdString()), ReadU32(bytes, place.offset))
                << "field " << place.field << " shows " << text(place.field).toStdString();
        }
        const auto k = static_cast<std::size_t>(get<QComboBox>(ids::kSkillList)->currentIndex());
        const SkillLevel stored = DecodeSkill(record(c).skill(k));
        ASSERT_EQ(ParseSigned(text(ids::kSkillLevel).toStdString()), stored.level);
        ASSERT_EQ(masteryButtons(),
                  (std::vector{stored.mastery == Mastery::Normal, stored.mastery == Mastery::Expert,
                               stored.mastery == Mastery::Master,
                               stored.mastery == Mastery::Grandmaster}));
    }
    save(MessageAnswer::yes);
    const auto saved = SavedGame::Open(path).game;
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->party() == party());
}

TEST_F(CommandsTest, SkillLevelAndMasteryButtonsShowAndEditThePickedSkill) {
    loadParty(PartyBuilder().record(
        0, RecordBuilder(0).skill(12, 138).skill(5, 20).skill(7, 200).build()));
    pick(ids::kSkillList, 12);
    EXPECT_EQ(text(ids::kSkillLevel), "10");
    EXPECT_EQ(masteryButtons(), (std::vector{false, false, true, false}));

    pick(ids::kSkillList, 5);  // Normal 20
    click(ids::kExpert);
    EXPECT_EQ(record(0).skill(5), 84);
    click(ids::kGrandmaster);
    click(ids::kGrandmaster);
    EXPECT_EQ(record(0).skill(5), 276);
    EXPECT_EQ(masteryButtons(), (std::vector{false, false, false, true}))
        << "a click never unchecks a mastery, and unchecks the others";

    // A level below zero, as the game can store one, keeps its sign while its digits are edited,
    // and what the field shows is what is stored, now and when the skill is picked again.
    pick(ids::kSkillList, 7);  // a placeholder slot, stored as 200
    EXPECT_EQ(text(ids::kSkillLevel), "-56");
    field(ids::kSkillLevel)->setFocus();
    QTest::keyClick(field(ids::kSkillLevel), Qt::Key_End);
    QTest::keyClicks(field(ids::kSkillLevel), "0");
    EXPECT_EQ(text(ids::kSkillLevel), "-64") << "the lowest level Grandmaster holds";
    EXPECT_EQ(record(0).skill(7), 192);
    pick(ids::kSkillList, 6);
    pick(ids::kSkillList, 7);
    EXPECT_EQ(text(ids::kSkillLevel), "-64");
    pick(ids::kCharacterList, 1);
    EXPECT_EQ(get<QComboBox>(ids::kSkillList)->currentIndex(), 0)
        << "a new character starts at the first skill";
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
    EXPECT_EQ(record(0).spellByte(112), 1);
    EXPECT_EQ(record(0).spellByte(59), 0);

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
    EXPECT_EQ(ReadWholeFile(path), original);

    // Refused by a read-only file, then by a failing disk: the edits stay for the next try.
    const auto perms = std::filesystem::status(path).permissions();
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    prompts.shown.clear();
    save(MessageAnswer::yes);
    EXPECT_EQ(prompts.shown, (std::vector{kQuestion, Error("ERROR: cannot open file!")}));
    std::filesystem::permissions(path, perms);
    files.arm(FileOperation::write, 2);
    save(MessageAnswer::yes);
    files.disarm();
    EXPECT_EQ(prompts.shown.back().style, MessageStyle::iconError);
    EXPECT_EQ(text(ids::kGold), "5000");

    prompts.shown.clear();
    save(MessageAnswer::yes);
    EXPECT_EQ(
        prompts.shown,
        (std::vector{kQuestion, ShownMessage{"Save successful!", "Velmor", MessageStyle::ok}}));
    const auto saved = SavedGame::Open(path).game;
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->party().values.number(fields::kGold), 5000u);
    EXPECT_EQ(saved->party().characters[0].number(fields::kMight), 200u);
    EXPECT_EQ(get<QProgressBar>(ids::kProgress)->value(), 0);
}

TEST_F(CommandsTest, CloseReturnsToTheStartState) {
    loadParty(PartyBuilder().record(
        0, RecordBuilder(0).skill(0, 70).spellByte(0, 1).classIndex(3).build()));
    type(ids::kMight, "99");
    click(ids::kCloseGame);

    expectNoGame();
    EXPECT_TRUE(control(ids::kLoadGame)->hasFocus()) << "not Exit, where Enter would end it";
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
    EXPECT_EQ(ReadWholeFile(path), original) << "close writes nothing";
    EXPECT_TRUE(std::filesystem::exists(dir / "image.pcx")) << "the picture stays";

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
