#include "cli/Commands.h"

#include <algorithm>
#include <fstream>

#include "cli/DemoGame.h"
#include "cli/GameDiff.h"
#include "cli/PartyJson.h"
#include "cli/Verify.h"
#include "party/ClassRules.h"
#include "party/Windows1252.h"
#include "savegame/FileSystem.h"
#include "savegame/TemporaryFile.h"

namespace velmor::cli {
namespace {

// Loads the game as the window does, but copies no picture; the load's messages go to standard
// error, as the window shows them. A command that writes keeps the game open and locked until it
// has saved, so that nobody changes it in between. Nothing when the load failed.
std::unique_ptr<SavedGame> Load(const std::filesystem::path& path, Output output,
                                bool keepOpen = false, std::vector<GameError>* notices = nullptr) {
    LoadOutcome outcome = SavedGame::Open(path, {.keepOpen = keepOpen});
    for (const GameError& message : outcome.messages) {
        output.errors << message.message << '\n';
    }
    if (notices) {
        *notices = std::move(outcome.messages);
    }
    return std::move(outcome.game);
}

// Applies the edits to the party and, unless this is a dry run, saves: nothing is written when
// any edit is refused or when nothing would change.
int ApplyAndSave(SavedGame& game, const std::vector<Edit>& edits, bool dryRun, Output output) {
    EditReport report;
    const auto edited = std::make_unique<Party>(game.party());  // too large for the stack
    for (const Edit& edit : edits) {
        if (const auto problem = ApplyEdit(*edited, edit, report)) {
            output.errors << "error: " << problem->message << "; nothing was written\n";
            return kFailure;
        }
    }
    for (const std::string& warning : report.warnings) {
        output.errors << "warning: " << warning << '\n';
    }
    for (const Change& change : report.changes) {
        output.out << change.path << ": " << change.before << " -> " << change.after << '\n';
    }
    if (dryRun || report.changes.empty()) {
        return kSuccess;
    }
    game.party() = *edited;
    const auto saved = game.save();
    if (!saved) {
        output.errors << saved.error().message << '\n';
        if (saved.error().kind == GameErrorKind::changedSinceLoad) {
            output.errors << "Nothing was written. Run the command again to change the game as it "
                             "is now.\n";
        }
        return kFailure;
    }
    for (const std::string& warning : saved->warnings) {
        output.errors << "warning: " << warning << '\n';
    }
    return kSuccess;
}

// The text followed by spaces up to `width` characters; UTF-8 continuation bytes take no room.
std::string Padded(std::string text, std::size_t width) {
    const auto characters = static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    if (characters < width) {
        text.append(width - characters, ' ');
    }
    return text;
}

void Report(std::ostream& errors, const IoError& error) {
    errors << "ERROR: " << error.message << "!\n";
}

}  // namespace

int RunInfo(const std::filesystem::path& game, Output output) {
    const auto opened = Load(game, output);
    if (!opened) {
        return kFailure;
    }
    const PartyPlace& party = opened->facts().party;
    const PartyValues& values = opened->party().values;
    std::ostream& out = output.out;
    out << "header: " << Windows1252ToUtf8(opened->headerText()) << '\n'
        << "entries: " << opened->facts().entryCount << '\n'
        << "party: entry \"" << party.entryName << "\" (directory record " << party.record << "), "
        << party.size << " bytes at byte " << party.position << '\n'
        << "food: " << values.number(fields::kFood) << '\n'
        << "gold: " << values.number(fields::kGold) << '\n'
        << "bank gold: " << values.number(fields::kBankGold) << '\n';
    const CharacterTable& characters = opened->party().characters;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const std::uint8_t classIndex = characters[i].classIndex();
        std::string line = (i < 10 ? " " : "") + std::to_string(i) + "  " +
                           Padded(Windows1252ToUtf8(characters[i].name()), 32) + "  " +
                           ClassName(classIndex);
        if (IsPromoted(classIndex)) {
            line = Padded(line, 4 + 32 + 2 + 20) + "  promoted";
        }
        out << line << '\n';
    }
    return kSuccess;
}

int RunDump(const std::filesystem::path& game, Output output) {
    const auto opened = Load(game, output);
    if (!opened) {
        return kFailure;
    }
    output.out << DumpGame(*opened);
    return kSuccess;
}

