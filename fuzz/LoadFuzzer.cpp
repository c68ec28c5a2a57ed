// Any bytes, loaded as a saved game: the whole load runs, from the signature to the party, and
// must neither crash, nor read or write outside its buffers, nor change the saved game, and a
// load that fails must say why.
#include "fuzz/FuzzWorkspace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmor;
    static fuzz::Workspace workspace;
    const std::span input(data, size);
    const LoadOutcome loaded = workspace.load(input);

    fuzz::Require(loaded.game || !loaded.messages.empty());
    fuzz::Require(workspace.files().holds(workspace.game(), input));
    fuzz::Require(workspace.holdsOnlyTheGamesFiles());
    return 0;
}
