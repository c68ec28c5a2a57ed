#include "cli/Edits.h"

#include "party/ClassRules.h"
#include "party/SkillEditing.h"

namespace velmor::cli {
namespace {

std::string CapWarning(const std::string& path, std::uint32_t asked, std::uint32_t limit) {
    return path + ": " + std::to_string(asked) + " is above the limit of " + std::to_string(limit) +
           "; stored " + std::to_string(limit);
}

class Applier {
public:
    Applier(PartyCopy& party, const Edit& edit, EditReport& report)
        : m_party(party), m_value(edit.value), m_path(PathOf(edit.field)), m_report(report) {}

    std::optional<Problem> operator()(const PartyValueField& f) {
        const PartySlot slot = f.field == ValueField::food   ? PartySlot::food
                               : f.field == ValueField::gold ? PartySlot::gold
                                                             : PartySlot::bankGold;
        const std::uint32_t current = m_party.values.value(slot);
        if (const auto stored = Capped(f.field, current)) {
            m_party.values.setValue(slot, *stored);
        }
        return std::nullopt;
    }

    std::optional<Problem> operator()(const CharacterValueField& f) {
        CharacterRecord& record = m_party.characters[f.character];
        const CharacterNumber number = *CharacterNumberOf(f.field);
        if (const auto stored = Capped(f.field, record.number(number))) {
            record.setNumber(number, *stored);
        }
        return std::nullopt;
    }

    std::optional<Problem> operator()(const SkillField& f) {
        CharacterRecord& record = m_party.characters[f.character];
        const SkillLevel current = DecodeSkill(record.skill(f.skill));
        SkillLevel asked = std::get<SkillLevel>(m_value);
        if (asked.mastery == Mastery::None) {
            asked.level = 0;
        }
        if (asked == current) {
            return std::nullopt;
        }
        if (asked.level < 0) {
            return Problem{m_path + ": a skill level must be 0 to " +
                           std::to_string(kMaxSkillLevel)};
        }
        if (asked.level > kMaxSkillLevel) {
            m_report.warnings.push_back(m_path + ": level " + std::to_string(asked.level) +
                                        " is above the limit of " + std::to_string(kMaxSkillLevel) +
                                        "; stored " + std::to_string(kMaxSkillLevel));
            asked.level = kMaxSkillLevel;
        }
        const SkillValue stored = EncodeSkill(asked.mastery, asked.level);
        if (stored != record.skill(f.skill)) {
            record.setSkill(f.skill, stored);
            m_report.changes.push_back(
                {m_path, SkillText(current), SkillText(DecodeSkill(stored))});
        }
        return std::nullopt;
    }

    std::optional<Problem> operator()(const SpellField& f) {
        CharacterRecord& record = m_party.characters[f.character];
        const bool asked = std::get<bool>(m_value);
        if (record.spellLearned(f.spell) != asked) {
            m_report.changes.push_back(
                {m_path, SpellText(record.spellByte(f.spell)), SpellText(asked ? 1 : 0)});
            record.setSpellLearned(f.spell, asked);
        }
        return std::nullopt;
    }

    std::optional<Problem> operator()(const PromotedField& f) {
        CharacterRecord& record = m_party.characters[f.character];
        const bool asked = std::get<bool>(m_value);
        const std::uint8_t before = record.classIndex();
        if (IsPromoted(before) != asked) {
            record.setClassIndex(ClassAfterPromotedClick(before, asked));
            m_report.changes.push_back({m_path, ClassText(before), ClassText(record.classIndex())});
        }
        return std::nullopt;
    }

    static std::string ClassText(std::uint8_t classIndex) {
        return std::string(IsPromoted(classIndex) ? "true" : "false") + " (" +
               ClassName(classIndex) + ")";
    }

private:
    // The number to store, or nothing when the field already holds what was asked.
    std::optional<std::uint32_t> Capped(ValueField field, std::uint32_t current) {
        const std::uint32_t asked = std::get<std::uint32_t>(m_value);
        if (asked == current) {
            return std::nullopt;
        }
        const CappedValue capped = CapValue(field, asked);
        if (capped.capped) {
            m_report.warnings.push_back(CapWarning(m_path, asked, capped.value));
        }
        if (capped.value == current) {
            return std::nullopt;
        }
        m_report.changes.push_back({m_path, std::to_string(current), std::to_string(capped.value)});
        return capped.value;
    }

    PartyCopy& m_party;
    const Value& m_value;
    std::string m_path;
    EditReport& m_report;
};

}  // namespace

Parsed<Edit> ParseAssignment(std::string_view assignment) {
    const auto equals = assignment.find('=');
    if (equals == std::string_view::npos) {
        return Problem{"expected FIELD=VALUE"};
    }
    const auto field = ParseFieldPath(assignment.substr(0, equals));
    if (const auto* problem = std::get_if<Problem>(&field)) {
        return *problem;
    }
    const auto value = ParseValue(std::get<Field>(field), assignment.substr(equals + 1));
    if (const auto* problem = std::get_if<Problem>(&value)) {
        return *problem;
    }
    return Edit{std::get<Field>(field), std::get<Value>(value)};
}

std::optional<Problem> ApplyEdit(PartyCopy& party, const Edit& edit, EditReport& report) {
    return std::visit(Applier(party, edit, report), edit.field);
}

}  // namespace velmor::cli
