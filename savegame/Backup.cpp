#include "savegame/Backup.h"

#include <memory>
#include <span>
#include <system_error>

namespace velmor {
namespace {

constexpr std::size_t kCopyPiece = 1 << 20;

IoResult<> CopyWhole(GameFile& from, GameFile& to) {
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

IoResult<> WriteCopy(GameFile& game, const std::filesystem::path& copy) {
    auto file = GameFile::CreateEmpty(copy);
    if (!file) {
        return file.error();
    }
    if (auto copied = CopyWhole(game, *file); !copied) {
        return copied;
    }
    return file->flush();
}

}  // namespace

std::filesystem::path BackupPathOf(const std::filesystem::path& game) {
    std::filesystem::path backup = game;
    backup += ".bak";
    return backup;
}

IoResult<> WriteBackup(GameFile& game, const std::filesystem::path& backup) {
    std::filesystem::path partial = backup;
    partial += ".new";
    auto written = WriteCopy(game, partial);
    if (written) {
        written = GameFile::Replace(partial, backup);
    }
    if (!written) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
    }
    return written;
}

}  // namespace velmor
