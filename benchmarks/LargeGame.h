// The benchmarks' saved game: as large as the editor takes.
#pragma once

#include <string>

#include "data/ArchiveBuilder.h"

namespace velmor::test {

// A valid saved game of `entries` entries: header.bin, a 500,000-byte image.pcx, small filler
// entries, and party.bin last.
inline ArchiveBuilder LargeGame(std::uint32_t entries) {
    ArchiveBuilder archive;
    archive.entry("header.bin", Bytes(20, 'h')).entry("image.pcx", Noise(500'000, 1));
    for (std::uint32_t i = 3; i < entries; ++i) {
        archive.entry("map" + std::to_string(i) + ".bin", Noise(16, i));
    }
    archive.entry("party.bin", PartyBuilder().build());
    return archive;
}

}  // namespace velmor::test
