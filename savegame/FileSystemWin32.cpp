// The file layer on Windows: file handles, opened with no sharing at all for the exclusive open,
// as the game's own tools open a saved game.
#include <windows.h>

#include <algorithm>
#include <string>
#include <system_error>
#include <utility>

#include "savegame/FileSystem.h"

namespace velmor {
namespace {

// Why a file could not be used, in the same plain words as on other systems where there are
// such; in the system's own words otherwise.
std::string Why(const std::filesystem::path& path, DWORD error) {
    switch (error) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return "another program is using it";
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return "No such file or directory";
        case ERROR_ACCESS_DENIED:
            if (const DWORD attributes = ::GetFileAttributesW(path.c_str());
                attributes != INVALID_FILE_ATTRIBUTES) {
                if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
                    return "Is a directory";
                }
                if (attributes & FILE_ATTRIBUTE_READONLY) {
                    return "it is read-only";
                }
            }
            break;
        default:
            break;
    }
    return std::system_category().message(static_cast<int>(error));
}

IoError Failure(const char* doing, const std::filesystem::path& path, DWORD error) {
    return OperationFailed(doing, path, Why(path, error),
                           error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
}

// Where a positioned read or write starts.
OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

// Reads and writes go in pieces that a DWORD can count.
constexpr std::size_t kLargestPiece = 1u << 30;

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& information) {
    return {information.dwVolumeSerialNumber,
            std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow};
}

class WindowsFile final : public File {
public:
    WindowsFile(HANDLE handle, std::filesystem::path path)
        : m_handle(handle), m_path(std::move(path)) {}
    ~WindowsFile() override { ::CloseHandle(m_handle); }
    WindowsFile(const WindowsFile&) = delete;
    WindowsFile& operator=(const WindowsFile&) = delete;

