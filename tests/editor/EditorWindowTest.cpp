#include <gtest/gtest.h>

#include <random>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "editor/CommandLine.h"
#include "editor/ControlIds.h"
#include "editor/DialogTemplate.h"
#include "editor/ScriptedWindow.h"
#include "party/ClassRules.h"
#include "party/NumberText.h"
#include "savegame/Messages.h"
#include "support/FaultyFiles.h"

namespace velmor {
namespace {

using namespace test;

// The number fields that the editor edits and the value each shows: one of the party's, or one
// of the picked character's.
// clang-format off
const std::pair<int, const PartyField&> kNumberFields[] = {
    {ids::kFood, fields::kFood}, {ids::kGold, fields::kGold}, {ids::kBankGold, fields::kBankGold},
    {ids::kMight, fields::kMight}, {ids::kIntellect, fields::kIntellect},
    {ids::kPersonality, fields::kPersonality}, {ids::kEndurance, fields::kEndurance},
    {ids::kAccuracy, fields::kAccuracy}, {ids::kSpeed, fields::kSpeed}, {ids::kLuck, fields::kLuck},
    {ids::kExperience, fields::kExperience}, {ids::kSkillPoints, fields::kSkillPoints}};
// clang-format on

class EditorWindowTest : public ::testing::Test {
protected:
    TemporaryDirectory dir;
    FaultyFiles files;
    ScriptedWindow window{{.picture = dir / "image.pcx", .files = &files}};
};

// A cancelled choice shows nothing; a damaged game shows every message of its load, in order, and
// leaves the window as it opened.
//
// Then random picks, clicks and keystrokes, as a restless player makes them. After each one the
// party holds exactly what the party editor makes of what the player asked for, and every control
// shows what a save would write; at the end a save writes exactly that. Close writes nothing more,
// and the window looks as it did when it opened, down to the focus on Load rather than Exit, where
// Enter would end it.
TEST_F(EditorWindowTest, WhatTheWindowShowsIsWhatASaveWrites) {
    const ScriptedWindow::Look opened = window.look();
    window.click(ids::kLoadGame);
    window.file = ArchiveBuilder().entry("other", Bytes(20)).writeTo(dir / "bad.dkv");
    window.click(ids::kLoadGame);
    EXPECT_EQ(window.shown,
              (std::vector{Error(messages::kNoHeaderEntry), Error(messages::kNoImageEntry),
                           Error(messages::kNoPartyEntryOnLoad)}));
    EXPECT_TRUE(window.look() == opened);
    window.shown.clear();

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
    window.file = path;
    window.click(ids::kLoadGame);
    EXPECT_EQ((std::vector{window.look().title, window[ids::kStatusLine].text,
                           window[ids::kCharacterList].items.at(0), window[ids::kInfoPanel].text}),
              (std::vector<std::string>{"Velmor Saved Game Editor (v1.5) - [Storm Keep]",
                                        "current game: " + path.string(), "Sir \u00C9tienne",
                                        "Knight of the \u00AB Rose \u00BB"}));
    // The focus is on the characters, not on Save, which Enter would ask.
    EXPECT_EQ(window.look().focused, ids::kCharacterList);
    EXPECT_TRUE(std::filesystem::exists(dir / "image.pcx"));
    EXPECT_EQ(window.progress, 0);
    // Load turns itself off, and on what the template turns off, but the resistance fields.
    for (const ControlTemplate& each : kMainWindowTemplate.controls) {
        const bool resistance =
            each.id >= ids::kFireResistance && each.id <= ids::kBodyResistanceSpin;
        if (each.id != ids::kNone && each.kind != ControlKind::spin) {
            EXPECT_EQ(window[each.id].enabled,
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
    const auto picked = [this](int list) { return static_cast<std::size_t>(window[list].picked); };
    std::mt19937 random(11);
    const auto any = [&random](std::size_t below) {
        return std::uniform_int_distribution<std::size_t>(0, below - 1)(random);
    };
    for (int step = 0; step < 1000; ++step) {
        SCOPED_TRACE(step);
        const std::size_t c = picked(ids::kCharacterList);
        const std::size_t k = picked(ids::kSkillList);
        const std::size_t s = picked(ids::kSpellList);
        PartyEditor editor(expected);
        if (const std::size_t action = any(5); action == 0) {
            // Half the spells picked are one of the two named Charm, which only their place tells
            // apart.
            const auto [list, size] = kLists[any(3)];
            const std::size_t to = list == ids::kSpellList && any(2) ? 59 + 53 * any(2) : any(size);
            window.pickEntry(list, static_cast<int>(to));
            if (list == ids::kCharacterList) {
                ASSERT_EQ(picked(ids::kSkillList) + picked(ids::kSpellList), 0u)
                    << "a character starts at the first skill and spell";
                promotedShown = IsPromoted(expected.characters[to].classIndex());
            }
            if (list != ids::kSpellList) {
                const auto& record = expected.characters[picked(ids::kCharacterList)];
                skillShown = DecodeSkill(record.skill(picked(ids::kSkillList)));
            }
        } else if (action == 1) {
            const std::size_t button = any(std::size(kButtons));
            window.click(kButtons[button]);
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
            const int typed = level ? ids::kSkillLevel : id;
            const std::string before = window[typed].text;
            const std::string after =
                any(3) == 0 ? before.substr(0, before.size() - (before.empty() ? 0 : 1))
                            : before + static_cast<char>('0' + any(10));
            window.type(typed, after);
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
        ASSERT_TRUE(window.editor.game()->party() == expected);
        ASSERT_EQ(window.shown.size(), refusals) << "each refused keystroke is told once";

        const CharacterRecord& record = expected.characters[picked(ids::kCharacterList)];
        for (const auto& [id, value] : kNumberFields) {
            ASSERT_EQ(ParseUnsigned(window[id].text), value.owner == FieldOwner::party
                                                          ? expected.values.number(value)
                                                          : record.number(value))
                << "field " << id;
        }
        ASSERT_EQ(ParseSigned(window[ids::kSkillLevel].text), skillShown.level);
        for (std::size_t button = 0; button < 4; ++button) {
            ASSERT_EQ(window[kButtons[button]].checked, skillShown.mastery == Mastery(button + 1))
                << button;
        }
        ASSERT_EQ(window[ids::kLearned].checked, record.spellLearned(picked(ids::kSpellList)));
        ASSERT_EQ(window[ids::kPromoted].checked, promotedShown);
        ASSERT_EQ(window[ids::kClassName].text, ClassName(record.classIndex()));
    }

    // Every change since the load can be taken back, down to the party as loaded, and made again.
    while (window.look().commands.at(kUndoCommand)) {
        window.editor.OnUndo();
    }
    EXPECT_TRUE(window.editor.game()->party() == builder.party());
    while (window.look().commands.at(kRedoCommand)) {
        window.editor.OnRedo();
    }
    ASSERT_TRUE(window.editor.game()->party() == expected);

    // Only Yes saves; a failure is told, and the edits stay for the next try.
    window.shown.clear();
    window.answers = {MessageAnswer::no, MessageAnswer::yes, MessageAnswer::yes};
    window.click(ids::kSaveGame);
    EXPECT_EQ(ReadWholeFile(path), original);
    files.failAt(1);
    window.click(ids::kSaveGame);
    files.failAt(0);
    window.click(ids::kSaveGame);
    const ShownMessage question{messages::kSaveQuestion, "Velmor", MessageStyle::yesNo};
    EXPECT_EQ(window.shown,
              (std::vector{question, question, Error(std::get<0>(window.shown.at(2))), question,
                           ShownMessage{"Save successful!", "Velmor", MessageStyle::ok}}));
    EXPECT_EQ(window.progress, 0);

    // A save whose folder the system could not flush is done, with a warning; one over a game that
    // another program has changed is refused, with what the player can do about it.
    window.shown.clear();
    window.answers = {MessageAnswer::yes, MessageAnswer::yes, MessageAnswer::yes};
    files.failAt(0);
    window.click(ids::kSaveGame);  // to count what a later save does: the folder's flush is last
    files.failAt(static_cast<int>(files.operations().size()));
    window.click(ids::kSaveGame);
    files.failAt(0);
    const Bytes savedBytes = ReadWholeFile(path);
    Bytes changed = savedBytes;
    ++changed.at(ArchiveBuilder::Standard().dataPosition(2) + 1848);
    WriteWholeFile(path, changed);
    window.click(ids::kSaveGame);
    WriteWholeFile(path, savedBytes);
    ASSERT_EQ(window.shown.size(), 6u);
    EXPECT_EQ(std::get<0>(window.shown[3])
                  .rfind("Save successful!\n\nWarning: the system could "
                         "not confirm that the saved game reached the "
                         "disk (",
                         0),
              0u);
    EXPECT_EQ(window.shown[5],
              Error("ERROR: the saved game has changed since it was loaded, so it was not saved "
                    "over!\nYour changes are still here. To keep what is in the file now, close "
                    "the game and load it again."));

    window.type(ids::kMight, "99999");
    window.click(ids::kCloseGame);
    ScriptedWindow::Look closed = window.look();
    closed.focused = 0;
    EXPECT_TRUE(closed == opened);
    EXPECT_EQ(window.look().focused, ids::kLoadGame);
    const auto saved = SavedGame::Open(path).game;
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->party() == expected);
}

struct Keys {
    int field;
    SkillValue skill;  // as the game holds it, for the level field
    std::string from;  // for the other fields
    int steps;         // Up when positive, Down when negative, one at a time
    std::string shown;
    SkillValue stored = 0;  // for the level field
};

// Up and Down step within each field's range, up to the limit of its value, and from 0: a skill
// level up to 255, each step past 60 brought back, and a level below zero by one, down to -64, the
// lowest that a Grandmaster holds, and up through 0, which unlearns the skill. The resistance
// fields' arrows do nothing.
TEST_F(EditorWindowTest, ArrowsStepWithinEachFieldsRange) {
    const Keys cases[] = {
        {ids::kSkillLevel, 192, "", 1, "-63", 193},  {ids::kSkillLevel, 193, "", -2, "-64", 192},
        {ids::kSkillLevel, 200, "", -1, "-57", 199}, {ids::kSkillLevel, 255, "", 1, "0", 0},
        {ids::kSkillLevel, 255, "", 2, "1", 1},      {ids::kSkillLevel, 64, "", -1, "0", 64},
        {ids::kSkillLevel, 84, "", -1, "19", 83},    {ids::kSkillLevel, 316, "", 1, "60", 316},
        {ids::kMight, 0, "254", 2, "255"},           {ids::kMight, 0, "1", -2, "0"},
        {ids::kGold, 0, "9999998", 2, "9999999"},    {ids::kFireResistance, 0, "5", 1, "5"},
    };
    RecordBuilder record;
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        record.skill(k, cases[k].skill);
    }
    window.file = ArchiveBuilder::Standard(PartyBuilder().record(0, record.build()))
                      .writeTo(dir / "levels.dkv");
    window.click(ids::kLoadGame);
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        const Keys& keys = cases[k];
        SCOPED_TRACE(std::to_string(keys.field) + " from " + keys.from +
                     std::to_string(keys.skill));
        if (keys.field == ids::kSkillLevel) {
            window.pickEntry(ids::kSkillList, static_cast<int>(k));
        } else {
            window.type(keys.field, keys.from);
        }
        window.press(keys.field, keys.steps);
        EXPECT_EQ(window[keys.field].text, keys.shown);
        if (keys.field == ids::kSkillLevel) {
            EXPECT_EQ(window.editor.game()->party().characters[0].skill(k), keys.stored);
        }
    }
}

// Exit takes every value and ends the window. While a field holds no number it stays, tells once,
// and that field shows again the value it kept, with the focus.
TEST_F(EditorWindowTest, ExitTakesEveryValueOrSaysWhichIsNoNumber) {
    window.editor.SetLoadedState(true);
    window.type(ids::kLuck, "");
    window.type(ids::kGold, "");
    window.click(ids::kExit);
    EXPECT_FALSE(window.ended());
    EXPECT_EQ(window.shown,
              std::vector{Error("Please enter a whole number in this field, using digits only.")});
    EXPECT_EQ(window[ids::kLuck].text + window[ids::kGold].text, "00");
    EXPECT_EQ(window.look().focused, ids::kGold) << "the first such field in binding order";
    window.click(ids::kExit);
    EXPECT_TRUE(window.ended());
}

// A menu command runs whatever its low bits, which Windows keeps for itself; no other command
// does.
TEST_F(EditorWindowTest, OnlyTheMenusCommandsAreTheEditors) {
    for (const unsigned command : {0x10u, 0x1Fu, 0x20u, 0x3Fu, 0x0u, 0x40u, 0xF060u}) {
        EXPECT_EQ(window.editor.OnSysCommand(command), command >= 0x10 && command < 0x40)
            << command;
    }
    EXPECT_EQ(window.aboutBoxes, 2);
}

// Typing a number is one change however many keys it takes, a click is one, a pick is none, and
// taking a change back shows its character and spell with the focus on its control. Undo and Redo
// are on the menu while there is something to do; a new change drops what was taken back, a save
// keeps the history, and a close or a load drops it.
TEST_F(EditorWindowTest, UndoShowsWhereEachChangeWasMade) {
    const auto path = ArchiveBuilder::Standard().writeTo(dir / "game.dkv");
    window.file = path;
    window.click(ids::kLoadGame);
    const auto party = [this]() -> const Party& { return window.editor.game()->party(); };
    const auto menu = [this] {
        return std::pair(window.look().commands.at(kUndoCommand),
                         window.look().commands.at(kRedoCommand));
    };
    std::vector<Party> states{party()};
    window.pickEntry(ids::kCharacterList, 3);
    EXPECT_EQ(menu(), std::pair(false, false)) << "a pick is no change";
    for (const char* typed : {"1", "12", "123"}) {
        window.type(ids::kMight, typed);
    }
    states.push_back(party());
    window.type(ids::kLuck, "4");  // another field is another change
    states.push_back(party());
    window.pickEntry(ids::kSpellList, 7);
    for (int click = 0; click < 2; ++click) {
        window.click(ids::kLearned);
        states.push_back(party());
    }
    window.pickEntry(ids::kCharacterList, 9);
    window.type(ids::kGold, "77");
    states.push_back(party());

    const std::tuple<int, int, int> places[] = {{ids::kGold, 9, 0},
                                                {ids::kLearned, 3, 7},
                                                {ids::kLearned, 3, 7},
                                                {ids::kLuck, 3, 0},
                                                {ids::kMight, 3, 0}};
    for (const auto& [control, character, spell] : places) {
        window.editor.OnUndo();
        states.pop_back();
        EXPECT_TRUE(party() == states.back()) << control;
        EXPECT_EQ(std::tuple(window.look().focused, window[ids::kCharacterList].picked,
                             window[ids::kSpellList].picked),
                  std::tuple(control, character, spell));
        EXPECT_EQ(window[ids::kMight].text,
                  std::to_string(party().characters[static_cast<std::size_t>(character)].number(
                      fields::kMight)));
    }
    EXPECT_EQ(menu(), std::pair(false, true));
    window.editor.OnRedo();
    window.type(ids::kLuck, "5");
    EXPECT_EQ(menu(), std::pair(true, false)) << "a new change drops what was taken back";
    window.editor.OnUndo();
    window.editor.OnUndo();
    EXPECT_TRUE(party() == states.front());
    window.answers = {MessageAnswer::yes};
    window.click(ids::kSaveGame);
    EXPECT_EQ(menu(), std::pair(false, true)) << "a save keeps the history";
    window.click(ids::kCloseGame);
    EXPECT_EQ(menu(), std::pair(false, false)) << "a close drops it";
    window.file = path;
    window.click(ids::kLoadGame);
    EXPECT_EQ(menu(), std::pair(false, false)) << "and so does a load";
}

// A game opened from outside the window (the command line, a drop) loads as Load Game... loads a
// chosen one, its folder becoming the working directory, where its picture lands. Over a loaded
// game it closes that one first, after a question when it holds changes not saved: No keeps it.
TEST_F(EditorWindowTest, AGameOpenedFromOutsideLoadsAsLoadGameDoes) {
    const auto first = ArchiveBuilder::Standard(PartyBuilder(), "First").writeTo(dir / "a.dkv");
    std::filesystem::create_directory(dir / "other");
    const auto second =
        ArchiveBuilder::Standard(PartyBuilder(), "Second").writeTo(dir / "other" / "b.dkv");
    const auto previous = std::filesystem::current_path();
    ScriptedWindow opened({.picture = "image.pcx"});
    const auto title = [&opened] { return opened.look().title; };
    opened.editor.OnOpenGame(first);
    EXPECT_EQ(title(), "Velmor Saved Game Editor (v1.5) - [First]");
    EXPECT_TRUE(std::filesystem::exists(dir / "image.pcx"));
    opened.type(ids::kMight, "5");
    opened.answers = {MessageAnswer::no, MessageAnswer::yes};
    opened.editor.OnOpenGame(second);
    EXPECT_EQ(title(), "Velmor Saved Game Editor (v1.5) - [First]");
    opened.editor.OnOpenGame(second);
    EXPECT_EQ(title(), "Velmor Saved Game Editor (v1.5) - [Second]");
    EXPECT_TRUE(std::filesystem::exists(dir / "other" / "image.pcx"));
    opened.editor.OnOpenGame(first);
    EXPECT_EQ(title(), "Velmor Saved Game Editor (v1.5) - [First]");
    EXPECT_EQ(opened.shown.size(), 2u) << "asked only over changes not saved";
    std::filesystem::current_path(previous);
}

// The command line opens at most one game; --help and --version answer and end; anything else
// that looks like an option is refused, and nothing is passed on.
TEST(CommandLine, TakesOneGameAndTheEditorsOwnOptions) {
    const std::tuple<std::vector<std::string>, std::optional<std::string>, int, const char*>
        lines[] = {
            {{}, std::nullopt, 0, nullptr},
            {{"game.dkv"}, "game.dkv", 0, nullptr},
            {{"--", "-odd.dkv"}, "-odd.dkv", 0, nullptr},
            {{"-"}, "-", 0, nullptr},
            {{"--help", "game.dkv"}, std::nullopt, 0, "Usage: velmor-editor [GAME]"},
            {{"--version"}, std::nullopt, 0, "velmor-editor 1.5"},
            {{"-style", "fusion"}, std::nullopt, 2, "unknown option -style"},
            {{"a.dkv", "b.dkv"}, std::nullopt, 2, "one saved game at a time"},
        };
    for (const auto& [arguments, game, status, answer] : lines) {
        const CommandLine line = ReadCommandLine(arguments);
        EXPECT_EQ(line.game, game ? std::optional(std::filesystem::path(*game)) : std::nullopt);
        EXPECT_EQ(line.exitStatus, status);
        EXPECT_EQ(line.answer.has_value(), answer != nullptr);
        if (answer) {
            EXPECT_NE(line.answer->find(answer), std::string::npos) << *line.answer;
        }
    }
}

}  // namespace
}  // namespace velmor
