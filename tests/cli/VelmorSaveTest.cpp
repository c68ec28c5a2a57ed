// velmor-save as a script runs it: what each command reads from its arguments and documents, what
// it prints, and its exit status. The rules of every edit are the editor's own, tested with it.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <nlohmann/json.hpp>

#include "cli/ToolRunner.h"
#include "data/ArchiveBuilder.h"
#include "party/PartyEditor.h"
#include "savegame/Messages.h"
#include "savegame/PartyEntry.h"

namespace velmor {
namespace {

using namespace test;
using Json = nlohmann::ordered_json;

class VelmorSaveTest : public ::testing::Test {
protected:
    std::string write(const ArchiveBuilder& archive, const std::string& name = "game.dkv") {
        return archive.writeTo(dir / name).string();
    }
    std::string text(const std::string& name, const std::string& content) {
        WriteWholeFile(dir / name, Bytes(content.begin(), content.end()));
        return (dir / name).string();
    }
    // The standard game of `built`, with `party` in place of the one it was built with.
    static Bytes WithParty(const PartyBuilder& built, const Party& party) {
        const ArchiveBuilder archive = ArchiveBuilder::Standard(built);
        Bytes file = archive.build();
        PlaceParty(file, 0, archive.dataPosition(2), party);
        return file;
    }

    TemporaryDirectory dir;
};

TEST_F(VelmorSaveTest, DumpReportsEveryFieldAsStored) {
    RecordBuilder hero(0);
    hero.name("\xC9lodie").infoText("Has seen the sea.").classIndex(5).skill(12, 138).skill(7, 200);
    hero.spellByte(59, 1).spellByte(112, 2);
    std::uint32_t number = 1000;  // in record order; the dump keeps that order
    for (const PartyField* field : fields::kCharacter) {
        if (field->kind == FieldKind::number) {
            hero.number(*field, number++);
        }
    }
    const auto game = write(ArchiveBuilder::Standard(
        PartyBuilder().value(fields::kSlot1, 0xDEADBEEF).record(0, hero.build()), "Dune Sea"));
    const auto run = RunTool({"dump", game});
    ASSERT_EQ(run.status, 0) << run.errors;
    Json dump = Json::parse(run.out);

    EXPECT_EQ(dump["header"], "Dune Sea");
    EXPECT_EQ(dump["party"].dump(),
              R"({"food":100,"slot1":3735928559,"slot2":)" +
                  std::to_string(PartyBuilder().party().values.number(fields::kSlot2)) +
                  R"(,"gold":2000,"bankGold":30000})");
    ASSERT_EQ(dump["characters"].size(), 36u);
    Json& c = dump["characters"][0];
    ASSERT_EQ(c["skills"].size(), 39u);
    ASSERT_EQ(c["spells"].size(), 132u);
    EXPECT_EQ(c["skills"][12].dump(),
              R"({"index":12,"name":"Fire Magic","mastery":"Master","level":10,"stored":138})");
    EXPECT_EQ(c["skills"][7]["level"], -56);
    EXPECT_EQ(c["spells"][112].dump(),
              R"({"index":112,"name":"Charm","learned":false,"stored":2})");
    c.erase("skills");
    c.erase("spells");
    EXPECT_EQ(c.dump(), R"({"index":0,"name":")"
                        "\xC3\x89"
                        R"(lodie","infoText":"Has seen the sea.",)"
                        R"("class":5,"className":"Champion","promoted":true,"might":1000,)"
                        R"("intellect":1001,"personality":1002,"endurance":1003,"speed":1004,)"
                        R"("accuracy":1005,"luck":1006,"experience":1007,"skillPoints":1008})");
}

