#include "savegame/SavedGame.h"

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>
#include <system_error>

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

// What a load finds in the archive before it reads the party.
struct ArchiveContents {
    std::string headerText;
    ArchiveFacts facts;
};

// Checks the archive, reads its header text, copies its picture and finds its party, telling the
// player of what it goes on past in `notices`.
GameResult<ArchiveContents> ReadArchive(File& archive, PictureFile* picture,
                                        std::vector<GameError>& notices) {
    auto directory = ReadCheckedDirectory(archive, EmptyArchive::refuse);
    if (!directory) {
        return directory.error();
    }
    const ArchiveDirectory& records = *directory;
    ArchiveContents contents;

    if (const auto header = FindEntry(records, "header.bin")) {
        auto text = ReadHeaderText(archive, records.records[*header]);
        if (!text) {
            return FileFailure(text.error());
        }
        contents.headerText = std::move(*text);
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
    contents.facts = {*fileSize, records.count, std::move(*party)};
    return contents;
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
        outcome.messages.push_back(CannotOpen(archive.error()));
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
    auto contents = ReadArchive(**archive, picture ? &*picture : nullptr, outcome.messages);
    if (!contents) {
        outcome.messages.push_back(contents.error());
        return outcome;
    }
    // Made only now: a game holds two parties, half a megabyte, and most files that are no saved
    // game never get this far.
    auto game = std::make_unique<SavedGame>(Token{}, path, files);
    if (auto read = ReadParty(**archive, contents->facts.party.position, game->m_onDisk, progress);
        !read) {
        outcome.messages.push_back(FileFailure(read.error()));
        return outcome;
    }
    game->m_party = game->m_onDisk;
    game->m_headerText = std::move(contents->headerText);
    game->m_facts = std::move(contents->facts);
    if (options.keepOpen) {
        game->m_held = std::move(*archive);
    }
    outcome.game = std::move(game);
    return outcome;
}

GameResult<SaveReport> SavedGame::save(ProgressSink& progress) {
    auto opened = openForSave();
    if (!opened) {
        return opened.error();
    }
    // A link to the game stays a link: the file it leads to is the one written.
    const auto target = opened->archive->realPath();
    if (!target) {
        return FileFailure(target.error());
    }
    const auto traits = opened->archive->traits();
    if (!traits) {
        return FileFailure(traits.error());
    }
    const auto backup = BackupPathOf(m_path);
    m_files.removeLeftoversBeside(*target);
    // The backup lies beside the name that the game was opened by, which a link may have put
    // in another folder.
    std::error_code unknown;
    if (std::filesystem::absolute(backup, unknown).parent_path() != target->parent_path()) {
        m_files.removeLeftoversBeside(backup);
    }
    progress.setProgressRange(0, 1);
    progress.setProgressPosition(0);
    SaveReport report;
    if (!m_backupMade) {
        const auto refused = [&backup](std::string_view why) {
            return MakeError(GameErrorKind::backupFailed,
                             "ERROR: cannot write the backup copy \"" + DisplayPath(backup) +
                                 "\", so nothing was saved!\n" + std::string(why));
        };
        // A backup written there would take the game's own place.
        const auto there = m_files.identityOf(backup);
        if (!there && !there.error().missing) {
            return refused(there.error().message);
        }
        if (there && *there == opened->stamp.identity) {
            return refused("it is the saved game itself, under another name");
        }
        if (auto made = WriteBackup(m_files, *opened->archive, *traits, m_path); !made) {
            return refused(made.error().message);
        }
        if (auto flushed = m_files.flushFolderOf(backup); !flushed) {
            report.warnings.push_back(NotConfirmed("the backup copy", flushed.error()));
        }
    }
    if (auto written = writeGame(std::move(*opened), *target, *traits, progress, report);
        !written) {
        GameError error = written.error();
        if (error.kind == GameErrorKind::fileFailed) {
            error.message +=
                "\nThe saved game as it was loaded is kept in \"" + DisplayPath(backup) + "\".";
        }
        return error;
    }
    m_onDisk = m_party;
    return report;
}

GameResult<SavedGame::Opened> SavedGame::openForSave() {
    auto archive = m_files.openExclusive(m_path, std::move(m_held));
    if (!archive) {
        return CannotOpen(archive.error());
    }
    // The stamp comes first: a write after it shows in it, or in the party read below.
    const auto stamp = (*archive)->stamp();
    if (!stamp) {
        return FileFailure(stamp.error());
    }
    // party.bin is looked up afresh, since the file may have been rewritten since the load.
    const auto directory = ReadCheckedDirectory(**archive, EmptyArchive::accept);
    if (!directory) {
        return directory.error();
    }
    auto party = LocateParty(*directory, stamp->size, messages::kNoPartyEntryOnSave);
    if (!party) {
        return party.error();
    }
    const auto unchanged = partyIsAsLastSeen(**archive, party->position);
    if (!unchanged) {
        return FileFailure(unchanged.error());
    }
    if (!*unchanged) {
        return MakeError(GameErrorKind::changedSinceLoad, messages::kChangedSinceLoad);
    }
    m_facts = {stamp->size, directory->count, *party};
    return Opened{std::move(*archive), std::move(*party), *stamp};
}

GameResult<> SavedGame::writeGame(Opened game, const std::filesystem::path& target,
                                  const FileTraits& traits, ProgressSink& progress,
                                  SaveReport& report) {
    auto replacement = makeReplacement(target, traits);
    if (!replacement) {
        return replacement.error();
    }
    auto written = *replacement ? replaceGame(**replacement, game, target, progress, report)
                                : writeInPlace(game, target, progress, report);
    progress.setProgressPosition(0);
    return written;
}

GameResult<> SavedGame::replaceGame(TemporaryFile& copy, Opened& game,
                                    const std::filesystem::path& target, ProgressSink& progress,
                                    SaveReport& report) {
    const auto edit = [&](std::uint64_t offset, std::span<std::uint8_t> piece) {
        PlaceParty(piece, offset, game.party.position, m_party);
    };
    if (auto copied = CopyFile(*game.archive, copy.file(), edit); !copied) {
        return FileFailure(copied.error());
    }
    progress.setProgressPosition(1);
    progress.setProgressRange(0, static_cast<int>(kCharacterCount) - 1);
    // "Save successful!" is only true once the whole game is on the disk in its place.
    if (auto flushed = copy.file().flush(); !flushed) {
        return FileFailure(flushed.error());
    }
    if (auto same = checkUnchanged(game, target); !same) {
        return same;
    }
    m_backupMade = true;
    if (auto replaced = copy.replaceTarget(std::move(game.archive)); !replaced) {
        return FileFailure(replaced.error());
    }
    // The game holds the new bytes now, whatever the folder says.
    if (auto flushed = m_files.flushFolderOf(target); !flushed) {
        report.warnings.push_back(NotConfirmed("the saved game", flushed.error()));
    }
    return {};
}

GameResult<> SavedGame::writeInPlace(Opened& game, const std::filesystem::path& target,
                                     ProgressSink& progress, SaveReport& report) {
    if (auto same = checkUnchanged(game, target); !same) {
        return same;
    }
    m_backupMade = true;  // from here on the game's own file changes
    if (auto written = WriteParty(*game.archive, game.party.position, m_party, progress);
        !written) {
        return FileFailure(written.error());
    }
    if (auto flushed = game.archive->flush(); !flushed) {
        return FileFailure(flushed.error());
    }
    report.inPlace = true;
    return {};
}

GameResult<std::optional<TemporaryFile>> SavedGame::makeReplacement(
    const std::filesystem::path& target, const FileTraits& traits) {
    auto copy = TemporaryFile::CreateBeside(m_files, target);
    if (!copy) {
        return FileFailure(copy.error());
    }
    if (auto given = copy->file().takeTraits(traits); !given) {
        return FileFailure(given.error());
    }
    const auto made = copy->file().traits();
    if (!made) {
        return FileFailure(made.error());
    }
    if (*made != traits) {
        return std::optional<TemporaryFile>();
    }
    return std::optional<TemporaryFile>(std::move(*copy));
}

GameResult<> SavedGame::checkUnchanged(Opened& game, const std::filesystem::path& target) {
    const auto there = m_files.identityOf(target);
    const auto unchanged = partyIsAsLastSeen(*game.archive, game.party.position);
    if (!unchanged) {
        return FileFailure(unchanged.error());
    }
    // The stamp is read last: it tells of every write up to the moment the game's file changes.
    const auto stamp = game.archive->stamp();
    if (!stamp) {
        return FileFailure(stamp.error());
    }
    if (!there || *there != game.stamp.identity || !*unchanged || *stamp != game.stamp) {
        return MakeError(GameErrorKind::changedSinceLoad, messages::kChangedSinceLoad);
    }
    return {};
}

// Read into the heap: a party is a quarter of a megabyte, too much for the stack of a window's
// thread.
IoResult<bool> SavedGame::partyIsAsLastSeen(File& archive, std::uint64_t position) const {
    const auto onDisk = std::make_unique<Party>();
    if (auto read = ReadParty(archive, position, *onDisk); !read) {
        return read.error();
    }
    return *onDisk == m_onDisk;
}

GameResult<std::uint64_t> SavedGame::bytesASaveWouldChange() {
    const bool held = m_held != nullptr;
    auto opened = openForSave();
    if (!opened) {
        return opened.error();
    }
    if (held) {
        m_held = std::move(opened->archive);  // a script goes on holding it until its save
    }
    // Outside the party's two blocks a save copies the game as it is.
    const auto count = [](std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
        return std::inner_product(a.begin(), a.end(), b.begin(), std::uint64_t{0}, std::plus<>(),
                                  std::not_equal_to<>());
    };
    return count(m_party.values.bytes(), m_onDisk.values.bytes()) +
           count(TableBytes(m_party.characters), TableBytes(m_onDisk.characters));
}

}  // namespace velmor
