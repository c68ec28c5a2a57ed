// What the file layer does alike on every platform; the rest is in FileSystemPosix.cpp and
// FileSystemWin32.cpp.
#include "savegame/FileSystem.h"

#include <cstdio>
#include <random>
#include <system_error>

namespace velmor {

std::string DisplayPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

void FileSystem::remove(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

std::filesystem::path UnguessableNameBeside(const std::filesystem::path& target) {
    static std::mt19937_64 random{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.new", static_cast<unsigned long long>(random()));
    std::filesystem::path name = ".";
    name += target.filename();
    name += suffix;
    return target.parent_path() / name;
}

}  // namespace velmor
