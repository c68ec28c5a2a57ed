// A private folder for a command's scratch files, removed with its contents when the command ends.
#pragma once

#include <filesystem>

#include "cli/Problem.h"

namespace velmor::cli {

class ScratchFolder {
public:
    static Parsed<ScratchFolder> Create();
    ScratchFolder(ScratchFolder&& other) noexcept : m_path(std::move(other.m_path)) {
        other.m_path.clear();
    }
    ScratchFolder& operator=(ScratchFolder&&) = delete;
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::filesystem::path& path() const { return m_path; }

private:
    explicit ScratchFolder(std::filesystem::path path) : m_path(std::move(path)) {}

    std::filesystem::path m_path;
};

}  // namespace velmor::cli
