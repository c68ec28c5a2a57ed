#include "cli/PartyJson.h"

#include <algorithm>

#include "party/ClassRules.h"
#include "party/GameVocabulary.h"
#include "party/NumberText.h"
#include "party/Windows1252.h"

namespace velmor::cli {
namespace {

// The field of `fields` with this key.
template <std::size_t Count>
const PartyField* FieldWithKey(const std::array<const PartyField*, Count>& fields,
                               std::string_view key) {
    const auto found = std::find_if(fields.begin(), fields.end(),
                                    [key](const PartyField* field) { return field->key == key; });
    return found == fields.end() ? nullptr : *found;
}

// Writes the document line by line: the library encodes every value, and each skill and spell
// stands on a line of its own. Building the whole document as one tree first took longer than
// everything else the command does.
class DumpWriter {
public:
    explicit DumpWriter(std::string& out) : m_out(out) {}

    void open(std::string_view key, char bracket) {
        line(key);
        m_out += bracket;
        m_first = true;
        ++m_depth;
    }
    void close(char bracket) {
        --m_depth;
        m_out += '\n';
        indent();
        m_out += bracket;
        m_first = false;
    }
    void value(std::string_view key, const Json& value) {
        line(key);
        m_out += value.dump();
    }

private:
    void line(std::string_view key) {
        if (!m_first) {
            m_out += ',';
        }
        m_first = false;
        if (!m_out.empty()) {
            m_out += '\n';
        }
        indent();
        if (!key.empty()) {
            m_out += Json(key).dump();
            m_out += ": ";
        }
    }
    void indent() { m_out.append(2 * m_depth, ' '); }

    std::string& m_out;
    bool m_first = true;
    std::size_t m_depth = 0;
};

void WriteSkills(DumpWriter& writer, const CharacterRecord& record) {
    writer.open(fields::kSkills.key, '[');
    for (std::size_t k = 0; k < kSkillCount; ++k) {
        const SkillLevel shown = DecodeSkill(record.skill(k));
        writer.value("", {{"index", k},
                          {"name", kSkillNames[k]},
                          {"mastery", MasteryName(shown.mastery)},
                          {"level", shown.level},
                          {"stored", record.skill(k)}});
    }
    writer.close(']');
}

void WriteSpells(DumpWriter& writer, const CharacterRecord& record) {
    writer.open(fields::kSpells.key, '[');
    for (std::size_t s = 0; s < kSpellCount; ++s) {
        writer.value("", {{"index", s},
                          {"name", kSpellNames[s]},
                          {"learned", record.spellLearned(s)},
                          {"stored", record.spellByte(s)}});
    }
    writer.close(']');
}

void WriteCharacter(DumpWriter& writer, std::size_t index, const CharacterRecord& record) {
    writer.open("", '{');
    writer.value("index", index);
    for (const PartyField* field : fields::kCharacter) {
        switch (field->kind) {
            case FieldKind::text:
                writer.value(field->key, Windows1252ToUtf8(record.text(*field)));
                break;
            case FieldKind::classIndex:
                writer.value(field->key, record.classIndex());
                writer.value("className", ClassName(record.classIndex()));
                writer.value("promoted", IsPromoted(record.classIndex()));
                break;
            case FieldKind::number:
                writer.value(field->key, record.number(*field));
                break;
            case FieldKind::skills:
                WriteSkills(writer, record);
                break;
            case FieldKind::spells:
                WriteSpells(writer, record);
                break;
        }
    }
    writer.close('}');
}

// Reads a changes document, collecting every problem rather than stopping at the first.
class DocumentReader {
public:
    explicit DocumentReader(const SavedGame& game)
        : m_party(game.party()), m_header(Windows1252ToUtf8(game.headerText())) {}

