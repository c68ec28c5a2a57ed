// What the editor takes from its command line: at most one saved game to open at the start, and
// its own --help and --version. Nothing else reaches the window's toolkit, whose options would
// change the window.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace velmor {

struct CommandLine {
    std::optional<std::filesystem::path> game;
    // Printed instead of running the window: the help, the version or what is wrong.
    std::optional<std::string> answer;
    int exitStatus = 0;  // 0, or 2 for a command line that is wrong
};

// `arguments` without the program's own name.
CommandLine ReadCommandLine(std::span<const std::string> arguments);

}  // namespace velmor
