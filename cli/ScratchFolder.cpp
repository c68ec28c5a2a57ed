#include "cli/ScratchFolder.h"

#include <random>
#include <system_error>

namespace velmor::cli {

Parsed<ScratchFolder> ScratchFolder::Create() {
    std::error_code error;
    const auto base = std::filesystem::temp_directory_path(error);
    if (error) {
        return Problem{"no folder for temporary files: " + error.message()};
    }
    std::random_device seed;
    std::mt19937_64 random(seed());
    // A name nobody else has: create_directory answers false when the folder already exists.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto path = base / ("velmor-save-" + std::to_string(random()));
        if (std::filesystem::create_directory(path, error)) {
            return ScratchFolder(path);
        }
        if (error) {
            return Problem{"cannot create a temporary folder: " + error.message()};
        }
    }
    return Problem{"cannot find a free name for a temporary folder"};
}

ScratchFolder::~ScratchFolder() {
    if (!m_path.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
}

}  // namespace velmor::cli
