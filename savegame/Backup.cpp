#include "savegame/Backup.h"

#include <memory>
#include <span>

namespace velmor {
namespace {

constexpr std::size_t kCopyPiece = 1 << 20;

IoResult<> CopyWhole(File& from, File& to) {
    const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(kCopyPiece);
    const std::span piece(buffer.get(), kCopyPiece);
    for (std::uint64_t offset = 0;;) {
        const auto read = from.readAt(offset, piece);
        if (!read) {
            return read.error();
        }
        if (auto write = to.writeAt(offset, piece.first(*read)); !write) {
            return write;
        }
        if (*read < piece.size()) {
            return {};
        }
        offset += *read;
    }
}

IoResult<> WriteCopy(FileSystem& files, File& game, const std::filesystem::path& copy) {
    auto file = files.createEmpty(copy);
    if (!file) {
        return file.error();
    }
    if (auto copied = CopyWhole(game, **file); !copied) {
        return copied;
    }
    return (*file)->flush();
}

}  // namespace

std::filesystem::path BackupPathOf(const std::filesystem::path& game) {
    std::filesystem::path backup = game;
    backup += ".bak";
    return backup;
}

IoResult<> WriteBackup(FileSystem& files, File& game, const std::filesystem::path& backup) {
    std::filesystem::path partial = backup;
    partial += ".new";
    auto written = WriteCopy(files, game, partial);
    if (written) {
        written = files.replace(partial, backup);
    }
    if (!written) {
        files.remove(partial);
    }
    return written;
}

}  // namespace velmor
