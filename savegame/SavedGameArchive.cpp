#include "savegame/SavedGameArchive.h"

#include <algorithm>
#include <cassert>
#include <span>
#include <type_traits>

#include "party/ByteFields.h"

namespace velmor {
namespace {

// Where a directory record keeps its numbers.
constexpr std::size_t kDataOffsetAt = 16;
constexpr std::size_t kDataSizeAt = 20;

}  // namespace

std::string_view ArchiveEntry::name() const {
    return ReadText(bytes, 0, kArchiveEntryNameSize);
}

std::uint32_t ArchiveEntry::dataOffset() const {
    return ReadU32(bytes, kDataOffsetAt);
}

std::uint32_t ArchiveEntry::dataSize() const {
    return ReadU32(bytes, kDataSizeAt);
}

void ArchiveEntry::setName(std::string_view name) {
    const auto field = std::span(bytes).first(kArchiveEntryNameSize);
    std::fill(field.begin(), field.end(), std::uint8_t{0});
    std::copy_n(name.begin(), std::min(name.size(), field.size()), field.begin());
}

void ArchiveEntry::setDataOffset(std::uint32_t offset) {
    WriteU32(bytes, kDataOffsetAt, offset);
}

void ArchiveEntry::setDataSize(std::uint32_t size) {
    WriteU32(bytes, kDataSizeAt, size);
}

IoResult<bool> HasArchiveSignature(File& file) {
    std::array<std::uint8_t, 3> signature{};
    const auto count = file.readAt(0, signature);
    if (!count) {
        return count.error();
    }
    return *count == signature.size() && signature == std::array<std::uint8_t, 3>{'L', 'O', 'D'};
}

IoResult<std::uint32_t> ReadEntryCount(File& file) {
    std::array<std::uint8_t, 4> count{};
    if (auto read = file.readAt(kEntryCountOffset, count); !read) {
        return read.error();
    }
    return ReadU32(count, 0);
}

IoResult<ArchiveDirectory> ReadDirectory(File& file, std::uint32_t count) {
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
    assert(name.find('\0') == std::string_view::npos);
    for (std::size_t j = 0; j < directory.records.size(); ++j) {
        const auto* bytes = reinterpret_cast<const char*>(directory.records[j].bytes.data());
        const std::string_view stored(bytes, kArchiveEntryNameSize);
        if (stored.substr(0, stored.find('\0')).find(name) != std::string_view::npos) {
            return j;
        }
    }
    return std::nullopt;
}

}  // namespace velmor
