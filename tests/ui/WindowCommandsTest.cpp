#include <QFileDialog>
#include <QMessageBox>
#include <random>

#include "data/ArchiveBuilder.h"
#include "party/ClassRules.h"
#include "party/NumberText.h"
#include "party/PartyEditor.h"
#include "savegame/Messages.h"
#include "ui/DialogTemplate.h"
#include "ui/QtPrompts.h"
#include "ui/WindowTestSupport.h"

namespace velmor {
namespace {

using namespace test;

// A cancelled choice shows nothing; a damaged game shows every message of its load, in order, and
// leaves the window as it opened.
//
// Then random picks, clicks and keystrokes, as a restless player makes them. After each one the
// party holds exactly what the party editor makes of what the player asked for, and every control
// shows what a save would write; at the end a save writes exactly that. Close writes nothing more,
// and the window looks as it did when it opened, down to the focus on Load rather than Exit, where
// Enter would end it.
TEST_F(WindowTest, WhatTheWindowShowsIsWhatASaveWrites) {
    const QImage opened = window.grab().toImage();
    click(ids::kLoadGame);
    prompts.file = ArchiveBuilder().entry("other", Bytes(20)).writeTo(dir / "bad.dkv");
    click(ids::kLoadGame);
    EXPECT_EQ(prompts.shown,
              (std::vector{Error(messages::kNoHeaderEntry), Error(messages::kNoImageEntry),
                           Error(messages::kNoPartyEntryOnLoad)}));
    EXPECT_TRUE(window.grab().toImage() == opened);
    prompts.shown.clear();

    // Skills of every mastery, below level 0 and above 60, spell bytes of 2, classes past the last
    // and numbers above their limits: a pick shows them as they are, and changes none.
    constexpr SkillValue kSkills[] = {0, 20, 84, 138, 200, 276, 400};
    PartyBuilder builder;
    for (std::uint32_t c = 0; c < kCharacterCount; ++c) {
        RecordBuilder record(c);
        for (std::size_t k = 0; k < kSkillCount; ++k) {
            record.skill(k, kSkills[(c + k) % std::size(kSkills)]);
        }
        record.spellByte(0, 2)
            .number(fields::kMight, 1000)
            .classIndex(static_cast<std::uint8_t>(c * 5 % 22));
        if (c == 0) {
            record.name("Sir \xC9tienne").infoText("Knight of the \xAB Rose \xBB");
        }
        builder.record(c, record.build());
    }
    const auto path = ArchiveBuilder::Standard(builder, "Storm Keep").writeTo(dir / "game.dkv");
    const Bytes original = ReadWholeFile(path);
    // The file dialog takes the keyboard, and the window has it back only once the load is over.
    prompts.file = path;
    prompts.whileChoosing = [] { QApplication::setActiveWindow(nullptr); };
    click(ids::kLoadGame);
    QApplication::setActiveWindow(&window);
    EXPECT_EQ((QStringList{window.windowTitle(), get<QLabel>(ids::kStatusLine)->text(),
                           get<QComboBox>(ids::kCharacterList)->itemText(0),
                           get<QLabel>(ids::kInfoPanel)->text()}),
              (QStringList{"Velmor Saved Game Editor (v1.5) - [Storm Keep]",
                           "current game: " + QString::fromStdString(path.string()),
                           "Sir \u00C9tienne", "Knight of the \u00AB Rose \u00BB"}));
    // The focus is on the characters, not on Save, which Enter asks, and it shows there as it
    // does once the player has tabbed to them.
    auto* characters = get<QComboBox>(ids::kCharacterList);
    const QImage focusedByLoad = characters->grab().toImage();
    QTest::keyClick(characters, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_TRUE(characters->hasFocus() && characters->grab().toImage() == focusedByLoad);
    EXPECT_TRUE(std::filesystem::exists(dir / "image.pcx"));
    EXPECT_EQ(get<QProgressBar>(ids::kProgress)->value(), 0);
    // Load turns itself off, and on what the template turns off, but the resistance fields.
    for (const ControlTemplate& each : kMainWindowTemplate.controls) {
        const bool resistance =
            each.id >= ids::kFireResistance && each.id <= ids::kBodyResistanceSpin;
        if (const QWidget* widget = control(each.id)) {
            EXPECT_EQ(widget->isEnabled(),
                      each.id != ids::kLoadGame && (each.enabled || !resistance))
                << each.id;
        }
    }

    constexpr std::pair<int, std::size_t> kLists[] = {{ids::kCharacterList, kCharacterCount},
                                                      {ids::kSkillList, kSkillCount},
                                                      {ids::kSpellList, kSpellCount}};
    constexpr int kButtons[] = {ids::kNormal,      ids::kExpert,  ids::kMaster,
                                ids::kGrandmaster, ids::kLearned, ids::kPromoted};
    Party expected = builder.party();
    SkillLevel skillShown = DecodeSkill(expected.characters[0].skill(0));
    bool promotedShown = IsPromoted(expected.characters[0].classIndex());
    std::size_t refusals = 0;
    const auto picked = [this](int list) {
        return static_cast<std::size_t>(get<QComboBox>(list)->currentIndex());
    };
    std::mt19937 random(11);
    const auto any = [&random](std::size_t below) {
        return std::uniform_int_distribution<std::size_t>(0, below - 1)(random);
    };
    for (int step = 0; step < 500; ++step) {
        SCOPED_TRACE(step);
        const std::size_t c = picked(ids::kCharacterList);
        const std::size_t k = picked(ids::kSkillList);
        const std::size_t s = picked(ids::kSpellList);
        PartyEditor editor(expected);
        if (const std::size_t action = any(5); action == 0) {
            // Picked with the arrow keys, which the list reports as the player's choice. Half the
            // spells picked are one of the two named Charm, which only their place tells apart.
            const auto [list, size] = kLists[any(3)];
            const std::size_t to = list == ids::kSpellList && any(2) ? 59 + 53 * any(2) : any(size);
            for (std::size_t key = 0; key < size && picked(list) != to; ++key) {
                QTest::keyClick(control(list), picked(list) < to ? Qt::Key_Down : Qt::Key_Up);
            }
            ASSERT_EQ(picked(list), to) << "list " << list;
            if (list == ids::kCharacterList && to != c) {
                ASSERT_EQ(picked(ids::kSkillList) + picked(ids::kSpellList), 0u)
                    << "a character starts at the first skill and spell";
                promotedShown = IsPromoted(expected.characters[to].classIndex());
            }
            if (list != ids::kSpellList && to != (list == ids::kSkillList ? k : c)) {
                const auto& record = expected.characters[picked(ids::kCharacterList)];
                skillShown = DecodeSkill(record.skill(picked(ids::kSkillList)));
            }
        } else if (action == 1) {
            const std::size_t button = any(std::size(kButtons));
            click(kButtons[button]);
            if (button < 4) {
                skillShown.mastery = static_cast<Mastery>(button + 1);
                skillShown.level =
                    editor.clickMastery(c, k, skillShown.mastery, skillShown.level).stored.level;
            } else if (kButtons[button] == ids::kLearned) {
                editor.setSpellLearned(c, s, !expected.characters[c].spellLearned(s));
            } else {
                promotedShown = !promotedShown;
                editor.stepClass(c, promotedShown);
            }
        } else {
            // One keystroke at the end of a field: a digit, or the last one taken away. Text that
            // is no number is refused, and the value kept.
            const bool level = any(3) == 0;
            const auto& [id, number] = kNumberFields[any(std::size(kNumberFields))];
            NumberField* typed = field(level ? ids::kSkillLevel : id);
            typed->setFocus();
            const QString before = typed->text();
            const int digit = static_cast<int>(any(10));
            const bool erase = any(3) == 0;
            QTest::keyClick(typed, Qt::Key_End);
            QTest::keyClick(typed, erase ? Qt::Key_Backspace : Qt::Key(Qt::Key_0 + digit));
            const std::string after =
                (erase ? before.chopped(1) : before + QChar(u'0' + digit)).toStdString();
            if (level) {
                const auto asked = ParseSigned(after);
                editor.typeSkillLevel(c, k, skillShown, asked.value_or(skillShown.level));
                skillShown = DecodeSkill(expected.characters[c].skill(k));
                refusals += !asked;
            } else if (const auto asked = ParseUnsigned(after)) {
                editor.setNumber(number, c, *asked);
            } else {
                ++refusals;
            }
        }
        ASSERT_TRUE(window.game()->party() == expected);
        ASSERT_EQ(prompts.shown.size(), refusals) << "each refused keystroke is told once";

        const CharacterRecord& record = expected.characters[picked(ids::kCharacterList)];
        for (const auto& [id, value] : kNumberFields) {
            ASSERT_EQ(ParseUnsigned(text(id).toStdString()), value.owner == FieldOwner::party
                                                                 ? expected.values.number(value)
                                                                 : record.number(value))
                << "field " << id;
        }
        ASSERT_EQ(ParseSigned(text(ids::kSkillLevel).toStdString()), skillShown.level);
        for (std::size_t button = 0; button < 4; ++button) {
            ASSERT_EQ(checked(kButtons[button]), skillShown.mastery == Mastery(button + 1))
                << button;
        }
        ASSERT_EQ(checked(ids::kLearned), record.spellLearned(picked(ids::kSpellList)));
        ASSERT_EQ(checked(ids::kPromoted), promotedShown);
        ASSERT_EQ(get<QLineEdit>(ids::kClassName)->text().toStdString(),
                  ClassName(record.classIndex()));
    }

    // Only Yes saves; a failure is told, and the edits stay for the next try.
    prompts.shown.clear();
    prompts.answers = {MessageAnswer::no, MessageAnswer::yes, MessageAnswer::yes};
    click(ids::kSaveGame);
    EXPECT_EQ(ReadWholeFile(path), original);
    files.failAt(1);
    click(ids::kSaveGame);
    files.failAt(0);
    click(ids::kSaveGame);
    const ShownMessage question{messages::kSaveQuestion, "Velmor", MessageStyle::yesNo};
    EXPECT_EQ(prompts.shown,
              (std::vector{question, question, Error(std::get<0>(prompts.shown.at(2))), question,
                           ShownMessage{"Save successful!", "Velmor", MessageStyle::ok}}));
    EXPECT_EQ(get<QProgressBar>(ids::kProgress)->value(), 0);

    // A save whose folder the system could not flush is done, with a warning; one over a game that
    // another program has changed is refused, with what the player can do about it.
    prompts.shown.clear();
    prompts.answers = {MessageAnswer::yes, MessageAnswer::yes, MessageAnswer::yes};
    files.failAt(0);
    click(ids::kSaveGame);  // to count what a later save does: the folder's flush comes last
    files.failAt(static_cast<int>(files.operations().size()));
    click(ids::kSaveGame);
    files.failAt(0);
    const Bytes savedBytes = ReadWholeFile(path);
    Bytes changed = savedBytes;
    ++changed.at(ArchiveBuilder::Standard().dataPosition(2) + 1848);
    WriteWholeFile(path, changed);
    click(ids::kSaveGame);
    WriteWholeFile(path, savedBytes);
    ASSERT_EQ(prompts.shown.size(), 6u);
    EXPECT_EQ(std::get<0>(prompts.shown[3])
                  .rfind("Save successful!\n\nWarning: the system could "
                         "not confirm that the saved game reached the "
                         "disk (",
                         0),
              0u);
    EXPECT_EQ(prompts.shown[5],
              Error("ERROR: the saved game has changed since it was loaded, so it was not saved "
                    "over!\nYour changes are still here. To keep what is in the file now, close "
                    "the game and load it again."));

    field(ids::kMight)->setText("99999");
    click(ids::kCloseGame);
    EXPECT_TRUE(window.grab().toImage() == opened);
    EXPECT_EQ(window.windowTitle(), "Velmor Saved Game Editor (v1.5)");
    const auto saved = SavedGame::Open(path).game;
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->party() == expected);
}

struct LevelKeys {
    SkillValue from;  // as the game holds the skill
    std::vector<Qt::Key> keys;
    const char* shown;
    SkillValue stored;
};

// Up and Down step a level below zero by one, down to -64, the lowest that a Grandmaster holds,
// and up through 0, which unlearns the skill. From 0 on they step as the other fields' keys do,
// and a step past 60 is brought back.
TEST_F(WindowTest, LevelKeysStepALevelBelowZeroByOne) {
    const LevelKeys cases[] = {
        {192, {Qt::Key_Up}, "-63", 193},         {193, {Qt::Key_Down, Qt::Key_Down}, "-64", 192},
        {200, {Qt::Key_Down}, "-57", 199},       {255, {Qt::Key_Up}, "0", 0},
        {255, {Qt::Key_Up, Qt::Key_Up}, "1", 1}, {64, {Qt::Key_Down}, "0", 64},
        {84, {Qt::Key_Down}, "19", 83},          {316, {Qt::Key_Up}, "60", 316},
    };
    RecordBuilder record;
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        record.skill(k, cases[k].from);
    }
    prompts.file = ArchiveBuilder::Standard(PartyBuilder().record(0, record.build()))
                       .writeTo(dir / "levels.dkv");
    click(ids::kLoadGame);
    auto* skills = get<QComboBox>(ids::kSkillList);
    NumberField* level = field(ids::kSkillLevel);
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        if (k > 0) {
            QTest::keyClick(skills, Qt::Key_Down);
        }
        ASSERT_EQ(skills->currentIndex(), static_cast<int>(k));
        level->setFocus();
        for (const Qt::Key key : cases[k].keys) {
            QTest::keyClick(level, key);
        }
        EXPECT_EQ(level->text().toStdString(), cases[k].shown) << "from " << cases[k].from;
        EXPECT_EQ(window.game()->party().characters[0].skill(k), cases[k].stored)
            << "from " << cases[k].from;
    }
}

// With the real dialogs, not the script: the file dialog hands back a name typed for a file that
// does not exist and moves the working directory beside it. Enter answers a message box with its
// default button: Yes for a question.
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
