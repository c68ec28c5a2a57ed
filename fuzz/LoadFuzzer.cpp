// Any bytes, loaded as a saved game: the whole load runs, from the signature to the party, and
// must neither crash, nor read or write outside its buffers, nor change the saved game.
#include "data/ArchiveBuilder.h"
#include "fuzz/FuzzWorkspace.h"
#include "savegame/GameCommands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmor;
    static const fuzz::Workspace workspace;
    GameSession session = workspace.start(data, size);
    test::AgreeingPlayer player(workspace.game());
    const PartyCopy before = session.party.working;
    const bool loaded = LoadGame(player, session);

    fuzz::Require(loaded || session.party.working == before);
    fuzz::Require(test::ReadWholeFile(workspace.game()) == test::Bytes(data, data + size));
    return 0;
}
