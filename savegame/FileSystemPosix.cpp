// The file layer on POSIX systems: plain descriptors, with flock() for the exclusive open.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
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

FileIdentity IdentityOf(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

class PosixFile final : public File {
public:
    PosixFile(int descriptor, std::filesystem::path path)
        : m_descriptor(descriptor), m_path(std::move(path)) {}
    ~PosixFile() override { ::close(m_descriptor); }  // also releases the lock
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    IoResult<std::uint64_t> size() override {
        const auto status = stat("read the size of");
        if (!status) {
            return status.error();
        }
        return static_cast<std::uint64_t>(status->st_size);
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

    IoResult<FileIdentity> identity() override {
        const auto status = stat("read");
        if (!status) {
            return status.error();
        }
        return IdentityOf(*status);
    }

    IoResult<std::filesystem::path> realPath() override {
        std::error_code error;
        auto real = std::filesystem::canonical(m_path, error);
        if (error) {
            return Failure("find", m_path, error.value());
        }
        struct stat there {};
        if (::stat(real.c_str(), &there) != 0) {
            return Failure("find", real, errno);
        }
        const auto mine = stat("find");
        if (!mine) {
            return mine.error();
        }
        if (!(IdentityOf(there) == IdentityOf(*mine))) {
            return Failure("find", m_path, ESTALE);  // another file has taken its name
        }
        return real;
    }

    IoResult<> lock() {
        if (::flock(m_descriptor, LOCK_EX | LOCK_NB) != 0) {
            return failure("lock");
        }
        return {};
    }

    IoResult<struct stat> stat(const char* doing) const {
        struct stat status {};
        if (::fstat(m_descriptor, &status) != 0) {
            return failure(doing);
        }
        return status;
    }

private:
    IoError failure(const char* doing) const { return Failure(doing, m_path, errno); }

    int m_descriptor;
    std::filesystem::path m_path;
};

// Opens with `flags`, and refuses anything but a regular file. O_NONBLOCK keeps a named pipe
// from hanging the open until it is refused; regular files ignore the flag.
IoResult<std::unique_ptr<PosixFile>> OpenRegular(const std::filesystem::path& path, int flags,
                                                 const char* doing) {
    const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
    if (descriptor < 0) {
        return Failure(doing, path, errno);
    }
    auto file = std::make_unique<PosixFile>(descriptor, path);
    const auto status = file->stat(doing);
    if (!status) {
        return status.error();
    }
    if (!S_ISREG(status->st_mode)) {
        return Failure(doing, path, EINVAL);
    }
    return file;
}

class PosixFileSystem final : public FileSystem {
public:
    IoResult<FileHandle> openExclusive(const std::filesystem::path& path) override {
        // A save puts a new file in the game's place; one opened just before that is no longer
        // the game once it is locked, so it is opened again.
        for (int attempt = 0; attempt < 4; ++attempt) {
            auto file = OpenRegular(path, O_RDWR, "open");
            if (!file) {
                return file.error();
            }
            const auto status = (*file)->stat("open");
            if (!status) {
                return status.error();
            }
            if ((status->st_mode & kAnyWriteBit) == 0) {
                return Failure("open", path, EACCES);
            }
            if (auto locked = (*file)->lock(); !locked) {
                return locked.error();
            }
            const auto now = identityOf(path);
            if (!now) {
                return now.error();
            }
            if (*now == IdentityOf(*status)) {
                return FileHandle(std::move(*file));
            }
        }
        return Failure("open", path, EAGAIN);
    }

    IoResult<FileHandle> openForReading(const std::filesystem::path& path) override {
        auto file = OpenRegular(path, O_RDONLY, "open");
        if (!file) {
            return file.error();
        }
        return FileHandle(std::move(*file));
    }

    IoResult<FileHandle> openForWriting(const std::filesystem::path& path) override {
        auto file = OpenRegular(path, O_WRONLY | O_CREAT | O_NOFOLLOW, "create");
        if (!file) {
            return file.error();
        }
        return FileHandle(std::move(*file));
    }

    IoResult<NewFile> createBeside(const std::filesystem::path& target,
                                   const std::filesystem::path& like) override {
        // O_EXCL refuses any name that is taken, a link included, and follows no link.
        for (int attempt = 0;; ++attempt) {
            auto path = UnguessableNameBeside(target);
            const int descriptor =
                ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (descriptor < 0) {
                if (errno == EEXIST && attempt < 100) {
                    continue;
                }
                return Failure("create a file beside", target, errno);
            }
            struct stat model {};
            if (::stat(like.c_str(), &model) == 0) {
                // The owner can only be passed on by the superuser; the permissions always.
                (void)!::fchown(descriptor, model.st_uid, model.st_gid);
                (void)!::fchmod(descriptor, model.st_mode & 07777);
            }
            return NewFile{path, std::make_unique<PosixFile>(descriptor, path)};
        }
    }

    IoResult<> replace(const std::filesystem::path& from, const std::filesystem::path& to,
                       FileHandle current) override {
        if (::rename(from.c_str(), to.c_str()) != 0) {
            return Failure("replace", to, errno);
        }
        current.reset();
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

    IoResult<FileIdentity> identityOf(const std::filesystem::path& path) override {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) {
            return Failure("find", path, errno);
        }
        return IdentityOf(status);
    }
};

}  // namespace

FileSystem& SystemFiles() {
    static PosixFileSystem files;
    return files;
}

void TellOversizedWritesAsErrors() {
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace velmor
