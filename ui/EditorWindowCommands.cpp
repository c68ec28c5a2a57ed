// The handlers of the window's controls: load, save and close, showing a character, and every
// edit. Each edit handler does nothing without a loaded game, takes every value from the window,
// caps its own, and stores it into the working copy of the party.
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>

#include "party/ClassRules.h"
#include "party/GameVocabulary.h"
#include "savegame/Messages.h"
#include "ui/ControlIds.h"
#include "ui/EditorWindow.h"
#include "ui/GameText.h"

namespace velmor {
namespace {

const QString kTitle = QStringLiteral("Velmor Saved Game Editor (v1.5)");
const QString kNoGameStatus = QStringLiteral("current game: <none>");
constexpr std::string_view kChangedSinceLoadAdvice =
    "\nYour changes are still here. To keep what is in the file now, close the game and load it "
    "again.";

// A load or a save moves the window's progress bar.
class ProgressBar final : public ProgressSink {
public:
    explicit ProgressBar(QProgressBar& bar) : m_bar(bar) {}
    void setProgressRange(int lower, int upper) override { m_bar.setRange(lower, upper); }
    void setProgressPosition(int position) override { m_bar.setValue(position); }

private:
    QProgressBar& m_bar;
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

// The record that is shown: the selected character's, while a game is loaded.
const CharacterRecord* EditorWindow::SelectedRecord() const {
    const auto character = SelectedCharacter();
    if (!m_game || !character) {
        return nullptr;
    }
    return &m_game->party().characters[*character];
}

bool EditorWindow::LoadGame() {
    const auto chosen = m_prompts.chooseFile();
    if (!chosen) {
        return false;
    }
    ProgressBar progress(*m_progress);
    LoadOutcome outcome = SavedGame::Open(*chosen, m_options, progress);
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
    ProgressBar progress(*m_progress);
    auto saved = m_game->save(progress);
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
    if (!LoadGame()) {
        return;
    }
    SetLoadedState(true);
    m_statusText = "current game: " + QString::fromStdU16String(m_game->path().u16string());
    setWindowTitle(kTitle + " - [" + FromGameText(m_game->headerText()) + "]");
    const PartyValues& values = m_game->party().values;
    m_gold = values.number(fields::kGold);
    m_food = values.number(fields::kFood);
    m_bankGold = values.number(fields::kBankGold);
    UpdateData(false);
    for (const CharacterRecord& record : m_game->party().characters) {
        m_characterCombo->addItem(FromGameText(record.name()));
    }
    m_characterCombo->setCurrentIndex(0);
    ShowCharacter();
    m_progress->setValue(0);
    UpdateData(false);
    // Load has just disabled itself; the focus goes to the characters rather than on to Save, and
    // shows there at once, as after a Tab. The window marks the focus itself: it gets the keyboard
    // back from the file dialog only after this, for a reason that draws no mark.
    setAttribute(Qt::WA_KeyboardFocusChange);
    m_characterCombo->setFocus();
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
    // Close has just disabled itself; the focus goes back to Load rather than on to Exit.
    m_controls.control(ids::kLoadGame)->setFocus();
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
    m_className = QString::fromStdString(ClassName(record.classIndex()));
    m_infoText = FromGameText(record.infoText());
    m_might = record.number(fields::kMight);
    m_intellect = record.number(fields::kIntellect);
    m_personality = record.number(fields::kPersonality);
    m_endurance = record.number(fields::kEndurance);
    m_speed = record.number(fields::kSpeed);
    m_accuracy = record.number(fields::kAccuracy);
    m_luck = record.number(fields::kLuck);
    m_skillPoints = record.number(fields::kSkillPoints);
    m_experience = record.number(fields::kExperience);
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

void EditorWindow::OnChangeValue(const PartyField& field, std::uint32_t& value) {
    if (!m_game) {
        return;
    }
    UpdateData(true);
    const NumberEdit edit = Editor().setNumber(field, SelectedCharacter(), value);
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
    const auto character = SelectedCharacter();
    const auto skill = SelectedSkill();
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

// The clicked button has checked itself and stays checked. The level is the one shown, not read
// again, and the field shows the level stored, which the mastery may have brought into its range.
void EditorWindow::OnMasteryClicked(Mastery mastery) {
    ShowMastery(mastery);
    const auto character = SelectedCharacter();
    const auto skill = SelectedSkill();
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
    const auto spell = SelectedSpell();
    m_learnedButton->setChecked(record && spell && record->spellLearned(*spell));
    UpdateData(false);
}

void EditorWindow::OnLearned() {
    const auto character = SelectedCharacter();
    const auto spell = SelectedSpell();
    if (m_game && character && spell) {
        Editor().setSpellLearned(*character, *spell, m_learnedButton->isChecked());
    }
    UpdateData(false);
}

// The box was set from the class byte's parity, so its new state says which way to go.
void EditorWindow::OnPromoted() {
    const auto character = SelectedCharacter();
    if (m_game && character) {
        const std::uint8_t stepped = Editor().stepClass(*character, m_promotedButton->isChecked());
        m_className = QString::fromStdString(ClassName(stepped));
    }
    UpdateData(false);
}

}  // namespace velmor
