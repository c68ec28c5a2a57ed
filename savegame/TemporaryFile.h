// A file made beside the one it is to replace, and removed again unless it takes that one's
// place, so that a command that stops half-way leaves nothing behind.
#pragma once

#include <filesystem>

#include "savegame/FileSystem.h"

namespace velmor {

class TemporaryFile {
public:
    // A new file in the folder of `target`, under a short name that nobody can guess, readable
    // and writable by the editor alone.
    static IoResult<TemporaryFile> CreateBeside(FileSystem& files,
                                                const std::filesystem::path& target);

    TemporaryFile(TemporaryFile&& other) noexcept;
    TemporaryFile& operator=(TemporaryFile&&) = delete;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();

    File& file() { return *m_file; }

    // Puts the file, flushed to the disk by now, in the target's place in one step. `current` is
    // the file open at the target, if any; it is closed on the way. The new name reaches the disk
    // once the folder is flushed (FileSystem::flushFolderOf).
    IoResult<> replaceTarget(FileHandle current = nullptr);

private:
    TemporaryFile(FileSystem& files, NewFile made, std::filesystem::path target);

    FileSystem& m_files;
    std::filesystem::path m_path;  // empty once the file has taken the target's place
    std::filesystem::path m_target;
    FileHandle m_file;
};

}  // namespace velmor
