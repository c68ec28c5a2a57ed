// A file of the player's, opened for one command and closed when the command ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "savegame/IoResult.h"

namespace velmor {

// A path as UTF-8 text, for messages: on Windows, path::string() would throw for a name that the
// ANSI code page cannot spell.
std::string DisplayPath(const std::filesystem::path& path);

class GameFile {
public:
    // An existing regular file, for reading and writing: nothing is created or truncated. It is
    // locked for as long as it is open, so two editors never write one saved game at once; a
    // second open of a locked file fails. A file that nobody may write is refused even for the
    // superuser, as a read-only file is on Windows.
    static IoResult<GameFile> OpenExclusive(const std::filesystem::path& path);

    // A file for writing only, created if missing. What it held stays until it is overwritten or
    // cut short with setLength.
    static IoResult<GameFile> OpenForWriting(const std::filesystem::path& path);

    // A file for writing only, created if missing and emptied if present.
    static IoResult<GameFile> CreateEmpty(const std::filesystem::path& path);

    // Puts the file `from` in the place of `to`, in one step, so that `to` is always either the
    // old file or the whole new one, and makes the change reach the disk.
    static IoResult<> Replace(const std::filesystem::path& from, const std::filesystem::path& to);

    GameFile(GameFile&& other) noexcept;
    GameFile& operator=(GameFile&& other) noexcept;
    GameFile(const GameFile&) = delete;
    GameFile& operator=(const GameFile&) = delete;
    ~GameFile();

    IoResult<std::uint64_t> size() const;

    // Reads from `offset`, counted from the start of the file, until the buffer is full or the
    // file ends; answers the count read.
    IoResult<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer);

    // Writes all of the bytes at `offset`, or fails.
    IoResult<> writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);

    // Cuts the file to `length` bytes.
    IoResult<> setLength(std::uint64_t length);

    // Makes what was written reach the disk.
    IoResult<> flush();

    // Closes the file now rather than when the object goes away; closing twice does nothing.
    void close();

private:
    // The platform's own name for an open file: a Windows handle or a POSIX descriptor.
#ifdef _WIN32
    using Handle = void*;
    static constexpr Handle kNoFile = nullptr;
#else
    using Handle = int;
    static constexpr Handle kNoFile = -1;
#endif

    GameFile(Handle handle, std::filesystem::path path);
    static IoResult<GameFile> OpenWriteOnly(const std::filesystem::path& path, bool empty);
    IoError failure(const char* doing) const;

    Handle m_handle = kNoFile;
    std::filesystem::path m_path;
};

}  // namespace velmor
