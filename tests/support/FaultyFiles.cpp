#include "support/FaultyFiles.h"

#include <csignal>
#include <string>

namespace velmor::test {
namespace {

IoError Planned(const char* doing) {
    return {std::string("cannot ") + doing + ": Input/output error (planned by the test)"};
}

// Runs `operation`, unless the file system makes this one fail.
template <typename Operation>
auto Unless(FaultyFiles& files, const char* doing, Operation operation, bool flush = false)
    -> decltype(operation()) {
    if (files.strike(flush)) {
        return Planned(doing);
    }
    return operation();
}

// A file whose every operation is first counted by the file system it came from.
class FaultyFile final : public File {
public:
    FaultyFile(FileHandle file, FaultyFiles& files) : m_file(std::move(file)), m_files(files) {}

    IoResult<std::uint64_t> size() override {
        return Unless(m_files, "read the size", [&] { return m_file->size(); });
    }
    IoResult<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
        return Unless(m_files, "read", [&] { return m_file->readAt(offset, buffer); });
    }
    IoResult<> writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        return Unless(m_files, "write", [&] { return m_file->writeAt(offset, bytes); });
    }
    IoResult<> setLength(std::uint64_t length) override {
        return Unless(m_files, "write", [&] { return m_file->setLength(length); });
    }
    IoResult<> flush() override {
        return Unless(
            m_files, "write to disk", [&] { return m_file->flush(); }, true);
    }
    IoResult<FileIdentity> identity() override {
        return Unless(m_files, "read", [&] { return m_file->identity(); });
    }
    IoResult<std::filesystem::path> realPath() override {
        return Unless(m_files, "find", [&] { return m_file->realPath(); });
    }

private:
    FileHandle m_file;
    FaultyFiles& m_files;
};

}  // namespace

bool FaultyFiles::strike(bool flush) {
    if (++m_operations == m_killAt) {
        std::raise(SIGKILL);
    }
    m_flushes += flush;
    return m_operations == m_failAt;
}

// The open has happened already, so that a planned failure leaves what a real one would.
IoResult<FileHandle> FaultyFiles::open(IoResult<FileHandle> opened) {
    return Unless(*this, "open", [&]() -> IoResult<FileHandle> {
        if (!opened) {
            return opened.error();
        }
        return FileHandle(std::make_unique<FaultyFile>(std::move(*opened), *this));
    });
}

IoResult<FileHandle> FaultyFiles::openExclusive(const std::filesystem::path& path) {
    return open(SystemFiles().openExclusive(path));
}

IoResult<FileHandle> FaultyFiles::openForReading(const std::filesystem::path& path) {
    return open(SystemFiles().openForReading(path));
}

IoResult<FileHandle> FaultyFiles::openForWriting(const std::filesystem::path& path) {
    return open(SystemFiles().openForWriting(path));
}

IoResult<NewFile> FaultyFiles::createBeside(const std::filesystem::path& target,
                                            const std::filesystem::path& like) {
    auto made = SystemFiles().createBeside(target, like);
    if (!made) {
        return made.error();
    }
    auto file = open(std::move(made->file));
    if (!file) {
        SystemFiles().remove(made->path);
        return file.error();
    }
    return NewFile{made->path, std::move(*file)};
}

IoResult<> FaultyFiles::replace(const std::filesystem::path& from, const std::filesystem::path& to,
                                FileHandle current) {
    return Unless(*this, "replace",
                  [&] { return SystemFiles().replace(from, to, std::move(current)); });
}

IoResult<FileIdentity> FaultyFiles::identityOf(const std::filesystem::path& path) {
    return Unless(*this, "find", [&] { return SystemFiles().identityOf(path); });
}

}  // namespace velmor::test