// One assignment of each kind reaches the editor as the window's edit would, a value above its
// limit with a warning, and the first write keeps a backup.
TEST_F(VelmorSaveTest, SetMakesTheEditorsEditsAndKeepsABackup) {
    const auto game = write(ArchiveBuilder::Standard());
    const Bytes original = ReadWholeFile(game);
    const auto run =
        RunTool({"set", game, "party.gold=5000", "characters.3.speed=201",
                 "characters.1.experience=1000000000", "characters.0.skills.12=Expert:10",
                 "characters.2.spells.59=learned", "characters.4.promoted=true"});
    ASSERT_EQ(run.status, 0) << run.errors;

    Party expected = PartyBuilder().party();
    PartyEditor editor(expected);
    editor.setNumber(fields::kGold, std::nullopt, 5000);
    editor.setNumber(fields::kSpeed, 3, 201);
    editor.setNumber(fields::kExperience, 1, 1'000'000'000);
    editor.setSkill(0, 12, {Mastery::Expert, 10});
    editor.setSpellLearned(2, 59, true);
    editor.setPromoted(4, true);
    EXPECT_EQ(ReadWholeFile(game), WithParty(PartyBuilder(), expected));
    EXPECT_EQ(ReadWholeFile(game + ".bak"), original);
    EXPECT_NE(run.out.find("party.gold: 2000 -> 5000\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("characters.4.promoted: false (Knight) -> true (Champion)\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.errors,
              "warning: characters.1.experience: 1000000000 is above the limit of 999999999; "
              "stored 999999999\n");
}

TEST_F(VelmorSaveTest, DryRunAndBadAssignmentsWriteNothing) {
    const auto game = write(ArchiveBuilder::Standard());
    const Bytes original = ReadWholeFile(game);
    const auto dry = RunTool({"set", "--dry-run", game, "party.gold=1"});
    EXPECT_EQ(dry.status, 0);
    EXPECT_EQ(dry.out, "party.gold: 2000 -> 1\n");

    const std::pair<std::string, std::string> bad[] = {
        {"party.gold", "expected FIELD=VALUE"},
        {"party.slot1=5", "unknown field"},
        {"characters.36.might=1", "character index must be 0 to 35"},
        {"characters.0.might=-1", "expected a whole number"},
        {"characters.0.mite=1", "unknown field"},
        {"characters.0.skills.39=Expert:1", "skill index must be 0 to 38"},
        {"characters.0.skills.1=Wizard:1", "mastery must be"},
        {"characters.0.skills.1=Expert", "expected Mastery:Level"},
        {"characters.0.spells.132=learned", "spell index must be 0 to 131"},
        {"characters.0.spells.1=maybe", "expected learned or unlearned"},
        {"characters.0.promoted=yes", "expected true or false"},
    };
    for (const auto& [assignment, message] : bad) {
        // A good assignment first: nothing at all is written when any is bad.
        const auto run = RunTool({"set", game, "party.gold=7", assignment});
        EXPECT_EQ(run.status, 2) << assignment;
        EXPECT_NE(run.errors.find(message), std::string::npos) << run.errors;
        EXPECT_NE(run.errors.find(assignment), std::string::npos) << "names the assignment";
    }
    EXPECT_EQ(ReadWholeFile(game), original);
    EXPECT_FALSE(std::filesystem::exists(game + ".bak"));
}

TEST_F(VelmorSaveTest, ApplyChangesOnlyTheFieldsPresent) {
    // Values the editor would cap, and a skill of negative level, survive an unchanged dump.
    const PartyBuilder party = PartyBuilder().record(0, RecordBuilder(0)
                                                            .number(fields::kMight, 1000)
                                                            .skill(3, 200)
                                                            .skill(4, 400)
                                                            .classIndex(20)
                                                            .build());
    const auto game = write(ArchiveBuilder::Standard(party));
    const Bytes original = ReadWholeFile(game);
    const auto same = RunTool({"apply", game, text("same.json", RunTool({"dump", game}).out)});
    EXPECT_EQ(same.status, 0) << same.errors;
    EXPECT_EQ(same.out + same.errors, "");
    EXPECT_EQ(ReadWholeFile(game), original);

    const auto run = RunTool({"apply", game, text("changes.json", R"({"party": {"bankGold": 77},
        "characters": [{"index": 4, "luck": 300, "promoted": true,
                        "skills": [{"index": 38, "mastery": "Master", "level": 5}],
                        "spells": [{"index": 131, "learned": true}]}]})")});
    ASSERT_EQ(run.status, 0) << run.errors;
    Party expected = party.party();
    PartyEditor editor(expected);
    editor.setNumber(fields::kBankGold, std::nullopt, 77);
    editor.setNumber(fields::kLuck, 4, 300);
    editor.setPromoted(4, true);
    editor.setSkill(4, 38, {Mastery::Master, 5});
    editor.setSpellLearned(4, 131, true);
    EXPECT_EQ(ReadWholeFile(game), WithParty(party, expected));
    EXPECT_NE(run.errors.find("warning: characters.4.luck: 300 is above the limit of 255"),
              std::string::npos);
}

TEST_F(VelmorSaveTest, ApplyRefusesReadOnlyAndUnknownFields) {
    const auto game = write(ArchiveBuilder::Standard());
    const Bytes original = ReadWholeFile(game);
    const std::pair<std::string, std::string> cases[] = {
        {R"({"characters": [{"index": 0, "name": "Someone Else"}]})",
         "characters.0.name cannot be changed"},
        {R"({"characters": [{"index": 0, "class": 3}]})", "change \"promoted\" instead"},
        {R"({"party": {"slot1": 1}})", "party.slot1 cannot be changed"},
        {R"({"party": {"glod": 1}})", "party.glod: no such field"},
        {R"({"characters": [{"luck": 1}]})", "needs an \"index\""},
        {R"({"characters": [{"index": 0, "skills": [{"index": 1, "stored": 5}]}]})",
         "change \"mastery\" and \"level\" instead"},
        {R"({"characters": [{"index": 0, "might": -5}]})", "expected a whole number"},
        {R"(not json)", "is not valid JSON"},
        {R"({"characters": [{"index": 0, "skills.3": 5}]})",
         "characters.0.skills.3: no such field"},
        {R"({"characters": [{"index": 0, "spells.5": 1}]})",
         "characters.0.spells.5: no such field"},
        {R"({"characters": {"index": 0}})", "expected an array"},
    };
    for (const auto& [document, message] : cases) {
        const auto run = RunTool({"apply", game, text("bad.json", document)});
        EXPECT_EQ(run.status, 2) << document;
        EXPECT_NE(run.errors.find(message), std::string::npos) << run.errors;
    }
    EXPECT_EQ(ReadWholeFile(game), original);
}

// A game of any size is compared and checked in pieces: neither command holds it in memory, and
// neither leaves a copy behind.
TEST_F(VelmorSaveTest, DiffAndVerifyReadHugeGamesInPieces) {
    constexpr std::uintmax_t kHuge = std::uintmax_t{512} << 20;
    const auto a = write(ArchiveBuilder::Standard(), "a.dkv");
    const auto b = write(ArchiveBuilder::Standard(), "b.dkv");
    std::filesystem::resize_file(a, kHuge);  // the rest is a hole in the file, read as zeros
    std::filesystem::resize_file(b, kHuge);
    const auto scratch = dir / "scratch";
    std::filesystem::create_directory(scratch);
    const std::string inScratch = "TMPDIR='" + scratch.string() + "' ";
    EXPECT_EQ(RunTool({"diff", a, b}, inScratch).status, 0);
    const auto verify = RunTool({"verify", a}, inScratch);
    EXPECT_EQ(verify.status, 1) << verify.errors;
    EXPECT_NE(verify.out.find("bytes follow it"), std::string::npos) << verify.out;
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    EXPECT_LT(usage.ru_maxrss, 128 * 1024) << "kilobytes at the most, of a 512 MiB game";
    EXPECT_TRUE(std::filesystem::is_empty(scratch));
}

// A limit on the size of files makes the writes of a save fail, which is told like any failed
// write: nothing is half-written and no scratch file is left.
TEST_F(VelmorSaveTest, AFileSizeLimitIsToldLikeAnyFailedWrite) {
    const auto game = write(ArchiveBuilder::Standard());
    const Bytes original = ReadWholeFile(game);
    const auto run = RunTool({"set", game, "party.gold=1"}, "ulimit -f 100; ");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("ERROR: "), std::string::npos) << run.errors;
    EXPECT_TRUE(ReadWholeFile(game) == original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "only the game is left in its folder";
}

TEST_F(VelmorSaveTest, DiffListsExactlyTheChangedFields) {
    const auto archive = ArchiveBuilder::Standard(
        PartyBuilder()
            .record(0, RecordBuilder(0).spellByte(59, 0).build())
            .record(3, RecordBuilder(3).number(fields::kMight, 40).build()));
    const auto a = write(archive, "a.dkv");
    const auto b = write(archive, "b.dkv");
    const auto same = RunTool({"diff", a, b});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");

    ASSERT_EQ(RunTool({"set", b, "characters.3.might=255", "characters.0.spells.59=learned",
                       "party.food=5"})
                  .status,
              0);
    Bytes changed = ReadWholeFile(b);
    changed[archive.dataPosition(2) + kCharacterTableOffset + 5 * kCharacterRecordSize + 5000] ^=
        0xFF;              // game data the editor does not read
    changed[100] ^= 0xFF;  // outside party.bin
    WriteWholeFile(b, changed);

    const auto run = RunTool({"diff", a, b});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "party.food: 100 -> 5\n"
              "characters.0.spells.59: unlearned (0) -> learned (1)\n"
              "characters.3.might: 40 -> 255\n"
              "1 other bytes of party.bin differ\n"
              "1 bytes of the rest of the file differ\n");
    EXPECT_EQ(RunTool({"diff", a, (dir / "missing.dkv").string()}).status, 2);
}

TEST_F(VelmorSaveTest, VerifyFlagsEachUnusualThing) {
    const auto clean = RunTool({"verify", write(ArchiveBuilder::Standard())});
    EXPECT_EQ(clean.status, 0) << clean.out << clean.errors;
    EXPECT_NE(clean.out.find("clean"), std::string::npos);

    const auto party = [] { return PartyBuilder().build(); };
    const auto with = [](std::size_t i, const RecordBuilder& record) {
        return ArchiveBuilder::Standard(PartyBuilder().record(i, record.build()));
    };
    const std::tuple<const char*, ArchiveBuilder, std::string> cases[] = {
        {"many entries", ArchiveBuilder::Standard().entryCount(4999),
         "4999 entries, near the limit"},
        {"party not last", ArchiveBuilder::Standard().entry("more.bin", Bytes(10)),
         "party.bin is not last in the file: 10 bytes follow it"},
        {"party found by containment",
         ArchiveBuilder()
             .entry("header.bin", Bytes(20))
             .entry("image.pcx", {})
             .entry("oldparty.bin", party()),
         "read from the entry \"oldparty.bin\""},
        {"class byte above 15", with(4, RecordBuilder(4).classIndex(20)),
         "characters.4: class byte 20 names no class"},
        {"negative skill level", with(0, RecordBuilder(0).skill(3, 200)),
         "characters.0.skills.3: stored 200 reads as level -56"},
        {"spell byte neither 0 nor 1", with(1, RecordBuilder(1).spellByte(7, 9)),
         "characters.1.spells.7: byte 9"},
        {"no header", ArchiveBuilder().entry("image.pcx", {}).entry("party.bin", party()),
         "cannot locate \"header.bin\""},
    };
    for (const auto& [story, archive, finding] : cases) {
        const auto run = RunTool({"verify", write(archive)});
        EXPECT_EQ(run.status, 1) << story << "\n" << run.out << run.errors;
        EXPECT_NE(run.out.find(finding), std::string::npos) << story << "\n" << run.out;
    }
}

// Bad archives get the window's own messages, on standard error, and a failing status.
TEST_F(VelmorSaveTest, BadArchivesGiveTheWindowsMessages) {
    const std::tuple<const char*, std::string, std::string_view> cases[] = {
        {"info", (dir / "missing.dkv").string(), messages::kCannotOpenFile},
        {"dump", write(ArchiveBuilder::Standard().signature("ZIP"), "zip.dkv"),
         messages::kInvalidFile},
        {"verify", write(ArchiveBuilder().entry("header.bin", Bytes(20)), "noparty.dkv"),
         messages::kNoPartyEntryOnLoad},
        {"set", write(ArchiveBuilder::Standard().entryCount(0), "empty.dkv"),
         messages::kNoInformation},
    };
    for (const auto& [command, game, message] : cases) {
        const auto run = std::string_view(command) == "set"
                             ? RunTool({command, game, "party.gold=1"})
                             : RunTool({command, game});
        EXPECT_EQ(run.status, 2) << command;
        EXPECT_NE(run.errors.find(message), std::string::npos) << run.errors;
        EXPECT_EQ(run.out, "") << command;
    }
}

TEST_F(VelmorSaveTest, DemoWritesAGameThatLoadsAndRefusesToOverwrite) {
    const auto demo = (dir / "demo.dkv").string();
    ASSERT_EQ(RunTool({"demo", demo}).status, 0);
    const auto info = RunTool({"info", demo});
    EXPECT_EQ(info.status, 0) << info.errors;
    EXPECT_NE(info.out.find("header: Demo of Velmor"), std::string::npos);
    EXPECT_NE(info.out.find("promoted"), std::string::npos);
    EXPECT_EQ(RunTool({"verify", demo}).status, 0);

    const Bytes first = ReadWholeFile(demo);
    const auto again = RunTool({"demo", demo});
    EXPECT_EQ(again.status, 2);
    EXPECT_NE(again.errors.find("--force"), std::string::npos);
    EXPECT_EQ(RunTool({"demo", "--force", demo}).status, 0);
    EXPECT_EQ(ReadWholeFile(demo), first) << "the demo is the same every time";
}

TEST_F(VelmorSaveTest, HelpNamesEverySubcommand) {
    const auto help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"info", "dump", "set", "apply", "diff", "verify", "demo"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
        EXPECT_EQ(RunTool({command, "--help"}).status, 0) << command;
    }
    EXPECT_EQ(RunTool({}).status, 2) << "a subcommand is required";
    EXPECT_EQ(RunTool({"frobnicate"}).status, 2);
}

}  // namespace
}  // namespace velmor
