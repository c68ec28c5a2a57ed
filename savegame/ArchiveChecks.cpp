#include "savegame/ArchiveChecks.h"

#include "savegame/Messages.h"
#include "savegame/PartyEntry.h"

namespace velmor {

IoResult<std::optional<ArchiveDirectory>> ReadCheckedDirectory(UserInterface& ui, GameFile& archive,
                                                               EmptyArchive empty) {
    const auto signature = HasArchiveSignature(archive);
    if (!signature) {
        return signature.error();
    }
    if (!*signature) {
        ShowError(ui, messages::kInvalidFile);
        return std::nullopt;
    }
    const auto count = ReadEntryCount(archive);
    if (!count) {
        return count.error();
    }
    if (*count == 0 && empty == EmptyArchive::refuse) {
        ShowError(ui, messages::kNoInformation);
        return std::nullopt;
    }
    if (*count > kMaxEntryCount) {
        ShowError(ui, messages::kInvalidFile);
        return std::nullopt;
    }
    auto directory = ReadDirectory(archive, *count);
    if (!directory) {
        return directory.error();
    }
    return std::optional(std::move(*directory));
}

IoResult<std::optional<std::uint64_t>> LocateParty(UserInterface& ui, GameFile& archive,
                                                   const ArchiveDirectory& directory,
                                                   std::string_view notFoundMessage) {
    const auto found = FindEntry(directory, "party.bin");
    if (!found) {
        ShowError(ui, notFoundMessage);
        return std::nullopt;
    }
    const ArchiveEntry& entry = directory.records[*found];
    const auto fileSize = archive.size();
    if (!fileSize) {
        return fileSize.error();
    }
    if (entry.dataSize() < kPartyEntryMinimumSize) {
        ShowError(ui, messages::kPartyEntryTooSmall);
        return std::nullopt;
    }
    if (entry.dataPosition() + entry.dataSize() > *fileSize) {
        ShowError(ui, messages::kPartyEntryPastEnd);
        return std::nullopt;
    }
    return std::optional(entry.dataPosition());
}

}  // namespace velmor
