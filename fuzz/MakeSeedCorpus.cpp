// Writes the fuzzers' first inputs into a folder: saved games made by the test-data builder, good
// ones and damaged ones, so that the fuzzers start from what the editor meets.
#include <iostream>

#include "data/ArchiveBuilder.h"

int main(int argc, char* argv[]) {
    using namespace velmor::test;
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const auto small = [] { return PartyBuilder().size(271'404).build(); };
    const std::pair<const char*, ArchiveBuilder> seeds[] = {
        {"standard", ArchiveBuilder::Standard()},
        {"party-first",
         ArchiveBuilder().entry("party.bin", small()).entry("header.bin", Bytes(20, 'h'))},
        {"lead-record", ArchiveBuilder().leadRecord("party.bin").entry("x", small())},
        {"no-header-no-picture", ArchiveBuilder().entry("party.bin", small())},
        {"long-names", ArchiveBuilder()
                           .entry("header.bin.16chr", Bytes(20, 'x'))
                           .entry("image.pcx.16char", Noise(64, 1))
                           .entry("party.bin.16char", small())},
        {"short-party", ArchiveBuilder().entry("party.bin", PartyBuilder().size(3000).build())},
        {"count-4999", ArchiveBuilder::Standard().entryCount(4999)},
        {"count-5000", ArchiveBuilder::Standard().entryCount(5000)},
        {"cut-in-directory", ArchiveBuilder::Standard().truncate(300)},
        {"only-header", ArchiveBuilder().truncate(288)},
    };
    for (const auto& [name, archive] : seeds) {
        archive.writeTo(folder / name);
    }
    return 0;
}
