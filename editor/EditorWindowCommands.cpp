// The handlers of the window's controls: load, save and close, showing a character, and every
// edit. Each edit handler does nothing without a loaded game, takes every value from the window,
// caps its own, and stores it into the working copy of the party.
#include <array>
#include <vector>

#include "editor/ControlIds.h"
#include "editor/EditorWindow.h"
#include "party/ClassRules.h"
#include "party/GameVocabulary.h"
#include "party/Windows1252.h"
#include "savegame/Messages.h"

namespace velmor {
namespace {

constexpr std::string_view kTitle = "Velmor Saved Game Editor (v1.5)";
constexpr std::string_view kCloseQuestion =
    "Close this game? The changes that you have not saved will be lost.";
constexpr std::string_view kChangedSinceLoadAdvice =
    "\nYour changes are still here. To keep what is in the file now, close the game and load it "
    "again.";

template <std::size_t Count>
std::vector<std::string> Names(const std::array<std::string_view, Count>& table) {
    return {table.begin(), table.end()};
}

}  // namespace

std::optional<std::size_t> EditorWindow::Selected(int list, std::size_t count) const {
    const int index = m_view.picked(list);
    if (index < 0 || static_cast<std::size_t>(index) >= count) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(index);
}

// The record that is shown: the selected character's, while a game is loaded.
const CharacterRecord* EditorWindow::SelectedRecord() const {
    const auto character = Selected(ids::kCharacterList, kCharacterCount);
    if (!m_game || !character) {
        return nullptr;
    }
    return &m_game->party().characters[*character];
}

bool EditorWindow::LoadGame(std::optional<std::filesystem::path> chosen) {
    if (!chosen) {
        chosen = m_prompts.chooseFile();
    }
    if (!chosen) {
        return false;
    }
    LoadOutcome outcome = SavedGame::Open(*chosen, m_options, m_view);
    for (const GameError& message : outcome.messages) {
        ShowError(m_prompts, message.message);
    }
    m_game = std::move(outcome.game);
    return m_game != nullptr;
}

std::optional<SaveReport> EditorWindow::SaveGame() {
    if (m_prompts.showMessage(messages::kSaveQuestion, kMessageCaption, MessageStyle::yesNo) !=
        MessageAnswer::yes) {
        return std::nullopt;
    }
    auto saved = m_game->save(m_view);
    if (!saved) {
        std::string message = saved.error().message;
        if (saved.error().kind == GameErrorKind::changedSinceLoad) {
            message += kChangedSinceLoadAdvice;
        }
        ShowError(m_prompts, message);
        return std::nullopt;
    }
    return std::move(*saved);
}

void EditorWindow::OnLoadGame() {
    if (LoadGame()) {
        ShowLoadedGame();
    }
}

void EditorWindow::OnOpenGame(const std::filesystem::path& path) {
    if (m_game) {
        if (m_game->hasUnsavedChanges() &&
            m_prompts.showMessage(kCloseQuestion, kMessageCaption, MessageStyle::yesNo) !=
                MessageAnswer::yes) {
            return;
        }
        OnCloseGame();
    }
    std::error_code ignored;
    const auto game = std::filesystem::absolute(path, ignored);
    std::filesystem::current_path(game.parent_path(), ignored);
    if (LoadGame(game)) {
        ShowLoadedGame();
    }
    ShowHistory();
}

void EditorWindow::ShowLoadedGame() {
    SetLoadedState(true);
    m_statusText = "current game: " + DisplayPath(m_game->path());
    m_view.setTitle(std::string(kTitle) + " - [" + Windows1252ToUtf8(m_game->headerText()) + "]");
    const PartyValues& values = m_game->party().values;
    m_gold = values.number(fields::kGold);
    m_food = values.number(fields::kFood);
    m_bankGold = values.number(fields::kBankGold);
    UpdateData(false);
    std::vector<std::string> names;
    for (const CharacterRecord& record : m_game->party().characters) {
        names.push_back(Windows1252ToUtf8(record.name()));
    }
    m_view.setItems(ids::kCharacterList, names);
    m_view.pick(ids::kCharacterList, 0);
    ShowCharacter();
    m_view.setProgressPosition(0);
    UpdateData(false);
    m_history.reset(m_game->party());
    // Load has just disabled itself; the focus goes to the characters rather than on to Save.
    m_view.focus(ids::kCharacterList);
}

void EditorWindow::OnSaveGame() {
    if (const auto report = SaveGame()) {
        std::string message(messages::kSaveSuccessful);
        for (const std::string& warning : report->warnings) {
            message += "\n\nWarning: " + warning + ".";
        }
        m_prompts.showMessage(message, kMessageCaption, MessageStyle::ok);
    }
}

void EditorWindow::OnCloseGame() {
    m_game.reset();
    SetLoadedState(false);
    m_statusText = kNoGameStatus;
    m_view.setTitle(kTitle);
    for (const int list : {ids::kCharacterList, ids::kSkillList, ids::kSpellList}) {
        m_view.setItems(list, {});
    }
    for (const int button : {ids::kNormal, ids::kExpert, ids::kMaster, ids::kGrandmaster,
                             ids::kLearned, ids::kPromoted}) {
        m_view.setChecked(button, false);
    }
    for (std::uint32_t* value : {&m_gold, &m_food, &m_bankGold, &m_might, &m_intellect,
                                 &m_personality, &m_endurance, &m_accuracy, &m_speed, &m_luck}) {
        *value = 0;
    }
    m_skillLevel = 0;
    m_skillPoints = 0;
    m_experience = 0;
    m_className.clear();
    m_infoText.clear();
    UpdateData(false);
    // Close has just disabled itself; the focus goes back to Load rather than on to Exit.
    m_view.focus(ids::kLoadGame);
}

void EditorWindow::ShowPlace(const EditPlace& place) {
    m_view.pick(ids::kCharacterList, place.character);
    ShowCharacter();
    const PartyValues& values = m_game->party().values;
    m_gold = values.number(fields::kGold);
    m_food = values.number(fields::kFood);
    m_bankGold = values.number(fields::kBankGold);
    m_view.pick(ids::kSkillList, place.skill);
    ShowSkill();
    m_view.pick(ids::kSpellList, place.spell);
    ShowSpell();
    m_view.focus(place.control);
}

void EditorWindow::ShowCharacter() {
    if (m_game) {
        UpdateData(true);  // food, gold and bank gold go back as the window holds them
    }
    const CharacterRecord* shown = SelectedRecord();
    if (!shown) {
        return;
    }
    const CharacterRecord& record = *shown;
    m_className = ClassName(record.classIndex());
    m_infoText = Windows1252ToUtf8(record.infoText());
    m_might = record.number(fields::kMight);
    m_intellect = record.number(fields::kIntellect);
    m_personality = record.number(fields::kPersonality);
    m_endurance = record.number(fields::kEndurance);
    m_speed = record.number(fields::kSpeed);
    m_accuracy = record.number(fields::kAccuracy);
    m_luck = record.number(fields::kLuck);
    m_skillPoints = record.number(fields::kSkillPoints);
    m_experience = record.number(fields::kExperience);
    m_view.setChecked(ids::kPromoted, IsPromoted(record.classIndex()));

    static const std::vector<std::string> skillNames = Names(kSkillNames);
    m_view.setItems(ids::kSkillList, skillNames);
    m_view.pick(ids::kSkillList, 0);
    ShowSkill();
    static const std::vector<std::string> spellNames = Names(kSpellNames);
    m_view.setItems(ids::kSpellList, spellNames);
    m_view.pick(ids::kSpellList, 0);
    ShowSpell();
    UpdateData(false);
}

void EditorWindow::OnChangeValue(const PartyField& field, std::uint32_t& value) {
    if (!m_game) {
        return;
    }
    UpdateData(true);
    const NumberEdit edit =
        Editor().setNumber(field, Selected(ids::kCharacterList, kCharacterCount), value);
    if (edit.capped) {
        value = edit.stored;
        UpdateData(false);
    }
}

void EditorWindow::OnChangeFood() {
    OnChangeValue(fields::kFood, m_food);
}

void EditorWindow::OnChangeGold() {
    OnChangeValue(fields::kGold, m_gold);
}

void EditorWindow::OnChangeBankGold() {
    OnChangeValue(fields::kBankGold, m_bankGold);
}

void EditorWindow::OnChangeMight() {
    OnChangeValue(fields::kMight, m_might);
}

void EditorWindow::OnChangeIntellect() {
    OnChangeValue(fields::kIntellect, m_intellect);
}

void EditorWindow::OnChangePersonality() {
    OnChangeValue(fields::kPersonality, m_personality);
}

void EditorWindow::OnChangeEndurance() {
    OnChangeValue(fields::kEndurance, m_endurance);
}

void EditorWindow::OnChangeAccuracy() {
    OnChangeValue(fields::kAccuracy, m_accuracy);
}

void EditorWindow::OnChangeSpeed() {
    OnChangeValue(fields::kSpeed, m_speed);
}

void EditorWindow::OnChangeLuck() {
    OnChangeValue(fields::kLuck, m_luck);
}

void EditorWindow::OnChangeExperience() {
    OnChangeValue(fields::kExperience, m_experience);
}

void EditorWindow::OnChangeSkillPoints() {
    OnChangeValue(fields::kSkillPoints, m_skillPoints);
}

// Checks the button of the mastery and unchecks the others; no button for an unlearned skill.
void EditorWindow::ShowMastery(Mastery mastery) {
    m_view.setChecked(ids::kGrandmaster, mastery == Mastery::Grandmaster);
    m_view.setChecked(ids::kMaster, mastery == Mastery::Master);
    m_view.setChecked(ids::kExpert, mastery == Mastery::Expert);
    m_view.setChecked(ids::kNormal, mastery == Mastery::Normal);
}

Mastery EditorWindow::ShownMastery() const {
    if (m_view.isChecked(ids::kGrandmaster)) {
        return Mastery::Grandmaster;
    }
    if (m_view.isChecked(ids::kMaster)) {
        return Mastery::Master;
    }
    if (m_view.isChecked(ids::kExpert)) {
        return Mastery::Expert;
    }
    return m_view.isChecked(ids::kNormal) ? Mastery::Normal : Mastery::None;
}

void EditorWindow::ShowSkill() {
    ShowMastery(Mastery::None);
    const CharacterRecord* record = SelectedRecord();
    const auto skill = Selected(ids::kSkillList, kSkillCount);
    if (record && skill) {
        const SkillLevel shown = DecodeSkill(record->skill(*skill));
        m_skillLevel = shown.level;
        ShowMastery(shown.mastery);
    }
    UpdateData(false);
}

void EditorWindow::OnChangeSkillLevel() {
    const auto character = Selected(ids::kCharacterList, kCharacterCount);
    const auto skill = Selected(ids::kSkillList, kSkillCount);
    if (!m_game || !character || !skill) {
        return;
    }
    const SkillLevel shown{ShownMastery(), m_skillLevel};
    UpdateData(true);  // a field that is no number leaves the level as it was
    const SkillEdit edit = Editor().typeSkillLevel(*character, *skill, shown, m_skillLevel);
    m_skillLevel = edit.stored.level;
    ShowMastery(edit.stored.mastery);
    UpdateData(false);
}

// The clicked button has checked itself. The level is the one shown, brought within what the
// mastery holds, and the window shows the level stored; the clicked button stays checked.
void EditorWindow::OnMasteryClicked(Mastery mastery) {
    ShowMastery(mastery);
    const auto character = Selected(ids::kCharacterList, kCharacterCount);
    const auto skill = Selected(ids::kSkillList, kSkillCount);
    if (m_game && character && skill) {
        m_skillLevel =
            Editor().clickMastery(*character, *skill, mastery, m_skillLevel).stored.level;
    }
    UpdateData(false);
}

void EditorWindow::OnNormal() {
    OnMasteryClicked(Mastery::Normal);
}

void EditorWindow::OnExpert() {
    OnMasteryClicked(Mastery::Expert);
}

void EditorWindow::OnMaster() {
    OnMasteryClicked(Mastery::Master);
}

void EditorWindow::OnGrandmaster() {
    OnMasteryClicked(Mastery::Grandmaster);
}

// The spell is found by its position in the list, never by its name: two spells share a name.
void EditorWindow::ShowSpell() {
    const CharacterRecord* record = SelectedRecord();
    const auto spell = Selected(ids::kSpellList, kSpellCount);
    m_view.setChecked(ids::kLearned, record && spell && record->spellLearned(*spell));
    UpdateData(false);
}

void EditorWindow::OnLearned() {
    const auto character = Selected(ids::kCharacterList, kCharacterCount);
    const auto spell = Selected(ids::kSpellList, kSpellCount);
    if (m_game && character && spell) {
        Editor().setSpellLearned(*character, *spell, m_view.isChecked(ids::kLearned));
    }
    UpdateData(false);
}

// The box was set from the class byte's parity, so its new state says which way to go.
void EditorWindow::OnPromoted() {
    const auto character = Selected(ids::kCharacterList, kCharacterCount);
    if (m_game && character) {
        m_className = ClassName(Editor().stepClass(*character, m_view.isChecked(ids::kPromoted)));
    }
    UpdateData(false);
}

}  // namespace velmor
