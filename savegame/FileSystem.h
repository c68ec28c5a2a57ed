// The files of the player's that the editor opens, reads and writes, behind one small interface:
// the system's own, and in tests one that fails any single operation on purpose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "savegame/Result.h"

namespace velmor {

// A path as UTF-8 text, for messages: on Windows, path::string() would throw for a name that the
// ANSI code page cannot spell.
std::string DisplayPath(const std::filesystem::path& path);

// Which file a name leads to: two names with the same identity are one file.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// An open file, closed when the object goes away.
class File {
public:
    virtual ~File() = default;

    virtual IoResult<std::uint64_t> size() = 0;

    // Reads from `offset`, counted from the start of the file, until the buffer is full or the
    // file ends; answers the count read.
    virtual IoResult<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) = 0;

    // Writes all of the bytes at `offset`, or fails.
    virtual IoResult<> writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) = 0;

    // Cuts the file to `length` bytes.
    virtual IoResult<> setLength(std::uint64_t length) = 0;

    // Makes what was written reach the disk.
    virtual IoResult<> flush() = 0;

    virtual IoResult<FileIdentity> identity() = 0;

    // Where this file is, every link resolved; fails when the name it was opened by no longer
    // leads to it.
    virtual IoResult<std::filesystem::path> realPath() = 0;
};

using FileHandle = std::unique_ptr<File>;

// A file that a command has just made, and its name.
struct NewFile {
    std::filesystem::path path;
    FileHandle file;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // An existing regular file, for reading and writing: nothing is created or truncated. It is
    // locked for as long as it is open, so two editors never write one saved game at once; a
    // second open of a locked file fails. A file that nobody may write is refused even for the
    // superuser, as a read-only file is on Windows.
    virtual IoResult<FileHandle> openExclusive(const std::filesystem::path& path) = 0;

    // An existing regular file, for reading only; nothing is locked.
    virtual IoResult<FileHandle> openForReading(const std::filesystem::path& path) = 0;

    // A regular file for writing only, created if missing; never a link, which is refused. What
    // it held stays until it is overwritten or cut short with setLength.
    virtual IoResult<FileHandle> openForWriting(const std::filesystem::path& path) = 0;

    // A new, empty file in the folder of `target`, under a name that nobody else has and that
    // nothing stood at before, never through a link; with the permissions of `like` as far as the
    // system lets the editor give them.
    virtual IoResult<NewFile> createBeside(const std::filesystem::path& target,
                                           const std::filesystem::path& like) = 0;

    // Puts the file `from` in the place of `to` in one step, so that `to` is always either the
    // old file or the whole new one, and makes the change reach the disk. A link at `to` is
    // replaced, never followed. `current`, when given, is the open file at `to`: it is closed as
    // late as the system allows, after the change where an open file can be replaced, so that
    // its lock holds until then.
    virtual IoResult<> replace(const std::filesystem::path& from, const std::filesystem::path& to,
                               FileHandle current) = 0;

    virtual IoResult<FileIdentity> identityOf(const std::filesystem::path& path) = 0;

    // Removes a file of the editor's own; nothing happens when it is not there.
    virtual void remove(const std::filesystem::path& path);
};

// The files of the machine the editor runs on.
FileSystem& SystemFiles();

// A name for a new file beside `target` that nobody can guess, for the file layers:
// ".game.dkv.3f9a1c0b2e7d5a48.new".
std::filesystem::path UnguessableNameBeside(const std::filesystem::path& target);

// A write past the process's limit on file sizes fails and is told like any failed write, rather
// than ending the program on the spot. Called once by each program at its start.
void TellOversizedWritesAsErrors();

}  // namespace velmor
