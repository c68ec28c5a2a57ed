// velmor-save: the editor's core on the command line, to inspect, script, compare and verify
// saved games.
#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>

#include "cli/Commands.h"
#include "savegame/FileSystem.h"

namespace {

int Run(int argc, char* argv[]) {
    using namespace velmor::cli;
    CLI::App app{
        "Inspect, change, compare and verify saved games of Velmor, with the same rules as the "
        "Velmor Saved Game Editor. Every write keeps a backup (GAME.bak) of the game as it was "
        "before the first change.",
        "velmor-save"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "velmor-save 1.5");
    const Output output{std::cout, std::cerr};
    int status = kSuccess;

    std::string game;
    std::string other;
    std::string changes;
    std::vector<std::string> assignments;
    bool dryRun = false;
    bool force = false;

    app.add_subcommand(
           "info", "Show the header, where the party lies, the party values and the 36 characters.")
        ->callback([&] { status = RunInfo(game, output); })
        ->add_option("GAME", game, "the saved game")
        ->required();

    app.add_subcommand("dump", "Print everything the editor can read and change, as JSON.")
        ->callback([&] { status = RunDump(game, output); })
        ->add_option("GAME", game, "the saved game")
        ->required();

    auto* set = app.add_subcommand(
        "set",
        "Change fields in place, with the editor's limits; a value above its limit is stored at "
        "the "
        "limit, with a warning.\n"
        "Fields: party.food|gold|bankGold, characters.N.might|intellect|personality|endurance|"
        "accuracy|speed|luck|experience|skillPoints, characters.N.skills.K=Mastery:Level "
        "(None, Normal, Expert, Master, Grandmaster), characters.N.spells.S=learned|unlearned, "
        "characters.N.promoted=true|false.\n"
        "Example: velmor-save set game.dkv party.gold=5000 characters.0.skills.12=Expert:10");
    set->add_option("GAME", game, "the saved game")->required();
    set->add_option("ASSIGNMENT", assignments, "FIELD=VALUE, one or more")->required();
    set->add_flag("--dry-run", dryRun, "print what would change and write nothing");
    set->callback([&] { status = RunSet(game, assignments, dryRun, output); });

    auto* apply = app.add_subcommand(
        "apply",
        "Change the fields that a JSON document of the dump's shape holds; fields left out stay as "
        "they are, and applying an unchanged dump changes nothing.");
    apply->add_option("GAME", game, "the saved game")->required();
    apply->add_option("CHANGES", changes, "the JSON document")->required();
    apply->add_flag("--dry-run", dryRun, "print what would change and write nothing");
    apply->callback([&] { status = RunApply(game, changes, dryRun, output); });

    auto* diff = app.add_subcommand(
        "diff",
        "List the party values and character fields that differ, then how many other bytes "
        "differ. Exit status 0 when the games are equal, 1 when they differ, 2 on error.");
    diff->add_option("A", game, "the first saved game")->required();
    diff->add_option("B", other, "the second saved game")->required();
    diff->callback([&] { status = RunDiff(game, other, output); });

    app.add_subcommand(
           "verify",
           "Check that a save without edits would leave the game byte for byte as it is, and list "
           "anything unusual. Exit status 0 when clean, 1 when something is unusual, 2 on error.")
        ->callback([&] { status = RunVerify(game, output); })
        ->add_option("GAME", game, "the saved game")
        ->required();

    auto* demo = app.add_subcommand(
        "demo",
        "Write a demo saved game of our own, to try the editor on without risking a real one.");
    demo->add_option("OUT", game, "where to write it")->required();
    demo->add_flag("--force", force, "replace the file if it exists");
    demo->callback([&] { status = RunDemo(game, force, output); });

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int exit = app.exit(error);
        return exit == 0 ? kSuccess : kFailure;
    }
    return status;
}

}  // namespace

int main(int argc, char* argv[]) {
    velmor::TellOversizedWritesAsErrors();
    // The last resort: whatever went wrong is told and ends with the status of an error, never
    // with an abort. A save puts the whole new game in place in one step, so a game is never left
    // half-written.
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "error: an unexpected failure: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "error: an unexpected failure\n";
    }
    return velmor::cli::kFailure;
}
