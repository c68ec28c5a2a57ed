// A whole file copied to another in pieces of a fixed size, so that no file, however large, is
// ever held in memory.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "savegame/FileSystem.h"

namespace velmor {

// May change a piece of the copy, which begins at `offset` in the file, before it is written.
using PieceEdit = std::function<void(std::uint64_t offset, std::span<std::uint8_t> piece)>;

// Copies `from`, from its first byte to its last, to the same places of `to`.
IoResult<> CopyFile(File& from, File& to, const PieceEdit& edit = {});

}  // namespace velmor