    IoResult<std::uint64_t> size() override {
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(m_handle, &size)) {
            return failure("read the size of");
        }
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    IoResult<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
        std::size_t total = 0;
        while (total < buffer.size()) {
            OVERLAPPED at = At(offset + total);
            DWORD count = 0;
            const auto piece = static_cast<DWORD>(std::min(buffer.size() - total, kLargestPiece));
            if (!::ReadFile(m_handle, buffer.data() + total, piece, &count, &at)) {
                if (::GetLastError() == ERROR_HANDLE_EOF) {
                    break;
                }
                return failure("read");
            }
            if (count == 0) {
                break;  // the end of the file
            }
            total += count;
        }
        return total;
    }

    IoResult<> writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        std::size_t total = 0;
        while (total < bytes.size()) {
            OVERLAPPED at = At(offset + total);
            DWORD count = 0;
            const auto piece = static_cast<DWORD>(std::min(bytes.size() - total, kLargestPiece));
            if (!::WriteFile(m_handle, bytes.data() + total, piece, &count, &at)) {
                return failure("write");
            }
            total += count;
        }
        return {};
    }

    IoResult<> setLength(std::uint64_t length) override {
        LARGE_INTEGER end{};
        end.QuadPart = static_cast<LONGLONG>(length);
        if (!::SetFilePointerEx(m_handle, end, nullptr, FILE_BEGIN) || !::SetEndOfFile(m_handle)) {
            return failure("write");
        }
        return {};
    }

    IoResult<> flush() override {
        if (!::FlushFileBuffers(m_handle)) {
            return failure("write to disk");
        }
        return {};
    }

    IoResult<FileIdentity> identity() override {
        const auto information = this->information();
        if (!information) {
            return information.error();
        }
        return IdentityOf(*information);
    }

    // Nobody else can write a file that the editor holds with no sharing, so the stamp needs no
    // wait for the clock.
    IoResult<FileStamp> stamp() override {
        const auto information = this->information();
        FILE_BASIC_INFO times{};
        if (!information ||
            !::GetFileInformationByHandleEx(m_handle, FileBasicInfo, &times, sizeof times)) {
            return failure("read");
        }
        return FileStamp{
            IdentityOf(*information),
            std::uint64_t{information->nFileSizeHigh} << 32 | information->nFileSizeLow,
            times.LastWriteTime.QuadPart * 100, times.ChangeTime.QuadPart * 100};
    }

    // What a player or the system may have set on a saved game; the archive bit, which every
    // write sets, is no part of it. The file's security comes from its folder, as for any new
    // file there.
    IoResult<FileTraits> traits() override {
        const auto information = this->information();
        if (!information) {
            return information.error();
        }
        FileTraits traits;
        traits.mode = information->dwFileAttributes & kKeptAttributes;
        traits.links = information->nNumberOfLinks;
        return traits;
    }

    IoResult<> takeTraits(const FileTraits& traits) override {
        const auto information = this->information();
        if (!information) {
            return information.error();
        }
        FILE_BASIC_INFO basic{};  // times of 0 stay as they are
        basic.FileAttributes = (information->dwFileAttributes & ~kKeptAttributes) | traits.mode;
        if (basic.FileAttributes == 0) {
            basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        }
        if (!::SetFileInformationByHandle(m_handle, FileBasicInfo, &basic, sizeof basic)) {
            return failure("write");
        }
        return {};
    }

    // Asked of the open file itself: it needs no second open, which the exclusive open forbids.
    IoResult<std::filesystem::path> realPath() override {
        std::wstring path(32768, L'\0');
        const DWORD length = ::GetFinalPathNameByHandleW(
            m_handle, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
        if (length == 0 || length >= path.size()) {
            return failure("find");
        }
        path.resize(length);
        return std::filesystem::path(path);
    }

    // True for a file on a disk that is no link.
    bool isPlainFile() const {
        BY_HANDLE_FILE_INFORMATION information{};
        return ::GetFileType(m_handle) == FILE_TYPE_DISK &&
               ::GetFileInformationByHandle(m_handle, &information) &&
               (information.dwFileAttributes &
                (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
    }

private:
    IoResult<BY_HANDLE_FILE_INFORMATION> information() {
        BY_HANDLE_FILE_INFORMATION information{};
        if (!::GetFileInformationByHandle(m_handle, &information)) {
            return failure("read");
        }
        return information;
    }

    IoError failure(const char* doing) const { return Failure(doing, m_path, ::GetLastError()); }

    HANDLE m_handle;
    std::filesystem::path m_path;
};

// Opens a plain file on a disk: a link is opened as itself and refused, as is anything else.
IoResult<FileHandle> OpenPlain(const std::filesystem::path& path, DWORD access, DWORD sharing,
                               DWORD disposition, const char* doing) {
    HANDLE handle = ::CreateFileW(path.c_str(), access, sharing, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return Failure(doing, path, ::GetLastError());
    }
    auto file = std::make_unique<WindowsFile>(handle, path);
    if (!file->isPlainFile()) {
        return Failure(doing, path, ERROR_INVALID_PARAMETER);
    }
    return FileHandle(std::move(file));
}

class WindowsFileSystem final : public FileSystem {
public:
    IoResult<FileHandle> openExclusive(const std::filesystem::path& path,
                                       FileHandle held) override {
        // A file held with no sharing cannot be renamed or deleted meanwhile; only its read-only
        // attribute can change.
        if (held) {
            const auto there = identityOf(path);
            const auto mine = held->identity();
            if (there && mine && *there == *mine) {
                const auto traits = held->traits();
                if (!traits) {
                    return traits.error();
                }
                if ((traits->mode & FILE_ATTRIBUTE_READONLY) != 0) {
                    return Failure("open", path, ERROR_ACCESS_DENIED);
                }
                return held;
            }
            held.reset();
        }
        // Share mode 0: while the file is open, nobody else may open it at all. A read-only file
        // refuses write access, and a folder cannot be opened this way.
        HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return Failure("open", path, ::GetLastError());
        }
        auto file = std::make_unique<WindowsFile>(handle, path);
        if (::GetFileType(handle) != FILE_TYPE_DISK) {
            return Failure("open", path, ERROR_INVALID_PARAMETER);
        }
        return FileHandle(std::move(file));
    }

    IoResult<FileHandle> openForReading(const std::filesystem::path& path) override {
        return OpenPlain(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                         "open");
    }

    IoResult<FileHandle> openForWriting(const std::filesystem::path& path) override {
        return OpenPlain(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS, "create");
    }

    IoResult<NewFile> createBeside(const std::filesystem::path& target) override {
        // CREATE_NEW refuses any name that is taken, a link included; no sharing keeps everyone
        // else out until the file is closed.
        for (int attempt = 0;; ++attempt) {
            auto path = TemporaryNameBeside(target);
            HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle != INVALID_HANDLE_VALUE) {
                return NewFile{path, std::make_unique<WindowsFile>(handle, path)};
            }
            if (::GetLastError() != ERROR_FILE_EXISTS || attempt == 100) {
                return Failure("create a file beside", target, ::GetLastError());
            }
        }
    }

    // A file that createBeside made is open with no sharing until its maker closes it, so one
    // that can be opened for deletion was left by a command that stopped half-way.
    void removeLeftoversBeside(const std::filesystem::path& target) override {
        const auto folder = target.has_parent_path() ? target.parent_path() : ".";
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            if (!IsTemporaryName(entry.path())) {
                continue;
            }
            HANDLE handle =
                ::CreateFileW(entry.path().c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
            if (handle != INVALID_HANDLE_VALUE) {
                ::CloseHandle(handle);
            }
        }
    }

    IoResult<> replace(const std::filesystem::path& from, const std::filesystem::path& to,
                       FileHandle current) override {
        // Windows cannot put a file in the place of one that is open.
        current.reset();
        // Write-through: the move has reached the disk when the call returns.
        if (!::MoveFileExW(from.c_str(), to.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return Failure("replace", to, ::GetLastError());
        }
        return {};
    }

    // The write-through move has made the new name reach the disk already.
    IoResult<> flushFolderOf(const std::filesystem::path&) override { return {}; }

    IoResult<FileIdentity> identityOf(const std::filesystem::path& path) override {
        // No access asked for: the file may be open, even with no sharing, in another program.
        HANDLE handle =
            ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return Failure("find", path, ::GetLastError());
        }
        return WindowsFile(handle, path).identity();
    }
};

}  // namespace

FileSystem& SystemFiles() {
    static WindowsFileSystem files;
    return files;
}

// Windows has no signal for a write past a size limit: it fails as any write does.
void TellOversizedWritesAsErrors() {}

}  // namespace velmor
