#include "savegame/FileCopy.h"

#include <memory>

namespace velmor {
namespace {

constexpr std::size_t kPieceSize = 1 << 20;

}  // namespace

IoResult<> CopyFile(File& from, File& to, const PieceEdit& edit) {
    const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(kPieceSize);
    for (std::uint64_t offset = 0;;) {
        const auto read = from.readAt(offset, std::span(buffer.get(), kPieceSize));
        if (!read) {
            return read.error();
        }
        const std::span piece(buffer.get(), *read);
        if (edit) {
            edit(offset, piece);
        }
        if (auto write = to.writeAt(offset, piece); !write) {
            return write;
        }
        if (*read < kPieceSize) {
            return {};
        }
        offset += *read;
    }
}

}  // namespace velmor
