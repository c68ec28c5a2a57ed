// What the editor's one window does, whatever draws it: the opened saved game and the picked
// character, skill and spell; the load, save and close commands with their questions and
// messages; what every control shows and what a typed value means. A window (Qt's, Windows')
// implements the View and the Prompts and passes every notification here.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "editor/DataExchange.h"
#include "editor/EditHistory.h"
#include "editor/Prompts.h"
#include "editor/View.h"
#include "party/PartyEditor.h"
#include "party/SkillValue.h"
#include "savegame/SavedGame.h"

namespace velmor {

// The commands of the window's menu. Windows keeps the low four bits of a menu command for
// itself, so they are masked off before a comparison.
inline constexpr unsigned kAboutCommand = 0x0010;
inline constexpr unsigned kUndoCommand = 0x0020;
inline constexpr unsigned kRedoCommand = 0x0030;

// The items that the window's menu ends with, in order; an item without text is a separator. On
// Windows they follow the system menu's own; a menu of the window's own leaves out the first
// separator, which would have nothing above it.
struct MenuItem {
    std::string_view text;
    unsigned command = 0;
};
inline constexpr std::string_view kAboutItem = "&About Velmor...";
inline constexpr MenuItem kWindowMenu[] = {{},
                                           {"&Undo\tCtrl+Z", kUndoCommand},
                                           {"&Redo\tCtrl+Y", kRedoCommand},
                                           {},
                                           {kAboutItem, kAboutCommand}};

// The keys that run a menu command wherever the focus is, even in a field, whose own undo they
// take the place of.
struct Shortcut {
    char letter;  // with Ctrl
    bool shift;
    unsigned command;
};
inline constexpr Shortcut kShortcuts[] = {
    {'Z', false, kUndoCommand}, {'Y', false, kRedoCommand}, {'Z', true, kRedoCommand}};

class EditorWindow {
public:
    // Every load copies the game's picture to "image.pcx" in the working directory, unless the
    // options say otherwise.
    EditorWindow(View& view, Prompts& prompts, OpenOptions options = {.picture = "image.pcx"});
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // Once, before the window shows: the empty window's values, the status line and the ranges of
    // the number fields' arrows.
    void OnInitDialog();

    // A control's notification. While the editor itself writes values into the controls, the
    // notifications that this raises run nothing.
    void OnCommand(int id, Notification notification);

    // A command from the window's menu or one of kShortcuts; answers whether it was the editor's
    // own.
    bool OnSysCommand(unsigned command);

    // Takes back the last change of the party since the load, or makes again the last taken
    // back, and shows the character and the control it belongs to.
    void OnUndo();
    void OnRedo();

    // Opens a saved game chosen outside the window (on the command line, dropped on the window or
    // on the program) as Load Game... opens a chosen one, its folder becoming the working
    // directory. A game that is loaded is closed first, as Close Game... closes it, after a
    // question when it holds changes not saved.
    void OnOpenGame(const std::filesystem::path& path);

    // Exit and Enter: takes every value and ends the window, unless a field holds no number.
    void OnOK();

    // The loaded game; nothing while none is loaded.
    SavedGame* game() const { return m_game.get(); }

    // true: takes every bound value from its control; false: writes every one into its control.
    // Answers false when a field does not hold a number: the player has been told, and the field
    // shows again the value it kept, selected, with the focus.
    bool UpdateData(bool saveAndValidate = true);

    // Enables the editing controls and Save and Close, and disables Load, or the reverse.
    void SetLoadedState(bool loaded);

private:
    static constexpr std::string_view kNoGameStatus = "current game: <none>";

    struct Handler;
    static const Handler kMessageMap[];

    void BindValues();

    // Asks for a saved game, unless one is given, and loads it; answers whether it did. Every
    // message of the load has been shown by then.
    bool LoadGame(std::optional<std::filesystem::path> chosen = std::nullopt);
    void ShowLoadedGame();
    // Asks, then writes the party back; answers what came of it when it did.
    std::optional<SaveReport> SaveGame();

    // The handlers of the controls.
    void OnExit();
    void OnLoadGame();
    void OnSaveGame();
    void OnCloseGame();
    void ShowCharacter();
    void OnChangeFood();
    void OnChangeGold();
    void OnChangeBankGold();
    void OnChangeMight();
    void OnChangeIntellect();
    void OnChangePersonality();
    void OnChangeEndurance();
    void OnChangeAccuracy();
    void OnChangeSpeed();
    void OnChangeLuck();
    void OnChangeExperience();
    void OnChangeSkillPoints();
    void ShowSkill();
    void OnChangeSkillLevel();
    void OnNormal();
    void OnExpert();
    void OnMaster();
    void OnGrandmaster();
    void ShowSpell();
    void OnLearned();
    void OnPromoted();

    // Shows the party as it stands at `place`: its character, skill and spell, with the focus
    // on its control.
    void ShowPlace(const EditPlace& place);
    // Undo and Redo on the menu, as far as there is something to take back or make again.
    void ShowHistory();

    // What the handlers share.
    void OnChangeValue(const PartyField& field, std::uint32_t& value);
    void OnMasteryClicked(Mastery mastery);
    void ShowMastery(Mastery mastery);
    Mastery ShownMastery() const;
    std::optional<std::size_t> Selected(int list, std::size_t count) const;
    const CharacterRecord* SelectedRecord() const;
    PartyEditor Editor() { return PartyEditor(m_game->party()); }

    View& m_view;
    Prompts& m_prompts;
    OpenOptions m_options;
    std::unique_ptr<SavedGame> m_game;
    DataExchange m_exchange;
    bool m_exchanging = false;
    EditHistory m_history;

    // The bound values, in the order of their exchange.
    std::string m_characterText;
    std::uint32_t m_food = 0;
    std::uint32_t m_gold = 0;
    std::string m_className;
    std::string m_infoText;
    std::uint32_t m_intellect = 0;
    std::uint32_t m_might = 0;
    std::uint32_t m_personality = 0;
    std::string m_statusText;
    std::uint32_t m_endurance = 0;
    std::uint32_t m_luck = 0;
    std::uint32_t m_speed = 0;
    std::uint32_t m_accuracy = 0;
    std::int32_t m_skillLevel = 0;
    std::uint32_t m_skillPoints = 0;
    std::uint32_t m_experience = 0;
    std::uint32_t m_bankGold = 0;
};

}  // namespace velmor
