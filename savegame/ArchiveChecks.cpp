#include "savegame/ArchiveChecks.h"

#include "savegame/PartyEntry.h"

namespace velmor {

GameResult<ArchiveDirectory> ReadCheckedDirectory(File& archive, EmptyArchive empty) {
    const auto signature = HasArchiveSignature(archive);
    if (!signature) {
        return FileFailure(signature.error());
    }
    if (!*signature) {
        return MakeError(GameErrorKind::notAnArchive, messages::kInvalidFile);
    }
    const auto count = ReadEntryCount(archive);
    if (!count) {
        return FileFailure(count.error());
    }
    if (*count == 0 && empty == EmptyArchive::refuse) {
        return MakeError(GameErrorKind::noEntries, messages::kNoInformation);
    }
    if (*count > kMaxEntryCount) {
        return MakeError(GameErrorKind::notAnArchive, messages::kInvalidFile);
    }
    auto directory = ReadDirectory(archive, *count);
    if (!directory) {
        return FileFailure(directory.error());
    }
    return std::move(*directory);
}

GameResult<PartyPlace> LocateParty(const ArchiveDirectory& directory, std::uint64_t fileSize,
                                   std::string_view notFoundMessage) {
    const auto found = FindEntry(directory, "party.bin");
    if (!found) {
        return MakeError(GameErrorKind::noParty, notFoundMessage);
    }
    const ArchiveEntry& entry = directory.records[*found];
    if (entry.dataSize() < kPartyEntryMinimumSize) {
        return MakeError(GameErrorKind::partyTooSmall, messages::kPartyEntryTooSmall);
    }
    if (entry.dataPosition() + entry.dataSize() > fileSize) {
        return MakeError(GameErrorKind::partyPastEnd, messages::kPartyEntryPastEnd);
    }
    return PartyPlace{*found, std::string(entry.name()), entry.dataPosition(), entry.dataSize()};
}

}  // namespace velmor
