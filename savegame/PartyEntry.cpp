#include "savegame/PartyEntry.h"

#include <algorithm>

namespace velmor {
namespace {

constexpr int kLastRecord = static_cast<int>(kCharacterCount) - 1;

// A short read leaves the rest of the block as zero bytes rather than as stale data.
IoResult<> ReadBlock(File& file, std::uint64_t offset, std::span<std::uint8_t> block) {
    const auto read = file.readAt(offset, block);
    if (!read) {
        return read.error();
    }
    std::fill(block.begin() + static_cast<std::ptrdiff_t>(*read), block.end(), std::uint8_t{0});
    return {};
}

}  // namespace

IoResult<> ReadParty(File& file, std::uint64_t dataPosition, Party& into, ProgressSink& progress) {
    progress.setProgressRange(0, 1);
    progress.setProgressPosition(0);
    if (auto read = ReadBlock(file, dataPosition + kPartyValuesOffset, into.values.bytes());
        !read) {
        return read;
    }
    progress.setProgressPosition(1);
    progress.setProgressRange(0, kLastRecord);
    if (auto read =
            ReadBlock(file, dataPosition + kCharacterTableOffset, TableBytes(into.characters));
        !read) {
        return read;
    }
    progress.setProgressPosition(kLastRecord);
    return {};
}

void PlaceParty(std::span<std::uint8_t> entryData, const Party& party) {
    const auto& values = party.values.bytes();
    std::copy(values.begin(), values.end(), entryData.subspan(kPartyValuesOffset).begin());
    const auto table = TableBytes(party.characters);
    std::copy(table.begin(), table.end(), entryData.subspan(kCharacterTableOffset).begin());
}

IoResult<> WriteParty(File& file, std::uint64_t dataPosition, const Party& party,
                      ProgressSink& progress) {
    progress.setProgressRange(0, 1);
    progress.setProgressPosition(0);
    if (auto write = file.writeAt(dataPosition + kPartyValuesOffset, party.values.bytes());
        !write) {
        return write;
    }
    progress.setProgressPosition(1);
    progress.setProgressRange(0, kLastRecord);
    if (auto write =
            file.writeAt(dataPosition + kCharacterTableOffset, TableBytes(party.characters));
        !write) {
        return write;
    }
    progress.setProgressPosition(0);
    return {};
}

}  // namespace velmor
