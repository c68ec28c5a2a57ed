// The handlers of the window's controls: load, save and close, showing a character, and every
// edit. Each edit handler does nothing without a loaded game, takes every value from the window,
// caps its own, and stores it into the working copy of the party.
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>

#include "party/ClassRules.h"
#include "party/GameVocabulary.h"
#include "party/SkillEditing.h"
#include "savegame/GameCommands.h"
#include "savegame/Messages.h"
#include "ui/EditorWindow.h"
#include "ui/GameText.h"

namespace velmor {
namespace {

const QString kTitle = QStringLiteral("Velmor Saved Game Editor (v1.5)");
const QString kNoGameStatus = QStringLiteral("current game: <none>");

// The commands reach the player through the window's prompts and its progress bar.
class CommandInterface final : public UserInterface {
public:
    CommandInterface(Prompts& prompts, QProgressBar& progress)
        : m_prompts(prompts), m_progress(progress) {}

    std::optional<std::filesystem::path> chooseFile() override { return m_prompts.chooseFile(); }
    MessageAnswer showMessage(std::string_view text, std::string_view caption,
                              MessageStyle style) override {
        return m_prompts.showMessage(text, caption, style);
    }
    void setProgressRange(int lower, int upper) override { m_progress.setRange(lower, upper); }
    void setProgressPosition(int position) override { m_progress.setValue(position); }

private:
    Prompts& m_prompts;
    QProgressBar& m_progress;
};

template <std::size_t Count>
QStringList Names(const std::array<std::string_view, Count>& table) {
    QStringList names;
    for (const std::string_view name : table) {
        names.append(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    return names;
}

std::optional<std::size_t> Selection(const QComboBox& list, std::size_t count) {
    const int index = list.currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= count) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(index);
}

}  // namespace

std::optional<std::size_t> EditorWindow::SelectedCharacter() const {
    return Selection(*m_characterCombo, kCharacterCount);
}

std::optional<std::size_t> EditorWindow::SelectedSkill() const {
    return Selection(*m_skillCombo, kSkillCount);
}

std::optional<std::size_t> EditorWindow::SelectedSpell() const {
    return Selection(*m_spellCombo, kSpellCount);
}

// The record that the edits go to: the selected character's, while a game is loaded.
CharacterRecord* EditorWindow::SelectedRecord() {
    const auto character = SelectedCharacter();
    if (m_session.gameLoaded == 0 || !character) {
        return nullptr;
    }
    return &m_session.party.working.characters[*character];
}

void EditorWindow::OnLoadGame() {
    CommandInterface ui(m_prompts, *m_progress);
    if (!LoadGame(ui, m_session)) {
        return;
    }
    SetLoadedState(true);
    m_statusText =
        "current game: " + QString::fromStdU16String(m_session.g_currentPath.u16string());
    setWindowTitle(kTitle + " - [" + FromGameText(m_session.headerText) + "]");
    const PartyValues& values = m_session.party.working.values;
    m_gold = values.value(PartySlot::gold);
    m_food = values.value(PartySlot::food);
    m_bankGold = values.value(PartySlot::bankGold);
    UpdateData(false);
    for (const CharacterRecord& record : m_session.party.working.characters) {
        m_characterCombo->addItem(FromGameText(record.name()));
    }
    m_characterCombo->setCurrentIndex(0);
    ShowCharacter();
    m_progress->setValue(0);
    UpdateData(false);
}

void EditorWindow::OnSaveGame() {
    CommandInterface ui(m_prompts, *m_progress);
    if (SaveGame(ui, m_session)) {
        m_prompts.showMessage(messages::kSaveSuccessful, kMessageCaption, MessageStyle::ok);
    }
}

void EditorWindow::OnCloseGame() {
    CloseGame(m_session);
    SetLoadedState(false);
    m_statusText = kNoGameStatus;
    setWindowTitle(kTitle);
    m_characterCombo->clear();
    m_skillCombo->clear();
    m_spellCombo->clear();
    for (QPushButton* button : {m_normalButton, m_expertButton, m_masterButton, m_grandmasterButton,
                                m_learnedButton, m_promotedButton}) {
        button->setChecked(false);
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
}

void EditorWindow::ShowCharacter() {
    if (m_session.gameLoaded != 0) {
        UpdateData(true);  // food, gold and bank gold go back as the window holds them
    }
    const auto character = SelectedCharacter();
    if (!character) {
        return;
    }
    const CharacterRecord& record = m_session.party.working.characters[*character];
    m_className = QString::fromStdString(ClassName(record.classIndex()));
    m_infoText = FromGameText(record.infoText());
    m_might = record.number(CharacterNumber::might);
    m_intellect = record.number(CharacterNumber::intellect);
    m_personality = record.number(CharacterNumber::personality);
    m_endurance = record.number(CharacterNumber::endurance);
    m_speed = record.number(CharacterNumber::speed);
    m_accuracy = record.number(CharacterNumber::accuracy);
    m_luck = record.number(CharacterNumber::luck);
    m_skillPoints = record.number(CharacterNumber::skillPoints);
    m_experience = record.number(CharacterNumber::experience);
    m_skillCombo->clear();
    m_spellCombo->clear();
    m_promotedButton->setChecked(IsPromoted(record.classIndex()));

    static const QStringList skillNames = Names(kSkillNames);
    m_skillCombo->addItems(skillNames);
    m_skillCombo->setCurrentIndex(0);
    ShowSkill();
    static const QStringList spellNames = Names(kSpellNames);
    m_spellCombo->addItems(spellNames);
    m_spellCombo->setCurrentIndex(0);
    ShowSpell();
    UpdateData(false);
}

void EditorWindow::OnChangeValue(ValueField field, std::uint32_t& value) {
    if (m_session.gameLoaded == 0) {
        return;
    }
    UpdateData(true);
    const CappedValue capped =
        StoreValue(m_session.party.working, SelectedCharacter(), field, value);
    if (capped.capped) {
        value = capped.value;
        UpdateData(false);
    }
}

void EditorWindow::OnChangeFood() {
    OnChangeValue(ValueField::food, m_food);
}

void EditorWindow::OnChangeGold() {
    OnChangeValue(ValueField::gold, m_gold);
}

void EditorWindow::OnChangeBankGold() {
    OnChangeValue(ValueField::bankGold, m_bankGold);
}

void EditorWindow::OnChangeMight() {
    OnChangeValue(ValueField::might, m_might);
}

void EditorWindow::OnChangeIntellect() {
    OnChangeValue(ValueField::intellect, m_intellect);
}

void EditorWindow::OnChangePersonality() {
    OnChangeValue(ValueField::personality, m_personality);
}

void EditorWindow::OnChangeEndurance() {
    OnChangeValue(ValueField::endurance, m_endurance);
}

void EditorWindow::OnChangeAccuracy() {
    OnChangeValue(ValueField::accuracy, m_accuracy);
}

void EditorWindow::OnChangeSpeed() {
    OnChangeValue(ValueField::speed, m_speed);
}

void EditorWindow::OnChangeLuck() {
    OnChangeValue(ValueField::luck, m_luck);
}

void EditorWindow::OnChangeExperience() {
    OnChangeValue(ValueField::experience, m_experience);
}

void EditorWindow::OnChangeSkillPoints() {
    OnChangeValue(ValueField::skillPoints, m_skillPoints);
}

// Checks the button of the mastery and unchecks the others; no button for an unlearned skill.
void EditorWindow::ShowMastery(Mastery mastery) {
    m_grandmasterButton->setChecked(mastery == Mastery::Grandmaster);
    m_masterButton->setChecked(mastery == Mastery::Master);
    m_expertButton->setChecked(mastery == Mastery::Expert);
    m_normalButton->setChecked(mastery == Mastery::Normal);
}

Mastery EditorWindow::ShownMastery() const {
    if (m_grandmasterButton->isChecked()) {
        return Mastery::Grandmaster;
    }
    if (m_masterButton->isChecked()) {
        return Mastery::Master;
    }
    if (m_expertButton->isChecked()) {
        return Mastery::Expert;
    }
    return m_normalButton->isChecked() ? Mastery::Normal : Mastery::None;
}

void EditorWindow::ShowSkill() {
    ShowMastery(Mastery::None);
    const CharacterRecord* record = SelectedRecord();
    const auto skill = SelectedSkill();
    if (record && skill) {
        const SkillLevel shown = DecodeSkill(record->skill(*skill));
        m_skillLevel = shown.level;
        ShowMastery(shown.mastery);
    }
    UpdateData(false);
}

void EditorWindow::OnChangeSkillLevel() {
    if (m_session.gameLoaded == 0) {
        return;
    }
    const std::int32_t shownLevel = m_skillLevel;
    const Mastery shownMastery = ShownMastery();
    UpdateData(true);  // a field that is no number leaves the level as it was
    const SkillLevelEdit edit = EditSkillLevel(shownLevel, shownMastery, m_skillLevel);
    m_skillLevel = edit.level;
    ShowMastery(edit.mastery);
    CharacterRecord* record = SelectedRecord();
    const auto skill = SelectedSkill();
    if (record && skill) {
        record->setSkill(*skill, edit.stored);
    }
    UpdateData(false);
}

// The clicked button has checked itself. The level is the one shown, not read again.
void EditorWindow::OnMasteryClicked(Mastery mastery) {
    ShowMastery(mastery);
    CharacterRecord* record = SelectedRecord();
    const auto skill = SelectedSkill();
    if (record && skill) {
        record->setSkill(*skill, StoreMastery(mastery, m_skillLevel));
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
    const auto spell = SelectedSpell();
    m_learnedButton->setChecked(record && spell && record->spellLearned(*spell));
    UpdateData(false);
}

void EditorWindow::OnLearned() {
    CharacterRecord* record = SelectedRecord();
    const auto spell = SelectedSpell();
    if (record && spell) {
        record->setSpellLearned(*spell, m_learnedButton->isChecked());
    }
    UpdateData(false);
}

// The box was set from the class byte's parity, so its new state says which way to go.
void EditorWindow::OnPromoted() {
    if (CharacterRecord* record = SelectedRecord()) {
        record->setClassIndex(
            ClassAfterPromotedClick(record->classIndex(), m_promotedButton->isChecked()));
        m_className = QString::fromStdString(ClassName(record->classIndex()));
    }
    UpdateData(false);
}

}  // namespace velmor
