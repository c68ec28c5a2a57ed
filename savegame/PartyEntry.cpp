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

// Copies the part of `block`, which belongs at `blockAt`, that falls inside `bytes`.
void Overlay(std::span<std::uint8_t> bytes, std::uint64_t bytesAt,
             std::span<const std::uint8_t> block, std::uint64_t blockAt) {
    const std::uint64_t from = std::max(bytesAt, blockAt);
    const std::uint64_t to = std::min(bytesAt + bytes.size(), blockAt + block.size());
    if (from < to) {
        std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(from - blockAt), to - from,
                    bytes.begin() + static_cast<std::ptrdiff_t>(from - bytesAt));
    }
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

IoResult<> WriteParty(File& file, std::uint64_t dataPosition, const Party& party,
                      ProgressSink& progress) {
    progress.setProgressRange(0, 1);
    progress.setProgressPosition(0);
    if (auto written = file.writeAt(dataPosition + kPartyValuesOffset, party.values.bytes());
        !written) {
        return written;
    }
    progress.setProgressPosition(1);
    progress.setProgressRange(0, kLastRecord);
    if (auto written =
            file.writeAt(dataPosition + kCharacterTableOffset, TableBytes(party.characters));
        !written) {
        return written;
    }
    progress.setProgressPosition(kLastRecord);
    return {};
}

void PlaceParty(std::span<std::uint8_t> bytes, std::uint64_t bytesAt, std::uint64_t dataPosition,
                const Party& party) {
    Overlay(bytes, bytesAt, party.values.bytes(), dataPosition + kPartyValuesOffset);
    Overlay(bytes, bytesAt, TableBytes(party.characters), dataPosition + kCharacterTableOffset);
}

}  // namespace velmor
