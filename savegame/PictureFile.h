// The file to which every load copies the archive's preview picture, "image.pcx".
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "savegame/FileSystem.h"
#include "savegame/SavedGameArchive.h"

namespace velmor {

// The old picture is written over in place and then cut to the new length, rather than emptied
// first: emptying makes the file system free every block and allocate it again, which took ten
// times as long as the copy itself. Whatever way the load goes, the file ends holding exactly the
// bytes copied, and nothing when the load stops before the copy.
class PictureFile {
public:
    // Refuses a link, and `game`, the saved game itself, under whatever name: emptying it would
    // lose it.
    static IoResult<PictureFile> Open(FileSystem& files, const std::filesystem::path& path,
                                      std::optional<FileIdentity> game);

    // Copies the entry's data as the archive holds it, stopping where the archive ends.
    IoResult<> copyFrom(File& archive, const ArchiveEntry& entry);

    // Cuts the file to what was copied and closes it; later calls do nothing. A picture file
    // that goes away unfinished, as when the load stops early, is cut all the same.
    IoResult<> finish();

    PictureFile(PictureFile&&) noexcept = default;
    PictureFile& operator=(PictureFile&&) = delete;
    ~PictureFile() { (void)finish(); }

private:
    explicit PictureFile(FileHandle file) : m_file(std::move(file)) {}

    FileHandle m_file;
    std::uint64_t m_length = 0;
};

}  // namespace velmor
