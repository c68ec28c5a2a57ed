#include <algorithm>
#include <array>

#include "savegame/ArchiveChecks.h"
#include "savegame/GameCommands.h"
#include "savegame/Messages.h"
#include "savegame/PartyEntry.h"
#include "savegame/PictureFile.h"

namespace velmor {
namespace {

IoResult<std::string> ReadHeaderText(GameFile& archive, const ArchiveEntry& header) {
    std::array<std::uint8_t, kHeaderTextSize> bytes{};
    if (auto read = archive.readAt(header.dataPosition(), bytes); !read) {
        return read.error();
    }
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return std::string(bytes.begin(), end);
}

// Runs every check of the load and reads the party into the staging copy. Answers whether the
// party was read; a check that fails has shown its message.
IoResult<bool> ReadArchive(UserInterface& ui, GameSession& session, GameFile& archive,
                           PictureFile* picture) {
    const auto directory = ReadCheckedDirectory(ui, archive, EmptyArchive::refuse);
    if (!directory) {
        return directory.error();
    }
    if (!*directory) {
        return false;
    }
    const ArchiveDirectory& records = **directory;

    if (const auto header = FindEntry(records, "header.bin")) {
        auto text = ReadHeaderText(archive, records.records[*header]);
        if (!text) {
            return text.error();
        }
        session.headerText = std::move(*text);
    } else {
        ShowError(ui, messages::kNoHeaderEntry);
    }

    if (const auto image = FindEntry(records, "image.pcx")) {
        if (picture) {
            if (auto copy = picture->copyFrom(archive, records.records[*image]); !copy) {
                return copy.error();
            }
        }
    } else {
        ShowError(ui, messages::kNoImageEntry);
    }
    if (picture) {
        if (auto finish = picture->finish(); !finish) {
            return finish.error();
        }
    }

    const auto party = LocateParty(ui, archive, records, messages::kNoPartyEntryOnLoad);
    if (!party) {
        return party.error();
    }
    if (!*party) {
        return false;
    }
    if (auto read = ReadParty(archive, **party, session.party.staging, ui); !read) {
        return read.error();
    }
    return true;
}

// Opens the chosen file and the picture file, then reads. Both opens are tried, so that the
// picture file is emptied even when the saved game cannot be opened.
IoResult<bool> LoadChosenGame(UserInterface& ui, GameSession& session) {
    auto archive = GameFile::OpenExclusive(session.g_currentPath);
    if (!archive) {
        ShowError(ui, messages::kCannotOpenFile);
    }
    std::optional<PictureFile> picture;
    if (session.imagePath) {
        auto opened = PictureFile::Open(*session.imagePath);
        if (!opened) {
            ShowError(ui, messages::kCannotReadImage);
            return false;
        }
        picture.emplace(std::move(*opened));
    }
    const auto loaded =
        archive ? ReadArchive(ui, session, *archive, picture ? &*picture : nullptr) : false;
    if (picture) {
        if (auto finish = picture->finish(); !finish && loaded) {
            return finish.error();
        }
    }
    return loaded;
}

}  // namespace

bool LoadGame(UserInterface& ui, GameSession& session) {
    const auto chosen = ui.chooseFile();
    if (!chosen) {
        session.gameLoaded = 0;
        return false;
    }
    session.g_currentPath = *chosen;
    session.g_currentFileName = chosen->filename();
    session.headerText.clear();

    const auto loaded = LoadChosenGame(ui, session);
    if (!loaded) {
        // A file that fails while it is being read ends the load before anything is taken over.
        ShowError(ui, "ERROR: " + loaded.error().message + "!");
        return false;
    }
    if (*loaded) {
        session.party.commit();
        session.backupMade = false;
    }
    session.gameLoaded = 1;
    return *loaded;
}

}  // namespace velmor
