// Any bytes, loaded as a saved game: the whole load runs, from the signature to the party, and
// must neither crash, nor read or write outside its buffers, nor change the saved game, and a
// load that fails must say why.
#include "data/ArchiveBuilder.h"
#include "fuzz/FuzzWorkspace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmor;
    static const fuzz::Workspace workspace;
    const LoadOutcome loaded = workspace.load(data, size);

    fuzz::Require(loaded.game || !loaded.messages.empty());
    fuzz::Require(test::ReadWholeFile(workspace.game()) == test::Bytes(data, data + size));
    return 0;
}
