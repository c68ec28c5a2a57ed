// What the file layer does alike on every platform; the rest is in FileSystemPosix.cpp and
// FileSystemWin32.cpp.
#include "savegame/FileSystem.h"

namespace velmor {

std::string DisplayPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace velmor
