#include "cli/Fields.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <vector>

#include "party/GameVocabulary.h"
#include "party/NumberText.h"
#include "party/Party.h"

namespace velmor::cli {
namespace {

constexpr std::array<std::string_view, 5> kMasteryNames = {"None", "Normal", "Expert", "Master",
                                                           "Grandmaster"};

// The editable number of `fields` whose key this is.
template <std::size_t Count>
const PartyField* EditableNumber(const std::array<const PartyField*, Count>& fields,
                                 std::string_view key) {
    for (const PartyField* field : fields) {
        if (field->key == key && field->kind == FieldKind::number && field->editable()) {
            return field;
        }
    }
    return nullptr;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// A plain decimal index below `count`.
Parsed<std::size_t> ParseIndex(std::string_view text, std::size_t count, std::string_view what) {
    std::size_t index = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        index >= count) {
        return Problem{std::string(what) + " index must be 0 to " + std::to_string(count - 1) +
                       ", not \"" + std::string(text) + "\""};
    }
    return index;
}

Parsed<bool> ParseYesNo(std::string_view text, std::string_view yes, std::string_view no) {
    if (text == yes || text == "true" || text == "1") {
        return true;
    }
    if (text == no || text == "false" || text == "0") {
        return false;
    }
    return Problem{"expected " + std::string(yes) + " or " + std::string(no) + ", not \"" +
                   std::string(text) + "\""};
}

Parsed<SkillLevel> ParseSkill(std::string_view text) {
    const auto colon = text.find(':');
    const auto mastery = ParseMastery(text.substr(0, colon));
    if (const auto* problem = std::get_if<Problem>(&mastery)) {
        return *problem;
    }
    if (colon == std::string_view::npos) {
        if (std::get<Mastery>(mastery) != Mastery::None) {
            return Problem{"expected Mastery:Level, such as Expert:10, not \"" + std::string(text) +
                           "\""};
        }
        return SkillLevel{Mastery::None, 0};
    }
    const auto level = ParseNumber(text.substr(colon + 1));
    if (const auto* problem = std::get_if<Problem>(&level)) {
        return Problem{"skill level: " + problem->message};
    }
    const auto chosen = std::get<Mastery>(mastery);
    const auto number = static_cast<std::int32_t>(std::min<std::uint32_t>(
        std::get<std::uint32_t>(level), std::numeric_limits<std::int32_t>::max()));
    return SkillLevel{chosen, chosen == Mastery::None ? 0 : number};
}

}  // namespace

Parsed<std::uint32_t> ParseNumber(std::string_view text) {
    const auto number = ParseUnsigned(text);
    if (!number) {
        return Problem{"expected a whole number of digits, not \"" + std::string(text) + "\""};
    }
    return *number;
}

std::string_view MasteryName(Mastery mastery) {
    return kMasteryNames[static_cast<std::size_t>(mastery)];
}

Parsed<Mastery> ParseMastery(std::string_view name) {
    for (std::size_t i = 0; i < kMasteryNames.size(); ++i) {
        if (kMasteryNames[i] == name) {
            return static_cast<Mastery>(i);
        }
    }
    return Problem{"mastery must be None, Normal, Expert, Master or Grandmaster, not \"" +
                   std::string(name) + "\""};
}

std::string SkillText(SkillLevel skill) {
    if (skill.mastery == Mastery::None) {
        return "None";
    }
    return std::string(MasteryName(skill.mastery)) + ":" + std::to_string(skill.level);
}

std::string SpellText(std::uint8_t byte) {
    return std::string(byte == 1 ? "learned" : "unlearned") + " (" + std::to_string(byte) + ")";
}

std::string PathOf(const Field& field) {
    struct Namer {
        std::string operator()(const PartyValueField& f) const {
            return "party." + std::string(f.field->key);
        }
        std::string operator()(const CharacterValueField& f) const {
            return Character(f.character) + "." + std::string(f.field->key);
        }
        std::string operator()(const SkillField& f) const {
            return Character(f.character) + "." + std::string(fields::kSkills.key) + "." +
                   std::to_string(f.skill);
        }
        std::string operator()(const SpellField& f) const {
            return Character(f.character) + "." + std::string(fields::kSpells.key) + "." +
                   std::to_string(f.spell);
        }
        std::string operator()(const PromotedField& f) const {
            return Character(f.character) + ".promoted";
        }
        static std::string Character(std::size_t index) {
            return "characters." + std::to_string(index);
        }
    };
    return std::visit(Namer{}, field);
}

Parsed<Field> ParseFieldPath(std::string_view path) {
    const auto parts = Split(path, '.');
    const auto unknown = [&] {
        return Problem{"unknown field \"" + std::string(path) +
                       "\"; fields look like party.gold, characters.3.might, "
                       "characters.0.skills.12, characters.0.spells.59, characters.2.promoted"};
    };
    if (parts.size() == 2 && parts[0] == "party") {
        const PartyField* field = EditableNumber(fields::kPartyValues, parts[1]);
        if (!field) {
            return unknown();
        }
        return PartyValueField{field};
    }
    if (parts.size() < 3 || parts[0] != "characters") {
        return unknown();
    }
    const auto character = ParseIndex(parts[1], kCharacterCount, "character");
    if (const auto* problem = std::get_if<Problem>(&character)) {
        return *problem;
    }
    const std::size_t c = std::get<std::size_t>(character);
    if (parts.size() == 3) {
        if (parts[2] == "promoted") {
            return PromotedField{c};
        }
        const PartyField* field = EditableNumber(fields::kCharacter, parts[2]);
        if (!field) {
            return unknown();
        }
        return CharacterValueField{c, field};
    }
    if (parts.size() == 4 && (parts[2] == fields::kSkills.key || parts[2] == fields::kSpells.key)) {
        const bool skill = parts[2] == fields::kSkills.key;
        const auto index =
            ParseIndex(parts[3], skill ? kSkillCount : kSpellCount, skill ? "skill" : "spell");
        if (const auto* problem = std::get_if<Problem>(&index)) {
            return *problem;
        }
        if (skill) {
            return SkillField{c, std::get<std::size_t>(index)};
        }
        return SpellField{c, std::get<std::size_t>(index)};
    }
    return unknown();
}

Parsed<Value> ParseValue(const Field& field, std::string_view text) {
    const auto widen = [](auto parsed) -> Parsed<Value> {
        if (const auto* problem = std::get_if<Problem>(&parsed)) {
            return *problem;
        }
        return Value(std::get<0>(parsed));
    };
    if (std::holds_alternative<SkillField>(field)) {
        return widen(ParseSkill(text));
    }
    if (std::holds_alternative<SpellField>(field)) {
        return widen(ParseYesNo(text, "learned", "unlearned"));
    }
    if (std::holds_alternative<PromotedField>(field)) {
        return widen(ParseYesNo(text, "true", "false"));
    }
    return widen(ParseNumber(text));
}

}  // namespace velmor::cli