    Parsed<std::vector<Edit>> read(const Json& document) {
        if (!document.is_object()) {
            return Problem{"the document must be a JSON object, as \"dump\" writes it"};
        }
        for (const auto& [key, value] : document.items()) {
            if (key == "header") {
                expectSame("header", value, Json(m_header));
            } else if (key == "party") {
                readParty(value);
            } else if (key == "characters") {
                readCharacters(value);
            } else {
                unknown(key);
            }
        }
        if (!m_problems.empty()) {
            std::string message;
            for (const std::string& problem : m_problems) {
                message += (message.empty() ? "" : "\n") + problem;
            }
            return Problem{message};
        }
        return m_edits;
    }

private:
    void readParty(const Json& party) {
        if (!isObject("party", party)) {
            return;
        }
        for (const auto& [key, value] : party.items()) {
            const std::string path = "party." + key;
            const PartyField* field = FieldWithKey(fields::kPartyValues, key);
            if (!field) {
                unknown(path);
            } else if (field->editable()) {
                addNumber(path, PartyValueField{field}, value);
            } else {
                expectSame(path, value, Json(m_party.values.number(*field)));
            }
        }
    }

    void readCharacters(const Json& characters) {
        if (!characters.is_array()) {
            m_problems.push_back("characters: expected an array of characters");
            return;
        }
        for (const Json& character : characters) {
            const auto index = indexOf("characters", character, kCharacterCount);
            if (index) {
                readCharacter(*index, character);
            }
        }
    }

    void readCharacter(std::size_t c, const Json& character) {
        const std::string base = "characters." + std::to_string(c);
        const CharacterRecord& record = m_party.characters[c];
        for (const auto& [key, value] : character.items()) {
            const std::string path = base + "." + key;
            const PartyField* field = FieldWithKey(fields::kCharacter, key);
            if (key == "index") {
                continue;
            } else if (key == "className") {
                expectSame(path, value, Json(ClassName(record.classIndex())));
            } else if (key == "promoted") {
                addFlag(path, PromotedField{c}, value);
            } else if (!field) {
                unknown(path);
            } else {
                readCharacterField(c, *field, path, value);
            }
        }
    }

    void readCharacterField(std::size_t c, const PartyField& field, const std::string& path,
                            const Json& value) {
        const CharacterRecord& record = m_party.characters[c];
        switch (field.kind) {
            case FieldKind::text:
                expectSame(path, value, Json(Windows1252ToUtf8(record.text(field))));
                break;
            case FieldKind::classIndex:
                expectSame(path, value, Json(record.classIndex()),
                           " (change \"promoted\" instead)");
                break;
            case FieldKind::number:
                addNumber(path, CharacterValueField{c, &field}, value);
                break;
            case FieldKind::skills:
                readList(path, value, field.count,
                         [&](std::size_t k, const Json& skill) { readSkill(c, k, skill); });
                break;
            case FieldKind::spells:
                readList(path, value, field.count,
                         [&](std::size_t s, const Json& spell) { readSpell(c, s, spell); });
                break;
        }
    }

    template <typename Read>
    void readList(const std::string& path, const Json& list, std::size_t count, Read read) {
        if (!list.is_array()) {
            m_problems.push_back(path + ": expected an array");
            return;
        }
        for (const Json& item : list) {
            if (const auto index = indexOf(path, item, count)) {
                read(*index, item);
            }
        }
    }

    void readSkill(std::size_t c, std::size_t k, const Json& skill) {
        const std::string path = PathOf(SkillField{c, k});
        const CharacterRecord& record = m_party.characters[c];
        std::optional<Mastery> mastery;
        std::optional<std::int64_t> level;
        for (const auto& [key, value] : skill.items()) {
            if (key == "index") {
                continue;
            } else if (key == "name") {
                expectSame(path + ".name", value, Json(kSkillNames[k]));
            } else if (key == "stored") {
                expectSame(path + ".stored", value, Json(record.skill(k)),
                           " (change \"mastery\" and \"level\" instead)");
            } else if (key == "mastery") {
                const auto parsed = value.is_string()
                                        ? ParseMastery(value.get<std::string>())
                                        : Parsed<Mastery>(Problem{"expected a string"});
                if (const auto* problem = std::get_if<Problem>(&parsed)) {
                    m_problems.push_back(path + ".mastery: " + problem->message);
                } else {
                    mastery = std::get<Mastery>(parsed);
                }
            } else if (key == "level") {
                if (value.is_number_integer()) {
                    level = value.get<std::int64_t>();
                } else {
                    m_problems.push_back(path + ".level: expected a whole number");
                }
            } else {
                unknown(path + "." + key);
            }
        }
        if (level && !mastery) {
            m_problems.push_back(path + ": a level needs its \"mastery\"");
            return;
        }
        if (mastery && !level && *mastery != Mastery::None) {
            m_problems.push_back(path + ": a mastery needs its \"level\"");
            return;
        }
        if (mastery) {
            const auto clamped = std::clamp<std::int64_t>(level.value_or(0), -65536, 65535);
            m_edits.push_back(
                {SkillField{c, k}, SkillLevel{*mastery, static_cast<std::int32_t>(clamped)}});
        }
    }

