// Runs the built velmor-save as a player's script would, and keeps what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/TemporaryDirectory.h"

namespace velmor::test {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string errors;
};

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The command line of the tool with these arguments, quoted for the shell; the tests' own paths
// and values hold no single quote.
inline std::string ToolCommand(const std::vector<std::string>& arguments) {
    std::string command = "'" VELMOR_SAVE_PROGRAM "'";
    for (const std::string& argument : arguments) {
        command += " '" + argument + "'";
    }
    return command;
}

// `before` runs in the same shell first, to set limits for the tool.
inline ToolRun RunTool(const std::vector<std::string>& arguments, const std::string& before = "") {
    const TemporaryDirectory scratch;
    std::string command = before + ToolCommand(arguments);
    command += " >'" + (scratch / "out").string() + "' 2>'" + (scratch / "errors").string() + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(scratch / "out"),
            ReadText(scratch / "errors")};
}

}  // namespace velmor::test
