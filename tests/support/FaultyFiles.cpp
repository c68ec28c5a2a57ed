#include "support/FaultyFiles.h"

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
    return ++m_counts[Index(operation)] == m_nth && operation == m_operation;
}

IoResult<FileHandle> FaultyFiles::open(const std::function<IoResult<FileHandle>()>& opening) {
    if (strike(FileOperation::open)) {
        return Planned("open");
    }
    auto file = opening();
    if (!file) {
        return file.error();
    }
    return FileHandle(std::make_unique<FaultyFile>(std::move(*file), *this));
}

IoResult<FileHandle> FaultyFiles::openExclusive(const std::filesystem::path& path) {
    return open([&] { return SystemFiles().openExclusive(path); });
}

IoResult<FileHandle> FaultyFiles::openForWriting(const std::filesystem::path& path) {
    return open([&] { return SystemFiles().openForWriting(path); });
}

IoResult<FileHandle> FaultyFiles::createEmpty(const std::filesystem::path& path) {
    return open([&] { return SystemFiles().createEmpty(path); });
}

IoResult<> FaultyFiles::replace(const std::filesystem::path& from,
                                const std::filesystem::path& to) {
    if (strike(FileOperation::replace)) {
        return Planned("replace");
    }
    return SystemFiles().replace(from, to);
}

void FaultyFiles::remove(const std::filesystem::path& path) {
    SystemFiles().remove(path);
}

}  // namespace velmor::test