    void readSpell(std::size_t c, std::size_t s, const Json& spell) {
        const std::string path = PathOf(SpellField{c, s});
        const CharacterRecord& record = m_party.characters[c];
        for (const auto& [key, value] : spell.items()) {
            if (key == "index") {
                continue;
            } else if (key == "name") {
                expectSame(path + ".name", value, Json(kSpellNames[s]));
            } else if (key == "stored") {
                expectSame(path + ".stored", value, Json(record.spellByte(s)),
                           " (change \"learned\" instead)");
            } else if (key == "learned") {
                addFlag(path + ".learned", SpellField{c, s}, value);
            } else {
                unknown(path + "." + key);
            }
        }
    }

    std::optional<std::size_t> indexOf(const std::string& path, const Json& item,
                                       std::size_t count) {
        if (!item.is_object() || !item.contains("index") || !item["index"].is_number_unsigned() ||
            item["index"].get<std::uint64_t>() >= count) {
            m_problems.push_back(path + ": every element needs an \"index\" from 0 to " +
                                 std::to_string(count - 1));
            return std::nullopt;
        }
        return static_cast<std::size_t>(item["index"].get<std::uint64_t>());
    }

    void addNumber(const std::string& path, const Field& field, const Json& value) {
        // An unsigned number's text is its digits, which read as every number typed does.
        const auto number = value.is_number_unsigned() ? ParseUnsigned(value.dump()) : std::nullopt;
        if (!number) {
            m_problems.push_back(path + ": expected a whole number of 0 or more");
            return;
        }
        m_edits.push_back({field, *number});
    }

    void addFlag(const std::string& path, const Field& field, const Json& value) {
        if (!value.is_boolean()) {
            m_problems.push_back(path + ": expected true or false");
            return;
        }
        m_edits.push_back({field, value.get<bool>()});
    }

    bool isObject(const std::string& path, const Json& value) {
        if (!value.is_object()) {
            m_problems.push_back(path + ": expected an object");
        }
        return value.is_object();
    }

    void expectSame(const std::string& path, const Json& value, const Json& held,
                    std::string_view hint = "") {
        if (value != held) {
            m_problems.push_back(path + " cannot be changed" + std::string(hint));
        }
    }

    void unknown(const std::string& path) { m_problems.push_back(path + ": no such field"); }

    const Party& m_party;
    std::string m_header;
    std::vector<Edit> m_edits;
    std::vector<std::string> m_problems;
};

}  // namespace

std::string DumpGame(const SavedGame& game) {
    const Party& party = game.party();
    std::string out;
    out.reserve(512 * 1024);  // a whole party's document, with room to spare
    DumpWriter writer(out);
    writer.open("", '{');
    writer.value("header", Windows1252ToUtf8(game.headerText()));
    Json values = Json::object();
    for (const PartyField* field : fields::kPartyValues) {
        values[std::string(field->key)] = party.values.number(*field);
    }
    writer.value("party", values);
    writer.open("characters", '[');
    for (std::size_t i = 0; i < kCharacterCount; ++i) {
        WriteCharacter(writer, i, party.characters[i]);
    }
    writer.close(']');
    writer.close('}');
    out += '\n';
    return out;
}

Parsed<std::vector<Edit>> EditsFromDocument(const Json& document, const SavedGame& game) {
    return DocumentReader(game).read(document);
}

}  // namespace velmor::cli
