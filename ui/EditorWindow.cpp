#include "ui/EditorWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include "ui/AboutBox.h"
#include "ui/ControlIds.h"
#include "ui/MinimisedIcon.h"
#include "ui/NumberField.h"
#include "ui/QtPrompts.h"
#include "ui/SystemMenu.h"

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

// The number fields and the value each edits; their arrows run from 0 to the value's limit.
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
constexpr int kSkillLevelArrowsTop = 255;

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

QIcon WindowIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/velmor/icon128_32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/velmor/icon128_16.png"), QSize(16, 16));
    return icon;
}

}  // namespace

EditorWindow::EditorWindow(Prompts* prompts, OpenOptions options)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_options(std::move(options)),
      m_ownPrompts(prompts ? nullptr : std::make_unique<QtPrompts>(*this)),
      m_prompts(prompts ? *prompts : *m_ownPrompts),
      m_controls(*this, kMainWindowTemplate),
      m_promotedButton(m_controls.get<QPushButton>(ids::kPromoted)),
      m_spellCombo(m_controls.get<QComboBox>(ids::kSpellList)),
      m_learnedButton(m_controls.get<QPushButton>(ids::kLearned)),
      m_grandmasterButton(m_controls.get<QPushButton>(ids::kGrandmaster)),
      m_expertButton(m_controls.get<QPushButton>(ids::kExpert)),
      m_normalButton(m_controls.get<QPushButton>(ids::kNormal)),
      m_masterButton(m_controls.get<QPushButton>(ids::kMaster)),
      m_skillCombo(m_controls.get<QComboBox>(ids::kSkillList)),
      m_characterCombo(m_controls.get<QComboBox>(ids::kCharacterList)),
      m_progress(m_controls.get<QProgressBar>(ids::kProgress)),
      m_hIcon(WindowIcon()) {
    // Exit is the one default button, so that Enter in any field ends the window as Exit does.
    auto* exit = m_controls.get<QPushButton>(ids::kExit);
    exit->setDefault(true);
    BindValues();
    ConnectHandlers();
    OnInitDialog();
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::BindValues() {
    const auto field = [this](int id) -> NumberField& { return *m_controls.get<NumberField>(id); };
    m_exchange.bind(m_characterText, *m_characterCombo);
    m_exchange.bind(m_food, field(ids::kFood));
    m_exchange.bind(m_gold, field(ids::kGold));
    m_exchange.bind(m_className, *m_controls.get<QLineEdit>(ids::kClassName));
    m_exchange.bind(m_infoText, *m_controls.get<QLabel>(ids::kInfoPanel));
    m_exchange.bind(m_intellect, field(ids::kIntellect));
    m_exchange.bind(m_might, field(ids::kMight));
    m_exchange.bind(m_personality, field(ids::kPersonality));
    m_exchange.bind(m_statusText, *m_controls.get<QLabel>(ids::kStatusLine));
    m_exchange.bind(m_endurance, field(ids::kEndurance));
    m_exchange.bind(m_luck, field(ids::kLuck));
    m_exchange.bind(m_speed, field(ids::kSpeed));
    m_exchange.bind(m_accuracy, field(ids::kAccuracy));
    m_exchange.bind(m_skillLevel, field(ids::kSkillLevel));
    m_exchange.bind(m_skillPoints, field(ids::kSkillPoints));
    m_exchange.bind(m_experience, field(ids::kExperience));
    m_exchange.bind(m_bankGold, field(ids::kBankGold));
}

template <typename Sender, typename Signal>
void EditorWindow::Connect(Sender* sender, Signal signal, void (EditorWindow::*handler)()) {
    connect(sender, signal, this, [this, handler] {
        if (!m_exchanging) {
            (this->*handler)();
        }
    });
}

void EditorWindow::ConnectHandlers() {
    const auto button = [this](int id) { return m_controls.get<QPushButton>(id); };
    const auto field = [this](int id) { return m_controls.get<NumberField>(id); };
    Connect(button(ids::kExit), &QPushButton::clicked, &EditorWindow::OnExit);
    Connect(button(ids::kLoadGame), &QPushButton::clicked, &EditorWindow::OnLoadGame);
    Connect(m_characterCombo, &QComboBox::activated, &EditorWindow::ShowCharacter);
    Connect(button(ids::kCloseGame), &QPushButton::clicked, &EditorWindow::OnCloseGame);
    Connect(field(ids::kFood), &NumberField::textChanged, &EditorWindow::OnChangeFood);
    Connect(field(ids::kGold), &NumberField::textChanged, &EditorWindow::OnChangeGold);
    Connect(field(ids::kMight), &NumberField::textChanged, &EditorWindow::OnChangeMight);
    Connect(field(ids::kPersonality), &NumberField::textChanged,
            &EditorWindow::OnChangePersonality);
    Connect(field(ids::kIntellect), &NumberField::textChanged, &EditorWindow::OnChangeIntellect);
    Connect(field(ids::kAccuracy), &NumberField::textChanged, &EditorWindow::OnChangeAccuracy);
    Connect(field(ids::kEndurance), &NumberField::textChanged, &EditorWindow::OnChangeEndurance);
    Connect(field(ids::kLuck), &NumberField::textChanged, &EditorWindow::OnChangeLuck);
    Connect(field(ids::kSpeed), &NumberField::textChanged, &EditorWindow::OnChangeSpeed);
    Connect(m_skillCombo, &QComboBox::activated, &EditorWindow::ShowSkill);
    Connect(field(ids::kSkillLevel), &NumberField::textChanged, &EditorWindow::OnChangeSkillLevel);
    Connect(field(ids::kSkillPoints), &NumberField::textChanged,
            &EditorWindow::OnChangeSkillPoints);
    Connect(button(ids::kSaveGame), &QPushButton::clicked, &EditorWindow::OnSaveGame);
    Connect(field(ids::kExperience), &NumberField::textChanged, &EditorWindow::OnChangeExperience);
    Connect(field(ids::kBankGold), &NumberField::textChanged, &EditorWindow::OnChangeBankGold);
    Connect(m_normalButton, &QPushButton::clicked, &EditorWindow::OnNormal);
    Connect(m_expertButton, &QPushButton::clicked, &EditorWindow::OnExpert);
    Connect(m_masterButton, &QPushButton::clicked, &EditorWindow::OnMaster);
    Connect(m_grandmasterButton, &QPushButton::clicked, &EditorWindow::OnGrandmaster);
    Connect(m_learnedButton, &QPushButton::clicked, &EditorWindow::OnLearned);
    Connect(m_spellCombo, &QComboBox::activated, &EditorWindow::ShowSpell);
    Connect(m_promotedButton, &QPushButton::clicked, &EditorWindow::OnPromoted);
}

void EditorWindow::OnInitDialog() {
    UpdateData(false);
    AppendAboutItem(*this, QStringLiteral("&About Velmor..."), kAboutCommand,
                    [this](unsigned command) { OnSysCommand(command); });
    setWindowIcon(m_hIcon);
    m_statusText = QStringLiteral("current game: <none>");
    UpdateData(false);
    for (const auto& [id, field] : kNumberFields) {
        m_controls.get<NumberField>(id)->setRange(0, field->limit);
    }
    auto* skillLevel = m_controls.get<NumberField>(ids::kSkillLevel);
    skillLevel->setRange(0, kSkillLevelArrowsTop);
    skillLevel->setLowestBelowRange(kLowestGrandmasterLevel);
}

bool EditorWindow::UpdateData(bool saveAndValidate) {
    const ExchangeGuard guard(m_exchanging);
    if (!saveAndValidate) {
        m_exchange.show();
        return true;
    }
    const std::vector<NumberField*> refused = m_exchange.take();
    if (refused.empty()) {
        return true;
    }
    // Told once, and each such field shows again the value it keeps, so that the window never
    // shows what a save would not write, and the next keystroke elsewhere is not refused again.
    m_prompts.showMessage(kNotANumber, kMessageCaption, MessageStyle::iconError);
    for (const NumberField* field : refused) {
        m_exchange.show(*field);
    }
    refused.front()->setFocus();
    refused.front()->selectAll();
    return false;
}

void EditorWindow::SetLoadedState(bool loaded) {
    m_controls.control(ids::kSaveGame)->setEnabled(loaded);
    m_controls.control(ids::kCloseGame)->setEnabled(loaded);
    m_controls.control(ids::kLoadGame)->setEnabled(!loaded);
    for (const int id : kEditingControls) {
        m_controls.control(id)->setEnabled(loaded);
    }
}

bool EditorWindow::OnSysCommand(unsigned command) {
    if ((command & 0xFFF0) != kAboutCommand) {
        return false;
    }
    AboutBox about;
    about.exec();
    return true;
}

void EditorWindow::OnOK() {
    if (UpdateData(true)) {
        accept();
    }
}

void EditorWindow::OnExit() {
    OnOK();
}

void EditorWindow::paintEvent(QPaintEvent* event) {
    if (!isMinimized()) {
        QDialog::paintEvent(event);
        return;
    }
    const int side = style()->pixelMetric(QStyle::PM_LargeIconSize);
    QPainter painter(this);
    const QPoint at = CentredIconPosition(rect().size(), QSize(side, side));
    painter.drawPixmap(at, m_hIcon.pixmap(side, side));
}

#ifdef Q_OS_WIN
bool EditorWindow::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const auto* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && OnSysCommand(static_cast<unsigned>(msg->wParam))) {
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif

}  // namespace velmor
