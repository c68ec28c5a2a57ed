// The editor's one window: the party of the loaded saved game, and the commands on it.
#pragma once

#include <QDialog>
#include <QIcon>
#include <cstdint>
#include <memory>
#include <optional>

#include "party/PartyEditor.h"
#include "party/SkillValue.h"
#include "savegame/SavedGame.h"
#include "ui/DataExchange.h"
#include "ui/DialogControls.h"
#include "ui/Prompts.h"

class QComboBox;
class QProgressBar;
class QPushButton;

namespace velmor {

class NumberField;

// The command ID of the About item on the window's menu. Windows keeps the low four bits of a menu
// command for itself, so they are masked off before the comparison.
inline constexpr unsigned kAboutCommand = 0x0010;

class EditorWindow : public QDialog {
    Q_OBJECT

public:
    // Without prompts of its own the window asks with Qt's dialogs; tests give a script. Every
    // load copies the game's picture to "image.pcx" in the working directory, unless the options
    // say otherwise.
    explicit EditorWindow(Prompts* prompts = nullptr,
                          OpenOptions options = {.picture = "image.pcx"});
    ~EditorWindow() override;

    QWidget* control(int id) const { return m_controls.control(id); }

    // The loaded game; nothing while none is loaded.
    SavedGame* game() const { return m_game.get(); }

    // true: takes every bound value from its control; false: writes every one into its control.
    // While either runs, the controls' notifications run no handler. Answers false when a field
    // does not hold a number: the player has been told, and the field shows again the value it
    // kept, selected, with the focus.
    bool UpdateData(bool saveAndValidate = true);

    // Enables the editing controls and Save and Close, and disables Load, or the reverse.
    void SetLoadedState(bool loaded);

    // A command from the window's menu; answers whether it was the editor's own.
    bool OnSysCommand(unsigned command);

    // The icon that stands for the window while it is minimised and dragged.
    QIcon OnQueryDragIcon() const { return m_hIcon; }

    // Exit and Enter: takes every value and ends the window, unless a field holds no number.
    void OnOK();

protected:
    void paintEvent(QPaintEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void OnInitDialog();
    void BindValues();
    void ConnectHandlers();
    template <typename Sender, typename Signal>
    void Connect(Sender* sender, Signal signal, void (EditorWindow::*handler)());

    // Asks for a saved game and loads it; answers whether it did. Every message of the load has
    // been shown by then.
    bool LoadGame();
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

    // What the handlers share.
    void OnChangeValue(const PartyField& field, std::uint32_t& value);
    void OnMasteryClicked(Mastery mastery);
    void ShowMastery(Mastery mastery);
    Mastery ShownMastery() const;
    std::optional<std::size_t> SelectedCharacter() const;
    std::optional<std::size_t> SelectedSkill() const;
    std::optional<std::size_t> SelectedSpell() const;
    const CharacterRecord* SelectedRecord() const;
    PartyEditor Editor() {
        return PartyEditor(m_game->party());
    }

    OpenOptions m_options;
    std::unique_ptr<SavedGame> m_game;
    std::unique_ptr<Prompts> m_ownPrompts;
    Prompts& m_prompts;
    DialogControls m_controls;
    DataExchange m_exchange;
    bool m_exchanging = false;

    // The controls that the handlers use.
    QPushButton* m_promotedButton;
    QComboBox* m_spellCombo;
    QPushButton* m_learnedButton;
    QPushButton* m_grandmasterButton;
    QPushButton* m_expertButton;
    QPushButton* m_normalButton;
    QPushButton* m_masterButton;
    QComboBox* m_skillCombo;
    QComboBox* m_characterCombo;
    QProgressBar* m_progress;

    // The bound values, in the order of their exchange.
    QString m_characterText;
    std::uint32_t m_food = 0;
    std::uint32_t m_gold = 0;
    QString m_className;
    QString m_infoText;
    std::uint32_t m_intellect = 0;
    std::uint32_t m_might = 0;
    std::uint32_t m_personality = 0;
    QString m_statusText;
    std::uint32_t m_endurance = 0;
    std::uint32_t m_luck = 0;
    std::uint32_t m_speed = 0;
    std::uint32_t m_accuracy = 0;
    std::int32_t m_skillLevel = 0;
    std::uint32_t m_skillPoints = 0;
    std::uint32_t m_experience = 0;
    std::uint32_t m_bankGold = 0;
    QIcon m_hIcon;
};

}  // namespace velmor
