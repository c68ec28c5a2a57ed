// velmor-save as a script runs it: what each command reads from its arguments and documents, what
// it prints, and its exit status. The rules of every edit are the editor's own, tested with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <regex>

#include "cli/ChildProcess.h"
#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "party/PartyEditor.h"
#include "savegame/Messages.h"
#include "savegame/PartyEntry.h"

namespace velmor {
namespace {

using namespace test;
using Json = nlohmann::ordered_json;
using Arguments = std::vector<std::string>;
constexpr auto npos = std::string::npos;

class VelmorSaveTest : public ::testing::Test {
protected:
    struct Run {
        int status;
        std::string out, errors;
        bool says(std::string_view m) const { return status == 0 && out.find(m) != npos; }
        bool failed(std::string_view m) const { return status == 2 && errors.find(m) != npos; }
        bool quiet() const { return status == 0 && out.empty() && errors.empty(); }
    };
    static Arguments Command(const Arguments& arguments) {
        Arguments command{VELMOR_SAVE_PROGRAM};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return command;
    }
    // `setup` may give it a folder for temporary files, or a limit.
    Run run(const Arguments& arguments, ChildProcess::Setup setup = {}) {
        setup.out = aside / "out";
        setup.errors = aside / "errors";
        const ChildProcess::Ended ended = ChildProcess(Command(arguments), setup).wait();
        mostKilobytes = std::max(mostKilobytes, ended.kilobytes);
        return {ended.status, Printed(setup.out), Printed(setup.errors)};
    }
    // Read as text, so that every line ends in "\n" whatever ends lines on the system.
    static std::string Printed(const std::filesystem::path& file) {
        std::ifstream text(file);
        return {std::istreambuf_iterator<char>(text), {}};
    }
    std::string text(const std::string& name, const std::string& content) const {
        WriteWholeFile(aside / name, Bytes(content.begin(), content.end()));
        return (aside / name).string();
    }
    std::string write(const ArchiveBuilder& archive, const std::string& name = "game.dkv") const {
        return archive.writeTo(dir / name).string();
    }

