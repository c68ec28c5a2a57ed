#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/ToolRunner.h"
#include "data/ArchiveBuilder.h"
#include "party/ByteOrder.h"
#include "savegame/Messages.h"
#include "savegame/PartyEntry.h"

namespace velmor {
namespace {

using test::ArchiveBuilder;
using test::Bytes;
using test::PartyBuilder;
using test::RecordBuilder;
using test::RunTool;
using Json = nlohmann::ordered_json;

class VelmorSaveTest : public ::testing::Test {
protected:
    std::string write(const ArchiveBuilder& archive, const std::string& name = "game.dkv") {
        return archive.writeTo(dir / name).string();
    }
    Bytes file(const std::string& path) const { return test::ReadWholeFile(path); }
    // Where record i lies in a standard archive.
    static std::uint64_t Record(std::size_t i) {
        return ArchiveBuilder::Standard().dataPosition(2) + kCharacterTableOffset +
               i * kCharacterRecordSize;
    }
    static std::uint64_t PartyValue(std::size_t offset) {
        return ArchiveBuilder::Standard().dataPosition(2) + offset;
    }

    test::TemporaryDirectory dir;
};

TEST_F(VelmorSaveTest, DumpReportsEveryFieldAsStored) {
    RecordBuilder hero(0);
    hero.name("\xC9lodie").infoText("Has seen the sea.").classIndex(5).skill(12, 138).skill(7, 200);
    hero.spellByte(59, 1).spellByte(112, 2);
    std::uint32_t number = 1000;  // in record order; the dump keeps that order
    for (const CharacterNumber field :
         {CharacterNumber::might, CharacterNumber::intellect, CharacterNumber::personality,
          CharacterNumber::endurance, CharacterNumber::speed, CharacterNumber::accuracy,
          CharacterNumber::luck, CharacterNumber::experience, CharacterNumber::skillPoints}) {
        hero.number(field, number++);
    }
    const auto game = write(ArchiveBuilder::Standard(PartyBuilder()
                                                         .value(PartySlot::food, 11)
                                                         .value(PartySlot::slot1, 0xDEADBEEF)
                                                         .value(PartySlot::slot2, 22)
                                                         .value(PartySlot::gold, 33)
                                                         .value(PartySlot::bankGold, 44)
                                                         .record(0, hero.build()),
                                                     "Dune Sea"));
    const auto run = RunTool({"dump", game});
    ASSERT_EQ(run.status, 0) << run.errors;
    Json dump = Json::parse(run.out);

    EXPECT_EQ(dump["header"], "Dune Sea");
    EXPECT_EQ(dump["party"].dump(),
              R"({"food":11,"slot1":3735928559,"slot2":22,"gold":33,"bankGold":44})");
    ASSERT_EQ(dump["characters"].size(), 36u);
    Json& c = dump["characters"][0];
    ASSERT_EQ(c["skills"].size(), 39u);
    ASSERT_EQ(c["spells"].size(), 132u);
    EXPECT_EQ(c["skills"][12].dump(),
              R"({"index":12,"name":"Fire Magic","mastery":"Master","level":10,"stored":138})");
    EXPECT_EQ(c["skills"][7].dump(), R"({"index":7,"name":"<unused_skill_1>",)"
                                     R"("mastery":"Grandmaster","level":-56,"stored":200})");
    EXPECT_EQ(c["spells"][59].dump(), R"({"index":59,"name":"Charm","learned":true,"stored":1})");
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

// Exactly the bytes asked for, with the window's caps and a warning for each, and a backup.
TEST_F(VelmorSaveTest, SetChangesExactlyItsBytes) {
    const auto game = write(ArchiveBuilder::Standard(
        PartyBuilder().record(2, RecordBuilder(2).classIndex(4).spellByte(59, 0).build())));
    const Bytes original = file(game);
    const auto run =
        RunTool({"set", game, "party.gold=5000", "party.food=10000000",
                 "party.bankGold=99999999999", "characters.3.speed=201",
                 "characters.3.accuracy=202", "characters.1.might=256", "characters.1.luck=255",
                 "characters.1.experience=1000000000", "characters.1.skillPoints=60001",
                 "characters.0.skills.12=Expert:10", "characters.1.skills.0=Grandmaster:75",
                 "characters.2.spells.59=learned", "characters.2.promoted=true"});
    ASSERT_EQ(run.status, 0) << run.errors;

    Bytes expected = original;
    WriteU32(expected, PartyValue(1860), 5000);
    WriteU32(expected, PartyValue(1848), 9'999'999);
    WriteU32(expected, PartyValue(1864), 9'999'999);
    WriteU32(expected, Record(3) + 708, 201);
    WriteU32(expected, Record(3) + 712, 202);
    WriteU32(expected, Record(1) + 692, 255);
    WriteU32(expected, Record(1) + 716, 255);
    WriteU32(expected, Record(1), 999'999'999);
    WriteU32(expected, Record(1) + 6996, 60'000);
    WriteU16(expected, Record(0) + 728 + 24, 74);
    WriteU16(expected, Record(1) + 728, 316);
    expected[Record(2) + 870 + 59] = 1;
    expected[Record(2) + 690] = 5;
    EXPECT_EQ(file(game), expected);
    EXPECT_EQ(file(game + ".bak"), original);
    EXPECT_NE(run.out.find("characters.2.promoted: false (Knight) -> true (Champion)\n"),
              std::string::npos)
        << run.out;
    for (const char* capped :
         {"party.food", "party.bankGold", "characters.1.might", "characters.1.experience",
          "characters.1.skillPoints", "characters.1.skills.0"}) {
        EXPECT_NE(run.errors.find(std::string("warning: ") + capped), std::string::npos) << capped;
    }
    EXPECT_EQ(run.errors.find("characters.1.luck"), std::string::npos) << "255 is no cap";
}

TEST_F(VelmorSaveTest, DryRunAndBadAssignmentsWriteNothing) {
    const auto game = write(ArchiveBuilder::Standard());
    const Bytes original = file(game);
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
    EXPECT_EQ(file(game), original);
    EXPECT_FALSE(std::filesystem::exists(game + ".bak"));
}

TEST_F(VelmorSaveTest, ApplyChangesOnlyTheFieldsPresent) {
    // Values the editor would cap, and a skill of negative level, survive an unchanged dump.
    const auto game =
        write(ArchiveBuilder::Standard(PartyBuilder()
                                           .record(0, RecordBuilder(0)
                                                          .number(CharacterNumber::might, 1000)
                                                          .skill(3, 200)
                                                          .skill(4, 400)
                                                          .classIndex(20)
                                                          .build())
                                           .record(4, RecordBuilder(4).classIndex(4).build())));
    const Bytes original = file(game);
    const auto dump = RunTool({"dump", game});
    test::WriteWholeFile(dir / "same.json", Bytes(dump.out.begin(), dump.out.end()));
    const auto same = RunTool({"apply", game, (dir / "same.json").string()});
    EXPECT_EQ(same.status, 0) << same.errors;
    EXPECT_EQ(same.out + same.errors, "");
    EXPECT_EQ(file(game), original);

    const std::string changes = R"({"party": {"bankGold": 77},
        "characters": [{"index": 4, "luck": 300, "promoted": true,
                        "skills": [{"index": 38, "mastery": "Master", "level": 5}],
                        "spells": [{"index": 131, "learned": true}]}]})";
    test::WriteWholeFile(dir / "changes.json", Bytes(changes.begin(), changes.end()));
    const auto run = RunTool({"apply", game, (dir / "changes.json").string()});
    ASSERT_EQ(run.status, 0) << run.errors;
    Bytes expected = original;
    WriteU32(expected, PartyValue(1864), 77);
    WriteU32(expected, Record(4) + 716, 255);
    expected[Record(4) + 690] = 5;
    WriteU16(expected, Record(4) + 804, 133);
    expected[Record(4) + 1001] = 1;
    EXPECT_EQ(file(game), expected);
    EXPECT_NE(run.errors.find("warning: characters.4.luck: 300 is above the limit of 255"),
              std::string::npos);
}

TEST_F(VelmorSaveTest, ApplyRefusesReadOnlyAndUnknownFields) {
    const auto game = write(ArchiveBuilder::Standard());
    const Bytes original = file(game);
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
    };
    for (const auto& [document, message] : cases) {
        test::WriteWholeFile(dir / "bad.json", Bytes(document.begin(), document.end()));
        const auto run = RunTool({"apply", game, (dir / "bad.json").string()});
        EXPECT_EQ(run.status, 2) << document;
        EXPECT_NE(run.errors.find(message), std::string::npos) << run.errors;
    }
    EXPECT_EQ(file(game), original);
}

TEST_F(VelmorSaveTest, DiffListsExactlyTheChangedFields) {
    const auto archive = ArchiveBuilder::Standard(
        PartyBuilder()
            .record(0, RecordBuilder(0).spellByte(59, 0).build())
            .record(3, RecordBuilder(3).number(CharacterNumber::might, 40).build()));
    const auto a = write(archive, "a.dkv");
    const auto b = write(archive, "b.dkv");
    const auto same = RunTool({"diff", a, b});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");

    ASSERT_EQ(RunTool({"set", b, "characters.3.might=255", "characters.0.spells.59=learned",
                       "party.food=5"})
                  .status,
              0);
    Bytes changed = file(b);
    changed[Record(5) + 5000] ^= 0xFF;  // game data the editor does not read
    changed[100] ^= 0xFF;               // outside party.bin
    test::WriteWholeFile(b, changed);

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

struct Unusual {
    const char* story;
    ArchiveBuilder archive;
    std::string finding;
};

TEST_F(VelmorSaveTest, VerifyFlagsEachUnusualThing) {
    const auto clean = RunTool({"verify", write(ArchiveBuilder::Standard())});
    EXPECT_EQ(clean.status, 0) << clean.out << clean.errors;
    EXPECT_NE(clean.out.find("clean"), std::string::npos);

    const auto party = [] { return PartyBuilder().build(); };
    const Unusual cases[] = {
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
        {"class byte above 15",
         ArchiveBuilder::Standard(
             PartyBuilder().record(4, RecordBuilder(4).classIndex(20).build())),
         "characters.4: class byte 20 names no class"},
        {"negative skill level",
         ArchiveBuilder::Standard(PartyBuilder().record(0, RecordBuilder(0).skill(3, 200).build())),
         "characters.0.skills.3: stored 200 reads as level -56"},
        {"spell byte neither 0 nor 1",
         ArchiveBuilder::Standard(
             PartyBuilder().record(1, RecordBuilder(1).spellByte(7, 9).build())),
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
    const std::pair<std::string, std::string_view> cases[] = {
        {(dir / "missing.dkv").string(), messages::kCannotOpenFile},
        {write(ArchiveBuilder::Standard().signature("ZIP"), "zip.dkv"), messages::kInvalidFile},
        {write(ArchiveBuilder::Standard().entryCount(0), "empty.dkv"), messages::kNoInformation},
        {write(ArchiveBuilder().entry("header.bin", Bytes(20)), "noparty.dkv"),
         messages::kNoPartyEntryOnLoad},
        {write(ArchiveBuilder().entry("party.bin", PartyBuilder().size(1000).build()), "small.dkv"),
         messages::kPartyEntryTooSmall},
    };
    for (const auto& [game, message] : cases) {
        for (const char* command : {"info", "dump", "verify"}) {
            const auto run = RunTool({command, game});
            EXPECT_EQ(run.status, 2) << command << " " << game;
            EXPECT_NE(run.errors.find(message), std::string::npos) << run.errors;
            EXPECT_EQ(run.out, "") << command;
        }
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

    const Bytes first = file(demo);
    const auto again = RunTool({"demo", demo});
    EXPECT_EQ(again.status, 2);
    EXPECT_NE(again.errors.find("--force"), std::string::npos);
    EXPECT_EQ(RunTool({"demo", "--force", demo}).status, 0);
    EXPECT_EQ(file(demo), first) << "the demo is the same every time";
}

TEST_F(VelmorSaveTest, HelpNamesEverySubcommand) {
    const auto help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"info", "dump", "set", "apply", "diff", "verify", "demo"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
        EXPECT_EQ(RunTool({command, "--help"}).status, 0) << command;
    }
    EXPECT_NE(RunTool({"set", "--help"}).out.find("Mastery:Level"), std::string::npos);
    EXPECT_EQ(RunTool({}).status, 2) << "a subcommand is required";
    EXPECT_EQ(RunTool({"frobnicate"}).status, 2);
}

}  // namespace
}  // namespace velmor
