#include "savegame/SavedGame.h"

#include <algorithm>
#include <array>

#include "party/ByteFields.h"
#include "savegame/Backup.h"
#include "savegame/Messages.h"
#include "savegame/PartyEntry.h"
#include "savegame/PictureFile.h"

namespace velmor {
namespace {

inline constexpr std::size_t kHeaderTextSize = 20;

IoResult<std::string> ReadHeaderText(File& archive, const ArchiveEntry& header) {
    std::array<std::uint8_t, kHeaderTextSize> bytes{};
    if (auto read = archive.readAt(header.dataPosition(), bytes); !read) {
        return read.error();
    }
    return std::string(ReadText(bytes, 0, bytes.size()));
}

}  // namespace

SavedGame::SavedGame(Token, std::filesystem::path path, FileSystem& files)
    : m_path(std::move(path)), m_files(files) {}

LoadOutcome SavedGame::Open(const std::filesystem::path& path, const OpenOptions& options,
                            ProgressSink& progress) {
    FileSystem& files = options.files ? *options.files : SystemFiles();
    LoadOutcome outcome;
    // Both opens are tried, so that the picture file is emptied even when the saved game cannot
    // be opened, and both failures are told.
    auto archive = files.openExclusive(path);
    if (!archive) {
        outcome.messages.push_back(MakeError(GameErrorKind::cannotOpen, messages::kCannotOpenFile));
    }
    std::optional<PictureFile> picture;
    if (options.picture) {
        auto opened = PictureFile::Open(files, *options.picture);
        if (!opened) {
            outcome.messages.push_back(
                MakeError(GameErrorKind::cannotWritePicture, messages::kCannotReadImage));
            return outcome;
        }
        picture.emplace(std::move(*opened));
    }
    auto game = std::make_unique<SavedGame>(Token{}, path, files);
    GameResult<> read =
        archive ? game->read(**archive, picture ? &*picture : nullptr, progress, outcome.messages)
                : GameResult<>();
    if (picture) {
        if (auto finish = picture->finish(); !finish && read && archive) {
            read = FileFailure(finish.error());
        }
    }
    if (!archive) {
        return outcome;
    }
    if (!read) {
        outcome.messages.push_back(read.error());
        return outcome;
    }
    if (options.keepOpen) {
        game->m_held = std::move(*archive);
    }
    outcome.game = std::move(game);
    return outcome;
}

GameResult<> SavedGame::read(File& archive, PictureFile* picture, ProgressSink& progress,
                             std::vector<GameError>& notices) {
    auto directory = ReadCheckedDirectory(archive, EmptyArchive::refuse);
    if (!directory) {
        return directory.error();
    }
    const ArchiveDirectory& records = *directory;

    if (const auto header = FindEntry(records, "header.bin")) {
        auto text = ReadHeaderText(archive, records.records[*header]);
        if (!text) {
            return FileFailure(text.error());
        }
        m_headerText = std::move(*text);
    } else {
        notices.push_back(MakeError(GameErrorKind::noHeader, messages::kNoHeaderEntry));
    }

    if (const auto image = FindEntry(records, "image.pcx")) {
        if (picture) {
            if (auto copy = picture->copyFrom(archive, records.records[*image]); !copy) {
                return FileFailure(copy.error());
            }
        }
    } else {
        notices.push_back(MakeError(GameErrorKind::noPicture, messages::kNoImageEntry));
    }
    if (picture) {
        if (auto finish = picture->finish(); !finish) {
            return FileFailure(finish.error());
        }
    }

    const auto fileSize = archive.size();
    if (!fileSize) {
        return FileFailure(fileSize.error());
    }
    auto party = LocateParty(records, *fileSize, messages::kNoPartyEntryOnLoad);
    if (!party) {
        return party.error();
    }
    if (auto read = ReadParty(archive, party->position, m_party, progress); !read) {
        return FileFailure(read.error());
    }
    m_facts = {*fileSize, records.count, std::move(*party)};
    return {};
}

GameResult<> SavedGame::save(ProgressSink& progress) {
    FileHandle archive = std::move(m_held);
    if (!archive) {
        auto opened = m_files.openExclusive(m_path);
        if (!opened) {
            return MakeError(GameErrorKind::cannotOpen, messages::kCannotOpenFile);
        }
        archive = std::move(*opened);
    }
    auto written = write(*archive, progress);
    if (!written && written.error().kind == GameErrorKind::fileFailed && m_backupMade) {
        GameError error = written.error();
        error.message += "\nThe saved game as it was loaded is kept in \"" +
                         DisplayPath(BackupPathOf(m_path)) + "\".";
        return error;
    }
    return written;
}

// Finds party.bin afresh, since the file may have been rewritten since the load, and writes the
// party there, after the first save since the load has made the backup.
GameResult<> SavedGame::write(File& archive, ProgressSink& progress) {
    const auto directory = ReadCheckedDirectory(archive, EmptyArchive::accept);
    if (!directory) {
        return directory.error();
    }
    const auto fileSize = archive.size();
    if (!fileSize) {
        return FileFailure(fileSize.error());
    }
    auto party = LocateParty(*directory, *fileSize, messages::kNoPartyEntryOnSave);
    if (!party) {
        return party.error();
    }
    if (!m_backupMade) {
        const auto backup = BackupPathOf(m_path);
        if (auto made = WriteBackup(m_files, archive, backup); !made) {
            return MakeError(GameErrorKind::backupFailed,
                             "ERROR: cannot write the backup copy \"" + DisplayPath(backup) +
                                 "\", so nothing was saved!\n" + made.error().message);
        }
        m_backupMade = true;
    }
    if (auto write = WriteParty(archive, party->position, m_party, progress); !write) {
        return FileFailure(write.error());
    }
    // "Save successful!" is only true once the party is on the disk.
    if (auto flushed = archive.flush(); !flushed) {
        return FileFailure(flushed.error());
    }
    m_facts = {*fileSize, directory->count, std::move(*party)};
    return {};
}

}  // namespace velmor
