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
    if (files.strike(doing, flush)) {
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
        return Unless(m_files, "cut", [&] { return m_file->setLength(length); });
    }
    IoResult<> flush() override {
        return Unless(
            m_files, "write to disk", [&] { return m_file->flush(); }, true);
    }
    IoResult<FileIdentity> identity() override {
        return Unless(m_files, "identify", [&] { return m_file->identity(); });
    }
    IoResult<FileStamp> stamp() override {
        return Unless(m_files, "stamp", [&] { return m_file->stamp(); });
    }
    IoResult<FileTraits> traits() override {
        return Unless(m_files, "read the traits", [&] { return m_file->traits(); });
    }
    IoResult<> takeTraits(const FileTraits& traits) override {
        return Unless(m_files, "give traits", [&] { return m_file->takeTraits(traits); });
    }
    IoResult<std::filesystem::path> realPath() override {
        return Unless(m_files, "find", [&] { return m_file->realPath(); });
    }

    // The file as the file system below knows it.
    FileHandle unwrap() { return std::move(m_file); }

private:
    FileHandle m_file;
    FaultyFiles& m_files;
};

}  // namespace

// Only a forked copy of a test is killed, and Windows has no fork.
#ifndef _WIN32
void FaultyFiles::killAt(int nth) {
    runBefore(nth, [] { std::raise(SIGKILL); });
}
#endif

bool FaultyFiles::strike(const char* doing, bool flush) {
    m_operations.emplace_back(doing);
    if (static_cast<int>(m_operations.size()) == m_actAt) {
        m_action();
    }
    m_flushes += flush;
    return static_cast<int>(m_operations.size()) == m_failAt;
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

IoResult<FileHandle> FaultyFiles::openExclusive(const std::filesystem::path& path,
                                                FileHandle held) {
    // A held file comes back from below as it went down, and is wrapped again.
    if (auto* faulty = dynamic_cast<FaultyFile*>(held.get())) {
        held = faulty->unwrap();
    }
    return open(m_inner.openExclusive(path, std::move(held)));
}

IoResult<FileHandle> FaultyFiles::openForReading(const std::filesystem::path& path) {
    return open(m_inner.openForReading(path));
}

IoResult<FileHandle> FaultyFiles::openForWriting(const std::filesystem::path& path) {
    return open(m_inner.openForWriting(path));
}

IoResult<NewFile> FaultyFiles::createBeside(const std::filesystem::path& target) {
    auto made = m_inner.createBeside(target);
    if (!made) {
        return made.error();
    }
    auto file = open(std::move(made->file));
    if (!file) {
        m_inner.remove(made->path);
        return file.error();
    }
    return NewFile{made->path, std::move(*file)};
}

void FaultyFiles::removeLeftoversBeside(const std::filesystem::path& target) {
    if (!strike("remove leftovers")) {
        m_inner.removeLeftoversBeside(target);
    }
}

IoResult<> FaultyFiles::replace(const std::filesystem::path& from, const std::filesystem::path& to,
                                FileHandle current) {
    return Unless(*this, "replace", [&] { return m_inner.replace(from, to, std::move(current)); });
}

IoResult<> FaultyFiles::flushFolderOf(const std::filesystem::path& file) {
    return Unless(
        *this, "write the folder to disk", [&] { return m_inner.flushFolderOf(file); }, true);
}

IoResult<FileIdentity> FaultyFiles::identityOf(const std::filesystem::path& path) {
    return Unless(*this, "find", [&] { return m_inner.identityOf(path); });
}

}  // namespace velmor::test
