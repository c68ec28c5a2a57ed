// Any bytes, loaded and then saved back with one edit: the save may write only the party values
// and the records inside party.bin, so the file must come back exactly as it was but for the
// edited gold, and never longer; a save that fails leaves it as it was. Either way nothing is
// left beside the game.
#include "data/ArchiveBuilder.h"
#include "fuzz/FuzzWorkspace.h"
#include "party/ByteFields.h"
#include "savegame/PartyEntry.h"
#include "savegame/SavedGameArchive.h"

namespace {

// Where party.bin's data lies, found as the save finds it.
std::uint64_t PartyPosition(velmor::FileSystem& files, const std::filesystem::path& game) {
    using namespace velmor;
    auto file = files.openExclusive(game);
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
    static fuzz::Workspace workspace;
    test::MemoryFiles& files = workspace.files();
    const std::span input(data, size);
    const LoadOutcome loaded = workspace.load(input);
    if (!loaded.game) {
        return 0;
    }
    const std::uint32_t gold = loaded.game->party().values.number(fields::kGold) + 1;
    loaded.game->party().values.setNumber(fields::kGold, gold);
    const bool saved = loaded.game->save().ok();
    fuzz::Require(workspace.holdsOnlyTheGamesFiles());
    if (!saved) {
        fuzz::Require(files.holds(workspace.game(), input));
        return 0;
    }

    test::Bytes expected(input.begin(), input.end());
    WriteU32(expected,
             PartyPosition(files, workspace.game()) + kPartyValuesOffset + fields::kGold.offset,
             gold);
    fuzz::Require(files.holds(workspace.game(), expected));
    fuzz::Require(files.holds(BackupPathOf(workspace.game()), input));
    return 0;
}
