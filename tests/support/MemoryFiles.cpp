#include "support/MemoryFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

namespace velmor::test {

struct MemoryFiles::Node {
    std::uint64_t number = 0;
    std::vector<std::uint8_t> bytes;
    FileTraits traits;
    bool locked = false;
    // Counters standing in for the system's clock: every write moves both, a change of traits
    // the second alone.
    std::int64_t modified = 0;
    std::int64_t changed = 0;

    void wrote() {
        ++modified;
        ++changed;
    }
};

namespace {

using Node = MemoryFiles::Node;

constexpr std::uint32_t kAnyWriteBit = 0222;

bool ReadOnly(const Node& node) {
    return (node.traits.mode & kAnyWriteBit) == 0;
}

FileIdentity IdentityOf(const Node& node) {
    return {1, node.number};
}

class MemoryFile final : public File {
public:
    enum class Access { read, write, both };

    MemoryFile(const MemoryFiles& files, std::shared_ptr<Node> node, std::filesystem::path path,
               Access access, bool locks)
        : m_files(files),
          m_node(std::move(node)),
          m_path(std::move(path)),
          m_access(access),
          m_locks(locks) {
        if (locks) {
            m_node->locked = true;
        }
    }
    ~MemoryFile() override {
        if (m_locks) {
            m_node->locked = false;
        }
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    const std::shared_ptr<Node>& node() const { return m_node; }

    IoResult<std::uint64_t> size() override { return m_node->bytes.size(); }

    IoResult<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
        if (m_access == Access::write) {
            return OperationFailed("read", m_path, EBADF);
        }
        const std::vector<std::uint8_t>& bytes = m_node->bytes;
        const std::size_t from =
            static_cast<std::size_t>(std::min<std::uint64_t>(offset, bytes.size()));
        const std::size_t count = std::min(buffer.size(), bytes.size() - from);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(from), count, buffer.begin());
        return count;
    }

    IoResult<> writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        if (m_access == Access::read) {
            return OperationFailed("write", m_path, EBADF);
        }
        std::vector<std::uint8_t>& mine = m_node->bytes;
        if (offset + bytes.size() > mine.size()) {
            mine.resize(static_cast<std::size_t>(offset + bytes.size()));
        }
        std::copy(bytes.begin(), bytes.end(), mine.begin() + static_cast<std::ptrdiff_t>(offset));
        m_node->wrote();
        return {};
    }

    IoResult<> setLength(std::uint64_t length) override {
        if (m_access == Access::read) {
            return OperationFailed("write", m_path, EBADF);
        }
        m_node->bytes.resize(static_cast<std::size_t>(length));
        m_node->wrote();
        return {};
    }

    IoResult<> flush() override { return {}; }

    IoResult<FileIdentity> identity() override { return IdentityOf(*m_node); }

    IoResult<FileStamp> stamp() override {
        return FileStamp{IdentityOf(*m_node), m_node->bytes.size(), m_node->modified,
                         m_node->changed};
    }

    IoResult<FileTraits> traits() override { return m_node->traits; }

    IoResult<> takeTraits(const FileTraits& traits) override {
        FileTraits& mine = m_node->traits;
        mine.owner = traits.owner;
        mine.group = traits.group;
        mine.mode = traits.mode & 07777u;
        mine.extended = traits.extended;
        ++m_node->changed;
        return {};
    }

    IoResult<std::filesystem::path> realPath() override {
        const auto there = m_files.find(m_path);
        if (!there) {
            return OperationFailed("find", m_path, ENOENT);
        }
        if (there != m_node) {
            return OperationFailed("find", m_path, "another file has taken its name");
        }
        return m_path;
    }

private:
    const MemoryFiles& m_files;
    std::shared_ptr<Node> m_node;
    std::filesystem::path m_path;
    Access m_access;
    bool m_locks;
};

}  // namespace

std::shared_ptr<Node> MemoryFiles::find(const std::filesystem::path& path) const {
    const auto found = m_files.find(path);
    return found == m_files.end() ? nullptr : found->second;
}