int RunSet(const std::filesystem::path& game, const std::vector<std::string>& assignments,
           bool dryRun, Output output) {
    std::vector<Edit> edits;
    for (const std::string& assignment : assignments) {
        const auto edit = ParseAssignment(assignment);
        if (const auto* problem = std::get_if<Problem>(&edit)) {
            output.errors << "error: " << assignment << ": " << problem->message
                          << "; nothing was written\n";
            return kFailure;
        }
        edits.push_back(std::get<Edit>(edit));
    }
    auto opened = Load(game, output, true);
    if (!opened) {
        return kFailure;
    }
    return ApplyAndSave(*opened, edits, dryRun, output);
}

int RunApply(const std::filesystem::path& game, const std::filesystem::path& changes, bool dryRun,
             Output output) {
    std::ifstream in(changes);
    if (!in) {
        output.errors << "error: cannot read \"" << DisplayPath(changes) << "\"\n";
        return kFailure;
    }
    const Json document = Json::parse(in, nullptr, false);
    if (document.is_discarded()) {
        output.errors << "error: \"" << DisplayPath(changes)
                      << "\" is not valid JSON; nothing was written\n";
        return kFailure;
    }
    auto opened = Load(game, output, true);
    if (!opened) {
        return kFailure;
    }
    const auto edits = EditsFromDocument(document, *opened);
    if (const auto* problem = std::get_if<Problem>(&edits)) {
        output.errors << "error: " << problem->message << "\nnothing was written\n";
        return kFailure;
    }
    return ApplyAndSave(*opened, std::get<std::vector<Edit>>(edits), dryRun, output);
}

int RunDiff(const std::filesystem::path& a, const std::filesystem::path& b, Output output) {
    const auto gameA = Load(a, output);
    const auto gameB = gameA ? Load(b, output) : nullptr;
    if (!gameA || !gameB) {
        return kFailure;
    }
    auto fileA = SystemFiles().openForReading(a);
    auto fileB = SystemFiles().openForReading(b);
    if (!fileA || !fileB) {
        Report(output.errors, fileA ? fileB.error() : fileA.error());
        return kFailure;
    }
    const auto found = DiffGames(*gameA, **fileA, *gameB, **fileB);
    if (!found) {
        Report(output.errors, found.error());
        return kFailure;
    }
    const GameDifference& difference = *found;
    if (difference.none()) {
        return kSuccess;
    }
    for (const Change& change : difference.fields) {
        output.out << change.path << ": " << change.before << " -> " << change.after << '\n';
    }
    output.out << difference.otherPartyBytes << " other bytes of party.bin differ\n"
               << difference.otherFileBytes << " bytes of the rest of the file differ\n";
    return kFound;
}

int RunVerify(const std::filesystem::path& game, Output output) {
    std::vector<GameError> notices;
    const auto opened = Load(game, output, true, &notices);
    if (!opened) {
        return kFailure;
    }
    const auto changed = opened->bytesASaveWouldChange();
    if (!changed) {
        output.errors << changed.error().message << '\n';
        return kFailure;
    }
    if (*changed != 0) {
        output.errors << "error: a save without edits would change " << *changed << " bytes\n";
        return kFailure;
    }
    const auto findings = UnusualThings(*opened, notices);
    for (const std::string& finding : findings) {
        output.out << finding << '\n';
    }
    if (findings.empty()) {
        output.out << "clean: a save without edits leaves the game byte for byte as it is\n";
        return kSuccess;
    }
    return kFound;
}

int RunDemo(const std::filesystem::path& out, bool replace, Output output) {
    if (!replace && std::filesystem::exists(out)) {
        output.errors << "error: \"" << DisplayPath(out)
                      << "\" exists; add --force to replace it\n";
        return kFailure;
    }
    const auto report = [&output](const IoError& error) {
        Report(output.errors, error);
        return kFailure;
    };
    // Written whole beside its name first, so that a demo that fails half-way leaves nothing.
    auto file = TemporaryFile::CreateBeside(SystemFiles(), out);
    if (!file) {
        return report(file.error());
    }
    if (auto written = file->file().writeAt(0, DemoGame()); !written) {
        return report(written.error());
    }
    if (auto flushed = file->file().flush(); !flushed) {
        return report(flushed.error());
    }
    if (auto replaced = file->replaceTarget(); !replaced) {
        return report(replaced.error());
    }
    if (auto flushed = SystemFiles().flushFolderOf(out); !flushed) {
        output.errors << "warning: " << NotConfirmed("the demo", flushed.error()) << '\n';
    }
    output.out << "wrote the demo saved game \"" << DisplayPath(out) << "\"\n";
    return kSuccess;
}

}  // namespace velmor::cli
