// A fresh directory for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace velmor::test {

class TemporaryDirectory {
public:
    // Under a name that no other test, running at the same time, has taken.
    TemporaryDirectory() {
        static std::mt19937_64 random{std::random_device{}()};
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = std::filesystem::temp_directory_path() /
                     ("velmor-test-" + std::to_string(random() % 1'000'000'000'000));
            std::error_code error;
            if (std::filesystem::create_directory(m_path, error)) {
                std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, error);
                return;
            }
        }
        throw std::runtime_error("cannot create a temporary directory");
    }
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// A test may have taken its own rights away from the directory, or, on Windows, which removes no
// read-only file, made one read-only.
inline TemporaryDirectory::~TemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
#ifdef _WIN32
    for (std::filesystem::recursive_directory_iterator file(m_path, ignored), end; file != end;
         file.increment(ignored)) {
        std::filesystem::permissions(file->path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
    }
#endif
    std::filesystem::remove_all(m_path, ignored);
}

}  // namespace velmor::test
