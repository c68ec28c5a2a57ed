#include "savegame/TemporaryFile.h"

#include <utility>

namespace velmor {

IoResult<TemporaryFile> TemporaryFile::CreateBeside(FileSystem& files,
                                                    const std::filesystem::path& target) {
    auto made = files.createBeside(target);
    if (!made) {
        return made.error();
    }
    return TemporaryFile(files, std::move(*made), target);
}

TemporaryFile::TemporaryFile(FileSystem& files, NewFile made, std::filesystem::path target)
    : m_files(files),
      m_path(std::move(made.path)),
      m_target(std::move(target)),
      m_file(std::move(made.file)) {}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : m_files(other.m_files),
      m_path(std::exchange(other.m_path, {})),
      m_target(std::move(other.m_target)),
      m_file(std::move(other.m_file)) {}

TemporaryFile::~TemporaryFile() {
    m_file.reset();
    if (!m_path.empty()) {
        m_files.remove(m_path);
    }
}

IoResult<> TemporaryFile::replaceTarget(FileHandle current) {
    // Closed first: Windows renames no open file. On POSIX systems its lock, which told everyone
    // that it is no leftover, ends a moment before the rename; a leftover hunt that comes in
    // between removes it, and the rename fails with nothing lost.
    m_file.reset();
    if (auto replaced = m_files.replace(m_path, m_target, std::move(current)); !replaced) {
        return replaced;
    }
    m_path.clear();
    return {};
}

}  // namespace velmor
