// The system's files, with a switch for tests: the n-th operation of one kind fails as a failing
// disk would. Every operation is counted, so that a test can count what a command does and then
// make each of its operations fail in turn.
#pragma once

#include <array>
#include <cstddef>

#include "savegame/FileSystem.h"

namespace velmor::test {

enum class FileOperation { open, read, write, flush, size, setLength, replace, identity };
inline constexpr std::size_t kFileOperationCount = 8;

class FaultyFiles final : public FileSystem {
public:
    // From now on the `nth` operation of this kind (counting from 1) fails; the counts restart.
    void arm(FileOperation operation, int nth);
    // Nothing fails any more; the counts restart.
    void disarm() { arm(FileOperation::open, 0); }
    // From now on the `nth` operation of any kind (counting from 1) ends the process at once, as a
    // kill or a power cut would, before the operation runs.
    void killAt(int nth) {
        m_operations = 0;
        m_killAt = nth;
    }
    // How many operations of this kind ran since the last arm or disarm.
    int count(FileOperation operation) const { return m_counts[Index(operation)]; }

    // Counts the operation and answers whether it must fail.
    bool strike(FileOperation operation);

    IoResult<FileHandle> openExclusive(const std::filesystem::path& path) override;
    IoResult<FileHandle> openForReading(const std::filesystem::path& path) override;
    IoResult<FileHandle> openForWriting(const std::filesystem::path& path) override;
    IoResult<NewFile> createBeside(const std::filesystem::path& target,
                                   const std::filesystem::path& like) override;
    IoResult<> replace(const std::filesystem::path& from, const std::filesystem::path& to,
                       FileHandle current) override;
    IoResult<FileIdentity> identityOf(const std::filesystem::path& path) override;
    void remove(const std::filesystem::path& path) override;

private:
    static std::size_t Index(FileOperation operation) {
        return static_cast<std::size_t>(operation);
    }
    IoResult<FileHandle> open(IoResult<FileHandle> opened);

    std::array<int, kFileOperationCount> m_counts{};
    FileOperation m_operation = FileOperation::open;
    int m_nth = 0;
    int m_operations = 0;  // of any kind, since killAt
    int m_killAt = 0;
};

}  // namespace velmor::test
