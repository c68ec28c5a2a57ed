// Any bytes, loaded and then saved back with one edit: the save may write only the party values
// and the records inside party.bin, so the file must come back exactly as it was but for the
// edited gold, and never longer.
#include "data/ArchiveBuilder.h"
#include "fuzz/FuzzWorkspace.h"
#include "party/ByteOrder.h"
#include "savegame/Backup.h"
#include "savegame/GameCommands.h"
#include "savegame/SavedGameArchive.h"

namespace {

// Where party.bin's data lies, found as the save finds it.
std::uint64_t PartyPosition(const std::filesystem::path& game) {
    using namespace velmor;
    auto file = GameFile::OpenExclusive(game);
    fuzz::Require(file.ok());
    const auto count = ReadEntryCount(*file);
    fuzz::Require(count.ok() && *count <= kMaxEntryCount);
    const auto directory = ReadDirectory(*file, *count);
    fuzz::Require(directory.ok());
    const auto party = FindEntry(*directory, "party.bin");
    fuzz::Require(party.has_value());
    return directory->records[*party].dataPosition();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmor;
    static const fuzz::Workspace workspace;
    GameSession session = workspace.start(data, size);
    test::AgreeingPlayer player(workspace.game());
    if (!LoadGame(player, session)) {
        return 0;
    }
    const std::uint32_t gold = session.party.working.values.value(PartySlot::gold) + 1;
    session.party.working.values.setValue(PartySlot::gold, gold);
    if (!SaveGame(player, session)) {
        return 0;
    }

    test::Bytes expected(data, data + size);
    WriteU32(expected, PartyPosition(workspace.game()) + 1860, gold);
    fuzz::Require(test::ReadWholeFile(workspace.game()) == expected);
    fuzz::Require(test::ReadWholeFile(BackupPathOf(workspace.game())) ==
                  test::Bytes(data, data + size));
    return 0;
}
