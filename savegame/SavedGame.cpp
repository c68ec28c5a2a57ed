#include "savegame/SavedGame.h"

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>

#include "party/ByteFields.h"
#include "savegame/Backup.h"
#include "savegame/FileCopy.h"
#include "savegame/Messages.h"
#include "savegame/PartyEntry.h"
#include "savegame/PictureFile.h"
#include "savegame/TemporaryFile.h"

namespace velmor {
namespace {

constexpr std::size_t kHeaderTextSize = 20;

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
        // The game, under whatever name, is never emptied as its own picture; one that cannot be
        // found cannot be the picture either.
        const auto identity = archive ? (*archive)->identity() : files.identityOf(path);
        if (archive && !identity) {
            outcome.messages.push_back(FileFailure(identity.error()));
            return outcome;
        }
        auto opened = PictureFile::Open(files, *options.picture,
                                        identity ? std::optional(*identity) : std::nullopt);
        if (!opened) {
            outcome.messages.push_back(
                MakeError(GameErrorKind::cannotWritePicture, messages::kCannotReadImage));
            return outcome;
        }
        picture.emplace(std::move(*opened));
    }
    if (!archive) {
        return outcome;
    }
    auto game = std::make_unique<SavedGame>(Token{}, path, files);
    if (auto read =
            game->read(**archive, picture ? &*picture : nullptr, progress, outcome.messages);
        !read) {
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
    if (auto read = ReadParty(archive, party->position, m_onDisk, progress); !read) {
        return FileFailure(read.error());
    }
    m_party = m_onDisk;
    m_facts = {*fileSize, records.count, std::move(*party)};
    return {};
}

GameResult<> SavedGame::save(ProgressSink& progress) {
    auto opened = openForSave();
    if (!opened) {
        return opened.error();
    }
    auto& [archive, party] = *opened;
    progress.setProgressRange(0, 1);
    progress.setProgressPosition(0);
    if (!m_backupMade) {
        if (auto made = WriteBackup(m_files, *archive, m_path); !made) {
            return MakeError(GameErrorKind::backupFailed, "ERROR: cannot write the backup copy \"" +
                                                              DisplayPath(BackupPathOf(m_path)) +
                                                              "\", so nothing was saved!\n" +
                                                              made.error().message);
        }
        m_backupMade = true;
    }
    auto written = writeOver(std::move(archive), party, progress);
    if (!written && written.error().kind == GameErrorKind::fileFailed) {
        GameError error = written.error();
        error.message += "\nThe saved game as it was loaded is kept in \"" +
                         DisplayPath(BackupPathOf(m_path)) + "\".";
        return error;
    }
    return written;
}

GameResult<std::pair<FileHandle, PartyPlace>> SavedGame::openForSave() {
    FileHandle archive = std::move(m_held);
    if (!archive) {
        auto opened = m_files.openExclusive(m_path);
        if (!opened) {
            return MakeError(GameErrorKind::cannotOpen, messages::kCannotOpenFile);
        }
        archive = std::move(*opened);
    }
    // party.bin is looked up afresh, since the file may have been rewritten since the load.
    const auto directory = ReadCheckedDirectory(*archive, EmptyArchive::accept);
    if (!directory) {
        return directory.error();
    }
    const auto fileSize = archive->size();
    if (!fileSize) {
        return FileFailure(fileSize.error());
    }
    auto party = LocateParty(*directory, *fileSize, messages::kNoPartyEntryOnSave);
    if (!party) {
        return party.error();
    }
    Party onDisk;
    if (auto read = ReadParty(*archive, party->position, onDisk); !read) {
        return FileFailure(read.error());
    }
    if (onDisk != m_onDisk) {
        return MakeError(GameErrorKind::changedSinceLoad, messages::kChangedSinceLoad);
    }
    m_facts = {*fileSize, directory->count, *party};
    return std::pair(std::move(archive), std::move(*party));
}

GameResult<> SavedGame::writeOver(FileHandle archive, const PartyPlace& party,
                                  ProgressSink& progress) {
    // A link to the game stays a link: the file it leads to is the one replaced.
    const auto target = archive->realPath();
    if (!target) {
        return MakeError(GameErrorKind::changedSinceLoad, messages::kChangedSinceLoad);
    }
    auto copy = TemporaryFile::CreateBeside(m_files, *target, *target);
    if (!copy) {
        return FileFailure(copy.error());
    }
    const auto edit = [&](std::uint64_t offset, std::span<std::uint8_t> piece) {
        PlaceParty(piece, offset, party.position, m_party);
    };
    if (auto copied = CopyFile(*archive, copy->file(), edit); !copied) {
        return FileFailure(copied.error());
    }
    progress.setProgressPosition(1);
    progress.setProgressRange(0, static_cast<int>(kCharacterCount) - 1);
    // "Save successful!" is only true once the whole game is on the disk in its place.
    if (auto replaced = copy->replaceTarget(std::move(archive)); !replaced) {
        return FileFailure(replaced.error());
    }
    progress.setProgressPosition(0);
    m_onDisk = m_party;
    return {};
}

GameResult<std::uint64_t> SavedGame::bytesASaveWouldChange() {
    // Outside the party's two blocks a save copies the game as it is.
    if (auto opened = openForSave(); !opened) {
        return opened.error();
    }
    const auto count = [](std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
        return std::inner_product(a.begin(), a.end(), b.begin(), std::uint64_t{0}, std::plus<>(),
                                  std::not_equal_to<>());
    };
    return count(m_party.values.bytes(), m_onDisk.values.bytes()) +
           count(TableBytes(m_party.characters), TableBytes(m_onDisk.characters));
}

}  // namespace velmor