    TemporaryDirectory dir;    // the games
    TemporaryDirectory aside;  // documents for the tool, and what it printed
    long mostKilobytes = 0;    // of memory, that any run held at once
};

// Random assignments of every kind make the editor's own edits; the dump of the result shows each
// field as stored, and what apply may change of it, applied to the game as it was, makes the same
// edits. Character 0 holds values the editor would never write, which an unchanged dump keeps.
TEST_F(VelmorSaveTest, SetDumpAndApplyMakeTheEditorsEdits) {
    RecordBuilder hero(0);
    hero.name("\xC9lodie").classIndex(5).number(fields::kMight, 999).skill(7, 200);
    PartyBuilder built;
    built.value(fields::kSlot1, 0xDEADBEEF).value(fields::kSlot2, 7);
    built.record(0, hero.spellByte(112, 2).build());
    const ArchiveBuilder archive = ArchiveBuilder::Standard(built, "Dune Sea");
    const auto game = write(archive), copy = write(archive, "copy.dkv");
    Party expected = built.party();
    PartyEditor editor(expected);
    Arguments set = {"set", game};
    std::mt19937 draw(2024);
    const auto below = [&draw](std::uint64_t n) { return static_cast<std::uint32_t>(draw() % n); };
    const std::string masteries[] = {"None", "Normal", "Expert", "Master", "Grandmaster"};
    for (std::size_t i = 0; i < 140; ++i) {
        const std::size_t c = 1 + i % 35, k = below(kSkillCount), s = below(kSpellCount);
        const std::uint32_t n = below(2) ? below(1ull << 32) : below(300);  // often above limits
        const auto level = static_cast<std::int32_t>(below(70));
        const PartyField& field = *fields::kCharacter[3 + below(9)];  // a number
        editor.setNumber(field, c, n);
        editor.setSkill(c, k, {static_cast<Mastery>(n % 5), level});
        editor.setSpellLearned(c, s, n % 2);
        editor.setPromoted(c, n % 3 == 0);
        const std::string at = "characters." + std::to_string(c) + ".";
        set.insert(set.end(),
                   {at + std::string(field.key) + "=" + std::to_string(n),
                    at + "skills." + std::to_string(k) + "=" + masteries[n % 5] + ":" +
                        std::to_string(level),
                    at + "spells." + std::to_string(s) + (n % 2 ? "=learned" : "=unlearned"),
                    at + (n % 3 == 0 ? "promoted=true" : "promoted=false")});
    }
    ASSERT_EQ(run(set).status, 0);

    // Character 0 alone, with one skill and one spell of it.
    const std::string dumped = run({"dump", game}).out;
    Json dump = Json::parse(dumped);
    Json& shown = dump["characters"][0];
    shown["skills"] = shown["skills"][7];
    shown["spells"] = shown["spells"][112];
    dump["characters"] = Json::array({shown});
    EXPECT_EQ(dump.dump(),
              R"({"header":"Dune Sea","party":{"food":100,"slot1":3735928559,)"
              R"("slot2":7,"gold":2000,"bankGold":30000},"characters":[{"index":0,)"
              "\"name\":\"\xC3\x89lodie\",\"infoText\":\"A hero of the realm.\",\"class\":5,"
              R"("className":"Champion","promoted":true,"might":999,"intellect":23,)"
              R"("personality":36,"endurance":49,"speed":62,"accuracy":75,"luck":88,)"
              R"("experience":1000,"skillPoints":0,"skills":{"index":7,)"
              R"("name":"<unused_skill_1>","mastery":"Grandmaster","level":-56,"stored":200},)"
              R"("spells":{"index":112,"name":"Charm","learned":false,"stored":2}}]})");

    const std::regex readOnly(R"(,"stored":\d+|"class(Name)?": [^,]+,)");
    const auto writable = text("writable.json", std::regex_replace(dumped, readOnly, ""));
    ASSERT_EQ(run({"apply", copy, writable}).status, 0);
    Bytes edited = archive.build();
    PutParty(edited, archive.dataPosition(2), expected);
    EXPECT_TRUE(ReadWholeFile(copy) == edited);
    EXPECT_TRUE(run({"diff", game, copy}).quiet()) << "the set game is the same";
    EXPECT_TRUE(run({"apply", game, text("dump.json", dumped)}).quiet()) << "an unchanged dump";
    EXPECT_TRUE(ReadWholeFile(game + ".bak") == archive.build()) << "no save, so no new backup";
}

// Nothing is written on a dry run, when anything asked is wrong, or when a write fails; and from
// its load to its save a write holds the game, so that nobody changes it in between.
TEST_F(VelmorSaveTest, SetAndApplyWriteAllOrNothingAndHoldTheGameMeanwhile) {
    const auto game = write(ArchiveBuilder::Standard());
    EXPECT_EQ(run({"set", "--dry-run", game, "party.gold=1"}).status, 0);
    // Only the fields present change: a line for each, and a warning for each value stored at its
    // limit instead.
    const auto applied = run({"apply", "--dry-run", game, text("changes.json", R"({
        "party": {"bankGold": 77}, "characters": [{"index": 4, "luck": 300, "promoted": true,
        "spells": [{"index": 131, "learned": false}],
        "skills": [{"index": 38, "mastery": "Master", "level": 70}]}]})")});
    EXPECT_EQ(applied.out + applied.errors,
              "party.bankGold: 30000 -> 77\ncharacters.4.luck: 26 -> 255\n"
              "characters.4.promoted: false (Knight) -> true (Champion)\n"
              "characters.4.spells.131: learned (1) -> unlearned (0)\n"
              "characters.4.skills.38: None -> Master:60\n"
              "warning: characters.4.luck: 300 is above the limit of 255; stored 255\n"
              "warning: characters.4.skills.38: level 70 is above the limit of 60; stored 60\n");

    // What the tool tells of each assignment, which stands before the colon. A good assignment
    // goes first: nothing at all is written when any is bad.
    for (const std::string told :
         {"party.gold: expected FIELD=VALUE", "party.slot1=5: unknown field",
          "characters.36.might=1: character index must be 0 to 35",
          "characters.0.might=-1: expected a whole number", "characters.0.mite=1: unknown field",
          "characters.0.skills.39=Expert:1: skill index must be 0 to 38",
          "characters.0.skills.1=Wizard:1: mastery must be",
          "characters.0.skills.1=Expert: expected Mastery:Level",
          "characters.0.spells.1=maybe: expected learned or unlearned",
          "characters.0.promoted=yes: expected true or false"}) {
        const Arguments set = {"set", game, "party.gold=7", told.substr(0, told.find(": "))};
        EXPECT_TRUE(run(set).failed("error: " + told)) << told;
    }
    // Every problem of a document is told, and none is ignored.
    const auto refused =
        run({"apply", game, text("bad.json", R"({"party": {"slot1": 1, "glod": 1}, "Party": {},
        "characters": [{"luck": 1}, {"index": 0, "name": "Someone", "class": 3, "className": "Lich",
                      "might": -5, "skills.3": 5,
                      "skills": [{"index": 1, "stored": 5, "name": "Staff", "levle": 2},
                                 {"index": 4, "mastery": "Expert"}, {"index": 5, "level": 3}],
                      "spells": [{"index": 2, "name": "Charm", "lerned": true}]}]})")});
    for (const char* problem :
         {"party.slot1 cannot be changed", "party.glod: no such field", "Party: no such field",
          "needs an \"index\"", "characters.0.name cannot be changed",
          "characters.0.className cannot be changed", "(change \"promoted\" instead)",
          "characters.0.skills.1.name cannot be changed", "characters.0.skills.1.levle: no such",
          "characters.0.spells.2.name cannot be changed", "characters.0.spells.2.lerned: no such",
          "characters.0.might: expected a whole number", "characters.0.skills.3: no such field",
          "(change \"mastery\" and \"level\" instead)",
          "characters.0.skills.4: a mastery needs its \"level\"",
          "characters.0.skills.5: a level needs its \"mastery\""}) {
        EXPECT_TRUE(refused.failed(problem)) << problem << "\n" << refused.errors;
    }
    EXPECT_TRUE(run({"apply", game, text("bad.json", "[")}).failed("is not valid JSON"));

    // A limit on the size of files makes the writes of the save fail, which is told. (Windows
    // has no such limit.)
#ifndef _WIN32
    EXPECT_TRUE(
        run({"set", game, "party.gold=1"}, {.fileSizeLimit = 100 * 1024}).failed("ERROR: "));
#endif
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
        << "neither a backup, nor a scratch file, nor any write at all, beside the game";

    // Warnings fill the pipe to the test, so that the tool waits between its load and its save
    // while a second run tries to open the game. A command line on Windows holds 32767
    // characters, which fewer warnings fill.
#ifdef _WIN32
    constexpr std::size_t kWarnings = 1000;
#else
    constexpr std::size_t kWarnings = 2000;
#endif
    Arguments set(kWarnings, "characters.0.might=999");  // a warning each
    set.insert(set.begin(), {"set", game});
    const Json characters(kWarnings, Json{{"index", 0}, {"might", 999}});
    const auto document = text("many.json", Json{{"characters", characters}}.dump());
    for (const Arguments& arguments : {set, Arguments{"apply", game, document}}) {
        ChildProcess warning(Command(arguments), {.out = aside / "warned"});
        ASSERT_NE(warning.readError(), EOF);
        EXPECT_TRUE(run({"verify", game}).failed(messages::kCannotOpenFile)) << arguments[0];
    }  // the pipe closes: the tool fails its next warning, or ends on it, and is waited for
}

// Games of any size are compared and checked in pieces: neither command holds a game in memory,
// and neither leaves a copy behind. This one has no header, a party.bin by another name that is not
// the last entry, and a last character with bytes that the editor never writes.
TEST_F(VelmorSaveTest, DiffAndVerifyTellWhatIsInHugeGames) {
    // Expert 60, the highest level, is usual; a Grandmaster at -56 is not.
    const auto last =
        RecordBuilder(35).classIndex(20).skill(37, 124).skill(38, 200).spellByte(131, 9).build();
    ArchiveBuilder archive;
    archive.entryCount(4999).entry("image.pcx", {});
    archive.entry("oldparty.bin", PartyBuilder().record(35, last).build()).entry("x", Bytes(10));
    const auto a = write(archive, "a.dkv"), b = write(archive, "b.dkv");
    run({"set", b, "party.food=5", "characters.0.spells.59=1", "characters.3.might=255"});
    Bytes changed = ReadWholeFile(b);
    changed[archive.dataPosition(1) + kCharacterTableOffset + 5 * kCharacterRecordSize + 5000] ^=
        0xFF;                // game data the editor does not read
    changed.back() ^= 0xFF;  // outside party.bin
    WriteWholeFile(b, changed);
    constexpr std::uintmax_t kHuge = std::uintmax_t{512} << 20;
    std::filesystem::resize_file(a, kHuge);  // the rest is a hole in the file, read as zeros
    std::filesystem::resize_file(b, kHuge);
    const ChildProcess::Setup inScratch{.scratch = dir.path()};
    const auto found = run({"diff", a, b}, inScratch);
    EXPECT_EQ(found.status, 1);
    EXPECT_EQ(found.out,
              "party.food: 100 -> 5\n"
              "characters.0.spells.59: unlearned (0) -> learned (1)\n"
              "characters.3.might: 31 -> 255\n"
              "1 other bytes of party.bin differ\n"
              "1 bytes of the rest of the file differ\n");
    const auto verify = run({"verify", a}, inScratch);
    EXPECT_EQ(verify.status, 1) << verify.errors;
    const auto follow = std::to_string(kHuge - archive.dataPosition(2)) + " bytes follow it";
    for (const std::string finding :
         {follow.c_str(), "4999 entries, near the limit", "cannot locate \"header.bin\"",
          "read from the entry \"oldparty.bin\"", "characters.35: class byte 20 names no class",
          "characters.35.skills.38: stored 200 reads as level -56",
          "characters.35.spells.131: byte 9"}) {
        EXPECT_NE(verify.out.find(finding), npos) << finding;
    }
    EXPECT_EQ(verify.out.find("characters.35.skills.37"), npos) << verify.out;
    // A count above 4500 is near the limit; 4500 itself is not.
    for (const std::uint32_t count : {4500u, 4501u}) {
        const auto many = ArchiveBuilder::Standard().entryCount(count).writeTo(aside / "many.dkv");
        EXPECT_EQ(run({"verify", many.string()}).out.find(" entries, near the limit") != npos,
                  count > 4500)
            << count;
    }
    EXPECT_LT(mostKilobytes, 128 * 1024) << "kilobytes at the most, of a 512 MiB game";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3)
        << "the two games and the backup of the set, and nothing left behind";
}

// Every command that loads tells a failed load on standard error, all its messages in order. The
// demo is a good game, and replaced only when asked.
TEST_F(VelmorSaveTest, FailedLoadsEndEveryCommandAndTheDemoIsAGoodGame) {
    const auto demo = (dir / "demo.dkv").string();
    ASSERT_EQ(run({"demo", demo}).status, 0);
    EXPECT_TRUE(run({"demo", demo}).failed("--force"));
    EXPECT_EQ(run({"demo", "--force", demo}).status, 0);
    const auto info = run({"info", demo});
    EXPECT_TRUE(info.says("header: Demo of Velmor")) << info.errors;
    EXPECT_NE(info.out.find("promoted"), npos);
    EXPECT_TRUE(run({"verify", demo}).says("clean: "));

    const auto bad = write(ArchiveBuilder().entry("header.bin", Bytes(20)), "noparty.dkv");
    const auto empty = text("empty.json", "{}");
    const Arguments commands[] = {{"info", bad},         {"dump", bad},
                                  {"verify", bad},       {"set", bad, "party.gold=1"},
                                  {"apply", bad, empty}, {"diff", demo, bad},
                                  {"diff", bad, demo}};
    for (const Arguments& arguments : commands) {
        const auto failed = run(arguments);
        EXPECT_EQ(failed.status, 2) << arguments[0];
        EXPECT_EQ(failed.errors, std::string(messages::kNoImageEntry) + "\n" +
                                     std::string(messages::kNoPartyEntryOnLoad) + "\n");
    }
    // A game that is not there ends diff too, and is told once.
    const auto none = (dir / "none.dkv").string();
    for (const Arguments& diff : {Arguments{"diff", none, demo}, Arguments{"diff", demo, none}}) {
        const auto failed = run(diff);
        EXPECT_EQ(failed.status, 2) << diff[1];
        EXPECT_EQ(failed.errors, std::string(messages::kCannotOpenFile) + "\ncannot open \"" +
                                     none + "\": No such file or directory\n")
            << diff[1];
    }
    EXPECT_TRUE(run({"--help"}).says("demo"));
    EXPECT_EQ(run({}).status, 2) << "a command is required";
}

}  // namespace
}  // namespace velmor
