// A file system for tests that wraps another, the system's by default: the n-th file operation
// fails as a failing disk would, or first runs something of the test's, such as another program's
// write or a kill. Every operation is counted and named, so that a test can list what a command
// does and then strike each of its operations in turn.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "savegame/FileSystem.h"

namespace velmor::test {

class FaultyFiles final : public FileSystem {
public:
    explicit FaultyFiles(FileSystem& inner = SystemFiles()) : m_inner(inner) {}

    // From now on the `nth` operation (counting from 1) fails; 0 fails none. The counts restart.
    void failAt(int nth) { restart(nth, 0, {}); }
    // From now on `action` runs just before the `nth` operation. The counts restart.
    void runBefore(int nth, std::function<void()> action) { restart(0, nth, std::move(action)); }
    // From now on the `nth` operation ends the process at once, before it runs.
    void killAt(int nth);

    // What ran since the last restart: every operation by what it does ("write", "replace"...),
    // and the count of flushes to the disk.
    const std::vector<std::string>& operations() const { return m_operations; }
    int flushes() const { return m_flushes; }

    // Counts the operation and answers whether it must fail.
    bool strike(const char* doing, bool flush = false);

    IoResult<FileHandle> openExclusive(const std::filesystem::path& path, FileHandle held) override;
    IoResult<FileHandle> openForReading(const std::filesystem::path& path) override;
    IoResult<FileHandle> openForWriting(const std::filesystem::path& path) override;
    IoResult<NewFile> createBeside(const std::filesystem::path& target) override;
    void removeLeftoversBeside(const std::filesystem::path& target) override;
    IoResult<> replace(const std::filesystem::path& from, const std::filesystem::path& to,
                       FileHandle current) override;
    IoResult<> flushFolderOf(const std::filesystem::path& file) override;
    IoResult<FileIdentity> identityOf(const std::filesystem::path& path) override;
    void remove(const std::filesystem::path& path) override { m_inner.remove(path); }

private:
    void restart(int failAt, int actAt, std::function<void()> action) {
        m_operations.clear();
        m_flushes = 0;
        m_failAt = failAt;
        m_actAt = actAt;
        m_action = std::move(action);
    }
    IoResult<FileHandle> open(IoResult<FileHandle> opened);

    FileSystem& m_inner;
    std::vector<std::string> m_operations;
    int m_flushes = 0;
    int m_failAt = 0;
    int m_actAt = 0;
    std::function<void()> m_action;
};

}  // namespace velmor::test
