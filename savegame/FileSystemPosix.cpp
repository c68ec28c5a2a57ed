// The file layer on POSIX systems: plain descriptors, with flock() for the exclusive open.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

#include "savegame/FileSystem.h"

namespace velmor {
namespace {

IoError Failure(const char* doing, const std::filesystem::path& path, int error) {
    return {std::string("cannot ") + doing + " \"" + DisplayPath(path) +
            "\": " + std::strerror(error)};
}

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

class PosixFile final : public File {
public:
    PosixFile(int descriptor, std::filesystem::path path)
        : m_descriptor(descriptor), m_path(std::move(path)) {}
    ~PosixFile() override { ::close(m_descriptor); }  // also releases the lock
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    IoResult<std::uint64_t> size() override {
        struct stat status {};
        if (::fstat(m_descriptor, &status) != 0) {
            return failure("read the size of");
        }
        return static_cast<std::uint64_t>(status.st_size);
    }

    IoResult<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
        std::size_t total = 0;
        while (total < buffer.size()) {
            const ssize_t count =
                ::pread(m_descriptor, buffer.data() + total, buffer.size() - total,
                        static_cast<off_t>(offset + total));
            if (count < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return failure("read");
            }
            if (count == 0) {
                break;  // the end of the file
            }
            total += static_cast<std::size_t>(count);
        }
        return total;
    }

    IoResult<> writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        std::size_t total = 0;
        while (total < bytes.size()) {
            const ssize_t count = ::pwrite(m_descriptor, bytes.data() + total, bytes.size() - total,
                                           static_cast<off_t>(offset + total));
            if (count < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return failure("write");
            }
            total += static_cast<std::size_t>(count);
        }
        return {};
    }

    IoResult<> setLength(std::uint64_t length) override {
        if (::ftruncate(m_descriptor, static_cast<off_t>(length)) != 0) {
            return failure("write");
        }
        return {};
    }

    IoResult<> flush() override {
        if (::fsync(m_descriptor) != 0) {
            return failure("write to disk");
        }
        return {};
    }

private:
    IoError failure(const char* doing) const { return Failure(doing, m_path, errno); }

    int m_descriptor;
    std::filesystem::path m_path;
};

IoResult<FileHandle> OpenWriteOnly(const std::filesystem::path& path, bool empty) {
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (empty ? O_TRUNC : 0);
    const int descriptor = ::open(path.c_str(), flags, 0666);
    if (descriptor < 0) {
        return Failure("create", path, errno);
    }
    return FileHandle(std::make_unique<PosixFile>(descriptor, path));
}

class PosixFileSystem final : public FileSystem {
public:
    IoResult<FileHandle> openExclusive(const std::filesystem::path& path) override {
        // O_NONBLOCK keeps a named pipe chosen by mistake from hanging the open; it is refused
        // below. Regular files ignore the flag, so it stays.
        const int descriptor = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
        if (descriptor < 0) {
            return Failure("open", path, errno);
        }
        auto file = std::make_unique<PosixFile>(descriptor, path);
        struct stat status {};
        if (::fstat(descriptor, &status) != 0) {
            return Failure("open", path, errno);
        }
        if (!S_ISREG(status.st_mode)) {
            return Failure("open", path, EINVAL);
        }
        if ((status.st_mode & kAnyWriteBit) == 0) {
            return Failure("open", path, EACCES);
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            return Failure("lock", path, errno);
        }
        return FileHandle(std::move(file));
    }

    IoResult<FileHandle> openForWriting(const std::filesystem::path& path) override {
        return OpenWriteOnly(path, false);
    }

    IoResult<FileHandle> createEmpty(const std::filesystem::path& path) override {
        return OpenWriteOnly(path, true);
    }

    IoResult<> replace(const std::filesystem::path& from,
                       const std::filesystem::path& to) override {
        if (::rename(from.c_str(), to.c_str()) != 0) {
            return Failure("replace", to, errno);
        }
        // The new name reaches the disk with the folder that holds it.
        const auto folder = to.has_parent_path() ? to.parent_path() : std::filesystem::path(".");
        const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor < 0) {
            return Failure("write to disk", folder, errno);
        }
        const bool synced = ::fsync(descriptor) == 0;
        const int error = errno;
        ::close(descriptor);
        if (!synced) {
            return Failure("write to disk", folder, error);
        }
        return {};
    }

    void remove(const std::filesystem::path& path) override {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

}  // namespace

FileSystem& SystemFiles() {
    static PosixFileSystem files;
    return files;
}

}  // namespace velmor
