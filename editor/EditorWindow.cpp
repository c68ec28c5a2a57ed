#include "editor/EditorWindow.h"

#include "editor/ControlIds.h"

namespace velmor {
namespace {

constexpr std::string_view kNotANumber =
    "Please enter a whole number in this field, using digits only.";

// The controls that a load enables and a close disables, in this order. Exit, the labels, the
// pictures, the progress bar and the status line are always enabled, and the six resistance
// fields always disabled: the editor does not edit resistances.
constexpr int kEditingControls[] = {
    ids::kInfoPanel,  ids::kCharacterList,  ids::kSkillList,   ids::kClassName,
    ids::kGold,       ids::kGoldSpin,       ids::kFood,        ids::kFoodSpin,
    ids::kBankGold,   ids::kBankGoldSpin,   ids::kMight,       ids::kMightSpin,
    ids::kIntellect,  ids::kIntellectSpin,  ids::kPersonality, ids::kPersonalitySpin,
    ids::kEndurance,  ids::kEnduranceSpin,  ids::kAccuracy,    ids::kAccuracySpin,
    ids::kSpeed,      ids::kSpeedSpin,      ids::kLuck,        ids::kLuckSpin,
    ids::kSkillLevel, ids::kSkillLevelSpin, ids::kSkillPoints, ids::kSkillPointsSpin,
    ids::kExperience, ids::kExperienceSpin, ids::kNormal,      ids::kExpert,
    ids::kMaster,     ids::kGrandmaster,    ids::kSpellList,   ids::kLearned,
    ids::kPromoted,
};

// The number fields whose arrows run from 0 to the limit of the value each edits.
const std::pair<int, const PartyField*> kNumberFields[] = {
    {ids::kGold, &fields::kGold},
    {ids::kFood, &fields::kFood},
    {ids::kBankGold, &fields::kBankGold},
    {ids::kMight, &fields::kMight},
    {ids::kIntellect, &fields::kIntellect},
    {ids::kPersonality, &fields::kPersonality},
    {ids::kEndurance, &fields::kEndurance},
    {ids::kAccuracy, &fields::kAccuracy},
    {ids::kSpeed, &fields::kSpeed},
    {ids::kLuck, &fields::kLuck},
    {ids::kSkillPoints, &fields::kSkillPoints},
    {ids::kExperience, &fields::kExperience},
};

// The skill level's arrows go up to 255 although a level above 60 is stored as 60: each step past
// 60 is brought back. A Grandmaster's level below zero steps by one, up to 0 and down to the
// lowest level that it holds.
constexpr ArrowRange kSkillLevelArrows{0, 255, kLowestGrandmasterLevel};

// Marks an exchange for as long as it runs, so that the text changes it makes run no handler.
class ExchangeGuard {
public:
    explicit ExchangeGuard(bool& exchanging) : m_exchanging(exchanging), m_was(exchanging) {
        m_exchanging = true;
    }
    ~ExchangeGuard() { m_exchanging = m_was; }
    ExchangeGuard(const ExchangeGuard&) = delete;
    ExchangeGuard& operator=(const ExchangeGuard&) = delete;

private:
    bool& m_exchanging;
    bool m_was;
};

}  // namespace

// The window's message table: which handler a control's notification runs.
struct EditorWindow::Handler {
    int id;
    Notification notification;
    void (EditorWindow::*handler)();
};

const EditorWindow::Handler EditorWindow::kMessageMap[] = {
    {ids::kExit, Notification::clicked, &EditorWindow::OnExit},
    {ids::kLoadGame, Notification::clicked, &EditorWindow::OnLoadGame},
    {ids::kCharacterList, Notification::picked, &EditorWindow::ShowCharacter},
    {ids::kCloseGame, Notification::clicked, &EditorWindow::OnCloseGame},
    {ids::kFood, Notification::changed, &EditorWindow::OnChangeFood},
    {ids::kGold, Notification::changed, &EditorWindow::OnChangeGold},
    {ids::kMight, Notification::changed, &EditorWindow::OnChangeMight},
    {ids::kPersonality, Notification::changed, &EditorWindow::OnChangePersonality},
    {ids::kIntellect, Notification::changed, &EditorWindow::OnChangeIntellect},
    {ids::kAccuracy, Notification::changed, &EditorWindow::OnChangeAccuracy},
    {ids::kEndurance, Notification::changed, &EditorWindow::OnChangeEndurance},
    {ids::kLuck, Notification::changed, &EditorWindow::OnChangeLuck},
    {ids::kSpeed, Notification::changed, &EditorWindow::OnChangeSpeed},
    {ids::kSkillList, Notification::picked, &EditorWindow::ShowSkill},
    {ids::kSkillLevel, Notification::changed, &EditorWindow::OnChangeSkillLevel},
    {ids::kSkillPoints, Notification::changed, &EditorWindow::OnChangeSkillPoints},
    {ids::kSaveGame, Notification::clicked, &EditorWindow::OnSaveGame},
    {ids::kExperience, Notification::changed, &EditorWindow::OnChangeExperience},
    {ids::kBankGold, Notification::changed, &EditorWindow::OnChangeBankGold},
    {ids::kNormal, Notification::clicked, &EditorWindow::OnNormal},
    {ids::kExpert, Notification::clicked, &EditorWindow::OnExpert},
    {ids::kMaster, Notification::clicked, &EditorWindow::OnMaster},
    {ids::kGrandmaster, Notification::clicked, &EditorWindow::OnGrandmaster},
    {ids::kLearned, Notification::clicked, &EditorWindow::OnLearned},
    {ids::kSpellList, Notification::picked, &EditorWindow::ShowSpell},
    {ids::kPromoted, Notification::clicked, &EditorWindow::OnPromoted},
};

EditorWindow::EditorWindow(View& view, Prompts& prompts, OpenOptions options)
    : m_view(view), m_prompts(prompts), m_options(std::move(options)), m_exchange(view) {
    BindValues();
}

void EditorWindow::BindValues() {
    m_exchange.bindPicked(m_characterText, ids::kCharacterList);
    m_exchange.bind(m_food, ids::kFood);
    m_exchange.bind(m_gold, ids::kGold);
    m_exchange.bind(m_className, ids::kClassName);
    m_exchange.bind(m_infoText, ids::kInfoPanel);
    m_exchange.bind(m_intellect, ids::kIntellect);
    m_exchange.bind(m_might, ids::kMight);
    m_exchange.bind(m_personality, ids::kPersonality);
    m_exchange.bind(m_statusText, ids::kStatusLine);
    m_exchange.bind(m_endurance, ids::kEndurance);
    m_exchange.bind(m_luck, ids::kLuck);
    m_exchange.bind(m_speed, ids::kSpeed);
    m_exchange.bind(m_accuracy, ids::kAccuracy);
    m_exchange.bind(m_skillLevel, ids::kSkillLevel);
    m_exchange.bind(m_skillPoints, ids::kSkillPoints);
    m_exchange.bind(m_experience, ids::kExperience);
    m_exchange.bind(m_bankGold, ids::kBankGold);
}

void EditorWindow::OnInitDialog() {
    UpdateData(false);
    m_statusText = kNoGameStatus;
    UpdateData(false);
    for (const auto& [id, field] : kNumberFields) {
        m_view.setArrows(id, {0, field->limit});
    }
    m_view.setArrows(ids::kSkillLevel, kSkillLevelArrows);
    ShowHistory();
}

void EditorWindow::OnCommand(int id, Notification notification) {
    if (m_exchanging) {
        return;
    }
    for (const Handler& entry : kMessageMap) {
        if (entry.id == id && entry.notification == notification) {
            (this->*entry.handler)();
            break;
        }
    }
    // Whatever the handler changed of the party is one change, or part of the last one when the
    // player goes on typing in the same field.
    if (m_game) {
        const EditPlace place{id, m_view.picked(ids::kCharacterList),
                              m_view.picked(ids::kSkillList), m_view.picked(ids::kSpellList)};
        m_history.record(m_game->party(), place, notification == Notification::changed);
    }
    ShowHistory();
}

void EditorWindow::OnUndo() {
    if (m_game) {
        if (const auto place = m_history.undo(m_game->party())) {
            ShowPlace(*place);
        }
    }
    ShowHistory();
}

void EditorWindow::OnRedo() {
    if (m_game) {
        if (const auto place = m_history.redo(m_game->party())) {
            ShowPlace(*place);
        }
    }
    ShowHistory();
}

void EditorWindow::ShowHistory() {
    m_view.enableCommand(kUndoCommand, m_game && m_history.canUndo());
    m_view.enableCommand(kRedoCommand, m_game && m_history.canRedo());
}

bool EditorWindow::UpdateData(bool saveAndValidate) {
    const ExchangeGuard guard(m_exchanging);
    if (!saveAndValidate) {
        m_exchange.show();
        return true;
    }
    const std::vector<int> refused = m_exchange.take();
    if (refused.empty()) {
        return true;
    }
    // Told once, and each such field shows again the value it keeps, so that the window never
    // shows what a save would not write, and the next keystroke elsewhere is not refused again.
    m_prompts.showMessage(kNotANumber, kMessageCaption, MessageStyle::iconError);
    for (const int id : refused) {
        m_exchange.show(id);
    }
    m_view.focus(refused.front());
    return false;
}

void EditorWindow::SetLoadedState(bool loaded) {
    m_view.setEnabled(ids::kSaveGame, loaded);
    m_view.setEnabled(ids::kCloseGame, loaded);
    m_view.setEnabled(ids::kLoadGame, !loaded);
    for (const int id : kEditingControls) {
        m_view.setEnabled(id, loaded);
    }
}

bool EditorWindow::OnSysCommand(unsigned command) {
    switch (command & 0xFFF0) {
        case kAboutCommand:
            m_prompts.showAbout();
            return true;
        case kUndoCommand:
            OnUndo();
            return true;
        case kRedoCommand:
            OnRedo();
            return true;
        default:
            return false;
    }
}

void EditorWindow::OnOK() {
    if (UpdateData(true)) {
        m_view.endDialog();
    }
}

void EditorWindow::OnExit() {
    OnOK();
}

}  // namespace velmor
