#include "cli/Edits.h"

#include "party/ClassRules.h"
#include "party/PartyEditor.h"

namespace velmor::cli {
namespace {

std::string ClassText(std::uint8_t classIndex) {
    return std::string(IsPromoted(classIndex) ? "true" : "false") + " (" + ClassName(classIndex) +
           ")";
}

class Applier {
public:
    Applier(Party& party, const Edit& edit, EditReport& report)
        : m_party(party),
          m_editor(party),
          m_value(edit.value),
          m_path(PathOf(edit.field)),
          m_report(report) {}

    std::optional<Problem> operator()(const PartyValueField& f) {
        setNumber(*f.field, std::nullopt, m_party.values.number(*f.field));
        return std::nullopt;
    }

    std::optional<Problem> operator()(const CharacterValueField& f) {
        setNumber(*f.field, f.character, m_party.characters[f.character].number(*f.field));
        return std::nullopt;
    }

    std::optional<Problem> operator()(const SkillField& f) {
        const SkillValue before = m_party.characters[f.character].skill(f.skill);
        const SkillLevel current = DecodeSkill(before);
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
        const SkillEdit edit = m_editor.setSkill(f.character, f.skill, asked);
        if (edit.capped) {
            m_report.warnings.push_back(m_path + ": level " + std::to_string(asked.level) +
                                        " is above the limit of " + std::to_string(kMaxSkillLevel) +
                                        "; stored " + std::to_string(edit.stored.level));
        }
        if (m_party.characters[f.character].skill(f.skill) != before) {
            m_report.changes.push_back({m_path, SkillText(current), SkillText(edit.stored)});
        }
        return std::nullopt;
    }

    std::optional<Problem> operator()(const SpellField& f) {
        const CharacterRecord& record = m_party.characters[f.character];
        const std::uint8_t before = record.spellByte(f.spell);
        const bool asked = std::get<bool>(m_value);
        if (record.spellLearned(f.spell) != asked) {
            m_editor.setSpellLearned(f.character, f.spell, asked);
            m_report.changes.push_back({m_path, SpellText(before), SpellText(asked ? 1 : 0)});
        }
        return std::nullopt;
    }

    std::optional<Problem> operator()(const PromotedField& f) {
        const std::uint8_t before = m_party.characters[f.character].classIndex();
        if (m_editor.setPromoted(f.character, std::get<bool>(m_value))) {
            m_report.changes.push_back({m_path, ClassText(before),
                                        ClassText(m_party.characters[f.character].classIndex())});
        }
        return std::nullopt;
    }

private:
    // Stores the number asked for, unless the field already holds it.
    void setNumber(const PartyField& field, std::optional<std::size_t> character,
                   std::uint32_t current) {
        const std::uint32_t asked = std::get<std::uint32_t>(m_value);
        if (asked == current) {
            return;
        }
        const NumberEdit edit = m_editor.setNumber(field, character, asked);
        if (edit.capped) {
            m_report.warnings.push_back(m_path + ": " + std::to_string(asked) +
                                        " is above the limit of " + std::to_string(field.limit) +
                                        "; stored " + std::to_string(edit.stored));
        }
        if (edit.stored != current) {
            m_report.changes.push_back(
                {m_path, std::to_string(current), std::to_string(edit.stored)});
        }
    }

    Party& m_party;
    PartyEditor m_editor;
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

std::optional<Problem> ApplyEdit(Party& party, const Edit& edit, EditReport& report) {
    return std::visit(Applier(party, edit, report), edit.field);
}

}  // namespace velmor::cli
