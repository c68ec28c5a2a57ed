#include "cli/DemoGame.h"

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "party/ByteFields.h"
#include "party/GameVocabulary.h"
#include "party/Party.h"
#include "party/SkillValue.h"
#include "savegame/PartyEntry.h"
#include "savegame/SavedGameArchive.h"

namespace velmor::cli {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Western Windows text: \xC9 is É.
constexpr std::array<std::string_view, kCharacterCount> kNames = {
    "Aldric", "Brynna",  "Cedric",  "Daphne",   "\xC9lodie", "Faelan",   "Garrick", "Hesper",
    "Isolde", "Jorund",  "Kestrel", "Lysandra", "Mordecai",  "Nerissa",  "Osric",   "Perrin",
    "Quenby", "Rowan",   "Sabine",  "Thorne",   "Ulric",     "Vesna",    "Wystan",  "Xanthe",
    "Yorick", "Zephyra", "Ansel",   "Briony",   "Corwin",    "Delphine", "Evander", "Fenella",
    "Gideon", "Halcyon", "Ingrid",  "Jasper",
};

void PutText(std::span<std::uint8_t> bytes, std::size_t offset, std::string_view text) {
    std::copy(text.begin(), text.end(), bytes.subspan(offset, text.size()).begin());
}

// A 64 x 40 picture in 8-bit PCX: a dusk sky over green hills.
Bytes PreviewPicture() {
    constexpr std::uint16_t kWidth = 64;
    constexpr std::uint16_t kHeight = 40;
    Bytes pcx(128, 0);
    pcx[0] = 10;  // the PCX mark
    pcx[1] = 5;   // version
    pcx[2] = 1;   // run-length encoded
    pcx[3] = 8;   // bits per pixel
    WriteU16(pcx, 8, kWidth - 1);
    WriteU16(pcx, 10, kHeight - 1);
    WriteU16(pcx, 12, 72);
    WriteU16(pcx, 14, 72);
    pcx[65] = 1;  // planes
    WriteU16(pcx, 66, kWidth);
    WriteU16(pcx, 68, 1);  // a colour palette
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int hill = 28 + static_cast<int>(4 * ((x * 7 % 23) / 23.0));
            const auto colour = static_cast<std::uint8_t>(y >= hill ? 200 + (x + y) % 8 : y * 4);
            pcx.push_back(0xC1);  // a run of one, so that every colour is safe to write
            pcx.push_back(colour);
        }
    }
    pcx.push_back(12);  // the palette follows
    for (int i = 0; i < 256; ++i) {
        const bool ground = i >= 200;
        pcx.push_back(static_cast<std::uint8_t>(ground ? 40 : 30 + i * 1.2));
        pcx.push_back(static_cast<std::uint8_t>(ground ? 110 + (i - 200) * 8 : 20 + i));
        pcx.push_back(static_cast<std::uint8_t>(ground ? 50 : 90 + i));
    }
    return pcx;
}

CharacterRecord DemoCharacter(std::size_t i) {
    const auto classIndex = static_cast<std::uint8_t>(i % kClassCount);
    CharacterRecord::Bytes bytes{};
    PutText(bytes, fields::kName.offset, kNames[i]);
    PutText(bytes, fields::kInfoText.offset,
            std::string(kNames[i]) + ", " + std::string(kClassNames[classIndex]) +
                ", of the demo party. Try promoting, teaching a spell or two, "
                "and saving.");
    CharacterRecord record(bytes);
    record.setClassIndex(classIndex);
    const auto base = static_cast<std::uint32_t>(10 + (i * 37) % 90);
    const PartyField* statistics[] = {
        &fields::kMight, &fields::kIntellect, &fields::kPersonality, &fields::kEndurance,
        &fields::kSpeed, &fields::kAccuracy,  &fields::kLuck};
    for (std::size_t s = 0; s < std::size(statistics); ++s) {
        record.setNumber(*statistics[s], base + static_cast<std::uint32_t>((s * 13 + i * 7) % 60));
    }
    record.setNumber(fields::kExperience, static_cast<std::uint32_t>(1000 + i * 12'345));
    record.setNumber(fields::kSkillPoints, static_cast<std::uint32_t>(i * 3 % 40));

    // Weapons and armour for everyone; the class's own magic school, with its first spells.
    const Mastery masteries[] = {Mastery::Normal, Mastery::Expert, Mastery::Master,
                                 Mastery::Grandmaster};
    for (std::size_t k = 0; k < 12; k += 3 + i % 2) {
        record.setSkill(
            k, EncodeSkill(masteries[(i + k) % 4], static_cast<std::int32_t>(1 + (i + k) % 12)));
    }
    const std::size_t school = (i / 2) % 12;
    record.setSkill(12 + school,
                    EncodeSkill(masteries[i % 4], static_cast<std::int32_t>(4 + i % 9)));
    for (std::size_t s = 0; s < 3 + i % 8; ++s) {
        record.setSpellLearned(school * kSpellsPerSchool + s, true);
    }
    return record;
}

Bytes PartyEntryData() {
    const auto party = std::make_unique<Party>();  // too large for the stack
    party->values.setNumber(fields::kFood, 120);
    party->values.setNumber(fields::kSlot1, 7);
    party->values.setNumber(fields::kSlot2, 3);
    party->values.setNumber(fields::kGold, 54'321);
    party->values.setNumber(fields::kBankGold, 100'000);
    for (std::size_t i = 0; i < kCharacterCount; ++i) {
        party->characters[i] = DemoCharacter(i);
    }
    Bytes data(kPartyEntryMinimumSize + 1000, 0);
    PlaceParty(data, 0, 0, *party);
    return data;
}

}  // namespace

Bytes DemoGame() {
    Bytes header(100, 0);
    PutText(header, 0, "Demo of Velmor");
    const std::pair<std::string_view, Bytes> entries[] = {
        {"header.bin", header}, {"image.pcx", PreviewPicture()}, {"party.bin", PartyEntryData()}};

    Bytes file(kArchiveDataBase + std::size(entries) * kArchiveEntrySize, 0);
    PutText(file, 0, "LOD");
    PutText(file, kLeadRecordOffset, "demo");
    WriteU32(file, kEntryCountOffset, static_cast<std::uint32_t>(std::size(entries)));
    for (std::size_t i = 0; i < std::size(entries); ++i) {
        ArchiveEntry record;
        record.setName(entries[i].first);
        record.setDataOffset(static_cast<std::uint32_t>(file.size() - kArchiveDataBase));
        record.setDataSize(static_cast<std::uint32_t>(entries[i].second.size()));
        std::copy(
            record.bytes.begin(), record.bytes.end(),
            file.begin() + static_cast<std::ptrdiff_t>(kArchiveDataBase + i * kArchiveEntrySize));
        file.insert(file.end(), entries[i].second.begin(), entries[i].second.end());
    }
    return file;
}

}  // namespace velmor::cli
