// What the file layer does alike on every platform; the rest is in FileSystemPosix.cpp and
// FileSystemWin32.cpp.
#include "savegame/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string_view>
#include <system_error>

namespace velmor {
namespace {

constexpr std::string_view kTemporaryPrefix = ".velmor-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kTemporaryDigits = 16;

}  // namespace

std::string DisplayPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

IoError OperationFailed(const char* doing, const std::filesystem::path& path, std::string_view why,
                        bool missing) {
    return {std::string("cannot ") + doing + " \"" + DisplayPath(path) + "\": " + std::string(why),
            missing};
}

IoError OperationFailed(const char* doing, const std::filesystem::path& path, int error) {
    return OperationFailed(doing, path, std::strerror(error), error == ENOENT);
}

void FileSystem::remove(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target) {
    static std::mt19937_64 random{std::random_device{}()};
    char digits[kTemporaryDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(random()));
    std::string name(kTemporaryPrefix);
    name += digits;
    name += kTemporarySuffix;
    return target.parent_path() / name;
}

bool IsTemporaryName(const std::filesystem::path& name) {
    const std::string text = DisplayPath(name.filename());
    if (text.size() != kTemporaryPrefix.size() + kTemporaryDigits + kTemporarySuffix.size() ||
        !text.starts_with(kTemporaryPrefix) || !text.ends_with(kTemporarySuffix)) {
        return false;
    }
    const std::string_view digits =
        std::string_view(text).substr(kTemporaryPrefix.size(), kTemporaryDigits);
    return std::all_of(digits.begin(), digits.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

}  // namespace velmor
