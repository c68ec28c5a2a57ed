#include "editor/CommandLine.h"

namespace velmor {
namespace {

constexpr std::string_view kUsage =
    "Usage: velmor-editor [GAME]\n"
    "Edits the party of a saved game of Velmor. With GAME, opens that saved game at the start, as\n"
    "Load Game... would.\n"
    "\n"
    "  --help     show this and end\n"
    "  --version  show the version and end\n";

CommandLine Wrong(const std::string& why) {
    return {std::nullopt, why + "\n" + std::string(kUsage), 2};
}

}  // namespace

CommandLine ReadCommandLine(std::span<const std::string> arguments) {
    CommandLine line;
    bool optionsEnd = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnd && argument == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && argument == "--help") {
            return {std::nullopt, std::string(kUsage), 0};
        } else if (!optionsEnd && argument == "--version") {
            return {std::nullopt, "velmor-editor 1.5\n", 0};
        } else if (!optionsEnd && argument.size() > 1 && argument.front() == '-') {
            return Wrong("velmor-editor: unknown option " + argument);
        } else if (line.game) {
            return Wrong("velmor-editor: one saved game at a time");
        } else {
            line.game = std::filesystem::u8path(argument);
        }
    }
    return line;
}

}  // namespace velmor
