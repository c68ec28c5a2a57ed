// The system's files, with a switch for tests: the n-th file operation fails as a failing disk
// would, or ends the process as a kill or a power cut would. Every operation is counted, so that a
// test can count what a command does and then strike each of its operations in turn.
#pragma once

#include "savegame/FileSystem.h"

namespace velmor::test {

class FaultyFiles final : public FileSystem {
public:
    // From now on the `nth` operation (counting from 1) fails; 0 fails none. The counts restart.
    void failAt(int nth) { restart(nth, 0); }
    // From now on the `nth` operation ends the process at once, before it runs.
    void killAt(int nth) { restart(0, nth); }
    // What ran since the last failAt or killAt: all operations, and the flushes to the disk.
    int operations() const { return m_operations; }
    int flushes() const { return m_flushes; }

    // Counts the operation and answers whether it must fail.
    bool strike(bool flush = false);

    IoResult<FileHandle> openExclusive(const std::filesystem::path& path) override;
    IoResult<FileHandle> openForReading(const std::filesystem::path& path) override;
    IoResult<FileHandle> openForWriting(const std::filesystem::path& path) override;
    IoResult<NewFile> createBeside(const std::filesystem::path& target,
                                   const std::filesystem::path& like) override;
    IoResult<> replace(const std::filesystem::path& from, const std::filesystem::path& to,
                       FileHandle current) override;
    IoResult<FileIdentity> identityOf(const std::filesystem::path& path) override;

private:
    void restart(int failAt, int killAt) {
        m_operations = m_flushes = 0;
        m_failAt = failAt;
        m_killAt = killAt;
    }
    IoResult<FileHandle> open(IoResult<FileHandle> opened);

    int m_operations = 0;
    int m_flushes = 0;
    int m_failAt = 0;
    int m_killAt = 0;
};

}  // namespace velmor::test
