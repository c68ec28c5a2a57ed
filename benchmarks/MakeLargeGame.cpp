// Writes a saved game with 4,999 entries, the most the editor takes, and a 500,000-byte picture,
// for timing velmor-save on it.
#include <iostream>
#include <string>

#include "data/ArchiveBuilder.h"

int main(int argc, char* argv[]) {
    using namespace velmor::test;
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " OUT\n";
        return 2;
    }
    ArchiveBuilder archive;
    archive.entry("header.bin", Bytes(20, 'h')).entry("image.pcx", Noise(500'000, 1));
    for (std::uint32_t i = 3; i < 4999; ++i) {
        archive.entry("map" + std::to_string(i) + ".bin", Noise(16, i));
    }
    archive.entry("party.bin", PartyBuilder().build());
    archive.writeTo(argv[1]);
    return 0;
}
