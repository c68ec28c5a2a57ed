// What the file layer does alike on every platform; the rest is in GameFilePosix.cpp and
// GameFileWin32.cpp.
#include "savegame/GameFile.h"

#include <utility>

namespace velmor {

std::string DisplayPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

GameFile::GameFile(Handle handle, std::filesystem::path path)
    : m_handle(handle), m_path(std::move(path)) {}

GameFile::GameFile(GameFile&& other) noexcept
    : m_handle(std::exchange(other.m_handle, kNoFile)), m_path(std::move(other.m_path)) {}

GameFile& GameFile::operator=(GameFile&& other) noexcept {
    if (this != &other) {
        close();
        m_handle = std::exchange(other.m_handle, kNoFile);
        m_path = std::move(other.m_path);
    }
    return *this;
}

GameFile::~GameFile() {
    close();
}

IoResult<GameFile> GameFile::OpenForWriting(const std::filesystem::path& path) {
    return OpenWriteOnly(path, false);
}

IoResult<GameFile> GameFile::CreateEmpty(const std::filesystem::path& path) {
    return OpenWriteOnly(path, true);
}

}  // namespace velmor