std::shared_ptr<Node> MemoryFiles::make(const std::filesystem::path& path, std::uint32_t mode) {
    auto node = std::make_shared<Node>();
    node->number = ++m_made;
    node->traits.mode = mode;
    m_files[path] = node;
    return node;
}

void MemoryFiles::write(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    auto node = find(path);
    if (!node) {
        node = make(path, 0644);
    }
    node->bytes.assign(bytes.begin(), bytes.end());
    node->wrote();
}

std::optional<std::vector<std::uint8_t>> MemoryFiles::read(
    const std::filesystem::path& path) const {
    const auto node = find(path);
    if (!node) {
        return std::nullopt;
    }
    return node->bytes;
}

bool MemoryFiles::holds(const std::filesystem::path& path,
                        std::span<const std::uint8_t> bytes) const {
    const auto node = find(path);
    return node && std::ranges::equal(node->bytes, bytes);
}

void MemoryFiles::makeReadOnly(const std::filesystem::path& path) {
    if (const auto node = find(path)) {
        node->traits.mode &= ~kAnyWriteBit;
        ++node->changed;
    }
}

std::vector<std::filesystem::path> MemoryFiles::paths() const {
    std::vector<std::filesystem::path> paths;
    for (const auto& [path, node] : m_files) {
        paths.push_back(path);
    }
    return paths;
}

IoResult<FileHandle> MemoryFiles::openExclusive(const std::filesystem::path& path,
                                                FileHandle held) {
    const auto node = find(path);
    if (!node) {
        return OperationFailed("open", path, ENOENT);
    }
    // Asked again for a file held since: its permissions may have changed meanwhile.
    if (ReadOnly(*node)) {
        return OperationFailed("open", path, "it is read-only");
    }
    if (const auto* mine = dynamic_cast<const MemoryFile*>(held.get());
        mine && mine->node() == node) {
        return held;
    }
    held.reset();  // the name leads elsewhere now
    if (node->locked) {
        return OperationFailed("open", path, "another program is using it");
    }
    return FileHandle(
        std::make_unique<MemoryFile>(*this, node, path, MemoryFile::Access::both, true));
}

IoResult<FileHandle> MemoryFiles::openForReading(const std::filesystem::path& path) {
    const auto node = find(path);
    if (!node) {
        return OperationFailed("open", path, ENOENT);
    }
    return FileHandle(
        std::make_unique<MemoryFile>(*this, node, path, MemoryFile::Access::read, false));
}

IoResult<FileHandle> MemoryFiles::openForWriting(const std::filesystem::path& path) {
    auto node = find(path);
    if (!node) {
        node = make(path, 0644);
    } else if (ReadOnly(*node)) {
        return OperationFailed("create", path, "it is read-only");
    }
    return FileHandle(
        std::make_unique<MemoryFile>(*this, node, path, MemoryFile::Access::write, false));
}

IoResult<NewFile> MemoryFiles::createBeside(const std::filesystem::path& target) {
    auto path = TemporaryNameBeside(target);
    while (m_files.contains(path)) {
        path = TemporaryNameBeside(target);
    }
    auto node = make(path, 0600);
    return NewFile{path, std::make_unique<MemoryFile>(*this, std::move(node), path,
                                                      MemoryFile::Access::both, true)};
}

void MemoryFiles::removeLeftoversBeside(const std::filesystem::path& target) {
    const auto folder = target.parent_path();
    std::erase_if(m_files, [&](const auto& entry) {
        const auto& [path, node] = entry;
        return path.parent_path() == folder && IsTemporaryName(path) && !node->locked;
    });
}

IoResult<> MemoryFiles::replace(const std::filesystem::path& from, const std::filesystem::path& to,
                                FileHandle current) {
    const auto moved = m_files.find(from);
    if (moved == m_files.end()) {
        return OperationFailed("replace", to, ENOENT);
    }
    auto node = std::move(moved->second);
    m_files.erase(moved);
    m_files[to] = std::move(node);
    current.reset();
    return {};
}

IoResult<FileIdentity> MemoryFiles::identityOf(const std::filesystem::path& path) {
    const auto node = find(path);
    if (!node) {
        return OperationFailed("find", path, ENOENT);
    }
    return IdentityOf(*node);
}

}  // namespace velmor::test
