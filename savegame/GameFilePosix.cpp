// The file layer on POSIX systems: plain descriptors, with flock() for the exclusive open.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "savegame/FileFaults.h"
#include "savegame/GameFile.h"

namespace velmor {
namespace {

IoError Failure(const char* doing, const std::filesystem::path& path, int error) {
    return {std::string("cannot ") + doing + " \"" + DisplayPath(path) +
            "\": " + std::strerror(error)};
}

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

// A test's planned failure, reported as the disk's own input/output error.
bool Injected(FileOperation operation) {
    if (FileFaults::Strike(operation)) {
        errno = EIO;
        return true;
    }
    return false;
}

}  // namespace

void GameFile::close() {
    if (m_handle != kNoFile) {
        ::close(m_handle);  // also releases the lock
        m_handle = kNoFile;
    }
}

IoError GameFile::failure(const char* doing) const {
    return Failure(doing, m_path, errno);
}

IoResult<GameFile> GameFile::OpenExclusive(const std::filesystem::path& path) {
    // O_NONBLOCK keeps a named pipe chosen by mistake from hanging the open; it is refused below.
    // Regular files ignore the flag, so it stays.
    const int descriptor =
        Injected(FileOperation::open) ? -1 : ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        return Failure("open", path, errno);
    }
    GameFile file(descriptor, path);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        return file.failure("open");
    }
    if (!S_ISREG(status.st_mode)) {
        return Failure("open", path, EINVAL);
    }
    if ((status.st_mode & kAnyWriteBit) == 0) {
        return Failure("open", path, EACCES);
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        return file.failure("lock");
    }
    return file;
}

IoResult<GameFile> GameFile::OpenWriteOnly(const std::filesystem::path& path, bool empty) {
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (empty ? O_TRUNC : 0);
    const int descriptor = Injected(FileOperation::open) ? -1 : ::open(path.c_str(), flags, 0666);
    if (descriptor < 0) {
        return Failure("create", path, errno);
    }
    return GameFile(descriptor, path);
}

IoResult<> GameFile::Replace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (Injected(FileOperation::replace) || ::rename(from.c_str(), to.c_str()) != 0) {
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

IoResult<std::uint64_t> GameFile::size() const {
    struct stat status {};
    if (Injected(FileOperation::size) || ::fstat(m_handle, &status) != 0) {
        return failure("read the size of");
    }
    return static_cast<std::uint64_t>(status.st_size);
}

IoResult<std::size_t> GameFile::readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) {
    std::size_t total = 0;
    while (total < buffer.size()) {
        const ssize_t count = Injected(FileOperation::read)
                                  ? -1
                                  : ::pread(m_handle, buffer.data() + total, buffer.size() - total,
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

IoResult<> GameFile::writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    std::size_t total = 0;
    while (total < bytes.size()) {
        const ssize_t count = Injected(FileOperation::write)
                                  ? -1
                                  : ::pwrite(m_handle, bytes.data() + total, bytes.size() - total,
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

IoResult<> GameFile::setLength(std::uint64_t length) {
    if (Injected(FileOperation::setLength) ||
        ::ftruncate(m_handle, static_cast<off_t>(length)) != 0) {
        return failure("write");
    }
    return {};
}

IoResult<> GameFile::flush() {
    if (Injected(FileOperation::flush) || ::fsync(m_handle) != 0) {
        return failure("write to disk");
    }
    return {};
}

}  // namespace velmor
