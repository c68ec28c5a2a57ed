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

IoError Failure(const char* doing, const std::filesystem::path& path, DWORD error) {
    return {std::string("cannot ") + doing + " \"" + DisplayPath(path) +
            "\": " + std::system_category().message(static_cast<int>(error))};
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

private:
    IoError failure(const char* doing) const { return Failure(doing, m_path, ::GetLastError()); }

    HANDLE m_handle;
    std::filesystem::path m_path;
};

IoResult<FileHandle> OpenWriteOnly(const std::filesystem::path& path, bool empty) {
    HANDLE handle =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                      empty ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return Failure("create", path, ::GetLastError());
    }
    return FileHandle(std::make_unique<WindowsFile>(handle, path));
}

class WindowsFileSystem final : public FileSystem {
public:
    IoResult<FileHandle> openExclusive(const std::filesystem::path& path) override {
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

    IoResult<FileHandle> openForWriting(const std::filesystem::path& path) override {
        return OpenWriteOnly(path, false);
    }

    IoResult<FileHandle> createEmpty(const std::filesystem::path& path) override {
        return OpenWriteOnly(path, true);
    }

    IoResult<> replace(const std::filesystem::path& from,
                       const std::filesystem::path& to) override {
        // Write-through: the move has reached the disk when the call returns.
        if (!::MoveFileExW(from.c_str(), to.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return Failure("replace", to, ::GetLastError());
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
    static WindowsFileSystem files;
    return files;
}

}  // namespace velmor
