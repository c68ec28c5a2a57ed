// A file system held in memory, for the fuzzers and for tests that need no real disk: files by
// path, with the locks, stamps, traits and one-step replacement that a save relies on, and no
// folders or links. A file that a name no longer leads to lives on for the handles still open on
// it, as on a POSIX system. Open files must not outlive the file system.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "savegame/FileSystem.h"

namespace velmor::test {

class MemoryFiles final : public FileSystem {
public:
    struct Node;

    // Puts `bytes` in the file at `path`, as another program's write would: an existing file
    // keeps its identity and takes a new stamp, a missing one is made.
    void write(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
    // The bytes of the file at `path`; nothing when there is none.
    std::optional<std::vector<std::uint8_t>> read(const std::filesystem::path& path) const;
    // Whether there is a file at `path` holding exactly `bytes`; it copies nothing.
    bool holds(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) const;
    // Takes every write bit away, so that neither an exclusive open nor a write is let in.
    void makeReadOnly(const std::filesystem::path& path);
    // Every name that leads to a file, in order.
    std::vector<std::filesystem::path> paths() const;

    IoResult<FileHandle> openExclusive(const std::filesystem::path& path, FileHandle held) override;
    IoResult<FileHandle> openForReading(const std::filesystem::path& path) override;
    IoResult<FileHandle> openForWriting(const std::filesystem::path& path) override;
    IoResult<NewFile> createBeside(const std::filesystem::path& target) override;
    void removeLeftoversBeside(const std::filesystem::path& target) override;
    IoResult<> replace(const std::filesystem::path& from, const std::filesystem::path& to,
                       FileHandle current) override;
    IoResult<> flushFolderOf(const std::filesystem::path&) override { return {}; }
    IoResult<FileIdentity> identityOf(const std::filesystem::path& path) override;
    void remove(const std::filesystem::path& path) override { m_files.erase(path); }

    // The file that `path` leads to now; nothing when there is none.
    std::shared_ptr<Node> find(const std::filesystem::path& path) const;

private:
    std::shared_ptr<Node> make(const std::filesystem::path& path, std::uint32_t mode);

    std::map<std::filesystem::path, std::shared_ptr<Node>> m_files;
    std::uint64_t m_made = 0;
};

}  // namespace velmor::test
