// Any bytes, loaded and then saved back with one edit: the save may write only the party values
// and the records inside party.bin, so the file must come back exactly as it was but for the
// edited gold, and never longer.
#include "data/ArchiveBuilder.h"
#include "fuzz/FuzzWorkspace.h"
#include "party/ByteFields.h"
#include "savegame/Backup.h"
#include "savegame/PartyEntry.h"
#include "savegame/SavedGameArchive.h"

namespace {

// Where party.bin's data lies, found as the save finds it.
std::uint64_t PartyPosition(const std::filesystem::path& game) {
    using namespace velmor;
    auto file = SystemFiles().openExclusive(game);
    fuzz::Require(file.ok());
    const auto count = ReadEntryCount(**file);
    fuzz::Require(count.ok() && *count <= kMaxEntryCount);
    const auto directory = ReadDirectory(**file, *count);
    fuzz::Require(directory.ok());
    const auto party = FindEntry(*directory, "party.bin");
    fuzz::Require(party.has_value());
    return directory->records[*party].dataPosition();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmor;
    static const fuzz::Workspace workspace;
    const LoadOutcome loaded = workspace.load(data, size);
    if (!loaded.game) {
        return 0;
    }
    const std::uint32_t gold = loaded.game->party().values.number(fields::kGold) + 1;
    loaded.game->party().values.setNumber(fields::kGold, gold);
    if (!loaded.game->save()) {
        return 0;
    }

    test::Bytes expected(data, data + size);
    WriteU32(expected, PartyPosition(workspace.game()) + kPartyValuesOffset + fields::kGold.offset,
             gold);
    fuzz::Require(test::ReadWholeFile(workspace.game()) == expected);
    fuzz::Require(test::ReadWholeFile(BackupPathOf(workspace.game())) ==
                  test::Bytes(data, data + size));
    return 0;
}
