// The file layer on Windows: file handles, opened with no sharing at all for the exclusive open,
// as the game's own tools open a saved game.
#include <windows.h>

#include <string>
#include <system_error>

#include "savegame/FileFaults.h"
#include "savegame/GameFile.h"

namespace velmor {
namespace {

IoError Failure(const char* doing, const std::filesystem::path& path, DWORD error) {
    return {std::string("cannot ") + doing + " \"" + DisplayPath(path) +
            "\": " + std::system_category().message(static_cast<int>(error))};
}

// A test's planned failure, reported as the disk's own input/output error.
bool Injected(FileOperation operation) {
    if (FileFaults::Strike(operation)) {
        ::SetLastError(ERROR_IO_DEVICE);
        return true;
    }
    return false;
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

}  // namespace

void GameFile::close() {
    if (m_handle != kNoFile) {
        ::CloseHandle(m_handle);
        m_handle = kNoFile;
    }
}

IoError GameFile::failure(const char* doing) const {
    return Failure(doing, m_path, ::GetLastError());
}

IoResult<GameFile> GameFile::OpenExclusive(const std::filesystem::path& path) {
    // Share mode 0: while the file is open, nobody else may open it at all. A read-only file
    // refuses write access, and a folder cannot be opened this way.
    HANDLE handle = Injected(FileOperation::open)
                        ? INVALID_HANDLE_VALUE
                        : ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return Failure("open", path, ::GetLastError());
    }
    GameFile file(handle, path);
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        return Failure("open", path, ERROR_INVALID_PARAMETER);
    }
    return file;
}

IoResult<GameFile> GameFile::OpenWriteOnly(const std::filesystem::path& path, bool empty) {
    HANDLE handle =
        Injected(FileOperation::open)
            ? INVALID_HANDLE_VALUE
            : ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            empty ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return Failure("create", path, ::GetLastError());
    }
    return GameFile(handle, path);
}

IoResult<> GameFile::Replace(const std::filesystem::path& from, const std::filesystem::path& to) {
    // Write-through: the move has reached the disk when the call returns.
    if (Injected(FileOperation::replace) ||
        !::MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Failure("replace", to, ::GetLastError());
    }
    return {};
}

IoResult<std::uint64_t> GameFile::size() const {
    LARGE_INTEGER size{};
    if (Injected(FileOperation::size) || !::GetFileSizeEx(m_handle, &size)) {
        return failure("read the size of");
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

IoResult<std::size_t> GameFile::readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) {
    std::size_t total = 0;
    while (total < buffer.size()) {
        OVERLAPPED at = At(offset + total);
        DWORD count = 0;
        const auto piece = static_cast<DWORD>(std::min(buffer.size() - total, kLargestPiece));
        if (Injected(FileOperation::read) ||
            !::ReadFile(m_handle, buffer.data() + total, piece, &count, &at)) {
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

IoResult<> GameFile::writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    std::size_t total = 0;
    while (total < bytes.size()) {
        OVERLAPPED at = At(offset + total);
        DWORD count = 0;
        const auto piece = static_cast<DWORD>(std::min(bytes.size() - total, kLargestPiece));
        if (Injected(FileOperation::write) ||
            !::WriteFile(m_handle, bytes.data() + total, piece, &count, &at)) {
            return failure("write");
        }
        total += count;
    }
    return {};
}

IoResult<> GameFile::setLength(std::uint64_t length) {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(length);
    if (Injected(FileOperation::setLength) ||
        !::SetFilePointerEx(m_handle, end, nullptr, FILE_BEGIN) || !::SetEndOfFile(m_handle)) {
        return failure("write");
    }
    return {};
}

IoResult<> GameFile::flush() {
    if (Injected(FileOperation::flush) || !::FlushFileBuffers(m_handle)) {
        return failure("write to disk");
    }
    return {};
}

}  // namespace velmor
