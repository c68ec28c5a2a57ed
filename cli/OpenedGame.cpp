#include "cli/OpenedGame.h"

#include "cli/ConsolePrompts.h"
#include "savegame/GameCommands.h"
#include "savegame/SavedGameArchive.h"

namespace velmor::cli {
namespace {

void Report(std::ostream& errors, const IoError& error) {
    errors << "ERROR: " << error.message << "!\n";
}

// The directory again, for what the load does not keep: it passed the load's checks a moment ago.
std::optional<ArchiveFacts> ReadFacts(const std::filesystem::path& game, std::ostream& errors) {
    auto file = GameFile::OpenExclusive(game);
    if (!file) {
        Report(errors, file.error());
        return std::nullopt;
    }
    const auto size = file->size();
    if (!size) {
        Report(errors, size.error());
        return std::nullopt;
    }
    const auto count = ReadEntryCount(*file);
    if (!count) {
        Report(errors, count.error());
        return std::nullopt;
    }
    const auto directory = ReadDirectory(*file, std::min(*count, kMaxEntryCount));
    if (!directory) {
        Report(errors, directory.error());
        return std::nullopt;
    }
    const auto party = FindEntry(*directory, "party.bin");
    if (!party) {
        return std::nullopt;
    }
    const ArchiveEntry& entry = directory->records[*party];
    return ArchiveFacts{
        *size, *count, *party, std::string(entry.name()), entry.dataPosition(), entry.dataSize()};
}

}  // namespace

std::unique_ptr<OpenedGame> OpenGame(const std::filesystem::path& game, std::ostream& errors) {
    auto opened = std::make_unique<OpenedGame>();
    opened->session.imagePath.reset();
    ConsolePrompts prompts(game, errors);
    if (!LoadGame(prompts, opened->session)) {
        return nullptr;
    }
    opened->loadMessages = prompts.errorsShown();
    auto facts = ReadFacts(game, errors);
    if (!facts) {
        return nullptr;
    }
    opened->facts = std::move(*facts);
    return opened;
}

bool SaveOpenedGame(OpenedGame& game, std::ostream& errors) {
    ConsolePrompts prompts(game.session.g_currentPath, errors);
    return SaveGame(prompts, game.session);
}

}  // namespace velmor::cli
