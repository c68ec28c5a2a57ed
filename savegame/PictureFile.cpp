#include "savegame/PictureFile.h"

#include <algorithm>
#include <memory>
#include <span>

namespace velmor {
namespace {

// The picture goes through a buffer of at most this size, in as many pieces as it takes.
constexpr std::size_t kImageCopyLimit = 500'000;

}  // namespace

IoResult<PictureFile> PictureFile::Open(FileSystem& files, const std::filesystem::path& path,
                                        std::optional<FileIdentity> game) {
    auto file = files.openForWriting(path);
    if (!file) {
        return file.error();
    }
    // Opening wrote nothing yet.
    const auto picture = (*file)->identity();
    if (!picture) {
        return picture.error();
    }
    if (game == *picture) {
        return IoError{"\"" + DisplayPath(path) + "\" is the saved game itself"};
    }
    return PictureFile(std::move(*file));
}

IoResult<> PictureFile::copyFrom(File& archive, const ArchiveEntry& entry) {
    const std::size_t bufferSize = std::min<std::size_t>(entry.dataSize(), kImageCopyLimit);
    const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(bufferSize);
    std::uint64_t remaining = entry.dataSize();
    while (remaining > 0) {
        const std::span piece(buffer.get(), std::min<std::uint64_t>(remaining, bufferSize));
        const auto read = archive.readAt(entry.dataPosition() + m_length, piece);
        if (!read) {
            return read.error();
        }
        if (auto write = m_file->writeAt(m_length, piece.first(*read)); !write) {
            return write;
        }
        m_length += *read;
        if (*read < piece.size()) {
            break;  // the archive ends inside the picture
        }
        remaining -= *read;
    }
    return {};
}

IoResult<> PictureFile::finish() {
    if (!m_file) {
        return {};
    }
    auto cut = m_file->setLength(m_length);
    m_file.reset();
    return cut;
}

}  // namespace velmor
