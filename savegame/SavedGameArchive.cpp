#include "savegame/SavedGameArchive.h"

#include <algorithm>
#include <cassert>
#include <type_traits>

#include "party/ByteOrder.h"

namespace velmor {

std::string_view ArchiveEntry::name() const {
    const auto* begin = bytes.data();
    const auto* end = std::find(begin, begin + kArchiveEntryNameSize, std::uint8_t{0});
    return {reinterpret_cast<const char*>(begin), static_cast<std::size_t>(end - begin)};
}

std::uint32_t ArchiveEntry::dataOffset() const {
    return ReadU32(bytes, 16);
}

std::uint32_t ArchiveEntry::dataSize() const {
    return ReadU32(bytes, 20);
}

IoResult<bool> HasArchiveSignature(GameFile& file) {
    std::array<std::uint8_t, 3> signature{};
    const auto count = file.readAt(0, signature);
    if (!count) {
        return count.error();
    }
    return *count == signature.size() && signature == std::array<std::uint8_t, 3>{'L', 'O', 'D'};
}

IoResult<std::uint32_t> ReadEntryCount(GameFile& file) {
    std::array<std::uint8_t, 4> count{};
    if (auto read = file.readAt(kEntryCountOffset, count); !read) {
        return read.error();
    }
    return ReadU32(count, 0);
}

IoResult<ArchiveDirectory> ReadDirectory(GameFile& file, std::uint32_t count) {
    assert(count <= kMaxEntryCount);
    ArchiveDirectory directory{count, std::vector<ArchiveEntry>(std::size_t{count} + 1)};
    // The records are read straight into place: they are plain bytes, back to back.
    static_assert(sizeof(ArchiveEntry) == kArchiveEntrySize);
    static_assert(std::is_trivially_copyable_v<ArchiveEntry>);
    const std::span<std::uint8_t> bytes(reinterpret_cast<std::uint8_t*>(directory.records.data()),
                                        directory.records.size() * kArchiveEntrySize);
    if (auto read = file.readAt(kLeadRecordOffset, bytes); !read) {
        return read.error();
    }
    return directory;
}

std::optional<std::size_t> FindEntry(const ArchiveDirectory& directory, std::string_view name) {
    // Looks for the name in all 16 bytes first, which the compiler turns into a tight loop, and
    // only then makes sure that the match lies before the record's zero byte: a directory can
    // hold thousands of records and almost none of them match.
    assert(name.find('\0') == std::string_view::npos);
    for (std::size_t j = 0; j < directory.records.size(); ++j) {
        const auto* bytes = reinterpret_cast<const char*>(directory.records[j].bytes.data());
        const auto* nameEnd = bytes + kArchiveEntryNameSize;
        const auto* match = std::search(bytes, nameEnd, name.begin(), name.end());
        if (match != nameEnd && std::find(bytes, match, '\0') == match) {
            return j;
        }
    }
    return std::nullopt;
}

}  // namespace velmor
