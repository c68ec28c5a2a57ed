// The file layer on POSIX systems: plain descriptors, with flock() for the exclusive open.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "savegame/FileSystem.h"

namespace velmor {
namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

// A file without any write bit is read-only even for the superuser, as it is on Windows.
bool ReadOnly(const struct stat& status) {
    return (status.st_mode & kAnyWriteBit) == 0;
}

// A refused open, with the plainest reason.
IoError Refusal(const char* doing, const std::filesystem::path& path, int error) {
    struct stat status {};
    if (error == EACCES && ::stat(path.c_str(), &status) == 0 && ReadOnly(status)) {
        return OperationFailed(doing, path, "it is read-only");
    }
    return OperationFailed(doing, path, error);
}

FileIdentity IdentityOf(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

std::int64_t Nanoseconds(const struct timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// The names of a file's extended attributes, as the system lists them: each ends with a zero. A
// file system without them has none; nothing, with errno set, when they cannot be listed.
std::optional<std::vector<std::string>> ExtendedNames(int descriptor) {
    std::string list;
    for (;;) {
        const ssize_t size = ::flistxattr(descriptor, nullptr, 0);
        if (size < 0 && errno != ENOTSUP) {
            return std::nullopt;
        }
        if (size <= 0) {
            return std::vector<std::string>();
        }
        list.resize(static_cast<std::size_t>(size));
        const ssize_t read = ::flistxattr(descriptor, list.data(), list.size());
        if (read >= 0) {
            list.resize(static_cast<std::size_t>(read));
            break;
        }
        if (errno != ERANGE) {
            return std::nullopt;
        }
        // The list grew in between: ask again.
    }
    std::vector<std::string> names;
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t end = list.find('\0', at);
        names.push_back(list.substr(at, end - at));
        at = end == std::string::npos ? list.size() : end + 1;
    }
    return names;
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

    IoResult<FileStamp> stamp() override {
        // The system dates a change by a clock that moves in ticks of a few milliseconds; a write
        // in the tick of the last change would leave the times as they are. The wait is bounded,
        // in case the clock has been set back.
        for (int wait = 0;; ++wait) {
            const auto status = stat("read");
            if (!status) {
                return status.error();
            }
            const FileStamp stamp{IdentityOf(*status), static_cast<std::uint64_t>(status->st_size),
                                  Nanoseconds(status->st_mtim), Nanoseconds(status->st_ctim)};
            struct timespec now {};
            ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
            if (stamp.changed < Nanoseconds(now) || wait == 50) {
                return stamp;
            }
            const struct timespec millisecond { 0, 1'000'000 };
            ::nanosleep(&millisecond, nullptr);
        }
    }

    IoResult<FileTraits> traits() override {
        const auto status = stat("read");
        if (!status) {
            return status.error();
        }
        FileTraits traits;
        traits.owner = status->st_uid;
        traits.group = status->st_gid;
        traits.mode = status->st_mode & 07777u;
        traits.links = static_cast<std::uint64_t>(status->st_nlink);
        struct statx mount {};
        traits.mountPoint =
            ::statx(m_descriptor, "", AT_EMPTY_PATH, STATX_TYPE, &mount) == 0 &&
            (mount.stx_attributes_mask & mount.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
        const auto names = ExtendedNames(m_descriptor);
        if (!names) {
            return failure("read");
        }
        for (const std::string& name : *names) {
            std::vector<std::uint8_t> value;
            ssize_t size = ::fgetxattr(m_descriptor, name.c_str(), nullptr, 0);
            if (size > 0) {
                value.resize(static_cast<std::size_t>(size));
                size = ::fgetxattr(m_descriptor, name.c_str(), value.data(), value.size());
            }
            if (size < 0) {
                return failure("read");
            }
            value.resize(static_cast<std::size_t>(size));
            traits.extended.emplace(name, std::move(value));
        }
        return traits;
    }

    IoResult<> takeTraits(const FileTraits& traits) override {
        // Another owner only the superuser may give; the owner's own group any member of it.
        // Changing the owner drops the set-user and set-group bits, so the permissions come after
        // it, and after the access control list, which the permissions must agree with.
        (void)!::fchown(m_descriptor, traits.owner, traits.group);
        for (const std::string& name :
             ExtendedNames(m_descriptor).value_or(std::vector<std::string>())) {
            if (!traits.extended.contains(name)) {
                (void)::fremovexattr(m_descriptor, name.c_str());
            }
        }
        for (const auto& [name, value] : traits.extended) {
            (void)::fsetxattr(m_descriptor, name.c_str(), value.data(), value.size(), 0);
        }
        if (::fchmod(m_descriptor, static_cast<mode_t>(traits.mode)) != 0) {
            return failure("write");
        }
        return {};
    }

    IoResult<std::filesystem::path> realPath() override {
        std::error_code error;
        auto real = std::filesystem::canonical(m_path, error);
        if (error) {
            return OperationFailed("find", m_path, error.value());
        }
        struct stat there {};
        if (::stat(real.c_str(), &there) != 0) {
            return OperationFailed("find", real, errno);
        }
        const auto mine = stat("find");
        if (!mine) {
            return mine.error();
        }
        if (!(IdentityOf(there) == IdentityOf(*mine))) {
            return OperationFailed("find", m_path, "another file has taken its name");
        }
        return real;
    }

    // Only the editor's own programs take this lock; they never write a game without it.
    IoResult<> lock() {
        if (::flock(m_descriptor, LOCK_EX | LOCK_NB) != 0) {
            return errno == EWOULDBLOCK
                       ? OperationFailed("open", m_path, "another program is using it")
                       : failure("lock");
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
    IoError failure(const char* doing) const { return OperationFailed(doing, m_path, errno); }

    int m_descriptor;
    std::filesystem::path m_path;
};

// Opens with `flags`, and refuses anything but a regular file. O_NONBLOCK keeps a named pipe
// from hanging the open until it is refused; regular files ignore the flag.
IoResult<std::unique_ptr<PosixFile>> OpenRegular(const std::filesystem::path& path, int flags,
                                                 const char* doing) {
    const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
    if (descriptor < 0) {
        return Refusal(doing, path, errno);
    }
    auto file = std::make_unique<PosixFile>(descriptor, path);
    const auto status = file->stat(doing);
    if (!status) {
        return status.error();
    }
    if (!S_ISREG(status->st_mode)) {
        return OperationFailed(doing, path, "it is not a regular file");
    }
    return file;
}

class PosixFileSystem final : public FileSystem {
public:
    IoResult<FileHandle> openExclusive(const std::filesystem::path& path,
                                       FileHandle held) override {
        // A save puts a new file in the game's place; one opened just before that is no longer
        // the game once it is locked, so it is opened again.
        for (int attempt = 0; attempt < 4; ++attempt) {
            FileHandle file = std::move(held);
            if (!file) {
                auto opened = OpenRegular(path, O_RDWR, "open");
                if (!opened) {
                    return opened.error();
                }
                if (auto locked = (*opened)->lock(); !locked) {
                    return locked.error();
                }
                file = std::move(*opened);
            }
            struct stat there {};
            if (::stat(path.c_str(), &there) != 0) {
                return Refusal("open", path, errno);
            }
            const auto mine = file->identity();
            if (!mine) {
                return mine.error();
            }
            if (IdentityOf(there) == *mine) {
                // Asked again for a file held since: its permissions may have changed meanwhile.
                if (ReadOnly(there) || ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
                    return Refusal("open", path, EACCES);
                }
                return file;
            }
        }
        return OperationFailed("open", path, "it keeps being replaced");
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

    IoResult<NewFile> createBeside(const std::filesystem::path& target) override {
        // O_EXCL refuses any name that is taken, a link included, and follows no link.
        for (int attempt = 0;; ++attempt) {
            auto path = TemporaryNameBeside(target);
            const int descriptor =
                ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (descriptor < 0) {
                if (errno == EEXIST && attempt < 100) {
                    continue;
                }
                return OperationFailed("create a file beside", target, errno);
            }
            auto file = std::make_unique<PosixFile>(descriptor, path);
            // Until the lock, another save may take the new file for a leftover and remove it:
            // then this one makes another.
            if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
                if (errno == EWOULDBLOCK && attempt < 100) {
                    continue;
                }
                const int error = errno;
                ::unlink(path.c_str());
                return OperationFailed("lock", path, error);
            }
            struct stat mine {
            }, there{};
            if (::fstat(descriptor, &mine) == 0 && ::lstat(path.c_str(), &there) == 0 &&
                IdentityOf(mine) == IdentityOf(there)) {
                return NewFile{path, std::move(file)};
            }
            if (attempt >= 100) {
                return OperationFailed("create a file beside", target,
                                       "another program removes them");
            }
        }
    }

    void removeLeftoversBeside(const std::filesystem::path& target) override {
        const auto folder = target.has_parent_path() ? target.parent_path() : ".";
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            if (IsTemporaryName(entry.path())) {
                RemoveIfLeftOver(entry.path());
            }
        }
    }

    IoResult<> replace(const std::filesystem::path& from, const std::filesystem::path& to,
                       FileHandle current) override {
        if (::rename(from.c_str(), to.c_str()) != 0) {
            return OperationFailed("replace", to, errno);
        }
        current.reset();
        return {};
    }

    IoResult<> flushFolderOf(const std::filesystem::path& file) override {
        const auto folder = file.has_parent_path() ? file.parent_path() : ".";
        const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor < 0) {
            return OperationFailed("write to disk", folder, errno);
        }
        const bool flushed = ::fsync(descriptor) == 0;
        const int error = errno;
        ::close(descriptor);
        if (!flushed) {
            return OperationFailed("write to disk", folder, error);
        }
        return {};
    }

    IoResult<FileIdentity> identityOf(const std::filesystem::path& path) override {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) {
            return OperationFailed("find", path, errno);
        }
        return IdentityOf(status);
    }

private:
    // A file that createBeside made is held by its maker until it is closed; one that nobody
    // holds was left by a command that stopped half-way. Only the editor's own user's files go,
    // and only while the name still leads to the file that was found unheld.
    static void RemoveIfLeftOver(const std::filesystem::path& path) {
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (descriptor < 0) {
            return;
        }
        const PosixFile file(descriptor, path);
        struct stat status {
        }, there{};
        if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
            status.st_uid == ::geteuid() && ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 &&
            ::lstat(path.c_str(), &there) == 0 && IdentityOf(there) == IdentityOf(status)) {
            ::unlink(path.c_str());
        }
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
