// The files of the player's that the editor opens, reads and writes, behind one small interface:
// the system's own, and in tests one that fails any single operation on purpose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "savegame/Result.h"

namespace velmor {

// A path as UTF-8 text, for messages: on Windows, path::string() would throw for a name that the
// ANSI code page cannot spell.
std::string DisplayPath(const std::filesystem::path& path);

// A file operation that failed, in the player's words: cannot `doing` "path": `why`.
IoError OperationFailed(const char* doing, const std::filesystem::path& path, std::string_view why,
                        bool missing = false);
// The same for an error number of the C library, in its words.
IoError OperationFailed(const char* doing, const std::filesystem::path& path, int error);

// Which file a name leads to: two names with the same identity are one file.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// What any write to a file changes, whoever makes it: a save that finds the stamp of the game as
// it was when the save began knows that nobody wrote to it in between.
struct FileStamp {
    FileIdentity identity;
    std::uint64_t size = 0;
    // When the bytes, and the bytes or anything else of the file, last changed, in nanoseconds.
    std::int64_t modified = 0;
    std::int64_t changed = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// What a file is besides its bytes: all that a new file put in its place has to be as well.
struct FileTraits {
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
    std::uint32_t mode = 0;  // the permissions; on Windows the attributes (read-only, hidden...)
    // Its names: a new file has one, so a file with more cannot be replaced without splitting it.
    std::uint64_t links = 1;
    // Something is mounted there, and a mount point cannot be renamed over.
    bool mountPoint = false;
    // Extended attributes by name, access control lists among them.
    std::map<std::string, std::vector<std::uint8_t>> extended;

    friend bool operator==(const FileTraits&, const FileTraits&) = default;
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

    // The stamp as it is now. Where the system dates changes by a clock that moves in steps, it is
    // read only once the clock has moved past the file's last change, so that a write right after
    // cannot leave the stamp as it was.
    virtual IoResult<FileStamp> stamp() = 0;

    virtual IoResult<FileTraits> traits() = 0;

    // Gives this file, a new one of the editor's, the owner, group, permissions and extended
    // attributes of `traits`, as far as the system lets the editor: what it refuses stays as it
    // was, and traits() tells what came of it.
    virtual IoResult<> takeTraits(const FileTraits& traits) = 0;

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
    // superuser, as a read-only file is on Windows. A failure says why: missing, read-only, in
    // use by another program.
    // `held`, when given, is the file that the editor opened at `path` earlier and has held
    // since: it goes through the same checks and comes back, still locked, while the name leads
    // to it; when the name leads elsewhere now, it is let go and the file there is opened.
    virtual IoResult<FileHandle> openExclusive(const std::filesystem::path& path,
                                               FileHandle held = nullptr) = 0;

    // An existing regular file, for reading only; nothing is locked.
    virtual IoResult<FileHandle> openForReading(const std::filesystem::path& path) = 0;

    // A regular file for writing only, created if missing; never a link, which is refused. What
    // it held stays until it is overwritten or cut short with setLength.
    virtual IoResult<FileHandle> openForWriting(const std::filesystem::path& path) = 0;

    // A new, empty file in the folder of `target`, under a short name that nobody can guess and
    // that nothing stood at before, never through a link; readable and writable by the editor
    // alone, and held by it until it is closed, so that nobody takes it for a leftover.
    virtual IoResult<NewFile> createBeside(const std::filesystem::path& target) = 0;

    // Removes the files that createBeside made in the folder of `target` and that a command
    // stopped half-way left behind: those of the editor's own user that nobody holds.
    virtual void removeLeftoversBeside(const std::filesystem::path& target) = 0;

    // Puts the file `from` in the place of `to` in one step, so that `to` is always either the
    // old file or the whole new one. A link at `to` is replaced, never followed. `current`, when
    // given, is the open file at `to`: it is closed as late as the system allows, after the
    // change where an open file can be replaced, so that its lock holds until then.
    virtual IoResult<> replace(const std::filesystem::path& from, const std::filesystem::path& to,
                               FileHandle current) = 0;

    // Makes the names in the folder of `file`, a new one among them, reach the disk.
    virtual IoResult<> flushFolderOf(const std::filesystem::path& file) = 0;

    virtual IoResult<FileIdentity> identityOf(const std::filesystem::path& path) = 0;

    // Removes a file of the editor's own; nothing happens when it is not there.
    virtual void remove(const std::filesystem::path& path);
};

// The files of the machine the editor runs on.
FileSystem& SystemFiles();

// A name for a new file beside `target`, the same length whatever the target's, that nobody can
// guess: ".velmor-3f9a1c0b2e7d5a48.tmp".
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target);

// Whether `name` is one that TemporaryNameBeside makes.
bool IsTemporaryName(const std::filesystem::path& name);

// A write past the process's limit on file sizes fails and is told like any failed write, rather
// than ending the program on the spot. Called once by each program at its start.
void TellOversizedWritesAsErrors();

}  // namespace velmor
