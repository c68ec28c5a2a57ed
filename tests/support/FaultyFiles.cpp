#include "support/FaultyFiles.h"

#include <csignal>
#include <string>

namespace velmor::test {
namespace {

IoError Planned(const char* doing) {
    return {std::string("cannot ") + doing + ": Input/output error (planned by the test)"};
}

// A file whose every operation is first counted by the file system it came from.
class FaultyFile final : public File {
public:
    FaultyFile(FileHandle file, FaultyFiles& files) : m_file(std::move(file)), m_files(files) {}

    IoResult<std::uint64_t> size() override {
        if (m_files.strike(FileOperation::size)) {
            return Planned("read the size");
        }
        return m_file->size();
    }
    IoResult<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
        if (m_files.strike(FileOperation::read)) {
            return Planned("read");
        }
        return m_file->readAt(offset, buffer);
    }
    IoResult<> writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        if (m_files.strike(FileOperation::write)) {
            return Planned("write");
        }
        return m_file->writeAt(offset, bytes);
    }
    IoResult<> setLength(std::uint64_t length) override {
        if (m_files.strike(FileOperation::setLength)) {
            return Planned("write");
        }
        return m_file->setLength(length);
    }
    IoResult<> flush() override {
        if (m_files.strike(FileOperation::flush)) {
            return Planned("write to disk");
        }
        return m_file->flush();
    }
    IoResult<FileIdentity> identity() override {
        if (m_files.strike(FileOperation::identity)) {
            return Planned("read");
        }
        return m_file->identity();
    }

private:
    FileHandle m_file;
    FaultyFiles& m_files;
};

}  // namespace

void FaultyFiles::arm(FileOperation operation, int nth) {
    m_counts = {};
    m_operation = operation;
    m_nth = nth;
}

bool FaultyFiles::strike(FileOperation operation) {
    if (++m_operations == m_killAt) {
        std::raise(SIGKILL);
    }
    return ++m_counts[Index(operation)] == m_nth && operation == m_operation;
}

// The open has happened already, so that a planned failure leaves what a real one would.
IoResult<FileHandle> FaultyFiles::open(IoResult<FileHandle> opened) {
    if (strike(FileOperation::open)) {
        return Planned("open");
    }
    if (!opened) {
        return opened.error();
    }
    return FileHandle(std::make_unique<FaultyFile>(std::move(*opened), *this));
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
    if (strike(FileOperation::replace)) {
        return Planned("replace");
    }
    return SystemFiles().replace(from, to, std::move(current));
}

IoResult<FileIdentity> FaultyFiles::identityOf(const std::filesystem::path& path) {
    if (strike(FileOperation::identity)) {
        return Planned("find");
    }
    return SystemFiles().identityOf(path);
}

void FaultyFiles::remove(const std::filesystem::path& path) {
    SystemFiles().remove(path);
}

}  // namespace velmor::test
